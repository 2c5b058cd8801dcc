#include "FakeGloApi.h"
#include "SteppingClock.h"
#include "data/ResultsFile.h"
#include "updater/GloApiSource.h"
#include "updater/GloApiTexts.h"
#include "updater/NetworkTexts.h"
#include "updater/UpdaterTexts.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(GloFault)

namespace {

const DrawRecord july16 {u"25580716"_s, u"104603"_s, u"084"_s, u"418"_s, u"580"_s, u"852"_s, u"45"_s};
const DrawRecord august1 {u"25580801"_s, u"518677"_s, u"598"_s, u"889"_s, u"333"_s, u"648"_s, u"53"_s};
const DrawRecord december16 {u"25571216"_s, u"638684"_s, u"187"_s, u"292"_s, u"618"_s, u"840"_s, u"26"_s};

QString bundledLine(const QString& key)
{
    const Result<QStringList> lines = ResultsFile(QStringLiteral(VARENTA_BUNDLED_DB)).readResultsFile();
    for (const QString& line : lines.value()) {
        if (line.startsWith(key)) {
            return line;
        }
    }
    return {};
}

} // namespace

class TestGloApiSource : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void listsDrawsAfterTheNewestStored();
    void listFallsBackToLikelyDrawDays_data();
    void listFallsBackToLikelyDrawDays();
    void nothingNewAsksOnlyForTheLatest_data();
    void nothingNewAsksOnlyForTheLatest();
    void fullListReachesBackToTheFirstYear();
    void implausibleDatesNeverWalkDayByDay_data();
    void implausibleDatesNeverWalkDayByDay();
    void latestFailuresFailTheList_data();
    void latestFailuresFailTheList();
    void fetchRetriesAndFailures_data();
    void fetchRetriesAndFailures();
    void requestsAreOneSecondApart();
    void optionsLimitEachRequest_data();
    void optionsLimitEachRequest();
    void cancelStopsARequestUnderWay();
    void cancelStopsAPause();

private:
    std::unique_ptr<GloApiSource> makeSource(int firstYear = 2010);

    std::unique_ptr<FakeGloApi> m_api;
    std::unique_ptr<SteppingClock> m_clock;
};

void TestGloApiSource::init()
{
    m_api = std::make_unique<FakeGloApi>();
    QVERIFY(m_api->listen());
    m_clock = std::make_unique<SteppingClock>();
    m_api->addDraw(december16);
    m_api->addDraw(july16);
    m_api->addDraw(august1);
    m_api->addSavedDraw(u"getLotteryResult-2015-08-16.json"_s);
    m_api->addSavedDraw(u"getLotteryResult-2015-09-01.json"_s);
}

void TestGloApiSource::cleanup()
{
    m_api.reset();
    m_clock.reset();
}

std::unique_ptr<GloApiSource> TestGloApiSource::makeSource(int firstYear)
{
    GloApiOptions options;
    options.baseUrl = m_api->baseUrl();
    options.transferTimeout = std::chrono::milliseconds(300);
    options.firstYear = firstYear;
    return std::make_unique<GloApiSource>(options, *m_clock);
}

