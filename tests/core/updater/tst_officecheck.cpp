#include "FakeGloApi.h"
#include "SteppingClock.h"
#include "data/PrizeStore.h"
#include "data/ResultsFile.h"
#include "updater/GloApiSource.h"
#include "updater/OfficeCheck.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QString changedStored = u"25690816,004615,428,731,094,937,53"_s;
const QString changedOffice = u"25690816,004615,429,731,094,937,53"_s;
const QString agreeing = u"25690801,123456,111,222,333,444,55"_s;
const QString unknown = u"25690716,654321,999,888,777,666,11"_s;
const QString missing = u"25690701,222222,101,202,303,404,22"_s;
const QString oldest = u"25690616,444444,135,246,357,468,44"_s;

const QStringList stored {changedStored, agreeing, unknown, oldest};

// Draws whose answers carry the office's whole tables: one stored with another two-digit number than the office's,
// one as the office has it, and between them one the file lacks.
const QString april2020Stored = u"25630401,051095,430,285,191,364,23"_s;
const QString august2015 = u"25580816,033363,781,227,624,648,40"_s;
const QStringList keysWithTables {u"25630401"_s, u"25580901"_s, u"25580816"_s};
const QStringList answersWithTables {u"getLotteryResult-2020-04-01.json"_s, u"getLotteryResult-2015-09-01.json"_s,
    u"getLotteryResult-2015-08-16.json"_s};

// The office's table of a draw with one second prize that is not the office's, as an older store might hold it.
DrawPrizes oldTable(const QString& key)
{
    DrawPrizes table = GloApiAnswers::savedTable(answersWithTables.at(keysWithTables.indexOf(key)));
    for (PrizeNumber& number : table.numbers) {
        if (number.kind == PrizeKind::Second) {
            number.number = u"999999"_s;
            break;
        }
    }
    return table;
}

} // namespace

/// The check against a fake of the lottery office's JSON API, with a clock that lets the pauses pass at once.
class TestOfficeCheck : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void findsChangedUnknownAndMissingDraws();
    void cancelDuringAPause();
    void cancelDuringASlowRequest();
    void aFailureOfTheOfficeFailsTheCheck();
    void theOfficesTablesGoWhereTheyMay_data();
    void theOfficesTablesGoWhereTheyMay();

private:
    std::unique_ptr<GloApiSource> makeSource();

    std::unique_ptr<FakeGloApi> m_api;
    std::unique_ptr<SteppingClock> m_clock;
};

void TestOfficeCheck::init()
{
    m_api = std::make_unique<FakeGloApi>();
    QVERIFY(m_api->listen());
    m_api->addDrawLines({changedOffice, agreeing, missing, oldest});
    m_clock = std::make_unique<SteppingClock>(std::chrono::milliseconds(100), SteppingClock::afterTestDraws());
}

void TestOfficeCheck::cleanup()
{
    m_api.reset();
    m_clock.reset();
}

std::unique_ptr<GloApiSource> TestOfficeCheck::makeSource()
{
    GloApiOptions options;
    options.baseUrl = m_api->baseUrl();
    options.transferTimeout = std::chrono::milliseconds(30000);
    return std::make_unique<GloApiSource>(options, *m_clock);
}

