#include "FakeGloApi.h"
#include "data/DataTexts.h"
#include "data/ResultsFile.h"
#include "data/ThaiCalendar.h"
#include "updater/GloApiJson.h"
#include "updater/GloApiTexts.h"

#include <QJsonArray>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The line the bundled results file holds for a draw key.
QString bundledLine(const QString& key)
{
    const Result<QStringList> lines = ResultsFile(QStringLiteral(VARENTA_BUNDLED_DB)).readResultsFile();
    if (lines) {
        for (const QString& line : lines.value()) {
            if (line.startsWith(key)) {
                return line;
            }
        }
    }
    return {};
}

const QStringList resultData {u"response"_s, u"result"_s, u"data"_s};

QStringList numberPath(const QString& prize, int index = -1, const QString& field = {})
{
    QStringList path = resultData + QStringList {prize, u"number"_s};
    if (index >= 0) {
        path << QString::number(index) << field;
    }
    return path;
}

} // namespace

class TestGloApiJson : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void realAnswersGiveTheBundledLines_data();
    void realAnswersGiveTheBundledLines();
    void lotteryResult_data();
    void lotteryResult();
    void latestLottery_data();
    void latestLottery();
    void periodsByYear_data();
    void periodsByYear();
};

void TestGloApiJson::realAnswersGiveTheBundledLines_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("key");
    QTest::newRow("2010: four in last3b") << u"getLotteryResult-2010-08-16.json"_s << u"25530816"_s;
    QTest::newRow("last draw before the change") << u"getLotteryResult-2015-08-16.json"_s << u"25580816"_s;
    QTest::newRow("first draw after the change") << u"getLotteryResult-2015-09-01.json"_s << u"25580901"_s;
    QTest::newRow("2020") << u"getLotteryResult-2020-04-01.json"_s << u"25630401"_s;
    QTest::newRow("2023") << u"getLotteryResult-2023-12-01.json"_s << u"25661201"_s;
    QTest::newRow("latest") << u"getLatestLottery-2026-05-02.json"_s << u"25690502"_s;
}

void TestGloApiJson::realAnswersGiveTheBundledLines()
{
    QFETCH(QString, fileName);
    QFETCH(QString, key);
    const QByteArray body = GloApiAnswers::savedFile(fileName);
    const Result<GloApiJson::DrawAnswer> answer =
        fileName.startsWith(u"getLatest"_s) ? GloApiJson::readLatestLottery(body) : GloApiJson::readLotteryResult(body);
    QVERIFY2(answer.ok(), qPrintable(answer.error()));
    QCOMPARE(drawDateOf(answer.value().date), key);
    QVERIFY2(answer.value().record.ok(), qPrintable(answer.value().record.error()));
    const QString expected = bundledLine(key);
    QVERIFY(!expected.isEmpty());
    QCOMPARE(ResultsFile::formatDrawLine(answer.value().record.value()), expected);
}

