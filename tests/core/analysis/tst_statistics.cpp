#include "analysis/Statistics.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Newest first. The last line's prizes are cut short, so neither of its numbers is counted.
const QStringList kLines {
    u"25530816,123456,111,222,333,444,55"_s,
    u"25530801,987654,111,222,333,444,35"_s,
    u"25530716,070307,111,222,333,444,55"_s,
    u"25530616,450745,111,222,333,444,07"_s,
    u"25530601,12345,111,222,333,444,5"_s,
};

DigitCountRow digits(std::initializer_list<std::pair<int, int>> counts)
{
    DigitCountRow row {};
    for (const auto& [digit, count] : counts) {
        row[static_cast<std::size_t>(digit)] = count;
    }
    return row;
}

} // namespace

class TestStatistics : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void countsAndGaps_data();
    void countsAndGaps();
    void expectedAndShare();
    void digitPlaces();
    void placesAgreeWithTheAnalysisWindow();
    void computeStatisticsGivesBothSources();
    void chiSquareTableValues_data();
    void chiSquareTableValues();
    void chiSquareStatistic_data();
    void chiSquareStatistic();
    void smallSampleRule_data();
    void smallSampleRule();
    void filterDescriptions_data();
    void filterDescriptions();
};

void TestStatistics::countsAndGaps_data()
{
    QTest::addColumn<PairSource>("source");
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("lastDrawIndex");

    QTest::newRow("two-digit 55: twice, newest draw") << PairSource::TwoDigitPrize << 55 << 2 << 0;
    QTest::newRow("two-digit 35") << PairSource::TwoDigitPrize << 35 << 1 << 1;
    QTest::newRow("two-digit 07 keeps its zero") << PairSource::TwoDigitPrize << 7 << 1 << 3;
    QTest::newRow("two-digit 05: never (the cut line)") << PairSource::TwoDigitPrize << 5 << 0 << -1;
    QTest::newRow("two-digit 00: never") << PairSource::TwoDigitPrize << 0 << 0 << -1;
    QTest::newRow("first prize 56") << PairSource::FirstPrizeLastTwo << 56 << 1 << 0;
    QTest::newRow("first prize 54") << PairSource::FirstPrizeLastTwo << 54 << 1 << 1;
    QTest::newRow("first prize 07") << PairSource::FirstPrizeLastTwo << 7 << 1 << 2;
    QTest::newRow("first prize 45, not again from 12345") << PairSource::FirstPrizeLastTwo << 45 << 1 << 3;
    QTest::newRow("first prize 55: never") << PairSource::FirstPrizeLastTwo << 55 << 0 << -1;
}

void TestStatistics::countsAndGaps()
{
    QFETCH(PairSource, source);
    QFETCH(int, number);
    QFETCH(int, count);
    QFETCH(int, lastDrawIndex);

    const PairTable table = countPairs(kLines, source);
    const NumberStat& stat = table.numbers[static_cast<std::size_t>(number)];
    QCOMPARE(stat.count, count);
    QCOMPARE(stat.lastDrawIndex, lastDrawIndex);
    QCOMPARE(table.counted, 4);
}

void TestStatistics::expectedAndShare()
{
    const PairTable table = countPairs(kLines, PairSource::TwoDigitPrize);
    QCOMPARE(table.expected(), 0.04);
    QCOMPARE(table.share(55), 0.5);
    QCOMPARE(table.share(35), 0.25);
    QCOMPARE(table.share(0), 0.0);
    QCOMPARE(PairTable().share(55), 0.0);
    QCOMPARE(PairTable().expected(), 0.0);

    // 200 draws of 42: n/100 = 2, n/10 = 20.
    const DrawStatistics many = computeStatistics(QStringList(200, u"25530816,123456,111,222,333,444,42"_s));
    QCOMPARE(many.twoDigitPrize.pairs.expected(), 2.0);
    QCOMPARE(many.twoDigitPrize.places.tens.expected(), 20.0);
    QCOMPARE(many.twoDigitPrize.places.tens.difference(4), 180.0);
    QCOMPARE(many.twoDigitPrize.places.tens.difference(0), -20.0);
}

