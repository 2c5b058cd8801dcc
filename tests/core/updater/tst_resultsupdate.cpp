#include "FakeGloApi.h"
#include "FakeResultSite.h"
#include "SteppingClock.h"
#include "TestData.h"
#include "data/PrizeStore.h"
#include "data/ResultsFile.h"
#include "data/ResultsFileLock.h"
#include "data/ThaiCalendar.h"
#include "updater/GloApiSource.h"
#include "updater/GloApiTexts.h"
#include "updater/PageDrawSource.h"
#include "updater/ResultsUpdate.h"
#include "updater/UpdaterTexts.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>
#include <unistd.h>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(GloFault)

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

QStringList linesAt(const QList<int>& indexes)
{
    QStringList lines;
    for (const DrawRecord& draw : drawsAt(indexes)) {
        lines.append(ResultsFile::formatDrawLine(draw));
    }
    return lines;
}

QStringList keysOf(const QList<int>& indexes, const QString& suffix = {})
{
    QStringList keys;
    for (const QString& line : linesAt(indexes)) {
        keys.append(line.left(8) + suffix);
    }
    return keys;
}

QByteArray fileOf(const QList<int>& indexes)
{
    return resultBytes(linesAt(indexes));
}

enum class Flow { Update, FullDownload };

} // namespace

Q_DECLARE_METATYPE(Flow)

/// The update and the full download against the fake result page and the fake of the office's JSON API, on a
/// results file in a directory of their own, with a clock that lets the pauses pass at once.
class TestResultsUpdate : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    // From the result page.
    void updatePutsNewDrawsInFront_data();
    void updatePutsNewDrawsInFront();
    void pageFailuresWriteNothing_data();
    void pageFailuresWriteNothing();
    void failedWriteIsTold_data();
    void failedWriteIsTold();
    void refusesAFileItMustNotReplace_data();
    void refusesAFileItMustNotReplace();
    void fullDownloadPutsEachDrawInItsPlace_data();
    void fullDownloadPutsEachDrawInItsPlace();
    void fullDownloadKeepsWhatItWroteBeforeABadDraw();

    // From the JSON API.
    void apiFailuresWriteNothing_data();
    void apiFailuresWriteNothing();
    void progressTellsEachStep_data();
    void progressTellsEachStep();
    void cancelStopsTheWork_data();
    void cancelStopsTheWork();
    void fullDownloadOnADrawDayWritesTheCompleteDraws();
    void fetchedPrizeTablesAreStored_data();
    void fetchedPrizeTablesAreStored();
    void storeIsCompletedNewestFirst();
    void completionCancelledKeepsTheStoredTables();
    void forgedAnswerIsNeverStored();
    void secondWriterIsRefused_data();
    void secondWriterIsRefused();

private:
    bool writeFile(const QByteArray& content) const;
    std::unique_ptr<DrawSource> pageSource(const QUrl& page);
    ResultsUpdate::Outcome run(DrawSource& source, Flow flow, const ResultsUpdate::Options& options = {});
    QString dbPath() const { return m_dir->filePath(u"db.dll"_s); }
    /// The newest `count` draws up to 1 Sep 2015 stored, an empty prize store, and the office knowing the stored
    /// draws: the two newest from its saved answers with whole tables, the others without. The stored lines.
    QStringList storeWithoutTables(qsizetype count);
    /// The office's saved answers of 16 Aug and 1 Sep 2015, with their whole tables.
    void serveSavedDraws();
    /// The file holds `stored`, whose three newest draws the office knows besides its saved answers.
    bool storeAndServe(const QByteArray& stored);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakeGloApi> m_api;
    std::unique_ptr<SteppingClock> m_clock;
    /// The flow under way, for a test that cancels it.
    ResultsUpdate* m_updater = nullptr;
    /// The progress texts, each once in a row.
    QStringList m_steps;
};

void TestResultsUpdate::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_api = std::make_unique<FakeGloApi>();
    QVERIFY(m_api->listen());
    m_clock = std::make_unique<SteppingClock>();
    m_steps.clear();
}

