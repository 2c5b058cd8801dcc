#include "ShownTexts.h"
#include "analysis/DrawFilter.h"
#include "data/ResultsFile.h"

#include <QDate>
#include <QTest>

#include <numeric>

using namespace Qt::StringLiterals;

namespace {

// The boxes in the filter's order, and the criterion each sets.
enum Box { Day, Hundreds, Tens, Units, TensUnits, LeadingPair, TwoDigitUnits, TwoDigitTens };
constexpr std::array<std::optional<int> AnalysisCriteria::*, 8> kCriterionOf {&AnalysisCriteria::weekday,
    &AnalysisCriteria::firstPrizeHundreds, &AnalysisCriteria::firstPrizeTens, &AnalysisCriteria::firstPrizeUnits,
    &AnalysisCriteria::firstPrizeTensUnits, &AnalysisCriteria::firstPrizeLeadingPair, &AnalysisCriteria::twoDigitUnits,
    &AnalysisCriteria::twoDigitTens};

AnalysisCriteria withChoices(const QList<std::pair<Box, int>>& choices)
{
    AnalysisCriteria criteria;
    for (const auto& [box, value] : choices) {
        criteria.*kCriterionOf[static_cast<std::size_t>(box)] = value;
    }
    return criteria;
}

// Four well-formed draws of 2010; the comments give what each stage reads.
//                     weekday   hundreds tens units tens-units leading two-digit
const QString lineA = u"25530816,123456,111,222,333,444,55"_s; // Monday    4  5  6  56  12  55
const QString lineB = u"25530801,987654,111,222,333,444,35"_s; // Sunday    6  5  4  54  98  35
const QString lineC = u"25530716,070307,111,222,333,444,07"_s; // Friday    3  0  7  07  07  07
const QString lineD = u"25530701,450745,111,222,333,444,53"_s; // Thursday  7  4  5  45  45  53

DigitCountRow row(const QList<std::pair<int, int>>& digitCounts)
{
    DigitCountRow counts {};
    for (const auto& [digit, count] : digitCounts) {
        counts[static_cast<std::size_t>(digit)] = count;
    }
    return counts;
}

} // namespace

class TestDrawFilter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void stages_data();
    void stages();
    void malformedLines_data();
    void malformedLines();
    void weekdayOverBundledDraws_data();
    void weekdayOverBundledDraws();
    void drawTableRows_data();
    void drawTableRows();
    void counts_data();
    void counts();
    void countsAddUpToMatchingDraws_data();
    void countsAddUpToMatchingDraws();
};

