#include "FakeGloApi.h"
#include "updater/GloApiPrizes.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QStringList dataPath(const QString& section, const QString& field = {})
{
    QStringList path {u"response"_s, u"result"_s, u"data"_s, section};
    if (!field.isEmpty()) {
        path.append(field);
    }
    return path;
}

QJsonArray numbers(const QStringList& values)
{
    QJsonArray list;
    for (qsizetype i = 0; i < values.size(); ++i) {
        list.append(QJsonObject {{u"round"_s, int(i + 1)}, {u"value"_s, values.at(i)}});
    }
    return list;
}

} // namespace

/// The full prize table read from the lottery office's answers: the amounts of each draw's era, the result sheet,
/// and answers that are no table of a draw.
class TestGloApiPrizes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void amountsOfTheDrawsEra_data();
    void amountsOfTheDrawsEra();
    void resultSheet_data();
    void resultSheet();
    void malformedAnswers_data();
    void malformedAnswers();
    void keepsOnlyTheDrawAskedFor();
};

void TestGloApiPrizes::amountsOfTheDrawsEra_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QString>("draw");
    QTest::addColumn<qint64>("first");
    QTest::addColumn<qint64>("threeDigit"); // of the last three or, from September 2015, the front three
    QTest::addColumn<qint64>("lastTwo");

    using GloApiAnswers::edited;
    const QByteArray old = GloApiAnswers::savedFile(u"getLotteryResult-2010-08-16.json"_s);
    const QByteArray recent = GloApiAnswers::savedFile(u"getLotteryResult-2020-04-01.json"_s);
    // The office's answers carry today's amounts (6,000,000 for the first prize) for every draw.
    QTest::newRow("16 Aug 2010") << old << u"25530816"_s << qint64(2000000) << qint64(2000) << qint64(1000);
    QTest::newRow("2020: the office's amount is kept")
        << edited(recent, dataPath(u"first"_s, u"price"_s), u"6500000.00"_s) << u"25630401"_s << qint64(6500000)
        << qint64(4000) << qint64(2000);
}

void TestGloApiPrizes::amountsOfTheDrawsEra()
{
    QFETCH(QByteArray, answer);
    QFETCH(QString, draw);
    QFETCH(qint64, first);
    QFETCH(qint64, threeDigit);
    QFETCH(qint64, lastTwo);
    const std::optional<FetchedPrizeTable> table = GloApiPrizes::tableFromAnswer(answer);
    QVERIFY(table);
    QVERIFY2(table->error.isEmpty(), qPrintable(table->error));
    QCOMPARE(table->drawKey, draw);
    QCOMPARE(table->prizes.amountOf(PrizeKind::First), first);
    const PrizeKind three = hasFrontThree(draw) ? PrizeKind::FrontThree : PrizeKind::LastThree;
    QCOMPARE(table->prizes.amountOf(three), threeDigit);
    QCOMPARE(table->prizes.amountOf(PrizeKind::LastTwo), lastTwo);
    QCOMPARE(int(table->prizes.amounts.size()), hasFrontThree(draw) ? 9 : 8);
}

void TestGloApiPrizes::resultSheet_data()
{
    QTest::addColumn<QJsonValue>("pdfUrl");
    QTest::addColumn<QString>("kept");

    const QString real = u"https://api.glo.or.th/utility/file/download/1f179c97-7b6d-4b09-bcf7-ec6e8f14ce92"_s;
    QTest::newRow("the office's") << QJsonValue(real) << real;
    QTest::newRow("none") << QJsonValue(QJsonValue::Null) << QString();
    QTest::newRow("a script") << QJsonValue(u"javascript:alert(1)"_s) << QString();
}

void TestGloApiPrizes::resultSheet()
{
    QFETCH(QJsonValue, pdfUrl);
    QFETCH(QString, kept);
    const QByteArray answer = GloApiAnswers::edited(GloApiAnswers::savedFile(u"getLotteryResult-2010-08-16.json"_s),
        {u"response"_s, u"result"_s, u"pdf_url"_s}, pdfUrl);
    const std::optional<FetchedPrizeTable> table = GloApiPrizes::tableFromAnswer(answer);
    QVERIFY(table && table->error.isEmpty());
    QCOMPARE(table->prizes.pdfUrl, kept);
}

void TestGloApiPrizes::malformedAnswers_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QString>("error");

    using GloApiAnswers::edited;
    const QByteArray recent = GloApiAnswers::savedFile(u"getLotteryResult-2023-12-01.json"_s);
    const QByteArray old = GloApiAnswers::savedFile(u"getLotteryResult-2010-08-16.json"_s);
    QStringList fifth;
    for (int i = 0; i < 99; ++i) {
        fifth.append(u"%1"_s.arg(i, 6, 10, QChar(u'0')));
    }
    QTest::newRow("five digits beside the first prize")
        << edited(recent, dataPath(u"near1"_s, u"number"_s) + QStringList {u"0"_s, u"value"_s}, u"25109"_s)
        << u"ตารางรางวัลผิดรูปแบบ: รางวัลข้างเคียงรางวัลที่ 1"_s;
    QTest::newRow("two first prizes") << edited(recent, dataPath(u"first"_s, u"number"_s),
                                             numbers({u"000000"_s, u"251097"_s}))
                                      << u"ตารางรางวัลผิดรูปแบบ: รางวัลที่ 1"_s;
    QTest::newRow("99 fifth prizes") << edited(recent, dataPath(u"fifth"_s, u"number"_s), numbers(fifth))
                                     << u"ตารางรางวัลไม่ครบ: รางวัลที่ 5"_s;
    QTest::newRow("no price in today's era")
        << edited(recent, dataPath(u"second"_s, u"price"_s), QJsonValue()) << u"ตารางรางวัลผิดรูปแบบ: รางวัลที่ 2"_s;
    QTest::newRow("no price before it, where it is not read")
        << edited(old, dataPath(u"second"_s, u"price"_s), QJsonValue()) << QString();
    QTest::newRow("front three in 2010") << edited(old, dataPath(u"last3f"_s, u"number"_s), numbers({u"123"_s}))
                                         << u"ตารางรางวัลผิดรูปแบบ: รางวัลเลขหน้า 3 ตัว"_s;
}

void TestGloApiPrizes::malformedAnswers()
{
    QFETCH(QByteArray, answer);
    QFETCH(QString, error);
    const std::optional<FetchedPrizeTable> table = GloApiPrizes::tableFromAnswer(answer);
    QVERIFY(table);
    QCOMPARE(table->error, error);
    // A table that is no draw's table keeps none of its numbers.
    QCOMPARE(table->prizes.numbers.isEmpty(), !error.isEmpty());
}

void TestGloApiPrizes::keepsOnlyTheDrawAskedFor()
{
    const QByteArray august = GloApiAnswers::savedFile(u"getLotteryResult-2010-08-16.json"_s);
    GloApiPrizes::Keeper keeper;
    // An answer that carries another date than the one asked for is no table of either draw.
    keeper.keep(august, u"25530901"_s);
    QVERIFY(keeper.tables().isEmpty());
    keeper.keep(august, u"25530816"_s);
    keeper.keep(GloApiAnswers::savedFile(u"getLatestLottery-2026-05-02.json"_s));
    QStringList keys;
    for (const FetchedPrizeTable& table : keeper.tables()) {
        keys.append(table.drawKey);
    }
    keys.sort();
    QCOMPARE(keys, (QStringList {u"25530816"_s, u"25690502"_s}));
}

QTEST_GUILESS_MAIN(TestGloApiPrizes)
#include "tst_gloapiprizes.moc"