bool TestResultsUpdate::writeFile(const QByteArray& content) const
{
    QFile file(dbPath());
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

QStringList TestResultsUpdate::storeWithoutTables(qsizetype count)
{
    const QStringList lines = resultLines(bundledResultsFrom("25580901")).first(count);
    if (!writeFile(resultBytes(lines)) || !PrizeStore(prizeStorePath(dbPath())).open()) {
        return {};
    }
    m_api->addDrawLines(lines.mid(2));
    serveSavedDraws();
    return lines;
}

void TestResultsUpdate::serveSavedDraws()
{
    m_api->addSavedDraw(u"getLotteryResult-2015-08-16.json"_s);
    m_api->addSavedDraw(u"getLotteryResult-2015-09-01.json"_s);
}

bool TestResultsUpdate::storeAndServe(const QByteArray& stored)
{
    m_api->addDrawLines(resultLines(stored).first(3));
    serveSavedDraws();
    return writeFile(stored);
}

std::unique_ptr<DrawSource> TestResultsUpdate::pageSource(const QUrl& page)
{
    m_clock->setStep(std::chrono::milliseconds(250));
    return std::make_unique<PageDrawSource>(page, *m_clock, PageClient::Limits {2000, 5, 1 << 20});
}

ResultsUpdate::Outcome TestResultsUpdate::run(DrawSource& source, Flow flow, const ResultsUpdate::Options& options)
{
    // The user's store starts as the bundled one, which has the tables of the stored draws since 2010.
    ResultsUpdate::Options withStore = options;
    if (withStore.bundledPrizeStore.isEmpty()) {
        withStore.bundledPrizeStore = QStringLiteral(VARENTA_BUNDLED_PRIZES);
    }
    ResultsUpdate updater(ResultsFile(dbPath()), source, *m_clock, withStore);
    m_updater = &updater;
    const auto progress = [this](const UpdateProgress& step) {
        if (m_steps.isEmpty() || m_steps.constLast() != step.text()) {
            m_steps.append(step.text());
        }
    };
    ResultsUpdate::Outcome outcome = flow == Flow::Update ? updater.update(progress) : updater.downloadAll(progress);
    m_updater = nullptr;
    return outcome;
}

void TestResultsUpdate::updatePutsNewDrawsInFront_data()
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
    // The first line is not the newest draw: only the draw newer than the greatest key is fetched.
    QTest::newRow("first line not the newest")
        << true << QList<int> {2, 1, 3} << QList<int> {0, 1, 2, 3, 4} << QList<int> {0, 2, 1, 3} << 1;
}

void TestResultsUpdate::updatePutsNewDrawsInFront()
{
    QFETCH(bool, fileExists);
    QFETCH(QList<int>, stored);
    QFETCH(QList<int>, listed);
    QFETCH(QList<int>, expected);
    QFETCH(int, listLoads);
    FakeResultSite site(drawsAt(listed));
    QVERIFY(site.listen());
    QVERIFY(!fileExists || writeFile(fileOf(stored)));

    const auto outcome = run(*pageSource(site.resultPageUrl()), Flow::Update);

    QVERIFY2(outcome.status.ok(), qPrintable(outcome.status.error()));
    QCOMPARE(fileBytes(dbPath()), fileOf(expected));
    QCOMPARE(site.listLoads(), listLoads);
    // Each new draw was shown once; no stored draw was fetched.
    const QStringList fetched = keysOf(expected).first(expected.size() - stored.size());
    QCOMPARE(site.chosenValues(), fetched);
    QCOMPARE(outcome.newKeys, fetched);
    QCOMPARE(outcome.lines, linesAt(expected));
    QCOMPARE(outcome.drawsWritten, fetched.size());
    QVERIFY(outcome.rewritten);
}

void TestResultsUpdate::pageFailuresWriteNothing_data()
{
    QTest::addColumn<int>("listFault");
    QTest::addColumn<int>("drawFault");
    QTest::addColumn<QString>("message");

    const int none = int(ResultSiteFault::None);
    QTest::newRow("no selector") << int(ResultSiteFault::NoSelector) << none
                                 << UpdaterTexts::noDrawSelector().toString();
    QTest::newRow("missing numbers") << none << int(ResultSiteFault::FewNumbers)
                                     << UpdaterTexts::numbersMissing().toString().arg(drawTitle(u"25531001"));
}

