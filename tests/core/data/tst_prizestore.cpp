#include "TestData.h"
#include "data/PrizeStore.h"
#include "data/ResultsFile.h"
#include "data/TicketChecker.h"
#include "updater/GloApiPrizes.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

DrawPrizes savedTable(const QString& fileName)
{
    const std::optional<FetchedPrizeTable> table =
        GloApiPrizes::tableFromAnswer(testDataFile(u"glo-api/"_s + fileName));
    if (!table || !table->error.isEmpty()) {
        qFatal("no full table in %s", qPrintable(fileName));
    }
    return table->prizes;
}

QStringList bundledLines()
{
    ResultsFile file(QStringLiteral(VARENTA_BUNDLED_DB));
    const Result<QStringList> lines = file.readResultsFile();
    return lines ? lines.value() : QStringList();
}

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

QStringList described(const QList<TicketOutcome>& outcomes)
{
    QStringList texts;
    for (const TicketOutcome& outcome : outcomes) {
        for (const TicketCheck::PrizeWon& prize : outcome.prizes) {
            texts.append(
                outcome.drawKey + u' ' + PrizeKinds::thaiName(prize.kind) + u' ' + QString::number(prize.amount));
        }
    }
    return texts;
}

} // namespace

/// The SQLite store of full prize tables, the bundled history in it, and the checks that read it.
class TestPrizeStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void writtenTablesSurviveReopening();
    void writingADrawAgainReplacesIt();
    void aFailedWriteLeavesThePreviousState();
    void refusesAStoreOfANewerLayout();
    void seedsOnlyAMissingStore();
    void theStoreLivesBesideTheResultsFile();
    void bundledDrawsAgreeWithTheResultsFile();
    void checksEveryBundledDraw_data();
    void checksEveryBundledDraw();
    void checksOneDraw_data();
    void checksOneDraw();
    void keepsTheOfficesDrawDatesByYear();

private:
    QString storePath() const { return m_dir->filePath(u"prizes.sqlite"_s); }
    /// A copy of the bundled store, opened, and a checker over it and the bundled results file.
    void openBundled();

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<PrizeStore> m_bundled;
    std::unique_ptr<TicketChecker> m_checker;
};

void TestPrizeStore::init()
{
    m_checker.reset();
    m_bundled.reset();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestPrizeStore::openBundled()
{
    QVERIFY(seedPrizeStore(storePath(), QStringLiteral(VARENTA_BUNDLED_PRIZES)));
    m_bundled = std::make_unique<PrizeStore>(storePath());
    QVERIFY(m_bundled->open());
    m_checker = std::make_unique<TicketChecker>(*m_bundled, bundledLines());
    QVERIFY(m_checker->load());
}

void TestPrizeStore::writtenTablesSurviveReopening()
{
    const DrawPrizes may = savedTable(u"getLatestLottery-2026-05-02.json"_s);
    const DrawPrizes august = savedTable(u"getLotteryResult-2010-08-16.json"_s);
    {
        PrizeStore store(storePath());
        QVERIFY(store.open());
        QVERIFY(store.writeDraws({august, may}));
    }
    PrizeStore store(storePath());
    QVERIFY(store.open());
    QCOMPARE(store.drawKeys().value(), (QStringList {u"25690502"_s, u"25530816"_s}));
    const Result<std::optional<DrawPrizes>> read = store.draw(u"25690502"_s);
    QVERIFY(read && read.value());
    QCOMPARE(read.value()->numbersOf(PrizeKind::Fifth), may.numbersOf(PrizeKind::Fifth));
    QCOMPARE(read.value()->numbersOf(PrizeKind::FrontThree), (QStringList {u"267"_s, u"318"_s}));
    QCOMPARE(read.value()->numbers.size(), may.numbers.size());
    QCOMPARE(read.value()->amounts, may.amounts);
    QVERIFY(!store.draw(u"25690516"_s).value());

    // Leading zeros stay.
    const Result<QList<PrizeStore::Match>> found = store.lookUp({u"066595"_s, u"065"_s});
    QVERIFY(found);
    QCOMPARE(found.value().size(), 2);
}

void TestPrizeStore::writingADrawAgainReplacesIt()
{
    DrawPrizes may = savedTable(u"getLatestLottery-2026-05-02.json"_s);
    PrizeStore store(storePath());
    QVERIFY(store.open());
    QVERIFY(store.writeDraws({may}));
    may.amounts[PrizeKind::LastTwo] = 2500;
    may.numbers.removeIf([](const PrizeNumber& number) { return number.kind == PrizeKind::Fifth; });
    QVERIFY(store.writeDraws({may}));

    QCOMPARE(store.drawKeys().value(), QStringList {u"25690502"_s});
    const std::optional<DrawPrizes> read = store.draw(u"25690502"_s).value();
    QVERIFY(read);
    QCOMPARE(read->amountOf(PrizeKind::LastTwo), qint64(2500));
    QVERIFY(read->numbersOf(PrizeKind::Fifth).isEmpty());
}

void TestPrizeStore::aFailedWriteLeavesThePreviousState()
{
    const DrawPrizes august = savedTable(u"getLotteryResult-2010-08-16.json"_s);
    DrawPrizes may = savedTable(u"getLatestLottery-2026-05-02.json"_s);
    {
        PrizeStore store(storePath());
        QVERIFY(store.open());
        QVERIFY(store.writeDraws({august}));
        // The second draw breaks off the write half way, after the first was written in the same transaction.
        DrawPrizes broken = august;
        broken.drawKey = u"25530901"_s;
        broken.numbers.last().number = u"๖๔"_s;
        may.amounts[PrizeKind::First] = 1;
        const Status written = store.writeDraws({may, broken});
        QVERIFY(!written);
        QVERIFY2(written.error().startsWith(u"บันทึกตารางรางวัลไม่ได้"_s), qPrintable(written.error()));
        // A partial table is no full table and is not stored.
        QVERIFY(!store.writeDraws(
            {partialPrizes({u"25690516"_s, u"111111"_s, u"222"_s, u"333"_s, u"444"_s, u"555"_s, u"66"_s})}));
    }
    PrizeStore store(storePath());
    QVERIFY(store.open());
    QCOMPARE(store.drawKeys().value(), QStringList {u"25530816"_s});
    QCOMPARE(store.draw(u"25530816"_s).value()->numbers.size(), august.numbers.size());
}

void TestPrizeStore::refusesAStoreOfANewerLayout()
{
    {
        PrizeStore store(storePath());
        QVERIFY(store.open());
    }
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"newer"_s);
        database.setDatabaseName(storePath());
        QVERIFY(database.open());
        QSqlQuery query(database);
        QVERIFY(query.exec(u"PRAGMA user_version"_s) && query.next());
        QCOMPARE(query.value(0).toInt(), 1);
        QVERIFY(query.exec(u"PRAGMA user_version = 2"_s));
        query.finish();
        database.close();
    }
    QSqlDatabase::removeDatabase(u"newer"_s);
    PrizeStore store(storePath());
    const Status opened = store.open();
    QVERIFY(!opened);
    QVERIFY2(opened.error().contains(u"สร้างโดยโปรแกรมรุ่นที่ใหม่กว่า"_s), qPrintable(opened.error()));
}

