#include "FakeGloApi.h"
#include "data/TicketCheck.h"

#include <QTest>

#include <limits>

using namespace Qt::StringLiterals;

namespace {

// The prizes as "name amount" texts, in the order they are given.
QStringList described(const QList<TicketCheck::PrizeWon>& prizes)
{
    QStringList texts;
    for (const TicketCheck::PrizeWon& prize : prizes) {
        texts.append(PrizeKinds::thaiName(prize.kind) + u' ' + QString::number(prize.amount));
    }
    return texts;
}

} // namespace

/// The lottery's rules on real draws, read from the lottery office's own answers.
class TestTicketCheck : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void winsOnTheDrawOf2May2026_data();
    void winsOnTheDrawOf2May2026();
    void winsOnADrawWithFourLastThreeNumbers_data();
    void winsOnADrawWithFourLastThreeNumbers();
    void readsTheWholeTable();
    void splitsTheInput_data();
    void splitsTheInput();
    void partialTableOfAResultsLine();
    void eraNotes_data();
    void eraNotes();
    void sumsNeverWrap_data();
    void sumsNeverWrap();
};

void TestTicketCheck::winsOnTheDrawOf2May2026_data()
{
    QTest::addColumn<QString>("ticket");
    QTest::addColumn<QStringList>("prizes");
    QTest::addColumn<qint64>("total");

    // First prize 536077, beside it 536076 and 536078, front three 267 and 318, back three 065 and 153, last two 43.
    QTest::newRow("first prize, and 77 is not the last two")
        << u"536077"_s << QStringList {u"รางวัลที่ 1 6000000"_s} << qint64(6000000);
    QTest::newRow("beside the first prize, below")
        << u"536076"_s << QStringList {u"รางวัลข้างเคียงรางวัลที่ 1 100000"_s} << qint64(100000);
    QTest::newRow("beside the first prize, above")
        << u"536078"_s << QStringList {u"รางวัลข้างเคียงรางวัลที่ 1 100000"_s} << qint64(100000);
    QTest::newRow("second prize") << u"066595"_s << QStringList {u"รางวัลที่ 2 200000"_s} << qint64(200000);
    QTest::newRow("fifth prize") << u"006124"_s << QStringList {u"รางวัลที่ 5 20000"_s} << qint64(20000);
    QTest::newRow("last two") << u"000043"_s << QStringList {u"รางวัลเลขท้าย 2 ตัว 2000"_s} << qint64(2000);
    QTest::newRow("front three") << u"267000"_s << QStringList {u"รางวัลเลขหน้า 3 ตัว 4000"_s} << qint64(4000);
    QTest::newRow("back three") << u"999153"_s << QStringList {u"รางวัลเลขท้าย 3 ตัว 4000"_s} << qint64(4000);
    QTest::newRow("front three and last two add up")
        << u"318543"_s << QStringList {u"รางวัลเลขหน้า 3 ตัว 4000"_s, u"รางวัลเลขท้าย 2 ตัว 2000"_s} << qint64(6000);
    QTest::newRow("front and back three add up")
        << u"267065"_s << QStringList {u"รางวัลเลขหน้า 3 ตัว 4000"_s, u"รางวัลเลขท้าย 3 ตัว 4000"_s} << qint64(8000);
    QTest::newRow("a back three number at the front wins nothing") << u"065999"_s << QStringList() << qint64(0);
    QTest::newRow("a front three number at the back wins nothing") << u"999267"_s << QStringList() << qint64(0);
    QTest::newRow("43 in the middle wins nothing") << u"943000"_s << QStringList() << qint64(0);
    QTest::newRow("one digit off the first prize, not beside it") << u"536177"_s << QStringList() << qint64(0);
}

void TestTicketCheck::winsOnTheDrawOf2May2026()
{
    QFETCH(QString, ticket);
    QFETCH(QStringList, prizes);
    QFETCH(qint64, total);
    const DrawPrizes draw = GloApiAnswers::savedTable(u"getLatestLottery-2026-05-02.json"_s);
    QCOMPARE(draw.drawKey, u"25690502"_s);

    const QList<TicketCheck::PrizeWon> won = TicketCheck::prizesWon(ticket, draw);
    QCOMPARE(described(won), prizes);
    QCOMPARE(TicketCheck::totalAmount(won).value(), total);
}

