#include "FakeGloApi.h"
#include "data/PrizeStore.h"
#include "data/ResultsFile.h"
#include "updater/DrawCheck.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

DrawRecord record(const QString& line)
{
    return ResultsFile::parseDrawLine(line);
}

} // namespace

/// The check against the lottery office apart from the office: which fields differ, what is missing, and the lines
/// written when the user takes the office's values.
class TestDrawCheck : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void differingFields_data();
    void differingFields();
    void compareSortsTheDraws();
    void scopeOfPeriod_data();
    void scopeOfPeriod();
    void missingKeys();
    void applyOfficeValues_data();
    void applyOfficeValues();
    void applyRefuses_data();
    void applyRefuses();
    void applyToFile_data();
    void applyToFile();
    void applyToFileKeepsTheTable_data();
    void applyToFileKeepsTheTable();
};

void TestDrawCheck::differingFields_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("office");
    QTest::addColumn<QList<int>>("fields");

    const QString office = u"25690816,004615,429,731,094,937,53"_s;
    QTest::newRow("equal") << office << office << QList<int>();
    QTest::newRow("first three-digit number") << u"25690816,004615,428,731,094,937,53"_s << office << QList<int> {2};
    QTest::newRow("first prize and last three-digit number")
        << u"25690816,004616,429,731,094,938,53"_s << office << QList<int> {1, 5};
    QTest::newRow("two-digit number") << u"25690816,004615,429,731,094,937,35"_s << office << QList<int> {6};
    // Three-digit numbers compare in the file's order, not as a set.
    QTest::newRow("three-digit numbers swapped")
        << u"25690816,004615,731,429,094,937,53"_s << office << QList<int> {2, 3};
    QTest::newRow("fields missing") << u"25690816,004615,429,731,094"_s << office << QList<int> {5, 6};
    QTest::newRow("a field too many") << u"25690816,004615,429,731,094,937,53,1"_s << office << QList<int> {6};
    QTest::newRow("blank kept as stored") << u"25690816,004615, 429,731,094,937,53"_s << office << QList<int> {2};
    QTest::newRow("empty line") << QString() << office << QList<int> {0, 1, 2, 3, 4, 5, 6};
}

void TestDrawCheck::differingFields()
{
    QFETCH(QString, stored);
    QFETCH(QString, office);
    QFETCH(QList<int>, fields);
    QCOMPARE(DrawCheck::differingFields(stored, record(office)), fields);
}

void TestDrawCheck::compareSortsTheDraws()
{
    const QStringList checked {u"25690816,004615,428,731,094,937,53"_s, u"25690801,123456,111,222,333,444,55"_s,
        u"25690716,654321,999,888,777,666,11"_s, u"25690701,222222,101,202,303,404,22"_s};
    const QList<DrawCheck::OfficeRecord> office {record(u"25690816,004615,429,731,094,937,53"_s), std::nullopt,
        record(u"25690716,654321,999,888,777,666,11"_s), record(u"25690701,222222,101,202,303,404,22"_s)};
    // The last draw agrees, but the table that came with it holds another two-digit number: it is no table of it.
    const DrawPrizes otherLastTwo = partialPrizes(record(u"25690701,222222,101,202,303,404,23"_s));
    const QList<DrawCheck::OfficeTable> tables {
        partialPrizes(*office.at(0)), std::nullopt, partialPrizes(*office.at(2)), otherLastTwo};

    const DrawCheck::Outcome outcome = DrawCheck::compare(checked, office, tables);

    QCOMPARE(outcome.checked, 4);
    QCOMPARE(outcome.agreeing, 2);
    QCOMPARE(outcome.differing.size(), 1);
    QCOMPARE(outcome.differing.first().storedLine, checked.at(0));
    QCOMPARE(outcome.differing.first().office.threeDigit1, u"429"_s);
    QCOMPARE(outcome.differing.first().fields, QList<int> {2});
    QCOMPARE(outcome.unknown, QStringList {checked.at(1)});
    QVERIFY(!outcome.agrees());
    QCOMPARE(outcome.agreeingTables.size(), 1);
    QCOMPARE(outcome.agreeingTables.first().drawKey, u"25690716"_s);
    // The differing draw's table waits beside the office's values.
    QCOMPARE(outcome.officeTables.keys(), QStringList {u"25690816"_s});
    QCOMPARE(
        outcome.officeTables.value(u"25690816"_s).numbersOf(PrizeKind::FrontThree), (QStringList {u"429"_s, u"731"_s}));
}

