#include "DialogRecorder.h"
#include "FakeResultSite.h"
#include "SteppingClock.h"
#include "data/ResultsFile.h"
#include "data/ThaiCalendar.h"
#include "mainwindow/Form1.h"
#include "mainwindow/MainWindowTexts.h"
#include "updater/NetworkTexts.h"
#include "updater/PageDrawSource.h"
#include "updater/UpdaterTexts.h"
#include "widgets/Dialogs.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// Draws newest first, as the result page lists them.
const QList<DrawRecord> allDraws {
    {u"25531016"_s, u"016016"_s, u"101"_s, u"102"_s, u"103"_s, u"104"_s, u"10"_s},
    {u"25531001"_s, u"001001"_s, u"777"_s, u"777"_s, u"012"_s, u"012"_s, u"01"_s},
    {u"25530916"_s, u"916916"_s, u"901"_s, u"902"_s, u"903"_s, u"904"_s, u"09"_s},
    {u"25530901"_s, u"000123"_s, u"000"_s, u"001"_s, u"002"_s, u"003"_s, u"00"_s},
    {u"25530816"_s, u"123456"_s, u"111"_s, u"222"_s, u"333"_s, u"444"_s, u"55"_s},
};

QList<DrawRecord> drawsAt(const QList<int>& indexes)
{
    QList<DrawRecord> draws;
    for (int index : indexes) {
        draws.append(allDraws.at(index));
    }
    return draws;
}

QByteArray fileOf(const QList<int>& indexes)
{
    QByteArray bytes;
    for (const DrawRecord& draw : drawsAt(indexes)) {
        bytes += ResultsFile::formatDrawLine(draw).toLatin1() + "\r\n";
    }
    return bytes;
}

QStringList keysOf(const QList<int>& indexes, const QString& suffix = {})
{
    QStringList keys;
    for (const DrawRecord& draw : drawsAt(indexes)) {
        keys.append(draw.drawDate + suffix);
    }
    return keys;
}

} // namespace

class TestForm1Update : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void updatePutsNewDrawsInFront_data();
    void updatePutsNewDrawsInFront();
    void updateFailureWritesNothing_data();
    void updateFailureWritesNothing();
    void updateWaitsForSlowDrawPage();
    void updateReportsFailedWrite();
    void updateReportsReadOnlyDirectory();
    void closingCancelsUpdate();
    void secondRunCannotStart();
    void fullDownload_data();
    void fullDownload();
    void fullDownloadStopsAtBadDraw();
    void closingCancelsFullDownload();
    void workButtonsCannotBePressedFromOutside();
    void unreadableFileIsNeverReplaced_data();
    void unreadableFileIsNeverReplaced();
    void updateTakesTheGreatestKeyAsNewest();
    void fullDownloadKeepsOrderAndNextUpdateAddsNothing();
    void updateAfterDownloadKeepsWhatItWrote();

private:
    /// A main window over `content` (no file when null) whose updater reads the result page at `page`.
    std::unique_ptr<Form1> start(const QUrl& page, const QByteArray* content);
    QByteArray fileBytes() const;
    QPushButton* button(Form1& form, const QString& name) { return form.findChild<QPushButton*>(name); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<DialogRecorder> m_dialogs;
    SteppingClock m_clock {std::chrono::milliseconds(250)};
};

void TestForm1Update::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_dialogs = std::make_unique<DialogRecorder>();
}

void TestForm1Update::cleanup()
{
    m_dialogs.reset();
}

std::unique_ptr<Form1> TestForm1Update::start(const QUrl& page, const QByteArray* content)
{
    if (content) {
        QFile file(m_dir->filePath(u"db.dll"_s));
        if (!file.open(QIODevice::WriteOnly) || file.write(*content) != content->size()) {
            return nullptr;
        }
    }
    Form1Config config;
    config.programDirectory = m_dir->path();
    config.makeDrawSource = [this, page]() -> std::unique_ptr<DrawSource> {
        return std::make_unique<PageDrawSource>(page, m_clock, PageClient::Limits {2000, 5, 1 << 20});
    };
    config.clock = &m_clock;
    auto form = std::make_unique<Form1>(std::move(config));
    form->load();
    form->show();
    return form;
}

