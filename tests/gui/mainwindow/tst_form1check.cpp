#include "Form1OfficeFixture.h"
#include "TestData.h"
#include "data/PrizeStore.h"
#include "data/ThaiCalendar.h"
#include "mainwindow/CheckResultWindow.h"
#include "mainwindow/Form1.h"
#include "updater/GloApiSource.h"
#include "widgets/Dialogs.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QByteArray changedStored = "25690816,004615,428,731,094,937,53";
const QByteArray changedOffice = "25690816,004615,429,731,094,937,53";
const QByteArray agreeing = "25690801,123456,111,222,333,444,55";
const QByteArray unknown = "25690716,654321,999,888,777,666,11";
const QByteArray missing = "25690701,222222,101,202,303,404,22";
const QByteArray oldest = "25690616,444444,135,246,357,468,44";

} // namespace

/// The check against the lottery office from the main window: the menu item, the result window and the write.
class TestForm1Check : public QObject, Form1OfficeFixture
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void theDrawListOffersTheCheck();
    void resultListsEachKindAndWritesNothing();
    void applyTellsTheOutcome_data();
    void applyTellsTheOutcome();
    void aSelectionNarrowsTheCheck();
    void cancelFromTheProgressDialog();
    void theOfficesTablesGoIntoThePrizeStore();

private:
    void start(const QByteArray& content);
    QString dbPath() const { return m_dir->filePath(u"db.dll"_s); }
    QAction* checkAction() const;
    CheckResultWindow* runCheck();

    QByteArray m_content;
};

void TestForm1Check::init()
{
    setUpOffice(SteppingClock::afterTestDraws());
    m_api->addDrawLines({QString::fromLatin1(changedOffice), QString::fromLatin1(agreeing),
        QString::fromLatin1(missing), QString::fromLatin1(oldest)});
    start(changedStored + "\r\n" + agreeing + "\r\n" + unknown + "\r\n" + oldest + "\r\n");
}

void TestForm1Check::cleanup()
{
    tearDownOffice();
}

void TestForm1Check::start(const QByteArray& content)
{
    m_content = content;
    startForm(&content, false);
}

QAction* TestForm1Check::checkAction() const
{
    auto* list = m_form->findChild<QAbstractItemView*>(u"ListBox2"_s);
    if (!list) {
        return nullptr;
    }
    for (QAction* action : list->actions()) {
        if (action->objectName() == u"actionCheckAgainstOffice") {
            return action;
        }
    }
    return nullptr;
}

CheckResultWindow* TestForm1Check::runCheck()
{
    QAction* action = checkAction();
    if (!action) {
        return nullptr;
    }
    action->trigger();
    return m_form->findChild<CheckResultWindow*>(u"CheckResultWindow"_s);
}

void TestForm1Check::theDrawListOffersTheCheck()
{
    auto* list = m_form->findChild<QAbstractItemView*>(u"ListBox2"_s);
    QVERIFY(list);
    QCOMPARE(list->contextMenuPolicy(), Qt::ActionsContextMenu);
    QAction* action = checkAction();
    QVERIFY(action);
    QCOMPARE(action->text(), u"ตรวจสอบกับสำนักงานสลาก..."_s);
}

