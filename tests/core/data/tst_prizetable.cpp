#include "FakeGloApi.h"
#include "data/PrizeTable.h"
#include "data/ResultsFile.h"

#include <QTest>

using namespace Qt::StringLiterals;

/// What makes a draw's prize table whole, and a fetched table one to keep for the draw asked for.
class TestPrizeTable : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void wholeTables_data();
    void wholeTables();
    void tablesAgainstTheResultsFile_data();
    void tablesAgainstTheResultsFile();
};

void TestPrizeTable::wholeTables_data()
{
    QTest::addColumn<DrawPrizes>("table");
    QTest::addColumn<QString>("error"); // empty: whole

    const DrawPrizes may = GloApiAnswers::savedTable(u"getLatestLottery-2026-05-02.json"_s);
    const DrawPrizes august2015 = GloApiAnswers::savedTable(u"getLotteryResult-2015-08-16.json"_s);
    QTest::newRow("2 May 2026") << may << QString();

    DrawPrizes table = may;
    table.numbers.removeIf([](const PrizeNumber& number) { return number.number == u"006124"; });
    QTest::newRow("a fifth prize missing") << table << u"ตารางรางวัลไม่ครบ: รางวัลที่ 5"_s;
    table = may;
    table.numbers.append({PrizeKind::First, u"000000"_s, 2});
    QTest::newRow("two first prizes") << table << u"ตารางรางวัลผิดรูปแบบ: รางวัลที่ 1"_s;
    table = may;
    table.numbers.last().number = u"๔๓"_s;
    QTest::newRow("Thai digits") << table << u"ตารางรางวัลผิดรูปแบบ: รางวัลเลขท้าย 2 ตัว"_s;
    table = may;
    table.numbers.append({PrizeKind::LastThree, u"123"_s, 1});
    QTest::newRow("last three after 2015") << table << u"ตารางรางวัลผิดรูปแบบ: รางวัลเลขท้าย 3 ตัว"_s;
    table = august2015;
    table.numbers.append({PrizeKind::FrontThree, u"123"_s, 1});
    QTest::newRow("front three before September 2015") << table << u"ตารางรางวัลผิดรูปแบบ: รางวัลเลขหน้า 3 ตัว"_s;
    table = may;
    table.drawKey = u"25691302"_s;
    QTest::newRow("no draw date") << table << u"ตารางรางวัลมีรหัสงวด \"25691302\" ที่ไม่ถูกต้อง"_s;
    QTest::newRow("a results-file line") << partialPrizes(
                                                ResultsFile::parseDrawLine(u"25690502,536077,267,318,065,153,43"_s))
                                         << u"ตารางรางวัลไม่ครบ: มีเฉพาะรางวัลที่ 1 เลข 3 ตัว และเลขท้าย 2 ตัว"_s;
}

void TestPrizeTable::wholeTables()
{
    QFETCH(DrawPrizes, table);
    QFETCH(QString, error);
    const Status checked = checkFullTable(table);
    QCOMPARE(checked.ok(), error.isEmpty());
    QCOMPARE(checked.error(), error);
}

void TestPrizeTable::tablesAgainstTheResultsFile_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("asked");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("error"); // empty: the table is kept

    const QString may = u"getLatestLottery-2026-05-02.json"_s;
    const QString august = u"getLotteryResult-2015-08-16.json"_s;
    const QString differs = u"ตารางรางวัลงวด 02 พฤษภาคม 2569 ไม่ตรงกับแฟ้มผลรางวัล (%1)"_s;
    QTest::newRow("agrees") << may << u"25690502"_s << u"25690502,536077,267,318,065,153,43"_s << QString();
    QTest::newRow("three-digit numbers in another order")
        << may << u"25690502"_s << u"25690502,536077,318,267,153,065,43"_s << QString();
    QTest::newRow("four last-three numbers")
        << august << u"25580816"_s << u"25580816,033363,781,227,648,624,40"_s << QString();
    QTest::newRow("answer for another draw")
        << may << u"25690516"_s << u"25690516,536077,267,318,065,153,43"_s
        << u"ตารางรางวัลที่ได้รับเป็นของงวด 02 พฤษภาคม 2569 ไม่ใช่งวด 16 พฤษภาคม 2569 ที่ขอ"_s;
    QTest::newRow("first prize differs") << may << u"25690502"_s << u"25690502,536078,267,318,065,153,43"_s
                                         << differs.arg(u"รางวัลที่ 1"_s);
    QTest::newRow("front and back swapped")
        << may << u"25690502"_s << u"25690502,536077,065,153,267,318,43"_s << differs.arg(u"รางวัลเลขหน้า 3 ตัว"_s);
    QTest::newRow("a last-three number differs")
        << august << u"25580816"_s << u"25580816,033363,227,624,648,782,40"_s
        << u"ตารางรางวัลงวด 16 สิงหาคม 2558 ไม่ตรงกับแฟ้มผลรางวัล (รางวัลเลขท้าย 3 ตัว)"_s;
    QTest::newRow("a line cut short") << may << u"25690502"_s << u"25690502,536077,267,318,065,153"_s
                                      << differs.arg(u"รางวัลเลขท้าย 2 ตัว"_s);
    QTest::newRow("the line of another draw")
        << may << u"25690502"_s << u"25690516,536077,267,318,065,153,43"_s << u"ไม่มีงวด 25690502 ในฐานข้อมูล"_s;
}

void TestPrizeTable::tablesAgainstTheResultsFile()
{
    QFETCH(QString, answer);
    QFETCH(QString, asked);
    QFETCH(QString, line);
    QFETCH(QString, error);
    const Status checked =
        checkTableAgainstLine(GloApiAnswers::savedTable(answer), asked, ResultsFile::parseDrawLine(line));
    QCOMPARE(checked.ok(), error.isEmpty());
    QCOMPARE(checked.error(), error);
}

QTEST_GUILESS_MAIN(TestPrizeTable)
#include "tst_prizetable.moc"