void TestDrawFilter::stages_data()
{
    QTest::addColumn<AnalysisCriteria>("criteria");
    QTest::addColumn<QStringList>("expected");

    // The base set is in the order D, B, C, A; the result keeps that order.
    const QStringList all {lineD, lineB, lineC, lineA};

    QTest::newRow("no box chosen") << AnalysisCriteria {} << all;
    QTest::newRow("Monday") << withChoices({{Day, 2}}) << QStringList {lineA};
    QTest::newRow("Friday") << withChoices({{Day, 6}}) << QStringList {lineC};
    QTest::newRow("Saturday") << withChoices({{Day, 7}}) << QStringList {};
    QTest::newRow("hundreds 4") << withChoices({{Hundreds, 4}}) << QStringList {lineA};
    QTest::newRow("tens 5") << withChoices({{Tens, 5}}) << QStringList {lineB, lineA};
    QTest::newRow("units 7") << withChoices({{Units, 7}}) << QStringList {lineC};
    QTest::newRow("tens-units 07") << withChoices({{TensUnits, 7}}) << QStringList {lineC};
    QTest::newRow("tens-units 45") << withChoices({{TensUnits, 45}}) << QStringList {lineD};
    QTest::newRow("leading pair 07") << withChoices({{LeadingPair, 7}}) << QStringList {lineC};
    QTest::newRow("leading pair 45") << withChoices({{LeadingPair, 45}}) << QStringList {lineD};
    QTest::newRow("two-digit units 5") << withChoices({{TwoDigitUnits, 5}}) << QStringList {lineB, lineA};
    QTest::newRow("two-digit tens 5") << withChoices({{TwoDigitTens, 5}}) << QStringList {lineD, lineA};
    QTest::newRow("two-digit 35") << withChoices({{TwoDigitUnits, 5}, {TwoDigitTens, 3}}) << QStringList {lineB};
    QTest::newRow("tens 3 and tens-units 45 contradict") << withChoices({{Tens, 3}, {TensUnits, 45}}) << QStringList {};
    QTest::newRow("tens 4 and tens-units 45 agree") << withChoices({{Tens, 4}, {TensUnits, 45}}) << QStringList {lineD};
    QTest::newRow("Monday and two-digit units 5") << withChoices({{Day, 2}, {TwoDigitUnits, 5}}) << QStringList {lineA};
    QTest::newRow("Sunday and two-digit units 7") << withChoices({{Day, 1}, {TwoDigitUnits, 7}}) << QStringList {};
    QTest::newRow("day not chosen, digits chosen")
        << withChoices({{Units, 5}, {LeadingPair, 45}}) << QStringList {lineD};
    QTest::newRow("tens-units 4 is 04, not 45") << withChoices({{TensUnits, 4}}) << QStringList {};
}

void TestDrawFilter::stages()
{
    QFETCH(AnalysisCriteria, criteria);
    QFETCH(QStringList, expected);
    QCOMPARE(filterDraws({lineD, lineB, lineC, lineA}, criteria), expected);
}

void TestDrawFilter::malformedLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<AnalysisCriteria>("criteria");
    QTest::addColumn<bool>("matches");

    // Blanks around a piece shift the digits: the criteria read other characters.
    const QString blanks = u"25530816, 123456 ,111,222,333,444,55"_s;
    QTest::newRow("blanks: no box chosen") << blanks << AnalysisCriteria {} << true;
    QTest::newRow("blanks: true hundreds fails") << blanks << withChoices({{Hundreds, 4}}) << false;
    QTest::newRow("blanks: shifted hundreds passes") << blanks << withChoices({{Hundreds, 3}}) << true;
    QTest::newRow("blanks: last character still read") << blanks << withChoices({{TwoDigitUnits, 5}}) << true;
    QTest::newRow("blanks: a blank is no leading zero") << blanks << withChoices({{LeadingPair, 1}}) << false;

    // A line too short for a position fails the criteria that read there, and only those.
    const QString cut = u"25530816,123456"_s;
    QTest::newRow("short: no box chosen") << cut << AnalysisCriteria {} << true;
    QTest::newRow("short: day") << cut << withChoices({{Day, 2}}) << true;
    QTest::newRow("short: hundreds inside") << cut << withChoices({{Hundreds, 4}}) << true;
    QTest::newRow("short: two-digit tens beyond the end") << cut << withChoices({{TwoDigitTens, 5}}) << false;
    QTest::newRow("short: last character") << cut << withChoices({{TwoDigitUnits, 6}}) << true;
    const QString cutter = u"25530816,1234"_s;
    QTest::newRow("shorter: hundreds inside") << cutter << withChoices({{Hundreds, 4}}) << true;
    QTest::newRow("shorter: one of two characters") << cutter << withChoices({{TensUnits, 4}}) << false;
    QTest::newRow("shorter: tens-units beyond") << cutter << withChoices({{TensUnits, 45}}) << false;
    QTest::newRow("shorter: units beyond") << cutter << withChoices({{Units, 5}}) << false;
    // A key cut short by the end of the line writes no value, not even one as short as it.
    QTest::newRow("cut key: tens-units") << u"25530816,12345"_s << withChoices({{TensUnits, 5}}) << false;
    QTest::newRow("cut key: leading pair") << u"25530816,1"_s << withChoices({{LeadingPair, 1}}) << false;

    // Lines that are no draw at all are left out even when no box is chosen.
    QTest::newRow("date only") << u"25530816"_s << AnalysisCriteria {} << false;
    QTest::newRow("date cut") << u"2553081"_s << AnalysisCriteria {} << false;
    QTest::newRow("empty") << QString() << AnalysisCriteria {} << false;
    QTest::newRow("31 February") << u"25530231,123456,111,222,333,444,55"_s << AnalysisCriteria {} << false;
    QTest::newRow("month 13") << u"25531301,123456,111,222,333,444,55"_s << AnalysisCriteria {} << false;
    QTest::newRow("month 00") << u"25530001,123456,111,222,333,444,55"_s << AnalysisCriteria {} << false;
    QTest::newRow("letters") << u"abcdefgh,123456,111,222,333,444,55"_s << AnalysisCriteria {} << false;
    QTest::newRow("nine characters") << u"25530816,"_s << AnalysisCriteria {} << true;
}