void TestOfficeCheck::findsChangedUnknownAndMissingDraws()
{
    const auto source = makeSource();
    OfficeCheck check(*source);
    QList<CheckStep> steps;
    const Result<DrawCheck::Outcome> outcome =
        check.run(stored, DrawCheck::scopeOfLines(stored), [&steps](const CheckStep& step) { steps.append(step); });

    QVERIFY2(outcome.ok(), qPrintable(outcome.error()));
    const DrawCheck::Outcome& result = outcome.value();
    QCOMPARE(result.checked, 4);
    QCOMPARE(result.agreeing, 2);
    QCOMPARE(result.differing.size(), 1);
    QCOMPARE(result.differing.first().storedLine, changedStored);
    QCOMPARE(ResultsFile::formatDrawLine(result.differing.first().office), changedOffice);
    QCOMPARE(result.differing.first().fields, QList<int> {2});
    QCOMPARE(result.unknown, QStringList {unknown});
    QCOMPARE(result.missing.size(), 1);
    QCOMPARE(ResultsFile::formatDrawLine(result.missing.first()), missing);
    QVERIFY(!result.agrees());

    // One list of the year, each stored draw in file order, then the missing one; each step told before it runs.
    const QStringList expectedTexts {u"กำลังดูรายการงวดของสำนักงานสลาก ปี 2569"_s,
        u"กำลังตรวจสอบงวด 16 สิงหาคม 2569 (1 จาก 4)"_s, u"กำลังตรวจสอบงวด 01 สิงหาคม 2569 (2 จาก 4)"_s,
        u"กำลังตรวจสอบงวด 16 กรกฎาคม 2569 (3 จาก 4)"_s, u"กำลังตรวจสอบงวด 16 มิถุนายน 2569 (4 จาก 4)"_s,
        u"กำลังดึงผลงวด 01 กรกฎาคม 2569 ที่ไม่มีในฐานข้อมูล (1 จาก 1)"_s};
    QStringList texts;
    QList<int> done;
    for (const CheckStep& step : std::as_const(steps)) {
        texts.append(step.text);
        done.append(step.done);
    }
    QCOMPARE(texts, expectedTexts);
    QCOMPARE(done, (QList<int> {0, 1, 2, 3, 4, 5}));
    QCOMPARE(steps.last().total, 6);
    QCOMPARE(m_api->askedDates(),
        (QList<QDate> {
            QDate(2026, 8, 16), QDate(2026, 8, 1), QDate(2026, 7, 16), QDate(2026, 6, 16), QDate(2026, 7, 1)}));
}

void TestOfficeCheck::cancelDuringAPause()
{
    // A clock that stands still: the pause before the second request never ends by itself.
    m_clock->setStep(std::chrono::milliseconds(0));
    const auto source = makeSource();
    OfficeCheck check(*source);
    const auto cancelInThePause = [&check](const CheckStep& step) {
        if (step.done == 1) {
            QTimer::singleShot(0, [&check] { check.cancel(); });
        }
    };
    const Result<DrawCheck::Outcome> outcome = check.run(stored, DrawCheck::scopeOfLines(stored), cancelInThePause);

    QVERIFY(!outcome.ok());
    QCOMPARE(outcome.error(), u"ยกเลิกการตรวจสอบแล้ว"_s);
    QVERIFY(check.cancelled());
    // The year's list was asked; no draw was.
    QCOMPARE(m_api->server().requestCount(), 1);
}

void TestOfficeCheck::cancelDuringASlowRequest()
{
    m_api->setSlowDelayMs(60000);
    m_api->failNext(FakeGloApi::resultPath, {GloFault::Slow});
    const auto source = makeSource();
    OfficeCheck check(*source);
    m_api->setRequestObserver([&check](const FakeHttpRequest& request) {
        if (request.path == FakeGloApi::resultPath) {
            QTimer::singleShot(0, [&check] { check.cancel(); });
        }
    });
    QElapsedTimer elapsed;
    elapsed.start();
    const Result<DrawCheck::Outcome> outcome = check.run(stored, DrawCheck::scopeOfLines(stored), {});

    QVERIFY(!outcome.ok());
    QCOMPARE(outcome.error(), u"ยกเลิกการตรวจสอบแล้ว"_s);
    // It did not wait for the slow answer.
    QVERIFY(elapsed.elapsed() < 30000);
    QCOMPARE(m_api->askedDates().size(), 1);
}

void TestOfficeCheck::aFailureOfTheOfficeFailsTheCheck()
{
    m_api->failAlways(FakeGloApi::resultPath, GloFault::Http500);
    const auto source = makeSource();
    OfficeCheck check(*source);
    const Result<DrawCheck::Outcome> outcome = check.run(stored, DrawCheck::scopeOfLines(stored), {});

    QVERIFY(!outcome.ok());
    // What failed and why, in Thai; then the network layer's own words on a line of their own.
    const QStringList lines = outcome.error().split(u'\n');
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines.first(2), (QStringList {u"ติดต่อเว็บไซต์สำนักงานสลากฯ ไม่ได้"_s, u"เซิร์ฟเวอร์ตอบกลับด้วยรหัส 500"_s}));
    QVERIFY(!check.cancelled());
}

