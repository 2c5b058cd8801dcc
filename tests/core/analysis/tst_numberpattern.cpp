#include "analysis/NumberPattern.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Newest first. Before Sep 2015 all four three-digit numbers are last three digits; the layout is the same.
const QStringList kLines {
    u"25590816,004615,429,731,094,937,53"_s,
    u"25590801,895058,307,011,523,207,07"_s,
    u"25530816,123456,111,222,333,444,55"_s,
    u"25530801,987654,107,222,333,444,35"_s,
    u"25530716,070307,111,222,333,444,5"_s,
};

} // namespace

class TestNumberPattern : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void goodPatterns_data();
    void goodPatterns();
    void badPatterns_data();
    void badPatterns();
    void search_data();
    void search();
    void places_data();
    void places();
};

void TestNumberPattern::goodPatterns_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("text");
    QTest::addColumn<PatternTarget>("target");

    QTest::newRow("two-digit") << u"5?"_s << u"5?"_s << PatternTarget::TwoDigitPrize;
    QTest::newRow("star") << u"*7"_s << u"*7"_s << PatternTarget::TwoDigitPrize;
    QTest::newRow("three-digit, blanks around") << u"  ?07 "_s << u"?07"_s << PatternTarget::ThreeDigit;
    QTest::newRow("first prize") << u"??5??8"_s << u"??5??8"_s << PatternTarget::FirstPrize;
    QTest::newRow("whole number") << u"123456"_s << u"123456"_s << PatternTarget::FirstPrize;
}

void TestNumberPattern::goodPatterns()
{
    QFETCH(QString, typed);
    QFETCH(QString, text);
    QFETCH(PatternTarget, target);

    const Result<NumberPattern> pattern = NumberPattern::parse(typed);
    QVERIFY2(pattern.ok(), qPrintable(pattern.error()));
    QCOMPARE(pattern.value().text(), text);
    QCOMPARE(pattern.value().target(), target);
}

void TestNumberPattern::badPatterns_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");

    QTest::newRow("empty") << QString() << u"พิมพ์เลขที่ต้องการค้นหาก่อน"_s;
    QTest::newRow("blanks only") << u"   "_s << u"พิมพ์เลขที่ต้องการค้นหาก่อน"_s;
    QTest::newRow("letter") << u"5x"_s << u"ใช้ได้เฉพาะตัวเลข 0-9 และ ? หรือ * เท่านั้น แต่พบ \"x\""_s;
    QTest::newRow("blank inside") << u"5 ?"_s << u"ใช้ได้เฉพาะตัวเลข 0-9 และ ? หรือ * เท่านั้น แต่พบ \" \""_s;
    QTest::newRow("Thai digit") << u"๕?"_s << u"ใช้ได้เฉพาะตัวเลข 0-9 และ ? หรือ * เท่านั้น แต่พบ \"๕\""_s;
    // A character outside the basic plane is two code units: it is quoted whole, never half of it.
    QTest::newRow("a picture") << u"5\U0001F600"_s << u"ใช้ได้เฉพาะตัวเลข 0-9 และ ? หรือ * เท่านั้น แต่พบ \"\U0001F600\""_s;
    QTest::newRow("one digit")
        << u"5"_s << u"เลขที่ค้นหาต้องมี 2 หลัก (2 ตัวล่าง) 3 หลัก (เลข 3 ตัว หรือ 3 ตัวบน) หรือ 6 หลัก (รางวัลที่ 1) แต่ที่พิมพ์มี 1 หลัก"_s;
    QTest::newRow("four digits")
        << u"12?4"_s
        << u"เลขที่ค้นหาต้องมี 2 หลัก (2 ตัวล่าง) 3 หลัก (เลข 3 ตัว หรือ 3 ตัวบน) หรือ 6 หลัก (รางวัลที่ 1) แต่ที่พิมพ์มี 4 หลัก"_s;
    QTest::newRow("seven digits") << u"1234567"_s
                                  << u"เลขที่ค้นหาต้องมี 2 หลัก (2 ตัวล่าง) 3 หลัก (เลข 3 ตัว หรือ 3 ตัวบน) หรือ 6 หลัก (รางวัลที่ 1) "
                                     u"แต่ที่พิมพ์มี 7 หลัก"_s;
}

