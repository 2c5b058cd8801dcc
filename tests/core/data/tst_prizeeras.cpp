#include "data/PrizeEras.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A draw's amounts in the order of PrizeKinds::all(); -1 where the draw had no such prize or it is not known.
QList<qint64> inOrder(const std::map<PrizeKind, qint64>& amounts)
{
    QList<qint64> list;
    for (const PrizeKind kind : PrizeKinds::all()) {
        const auto found = amounts.find(kind);
        list.append(found == amounts.end() ? -1 : found->second);
    }
    return list;
}

const QByteArray header = "first_draw,last_draw,ticket_unit,unit_price_baht,first,near_first,second,third,fourth,"
                          "fifth,last_three,front_three,back_three,last_two,notes\n";

} // namespace

/// The amounts each prize paid per ticket, era by era, from the table that ships with the program.
class TestPrizeEras : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void amountsAtTheEdgesOfEachEra_data();
    void amountsAtTheEdgesOfEachEra();
    void howTicketsWereSold_data();
    void howTicketsWereSold();
    void refusesABrokenTable_data();
    void refusesABrokenTable();
};

void TestPrizeEras::amountsAtTheEdgesOfEachEra_data()
{
    QTest::addColumn<QString>("draw");
    // first, near first, second, third, fourth, fifth, front three, back three, last three, last two
    QTest::addColumn<QList<qint64>>("amounts");

    const QList<qint64> unknown(10, -1);
    const QList<qint64> until2015 {2000000, 50000, 100000, 40000, 20000, 10000, -1, -1, 2000, 1000};
    const QList<qint64> august2015 {3000000, 50000, 100000, 40000, 20000, 10000, -1, -1, 2000, 1000};
    const QList<qint64> frontAndBack {3000000, 50000, 100000, 40000, 20000, 10000, 2000, 2000, -1, 1000};
    const QList<qint64> singleTicket {6000000, 100000, 200000, 80000, 40000, 20000, 4000, 4000, -1, 2000};
    QTest::newRow("before the first draw of the results") << u"25371216"_s << unknown;
    QTest::newRow("first draw of the results") << u"25380116"_s << unknown;
    QTest::newRow("last draw of unknown amounts") << u"25530216"_s << unknown;
    QTest::newRow("1 Mar 2010") << u"25530301"_s << until2015;
    QTest::newRow("16 Jul 2015") << u"25580716"_s << until2015;
    QTest::newRow("1 Aug 2015") << u"25580801"_s << august2015;
    QTest::newRow("16 Aug 2015") << u"25580816"_s << august2015;
    QTest::newRow("1 Sep 2015") << u"25580901"_s << frontAndBack;
    QTest::newRow("16 Aug 2017") << u"25600816"_s << frontAndBack;
    QTest::newRow("1 Sep 2017") << u"25600901"_s << singleTicket;
    QTest::newRow("16 Aug 2026") << u"25690816"_s << singleTicket;
    QTest::newRow("no draw key") << u"2553030"_s << unknown;
}

void TestPrizeEras::amountsAtTheEdgesOfEachEra()
{
    QFETCH(QString, draw);
    QFETCH(QList<qint64>, amounts);
    QCOMPARE(inOrder(PrizeEras::bundled().amountsOf(draw)), amounts);
}

void TestPrizeEras::howTicketsWereSold_data()
{
    QTest::addColumn<QString>("draw");
    QTest::addColumn<QString>("firstDraw");
    QTest::addColumn<QString>("lastDraw");
    QTest::addColumn<TicketUnit>("unit");
    QTest::addColumn<int>("price");

    QTest::newRow("unknown") << u"25500116"_s << u"25380116"_s << u"25530216"_s << TicketUnit::Unknown << 0;
    QTest::newRow("pair, 2010") << u"25530816"_s << u"25530301"_s << u"25580716"_s << TicketUnit::PairOfTickets << 40;
    QTest::newRow("single, to this day") << u"25690502"_s << u"25600901"_s << QString() << TicketUnit::SingleTicket
                                         << 80;
}

void TestPrizeEras::howTicketsWereSold()
{
    QFETCH(QString, draw);
    QFETCH(QString, firstDraw);
    QFETCH(QString, lastDraw);
    QFETCH(TicketUnit, unit);
    QFETCH(int, price);
    const PrizeEra* era = PrizeEras::bundled().eraOf(draw);
    QVERIFY(era);
    QCOMPARE(era->firstDraw, firstDraw);
    QCOMPARE(era->lastDraw, lastDraw);
    QCOMPARE(era->unit, unit);
    QCOMPARE(era->ticketPrice, price);
    QCOMPARE(PrizeEras::bundled().eras().size(), 5);
    QVERIFY(!PrizeEras::bundled().eraOf(u"25371216"_s));
}

void TestPrizeEras::refusesABrokenTable_data()
{
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<int>("line");

    const QByteArray first = "25530301,25580716,pair of two 40-baht tickets,40,2000000,50000,100000,40000,20000,"
                             "10000,2000,,,1000,\"a note, with a comma\"\n";
    const QByteArray second =
        "25580801,,single 80-baht ticket,80,3000000,50000,100000,40000,20000,10000,2000,,,1000,\n";
    QTest::newRow("nothing") << QByteArray() << 1;
    QTest::newRow("a column missing") << QByteArray(header).replace(",last_two", "") + first << 1;
    QTest::newRow("quote left open") << header + QByteArray(first).replace("comma\"", "comma") << 2;
    QTest::newRow("amount with separators") << header + QByteArray(first).replace("2000000", "\"2,000,000\"") << 2;
    QTest::newRow("eras overlap") << header + first + QByteArray(second).replace("25580801", "25580716") << 3;
    QTest::newRow("an era after one that lasts") << header + QByteArray(first).replace("25580716", "") + second << 3;
}

void TestPrizeEras::refusesABrokenTable()
{
    QFETCH(QByteArray, csv);
    QFETCH(int, line);
    const Result<PrizeEras> parsed = PrizeEras::parse(csv);
    QVERIFY(!parsed);
    QCOMPARE(parsed.error(), u"อ่านตารางจำนวนเงินรางวัลของแต่ละช่วงเวลาไม่ได้ (บรรทัด %1)"_s.arg(line));

    // The same table whole is read.
    const QByteArray whole = header +
        "25530301,25580716,pair of two 40-baht tickets,40,2000000,50000,100000,40000,20000,10000,2000,,,1000,\"a, b\"\n"
        "25580801,,single 80-baht ticket,80,3000000,50000,100000,40000,20000,10000,2000,,,1000,\n";
    const Result<PrizeEras> read = PrizeEras::parse(whole);
    QVERIFY2(read, qPrintable(read.error()));
    QCOMPARE(read.value().eras().size(), 2);
    QCOMPARE(read.value().eras().first().notes, u"a, b"_s);
}

QTEST_GUILESS_MAIN(TestPrizeEras)
#include "tst_prizeeras.moc"