void TestTicketCheck::winsOnADrawWithFourLastThreeNumbers_data()
{
    QTest::addColumn<QString>("ticket");
    QTest::addColumn<QStringList>("prizes");

    // 16 Aug 2015: first prize 033363, last three 227, 624, 648 and 781, last two 40; the amounts of its era, per
    // 40-baht ticket, whatever today's amounts in the office's answer say.
    QTest::newRow("first prize") << u"033363"_s << QStringList {u"รางวัลที่ 1 3000000"_s};
    for (const QString& three : {u"227"_s, u"624"_s, u"648"_s, u"781"_s}) {
        QTest::addRow("last three %s", qPrintable(three))
            << u"100"_s + three << QStringList {u"รางวัลเลขท้าย 3 ตัว 2000"_s};
    }
    QTest::newRow("no front three before September 2015") << u"781100"_s << QStringList();
    QTest::newRow("last two") << u"555540"_s << QStringList {u"รางวัลเลขท้าย 2 ตัว 1000"_s};
    QTest::newRow("beside the first prize") << u"033364"_s << QStringList {u"รางวัลข้างเคียงรางวัลที่ 1 50000"_s};
}

void TestTicketCheck::winsOnADrawWithFourLastThreeNumbers()
{
    QFETCH(QString, ticket);
    QFETCH(QStringList, prizes);
    const DrawPrizes draw = GloApiAnswers::savedTable(u"getLotteryResult-2015-08-16.json"_s);
    QCOMPARE(draw.numbersOf(PrizeKind::LastThree), (QStringList {u"227"_s, u"624"_s, u"648"_s, u"781"_s}));
    QVERIFY(draw.numbersOf(PrizeKind::FrontThree).isEmpty());

    QCOMPARE(described(TicketCheck::prizesWon(ticket, draw)), prizes);
}

void TestTicketCheck::readsTheWholeTable()
{
    const DrawPrizes draw = GloApiAnswers::savedTable(u"getLatestLottery-2026-05-02.json"_s);
    QCOMPARE(draw.numbers.size(), 1 + 2 + 5 + 10 + 50 + 100 + 2 + 2 + 1);
    QCOMPARE(draw.numbersOf(PrizeKind::NearFirst), (QStringList {u"536076"_s, u"536078"_s}));
    QCOMPARE(draw.numbersOf(PrizeKind::FrontThree), (QStringList {u"267"_s, u"318"_s}));
    QCOMPARE(draw.numbersOf(PrizeKind::BackThree), (QStringList {u"065"_s, u"153"_s}));
    QCOMPARE(draw.amountOf(PrizeKind::Third), qint64(80000));
    QCOMPARE(draw.amountOf(PrizeKind::Fourth), qint64(40000));
    QCOMPARE(draw.amountOf(PrizeKind::LastThree), qint64(-1));
}

