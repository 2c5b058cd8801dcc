#include "Form1OfficeFixture.h"
#include "TestData.h"
#include "data/ThaiCalendar.h"
#include "mainwindow/Form1.h"
#include "updater/GloApiSource.h"
#include "widgets/Dialogs.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace Qt::StringLiterals;

/// What the main window shows of the update and the full download: its buttons, the progress dialog, the messages,
/// the end of the program and the lists it fills. The flows themselves are tested headless.
class TestForm1Update : public QObject, Form1OfficeFixture
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void outcomeIsTold_data();
    void outcomeIsTold();
    void progressDialogShowsOnlyWhenSlow_data();
    void progressDialogShowsOnlyWhenSlow();
    void cancelIsTold_data();
    void cancelIsTold();
    void drawDayIsTold_data();
    void drawDayIsTold();
    void secondRunCannotStart();
    void workButtonsCannotBePressedFromOutside();
    void unreadableFileIsNeverReplaced();

private:
    /// The fake API knows the three draws up to 1 Aug 2015 and the two after it; the file ends at 1 Aug 2015 unless
    /// told otherwise. The prize store starts as the bundled one, with the tables of the stored draws since 2010.
    void startBeforeTwoNewDraws(const QByteArray& stored = bundledResultsFrom("25580801"));
    QString dbPath() const { return m_dir->filePath(u"db.dll"_s); }
    QPushButton* button(const QString& name) const { return m_form->findChild<QPushButton*>(name); }
};

void TestForm1Update::init()
{
    setUpOffice();
}

void TestForm1Update::cleanup()
{
    tearDownOffice();
}

void TestForm1Update::startBeforeTwoNewDraws(const QByteArray& stored)
{
    m_api->addDrawLines(resultLines(bundledResultsFrom("25580801")).first(3));
    m_api->addSavedDraw(u"getLotteryResult-2015-08-16.json"_s);
    m_api->addSavedDraw(u"getLotteryResult-2015-09-01.json"_s);
    startForm(&stored);
}

void TestForm1Update::outcomeIsTold_data()
{
    QTest::addColumn<QString>("buttonName");
    QTest::addColumn<bool>("fails");
    QTest::addColumn<Dialogs::Icon>("icon");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text"); // after the failure's own message, on a line of its own, when it fails
    QTest::addColumn<int>("ends");

    const QString update = u"PushButton4"_s;
    const QString fullDownload = u"PushButton1"_s;
    const QString title = u"อัพเดทข้อมูล"_s;
    QTest::newRow("update") << update << false << Dialogs::Icon::Information << title << u"ปิดโปรแกรมเพื่ออัพเดทข้อมูล"_s
                            << 1;
    QTest::newRow("update fails") << update << true << Dialogs::Icon::Warning << title
                                  << u"ฐานข้อมูลยังเหมือนเดิม ไม่มีการบันทึกใดๆ"_s << 0;
    QTest::newRow("full download") << fullDownload << false << Dialogs::Icon::None << QString() << u"done"_s << 0;
    QTest::newRow("full download fails") << fullDownload << true << Dialogs::Icon::Warning << QString()
                                         << u"หยุดดาวน์โหลดแล้ว งวดที่ดาวน์โหลดก่อนหน้านี้บันทึกไว้แล้ว"_s << 0;
}

void TestForm1Update::outcomeIsTold()
{
    QFETCH(QString, buttonName);
    QFETCH(bool, fails);
    QFETCH(Dialogs::Icon, icon);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(int, ends);
    startBeforeTwoNewDraws();
    if (fails) {
        m_api->failNext(FakeGloApi::latestPath, {GloFault::StatusFalse});
    }
    const QString caption = m_form->findChild<QLabel*>(u"Label1"_s)->text();

    button(buttonName)->click();

    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->messages[0].icon, icon);
    QCOMPARE(m_dialogs->messages[0].title, title);
    QVERIFY2(fails ? m_dialogs->messages[0].text.endsWith(u'\n' + text) : m_dialogs->messages[0].text == text,
        qPrintable(m_dialogs->messages[0].text));
    QCOMPARE(m_dialogs->ends, ends);
    QVERIFY(!m_form->updaterRunning());
    // Only an update that wrote ends the program; otherwise the user may go on, and update.
    QCOMPARE(button(u"PushButton4"_s)->isEnabled(), ends == 0);
    QCOMPARE(fileBytes(dbPath()), bundledResultsFrom(fails ? "25580801" : "25580901"));

    // The window's lists follow the file the update wrote; the catalogue is read again only by the next start.
    const bool updated = !fails && buttonName == u"PushButton4";
    const QStringList written = resultLines(bundledResultsFrom("25580901"));
    QCOMPARE(m_form->list2(), updated ? written : resultLines(bundledResultsFrom("25580801")));
    QCOMPARE(m_form->list3(), updated ? written : QStringList());
    QCOMPARE(m_form->listBox1(), updated ? QStringList({u"25580901"_s, u"25580816"_s}) : QStringList());
    QCOMPARE(m_form->findChild<QLabel*>(u"Label1"_s)->text(), updated ? drawCaption(u"25580901") : caption);
    QCOMPARE(
        m_form->list1().join(u' '), fails || updated ? QString() : u"25580901 25580816 25580801 25580716 25580701"_s);
}