void TestGloApiSource::listsDrawsAfterTheNewestStored()
{
    auto source = makeSource();
    source->setNewestStoredKey(u"25580801"_s);
    const Result<QStringList> entries = source->listDrawEntries();
    QVERIFY2(entries.ok(), qPrintable(entries.error()));
    // The newest stored draw ends the list, where the walk over it stops.
    QCOMPARE(entries.value(), (QStringList {u"25580901"_s, u"25580816"_s, u"25580801"_s}));

    for (const QString& entry : entries.value().first(2)) {
        const Result<DrawRecord> draw = source->fetchDraw(entry, FetchPace::Update);
        QVERIFY2(draw.ok(), qPrintable(draw.error()));
        QCOMPARE(ResultsFile::formatDrawLine(draw.value()), bundledLine(entry));
    }

    // The latest draw came with the list; only the other one is asked for.
    QCOMPARE(m_api->requestCount(FakeGloApi::latestPath), 1);
    QCOMPARE(m_api->requestCount(FakeGloApi::periodsPath), 1);
    QCOMPARE(m_api->askedDates(), QList<QDate> {QDate(2015, 8, 16)});
    for (const FakeHttpRequest& request : m_api->server().requests()) {
        QCOMPARE(request.method, QByteArray("POST"));
        QCOMPARE(request.headers.value("content-type"), QByteArray("application/json"));
    }
    const QList<FakeHttpRequest> requests = m_api->server().requests();
    QCOMPARE(QJsonDocument::fromJson(requests.at(1).body).object(),
        (QJsonObject {{u"year"_s, 2015}, {u"type"_s, u"ALL"_s}}));
    QCOMPARE(QJsonDocument::fromJson(requests.at(2).body).object(),
        (QJsonObject {{u"date"_s, u"16"_s}, {u"month"_s, u"08"_s}, {u"year"_s, u"2015"_s}}));
}

void TestGloApiSource::listFallsBackToLikelyDrawDays_data()
{
    QTest::addColumn<GloFault>("fault"); // of getPeriodsByYear; no fault: the endpoint is gone (404)
    QTest::addColumn<bool>("gone");
    QTest::newRow("missing") << GloFault::StatusFalse << true;
    QTest::newRow("status false") << GloFault::StatusFalse << false;
    QTest::newRow("response null") << GloFault::ResponseNull << false;
    QTest::newRow("truncated") << GloFault::Truncated << false;
    QTest::newRow("server error") << GloFault::Http500 << false;
}

void TestGloApiSource::listFallsBackToLikelyDrawDays()
{
    QFETCH(GloFault, fault);
    QFETCH(bool, gone);
    if (gone) {
        m_api->setPeriodsByYearServed(false);
    } else {
        m_api->failAlways(FakeGloApi::periodsPath, fault);
    }
    auto source = makeSource();
    source->setNewestStoredKey(u"25571216"_s);
    const Result<QStringList> entries = source->listDrawEntries();
    QVERIFY2(entries.ok(), qPrintable(entries.error()));
    QCOMPARE(
        entries.value(), (QStringList {u"25580901"_s, u"25580816"_s, u"25580801"_s, u"25580716"_s, u"25571216"_s}));

    // A gone endpoint is asked once, not for every year.
    QCOMPARE(m_api->requestCount(FakeGloApi::periodsPath), gone ? 1 : 2 * (fault == GloFault::Http500 ? 3 : 1));
    const QList<QDate> asked = m_api->askedDates();
    QVERIFY(asked.contains(QDate(2014, 12, 30)));
    QVERIFY(asked.contains(QDate(2015, 1, 2)));
    QVERIFY(asked.contains(QDate(2015, 7, 15)));
    QVERIFY(asked.contains(QDate(2015, 8, 31)));
    QVERIFY(!asked.contains(QDate(2014, 12, 16)));
    QVERIFY(!asked.contains(QDate(2015, 9, 1)));

    // The days asked while listing are not asked again.
    const int before = m_api->server().requestCount();
    const Result<DrawRecord> draw = source->fetchDraw(u"25580816"_s, FetchPace::FullDownload);
    QVERIFY(draw.ok());
    QCOMPARE(ResultsFile::formatDrawLine(draw.value()), bundledLine(u"25580816"_s));
    QCOMPARE(m_api->server().requestCount(), before);
}

void TestGloApiSource::nothingNewAsksOnlyForTheLatest_data()
{
    QTest::addColumn<QString>("newestStored");
    QTest::newRow("latest stored") << u"25580901"_s;
    QTest::newRow("file ahead of the office") << u"25580916"_s;
}

void TestGloApiSource::nothingNewAsksOnlyForTheLatest()
{
    QFETCH(QString, newestStored);
    auto source = makeSource();
    source->setNewestStoredKey(newestStored);
    const Result<QStringList> entries = source->listDrawEntries();
    QVERIFY2(entries.ok(), qPrintable(entries.error()));
    QCOMPARE(entries.value(), QStringList {u"25580901"_s});
    QCOMPARE(m_api->server().requestCount(), 1);
}