QByteArray TestForm1Update::fileBytes() const
{
    QFile file(m_dir->filePath(u"db.dll"_s));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

void TestForm1Update::updatePutsNewDrawsInFront_data()
{
    QTest::addColumn<bool>("fileExists");
    QTest::addColumn<QList<int>>("stored");
    QTest::addColumn<QList<int>>("listed");
    QTest::addColumn<QList<int>>("expected");
    QTest::addColumn<int>("listLoads");

    QTest::newRow("two new draws") << true << QList<int> {2, 3} << QList<int> {0, 1, 2, 3, 4} << QList<int> {0, 1, 2, 3}
                                   << 1;
    QTest::newRow("no new draw") << true << QList<int> {0, 1} << QList<int> {0, 1, 2} << QList<int> {0, 1} << 1;
    QTest::newRow("only newer draws listed")
        << true << QList<int> {2, 3, 4} << QList<int> {0, 1} << QList<int> {0, 1, 2, 3, 4} << 3;
    QTest::newRow("empty file") << true << QList<int> {} << QList<int> {0, 1, 2} << QList<int> {0, 1, 2} << 1;
    QTest::newRow("missing file") << false << QList<int> {} << QList<int> {1, 2} << QList<int> {1, 2} << 1;
}

void TestForm1Update::updatePutsNewDrawsInFront()
{
    QFETCH(bool, fileExists);
    QFETCH(QList<int>, stored);
    QFETCH(QList<int>, listed);
    QFETCH(QList<int>, expected);
    QFETCH(int, listLoads);

    FakeResultSite site(drawsAt(listed));
    QVERIFY(site.listen());
    const QByteArray content = fileOf(stored);
    auto form = start(site.resultPageUrl(), fileExists ? &content : nullptr);
    QVERIFY(form);

    button(*form, u"PushButton4"_s)->click();

    QCOMPARE(fileBytes(), fileOf(expected));
    QCOMPARE(site.listLoads(), listLoads);
    // Each new draw was shown once; no stored draw was fetched.
    QStringList fetched = keysOf(expected);
    fetched = fetched.mid(0, expected.size() - stored.size());
    QCOMPARE(site.chosenValues(), fetched);
    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->messages[0].icon, Dialogs::Icon::Information);
    QCOMPARE(m_dialogs->messages[0].title, MainWindowTexts::closingTitle().toString());
    QCOMPARE(m_dialogs->messages[0].text, MainWindowTexts::closingMessage().toString());
    QCOMPARE(m_dialogs->ends, 1);
    QCOMPARE(form->findChild<QLabel*>(u"Label1"_s)->text(), drawCaption(allDraws.at(expected.first()).drawDate));
    QCOMPARE(form->list2(), QString::fromLatin1(fileOf(expected)).split(u"\r\n"_s, Qt::SkipEmptyParts));
    QVERIFY(!button(*form, u"PushButton4"_s)->isEnabled());
}

void TestForm1Update::updateFailureWritesNothing_data()
{
    QTest::addColumn<int>("listFault");
    QTest::addColumn<int>("drawFault");
    QTest::addColumn<bool>("noServer");
    QTest::addColumn<QString>("message");

    const int none = int(ResultSiteFault::None);
    QTest::newRow("page unreachable") << none << none << true << UpdaterTexts::pageNotLoaded().toString();
    QTest::newRow("page 500") << int(ResultSiteFault::ServerError) << none << false
                              << NetworkTexts::httpStatus().toString().arg(500);
    QTest::newRow("page 404") << int(ResultSiteFault::NotFound) << none << false
                              << NetworkTexts::httpStatus().toString().arg(404);
    QTest::newRow("connection dropped") << int(ResultSiteFault::DropConnection) << none << false
                                        << UpdaterTexts::pageNotLoaded().toString();
    QTest::newRow("no selector") << int(ResultSiteFault::NoSelector) << none << false
                                 << UpdaterTexts::noDrawSelector().toString();
    QTest::newRow("no button") << int(ResultSiteFault::NoButton) << none << false
                               << UpdaterTexts::noShowButton().toString();
    QTest::newRow("missing numbers") << none << int(ResultSiteFault::FewNumbers) << false
                                     << UpdaterTexts::numbersMissing().toString().arg(drawTitle(u"25531001"));
    QTest::newRow("draw page error") << none << int(ResultSiteFault::ServerError) << false
                                     << NetworkTexts::httpStatus().toString().arg(500);
}