void TestDrawFilter::malformedLines()
{
    QFETCH(QString, line);
    QFETCH(AnalysisCriteria, criteria);
    QFETCH(bool, matches);
    const QStringList result = filterDraws({lineA, line, lineB}, criteria);
    QCOMPARE(result.contains(line), matches);
    // The well-formed neighbours are judged as ever.
    const QStringList alone = filterDraws({lineA, lineB}, criteria);
    QCOMPARE(result.size(), alone.size() + (matches ? 1 : 0));
}

void TestDrawFilter::weekdayOverBundledDraws_data()
{
    QTest::addColumn<int>("weekday");
    for (int weekday = 1; weekday <= 7; ++weekday) {
        QTest::addRow("weekday %d", weekday) << weekday;
    }
}

void TestDrawFilter::weekdayOverBundledDraws()
{
    QFETCH(int, weekday);
    const Result<QStringList> lines = ResultsFile(QStringLiteral(VARENTA_BUNDLED_DB)).readResultsFile();
    QVERIFY(lines.ok());
    QCOMPARE(lines.value().size(), 756);

    // Told apart here by the Gregorian calendar directly (Qt: Monday 1 .. Sunday 7).
    QStringList expected;
    for (const QString& line : lines.value()) {
        const QDate date(line.left(4).toInt() - 543, line.mid(4, 2).toInt(), line.mid(6, 2).toInt());
        QVERIFY(date.isValid());
        if (date.dayOfWeek() % 7 + 1 == weekday) {
            expected.append(line);
        }
    }
    const QStringList result = filterDraws(lines.value(), withChoices({{Day, weekday}}));
    QCOMPARE(result, expected);
    if (weekday == 6) {
        QCOMPARE(result.size(), 111);
    }
}

void TestDrawFilter::drawTableRows_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("cells");

    const auto& months = ShownTexts::kAnalysisMonthNames;
    QTest::newRow("complete") << lineA
                              << QStringList {u"16 "_s + months[7] + u" 2553"_s, u"123456"_s, u"111"_s, u"222"_s,
                                     u"333"_s, u"444"_s, u"55"_s};
    QTest::newRow("June has its own spelling") << u"25530616,123456,111,222,333,444,55"_s
                                               << QStringList {u"16 "_s + months[5] + u" 2553"_s, u"123456"_s, u"111"_s,
                                                      u"222"_s, u"333"_s, u"444"_s, u"55"_s};
    QTest::newRow("blanks trimmed") << u"25531016, 123456 ,111,222,333,444,55"_s
                                    << QStringList {u"16 "_s + months[9] + u" 2553"_s, u"123456"_s, u"111"_s, u"222"_s,
                                           u"333"_s, u"444"_s, u"55"_s};
    QTest::newRow("missing pieces empty") << u"25530101,123456,111"_s
                                          << QStringList {u"01 "_s + months[0] + u" 2553"_s, u"123456"_s, u"111"_s,
                                                 QString(), QString(), QString(), QString()};
    QTest::newRow("seventh piece ignored")
        << u"25530101,1,2,3,4,5,6,7"_s
        << QStringList {u"01 "_s + months[0] + u" 2553"_s, u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s};
}