void TestGloApiSource::fullListReachesBackToTheFirstYear()
{
    auto source = makeSource(2014);
    const Result<QStringList> entries = source->listDrawEntries();
    QVERIFY2(entries.ok(), qPrintable(entries.error()));
    QCOMPARE(
        entries.value(), (QStringList {u"25580901"_s, u"25580816"_s, u"25580801"_s, u"25580716"_s, u"25571216"_s}));
    QCOMPARE(m_api->requestCount(FakeGloApi::periodsPath), 2);
}

void TestGloApiSource::implausibleDatesNeverWalkDayByDay_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("periodsServed");
    QTest::addColumn<QString>("latest"); // a further draw the office gives as its latest, or nothing
    QTest::addColumn<QString>("error");

    // The clock stands at 2 May 2026.
    QTest::newRow("latest years ahead") << u"25580801"_s << false << u"25830101"_s
                                        << GloApiTexts::latestTooFar().toString().arg(u"01 มกราคม 2583"_s);
    QTest::newRow("latest 32 days ahead")
        << u"25580801"_s << false << u"25690603"_s << GloApiTexts::latestTooFar().toString().arg(u"03 มิถุนายน 2569"_s);
    QTest::newRow("stored in year 1, dates listed") << u"05440101"_s << true << QString() << QString();
    QTest::newRow("stored in year 1, no dates listed")
        << u"05440101"_s << false << QString() << GloApiTexts::noDrawDates().toString().arg(2558);
    QTest::newRow("stored before 2010, no dates listed")
        << u"25491216"_s << false << QString() << GloApiTexts::noDrawDates().toString().arg(2558);
    QTest::newRow("stored key no date") << u"25581399"_s << false << QString()
                                        << GloApiTexts::noDrawDates().toString().arg(2558);
}

void TestGloApiSource::implausibleDatesNeverWalkDayByDay()
{
    QFETCH(QString, stored);
    QFETCH(bool, periodsServed);
    QFETCH(QString, latest);
    QFETCH(QString, error);
    if (!latest.isEmpty()) {
        m_api->addDraw({latest, u"123456"_s, u"111"_s, u"222"_s, u"333"_s, u"444"_s, u"55"_s});
    }
    m_api->setPeriodsByYearServed(periodsServed);
    auto source = makeSource();
    source->setNewestStoredKey(stored);

    const Result<QStringList> entries = source->listDrawEntries();

    QCOMPARE(entries.ok(), error.isEmpty());
    if (entries.ok()) {
        QCOMPARE(entries.value(),
            (QStringList {u"25580901"_s, u"25580816"_s, u"25580801"_s, u"25580716"_s, u"25571216"_s, stored}));
    } else {
        QCOMPARE(entries.error(), error);
    }
    QCOMPARE(m_api->askedDates(), QList<QDate>());
    QVERIFY(m_api->server().requestCount() <= 7);
}

void TestGloApiSource::latestFailuresFailTheList_data()
{
    QTest::addColumn<QList<GloFault>>("faults");
    QTest::addColumn<QString>("error");
    QTest::newRow("status false") << QList<GloFault> {GloFault::StatusFalse} << GloApiTexts::unsuccessful().toString();
    QTest::newRow("response null") << QList<GloFault> {GloFault::ResponseNull}
                                   << GloApiTexts::unsuccessful().toString();
    QTest::newRow("truncated") << QList<GloFault> {GloFault::Truncated} << GloApiTexts::unreadable().toString();
    QTest::newRow("three server errors") << QList<GloFault> {GloFault::Http500, GloFault::Http503, GloFault::Http500}
                                         << NetworkTexts::httpStatus().toString().arg(500);
    QTest::newRow("slow") << QList<GloFault> {GloFault::Slow} << NetworkTexts::timedOut().toString();
    QTest::newRow("dropped") << QList<GloFault> {GloFault::Dropped, GloFault::Dropped, GloFault::Dropped} << QString();
}