void TestTicketCheck::splitsTheInput_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QStringList>("entries");

    QTest::newRow("one a line") << u"536077\n000043\r\n"_s << QStringList {u"1 536077"_s, u"2 000043"_s};
    QTest::newRow("blanks and commas") << u" 536077, 000043  267000,,\t318543"_s
                                       << QStringList {u"1 536077"_s, u"1 000043"_s, u"1 267000"_s, u"1 318543"_s};
    QTest::newRow("blank lines count") << u"\n\n536077"_s << QStringList {u"3 536077"_s};
    QTest::newRow("five digits") << u"53607"_s << QStringList {u"1 53607 \"53607\" มี 5 หลัก เลขสลากต้องมี 6 หลัก"_s};
    QTest::newRow("seven digits") << u"5360777"_s << QStringList {u"1 5360777 \"5360777\" มี 7 หลัก เลขสลากต้องมี 6 หลัก"_s};
    QTest::newRow("letters") << u"536o77"_s << QStringList {u"1 536o77 \"536o77\" มีอักขระที่ไม่ใช่ตัวเลข"_s};
    QTest::newRow("a dash") << u"536-077"_s << QStringList {u"1 536-077 \"536-077\" มีอักขระที่ไม่ใช่ตัวเลข"_s};
    QTest::newRow("Thai digits") << u"๕๓๖๐๗๗"_s
                                 << QStringList {u"1 ๕๓๖๐๗๗ \"๕๓๖๐๗๗\" เป็นเลขไทย กรุณาพิมพ์เป็นเลขอารบิก 0-9"_s};
    QTest::newRow("good and bad") << u"536077\nabc, 000043"_s
                                  << QStringList {u"1 536077"_s, u"2 abc \"abc\" มีอักขระที่ไม่ใช่ตัวเลข"_s, u"2 000043"_s};
    QTest::newRow("nothing") << u" \n , "_s << QStringList();
    // A pasted line of digits is quoted by its beginning; a cut never splits a character in two.
    QTest::newRow("130,000 digits") << QString(130000, u'7')
                                    << QStringList {QString(130000, u'7').prepend(u"1 "_s) +
                                           u" \"777777777777777777777777…\" มี "
                                           u"130000 หลัก เลขสลากต้องมี 6 หลัก"_s};
    const QString emoji = u"\U0001F600"_s.repeated(30);
    QTest::newRow("pictures") << emoji
                              << QStringList {u"1 "_s + emoji + u" \""_s + u"\U0001F600"_s.repeated(24) +
                                     u"…\" มีอักขระที่ไม่ใช่ตัวเลข"_s};
    // A consonant and its tone mark are one character: 24 of them, not 12 and a half.
    const QString toned = u"เลขท้าย"_s.mid(3, 2);
    QTest::newRow("Thai tone marks stay on their letters")
        << u"x"_s + toned.repeated(30)
        << QStringList {u"1 x"_s + toned.repeated(30) + u" \"x"_s + toned.repeated(23) + u"…\" มีอักขระที่ไม่ใช่ตัวเลข"_s};
}

void TestTicketCheck::splitsTheInput()
{
    QFETCH(QString, input);
    QFETCH(QStringList, entries);
    QStringList found;
    for (const TicketCheck::TicketEntry& entry : TicketCheck::splitTickets(input)) {
        found.append(
            QString::number(entry.line) + u' ' + entry.text + (entry.error.isEmpty() ? QString() : u' ' + entry.error));
    }
    QCOMPARE(found, entries);
}

void TestTicketCheck::partialTableOfAResultsLine()
{
    // 16 Jan 2007, long before full tables: the results line is all there is, and no amount is known.
    const DrawPrizes before {
        partialPrizes({u"25500116"_s, u"422605"_s, u"123"_s, u"456"_s, u"789"_s, u"012"_s, u"54"_s})};
    QVERIFY(before.partial);
    QCOMPARE(described(TicketCheck::prizesWon(u"422605"_s, before)), QStringList {u"รางวัลที่ 1 -1"_s});
    QCOMPARE(described(TicketCheck::prizesWon(u"100012"_s, before)), QStringList {u"รางวัลเลขท้าย 3 ตัว -1"_s});
    QCOMPARE(described(TicketCheck::prizesWon(u"123000"_s, before)), QStringList());

    // From 1 Sep 2015 the line holds two front then two back numbers; the amounts are those of the draw's era.
    const DrawPrizes after {
        partialPrizes({u"25690816"_s, u"004615"_s, u"429"_s, u"731"_s, u"094"_s, u"937"_s, u"53"_s})};
    QCOMPARE(described(TicketCheck::prizesWon(u"731000"_s, after)), QStringList {u"รางวัลเลขหน้า 3 ตัว 4000"_s});
    QCOMPARE(described(TicketCheck::prizesWon(u"000094"_s, after)), QStringList {u"รางวัลเลขท้าย 3 ตัว 4000"_s});
    QCOMPARE(described(TicketCheck::prizesWon(u"094000"_s, after)), QStringList());
}