void TestResultsUpdate::pageFailuresWriteNothing()
{
    QFETCH(int, listFault);
    QFETCH(int, drawFault);
    QFETCH(QString, message);
    FakeResultSite site(allDraws);
    site.setListFault(ResultSiteFault(listFault));
    site.setDrawFault(u"25531001"_s, ResultSiteFault(drawFault));
    QVERIFY(site.listen());
    QVERIFY(writeFile(fileOf({2, 3})));

    const auto outcome = run(*pageSource(site.resultPageUrl()), Flow::Update);

    QVERIFY2(outcome.status.error().contains(message), qPrintable(outcome.status.error()));
    QCOMPARE(fileBytes(dbPath()), fileOf({2, 3}));
    QVERIFY(!outcome.rewritten);
    QVERIFY(outcome.lines.isEmpty());
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList({u"db.dll"_s}));
}

void TestResultsUpdate::failedWriteIsTold_data()
{
    QTest::addColumn<bool>("readOnly"); // else: the directory is gone
    QTest::newRow("directory gone") << false;
    QTest::newRow("read-only directory") << true;
}

void TestResultsUpdate::failedWriteIsTold()
{
    QFETCH(bool, readOnly);
    if (readOnly && ::geteuid() == 0) {
        QSKIP("The superuser writes into read-only directories.");
    }
    FakeResultSite site(allDraws);
    QVERIFY(site.listen());
    QVERIFY(writeFile(fileOf({1, 2})));
    const QFile::Permissions permissions = QFile::permissions(m_dir->path());
    QVERIFY(readOnly ? QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::ExeOwner) : m_dir->remove());

    const auto outcome = run(*pageSource(site.resultPageUrl()), Flow::Update);

    QFile::setPermissions(m_dir->path(), permissions);
    const QString expected = readOnly ? UpdaterTexts::directoryReadOnly().toString().arg(m_dir->path())
                                      : UpdaterTexts::writeFailed().toString();
    QVERIFY2(outcome.status.error().startsWith(expected), qPrintable(outcome.status.error()));
    QCOMPARE(fileBytes(dbPath()), readOnly ? fileOf({1, 2}) : QByteArray("(missing)"));
}

void TestResultsUpdate::refusesAFileItMustNotReplace_data()
{
    QTest::addColumn<Flow>("flow");
    QTest::addColumn<QString>("writeProblem"); // else: a file that cannot be read
    QTest::addColumn<QString>("message");

    const QString unreadable = u"อ่านฐานข้อมูล (db.dll) ไม่ได้ จึงไม่อัพเดท"_s;
    const QString problem = u"the data directory cannot be written"_s;
    QTest::newRow("update, unreadable file") << Flow::Update << QString() << unreadable;
    QTest::newRow("full download, file that must not be written") << Flow::FullDownload << problem << problem;
}

void TestResultsUpdate::refusesAFileItMustNotReplace()
{
    QFETCH(Flow, flow);
    QFETCH(QString, writeProblem);
    QFETCH(QString, message);
    FakeResultSite site(allDraws);
    QVERIFY(site.listen());
    if (writeProblem.isEmpty()) {
        // A directory stands where the file should be: it cannot be read, even by the superuser.
        QVERIFY(QDir(m_dir->path()).mkdir(u"db.dll"_s));
    } else {
        QVERIFY(writeFile(fileOf({1})));
    }

    const auto outcome = run(*pageSource(site.resultPageUrl()), flow, {QString(), writeProblem});

    QVERIFY2(outcome.status.error().startsWith(message), qPrintable(outcome.status.error()));
    QCOMPARE(site.listLoads(), 0);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList({u"db.dll"_s}));
    QVERIFY(!outcome.rewritten);
}

void TestResultsUpdate::fullDownloadPutsEachDrawInItsPlace_data()
{
    QTest::addColumn<QList<int>>("stored");
    QTest::addColumn<Flow>("then");
    QTest::newRow("empty file, then a full download") << QList<int> {} << Flow::FullDownload;
    QTest::newRow("stored draws skipped, then an update") << QList<int> {1, 3} << Flow::Update;
}