void TestDrawCheck::scopeOfPeriod_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("firstKey");
    QTest::addColumn<QString>("lastKey");

    QTest::newRow("all") << QString() << QString()
                         << QStringList {u"25690816"_s, u"25690801"_s, u"25680116"_s, u"25671216"_s} << u"25671216"_s
                         << u"25690816"_s;
    QTest::newRow("from") << u"25680101"_s << QString() << QStringList {u"25690816"_s, u"25690801"_s, u"25680116"_s}
                          << u"25680101"_s << u"25690816"_s;
    QTest::newRow("to, both ends included")
        << QString() << u"25690801"_s << QStringList {u"25690801"_s, u"25680116"_s, u"25671216"_s} << u"25671216"_s
        << u"25690801"_s;
    QTest::newRow("no stored draw in it")
        << u"25600101"_s << u"25601231"_s << QStringList() << u"25600101"_s << u"25601231"_s;
}

void TestDrawCheck::scopeOfPeriod()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QStringList, keys);
    QFETCH(QString, firstKey);
    QFETCH(QString, lastKey);

    const QStringList lines {u"25690816,1"_s, u"25690801,2"_s, u"garbage"_s, u"25680116,3"_s, u"25671216,4"_s};
    const DrawCheck::Scope scope = DrawCheck::scopeOfPeriod(lines, from, to);
    QStringList scopeKeys;
    for (const QString& line : scope.lines) {
        scopeKeys.append(line.left(8));
    }
    QCOMPARE(scopeKeys, keys);
    QCOMPARE(scope.firstKey, firstKey);
    QCOMPARE(scope.lastKey, lastKey);
}

void TestDrawCheck::missingKeys()
{
    const QStringList stored {u"25690816,1"_s, u"25690716,2"_s, u"25690616,3"_s};
    const DrawCheck::Scope scope {{}, u"25690616"_s, u"25690816"_s};
    const QStringList office {u"25690616"_s, u"25690701"_s, u"25690716"_s, u"25690801"_s, u"25690816"_s, u"25690901"_s,
        u"25690601"_s, u"25690801"_s};
    QCOMPARE(DrawCheck::missingKeys(office, stored, scope), (QStringList {u"25690801"_s, u"25690701"_s}));
}

void TestDrawCheck::applyOfficeValues_data()
{
    QTest::addColumn<QStringList>("chosen");
    QTest::addColumn<QStringList>("expected");

    const QString newest = u"25690816,004615,428,731,094,937,53"_s;
    const QString odd = u"25690801,123456, 111,222,333,444,55"_s;
    const QString oldest = u"25690701,654321,999,888,777,666,11"_s;
    const QString fixedNewest = u"25690816,004615,429,731,094,937,53"_s;
    const QString between = u"25690716,222222,101,202,303,404,22"_s;
    const QString newer = u"25690901,333333,123,234,345,456,33"_s;
    const QString older = u"25690616,444444,135,246,357,468,44"_s;

    QTest::newRow("one line replaced") << QStringList {fixedNewest} << QStringList {fixedNewest, odd, oldest};
    QTest::newRow("missing draw in its place") << QStringList {between} << QStringList {newest, odd, between, oldest};
    QTest::newRow("missing draw in front") << QStringList {newer} << QStringList {newer, newest, odd, oldest};
    QTest::newRow("missing draw at the end") << QStringList {older} << QStringList {newest, odd, oldest, older};
    QTest::newRow("replaced and inserted together")
        << QStringList {between, fixedNewest} << QStringList {fixedNewest, odd, between, oldest};
    QTest::newRow("a stored key is replaced, never doubled")
        << QStringList {u"25690701,654321,999,888,777,666,12"_s}
        << QStringList {newest, odd, u"25690701,654321,999,888,777,666,12"_s};
}