void TestGloApiSource::latestFailuresFailTheList()
{
    QFETCH(QList<GloFault>, faults);
    QFETCH(QString, error);
    m_api->failNext(FakeGloApi::latestPath, faults);
    auto source = makeSource();
    source->setNewestStoredKey(u"25580801"_s);
    const Result<QStringList> entries = source->listDrawEntries();
    QVERIFY(!entries.ok());
    QVERIFY2(entries.error().contains(error), qPrintable(entries.error()));
    QVERIFY(!entries.error().isEmpty());
    QCOMPARE(m_api->requestCount(FakeGloApi::periodsPath), 0);
}

void TestGloApiSource::fetchRetriesAndFailures_data()
{
    QTest::addColumn<QList<GloFault>>("faults");
    QTest::addColumn<int>("requests");
    QTest::addColumn<QString>("error"); // empty: the draw is had

    const QString title = u"16 สิงหาคม 2558"_s;
    QTest::newRow("429 then success") << QList<GloFault> {GloFault::Http429} << 2 << QString();
    QTest::newRow("500, 429 then success") << QList<GloFault> {GloFault::Http500, GloFault::Http429} << 3 << QString();
    QTest::newRow("403, 429, 500") << QList<GloFault> {GloFault::Http403, GloFault::Http429, GloFault::Http500} << 3
                                   << NetworkTexts::httpStatus().toString().arg(500);
    QTest::newRow("404 is not retried") << QList<GloFault> {GloFault::Http404} << 1
                                        << NetworkTexts::httpStatus().toString().arg(404);
    QTest::newRow("status false") << QList<GloFault> {GloFault::StatusFalse} << 1
                                  << GloApiTexts::noDrawOnDate().toString().arg(title);
    QTest::newRow("response null") << QList<GloFault> {GloFault::ResponseNull} << 1
                                   << GloApiTexts::noDrawOnDate().toString().arg(title);
    QTest::newRow("empty number lists") << QList<GloFault> {GloFault::EmptyNumbers} << 1
                                        << GloApiTexts::notComplete().toString().arg(u"16 สิงหาคม 2558"_s);
    QTest::newRow("placeholders") << QList<GloFault> {GloFault::Placeholders} << 1
                                  << GloApiTexts::notComplete().toString().arg(title);
    QTest::newRow("truncated") << QList<GloFault> {GloFault::Truncated} << 1 << GloApiTexts::unreadable().toString();
    QTest::newRow("slow") << QList<GloFault> {GloFault::Slow} << 1 << NetworkTexts::timedOut().toString();
}

void TestGloApiSource::fetchRetriesAndFailures()
{
    QFETCH(QList<GloFault>, faults);
    QFETCH(int, requests);
    QFETCH(QString, error);
    m_api->failNext(FakeGloApi::resultPath, faults);
    auto source = makeSource();
    const Result<DrawRecord> draw = source->fetchDraw(u"25580816"_s, FetchPace::Update);
    QCOMPARE(m_api->requestCount(FakeGloApi::resultPath), requests);
    if (error.isEmpty()) {
        QVERIFY2(draw.ok(), qPrintable(draw.error()));
        QCOMPARE(ResultsFile::formatDrawLine(draw.value()), bundledLine(u"25580816"_s));
    } else {
        QVERIFY(!draw.ok());
        QVERIFY2(draw.error().contains(error), qPrintable(draw.error()));
    }
}