void TestPrizeStore::seedsOnlyAMissingStore()
{
    const QString bundled = m_dir->filePath(u"bundled.sqlite"_s);
    {
        PrizeStore store(bundled);
        QVERIFY(store.open());
        QVERIFY(store.writeDraws({savedTable(u"getLatestLottery-2026-05-02.json"_s)}));
    }
    const QString user = m_dir->filePath(u"user/prizes.sqlite"_s);
    QVERIFY(seedPrizeStore(user, bundled));
    {
        PrizeStore store(user);
        QVERIFY(store.open());
        QCOMPARE(store.drawKeys().value(), QStringList {u"25690502"_s});
        QVERIFY(store.writeDraws({savedTable(u"getLotteryResult-2010-08-16.json"_s)}));
    }
    // The user's store is theirs from then on.
    QVERIFY(seedPrizeStore(user, bundled));
    PrizeStore store(user);
    QVERIFY(store.open());
    QCOMPARE(store.drawKeys().value().size(), 2);
    QVERIFY(!QFile::exists(user + u".part"_s));
    // Without a bundled store there is nothing to copy; the store starts empty.
    QVERIFY(seedPrizeStore(m_dir->filePath(u"other/prizes.sqlite"_s), m_dir->filePath(u"missing.sqlite"_s)));
}

void TestPrizeStore::theStoreLivesBesideTheResultsFile()
{
    QCOMPARE(prizeStorePath(u"/opt/varenta/db.dll"_s), u"/opt/varenta/prizes.sqlite"_s);
    QCOMPARE(prizeStorePath(u"/home/u/.local/share/Varenta/db.dll"_s), u"/home/u/.local/share/Varenta/prizes.sqlite"_s);
}

void TestPrizeStore::bundledDrawsAgreeWithTheResultsFile()
{
    openBundled();
    const QStringList keys = m_bundled->drawKeys().value();
    QCOMPARE(keys.size(), 386);
    QCOMPARE(keys.first(), u"25690502"_s);
    QCOMPARE(keys.last(), u"25530301"_s);

    QHash<QString, DrawRecord> lines;
    for (const QString& line : bundledLines()) {
        lines.insert(line.left(8), ResultsFile::parseDrawLine(line));
    }
    for (const QString& key : keys) {
        QVERIFY2(lines.contains(key), qPrintable(key));
        const DrawRecord record = lines.value(key);
        const std::optional<DrawPrizes> table = m_bundled->draw(key).value();
        QVERIFY(table);
        QCOMPARE(table->numbersOf(PrizeKind::First), QStringList {record.firstPrize});
        QCOMPARE(table->numbersOf(PrizeKind::LastTwo), QStringList {record.twoDigit});
        if (hasFrontThree(key)) {
            QCOMPARE(table->numbersOf(PrizeKind::FrontThree), sorted({record.threeDigit1, record.threeDigit2}));
            QCOMPARE(table->numbersOf(PrizeKind::BackThree), sorted({record.threeDigit3, record.threeDigit4}));
        } else {
            QCOMPARE(table->numbersOf(PrizeKind::LastThree),
                sorted({record.threeDigit1, record.threeDigit2, record.threeDigit3, record.threeDigit4}));
        }
        QCOMPARE(table->numbersOf(PrizeKind::NearFirst).size(), 2);
        QCOMPARE(table->numbersOf(PrizeKind::Fifth).size(), 100);
    }
}

