#include "ShownTexts.h"
#include "data/ThaiCalendar.h"

#include <QDate>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
int weekdayFor(int year, int month, int day)
{
    return QDate(year, month, day).dayOfWeek() % 7 + 1;
}

QString dayName(int weekday)
{
    return (weekday >= 1 && weekday <= 7 ? ShownTexts::kDayNames[static_cast<std::size_t>(weekday - 1)]
                                         : ShownTexts::kUnknownDay)
        .toString();
}
} // namespace

class TestThaiCalendar : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void derivedTexts_data();
    void derivedTexts();
    void weekdayMatchesGregorianCalendar_data();
    void weekdayMatchesGregorianCalendar();
    void monthNames_data();
    void monthNames();
    void drawMonths_data();
    void drawMonths();
    void gregorianDates_data();
    void gregorianDates();
};

void TestThaiCalendar::derivedTexts_data()
{
    QTest::addColumn<QString>("drawDate");
    QTest::addColumn<int>("weekday");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("caption");

    const QString sunday = dayName(1);
    const QString monday = dayName(2);
    const QString wednesday = dayName(4);
    const QString friday = dayName(6);
    const QString unknown = ShownTexts::kUnknownDay.toString();
    const auto month = [](int m) { return ShownTexts::kMonthNames[static_cast<std::size_t>(m - 1)].toString(); };

    QTest::newRow("monday in August") << u"25530816"_s << 2 << (u"16 "_s + month(8) + u" 2553"_s)
                                      << (monday + u" 16 "_s + month(8) + u" 2553"_s);
    QTest::newRow("day keeps its leading zero")
        << u"25530101"_s << 6 << (u"01 "_s + month(1) + u" 2553"_s) << (friday + u" 01 "_s + month(1) + u" 2553"_s);
    QTest::newRow("sunday") << u"25530801"_s << 1 << (u"01 "_s + month(8) + u" 2553"_s)
                            << (sunday + u" 01 "_s + month(8) + u" 2553"_s);
    QTest::newRow("december") << u"25521216"_s << 4 << (u"16 "_s + month(12) + u" 2552"_s)
                              << (wednesday + u" 16 "_s + month(12) + u" 2552"_s);
    QTest::newRow("only the first eight characters count")
        << u"25530816,123456,111,222,333,444,55"_s << 2 << (u"16 "_s + month(8) + u" 2553"_s)
        << (monday + u" 16 "_s + month(8) + u" 2553"_s);
    QTest::newRow("month 13 stands in place of a name")
        << u"25531301"_s << 0 << u"01 13 2553"_s << (unknown + u" 01 13 2553"_s);
    QTest::newRow("month 00") << u"25530001"_s << 0 << u"01 00 2553"_s << (unknown + u" 01 00 2553"_s);
    QTest::newRow("no 31st of June") << u"25530631"_s << 0 << (u"31 "_s + month(6) + u" 2553"_s)
                                     << (unknown + u" 31 "_s + month(6) + u" 2553"_s);
    QTest::newRow("29 February of a leap year")
        << u"25430229"_s << 3 << (u"29 "_s + month(2) + u" 2543"_s) << (dayName(3) + u" 29 "_s + month(2) + u" 2543"_s);
    QTest::newRow("29 February of a common year")
        << u"25440229"_s << 0 << (u"29 "_s + month(2) + u" 2544"_s) << (unknown + u" 29 "_s + month(2) + u" 2544"_s);
    QTest::newRow("1900 was no leap year")
        << u"24430229"_s << 0 << (u"29 "_s + month(2) + u" 2443"_s) << (unknown + u" 29 "_s + month(2) + u" 2443"_s);
    QTest::newRow("year number drops leading zeros")
        << u"05530816"_s << weekdayFor(10, 8, 16) << (u"16 "_s + month(8) + u" 553"_s)
        << (dayName(weekdayFor(10, 8, 16)) + u" 16 "_s + month(8) + u" 553"_s);
    QTest::newRow("BE 543 is no Gregorian year")
        << u"05430101"_s << 0 << (u"01 "_s + month(1) + u" 543"_s) << (unknown + u" 01 "_s + month(1) + u" 543"_s);
    QTest::newRow("non-digit month") << u"2553ab16"_s << 0 << u"16 ab 2553"_s << (unknown + u" 16 ab 2553"_s);
    QTest::newRow("non-digit year") << u"25x30816"_s << 0 << (u"16 "_s + month(8) + u" 25x3"_s)
                                    << (unknown + u" 16 "_s + month(8) + u" 25x3"_s);
    QTest::newRow("date cut after the month")
        << u"255308"_s << 0 << (month(8) + u" 2553"_s) << (unknown + u' ' + month(8) + u" 2553"_s);
    QTest::newRow("year only") << u"2553"_s << 0 << u"2553"_s << (unknown + u" 2553"_s);
    QTest::newRow("empty") << QString() << 0 << QString() << (unknown + u' ');
}

