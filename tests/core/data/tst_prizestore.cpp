#include "FakeGloApi.h"
#include "TestData.h"
#include "data/PrizeEras.h"
#include "data/PrizeStore.h"
#include "data/ResultsFile.h"
#include "data/TicketChecker.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

// Runs statements on an SQLite file outside the store, as another program (or an older version) would.
void runSql(const QString& path, const QStringList& statements)
{
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"outside"_s);
        database.setDatabaseName(path);
        QVERIFY(database.open());
        QSqlQuery query(database);
        for (const QString& statement : statements) {
            QVERIFY2(query.exec(statement), qPrintable(statement + u": "_s + query.lastError().text()));
        }
    }
    QSqlDatabase::removeDatabase(u"outside"_s);
}

// The first value of a query on an SQLite file, read outside the store.
QVariant sqlValue(const QString& path, const QString& statement)
{
    QVariant value;
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"outside"_s);
        database.setDatabaseName(path);
        database.setConnectOptions(u"QSQLITE_OPEN_READONLY"_s);
        QSqlQuery query(database);
        if (database.open() && query.exec(statement) && query.next()) {
            value = query.value(0);
        }
    }
    QSqlDatabase::removeDatabase(u"outside"_s);
    return value;
}

// The same table, whatever the order of its numbers.
bool sameTable(const DrawPrizes& a, const DrawPrizes& b)
{
    const auto& kinds = PrizeKinds::all();
    return a.drawKey == b.drawKey && a.amounts == b.amounts && a.pdfUrl == b.pdfUrl &&
        a.numbers.size() == b.numbers.size() &&
        std::all_of(kinds.begin(), kinds.end(), [&](PrizeKind kind) { return a.numbersOf(kind) == b.numbersOf(kind); });
}

QStringList bundledLines()
{
    ResultsFile file(QStringLiteral(VARENTA_BUNDLED_DB));
    const Result<QStringList> lines = file.readResultsFile();
    return lines ? lines.value() : QStringList();
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
    void keepsTheAmountsOfTheDrawsEra();
    void aStoredTableIsReplacedOnlyOnRequest();
    void oneBadTableCostsOnlyItself_data();
    void oneBadTableCostsOnlyItself();
    void upgradesAStoreOfTheFirstLayout_data();
    void upgradesAStoreOfTheFirstLayout();
    void setsAsideAFileThatIsNoStore_data();
    void setsAsideAFileThatIsNoStore();
    void opensAStoreOfANewerLayoutForReadingOnly();
    void saysWhenThePathIsTooLong_data();
    void saysWhenThePathIsTooLong();
    void checksWithoutAStore();
    void seedsOnlyAMissingStore();
    void theBuildScriptWritesTheStoresLayout();
    void bundledDrawsAgreeWithTheResultsFile();
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
    const DrawPrizes may = GloApiAnswers::savedTable(u"getLatestLottery-2026-05-02.json"_s);
    const DrawPrizes august = GloApiAnswers::savedTable(u"getLotteryResult-2010-08-16.json"_s);
    {
        PrizeStore store(storePath());
        QVERIFY(store.open());
        QVERIFY(store.notice().isEmpty());
        QVERIFY(store.writeDraws({august, may}));
    }
    PrizeStore store(storePath());
    QVERIFY(store.open());
    QCOMPARE(store.drawKeys().value(), (QStringList {u"25690502"_s, u"25530816"_s}));
    const Result<std::optional<DrawPrizes>> read = store.draw(u"25690502"_s);
    QVERIFY(read && read.value());
    QVERIFY(sameTable(*read.value(), may));
    QCOMPARE(
        read.value()->pdfUrl, u"https://api.glo.or.th/utility/file/download/66d2225a-2ca8-4bb8-a131-e6a239ba76f3"_s);
    QVERIFY(!store.draw(u"25690516"_s).value());

    // Leading zeros stay.
    const Result<QList<PrizeStore::Match>> found = store.lookUp({u"066595"_s, u"065"_s});
    QVERIFY(found);
    QCOMPARE(found.value().size(), 2);
}