void TestStatistics::digitPlaces()
{
    const DigitPlaces places = digitPlacesOf(countPairs(kLines, PairSource::TwoDigitPrize));
    QCOMPARE(places.tens.counts, digits({{5, 2}, {3, 1}, {0, 1}}));
    QCOMPARE(places.units.counts, digits({{5, 3}, {7, 1}}));
    QCOMPARE(places.tens.counted, 4);
    QCOMPARE(places.units.expected(), 0.4);
    QCOMPARE(places.units.difference(5), 2.6);

    const DigitPlaces upper = digitPlacesOf(countPairs(kLines, PairSource::FirstPrizeLastTwo));
    QCOMPARE(upper.tens.counts, digits({{5, 2}, {0, 1}, {4, 1}}));
    QCOMPARE(upper.units.counts, digits({{6, 1}, {4, 1}, {7, 1}, {5, 1}}));
}

void TestStatistics::placesAgreeWithTheAnalysisWindow()
{
    // On well-formed lines the places give the analysis window's own counts.
    QStringList lines;
    for (int i = 0; i < 300; ++i) {
        lines.append(
            u"25530816,123456,111,222,333,444,"_s + QString::number((i * 37 + i / 7) % 100).rightJustified(2, u'0'));
    }
    const DigitPlaces places = digitPlacesOf(countPairs(lines, PairSource::TwoDigitPrize));
    const DigitCounts analysis = countTwoDigitPlaces(lines);
    QCOMPARE(places.tens.counts, analysis.tensPlace);
    QCOMPARE(places.units.counts, analysis.unitsPlace);
}

void TestStatistics::computeStatisticsGivesBothSources()
{
    const DrawStatistics statistics = computeStatistics(kLines);
    QCOMPARE(statistics.drawCount, 5);
    QCOMPARE(statistics.twoDigitPrize.pairs.numbers, countPairs(kLines, PairSource::TwoDigitPrize).numbers);
    QCOMPARE(statistics.firstPrizeLastTwo.pairs.numbers, countPairs(kLines, PairSource::FirstPrizeLastTwo).numbers);
    QCOMPARE(statistics.of(PairSource::FirstPrizeLastTwo).places.tens.counts, digits({{5, 2}, {0, 1}, {4, 1}}));
    QCOMPARE(computeStatistics({}).twoDigitPrize.pairs.counted, 0);
}

void TestStatistics::chiSquareTableValues_data()
{
    // Critical values from a printed table of the chi-square distribution.
    QTest::addColumn<double>("statistic");
    QTest::addColumn<int>("degreesOfFreedom");
    QTest::addColumn<double>("pValue");

    QTest::newRow("9 df, 16.919: 0.05") << 16.919 << 9 << 0.05;
    QTest::newRow("9 df, 21.666: 0.01") << 21.666 << 9 << 0.01;
    QTest::newRow("9 df, 14.684: 0.10") << 14.684 << 9 << 0.10;
    QTest::newRow("1 df, 3.841: 0.05") << 3.841 << 1 << 0.05;
    QTest::newRow("99 df, 123.225: 0.05") << 123.225 << 99 << 0.05;
    QTest::newRow("no difference: 1") << 0.0 << 9 << 1.0;
}

void TestStatistics::chiSquareTableValues()
{
    QFETCH(double, statistic);
    QFETCH(int, degreesOfFreedom);
    QFETCH(double, pValue);
    QVERIFY2(std::abs(chiSquareUpperTail(statistic, degreesOfFreedom) - pValue) < 5e-5,
        qPrintable(QString::number(chiSquareUpperTail(statistic, degreesOfFreedom), 'g', 8)));
}