void TestPrizeStore::checksEveryBundledDraw_data()
{
    QTest::addColumn<QString>("ticket");
    QTest::addColumn<QStringList>("prizes");

    QTest::newRow("first prize of 2 May 2026") << u"536077"_s << QStringList {u"25690502 รางวัลที่ 1 6000000"_s};
    // 354809 was drawn twice for the fifth prize on 1 Aug 2019: two prizes.
    QTest::newRow("drawn twice") << u"354809"_s
                                 << QStringList {u"25620801 รางวัลที่ 5 20000"_s, u"25620801 รางวัลที่ 5 20000"_s};
    QTest::newRow("first prize of 16 Aug 2010") << u"911097"_s << QStringList {u"25530816 รางวัลที่ 1 6000000"_s};
}

void TestPrizeStore::checksEveryBundledDraw()
{
    QFETCH(QString, ticket);
    QFETCH(QStringList, prizes);
    openBundled();
    const Result<QList<TicketOutcome>> outcomes = m_checker->checkEveryDraw(ticket);
    QVERIFY(outcomes);
    const QStringList found = described(outcomes.value());
    for (const QString& prize : prizes) {
        QVERIFY2(found.contains(prize), qPrintable(found.join(u" / ")));
    }
    QCOMPARE(found.count(prizes.first()), prizes.count(prizes.first()));
}

void TestPrizeStore::checksOneDraw_data()
{
    QTest::addColumn<QString>("ticket");
    QTest::addColumn<QString>("draw");
    QTest::addColumn<QStringList>("prizes");
    QTest::addColumn<bool>("partial");

    QTest::newRow("full table") << u"267043"_s << u"25690502"_s
                                << QStringList {u"25690502 รางวัลเลขหน้า 3 ตัว 4000"_s,
                                       u"25690502 รางวัลเลขท้าย 2 ตัว 2000"_s}
                                << false;
    QTest::newRow("full table, no prize") << u"111111"_s << u"25690502"_s << QStringList() << false;
    // 16 Jan 2007 has no full table: its results line is checked, without amounts.
    QTest::newRow("results line only") << u"100054"_s << u"25500116"_s
                                       << QStringList {u"25500116 รางวัลเลขท้าย 2 ตัว -1"_s} << true;
    QTest::newRow("newer than the bundled tables")
        << u"004615"_s << u"25690816"_s << QStringList {u"25690816 รางวัลที่ 1 -1"_s} << true;
}

void TestPrizeStore::checksOneDraw()
{
    QFETCH(QString, ticket);
    QFETCH(QString, draw);
    QFETCH(QStringList, prizes);
    QFETCH(bool, partial);
    openBundled();
    QCOMPARE(m_checker->drawKeys().first(), u"25690816"_s);
    QCOMPARE(m_checker->drawKeys().size(), 756);
    const Result<TicketOutcome> outcome = m_checker->check(ticket, draw);
    QVERIFY(outcome);
    QCOMPARE(described({outcome.value()}), prizes);
    QCOMPARE(outcome.value().partial, partial);
    QCOMPARE(m_checker->hasFullTable(draw), !partial);

    const Result<TicketOutcome> unknown = m_checker->check(ticket, u"25690517"_s);
    QVERIFY(!unknown);
    QCOMPARE(unknown.error(), u"ไม่มีงวด 25690517 ในฐานข้อมูล"_s);
}

void TestPrizeStore::keepsTheOfficesDrawDatesByYear()
{
    openBundled();
    // The bundled store has never heard from the office.
    QCOMPARE(m_bundled->officeDrawDates().value(), QList<QDate>());
    QVERIFY(m_bundled->writeOfficeDrawDates({QDate(2026, 9, 1), QDate(2025, 12, 16), QDate(2026, 9, 16)}));
    // A later list of 2026 replaces that year's dates and leaves 2025's.
    QVERIFY(m_bundled->writeOfficeDrawDates({QDate(2026, 9, 17), QDate(2026, 9, 1)}));
    m_checker.reset();
    m_bundled.reset();
    PrizeStore store(storePath());
    QVERIFY(store.open());
    QCOMPARE(
        store.officeDrawDates().value(), (QList<QDate> {QDate(2025, 12, 16), QDate(2026, 9, 1), QDate(2026, 9, 17)}));
    QCOMPARE(store.drawKeys().value().size(), 386);
}

QTEST_GUILESS_MAIN(TestPrizeStore)
#include "tst_prizestore.moc"