void TestPrizeStore::keepsTheAmountsOfTheDrawsEra()
{
    // A table of 2011 with today's amounts: the store keeps those of the draw's era, per ticket.
    DrawPrizes march2011 = GloApiAnswers::savedTable(u"getLotteryResult-2010-08-16.json"_s);
    march2011.drawKey = u"25540316"_s;
    march2011.amounts = GloApiAnswers::savedTable(u"getLatestLottery-2026-05-02.json"_s).amounts;
    PrizeStore store(storePath());
    QVERIFY(store.open());
    QVERIFY(store.writeDraws({march2011}));
    const Result<QList<PrizeStore::Match>> found = store.lookUp({u"911097"_s});
    QVERIFY(found && found.value().size() == 1);
    QCOMPARE(found.value().first().amount, qint64(2000000));
    QCOMPARE(store.draw(u"25540316"_s).value()->amounts, PrizeEras::bundled().amountsOf(u"25540316"_s));
}

void TestPrizeStore::aStoredTableIsReplacedOnlyOnRequest()
{
    const DrawPrizes may = GloApiAnswers::savedTable(u"getLatestLottery-2026-05-02.json"_s);
    PrizeStore store(storePath());
    QVERIFY(store.open());
    QVERIFY(store.writeDraws({may}));
    // Another answer for the same draw, with other numbers: an update never puts it in place of the stored one.
    DrawPrizes forged = may;
    forged.numbers.first().number = u"000000"_s;
    forged.amounts[PrizeKind::LastTwo] = 2500;
    forged.pdfUrl.clear();
    const PrizeStore::Writes writes = store.addDraws({forged});
    QCOMPARE(writes.keysOf(PrizeStore::DrawWrite::Outcome::AlreadyStored), QStringList {u"25690502"_s});
    QVERIFY(writes.status());
    QVERIFY(sameTable(*store.draw(u"25690502"_s).value(), may));

    // The user accepted the office's table in the check against the office.
    const Status replaced = store.replaceDraw(forged);
    QVERIFY2(replaced, qPrintable(replaced.error()));
    QVERIFY(sameTable(*store.draw(u"25690502"_s).value(), forged));
    QCOMPARE(store.drawKeys().value(), QStringList {u"25690502"_s});
    DrawPrizes partial = forged;
    partial.numbers.removeLast();
    const Status refused = store.replaceDraw(partial);
    QCOMPARE(refused.error(), u"บันทึกตารางรางวัลงวด 02 พฤษภาคม 2569 ไม่ได้ (ตารางรางวัลไม่ครบ: รางวัลเลขท้าย 2 ตัว)"_s);
    QVERIFY(sameTable(*store.draw(u"25690502"_s).value(), forged));
}

void TestPrizeStore::oneBadTableCostsOnlyItself_data()
{
    QTest::addColumn<DrawPrizes>("bad");
    QTest::addColumn<QString>("error"); // how the message begins

    DrawPrizes bad = GloApiAnswers::savedTable(u"getLotteryResult-2010-08-16.json"_s);
    bad.drawKey = u"25530901"_s;
    const QString notStored = u"บันทึกตารางรางวัลงวด 01 กันยายน 2553 ไม่ได้ ("_s;
    // Passes the count of every prize, and is refused by the store itself half way through its rows.
    DrawPrizes twice = bad;
    twice.numbers.removeIf([](const PrizeNumber& number) { return number.kind == PrizeKind::Fifth; });
    for (int i = 0; i < 100; ++i) {
        twice.numbers.append({PrizeKind::Fifth, u"123456"_s, 7});
    }
    QTest::newRow("one number a hundred times in one round") << twice << notStored + u"ข้อมูลผิดรูปแบบ: "_s;
    QTest::newRow("a results-file line") << partialPrizes({u"25530901"_s, u"111111"_s, u"222"_s, u"333"_s, u"444"_s,
                                                u"555"_s, u"66"_s})
                                         << notStored + u"ตารางรางวัลไม่ครบ: มีเฉพาะรางวัลที่ 1 เลข 3 ตัว และเลขท้าย 2 ตัว)"_s;
}