void TestForm1Update::updateFailureWritesNothing()
{
    QFETCH(int, listFault);
    QFETCH(int, drawFault);
    QFETCH(bool, noServer);
    QFETCH(QString, message);

    FakeResultSite site(allDraws);
    site.setListFault(ResultSiteFault(listFault));
    site.setDrawFault(u"25531001"_s, ResultSiteFault(drawFault));
    QVERIFY(site.listen());
    QUrl page = site.resultPageUrl();
    if (noServer) {
        // A port that was just free and has nobody listening.
        auto closed = std::make_unique<LocalHttpServer>(LocalHttpServer::Handler());
        QVERIFY(closed->listen());
        page.setPort(closed->baseUrl().port());
    }
    const QByteArray content = fileOf({2, 3});
    auto form = start(page, &content);
    auto* label = form->findChild<QLabel*>(u"Label1"_s);
    const QString caption = label->text();

    button(*form, u"PushButton4"_s)->click();

    QCOMPARE(fileBytes(), content);
    QCOMPARE(m_dialogs->ends, 0);
    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->messages[0].icon, Dialogs::Icon::Warning);
    QVERIFY2(m_dialogs->messages[0].text.contains(message), qPrintable(m_dialogs->messages[0].text));
    QVERIFY(m_dialogs->messages[0].text.contains(UpdaterTexts::nothingWritten()));
    QVERIFY(button(*form, u"PushButton4"_s)->isEnabled());
    QVERIFY(!form->updaterRunning());
    QCOMPARE(label->text(), caption);
    QCOMPARE(form->list2(),
        QStringList({ResultsFile::formatDrawLine(allDraws[2]), ResultsFile::formatDrawLine(allDraws[3])}));
    QVERIFY(form->list3().isEmpty());
    QVERIFY(QDir(m_dir->path()).entryList(QDir::Files) == QStringList({u"db.dll"_s}));
}

void TestForm1Update::updateWaitsForSlowDrawPage()
{
    // The new draw's page comes much later than the pauses, which the stepping clock ends at once.
    FakeResultSite site(allDraws);
    site.setDrawFault(u"25531016"_s, ResultSiteFault::None, 400);
    QVERIFY(site.listen());
    const QByteArray content = fileOf({1, 2});
    auto form = start(site.resultPageUrl(), &content);

    button(*form, u"PushButton4"_s)->click();

    QCOMPARE(fileBytes(), fileOf({0, 1, 2}));
    QCOMPARE(m_dialogs->ends, 1);
}

void TestForm1Update::updateReportsFailedWrite()
{
    FakeResultSite site(allDraws);
    QVERIFY(site.listen());
    const QByteArray content = fileOf({1, 2});
    auto form = start(site.resultPageUrl(), &content);
    // The program's directory goes away after start-up: nothing can be written there any more.
    QVERIFY(m_dir->remove());

    button(*form, u"PushButton4"_s)->click();

    QCOMPARE(m_dialogs->ends, 0);
    QCOMPARE(m_dialogs->messages.size(), 1);
    QVERIFY2(
        m_dialogs->messages[0].text.contains(UpdaterTexts::writeFailed()), qPrintable(m_dialogs->messages[0].text));
    QVERIFY(button(*form, u"PushButton4"_s)->isEnabled());
    QCOMPARE(form->list2().size(), 2);
}

