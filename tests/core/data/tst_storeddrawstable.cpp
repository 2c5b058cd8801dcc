#include "data/PrizeStore.h"
#include "data/StoredDrawsTable.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QByteArray kResults = "25690502,087523,123,456,789,012,05\r\n"
                            "25530816,123456,111,222,333,444,55\r\n"
                            "25530801,012345,007,022,333,444,05\r\n";

// The full table the store holds for the newest draw: no third to fifth prizes, to show empty cells.
// `count` six-digit numbers beginning with `lead`, in ascending order.
QStringList series(int lead, int count)
{
    QStringList numbers;
    for (int i = 0; i < count; ++i) {
        numbers.append(u"%1%2"_s.arg(lead).arg(i, 5, 10, QChar(u'0')));
    }
    return numbers;
}

DrawPrizes newestTable()
{
    DrawPrizes prizes;
    prizes.drawKey = u"25690502"_s;
    prizes.numbers = {{PrizeKind::First, u"087523"_s, 1}, {PrizeKind::NearFirst, u"087524"_s, 1},
        {PrizeKind::NearFirst, u"087522"_s, 2}, {PrizeKind::Second, u"200000"_s, 1},
        {PrizeKind::Second, u"012345"_s, 2}, {PrizeKind::FrontThree, u"123"_s, 1}, {PrizeKind::FrontThree, u"456"_s, 2},
        {PrizeKind::BackThree, u"789"_s, 1}, {PrizeKind::BackThree, u"012"_s, 2}, {PrizeKind::LastTwo, u"05"_s, 1}};
    for (const auto& [kind, numbers] :
        {std::pair {PrizeKind::Second, series(3, 3)}, std::pair {PrizeKind::Third, series(4, 10)},
            std::pair {PrizeKind::Fourth, series(5, 50)}, std::pair {PrizeKind::Fifth, series(6, 100)}}) {
        for (const QString& number : numbers) {
            prizes.numbers.append({kind, number, int(prizes.numbers.size())});
        }
    }
    prizes.amounts = {{PrizeKind::First, 6000000}, {PrizeKind::NearFirst, 100000}, {PrizeKind::Second, 200000},
        {PrizeKind::Third, 80000}, {PrizeKind::Fourth, 40000}, {PrizeKind::Fifth, 20000}, {PrizeKind::FrontThree, 4000},
        {PrizeKind::BackThree, 4000}, {PrizeKind::LastTwo, 2000}};
    return prizes;
}

const QStringList kNoTable(14);

QStringList row(const QString& key, QStringList cells)
{
    static const QHash<QString, QStringList> lines {
        {u"25690502"_s,
            {u"25690502"_s, u"02 พฤษภาคม 2569"_s, u"เสาร์"_s, u"087523"_s, u"123"_s, u"456"_s, u"789"_s, u"012"_s,
                u"05"_s}},
        {u"25530816"_s,
            {u"25530816"_s, u"16 สิงหาคม 2553"_s, u"จันทร์"_s, u"123456"_s, u"111"_s, u"222"_s, u"333"_s, u"444"_s,
                u"55"_s}},
        {u"25530801"_s,
            {u"25530801"_s, u"01 สิงหาคม 2553"_s, u"อาทิตย์"_s, u"012345"_s, u"007"_s, u"022"_s, u"333"_s, u"444"_s,
                u"05"_s}},
    };
    return lines.value(key) + cells;
}

} // namespace

/// The stored draws as one table, over a small results file and prize store.
class TestStoredDrawsTable : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void header();
    void rows_data();
    void rows();
    void failures();

private:
    QString path(const QString& name) const { return m_dir->filePath(name); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestStoredDrawsTable::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QFile results(path(u"db.dll"_s));
    QVERIFY(results.open(QIODevice::WriteOnly) && results.write(kResults) == kResults.size());
    PrizeStore store(path(u"prizes.sqlite"_s));
    QVERIFY(store.open().ok());
    QVERIFY(store.writeDraws({newestTable()}).ok());
}