void TestResultsUpdate::fullDownloadPutsEachDrawInItsPlace()
{
    QFETCH(QList<int>, stored);
    QFETCH(Flow, then);
    FakeResultSite site(allDraws);
    // Option values carry more than the key; the file gets the key alone.
    site.setOptionSuffix(u"xyz"_s);
    QVERIFY(site.listen());
    QVERIFY(writeFile(fileOf(stored)));

    const auto outcome = run(*pageSource(site.resultPageUrl()), Flow::FullDownload);

    QVERIFY2(outcome.status.ok(), qPrintable(outcome.status.error()));
    QCOMPARE(fileBytes(dbPath()), fileOf({0, 1, 2, 3, 4}));
    QCOMPARE(outcome.listedEntries, keysOf({0, 1, 2, 3, 4}, u"xyz"_s));
    QCOMPARE(outcome.drawsWritten, 5 - stored.size());
    // The file as it was before the download is kept as the backup, not the one before its last draw.
    QCOMPARE(fileBytes(dbPath() + u".bak"_s), fileOf(stored));

    // A second run works from the file: it finds every draw stored and writes no key twice.
    const auto again = run(*pageSource(site.resultPageUrl()), then);
    QVERIFY(again.status.ok());
    QCOMPARE(again.drawsWritten, 0);
    QCOMPARE(fileBytes(dbPath()), fileOf({0, 1, 2, 3, 4}));
}

void TestResultsUpdate::fullDownloadKeepsWhatItWroteBeforeABadDraw()
{
    FakeResultSite site(allDraws);
    site.setDrawFault(u"25530916"_s, ResultSiteFault::FewNumbers);
    QVERIFY(site.listen());

    const auto outcome = run(*pageSource(site.resultPageUrl()), Flow::FullDownload);

    // The lines written before the bad draw stay; nothing after it is fetched.
    QCOMPARE(fileBytes(dbPath()), fileOf({0, 1}));
    QCOMPARE(site.chosenValues(), keysOf({0, 1, 2}));
    QCOMPARE(outcome.drawsWritten, 2);
    QCOMPARE(outcome.status.error(), UpdaterTexts::numbersMissing().toString().arg(drawTitle(u"25530916")));
}

void TestResultsUpdate::apiFailuresWriteNothing_data()
{
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QList<GloFault>>("faults");
    QTest::addColumn<QString>("error");

    const QByteArray latest = FakeGloApi::latestPath;
    const QByteArray result = FakeGloApi::resultPath;
    const QString title = drawTitle(u"25580816");
    QTest::newRow("latest: status false")
        << latest << QList<GloFault> {GloFault::StatusFalse} << GloApiTexts::unsuccessful().toString();
    QTest::newRow("draw: placeholders") << result << QList<GloFault> {GloFault::Placeholders}
                                        << GloApiTexts::notComplete().toString().arg(title);
}

void TestResultsUpdate::apiFailuresWriteNothing()
{
    QFETCH(QByteArray, path);
    QFETCH(QList<GloFault>, faults);
    QFETCH(QString, error);
    const QByteArray stored = bundledResultsFrom("25580801");
    QVERIFY(storeAndServe(stored));
    m_api->failNext(path, faults);

    const auto outcome = run(*m_api->updateSource(*m_clock), Flow::Update);

    QVERIFY2(outcome.status.error().contains(error), qPrintable(outcome.status.error()));
    QCOMPARE(fileBytes(dbPath()), stored);
}

void TestResultsUpdate::progressTellsEachStep_data()
{
    QTest::addColumn<bool>("periodsServed");
    QTest::addColumn<QStringList>("steps");
    const QStringList fetching {u"กำลังดึงผลงวด 01 กันยายน 2558 (1 จาก 2)"_s, u"กำลังดึงผลงวด 16 สิงหาคม 2558 (2 จาก 2)"_s};
    QTest::newRow("draw dates by year") << true << (QStringList {u"กำลังค้นหางวดใหม่"_s} + fetching);
    QTest::newRow("likely draw days asked one by one")
        << false << (QStringList {u"กำลังค้นหางวดใหม่"_s, u"กำลังค้นหางวดใหม่ในเดือนสิงหาคม 2558"_s} + fetching);
}

void TestResultsUpdate::progressTellsEachStep()
{
    QFETCH(bool, periodsServed);
    QFETCH(QStringList, steps);
    const QByteArray stored = bundledResultsFrom("25580801");
    QVERIFY(stored.startsWith("25580801,"));
    QVERIFY(storeAndServe(stored));
    m_api->setPeriodsByYearServed(periodsServed);

    const auto outcome = run(*m_api->updateSource(*m_clock), Flow::Update);

    QVERIFY2(outcome.status.ok(), qPrintable(outcome.status.error()));
    QCOMPARE(m_steps, steps);
    // The draws across the change of the file's format, byte for byte as the bundled file has them.
    QCOMPARE(fileBytes(dbPath()), bundledResultsFrom("25580901"));
    QCOMPARE(outcome.newKeys, (QStringList {u"25580901"_s, u"25580816"_s}));
}