void TestForm1Update::updateReportsReadOnlyDirectory()
{
    if (::geteuid() == 0) {
        QSKIP("The superuser writes into read-only directories.");
    }
    FakeResultSite site(allDraws);
    QVERIFY(site.listen());
    const QByteArray content = fileOf({1, 2});
    auto form = start(site.resultPageUrl(), &content);
    QFile::Permissions permissions = QFile::permissions(m_dir->path());
    QVERIFY(QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::ExeOwner));

    button(*form, u"PushButton4"_s)->click();

    QVERIFY(QFile::setPermissions(m_dir->path(), permissions));
    QCOMPARE(fileBytes(), content);
    QCOMPARE(m_dialogs->ends, 0);
    QCOMPARE(m_dialogs->messages.size(), 1);
    QVERIFY2(m_dialogs->messages[0].text.contains(UpdaterTexts::directoryReadOnly().toString().arg(m_dir->path())),
        qPrintable(m_dialogs->messages[0].text));
}

void TestForm1Update::closingCancelsUpdate()
{
    FakeResultSite site(allDraws);
    site.setDrawFault(u"25531001"_s, ResultSiteFault::None, 10000);
    QVERIFY(site.listen());
    const QByteArray content = fileOf({2});
    auto form = start(site.resultPageUrl(), &content);
    // Close the window while the second new draw's page is on its way.
    QTimer poll;
    connect(&poll, &QTimer::timeout, form.get(), [&site, &form] {
        if (site.chosenValues().size() == 2) {
            form->close();
        }
    });
    poll.start(10);

    button(*form, u"PushButton4"_s)->click();

    QCOMPARE(site.chosenValues().size(), 2);
    QCOMPARE(fileBytes(), content);
    QVERIFY(m_dialogs->messages.isEmpty());
    QCOMPARE(m_dialogs->ends, 0);
    QVERIFY(!form->updaterRunning());
}

void TestForm1Update::secondRunCannotStart()
{
    FakeResultSite site(allDraws);
    site.setDrawFault(u"25531016"_s, ResultSiteFault::None, 300);
    QVERIFY(site.listen());
    const QByteArray content = fileOf({1, 2});
    auto form = start(site.resultPageUrl(), &content);
    bool triedAgain = false;
    QTimer::singleShot(100, form.get(), [this, &form, &triedAgain] {
        // Events run during the update's waits: a click on either button must not start another run.
        QVERIFY(form->updaterRunning());
        button(*form, u"PushButton1"_s)->click();
        button(*form, u"PushButton4"_s)->click();
        triedAgain = true;
    });

    button(*form, u"PushButton4"_s)->click();

    QVERIFY(triedAgain);
    QCOMPARE(site.listLoads(), 1);
    QCOMPARE(fileBytes(), fileOf({0, 1, 2}));
    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->ends, 1);
}

void TestForm1Update::fullDownload_data()
{
    QTest::addColumn<QList<int>>("stored");
    QTest::addColumn<QList<int>>("listed");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("empty file") << QList<int> {} << QList<int> {0, 1, 2, 3, 4} << fileOf({0, 1, 2, 3, 4});
    QTest::newRow("stored draws skipped, each new one in its place")
        << QList<int> {1, 3} << QList<int> {0, 1, 2, 3, 4} << fileOf({0, 1, 2, 3, 4});
}