void TestGloApiSource::requestsAreOneSecondApart()
{
    QList<QDateTime> arrivals;
    m_api->setRequestObserver([&](const FakeHttpRequest&) { arrivals.append(m_clock->peek()); });
    // Two refusals then success, then a second draw.
    m_api->failNext(FakeGloApi::resultPath, {GloFault::Http429, GloFault::Http503});
    auto source = makeSource();
    QVERIFY(source->fetchDraw(u"25580816"_s, FetchPace::Update).ok());
    QVERIFY(source->fetchDraw(u"25580801"_s, FetchPace::Update).ok());
    QCOMPARE(arrivals.size(), 4);
    // Growing pauses after a refusal, one second at least between any two requests.
    QVERIFY(arrivals.at(0).msecsTo(arrivals.at(1)) >= 2000);
    QVERIFY(arrivals.at(1).msecsTo(arrivals.at(2)) >= 4000);
    QVERIFY(arrivals.at(2).msecsTo(arrivals.at(3)) >= 1000);
    QVERIFY(arrivals.at(2).msecsTo(arrivals.at(3)) < 4000);
}

void TestGloApiSource::optionsLimitEachRequest_data()
{
    QTest::addColumn<bool>("trickle");
    QTest::addColumn<qint64>("maxBytes"); // a real answer is some 6000 bytes
    QTest::addColumn<QString>("error");
    // What failed, then why; nothing of the network layer's own words, as it was this program that stopped.
    QTest::newRow("answer larger than allowed")
        << false << qint64(1000) << u"ติดต่อเว็บไซต์สำนักงานสลากฯ ไม่ได้\nข้อมูลจากเซิร์ฟเวอร์ใหญ่เกินกำหนด"_s;
    QTest::newRow("answer trickling past the deadline")
        << true << qint64(100000) << u"ติดต่อเว็บไซต์สำนักงานสลากฯ ไม่ได้\nเซิร์ฟเวอร์ไม่ตอบภายในเวลาที่กำหนด"_s;
}

void TestGloApiSource::optionsLimitEachRequest()
{
    QFETCH(bool, trickle);
    QFETCH(qint64, maxBytes);
    QFETCH(QString, error);
    if (trickle) {
        // A byte every 50 ms, well within the transfer limit; the whole answer would take minutes.
        m_api->failNext(FakeGloApi::resultPath, {GloFault::Trickle});
    }
    GloApiOptions options;
    options.baseUrl = m_api->baseUrl();
    options.transferTimeout = std::chrono::milliseconds(300);
    options.overallTimeout = std::chrono::milliseconds(500);
    options.maxAnswerBytes = maxBytes;
    GloApiSource source(options, *m_clock);
    const Result<DrawRecord> draw = source.fetchDraw(u"25580816"_s, FetchPace::Update);
    QVERIFY(!draw.ok());
    QCOMPARE(draw.error(), error);
}

void TestGloApiSource::cancelStopsARequestUnderWay()
{
    m_api->setSlowDelayMs(60000);
    m_api->failNext(FakeGloApi::latestPath, {GloFault::Slow});
    GloApiOptions options;
    options.baseUrl = m_api->baseUrl();
    GloApiSource source(options, *m_clock);
    QTimer::singleShot(50, this, [&source] { source.cancel(); });
    const Result<QStringList> entries = source.listDrawEntries();
    QVERIFY(!entries.ok());
    QCOMPARE(entries.error(), u"ยกเลิกการอัพเดทแล้ว"_s);
    QVERIFY(!source.fetchDraw(u"25580816"_s, FetchPace::Update).ok());
    QCOMPARE(m_api->server().requestCount(), 1);
}

void TestGloApiSource::cancelStopsAPause()
{
    auto source = makeSource();
    QVERIFY(source->fetchDraw(u"25580816"_s, FetchPace::Update).ok());
    // With the clock stopped the pause before the next request would never end.
    m_clock->setStep(std::chrono::milliseconds(0));
    QTimer::singleShot(50, this, [&source] { source->cancel(); });
    const Result<DrawRecord> draw = source->fetchDraw(u"25580801"_s, FetchPace::Update);
    QVERIFY(!draw.ok());
    QCOMPARE(draw.error(), u"ยกเลิกการอัพเดทแล้ว"_s);
    QCOMPARE(m_api->server().requestCount(), 1);
}

QTEST_GUILESS_MAIN(TestGloApiSource)
#include "tst_gloapisource.moc"