void TestThaiCalendar::derivedTexts()
{
    QFETCH(QString, drawDate);
    QFETCH(int, weekday);
    QFETCH(QString, title);
    QFETCH(QString, caption);

    QCOMPARE(weekdayNumber(drawDate), weekday);
    QCOMPARE(thaiDayName(drawDate), dayName(weekday));
    QCOMPARE(drawTitle(drawDate), title);
    QCOMPARE(drawCaption(drawDate), caption);
}

void TestThaiCalendar::weekdayMatchesGregorianCalendar_data()
{
    QTest::addColumn<QString>("drawDate");
    QTest::addColumn<int>("expected");
    // Known weekdays of real draws, across the Gregorian/Buddhist year boundary (30 Dec and 1 or 2 Jan).
    QTest::newRow("2007-12-30 sunday") << u"25501230"_s << 1;
    QTest::newRow("2008-01-16 wednesday") << u"25510116"_s << 4;
    QTest::newRow("2026-08-16 sunday") << u"25690816"_s << 1;
    QTest::newRow("1995-01-16 monday") << u"25380116"_s << 2;
    QTest::newRow("2024-02-29 thursday") << u"25670229"_s << 5;
    QTest::newRow("2000-02-29 tuesday") << u"25430229"_s << 3;
}

void TestThaiCalendar::weekdayMatchesGregorianCalendar()
{
    QFETCH(QString, drawDate);
    QFETCH(int, expected);
    QCOMPARE(weekdayNumber(drawDate), expected);
}

void TestThaiCalendar::monthNames_data()
{
    QTest::addColumn<QString>("monthText");
    QTest::addColumn<QString>("mainWindow");
    QTest::addColumn<QString>("analysisWindow");

    for (std::size_t month = 0; month < 12; ++month) {
        QTest::addRow("%02d", int(month + 1))
            << QString::asprintf("%02d", int(month + 1)) << ShownTexts::kMonthNames[month].toString()
            << ShownTexts::kAnalysisMonthNames[month].toString();
    }
    QTest::newRow("00") << u"00"_s << u"00"_s << u"00"_s;
    QTest::newRow("13") << u"13"_s << u"13"_s << u"13"_s;
    QTest::newRow("one digit is no month text") << u"8"_s << u"8"_s << u"8"_s;
    QTest::newRow("letters") << u"ab"_s << u"ab"_s << u"ab"_s;
    QTest::newRow("blank and digit") << u" 8"_s << u" 8"_s << u" 8"_s;
}

void TestThaiCalendar::monthNames()
{
    QFETCH(QString, monthText);
    QFETCH(QString, mainWindow);
    QFETCH(QString, analysisWindow);
    QCOMPARE(thaiMonthName(monthText), mainWindow);
    QCOMPARE(thaiMonthName(monthText, MonthNaming::AnalysisWindow), analysisWindow);
}

void TestThaiCalendar::drawMonths_data()
{
    QTest::addColumn<QString>("drawDate");
    QTest::addColumn<int>("month");
    QTest::newRow("August") << u"25530816"_s << 8;
    QTest::newRow("January") << u"25530101"_s << 1;
    QTest::newRow("December") << u"25521216"_s << 12;
    QTest::newRow("a whole line") << u"25531116,123456,111,222,333,444,55"_s << 11;
    QTest::newRow("no calendar day, still a month") << u"25530631"_s << 6;
    QTest::newRow("date cut after the month") << u"255308"_s << 8;
    QTest::newRow("month cut") << u"25530"_s << 0;
    QTest::newRow("year only") << u"2553"_s << 0;
    QTest::newRow("month 13") << u"25531301"_s << 0;
    QTest::newRow("month 00") << u"25530001"_s << 0;
    QTest::newRow("letters") << u"2553ab16"_s << 0;
    QTest::newRow("blank and digit") << u"2553 816"_s << 0;
}

void TestThaiCalendar::drawMonths()
{
    QFETCH(QString, drawDate);
    QFETCH(int, month);
    QCOMPARE(drawMonth(drawDate), month);
    // The title names that month and no other, so that choosing draws by month picks what the titles show.
    const QString title = drawTitle(drawDate);
    for (std::size_t named = 0; named < ShownTexts::kMonthNames.size(); ++named) {
        QCOMPARE(title.contains(ShownTexts::kMonthNames[named]), int(named) + 1 == month);
    }
}

void TestThaiCalendar::gregorianDates_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QDate>("date");
    QTest::newRow("format change") << u"25580901"_s << QDate(2015, 9, 1);
    QTest::newRow("leading zeros") << u"25530102"_s << QDate(2010, 1, 2);
    QTest::newRow("too short") << u"2558091"_s << QDate();
    QTest::newRow("month 13") << u"25581301"_s << QDate();
    QTest::newRow("31 September") << u"25580931"_s << QDate();
    QTest::newRow("letter") << u"2558O901"_s << QDate();
    QTest::newRow("Thai digits") << u"๒๕๕๘0901"_s << QDate();
}

void TestThaiCalendar::gregorianDates()
{
    QFETCH(QString, key);
    QFETCH(QDate, date);
    QCOMPARE(gregorianDate(key), date);
    if (date.isValid()) {
        QCOMPARE(drawDateOf(date), key);
    }
}

QTEST_APPLESS_MAIN(TestThaiCalendar)
#include "tst_thaicalendar.moc"