void TestGloApiJson::lotteryResult_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QDate>("date"); // invalid: the answer carries no draw
    QTest::addColumn<QString>("line"); // empty: the draw cannot be read
    QTest::addColumn<QString>("error"); // part of the message when the draw cannot be read

    const QByteArray real = GloApiAnswers::savedFile(u"getLotteryResult-2023-12-01.json"_s);
    const QByteArray old = GloApiAnswers::savedFile(u"getLotteryResult-2010-08-16.json"_s);
    const QDate day(2023, 12, 1);
    const QString title = u"01 ธันวาคม 2566"_s;
    const QString notComplete = GloApiTexts::notComplete().toString().arg(title);
    const QString bad = GloApiTexts::malformed().toString().arg(title, u""_s).chopped(1); // without ")"
    using GloApiAnswers::edited;

    QTest::newRow("real") << real << day << u"25661201,251097,265,055,280,092,91"_s << QString();
    QTest::newRow("status false") << edited(real, {u"status"_s}, false) << QDate() << QString() << QString();
    QTest::newRow("response null") << edited(real, {u"response"_s}, QJsonValue(QJsonValue::Null)) << QDate()
                                   << QString() << QString();
    QTest::newRow("result null") << edited(real, {u"response"_s, u"result"_s}, QJsonValue(QJsonValue::Null)) << QDate()
                                 << QString() << QString();
    QTest::newRow("no draw") << GloApiAnswers::noDraw() << QDate() << QString() << QString();
    QTest::newRow("date no date") << edited(real, {u"response"_s, u"result"_s, u"date"_s}, u"2023-13-01"_s) << QDate()
                                  << QString() << QString();

    QTest::newRow("placeholder first prize")
        << edited(real, numberPath(u"first"_s, 0, u"value"_s), u"xxxxxx"_s) << day << QString() << notComplete;
    QTest::newRow("placeholder three-digit")
        << edited(real, numberPath(u"last3b"_s, 1, u"value"_s), u"xxx"_s) << day << QString() << notComplete;
    QTest::newRow("placeholder two-digit")
        << edited(real, numberPath(u"last2"_s, 0, u"value"_s), u"xx"_s) << day << QString() << notComplete;
    // Numbers the office has not filled in yet: a draw still being drawn, not a malformed one.
    QTest::newRow("empty first prize list")
        << edited(real, numberPath(u"first"_s), QJsonArray()) << day << QString() << notComplete;
    QTest::newRow("empty two-digit list")
        << edited(real, numberPath(u"last2"_s), QJsonArray()) << day << QString() << notComplete;
    QTest::newRow("empty three-digit lists")
        << edited(edited(real, numberPath(u"last3f"_s), QJsonArray()), numberPath(u"last3b"_s), QJsonArray()) << day
        << QString() << notComplete;
    QTest::newRow("front list missing") << edited(real, resultData + QStringList {u"last3f"_s}, QJsonValue()) << day
                                        << QString() << notComplete;
    QTest::newRow("data missing") << edited(real, resultData, QJsonValue()) << day << QString() << notComplete;
    QTest::newRow("dash for the two-digit number")
        << edited(real, numberPath(u"last2"_s, 0, u"value"_s), u"-"_s) << day << QString() << notComplete;
    QTest::newRow("XXX for a three-digit number")
        << edited(real, numberPath(u"last3f"_s, 0, u"value"_s), u"XXX"_s) << day << QString() << notComplete;
    QTest::newRow("three of four before the change")
        << edited(old, numberPath(u"last3b"_s, 2, QString()).mid(0, 6), QJsonValue()) << QDate(2010, 8, 16) << QString()
        << DataTexts::threeDigits().toString();
    QTest::newRow("five-digit first prize") << edited(real, numberPath(u"first"_s, 0, u"value"_s), u"25109"_s) << day
                                            << QString() << bad + DataTexts::firstPrize();
    QTest::newRow("first prize as a number") << edited(real, numberPath(u"first"_s, 0, u"value"_s), 251097) << day
                                             << QString() << bad + DataTexts::firstPrize();
    QTest::newRow("letter in a three-digit number") << edited(real, numberPath(u"last3f"_s, 0, u"value"_s), u"0a5"_s)
                                                    << day << QString() << bad + DataTexts::threeDigits();
    QTest::newRow("Thai digits") << edited(real, numberPath(u"last2"_s, 0, u"value"_s), u"๙๑"_s) << day << QString()
                                 << bad + DataTexts::lastTwoDigits();
    QTest::newRow("blank in a number") << edited(real, numberPath(u"last2"_s, 0, u"value"_s), u"9 "_s) << day
                                       << QString() << bad + DataTexts::lastTwoDigits();
    QTest::newRow("two numbers of one round") << edited(real, numberPath(u"last3b"_s, 0, u"round"_s), 1) << day
                                              << QString() << bad + DataTexts::threeDigits();
    QTest::newRow("round missing") << edited(real, numberPath(u"last3f"_s, 1, u"round"_s), QJsonValue()) << day
                                   << QString() << bad + DataTexts::threeDigits();
    // One first prize and one two-digit number a draw: with several, the lowest round's is never taken.
    const auto numbers = [](const QStringList& values) {
        QJsonArray list;
        for (qsizetype i = 0; i < values.size(); ++i) {
            list.append(QJsonObject {{u"round"_s, int(i + 1)}, {u"value"_s, values.at(i)}});
        }
        return list;
    };
    QTest::newRow("two first prizes") << edited(real, numberPath(u"first"_s), numbers({u"000000"_s, u"251097"_s}))
                                      << day << QString() << bad + DataTexts::firstPrize();
    QTest::newRow("two two-digit numbers") << edited(real, numberPath(u"last2"_s), numbers({u"00"_s, u"91"_s})) << day
                                           << QString() << bad + DataTexts::lastTwoDigits();
    QTest::newRow("truncated") << real.left(real.size() / 2) << QDate() << QString()
                               << GloApiTexts::unreadable().toString();
    QTest::newRow("web page") << QByteArray("<html><body>Service Unavailable</body></html>") << QDate() << QString()
                              << GloApiTexts::unreadable().toString();

    const DrawRecord before {u"25580801"_s, u"000000"_s, u"007"_s, u"070"_s, u"700"_s, u"000"_s, u"05"_s};
    const DrawRecord after {u"25580901"_s, u"012345"_s, u"001"_s, u"002"_s, u"003"_s, u"004"_s, u"00"_s};
    QTest::newRow("synthetic before the change")
        << GloApiAnswers::lotteryResult(GloApiAnswers::drawObject(before)) << QDate(2015, 8, 1)
        << ResultsFile::formatDrawLine(before) << QString();
    QTest::newRow("synthetic after the change") << GloApiAnswers::lotteryResult(GloApiAnswers::drawObject(after))
                                                << QDate(2015, 9, 1) << ResultsFile::formatDrawLine(after) << QString();
}