void TestDrawCheck::applyOfficeValues()
{
    QFETCH(QStringList, chosen);
    QFETCH(QStringList, expected);

    const QStringList lines {u"25690816,004615,428,731,094,937,53"_s, u"25690801,123456, 111,222,333,444,55"_s,
        u"25690701,654321,999,888,777,666,11"_s};
    QList<DrawRecord> records;
    for (const QString& line : chosen) {
        records.append(record(line));
    }
    const Result<QStringList> applied = DrawCheck::applyOfficeValues(lines, records, QDate(2026, 12, 7));
    QVERIFY2(applied.ok(), qPrintable(applied.error()));
    QCOMPARE(applied.value(), expected);
}

void TestDrawCheck::applyRefuses_data()
{
    QTest::addColumn<QList<DrawRecord>>("chosen");

    const DrawRecord good = record(u"25690816,004615,429,731,094,937,53"_s);
    DrawRecord shortPrize = good;
    shortPrize.firstPrize = u"04615"_s;
    DrawRecord badDate = good;
    badDate.drawDate = u"25691316"_s;
    QTest::newRow("malformed first prize") << QList<DrawRecord> {shortPrize};
    QTest::newRow("no calendar date") << QList<DrawRecord> {badDate};
    QTest::newRow("chosen twice") << QList<DrawRecord> {good, good};
}

void TestDrawCheck::applyRefuses()
{
    QFETCH(QList<DrawRecord>, chosen);
    const Result<QStringList> applied =
        DrawCheck::applyOfficeValues({u"25690816,004615,428,731,094,937,53"_s}, chosen, QDate(2026, 12, 7));
    QVERIFY(!applied.ok());
    QVERIFY(!applied.error().isEmpty());
}

void TestDrawCheck::applyToFile_data()
{
    QTest::addColumn<QString>("change"); // what happens to the file after the check: "", "line added", "unreadable"
    QTest::addColumn<QStringList>("chosen");
    QTest::addColumn<QByteArray>("expected"); // the file afterwards; null when it stays as it was
    QTest::addColumn<QString>("error"); // how the failure begins; empty on success

    const QString fixedNewest = u"25690816,004615,429,731,094,937,53"_s;
    const QString between = u"25690716,222222,101,202,303,404,22"_s;
    QTest::newRow("written byte for byte")
        << QString() << QStringList {fixedNewest, between}
        << QByteArray("25690816,004615,429,731,094,937,53\r\n25690801,123456, 111,222,333,444,55\r\n"
                      "25690716,222222,101,202,303,404,22\r\n25690701,654321,999,888,777,666,11\r\n")
        << QString();
    QTest::newRow("changed since the check") << u"line added"_s << QStringList {fixedNewest} << QByteArray()
                                             << u"ฐานข้อมูลเปลี่ยนไปหลังการตรวจสอบ กรุณาตรวจสอบใหม่"_s;
    QTest::newRow("unreadable") << u"unreadable"_s << QStringList {fixedNewest} << QByteArray() << u"อ่านฐานข้อมูลไม่ได้"_s;
}