void TestForm1Check::resultListsEachKindAndWritesNothing()
{
    CheckResultWindow* window = runCheck();
    QVERIFY(window);
    QVERIFY(window->isVisible());
    QVERIFY(m_dialogs->messages.isEmpty());
    QCOMPARE(window->windowTitle(), u"ตรวจสอบกับสำนักงานสลาก"_s);
    QCOMPARE(window->findChild<QLabel*>(u"checkSummary"_s)->text(),
        u"ตรวจสอบ 4 งวด: ตรงกัน 2 งวด ไม่ตรงกัน 1 งวด สำนักงานสลากไม่มีข้อมูล 1 งวด ไม่มีในฐานข้อมูล 1 งวด"_s);

    const QAbstractItemModel* model = window->findChild<QAbstractItemView*>(u"checkResultTable"_s)->model();
    QCOMPARE(model->rowCount(), 3);
    const auto cell = [model](int row, int column) { return model->index(row, column).data().toString(); };
    QCOMPARE(model->headerData(4, Qt::Horizontal).toString(), u"ช่องที่ไม่ตรงกัน"_s);
    // The differing draw: both lines, and the differing field named in words, not only marked in colour.
    QCOMPARE(cell(0, 0), u"16 สิงหาคม 2569"_s);
    QCOMPARE(cell(0, 1), u"ไม่ตรงกัน"_s);
    QCOMPARE(cell(0, 2), QString::fromLatin1(changedStored));
    QCOMPARE(cell(0, 3), QString::fromLatin1(changedOffice));
    QCOMPARE(cell(0, 4), u"3 ตัวครั้งที่1"_s);
    QCOMPARE(model->index(0, 3).data(Qt::AccessibleTextRole).toString(),
        QString::fromLatin1(changedOffice) + u" (ช่องที่ไม่ตรงกัน: 3 ตัวครั้งที่1)"_s);
    QCOMPARE(cell(1, 1), u"ไม่มีในฐานข้อมูล"_s);
    QCOMPARE(cell(1, 3), QString::fromLatin1(missing));
    QCOMPARE(cell(2, 1), u"สำนักงานสลากไม่มีข้อมูล"_s);
    QCOMPARE(cell(2, 2), QString::fromLatin1(unknown));
    // An unknown draw has nothing to take.
    QVERIFY(!model->flags(model->index(2, 0)).testFlag(Qt::ItemIsUserCheckable));

    QCOMPARE(fileBytes(dbPath()), m_content);
    auto* apply = window->findChild<QPushButton*>(u"applyOfficeValuesButton"_s);
    QCOMPARE(apply->text(), u"ใช้ค่าของสำนักงานสลาก"_s);
    QVERIFY(!apply->isEnabled());

    // Ctrl+W closes it, as Esc does.
    QPointer<CheckResultWindow> open(window);
    QApplication::setActiveWindow(window);
    QTRY_COMPARE(QApplication::activeWindow(), window);
    QTest::keyClick(window->findChild<QAbstractItemView*>(u"checkResultTable"_s), Qt::Key_W, Qt::ControlModifier);
    QVERIFY(!window->isVisible());
    QTRY_VERIFY(open.isNull());
}

void TestForm1Check::applyTellsTheOutcome_data()
{
    QTest::addColumn<bool>("changedMeanwhile");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("ends");
    QTest::newRow("written") << false << u"บันทึกค่าของสำนักงานสลากแล้ว %1 งวด\nปิดโปรแกรมเพื่ออัพเดทข้อมูล"_s.arg(1) << 1;
    QTest::newRow("file changed since the check") << true << u"ฐานข้อมูลเปลี่ยนไปหลังการตรวจสอบ กรุณาตรวจสอบใหม่"_s << 0;
}

void TestForm1Check::applyTellsTheOutcome()
{
    QFETCH(bool, changedMeanwhile);
    QFETCH(QString, message);
    QFETCH(int, ends);
    CheckResultWindow* window = runCheck();
    QVERIFY(window);
    const QByteArray changed = m_content + "25690601,555555,111,111,111,111,55\r\n";
    if (changedMeanwhile) {
        QFile file(dbPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(changed), changed.size());
    }

    // The differing draw ticked: the office's line takes its place.
    QAbstractItemModel* model = window->findChild<QAbstractItemView*>(u"checkResultTable"_s)->model();
    QVERIFY(model->setData(model->index(0, 0), Qt::Checked, Qt::CheckStateRole));
    window->findChild<QPushButton*>(u"applyOfficeValuesButton"_s)->click();

    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->messages.first().text, message);
    QCOMPARE(m_dialogs->ends, ends);
    if (changedMeanwhile) {
        QCOMPARE(fileBytes(dbPath()), changed);
        QVERIFY(window->isVisible());
        return;
    }
    QCOMPARE(fileBytes(dbPath()), QByteArray(changedOffice + m_content.mid(changedStored.size())));
    QCOMPARE(m_form->list2().first(), QString::fromLatin1(changedOffice));
    QCOMPARE(m_form->findChild<QLabel*>(u"Label1"_s)->text(), drawCaption(u"25690816"));
}