void TestStoredDrawsTable::header()
{
    const QString amount = u" เงินรางวัล (บาท)"_s;
    QCOMPARE(StoredDrawsTable::header(),
        (QStringList {u"งวด"_s, u"วันที่"_s, u"วัน"_s, u"รางวัลที่ 1"_s, u"3 ตัวครั้งที่1"_s, u"3 ตัวครั้งที่2"_s, u"3 ตัวครั้งที่3"_s,
            u"3 ตัวครั้งที่4"_s, u"2 ตัว"_s, u"รางวัลที่ 1"_s + amount, u"รางวัลข้างเคียงรางวัลที่ 1"_s,
            u"รางวัลข้างเคียงรางวัลที่ 1"_s + amount, u"รางวัลที่ 2"_s, u"รางวัลที่ 2"_s + amount, u"รางวัลที่ 3"_s,
            u"รางวัลที่ 3"_s + amount, u"รางวัลที่ 4"_s, u"รางวัลที่ 4"_s + amount, u"รางวัลที่ 5"_s, u"รางวัลที่ 5"_s + amount,
            u"รางวัลเลขหน้า 3 ตัว"_s + amount, u"รางวัลเลขท้าย 3 ตัว"_s + amount, u"รางวัลเลขท้าย 2 ตัว"_s + amount}));
}

void TestStoredDrawsTable::rows_data()
{
    QTest::addColumn<QString>("store");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QStringList>("keys");

    const QString store = u"prizes.sqlite"_s;
    const QStringList all {u"25690502"_s, u"25530816"_s, u"25530801"_s};
    QTest::newRow("every draw, newest first") << store << QString() << QString() << all;
    QTest::newRow("from a draw on") << store << u"25530816"_s << QString() << all.mid(0, 2);
    QTest::newRow("up to a day without a draw") << store << QString() << u"25530815"_s << all.mid(2);
    QTest::newRow("a period without draws") << store << u"25530802"_s << u"25530815"_s << QStringList();
    QTest::newRow("no store, which is not made") << u"none/prizes.sqlite"_s << QString() << QString() << all;
}

void TestStoredDrawsTable::rows()
{
    QFETCH(QString, store);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QStringList, keys);

    const Result<SheetTable> table = StoredDrawsTable::build(path(u"db.dll"_s), path(store), from, to);
    QVERIFY2(table.ok(), qPrintable(table.error()));
    const bool storeThere = !store.contains(u'/');
    QCOMPARE(QFile::exists(path(store)), storeThere);
    QList<QStringList> expected;
    for (const QString& key : std::as_const(keys)) {
        expected.append(key == u"25690502"_s && storeThere
                ? row(key,
                      {u"6000000"_s, u"087522 087524"_s, u"100000"_s,
                          (QStringList {u"012345"_s, u"200000"_s} + series(3, 3)).join(u' '), u"200000"_s,
                          series(4, 10).join(u' '), u"80000"_s, series(5, 50).join(u' '), u"40000"_s,
                          series(6, 100).join(u' '), u"20000"_s, u"4000"_s, u"4000"_s, u"2000"_s})
                : row(key, kNoTable));
    }
    QCOMPARE(table.value().rows, expected);
}

void TestStoredDrawsTable::failures()
{
    const Result<SheetTable> badKey =
        StoredDrawsTable::build(path(u"db.dll"_s), path(u"prizes.sqlite"_s), u"25531301"_s);
    QCOMPARE(badKey.error(), u"รหัสงวด %1 ไม่ถูกต้อง"_s.arg(u"25531301"_s));
    // The results file's path names a directory.
    QVERIFY(!StoredDrawsTable::build(m_dir->path(), path(u"prizes.sqlite"_s)).ok());
}

QTEST_GUILESS_MAIN(TestStoredDrawsTable)
#include "tst_storeddrawstable.moc"