void TestForm1Update::fullDownload()
{
    QFETCH(QList<int>, stored);
    QFETCH(QList<int>, listed);
    QFETCH(QByteArray, expected);

    FakeResultSite site(drawsAt(listed));
    // Option values carry more than the key; the file gets the key alone.
    site.setOptionSuffix(u"xyz"_s);
    QVERIFY(site.listen());
    const QByteArray content = fileOf(stored);
    auto form = start(site.resultPageUrl(), &content);
    const QStringList list2 = form->list2();

    button(*form, u"PushButton1"_s)->click();

    QCOMPARE(fileBytes(), expected);
    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->messages[0].icon, Dialogs::Icon::None);
    QVERIFY(m_dialogs->messages[0].title.isEmpty());
    QCOMPARE(m_dialogs->messages[0].text, MainWindowTexts::downloadDone().toString());
    QCOMPARE(m_dialogs->ends, 0);
    QCOMPARE(form->list1(), keysOf(listed, u"xyz"_s));
    QCOMPARE(form->list2(), list2);
    QVERIFY(button(*form, u"PushButton4"_s)->isEnabled());

    // A second run finds every draw stored and adds nothing.
    m_dialogs->messages.clear();
    button(*form, u"PushButton1"_s)->click();
    QCOMPARE(fileBytes(), expected);
    QCOMPARE(m_dialogs->messages.size(), 1);
}

void TestForm1Update::fullDownloadStopsAtBadDraw()
{
    FakeResultSite site(allDraws);
    site.setDrawFault(u"25530916"_s, ResultSiteFault::FewNumbers);
    QVERIFY(site.listen());
    auto form = start(site.resultPageUrl(), nullptr);

    button(*form, u"PushButton1"_s)->click();

    // The lines written before the bad draw stay; nothing after it is fetched.
    QCOMPARE(fileBytes(), fileOf({0, 1}));
    QCOMPARE(site.chosenValues(), keysOf({0, 1, 2}));
    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->messages[0].icon, Dialogs::Icon::Warning);
    QVERIFY(m_dialogs->messages[0].text.contains(UpdaterTexts::downloadStopped()));
    QVERIFY(
        m_dialogs->messages[0].text.contains(UpdaterTexts::numbersMissing().toString().arg(drawTitle(u"25530916"))));
}

void TestForm1Update::closingCancelsFullDownload()
{
    FakeResultSite site(allDraws);
    site.setDrawFault(u"25531001"_s, ResultSiteFault::None, 10000);
    QVERIFY(site.listen());
    auto form = start(site.resultPageUrl(), nullptr);
    QTimer poll;
    connect(&poll, &QTimer::timeout, form.get(), [&site, &form] {
        if (site.chosenValues().size() == 2) {
            form->close();
        }
    });
    poll.start(10);

    button(*form, u"PushButton1"_s)->click();

    // The draw fetched before the window closed stays; nothing of the one under way is written.
    QCOMPARE(fileBytes(), fileOf({0}));
    QVERIFY(m_dialogs->messages.isEmpty());
    QVERIFY(!form->updaterRunning());
}

void TestForm1Update::workButtonsCannotBePressedFromOutside()
{
    FakeResultSite site(allDraws);
    QVERIFY(site.listen());
    const QByteArray content = fileOf({1});
    auto form = start(site.resultPageUrl(), &content);
    QApplication::setActiveWindow(form.get());
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    QCOMPARE(QApplication::focusWidget(), button(*form, u"PushButton4"_s));

    // Shift+Tab from the start-up focus, then Space: never the hidden full download.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QVERIFY(QApplication::focusWidget() != button(*form, u"PushButton1"_s));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    for (const QString& name : {u"PushButton1"_s, u"PushButton2"_s}) {
        QPushButton* work = button(*form, name);
        QCOMPARE(work->focusPolicy(), Qt::NoFocus);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(work);
        QVERIFY(accessible);
        QVERIFY2(
            !accessible->actionInterface() || accessible->actionInterface()->actionNames().isEmpty(), qPrintable(name));
        QCOMPARE(accessible->role(), QAccessible::NoRole);
    }
    QCOMPARE(site.listLoads(), 0);
    QVERIFY(!form->updaterRunning());
    QCOMPARE(fileBytes(), content);
}

void TestForm1Update::unreadableFileIsNeverReplaced_data()
{
    QTest::addColumn<QString>("buttonName");
    QTest::newRow("update") << u"PushButton4"_s;
    QTest::newRow("full download") << u"PushButton1"_s;
}