void TestPrizeStore::oneBadTableCostsOnlyItself()
{
    QFETCH(DrawPrizes, bad);
    QFETCH(QString, error);
    const DrawPrizes august = GloApiAnswers::savedTable(u"getLotteryResult-2010-08-16.json"_s);
    const DrawPrizes may = GloApiAnswers::savedTable(u"getLatestLottery-2026-05-02.json"_s);
    {
        PrizeStore store(storePath());
        QVERIFY(store.open());
        const PrizeStore::Writes writes = store.addDraws({august, bad, may});
        using Outcome = PrizeStore::DrawWrite::Outcome;
        QCOMPARE(writes.keysOf(Outcome::Added), (QStringList {u"25530816"_s, u"25690502"_s}));
        QCOMPARE(writes.keysOf(Outcome::Failed), QStringList {u"25530901"_s});
        const Status status = writes.status();
        QVERIFY2(status.error().startsWith(error), qPrintable(status.error()));
        QCOMPARE(store.writeDraws({bad}).error(), status.error());
    }
    PrizeStore store(storePath());
    QVERIFY(store.open());
    QCOMPARE(store.drawKeys().value(), (QStringList {u"25690502"_s, u"25530816"_s}));
    QCOMPARE(store.draw(u"25530816"_s).value()->numbers.size(), august.numbers.size());
    QCOMPARE(sqlValue(storePath(), u"SELECT count(*) FROM numbers"_s).toInt(), 2 * 173);
}

void TestPrizeStore::upgradesAStoreOfTheFirstLayout_data()
{
    QTest::addColumn<bool>("bundled");
    QTest::addColumn<QString>("sheet"); // of 16 Aug 2010 after the upgrade

    QTest::newRow("alone") << false << QString();
    QTest::newRow("sheets from the bundled store")
        << true << u"https://api.glo.or.th/utility/file/download/1f179c97-7b6d-4b09-bcf7-ec6e8f14ce92"_s;
}

void TestPrizeStore::upgradesAStoreOfTheFirstLayout()
{
    QFETCH(bool, bundled);
    QFETCH(QString, sheet);
    // A store as the first layout kept it: today's amounts for every draw.
    QStringList statements {u"BEGIN"_s,
        u"CREATE TABLE draws (id INTEGER PRIMARY KEY, draw_key TEXT NOT NULL UNIQUE CHECK (length(draw_key) = 8 AND "
        u"draw_key NOT GLOB '*[^0-9]*'))"_s,
        u"CREATE TABLE amounts (draw_id INTEGER NOT NULL REFERENCES draws (id), kind INTEGER NOT NULL CHECK (kind "
        u"BETWEEN 1 AND 10), amount INTEGER NOT NULL CHECK (amount >= 0), PRIMARY KEY (draw_id, kind)) WITHOUT ROWID"_s,
        u"CREATE TABLE numbers (number TEXT NOT NULL CHECK (length(number) IN (2, 3, 6) AND number NOT GLOB "
        u"'*[^0-9]*'), kind INTEGER NOT NULL CHECK (kind BETWEEN 1 AND 10), draw_id INTEGER NOT NULL REFERENCES draws "
        u"(id), round INTEGER NOT NULL, PRIMARY KEY (number, kind, draw_id, round)) WITHOUT ROWID"_s,
        u"PRAGMA user_version = 1"_s};
    const DrawPrizes may = GloApiAnswers::savedTable(u"getLatestLottery-2026-05-02.json"_s);
    const QList<DrawPrizes> tables {GloApiAnswers::savedTable(u"getLotteryResult-2010-08-16.json"_s),
        GloApiAnswers::savedTable(u"getLotteryResult-2015-09-01.json"_s), may};
    for (qsizetype id = 0; id < tables.size(); ++id) {
        const DrawPrizes& table = tables.at(id);
        statements.append(u"INSERT INTO draws VALUES (%1, '%2')"_s.arg(id).arg(table.drawKey));
        for (const PrizeKind kind : PrizeKinds::ofDraw(table.drawKey)) {
            const qint64 today = may.amountOf(kind == PrizeKind::LastThree ? PrizeKind::BackThree : kind);
            statements.append(u"INSERT INTO amounts VALUES (%1, %2, %3)"_s.arg(id).arg(int(kind)).arg(today));
        }
        for (const PrizeNumber& number : table.numbers) {
            statements.append(u"INSERT INTO numbers VALUES ('%1', %2, %3, %4)"_s.arg(number.number)
                                  .arg(int(number.kind))
                                  .arg(id)
                                  .arg(number.round));
        }
    }
    statements.append(u"COMMIT"_s);
    runSql(storePath(), statements);

    PrizeStore store(storePath());
    QVERIFY(store.openSeeded(bundled ? QStringLiteral(VARENTA_BUNDLED_PRIZES) : QString()));
    QVERIFY(store.notice().isEmpty());
    QCOMPARE(sqlValue(storePath(), u"PRAGMA user_version"_s).toInt(), 2);
    for (const DrawPrizes& table : tables) {
        const std::optional<DrawPrizes> read = store.draw(table.drawKey).value();
        QVERIFY(read);
        QCOMPARE(read->numbers.size(), table.numbers.size());
        QCOMPARE(read->amounts, PrizeEras::bundled().amountsOf(table.drawKey));
    }
    QCOMPARE(store.draw(u"25530816"_s).value()->amountOf(PrizeKind::First), qint64(2000000));
    QCOMPARE(store.draw(u"25580901"_s).value()->amountOf(PrizeKind::FrontThree), qint64(2000));
    QCOMPARE(store.draw(u"25530816"_s).value()->pdfUrl, sheet);
    QCOMPARE(store.draw(u"25690502"_s).value()->pdfUrl, bundled ? may.pdfUrl : QString());
}