void TestStatistics::chiSquareStatistic_data()
{
    QTest::addColumn<QList<int>>("observed");
    QTest::addColumn<double>("statistic");
    QTest::addColumn<int>("degreesOfFreedom");
    QTest::addColumn<TestVerdict>("verdict");

    // (8-10)^2/10 + (12-10)^2/10 = 0.8
    QTest::newRow("near even") << QList<int> {8, 12, 10, 10, 10, 10, 10, 10, 10, 10} << 0.8 << 9
                               << TestVerdict::WithinChance;
    // 60 and 40 against 50: 2 + 2 = 4, p = 0.0455
    QTest::newRow("two categories") << QList<int> {60, 40} << 4.0 << 1 << TestVerdict::BeyondChance;
    // (20-10)^2/10 + (0-10)^2/10 = 20: beyond the 16.919 of the 5% level
    QTest::newRow("one digit twice as often")
        << QList<int> {20, 0, 10, 10, 10, 10, 10, 10, 10, 10} << 20.0 << 9 << TestVerdict::BeyondChance;
    QTest::newRow("all even") << QList<int>(10, 7) << 0.0 << 9 << TestVerdict::WithinChance;
}

void TestStatistics::chiSquareStatistic()
{
    QFETCH(QList<int>, observed);
    QFETCH(double, statistic);
    QFETCH(int, degreesOfFreedom);
    QFETCH(TestVerdict, verdict);

    const ChiSquareTest test = chiSquareUniform(observed);
    QVERIFY(test.enoughData);
    QVERIFY(std::abs(test.statistic - statistic) < 1e-9);
    QCOMPARE(test.degreesOfFreedom, degreesOfFreedom);
    QCOMPARE(verdictOf(test), verdict);
    QVERIFY(std::abs(test.pValue - chiSquareUpperTail(statistic, degreesOfFreedom)) < 1e-12);
}

void TestStatistics::smallSampleRule_data()
{
    QTest::addColumn<int>("draws");
    QTest::addColumn<bool>("tested");

    QTest::newRow("no draw") << 0 << false;
    QTest::newRow("49 draws: 4.9 a digit") << 49 << false;
    QTest::newRow("50 draws: 5 a digit") << 50 << true;
    QTest::newRow("144 draws") << 144 << true;
}

void TestStatistics::smallSampleRule()
{
    QFETCH(int, draws);
    QFETCH(bool, tested);

    QStringList lines;
    for (int i = 0; i < draws; ++i) {
        lines.append(u"25530816,123456,111,222,333,444,"_s + QString::number(i % 100).rightJustified(2, u'0'));
    }
    const PlaceStat tens = computeStatistics(lines).twoDigitPrize.places.tens;
    QCOMPARE(tens.test.enoughData, tested);
    QCOMPARE(verdictOf(tens.test) == TestVerdict::TooFewDraws, !tested);
    QCOMPARE(tens.test.expectedPerCategory, draws / 10.0);
    if (!tested) {
        QCOMPARE(tens.test.pValue, 1.0);
    }
}

void TestStatistics::filterDescriptions_data()
{
    QTest::addColumn<AnalysisCriteria>("criteria");
    QTest::addColumn<QStringList>("descriptions");

    AnalysisCriteria monday;
    monday.weekday = 2;
    AnalysisCriteria hundreds;
    hundreds.firstPrizeHundreds = 4;
    AnalysisCriteria leadingPair;
    leadingPair.firstPrizeLeadingPair = 7;
    AnalysisCriteria several = monday;
    several.twoDigitTens = 0;
    several.firstPrizeTensUnits = 45;

    QTest::newRow("nothing chosen") << AnalysisCriteria {} << QStringList();
    QTest::newRow("day") << monday << QStringList {u"วัน: จันทร์"_s};
    QTest::newRow("ComboBox1") << hundreds << QStringList {u"หลักร้อยรางวัลที 1: 4"_s};
    QTest::newRow("ComboBox5 keeps its leading zero") << leadingPair << QStringList {u"แสน-หมื่นรางวัลที 1: 07"_s};
    QTest::newRow("in the filter's order")
        << several << QStringList {u"วัน: จันทร์"_s, u"สิบ-หน่วยรางวัลที 1: 45"_s, u"หลักสิบของ 2 ตัว: 0"_s};
}

void TestStatistics::filterDescriptions()
{
    QFETCH(AnalysisCriteria, criteria);
    QFETCH(QStringList, descriptions);
    QCOMPARE(::filterDescriptions(criteria), descriptions);
}

QTEST_GUILESS_MAIN(TestStatistics)
#include "tst_statistics.moc"