void TestForm1Update::unreadableFileIsNeverReplaced()
{
    // A directory stands where the file should be: it cannot be read, even by the superuser.
    QFETCH(QString, buttonName);
    FakeResultSite site(allDraws);
    QVERIFY(site.listen());
    QVERIFY(QDir(m_dir->path()).mkdir(u"db.dll"_s));
    QVERIFY(QFile(m_dir->filePath(u"db.dll/keep"_s)).open(QIODevice::WriteOnly));
    auto form = start(site.resultPageUrl(), nullptr);
    QCOMPARE(form->findChild<QLabel*>(u"Label1"_s)->text(), u"อ่านฐานข้อมูลไม่ได้"_s);

    button(*form, buttonName)->click();

    QCOMPARE(site.chosenValues(), QStringList());
    QVERIFY(QFileInfo(m_dir->filePath(u"db.dll"_s)).isDir());
    QVERIFY(QFile::exists(m_dir->filePath(u"db.dll/keep"_s)));
    QCOMPARE(m_dialogs->messages.size(), 1);
    QCOMPARE(m_dialogs->messages[0].icon, Dialogs::Icon::Warning);
    QVERIFY2(m_dialogs->messages[0].text.startsWith(u"อ่านฐานข้อมูล (db.dll) ไม่ได้ จึงไม่อัพเดท"_s),
        qPrintable(m_dialogs->messages[0].text));
    QCOMPARE(m_dialogs->ends, 0);
    QVERIFY(button(*form, u"PushButton4"_s)->isEnabled());
}

void TestForm1Update::updateTakesTheGreatestKeyAsNewest()
{
    // The first line is not the newest draw: only the draw newer than the greatest key is fetched.
    FakeResultSite site(allDraws);
    QVERIFY(site.listen());
    const QByteArray content = fileOf({2, 1, 3});
    auto form = start(site.resultPageUrl(), &content);

    button(*form, u"PushButton4"_s)->click();

    QCOMPARE(site.chosenValues(), keysOf({0}));
    QCOMPARE(fileBytes(), fileOf({0}) + content);
    QCOMPARE(m_dialogs->ends, 1);
}

void TestForm1Update::fullDownloadKeepsOrderAndNextUpdateAddsNothing()
{
    // Stored: 1 and 3; listed: 0 to 4. Each fetched draw goes into its place by key.
    FakeResultSite site(allDraws);
    QVERIFY(site.listen());
    const QByteArray content = fileOf({1, 3});
    auto form = start(site.resultPageUrl(), &content);

    button(*form, u"PushButton1"_s)->click();
    QCOMPARE(fileBytes(), fileOf({0, 1, 2, 3, 4}));
    // The file as it was before the download is kept as the backup, not the one before its last draw.
    QFile backup(m_dir->filePath(u"db.dll.bak"_s));
    QVERIFY(backup.open(QIODevice::ReadOnly));
    QCOMPARE(backup.readAll(), content);

    // The next start's update finds nothing new and writes no key twice.
    m_dialogs->messages.clear();
    form = start(site.resultPageUrl(), nullptr);
    button(*form, u"PushButton4"_s)->click();
    QCOMPARE(fileBytes(), fileOf({0, 1, 2, 3, 4}));
    QCOMPARE(m_dialogs->ends, 1);
}

void TestForm1Update::updateAfterDownloadKeepsWhatItWrote()
{
    // The download adds 0, 2 and 4 to the file while the window's lists still hold 1 and 3; the update that follows
    // in the same window works from the file, so it finds nothing new and drops none of them.
    FakeResultSite site(allDraws);
    QVERIFY(site.listen());
    const QByteArray content = fileOf({1, 3});
    auto form = start(site.resultPageUrl(), &content);

    button(*form, u"PushButton1"_s)->click();
    QCOMPARE(fileBytes(), fileOf({0, 1, 2, 3, 4}));
    button(*form, u"PushButton4"_s)->click();
    QCOMPARE(fileBytes(), fileOf({0, 1, 2, 3, 4}));
}

QTEST_MAIN(TestForm1Update)
#include "tst_form1update.moc"