void TestGloApiJson::lotteryResult()
{
    QFETCH(QByteArray, body);
    QFETCH(QDate, date);
    QFETCH(QString, line);
    QFETCH(QString, error);

    const Result<GloApiJson::DrawAnswer> answer = GloApiJson::readLotteryResult(body);
    if (!answer.ok()) {
        QVERIFY(!error.isEmpty());
        QVERIFY2(answer.error().contains(error), qPrintable(answer.error()));
        return;
    }
    QCOMPARE(answer.value().date, date);
    if (!date.isValid()) {
        QVERIFY(error.isEmpty());
        return;
    }
    const Result<DrawRecord>& record = answer.value().record;
    if (line.isEmpty()) {
        QVERIFY(!record.ok());
        QVERIFY2(record.error().contains(error), qPrintable(record.error()));
    } else {
        QVERIFY2(record.ok(), qPrintable(record.error()));
        QCOMPARE(ResultsFile::formatDrawLine(record.value()), line);
    }
}

void TestGloApiJson::latestLottery_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QDate>("date"); // invalid: the answer is a failure
    QTest::addColumn<QString>("line"); // empty: the draw cannot be read

    const QByteArray real = GloApiAnswers::savedFile(u"getLatestLottery-2026-05-02.json"_s);
    const QDate day(2026, 5, 2);
    using GloApiAnswers::edited;
    QTest::newRow("real") << real << day << u"25690502,536077,267,318,065,153,43"_s;
    QTest::newRow("status false") << edited(real, {u"status"_s}, false) << QDate() << QString();
    QTest::newRow("response null") << edited(real, {u"response"_s}, QJsonValue(QJsonValue::Null)) << QDate()
                                   << QString();
    QTest::newRow("no date") << edited(real, {u"response"_s, u"date"_s}, QJsonValue()) << QDate() << QString();
    QTest::newRow("truncated") << real.left(100) << QDate() << QString();
    QTest::newRow("placeholders: date known, draw not")
        << edited(real, {u"response"_s, u"data"_s, u"first"_s, u"number"_s, u"0"_s, u"value"_s}, u"xxxxxx"_s) << day
        << QString();
    const DrawRecord record {u"25690516"_s, u"123456"_s, u"111"_s, u"222"_s, u"333"_s, u"444"_s, u"55"_s};
    QTest::newRow("draw under result") << GloApiAnswers::edited(
                                              GloApiAnswers::lotteryResult(GloApiAnswers::drawObject(record)),
                                              {u"response"_s, u"responseStatus"_s}, QJsonValue())
                                       << QDate(2026, 5, 16) << ResultsFile::formatDrawLine(record);
}

void TestGloApiJson::latestLottery()
{
    QFETCH(QByteArray, body);
    QFETCH(QDate, date);
    QFETCH(QString, line);
    const Result<GloApiJson::DrawAnswer> answer = GloApiJson::readLatestLottery(body);
    QCOMPARE(answer.ok(), date.isValid());
    if (!answer.ok()) {
        QVERIFY(!answer.error().isEmpty());
        return;
    }
    QCOMPARE(answer.value().date, date);
    QCOMPARE(answer.value().record.ok(), !line.isEmpty());
    if (!line.isEmpty()) {
        QCOMPARE(ResultsFile::formatDrawLine(answer.value().record.value()), line);
    }
}

void TestGloApiJson::periodsByYear_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QList<QDate>>("dates");
    const QList<QDate> two {QDate(2024, 1, 17), QDate(2024, 2, 1)};
    QTest::newRow("objects under result")
        << QByteArray(R"({"status":true,"response":{"result":[{"date":"2024-02-01"},{"date":"2024-01-17"}]}})") << true
        << two;
    QTest::newRow("texts under response")
        << QByteArray(R"({"status":true,"response":["2024-01-17","2024-02-01"]})") << true << two;
    QTest::newRow("with times and repeats")
        << QByteArray(R"({"status":true,"response":{"result":[{"date":"2024-01-17T00:00:00"},)"
                      R"({"date":"2024-01-17"},{"date":"2024-02-01 00:00:00"}]}})")
        << true << two;
    QTest::newRow("other years and junk left out")
        << QByteArray(R"({"status":true,"response":{"result":[{"date":"2023-12-30"},{"date":"2024-01-17"},)"
                      R"({"date":"x"},{"day":"2024-03-01"},17,{"date":"2024-02-01"}]}})")
        << true << two;
    QTest::newRow("nothing") << QByteArray(R"({"status":true,"response":{"result":[]}})") << true << QList<QDate>();
    QTest::newRow("no list") << QByteArray(R"({"status":true,"response":{"result":{"date":"2024-01-17"}}})") << true
                             << QList<QDate>();
    QTest::newRow("status false") << QByteArray(R"({"status":false,"response":null})") << false << QList<QDate>();
    QTest::newRow("not JSON") << QByteArray("<html></html>") << false << QList<QDate>();
}

void TestGloApiJson::periodsByYear()
{
    QFETCH(QByteArray, body);
    QFETCH(bool, ok);
    QFETCH(QList<QDate>, dates);
    const Result<QList<QDate>> periods = GloApiJson::readPeriodsByYear(body, 2024);
    QCOMPARE(periods.ok(), ok);
    if (ok) {
        QCOMPARE(periods.value(), dates);
    }
}

QTEST_GUILESS_MAIN(TestGloApiJson)
#include "tst_gloapijson.moc"
