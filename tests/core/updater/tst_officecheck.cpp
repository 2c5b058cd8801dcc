#include "FakeGloApi.h"
#include "SteppingClock.h"
#include "data/ResultsFile.h"
#include "updater/GloApiSource.h"
#include "updater/OfficeCheck.h"

#include <QElapsedTimer>
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

QTEST_GUILESS_MAIN(TestOfficeCheck)
#include "tst_officecheck.moc"