void TestPrizeStore::setsAsideAFileThatIsNoStore_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("bundled");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QString>("suffix");

    const QString damaged = u".damaged-"_s;
    QTest::newRow("truncated") << u"truncated"_s << true << u"ข้อมูลในแฟ้มเสียหาย: database disk image is malformed"_s
                               << damaged;
    QTest::newRow("random bytes") << u"random"_s << true << u"ไม่ใช่แฟ้มฐานข้อมูล SQLite: file is not a database"_s
                                  << damaged;
    QTest::newRow("random bytes, nothing bundled")
        << u"random"_s << false << u"ไม่ใช่แฟ้มฐานข้อมูล SQLite: file is not a database"_s << damaged;
    QTest::newRow("a directory") << u"directory"_s << true << u"เป็นโฟลเดอร์"_s << damaged;
    QTest::newRow("a pipe") << u"pipe"_s << true << u"ไม่ใช่แฟ้มธรรมดา"_s << damaged;
    QTest::newRow("a link to a store") << u"link"_s << true << u"ไม่ใช่แฟ้มธรรมดา"_s << damaged;
    QTest::newRow("a dangling link") << u"dangling link"_s << true << u"ไม่ใช่แฟ้มธรรมดา"_s << damaged;
    QTest::newRow("another program's database")
        << u"foreign"_s << true << u"เป็นฐานข้อมูลของโปรแกรมอื่น"_s << u".foreign-"_s;
    QTest::newRow("another program's database with a version")
        << u"foreign versioned"_s << true << u"เป็นฐานข้อมูลของโปรแกรมอื่น"_s << u".foreign-"_s;
}