void TestOfficeCheck::theOfficesTablesGoWhereTheyMay_data()
{
    QTest::addColumn<QStringList>("heldBefore"); // draws whose old table the store holds before the check
    QTest::addColumn<QStringList>("accepted"); // draws whose office values the user takes after it
    QTest::addColumn<QStringList>("held"); // what the store holds then of each draw, newest first

    const QString april = u"25630401"_s;
    const QString september = u"25580901"_s;
    const QString august = u"25580816"_s;
    QTest::newRow("an agreeing draw gains its table, a differing one none")
        << QStringList() << QStringList() << QStringList {u"none"_s, u"none"_s, u"office"_s};
    QTest::newRow("an agreeing check replaces no stored table")
        << QStringList {april, august} << QStringList() << QStringList {u"old"_s, u"none"_s, u"old"_s};
    QTest::newRow("taking the office's values replaces that draw's table alone")
        << QStringList {april, august} << QStringList {april} << QStringList {u"office"_s, u"none"_s, u"old"_s};
    QTest::newRow("a missing draw taken gains its table")
        << QStringList() << QStringList {september} << QStringList {u"none"_s, u"office"_s, u"office"_s};
    QTest::newRow("a missing draw taken keeps a stored table")
        << QStringList {september} << QStringList {september} << QStringList {u"none"_s, u"old"_s, u"office"_s};
}

void TestOfficeCheck::theOfficesTablesGoWhereTheyMay()
{
    QFETCH(QStringList, heldBefore);
    QFETCH(QStringList, accepted);
    QFETCH(QStringList, held);
    for (const QString& answer : answersWithTables) {
        m_api->addSavedDraw(answer);
    }
    QTemporaryDir dir;
    const ResultsFile file(dir.filePath(u"db.dll"_s));
    const QStringList lines {april2020Stored, august2015};
    QVERIFY(file.rewriteResultsFile(lines).ok());
    const DrawCheck::TableStore where {prizeStorePath(file.path()), QString()};
    {
        PrizeStore store(where.path);
        QVERIFY(store.open().ok());
        QList<DrawPrizes> tables;
        for (const QString& key : std::as_const(heldBefore)) {
            tables.append(oldTable(key));
        }
        QVERIFY(store.writeDraws(tables).ok());
    }

    const auto source = makeSource();
    OfficeCheck check(*source);
    const Result<DrawCheck::Outcome> outcome = check.run(lines, DrawCheck::scopeOfLines(lines), {});
    QVERIFY2(outcome.ok(), qPrintable(outcome.error()));
    QCOMPARE(outcome.value().differing.size(), 1);
    QCOMPARE(outcome.value().missing.size(), 1);
    // No second request for a table: each draw was asked once.
    QCOMPARE(m_api->askedDates(), (QList<QDate> {QDate(2020, 4, 1), QDate(2015, 8, 16), QDate(2015, 9, 1)}));

    // What follows the check in the window and in the command, then what taking the office's values does.
    DrawCheck::keepAgreeingTables(outcome.value().agreeingTables, where);
    if (!accepted.isEmpty()) {
        QList<DrawRecord> chosen;
        for (const DrawCheck::Difference& difference : outcome.value().differing) {
            chosen.append(difference.office);
        }
        chosen += outcome.value().missing;
        chosen.removeIf([&accepted](const DrawRecord& record) { return !accepted.contains(record.drawDate); });
        const Result<QStringList> written = DrawCheck::applyToFile(
            file, lines, chosen, SteppingClock::afterTestDraws().date(), outcome.value().officeTables, where);
        QVERIFY2(written.ok(), qPrintable(written.error()));
    }

    PrizeStore store(where.path);
    QVERIFY(store.open().ok());
    QStringList kept;
    for (qsizetype i = 0; i < keysWithTables.size(); ++i) {
        const Result<std::optional<DrawPrizes>> table = store.draw(keysWithTables.at(i));
        QVERIFY2(table.ok(), qPrintable(table.error()));
        const QStringList second = table.value() ? table.value()->numbersOf(PrizeKind::Second) : QStringList();
        const QStringList office = GloApiAnswers::savedTable(answersWithTables.at(i)).numbersOf(PrizeKind::Second);
        kept.append(!table.value()             ? u"none"_s
                : second.contains(u"999999"_s) ? u"old"_s
                : second == office             ? u"office"_s
                                               : u"other"_s);
    }
    QCOMPARE(kept, held);
}

QTEST_GUILESS_MAIN(TestOfficeCheck)
#include "tst_officecheck.moc"