void TestTicketCheck::eraNotes_data()
{
    QTest::addColumn<QString>("drawKey");
    QTest::addColumn<QStringList>("notes");

    const QString unknown = u"ไม่ทราบจำนวนเงินรางวัลของงวดก่อน 01 มีนาคม 2553 จึงแสดงเฉพาะชื่อรางวัล"_s;
    const QString pair =
        u"ถึงงวด 16 สิงหาคม 2560 สลากเป็นคู่ 2 ใบ ใบละ 40 บาท เงินรางวัลที่แสดงเป็นของสลาก 1 ใบ สลาก 1 คู่ได้เงินรางวัล 2 เท่า"_s;
    const QString series = u"ตั้งแต่งวด 01 มีนาคม 2553 ถึงงวด 16 กรกฎาคม 2558 รางวัลที่ 1 ของสลากบางชุดได้เงินรางวัลมากกว่าที่แสดง "
                           u"ซึ่งดูจากเลขสลาก 6 หลักไม่ได้"_s;
    // The last and the first draw of each era.
    QTest::newRow("the first draw of 1995") << u"25380116"_s << QStringList {unknown};
    QTest::newRow("16 Feb 2010, amounts not known") << u"25530216"_s << QStringList {unknown};
    QTest::newRow("1 Mar 2010, amounts known") << u"25530301"_s << QStringList {pair, series};
    QTest::newRow("16 Jul 2015, the last series prizes") << u"25580716"_s << QStringList {pair, series};
    QTest::newRow("1 Aug 2015, no series prizes") << u"25580801"_s << QStringList {pair};
    QTest::newRow("16 Aug 2017, the last pair") << u"25600816"_s << QStringList {pair};
    QTest::newRow("1 Sep 2017, one ticket of 80 baht") << u"25600901"_s << QStringList();
    QTest::newRow("16 Aug 2026") << u"25690816"_s << QStringList();
}

void TestTicketCheck::eraNotes()
{
    QFETCH(QString, drawKey);
    QFETCH(QStringList, notes);
    QCOMPARE(TicketCheck::eraNotes(drawKey), notes);
}

void TestTicketCheck::sumsNeverWrap_data()
{
    QTest::addColumn<QList<qint64>>("amounts");
    QTest::addColumn<qint64>("value");
    QTest::addColumn<bool>("overflowed");
    QTest::addColumn<bool>("anyUnknown");

    constexpr qint64 most = std::numeric_limits<qint64>::max();
    QTest::newRow("known amounts") << QList<qint64> {6000000, 4000, 2000} << qint64(6006000) << false << false;
    QTest::newRow("one not known") << QList<qint64> {4000, -1} << qint64(4000) << false << true;
    QTest::newRow("up to the most it holds") << QList<qint64> {most - 1, 1} << most << false << false;
    QTest::newRow("past it") << QList<qint64> {most, 1} << most << true << false;
    QTest::newRow("past it, then more") << QList<qint64> {most, most, 5} << qint64(0) << true << false;
}

void TestTicketCheck::sumsNeverWrap()
{
    QFETCH(QList<qint64>, amounts);
    QFETCH(qint64, value);
    QFETCH(bool, overflowed);
    QFETCH(bool, anyUnknown);

    TicketCheck::BahtTotal total;
    for (const qint64 amount : amounts) {
        total.add(amount);
    }
    QCOMPARE(total.overflowed(), overflowed);
    QCOMPARE(total.anyUnknown(), anyUnknown);
    if (!overflowed) {
        QCOMPARE(total.value(), value);
    }
    // Sums of sums keep what their parts say.
    TicketCheck::BahtTotal sums;
    sums.add(total);
    sums.add(TicketCheck::BahtTotal());
    QCOMPARE(sums.overflowed(), overflowed);
    QCOMPARE(sums.anyUnknown(), anyUnknown);
}

QTEST_GUILESS_MAIN(TestTicketCheck)
#include "tst_ticketcheck.moc"