void TestResultsUpdate::cancelStopsTheWork_data()
{
    QTest::addColumn<Flow>("flow");
    QTest::addColumn<bool>("slowRequest"); // else: a pause that never ends by itself
    QTest::addColumn<int>("keptDraws");
    QTest::newRow("update, during a pause") << Flow::Update << false << 0;
    QTest::newRow("update, during a slow request") << Flow::Update << true << 0;
    QTest::newRow("full download, during a pause") << Flow::FullDownload << false << 3;
    QTest::newRow("full download, during a slow request") << Flow::FullDownload << true << 2;
}

void TestResultsUpdate::cancelStopsTheWork()
{
    QFETCH(Flow, flow);
    QFETCH(bool, slowRequest);
    QFETCH(int, keptDraws);
    const QStringList draws = resultLines(bundledResultsFrom("25580901")).first(6);
    m_api->addDrawLines(draws);
    const QByteArray stored = flow == Flow::Update ? resultBytes({draws.last()}) : QByteArray();
    QVERIFY(writeFile(stored));
    m_api->setSlowDelayMs(20000);
    int drawsAsked = 0;
    m_api->setRequestObserver([&](const FakeHttpRequest& request) {
        if (request.path != FakeGloApi::resultPath || ++drawsAsked != 2) {
            return;
        }
        // The newest draw comes with the latest; each further one is asked for. The observer sees a request
        // before it is answered: a fault set now is this request's.
        if (slowRequest) {
            m_api->failNext(FakeGloApi::resultPath, {GloFault::Slow});
        } else {
            // The clock stops: the next pause would never end.
            m_clock->setStep(std::chrono::milliseconds(0));
        }
        QTimer::singleShot(50, this, [this] { m_updater->cancel(); });
    });

    const auto outcome = run(*m_api->updateSource(*m_clock), flow);

    QCOMPARE(outcome.status.error(), UpdaterTexts::cancelled().toString());
    QCOMPARE(outcome.drawsWritten, keptDraws);
    // The full download keeps every draw written before the cancel, whole and in order; the update writes nothing.
    QCOMPARE(fileBytes(dbPath()), flow == Flow::Update ? stored : resultBytes(draws.first(keptDraws)));
}

void TestResultsUpdate::fullDownloadOnADrawDayWritesTheCompleteDraws()
{
    // The office is drawing 1 Sep 2015: its answers for that day are the real ones with numbers still missing.
    m_api->addDrawLines(resultLines(bundledResultsFrom("25580801")).first(3));
    serveSavedDraws();
    m_api->failAlways(FakeGloApi::latestPath, GloFault::DrawDay);
    m_api->failNext(FakeGloApi::resultPath, {GloFault::DrawDay});
    QVERIFY(writeFile(QByteArray()));

    const auto outcome = run(*m_api->updateSource(*m_clock), Flow::FullDownload);

    QVERIFY2(outcome.status.ok(), qPrintable(outcome.status.error()));
    QCOMPARE(fileBytes(dbPath()), bundledResultsFrom("25580816").first(36 * 4));
    QCOMPARE(outcome.incompleteKey, QString());
    QVERIFY(outcome.rewritten);
}

void TestResultsUpdate::fetchedPrizeTablesAreStored_data()
{
    QTest::addColumn<Flow>("flow");
    QTest::addColumn<bool>("storeUsable");
    QTest::newRow("update") << Flow::Update << true;
    QTest::newRow("full download") << Flow::FullDownload << true;
    QTest::newRow("store unusable") << Flow::Update << false;
}