void TestForm1Check::aSelectionNarrowsTheCheck()
{
    auto* list = m_form->findChild<QAbstractItemView*>(u"ListBox2"_s);
    list->selectionModel()->select(list->model()->index(1, 0), QItemSelectionModel::Select);
    QVERIFY(m_form->isDrawSelected(1));

    CheckResultWindow* window = runCheck();
    QVERIFY(window);
    QCOMPARE(m_api->askedDates(), QList<QDate> {QDate(2026, 8, 1)});
    QCOMPARE(window->findChild<QAbstractItemView*>(u"checkResultTable"_s)->model()->rowCount(), 0);
    QVERIFY(window->findChild<QLabel*>(u"checkSummary"_s)->text().endsWith(u"\nทุกงวดตรงกับข้อมูลของสำนักงานสลาก"_s));
}

void TestForm1Check::cancelFromTheProgressDialog()
{
    // A clock that stands still: the pause before the first draw never ends, and the dialog comes up meanwhile.
    m_clock->setStep(std::chrono::milliseconds(0));
    QString shownText;
    QTimer poll;
    poll.setInterval(10);
    connect(&poll, &QTimer::timeout, this, [this, &poll, &shownText] {
        auto* dialog = m_form->findChild<QProgressDialog*>(u"checkProgressDialog"_s);
        if (!dialog || !dialog->isVisible()) {
            return;
        }
        QCOMPARE(dialog->windowModality(), Qt::WindowModal);
        shownText = dialog->labelText();
        for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
            if (button->text() == u"ยกเลิก") {
                poll.stop();
                button->click();
            }
        }
    });
    poll.start();

    QVERIFY(!runCheck());
    QCOMPARE(shownText, u"กำลังตรวจสอบงวด 16 สิงหาคม 2569 (1 จาก 4)"_s);
    QVERIFY(m_dialogs->messages.isEmpty());
    QCOMPARE(fileBytes(dbPath()), m_content);
    QVERIFY(m_api->askedDates().isEmpty());
    QVERIFY(m_form->findChild<QPushButton*>(u"PushButton4"_s)->isEnabled());
}

void TestForm1Check::theOfficesTablesGoIntoThePrizeStore()
{
    m_api->addSavedDraw(u"getLotteryResult-2020-04-01.json"_s);
    m_api->addSavedDraw(u"getLotteryResult-2015-08-16.json"_s);
    m_form.reset();
    // The April draw is stored with another two-digit number than the office's; the August one as the office has it.
    start("25630401,051095,430,285,191,364,23\r\n25580816,033363,781,227,624,648,40\r\n");
    const auto lowestSecondPrizes = [this] {
        PrizeStore store(m_dir->filePath(u"prizes.sqlite"_s));
        QStringList lowest;
        if (store.open().ok()) {
            for (const QString& key : {u"25630401"_s, u"25580816"_s}) {
                const Result<std::optional<DrawPrizes>> table = store.draw(key);
                lowest.append(
                    table.ok() && table.value() ? table.value()->numbersOf(PrizeKind::Second).first() : u"none"_s);
            }
        }
        return lowest;
    };

    CheckResultWindow* window = runCheck();
    QVERIFY(window);
    QCOMPARE(lowestSecondPrizes(), (QStringList {u"none"_s, u"237761"_s}));
    QVERIFY(m_dialogs->messages.isEmpty());

    QAbstractItemModel* model = window->findChild<QAbstractItemView*>(u"checkResultTable"_s)->model();
    QCOMPARE(model->index(0, 2).data().toString(), u"25630401,051095,430,285,191,364,23"_s);
    QVERIFY(model->setData(model->index(0, 0), Qt::Checked, Qt::CheckStateRole));
    window->findChild<QPushButton*>(u"applyOfficeValuesButton"_s)->click();
    QCOMPARE(m_dialogs->ends, 1);
    QCOMPARE(lowestSecondPrizes(), (QStringList {u"146823"_s, u"237761"_s}));
}

QTEST_MAIN(TestForm1Check)
#include "tst_form1check.moc"