void TestForm1Update::progressDialogShowsOnlyWhenSlow_data()
{
    QTest::addColumn<bool>("slow");
    QTest::newRow("two draws fetched") << true;
    // Well under a second on the updater's clock.
    QTest::newRow("nothing new, at once") << false;
}

void TestForm1Update::progressDialogShowsOnlyWhenSlow()
{
    QFETCH(bool, slow);
    if (slow) {
        startBeforeTwoNewDraws();
    } else {
        const QByteArray stored = bundledResultsFrom("25580901");
        m_api->addSavedDraw(u"getLotteryResult-2015-09-01.json"_s);
        m_clock->setStep(std::chrono::milliseconds(1));
        startForm(&stored);
    }
    QString last;
    bool shownModal = false;
    connect(m_form.get(), &Form1::updaterProgressed, this, [this, &last, &shownModal](const QString& text) {
        last = text;
        auto* dialog = m_form->findChild<QProgressDialog*>(u"updateProgress"_s);
        QVERIFY(dialog);
        shownModal = shownModal || (dialog->isVisible() && dialog->windowModality() == Qt::WindowModal);
    });

    button(u"PushButton4"_s)->click();

    QCOMPARE(shownModal, slow);
    QVERIFY(!slow || last == u"กำลังดึงผลงวด 16 สิงหาคม 2558 (2 จาก 2)"_s);
    QVERIFY(!m_form->findChild<QProgressDialog*>(u"updateProgress"_s));
    QCOMPARE(m_dialogs->ends, 1);
}

void TestForm1Update::cancelIsTold_data()
{
    QTest::addColumn<QString>("buttonName");
    QTest::addColumn<bool>("byDialog"); // else: the window is closed
    QTest::addColumn<QString>("message"); // none when empty
    QTest::addColumn<int>("keptDraws");
    QTest::newRow("update, dialog") << u"PushButton4"_s << true
                                    << u"ยกเลิกการอัพเดทแล้ว\nฐานข้อมูลยังเหมือนเดิม ไม่มีการบันทึกใดๆ"_s << 0;
    QTest::newRow("update, window closed") << u"PushButton4"_s << false << QString() << 0;
    QTest::newRow("full download, dialog")
        << u"PushButton1"_s << true << u"ยกเลิกการดาวน์โหลดแล้ว บันทึกงวดที่ดาวน์โหลดครบแล้ว %1 งวดไว้ในฐานข้อมูล"_s.arg(2) << 2;
    QTest::newRow("full download, window closed") << u"PushButton1"_s << false << QString() << 2;
}

void TestForm1Update::cancelIsTold()
{
    QFETCH(QString, buttonName);
    QFETCH(bool, byDialog);
    QFETCH(QString, message);
    QFETCH(int, keptDraws);
    const QStringList draws = resultLines(bundledResultsFrom("25580901")).first(6);
    m_api->addDrawLines(draws);
    const bool update = buttonName == u"PushButton4";
    const QByteArray stored = update ? resultBytes({draws.last()}) : QByteArray();
    startForm(&stored);
    m_api->setSlowDelayMs(20000);
    int drawsAsked = 0;
    m_api->setRequestObserver([&](const FakeHttpRequest& request) {
        if (request.path != FakeGloApi::resultPath || ++drawsAsked != 2) {
            return;
        }
        // The second draw asked for is slow to come; meanwhile the user cancels.
        m_api->failNext(FakeGloApi::resultPath, {GloFault::Slow});
        QTimer::singleShot(50, m_form.get(), [this, byDialog] {
            if (!byDialog) {
                m_form->close();
                return;
            }
            auto* dialog = m_form->findChild<QProgressDialog*>(u"updateProgress"_s);
            QVERIFY(dialog);
            auto* cancel = dialog->findChild<QPushButton*>();
            QVERIFY(cancel);
            QCOMPARE(cancel->text(), u"ยกเลิก"_s);
            cancel->click();
        });
    });

    button(buttonName)->click();

    QVERIFY(!m_form->updaterRunning());
    QCOMPARE(m_dialogs->ends, 0);
    QCOMPARE(m_dialogs->messages.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty()) {
        QCOMPARE(m_dialogs->messages[0].icon, Dialogs::Icon::Information);
        QCOMPARE(m_dialogs->messages[0].text, message);
    }
    QCOMPARE(fileBytes(dbPath()), update ? stored : resultBytes(draws.first(keptDraws)));
    QVERIFY(button(u"PushButton4"_s)->isEnabled());
}