void TestResultsUpdate::fetchedPrizeTablesAreStored()
{
    // The user's store lacks the two draws the flow brings; an unusable store is one of a newer layout, which is
    // read and never written.
    QFETCH(Flow, flow);
    QFETCH(bool, storeUsable);
    const QStringList stored = resultLines(bundledResultsFrom("25580801")).first(2);
    QVERIFY(writeFile(resultBytes(stored)));
    PrizeStore store(prizeStorePath(dbPath()));
    QVERIFY(store.open());
    if (!storeUsable) {
        {
            QSqlDatabase newer = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"newer"_s);
            newer.setDatabaseName(store.path());
            QVERIFY(newer.open() && QSqlQuery(newer).exec(u"PRAGMA user_version = 3"_s));
        }
        QSqlDatabase::removeDatabase(u"newer"_s);
    }
    serveSavedDraws();

    const auto outcome = run(*m_api->updateSource(*m_clock), flow);

    // The draws are written whether their tables could be stored or not.
    QVERIFY2(outcome.status.ok(), qPrintable(outcome.status.error()));
    QCOMPARE(fileBytes(dbPath()), bundledResultsFrom("25580901").first(4 * 36));
    if (!storeUsable) {
        QVERIFY2(outcome.prizeTablesNote.startsWith(u"\n\nผลรางวัลอัพเดทแล้ว แต่บันทึกตารางรางวัลทั้งหมดของงวด "_s),
            qPrintable(outcome.prizeTablesNote));
        QVERIFY(outcome.prizeTablesNote.contains(drawTitle(u"25580901")));
        QVERIFY(outcome.prizeTablesNote.contains(drawTitle(u"25580816")));
        // And why: the user is told the store is kept for reading only.
        QVERIFY2(outcome.prizeTablesNote.endsWith(u"\n\nแฟ้มตารางรางวัล %1 สร้างโดยโปรแกรมรุ่นที่ใหม่กว่า จึงเปิดแบบอ่านอย่างเดียว "
                                                  u"ตรวจสลากได้ แต่บันทึกตารางรางวัลใหม่ลงแฟ้มนี้ไม่ได้"_s.arg(store.path())),
            qPrintable(outcome.prizeTablesNote));
        return;
    }
    // The two stored draws the office has no table of are said; the fetched ones are stored.
    QVERIFY2(!outcome.prizeTablesNote.contains(drawTitle(u"25580816")), qPrintable(outcome.prizeTablesNote));
    QVERIFY2(outcome.prizeTablesNote.contains(drawTitle(u"25580801")), qPrintable(outcome.prizeTablesNote));
    QCOMPARE(store.drawKeys().value(), (QStringList {u"25580901"_s, u"25580816"_s}));
    QCOMPARE(store.draw(u"25580816"_s).value()->numbersOf(PrizeKind::First), QStringList {u"033363"_s});
    // The office's list of the year's draw dates is kept for the ticket checker's next draw.
    QCOMPARE(store.officeDrawDates().value(), (QList<QDate> {QDate(2015, 8, 16), QDate(2015, 9, 1)}));
}

void TestResultsUpdate::storeIsCompletedNewestFirst()
{
    // Four stored draws, none new and none in the store: the office gives whole tables of the two newest, none of
    // the others.
    const QStringList lines = storeWithoutTables(4);
    PrizeStore store(prizeStorePath(dbPath()));
    QVERIFY(store.open());

    const auto outcome = run(*m_api->updateSource(*m_clock), Flow::Update);

    // The tables that cannot be had fail nothing; they are said after the stored ones are counted.
    QVERIFY2(outcome.status.ok(), qPrintable(outcome.status.error()));
    QCOMPARE(outcome.tablesCompleted, 2);
    QCOMPARE(store.drawKeys().value(), (QStringList {u"25580901"_s, u"25580816"_s}));
    QCOMPARE(store.draw(u"25580816"_s).value()->numbersOf(PrizeKind::First), QStringList {u"033363"_s});
    const QString cannotBeHad =
        u"\n\nผลรางวัลอัพเดทแล้ว แต่บันทึกตารางรางวัลทั้งหมดของงวด 01 สิงหาคม 2558, 16 กรกฎาคม 2558 ไม่ได้ ("_s;
    QVERIFY2(outcome.prizeTablesNote.startsWith(u"\n\nบันทึกตารางรางวัลแล้ว 2 งวด"_s + cannotBeHad),
        qPrintable(outcome.prizeTablesNote));
    // Newest first, each at the source's pace, with its own progress step.
    QCOMPARE(m_api->askedDates().mid(m_api->askedDates().size() - 3),
        (QList<QDate> {QDate(2015, 8, 16), QDate(2015, 8, 1), QDate(2015, 7, 16)}));
    QVERIFY2(m_steps.contains(u"กำลังดึงตารางรางวัลงวด 16 สิงหาคม 2558 (1 จาก 3)"_s), qPrintable(m_steps.join(u'|')));
    QCOMPARE(m_steps.constLast(), u"กำลังดึงตารางรางวัลงวด 16 กรกฎาคม 2558 (3 จาก 3)"_s);

    // The two the office had no table of are not asked for again until thirty days have passed.
    const auto tablesAskedOn = [this](int daysLater) {
        m_clock =
            std::make_unique<SteppingClock>(std::chrono::milliseconds(100), SteppingClock().peek().addDays(daysLater));
        const qsizetype before = m_api->askedDates().size();
        run(*m_api->updateSource(*m_clock), Flow::Update);
        QList<QDate> asked = m_api->askedDates().mid(before);
        asked.removeIf([](QDate date) { return date >= QDate(2015, 8, 16); });
        return asked;
    };
    QCOMPARE(tablesAskedOn(29), QList<QDate>());
    QCOMPARE(tablesAskedOn(30), (QList<QDate> {QDate(2015, 8, 1), QDate(2015, 7, 16)}));
}