void TestDrawCheck::applyToFile()
{
    QFETCH(QString, change);
    QFETCH(QStringList, chosen);
    QFETCH(QByteArray, expected);
    QFETCH(QString, error);
    QTemporaryDir dir;
    const ResultsFile file(dir.filePath(u"db.dll"_s));
    const QStringList checked {u"25690816,004615,428,731,094,937,53"_s, u"25690801,123456, 111,222,333,444,55"_s,
        u"25690701,654321,999,888,777,666,11"_s};
    QStringList now = checked;
    if (change == u"line added") {
        now.append(u"25690616,444444,135,246,357,468,44"_s);
    }
    if (change == u"unreadable") {
        QVERIFY(QDir(dir.path()).mkdir(u"db.dll"_s));
    } else {
        QVERIFY(file.rewriteResultsFile(now).ok());
    }
    const auto bytes = [&file] {
        QFile stored(file.path());
        return stored.open(QIODevice::ReadOnly) ? stored.readAll() : QByteArray();
    };
    const QByteArray before = bytes();
    QList<DrawRecord> records;
    for (const QString& line : std::as_const(chosen)) {
        records.append(record(line));
    }

    const Result<QStringList> applied = DrawCheck::applyToFile(file, checked, records, QDate(2026, 12, 7));

    QVERIFY2(applied.error().startsWith(error), qPrintable(applied.error()));
    QCOMPARE(applied.ok(), error.isEmpty());
    QCOMPARE(bytes(), expected.isNull() ? before : expected);
}

void TestDrawCheck::applyToFileKeepsTheTable_data()
{
    QTest::addColumn<QString>("twoDigit"); // the two-digit number of the office's table
    QTest::addColumn<bool>("storeUsable");
    QTest::addColumn<QString>("firstSecondPrize"); // the stored table's lowest second prize afterwards

    // The stored table is an older one whose lowest second prize is 000001.
    QTest::newRow("the office's table takes the stored one's place") << u"22"_s << true << u"146823"_s;
    QTest::newRow("a table that disagrees with the new line is not stored") << u"23"_s << true << u"000001"_s;
    QTest::newRow("a store that cannot be opened fails nothing") << u"22"_s << false << QString();
}

void TestDrawCheck::applyToFileKeepsTheTable()
{
    QFETCH(QString, twoDigit);
    QFETCH(bool, storeUsable);
    QFETCH(QString, firstSecondPrize);
    QTemporaryDir dir;
    const ResultsFile file(dir.filePath(u"db.dll"_s));
    const QStringList checked {u"25630401,051095,430,285,191,364,23"_s};
    QVERIFY(file.rewriteResultsFile(checked).ok());
    const DrawCheck::TableStore where {
        storeUsable ? prizeStorePath(file.path()) : dir.filePath(u"gone/prizes.sqlite"_s), QString()};
    const DrawPrizes office = GloApiAnswers::savedTable(u"getLotteryResult-2020-04-01.json"_s);
    DrawPrizes older = office;
    DrawPrizes taken = office;
    for (PrizeNumber& number : older.numbers) {
        if (number.kind == PrizeKind::Second && number.number == u"146823") {
            number.number = u"000001"_s;
        }
    }
    for (PrizeNumber& number : taken.numbers) {
        if (number.kind == PrizeKind::LastTwo) {
            number.number = twoDigit;
        }
    }
    if (storeUsable) {
        PrizeStore store(where.path);
        QVERIFY(store.open().ok());
        QVERIFY(store.writeDraws({older}).ok());
    }

    const Result<QStringList> applied = DrawCheck::applyToFile(file, checked,
        {record(u"25630401,051095,430,285,191,364,22"_s)}, QDate(2026, 12, 7), {{u"25630401"_s, taken}}, where);

    QVERIFY2(applied.ok(), qPrintable(applied.error()));
    QCOMPARE(applied.value(), QStringList {u"25630401,051095,430,285,191,364,22"_s});
    if (storeUsable) {
        PrizeStore store(where.path);
        QVERIFY(store.open().ok());
        const Result<std::optional<DrawPrizes>> stored = store.draw(u"25630401"_s);
        QVERIFY(stored.ok() && stored.value());
        QCOMPARE(stored.value()->numbersOf(PrizeKind::Second).first(), firstSecondPrize);
    }
}

QTEST_GUILESS_MAIN(TestDrawCheck)
#include "tst_drawcheck.moc"