void TestPrizeStore::setsAsideAFileThatIsNoStore()
{
    QFETCH(QString, file);
    QFETCH(bool, bundled);
    QFETCH(QString, reason);
    QFETCH(QString, suffix);
    const QString path = storePath();
    QByteArray before;
    if (file == u"truncated") {
        QFile whole(QStringLiteral(VARENTA_BUNDLED_PRIZES));
        QVERIFY(whole.open(QIODevice::ReadOnly));
        before = whole.read(600000);
    } else if (file == u"random") {
        QRandomGenerator random(19);
        for (int i = 0; i < 4096; ++i) {
            before.append(char(random.bounded(256)));
        }
    }
    if (!before.isEmpty() && !file.endsWith(u"link")) {
        QFile damaged(path);
        QVERIFY(damaged.open(QIODevice::WriteOnly) && damaged.write(before) == before.size());
    } else if (file == u"directory") {
        QVERIFY(QDir(m_dir->path()).mkdir(u"prizes.sqlite"_s));
    } else if (file == u"pipe") {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (file.endsWith(u"link")) {
        // A link planted where the store belongs: whatever it points to is never written.
        const QString target = m_dir->filePath(u"target.sqlite"_s);
        if (file == u"link") {
            QVERIFY(QFile::copy(QStringLiteral(VARENTA_BUNDLED_PRIZES), target));
            before = fileBytes(target);
        }
        QVERIFY(QFile::link(target, path));
    } else {
        runSql(path,
            {u"CREATE TABLE contacts (name TEXT)"_s, u"INSERT INTO contacts VALUES ('Somchai')"_s,
                file.endsWith(u"versioned") ? u"PRAGMA user_version = 7"_s : u"PRAGMA user_version = 0"_s});
    }

    PrizeStore store(path);
    const Status opened = store.openSeeded(bundled ? QStringLiteral(VARENTA_BUNDLED_PRIZES) : QString());
    QVERIFY2(opened, qPrintable(opened.error()));
    // Set aside under a name with the date and time, never deleted; a fresh store in its place.
    QVERIFY2(QRegularExpression(u"^"_s + QRegularExpression::escape(path + suffix) + u"\\d{8}-\\d{6}$"_s)
                 .match(store.setAsidePath())
                 .hasMatch(),
        qPrintable(store.setAsidePath()));
    QCOMPARE(store.notice(),
        u"แฟ้มตารางรางวัล %1 ใช้ไม่ได้ (%2) จึงย้ายไปเก็บไว้เป็น %3 "_s.arg(path, reason, store.setAsidePath()) +
            (bundled ? u"แล้วสร้างแฟ้มใหม่จากตารางรางวัลที่มากับโปรแกรม"_s : u"แล้วสร้างแฟ้มใหม่ที่ยังไม่มีตารางรางวัล"_s));
    QCOMPARE(store.drawKeys().value().size(), bundled ? 386 : 0);
    QVERIFY(!store.isReadOnly());
    QVERIFY(store.writeDraws({GloApiAnswers::savedTable(u"getLotteryResult-2010-08-16.json"_s)}));
    const QFileInfo setAside(store.setAsidePath());
    QCOMPARE(setAside.isDir(), file == u"directory");
    QCOMPARE(setAside.isSymLink(), file.endsWith(u"link"));
    QVERIFY(!QFileInfo(path).isSymLink());
    if (!before.isEmpty()) {
        QCOMPARE(fileBytes(store.setAsidePath()), before);
    }
    if (file.startsWith(u"foreign")) {
        // Another program's database keeps its own tables only.
        QCOMPARE(sqlValue(store.setAsidePath(), u"SELECT group_concat(name) FROM sqlite_master"_s).toString(),
            u"contacts"_s);
    }
}

void TestPrizeStore::opensAStoreOfANewerLayoutForReadingOnly()
{
    {
        PrizeStore store(storePath());
        QVERIFY(store.open());
        QVERIFY(store.writeDraws({GloApiAnswers::savedTable(u"getLotteryResult-2010-08-16.json"_s)}));
    }
    runSql(storePath(), {u"ALTER TABLE draws ADD COLUMN later TEXT"_s, u"PRAGMA user_version = 3"_s});
    PrizeStore store(storePath());
    QVERIFY(store.openSeeded(QStringLiteral(VARENTA_BUNDLED_PRIZES)));
    QVERIFY(store.isReadOnly());
    QVERIFY(store.setAsidePath().isEmpty());
    QCOMPARE(store.notice(),
        u"แฟ้มตารางรางวัล %1 สร้างโดยโปรแกรมรุ่นที่ใหม่กว่า จึงเปิดแบบอ่านอย่างเดียว ตรวจสลากได้ แต่บันทึกตารางรางวัลใหม่ลงแฟ้มนี้ไม่ได้"_s.arg(
            storePath()));
    QCOMPARE(store.drawKeys().value(), QStringList {u"25530816"_s});
    QCOMPARE(store.writeDraws({GloApiAnswers::savedTable(u"getLatestLottery-2026-05-02.json"_s)}).error(),
        u"บันทึกตารางรางวัลงวด 02 พฤษภาคม 2569 ไม่ได้ (แฟ้มตารางรางวัล %1 เปิดแบบอ่านอย่างเดียว)"_s.arg(storePath()));
    QCOMPARE(sqlValue(storePath(), u"SELECT count(*) FROM draws"_s).toInt(), 1);
    QCOMPARE(sqlValue(storePath(), u"PRAGMA user_version"_s).toInt(), 3);
}

void TestPrizeStore::saysWhenThePathIsTooLong_data()
{
    QTest::addColumn<int>("bytes");
    QTest::newRow("the longest SQLite opens") << 504;
    QTest::newRow("one byte more") << 505;
}

void TestPrizeStore::saysWhenThePathIsTooLong()
{
    QFETCH(int, bytes);
    // Folders of 100 bytes down to the length asked for, the store's name last.
    QString folder = QDir(m_dir->path()).canonicalPath();
    const QString name = u"prizes.sqlite"_s;
    while (QFile::encodeName(folder).size() + 1 + name.size() + 101 <= bytes) {
        folder += u'/' + QString(100, u'd');
    }
    folder += u'/' + QString(bytes - QFile::encodeName(folder).size() - 2 - name.size(), u'e');
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + u'/' + name;
    QCOMPARE(QFile::encodeName(path).size(), bytes);

    PrizeStore store(path);
    const Status opened = store.open();
    if (bytes <= PrizeStore::maxPathBytes) {
        QVERIFY2(opened, qPrintable(opened.error()));
        QVERIFY(store.writeDraws({GloApiAnswers::savedTable(u"getLotteryResult-2010-08-16.json"_s)}));
    } else {
        QCOMPARE(opened.error(),
            u"ที่อยู่ของแฟ้มตารางรางวัล %1 ยาว 505 ไบต์ เกินกว่าที่ SQLite รับได้ (ไม่เกิน 504 ไบต์) "
            u"กรุณาเก็บแฟ้มผลรางวัลไว้ในโฟลเดอร์ที่มีที่อยู่สั้นกว่านี้"_s.arg(path));
        QVERIFY(!QFile::exists(path));
    }
}

void TestPrizeStore::checksWithoutAStore()
{
    const QStringList lines {u"25690502,536077,267,318,065,153,43"_s, u"25690416,123456,111,222,333,444,55"_s};
    // A store that could not be opened, and one that cannot be read.
    TicketChecker unopened(lines, u"เปิดแฟ้มตารางรางวัล /x/prizes.sqlite ไม่ได้"_s);
    PrizeStore closed(storePath());
    TicketChecker unread(closed, lines);
    for (TicketChecker* checker : {&unopened, &unread}) {
        QVERIFY(checker->load());
        QCOMPARE(checker->drawKeys(), (QStringList {u"25690502"_s, u"25690416"_s}));
        QCOMPARE(checker->fullTableCount(), qsizetype(0));
        const Result<TicketOutcome> outcome = checker->check(u"536077"_s, u"25690502"_s);
        QVERIFY(outcome && outcome.value().partial);
        QCOMPARE(outcome.value().prizes.size(), 1);
        // The amounts are known from the draw's era, whatever became of the store.
        QCOMPARE(outcome.value().prizes.first().amount, qint64(6000000));
        // No draw has a full table: every draw is checked by its line, none by the store.
        const Result<QList<TicketOutcome>> everyDraw = checker->checkEveryDraw(u"536077"_s);
        QVERIFY(everyDraw && everyDraw.value().isEmpty());
    }
    QCOMPARE(unopened.storeProblem(),
        u"เปิดแฟ้มตารางรางวัล /x/prizes.sqlite ไม่ได้\nจึงตรวจได้เฉพาะรางวัลที่ 1 เลข 3 ตัว และเลขท้าย 2 ตัว จากแฟ้มผลรางวัล"_s);
    QVERIFY2(unread.storeProblem().startsWith(u"อ่านตารางรางวัลไม่ได้ ("_s), qPrintable(unread.storeProblem()));
    QVERIFY(!TicketChecker(QStringList(), u"x"_s).load());
}

void TestPrizeStore::seedsOnlyAMissingStore()
{
    const QString bundled = m_dir->filePath(u"bundled.sqlite"_s);
    {
        PrizeStore store(bundled);
        QVERIFY(store.open());
        QVERIFY(store.writeDraws({GloApiAnswers::savedTable(u"getLatestLottery-2026-05-02.json"_s)}));
    }
    const QString user = m_dir->filePath(u"user/prizes.sqlite"_s);
    QVERIFY(seedPrizeStore(user, bundled));
    {
        PrizeStore store(user);
        QVERIFY(store.open());
        QCOMPARE(store.drawKeys().value(), QStringList {u"25690502"_s});
        QVERIFY(store.writeDraws({GloApiAnswers::savedTable(u"getLotteryResult-2010-08-16.json"_s)}));
    }
    // The user's store is theirs from then on.
    QVERIFY(seedPrizeStore(user, bundled));
    {
        PrizeStore store(user);
        QVERIFY(store.open());
        QCOMPARE(store.drawKeys().value().size(), 2);
    }
    QVERIFY(!QFile::exists(user + u".part"_s));
    // An empty file holds nothing: it is seeded as if there were none.
    const QString empty = m_dir->filePath(u"empty/prizes.sqlite"_s);
    QVERIFY(QDir().mkpath(QFileInfo(empty).path()));
    QVERIFY(QFile(empty).open(QIODevice::WriteOnly));
    PrizeStore store(empty);
    QVERIFY(store.openSeeded(bundled));
    QVERIFY(store.notice().isEmpty());
    QCOMPARE(store.drawKeys().value(), QStringList {u"25690502"_s});
    // Without a bundled store there is nothing to copy; the store starts empty.
    QVERIFY(seedPrizeStore(m_dir->filePath(u"other/prizes.sqlite"_s), m_dir->filePath(u"missing.sqlite"_s)));
}

void TestPrizeStore::theBuildScriptWritesTheStoresLayout()
{
    {
        PrizeStore store(storePath());
        QVERIFY(store.open());
    }
    // The statements of scripts/build-prizes-db.py and of the store, blanks aside.
    const QString layout = u"SELECT group_concat(name || ':' || sql, ';') FROM "
                           u"(SELECT name, sql FROM sqlite_master ORDER BY name)"_s;
    const auto compact = [](QString sql) { return sql.remove(QRegularExpression(u"\\s"_s)); };
    const QString made = compact(sqlValue(storePath(), layout).toString());
    QVERIFY(made.contains(u"pdf_urlTEXTNOTNULLDEFAULT''"_s));
    QCOMPARE(compact(sqlValue(QStringLiteral(VARENTA_BUNDLED_PRIZES), layout).toString()), made);
    QCOMPARE(
        sqlValue(QStringLiteral(VARENTA_BUNDLED_PRIZES), u"PRAGMA user_version"_s).toInt(), PrizeStore::schemaVersion);
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
        const std::optional<DrawPrizes> table = m_bundled->draw(key).value();
        QVERIFY(table);
        QVERIFY2(checkFullTable(*table), qPrintable(key));
        const Status agrees = checkTableAgainstLine(*table, key, lines.value(key));
        QVERIFY2(agrees, qPrintable(key + u' ' + agrees.error()));
        // Each draw's amounts are those of its era, per ticket; the office's own sheet is named.
        QCOMPARE(table->amounts, PrizeEras::bundled().amountsOf(key));
        QVERIFY2(table->pdfUrl.startsWith(u"https://api.glo.or.th/utility/file/download/"_s), qPrintable(key));
    }
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
    // 16 Aug 2026 has no full table either; the amounts of its era are known.
    QTest::newRow("newer than the bundled tables")
        << u"004615"_s << u"25690816"_s << QStringList {u"25690816 รางวัลที่ 1 6000000"_s} << true;
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