void TestResultsUpdate::completionCancelledKeepsTheStoredTables()
{
    const QStringList lines = storeWithoutTables(3);
    PrizeStore store(prizeStorePath(dbPath()));
    QVERIFY(store.open());
    // The second table asked for: the one of 1 Aug 2015, after that of 16 Aug 2015 was stored.
    int tablesAsked = 0;
    m_api->setRequestObserver([&](const FakeHttpRequest& request) {
        if (request.path == FakeGloApi::resultPath && ++tablesAsked == 2) {
            m_api->failNext(FakeGloApi::resultPath, {GloFault::Slow});
            QTimer::singleShot(50, this, [this] { m_updater->cancel(); });
        }
    });
    m_api->setSlowDelayMs(20000);

    const auto outcome = run(*m_api->updateSource(*m_clock), Flow::Update);

    QCOMPARE(outcome.tablesCompleted, 2);
    QCOMPARE(store.drawKeys().value(), (QStringList {u"25580901"_s, u"25580816"_s}));
    QCOMPARE(fileBytes(dbPath()), resultBytes(lines));
}

void TestResultsUpdate::forgedAnswerIsNeverStored()
{
    // The newest answer carries the date of a stored draw (16 Aug 2015) with the whole table of another.
    const QStringList lines = storeWithoutTables(2);
    PrizeStore store(prizeStorePath(dbPath()));
    QVERIFY(store.open());
    const QByteArray real = GloApiAnswers::savedFile(u"getLotteryResult-2015-09-01.json"_s);
    const QJsonObject draw = QJsonDocument::fromJson(real)["response"_L1]["result"_L1].toObject();
    QJsonObject forged = draw;
    forged.insert(u"date"_s, u"2015-08-16"_s);
    m_api->setLatestAnswer(GloApiAnswers::latestLottery(forged));

    const auto outcome = run(*m_api->updateSource(*m_clock), Flow::Update);

    // The true table of 16 Aug 2015 comes from the answer asked for that day; the forged one never takes its place.
    QVERIFY2(outcome.status.ok(), qPrintable(outcome.status.error()));
    QCOMPARE(store.draw(u"25580816"_s).value()->numbersOf(PrizeKind::First), QStringList {u"033363"_s});
    QCOMPARE(store.drawKeys().value(), (QStringList {u"25580901"_s, u"25580816"_s}));
    QCOMPARE(fileBytes(dbPath()), resultBytes(lines));
}

void TestResultsUpdate::secondWriterIsRefused_data()
{
    QTest::addColumn<Flow>("flow");
    QTest::newRow("update") << Flow::Update;
    QTest::newRow("full download") << Flow::FullDownload;
}

void TestResultsUpdate::secondWriterIsRefused()
{
    QFETCH(Flow, flow);
    const QByteArray stored = bundledResultsFrom("25580801");
    QVERIFY(writeFile(stored));
    m_api->addSavedDraw(u"getLotteryResult-2015-09-01.json"_s);
    // The lock is held already: within the program as from another copy of it, a second holder is refused.
    const auto held = ResultsFileLock::acquire(dbPath());
    QVERIFY(held);

    const auto outcome = run(*m_api->updateSource(*m_clock), flow);

    QCOMPARE(outcome.status.error(), u"มีโปรแกรมอีกตัวหนึ่งกำลังอัพเดทฐานข้อมูลอยู่"_s);
    QCOMPARE(m_api->server().requests().size(), 0);
    QCOMPARE(fileBytes(dbPath()), stored);
}

QTEST_GUILESS_MAIN(TestResultsUpdate)
#include "tst_resultsupdate.moc"