void TestForm1Update::drawDayIsTold_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<int>("ends");
    // The office is drawing 1 Sep 2015.
    QTest::newRow("complete draws before it") << bundledResultsFrom("25580801") << 1;
    QTest::newRow("nothing else new") << bundledResultsFrom("25580816") << 0;
}

void TestForm1Update::drawDayIsTold()
{
    QFETCH(QByteArray, stored);
    QFETCH(int, ends);
    startBeforeTwoNewDraws(stored);
    m_api->failAlways(FakeGloApi::latestPath, GloFault::DrawDay);
    m_api->failNext(FakeGloApi::resultPath, {GloFault::DrawDay});

    button(u"PushButton4"_s)->click();

    QCOMPARE(fileBytes(dbPath()), bundledResultsFrom("25580816"));
    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->messages[0].icon, Dialogs::Icon::Information);
    QCOMPARE(m_dialogs->messages[0].text, u"ผลสลากงวด 01 กันยายน 2558 ยังออกไม่ครบ กรุณาอัพเดทอีกครั้งภายหลัง"_s);
    QCOMPARE(m_dialogs->ends, ends);
    // When nothing was written the update may be tried again at once.
    QCOMPARE(button(u"PushButton4"_s)->isEnabled(), ends == 0);
}

void TestForm1Update::secondRunCannotStart()
{
    startBeforeTwoNewDraws();
    bool triedAgain = false;
    QTimer::singleShot(0, m_form.get(), [this, &triedAgain] {
        // Events run during the update's waits: a click on either button must not start another run.
        QVERIFY(m_form->updaterRunning());
        button(u"PushButton1"_s)->click();
        button(u"PushButton4"_s)->click();
        triedAgain = true;
    });

    button(u"PushButton4"_s)->click();

    QVERIFY(triedAgain);
    QCOMPARE(m_api->requestCount(FakeGloApi::latestPath), 1);
    QCOMPARE(fileBytes(dbPath()), bundledResultsFrom("25580901"));
    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->ends, 1);
}

void TestForm1Update::workButtonsCannotBePressedFromOutside()
{
    const QByteArray content = bundledResultsFrom("25580901");
    startForm(&content);
    QApplication::setActiveWindow(m_form.get());
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    QCOMPARE(QApplication::focusWidget(), button(u"PushButton4"_s));

    // Shift+Tab from the start-up focus, then Space: never the hidden full download.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QVERIFY(QApplication::focusWidget() != button(u"PushButton1"_s));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    for (const QString& name : {u"PushButton1"_s, u"PushButton2"_s}) {
        QPushButton* work = button(name);
        QCOMPARE(work->focusPolicy(), Qt::NoFocus);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(work);
        QVERIFY(accessible);
        QVERIFY2(
            !accessible->actionInterface() || accessible->actionInterface()->actionNames().isEmpty(), qPrintable(name));
        QCOMPARE(accessible->role(), QAccessible::NoRole);
    }
    QCOMPARE(m_api->server().requestCount(), 0);
    QVERIFY(!m_form->updaterRunning());
    QCOMPARE(fileBytes(dbPath()), content);
}

void TestForm1Update::unreadableFileIsNeverReplaced()
{
    // A directory stands where the file should be: it cannot be read, even by the superuser. The update refuses
    // before it asks anything; the full download's own refusal is the one its flow tells.
    QVERIFY(QDir(m_dir->path()).mkdir(u"db.dll"_s));
    QVERIFY(QFile(m_dir->filePath(u"db.dll/keep"_s)).open(QIODevice::WriteOnly));
    startForm(nullptr);
    QCOMPARE(m_form->findChild<QLabel*>(u"Label1"_s)->text(), u"อ่านฐานข้อมูลไม่ได้"_s);

    button(u"PushButton4"_s)->click();

    QCOMPARE(m_api->server().requestCount(), 0);
    QVERIFY(QFileInfo(dbPath()).isDir());
    QVERIFY(QFile::exists(m_dir->filePath(u"db.dll/keep"_s)));
    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->messages[0].icon, Dialogs::Icon::Warning);
    QVERIFY2(m_dialogs->messages[0].text.startsWith(u"อ่านฐานข้อมูล (db.dll) ไม่ได้ จึงไม่อัพเดท"_s),
        qPrintable(m_dialogs->messages[0].text));
    QCOMPARE(m_dialogs->ends, 0);
    QVERIFY(button(u"PushButton4"_s)->isEnabled());
}

QTEST_MAIN(TestForm1Update)
#include "tst_form1update.moc"