void TestNumberPattern::badPatterns()
{
    QFETCH(QString, typed);
    QFETCH(QString, message);

    const Result<NumberPattern> pattern = NumberPattern::parse(typed);
    QVERIFY(!pattern.ok());
    QCOMPARE(pattern.error(), message);
}

void TestNumberPattern::search_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QList<int>>("found");

    QTest::newRow("5? in the two-digit prize") << u"5?"_s << QList<int> {0, 2};
    QTest::newRow("a cut-short 5 is no 5?") << u"?5"_s << QList<int> {2, 3};
    QTest::newRow("?? matches every whole two-digit prize") << u"**"_s << QList<int> {0, 1, 2, 3};
    QTest::newRow("07 keeps its zero") << u"07"_s << QList<int> {1};
    QTest::newRow("?07 in any three-digit number, and the first prize's last three")
        << u"?07"_s << QList<int> {1, 3, 4};
    QTest::newRow("three-digit, fourth place") << u"93?"_s << QList<int> {0};
    QTest::newRow("first prize") << u"??5??8"_s << QList<int> {1};
    QTest::newRow("first prize, leading zeros") << u"0?0?0?"_s << QList<int> {4};
    QTest::newRow("no draw") << u"999999"_s << QList<int> {};
}

void TestNumberPattern::search()
{
    QFETCH(QString, pattern);
    QFETCH(QList<int>, found);

    const Result<NumberPattern> parsed = NumberPattern::parse(pattern);
    QVERIFY(parsed.ok());
    QCOMPARE(parsed.value().search(kLines), found);
}

void TestNumberPattern::places_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("places");

    const QString ofSep2016 = u"25590801,895058,307,011,523,207,07"_s;
    QTest::newRow("three-digit number") << u"523"_s << ofSep2016 << QStringList {u"เลข 3 ตัว"_s};
    QTest::newRow("3 ตัวบน: the first prize's last three") << u"058"_s << ofSep2016 << QStringList {u"3 ตัวบน"_s};
    QTest::newRow("3 ตัวบน with wildcards") << u"?5*"_s << ofSep2016 << QStringList {u"3 ตัวบน"_s};
    QTest::newRow("the first prize's first three are no 3 ตัวบน") << u"895"_s << ofSep2016 << QStringList();
    QTest::newRow("both") << u"307"_s << u"25530716,070307,307,222,333,444,05"_s
                          << QStringList {u"เลข 3 ตัว"_s, u"3 ตัวบน"_s};
    QTest::newRow("a number twice is one place")
        << u"222"_s << u"25530716,070222,222,222,333,444,05"_s << QStringList {u"เลข 3 ตัว"_s, u"3 ตัวบน"_s};
    QTest::newRow("a first prize cut short has no last three")
        << u"307"_s << u"25530716,70307,111,222,333,444,05"_s << QStringList();
    QTest::newRow("two-digit prize") << u"0?"_s << ofSep2016 << QStringList {u"2 ตัวล่าง"_s};
    QTest::newRow("first prize") << u"89????"_s << ofSep2016 << QStringList {u"รางวัลที่ 1"_s};
}

void TestNumberPattern::places()
{
    QFETCH(QString, pattern);
    QFETCH(QString, line);
    QFETCH(QStringList, places);

    const Result<NumberPattern> parsed = NumberPattern::parse(pattern);
    QVERIFY(parsed.ok());
    QStringList names;
    for (const PatternPlace place : parsed.value().placesIn(line)) {
        names.append(NumberPattern::placeName(place));
    }
    QCOMPARE(names, places);
    QCOMPARE(parsed.value().matchesLine(line), !places.isEmpty());
}

QTEST_GUILESS_MAIN(TestNumberPattern)
#include "tst_numberpattern.moc"