void TestDrawFilter::drawTableRows()
{
    QFETCH(QString, line);
    QFETCH(QStringList, cells);
    QCOMPARE(drawTableRow(line), cells);
}

void TestDrawFilter::counts_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<DigitCountRow>("tens");
    QTest::addColumn<DigitCountRow>("units");

    QTest::newRow("no draw") << QStringList {} << DigitCountRow {} << DigitCountRow {};
    QTest::newRow("35") << QStringList {lineB} << row({{3, 1}}) << row({{5, 1}});
    QTest::newRow("four draws") << QStringList {lineA, lineB, lineC, lineD} << row({{5, 2}, {3, 1}, {0, 1}})
                                << row({{5, 2}, {7, 1}, {3, 1}});
    QTest::newRow("letter in the units place")
        << QStringList {u"25530816,123456,111,222,333,444,5x"_s} << row({{5, 1}}) << DigitCountRow {};
    QTest::newRow("blanks in both places")
        << QStringList {u"25530816,123456,111,222,333,444,  "_s} << DigitCountRow {} << DigitCountRow {};
    QTest::newRow("Thai digits are no digits")
        << QStringList {u"25530816,123456,111,222,333,444,"_s + QChar(0x0E55) + QChar(0x0E55)} << DigitCountRow {}
        << DigitCountRow {};
    QTest::newRow("short line: no tens place")
        << QStringList {u"25530816,123456"_s} << DigitCountRow {} << row({{6, 1}});
    QTest::newRow("shifted line") << QStringList {u"25530816, 123456 ,111,222,333,444,55"_s} << row({{4, 1}})
                                  << row({{5, 1}});
}

void TestDrawFilter::counts()
{
    QFETCH(QStringList, lines);
    QFETCH(DigitCountRow, tens);
    QFETCH(DigitCountRow, units);
    const DigitCounts counts = countTwoDigitPlaces(lines);
    QCOMPARE(counts.tensPlace, tens);
    QCOMPARE(counts.unitsPlace, units);
}

void TestDrawFilter::countsAddUpToMatchingDraws_data()
{
    QTest::addColumn<AnalysisCriteria>("criteria");
    QTest::newRow("all") << AnalysisCriteria {};
    QTest::newRow("Friday") << withChoices({{Day, 6}});
    QTest::newRow("units 0") << withChoices({{Units, 0}});
    QTest::newRow("Monday, two-digit tens 3") << withChoices({{Day, 2}, {TwoDigitTens, 3}});
}

void TestDrawFilter::countsAddUpToMatchingDraws()
{
    QFETCH(AnalysisCriteria, criteria);
    const Result<QStringList> lines = ResultsFile(QStringLiteral(VARENTA_BUNDLED_DB)).readResultsFile();
    QVERIFY(lines.ok());
    // Malformed lines among the real ones are neither listed nor counted.
    QStringList base = lines.value();
    base.insert(3, u"25530231,123456,111,222,333,444,55"_s);
    base.insert(10, u"2553"_s);

    const QStringList matching = filterDraws(base, criteria);
    QVERIFY(!matching.isEmpty());
    const DigitCounts counts = countTwoDigitPlaces(matching);
    QCOMPARE(std::accumulate(counts.tensPlace.begin(), counts.tensPlace.end(), 0), matching.size());
    QCOMPARE(std::accumulate(counts.unitsPlace.begin(), counts.unitsPlace.end(), 0), matching.size());
}

QTEST_APPLESS_MAIN(TestDrawFilter)
#include "tst_drawfilter.moc"
