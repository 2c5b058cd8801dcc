#include "PrizeStore.h"

#include "data/PrizeEras.h"
#include "data/PrizeTexts.h"
#include "data/ResultsLocation.h"
#include "data/ThaiCalendar.h"

#include <QAtomicInt>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLoggingCategory>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <cerrno>
#include <cstdio>
#include <map>

using namespace Qt::StringLiterals;

namespace {

Q_LOGGING_CATEGORY(storeLog, "varenta.prizestore")

// The layout. scripts/build-prizes-db.py writes the bundled store with the same statements; keep the two in step.
const char* const schemaStatements[] = {
    "CREATE TABLE draws ("
    " id INTEGER PRIMARY KEY,"
    " draw_key TEXT NOT NULL UNIQUE CHECK (length(draw_key) = 8 AND draw_key NOT GLOB '*[^0-9]*'),"
    " pdf_url TEXT NOT NULL DEFAULT '')",
    "CREATE TABLE amounts ("
    " draw_id INTEGER NOT NULL REFERENCES draws (id),"
    " kind INTEGER NOT NULL CHECK (kind BETWEEN 1 AND 10),"
    " amount INTEGER NOT NULL CHECK (amount >= 0),"
    " PRIMARY KEY (draw_id, kind)) WITHOUT ROWID",
    "CREATE TABLE numbers ("
    " number TEXT NOT NULL CHECK (length(number) IN (2, 3, 6) AND number NOT GLOB '*[^0-9]*'),"
    " kind INTEGER NOT NULL CHECK (kind BETWEEN 1 AND 10),"
    " draw_id INTEGER NOT NULL REFERENCES draws (id),"
    " round INTEGER NOT NULL,"
    " PRIMARY KEY (number, kind, draw_id, round)) WITHOUT ROWID",
};

// Layout 1 had no result sheet; layout 2 adds it as the last column of `draws`.
const char* const addPdfUrl = "ALTER TABLE draws ADD COLUMN pdf_url TEXT NOT NULL DEFAULT ''";

// The columns the program reads and writes, per layout: a file of our version whose tables lack them is damaged.
const char* const firstLayoutProbes[] = {
    "SELECT id, draw_key FROM draws LIMIT 0",
    "SELECT draw_id, kind, amount FROM amounts LIMIT 0",
    "SELECT number, kind, draw_id, round FROM numbers LIMIT 0",
};
const char* const secondLayoutProbe = "SELECT pdf_url FROM draws LIMIT 0";

// The office's list of draw dates: no part of the tables' layout, so a store of any version may have it or not.
const char* const tablesNotHadTable = "CREATE TABLE IF NOT EXISTS tables_not_had (draw_key TEXT PRIMARY KEY"
                                      " CHECK (length(draw_key) = 8), asked_on TEXT NOT NULL) WITHOUT ROWID";
const char* const officeDatesTable =
    "CREATE TABLE IF NOT EXISTS office_draw_dates (day TEXT PRIMARY KEY CHECK (length(day) = 10)) WITHOUT ROWID";

// SQLite's primary result codes that tell why a file cannot be used.
enum SqliteCode {
    sqlitePerm = 3,
    sqliteBusy = 5,
    sqliteLocked = 6,
    sqliteReadOnly = 8,
    sqliteIoError = 10,
    sqliteCorrupt = 11,
    sqliteFull = 13,
    sqliteCantOpen = 14,
    sqliteConstraint = 19,
    sqliteAuth = 23,
    sqliteNotADatabase = 26,
};

int sqliteCode(const QSqlError& error)
{
    return error.nativeErrorCode().toInt() & 0xff;
}

// Why SQLite refused, in Thai, with SQLite's own words after it.
QString reasonOf(const QSqlError& error)
{
    QStringView thai;
    switch (sqliteCode(error)) {
    case sqliteFull:
        thai = PrizeTexts::reasonDiskFull();
        break;
    case sqliteBusy:
    case sqliteLocked:
        thai = PrizeTexts::reasonBusy();
        break;
    case sqliteReadOnly:
        thai = PrizeTexts::reasonNoWrite();
        break;
    case sqlitePerm:
    case sqliteAuth:
        thai = PrizeTexts::reasonNoAccess();
        break;
    case sqliteIoError:
        thai = PrizeTexts::reasonDiskError();
        break;
    case sqliteCorrupt:
        thai = PrizeTexts::reasonDamaged();
        break;
    case sqliteCantOpen:
        thai = PrizeTexts::reasonCannotOpen();
        break;
    case sqliteConstraint:
        thai = PrizeTexts::reasonBadData();
        break;
    case sqliteNotADatabase:
        thai = PrizeTexts::reasonNotDatabase();
        break;
    default:
        break;
    }
    const QString system = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    if (thai.isEmpty()) {
        return system;
    }
    return system.isEmpty() ? thai.toString() : thai.toString() + u": " + system;
}

QString nativePath(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QString nextConnectionName()
{
    static QAtomicInt counter;
    return u"varenta-prizes-%1"_s.arg(counter.fetchAndAddRelaxed(1));
}

bool bundledStoreUsable(const QString& storePath, const QString& bundledPath)
{
    const QFileInfo bundled(bundledPath);
    return !bundledPath.isEmpty() && bundled.isFile() &&
        QFileInfo(storePath).absoluteFilePath() != bundled.absoluteFilePath();
}

// The amounts a store keeps for a draw: those of its era before today's, the table's own from then on; only of
// the kinds the draw had.
std::map<PrizeKind, qint64> amountsToStore(const DrawPrizes& prizes)
{
    std::map<PrizeKind, qint64> amounts = PrizeEras::bundled().amountsToKeep(prizes.drawKey, prizes.amounts);
    const QList<PrizeKind> kinds = PrizeKinds::ofDraw(prizes.drawKey);
    std::erase_if(amounts, [&kinds](const auto& entry) { return !kinds.contains(entry.first); });
    return amounts;
}

bool run(QSqlQuery& query, const QVariantList& values, QString& error)
{
    for (int i = 0; i < values.size(); ++i) {
        query.bindValue(i, values.at(i));
    }
    if (!query.exec()) {
        error = reasonOf(query.lastError());
        return false;
    }
    return true;
}

// The statements that write one draw's table.
struct TableStatements
{
    explicit TableStatements(const QSqlDatabase& database)
        : findDraw(database)
        , addDraw(database)
        , setPdfUrl(database)
        , clearAmounts(database)
        , clearNumbers(database)
        , addAmount(database)
        , addNumber(database)
    { }

    bool prepare(QString& error)
    {
        const std::pair<QSqlQuery*, QString> statements[] = {
            {&findDraw, u"SELECT id FROM draws WHERE draw_key = ?"_s},
            {&addDraw, u"INSERT INTO draws (draw_key, pdf_url) VALUES (?, coalesce(?, ''))"_s},
            {&setPdfUrl, u"UPDATE draws SET pdf_url = coalesce(?, '') WHERE id = ?"_s},
            {&clearAmounts, u"DELETE FROM amounts WHERE draw_id = ?"_s},
            {&clearNumbers, u"DELETE FROM numbers WHERE draw_id = ?"_s},
            {&addAmount, u"INSERT INTO amounts (draw_id, kind, amount) VALUES (?, ?, ?)"_s},
            {&addNumber, u"INSERT INTO numbers (number, kind, draw_id, round) VALUES (?, ?, ?, ?)"_s},
        };
        for (const auto& [query, sql] : statements) {
            if (!query->prepare(sql)) {
                error = reasonOf(query->lastError());
                return false;
            }
        }
        return true;
    }

    // The id of a stored draw: no value when it is not stored; false when the look-up failed.
    bool find(const QString& drawKey, std::optional<qlonglong>& id, QString& error)
    {
        id.reset();
        if (!run(findDraw, {drawKey}, error)) {
            return false;
        }
        if (findDraw.next()) {
            id = findDraw.value(0).toLongLong();
        }
        findDraw.finish();
        return true;
    }

    bool add(const DrawPrizes& prizes, qlonglong& id, QString& error)
    {
        if (!run(addDraw, {prizes.drawKey, prizes.pdfUrl}, error)) {
            return false;
        }
        id = addDraw.lastInsertId().toLongLong();
        return true;
    }

    bool clear(qlonglong id, const QString& pdfUrl, QString& error)
    {
        return run(setPdfUrl, {pdfUrl, id}, error) && run(clearAmounts, {id}, error) && run(clearNumbers, {id}, error);
    }

    bool fill(qlonglong id, const DrawPrizes& prizes, QString& error)
    {
        for (const auto& [kind, amount] : amountsToStore(prizes)) {
            if (!run(addAmount, {id, static_cast<int>(kind), amount}, error)) {
                return false;
            }
        }
        for (const PrizeNumber& number : prizes.numbers) {
            if (!run(addNumber, {number.number, static_cast<int>(number.kind), id, number.round}, error)) {
                return false;
            }
        }
        return true;
    }

    QSqlQuery findDraw;
    QSqlQuery addDraw;
    QSqlQuery setPdfUrl;
    QSqlQuery clearAmounts;
    QSqlQuery clearNumbers;
    QSqlQuery addAmount;
    QSqlQuery addNumber;
};

} // namespace

QString prizeStorePath(const QString& resultsFilePath)
{
    return QFileInfo(resultsFilePath).dir().filePath(u"prizes.sqlite"_s);
}

QString bundledPrizeStorePath(const QString& programDirectory)
{
    return QDir(programDirectory).filePath(u"prizes.sqlite"_s);
}

Status seedPrizeStore(const QString& storePath, const QString& bundledPath)
{
    const QFileInfo store(storePath);
    // An empty file holds nothing to keep: a copy cut short by an older version of the program, or a file the user
    // emptied.
    const bool nothingThere = !store.exists() || (store.isFile() && store.size() == 0);
    if (!nothingThere || !bundledStoreUsable(storePath, bundledPath)) {
        return Status::success();
    }
    // Written whole or not at all, with the user's own permissions, so that a copy cut short never passes for a store.
    const Status copied = QDir().mkpath(store.absolutePath()) ? ResultsLocation::copyWhole(bundledPath, storePath)
                                                              : Status::failure(QString());
    if (!copied) {
        const QString message = PrizeTexts::copyFailed().toString().arg(nativePath(storePath));
        return Status::failure(copied.error().isEmpty() ? message : message + u" ("_s + copied.error() + u')');
    }
    return Status::success();
}

PrizeStore::PrizeStore(QString path)
    : m_path(std::move(path))
    , m_connectionName(nextConnectionName())
{ }

PrizeStore::~PrizeStore()
{
    if (m_database.isValid()) {
        m_database.close();
        m_database = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connectionName);
    }
}

Status PrizeStore::failure(QStringView message, const QString& detail) const
{
    return Status::failure(detail.isEmpty() ? message.toString() : message.toString() + u" (" + detail + u")");
}

Status PrizeStore::open()
{
    return openSeeded(QString());
}

Status PrizeStore::openSeeded(const QString& bundledPath)
{
    if (m_database.isOpen()) {
        return Status::success();
    }
    m_notice.clear();
    m_setAsidePath.clear();
    m_readOnly = false;

    // SQLite takes the path with its links resolved; a longer one it refuses with no more than "unable to open".
    const QFileInfo file(m_path);
    const QString directory = QFileInfo(file.absolutePath()).canonicalFilePath();
    const qsizetype pathBytes =
        QFile::encodeName((directory.isEmpty() ? file.absolutePath() : directory) + u'/' + file.fileName()).size();
    if (pathBytes > maxPathBytes) {
        return Status::failure(
            PrizeTexts::pathTooLong().toString().arg(nativePath(m_path)).arg(pathBytes).arg(maxPathBytes));
    }
    // SQLite would block on a pipe and fail on a folder: neither can be a store. Nor can a link: SQLite would write
    // whatever file it points to. The link itself is set aside, its target left alone.
    if (file.isSymLink() || (file.exists() && !file.isFile())) {
        const Status moved = setAside(file.isDir() && !file.isSymLink() ? PrizeTexts::reasonDirectory().toString()
                                                                        : PrizeTexts::reasonNotRegular().toString(),
            false);
        if (!moved) {
            return moved;
        }
    }

    Inspection found;
    for (;;) {
        if (const Status seeded = seedPrizeStore(m_path, bundledPath); !seeded) {
            return seeded;
        }
        if (const Status connected = connect(false); !connected) {
            return connected;
        }
        found = inspect();
        if (found.state != FileState::NotOurs && found.state != FileState::Damaged) {
            break;
        }
        // A file set aside once this opening and still no store: the bundled store itself cannot be used.
        if (!m_setAsidePath.isEmpty()) {
            disconnect();
            return failure(PrizeTexts::openFailed().toString().arg(nativePath(m_path)), found.reason);
        }
        if (const Status moved = setAside(found.reason, found.state == FileState::NotOurs); !moved) {
            return moved;
        }
    }

    Status ready = Status::success();
    switch (found.state) {
    case FileState::Ours:
        break;
    case FileState::Empty:
        ready = createTables();
        break;
    case FileState::OlderLayout:
        ready = upgradeFromFirstLayout();
        if (ready) {
            takeResultSheets(bundledPath);
        }
        break;
    case FileState::NewerLayout:
        disconnect();
        ready = connect(true);
        m_readOnly = ready.ok();
        if (ready) {
            m_notice = PrizeTexts::tooNew().toString().arg(nativePath(m_path)) + u' ' + PrizeTexts::readOnlyNote();
        }
        break;
    case FileState::NotOurs:
    case FileState::Damaged:
    case FileState::Unusable:
        ready = failure(PrizeTexts::openFailed().toString().arg(nativePath(m_path)), found.reason);
        break;
    }
    if (!ready) {
        disconnect();
        return ready;
    }
    if (!m_setAsidePath.isEmpty()) {
        m_notice += u' ' +
            (bundledStoreUsable(m_path, bundledPath) ? PrizeTexts::freshFromBundled() : PrizeTexts::freshEmpty())
                .toString();
    }
    return Status::success();
}

Status PrizeStore::connect(bool readOnly)
{
    if (!m_database.isValid()) {
        m_database = QSqlDatabase::addDatabase(u"QSQLITE"_s, m_connectionName);
    }
    if (!m_database.isValid()) {
        return failure(
            PrizeTexts::openFailed().toString().arg(nativePath(m_path)), PrizeTexts::reasonNoDriver().toString());
    }
    m_database.setDatabaseName(m_path);
    m_database.setConnectOptions(readOnly ? u"QSQLITE_OPEN_READONLY"_s : QString());
    if (!m_database.open()) {
        return failure(PrizeTexts::openFailed().toString().arg(nativePath(m_path)), reasonOf(m_database.lastError()));
    }
    return Status::success();
}

void PrizeStore::disconnect()
{
    if (m_database.isOpen()) {
        m_database.close();
    }
    m_readOnly = false;
}

PrizeStore::Inspection PrizeStore::inspect()
{
    Inspection found;
    const auto refused = [&found](const QSqlError& error) {
        switch (sqliteCode(error)) {
        case sqliteNotADatabase:
        case sqliteCorrupt:
            found.state = FileState::Damaged;
            break;
        default:
            found.state = FileState::Unusable;
            break;
        }
        found.reason = reasonOf(error);
        return found;
    };
    QSqlQuery query(m_database);
    query.setForwardOnly(true);
    if (!query.exec(u"PRAGMA user_version"_s) || !query.next()) {
        return refused(query.lastError());
    }
    found.version = query.value(0).toInt();
    // A file cut short or overwritten in part still has its header: only a walk over its pages finds the damage.
    if (!query.exec(u"PRAGMA quick_check"_s)) {
        return refused(query.lastError());
    }
    QStringList problems;
    while (query.next()) {
        problems.append(query.value(0).toString());
    }
    // A walk cut short by another program's lock says nothing of the file.
    if (problems.isEmpty() && query.lastError().isValid()) {
        return refused(query.lastError());
    }
    if (problems != QStringList {u"ok"_s}) {
        found.state = FileState::Damaged;
        found.reason = PrizeTexts::reasonDamaged().toString();
        return found;
    }
    if (!query.exec(u"SELECT type, name FROM sqlite_master"_s)) {
        return refused(query.lastError());
    }
    QStringList tables;
    bool anything = false;
    while (query.next()) {
        anything = true;
        if (query.value(0).toString() == u"table") {
            tables.append(query.value(1).toString());
        }
    }
    query.finish();
    if (!anything && found.version == 0) {
        found.state = FileState::Empty;
        return found;
    }
    // Another program's database keeps its own tables: ours are never added to it.
    const bool ourTables =
        tables.contains(u"draws"_s) && tables.contains(u"amounts"_s) && tables.contains(u"numbers"_s);
    if (!ourTables || found.version < 1) {
        found.state = FileState::NotOurs;
        found.reason = PrizeTexts::reasonForeign().toString();
        return found;
    }
    if (found.version > schemaVersion) {
        found.state = FileState::NewerLayout;
        return found;
    }
    QStringList probes;
    for (const char* probe : firstLayoutProbes) {
        probes.append(QString::fromLatin1(probe));
    }
    if (found.version >= 2) {
        probes.append(QString::fromLatin1(secondLayoutProbe));
    }
    for (const QString& probe : std::as_const(probes)) {
        if (!query.exec(probe)) {
            found.state = FileState::Damaged;
            found.reason = PrizeTexts::reasonDamaged().toString() + u": " + query.lastError().databaseText();
            return found;
        }
        query.finish();
    }
    found.state = found.version == schemaVersion ? FileState::Ours : FileState::OlderLayout;
    return found;
}

Status PrizeStore::setAside(const QString& reason, bool foreign)
{
    disconnect();
    const QString base = m_path + (foreign ? u".foreign-"_s : u".damaged-"_s) +
        QDateTime::currentDateTime().toString(u"yyyyMMdd-HHmmss"_s);
    QString target = base;
    for (int n = 2; QFileInfo::exists(target) || QFileInfo(target).isSymLink(); ++n) {
        target = base + u'-' + QString::number(n);
    }
    const auto move = [](const QString& from, const QString& to) {
        return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
    };
    // A journal left beside the file belongs to it: SQLite would play it back into the fresh store.
    for (const QString& suffix : {u"-journal"_s, u"-wal"_s, u"-shm"_s}) {
        const QFileInfo journal(m_path + suffix);
        if ((journal.exists() || journal.isSymLink()) && !move(m_path + suffix, target + suffix)) {
            return Status::failure(
                PrizeTexts::setAsideFailed().toString().arg(nativePath(m_path), reason, qt_error_string(errno)));
        }
    }
    if (!move(m_path, target)) {
        return Status::failure(
            PrizeTexts::setAsideFailed().toString().arg(nativePath(m_path), reason, qt_error_string(errno)));
    }
    qCWarning(storeLog).noquote() << "set aside" << m_path << "as" << target << ":" << reason;
    m_setAsidePath = target;
    m_notice = PrizeTexts::setAside().toString().arg(nativePath(m_path), reason, nativePath(target));
    return Status::success();
}

Status PrizeStore::createTables()
{
    QSqlQuery query(m_database);
    if (!query.exec(u"BEGIN IMMEDIATE"_s)) {
        return failure(PrizeTexts::writeFailed(), reasonOf(query.lastError()));
    }
    const auto abandon = [this, &query] {
        const QString detail = reasonOf(query.lastError());
        QSqlQuery(m_database).exec(u"ROLLBACK"_s);
        return failure(PrizeTexts::writeFailed(), detail);
    };
    // Another instance may have made the tables since the file was looked at.
    if (!query.exec(u"SELECT count(*) FROM sqlite_master"_s) || !query.next()) {
        return abandon();
    }
    if (query.value(0).toInt() > 0) {
        query.finish();
        QSqlQuery(m_database).exec(u"ROLLBACK"_s);
        disconnect();
        return Status::failure(
            PrizeTexts::openFailed().toString().arg(nativePath(m_path)) + u" (" + PrizeTexts::reasonBusy() + u")");
    }
    query.finish();
    for (const char* statement : schemaStatements) {
        if (!query.exec(QString::fromLatin1(statement))) {
            return abandon();
        }
    }
    if (!query.exec(u"PRAGMA user_version = %1"_s.arg(schemaVersion)) || !query.exec(u"COMMIT"_s)) {
        return abandon();
    }
    return Status::success();
}

Status PrizeStore::upgradeFromFirstLayout()
{
    QSqlQuery query(m_database);
    const auto abandon = [this](const QString& detail) {
        QSqlQuery(m_database).exec(u"ROLLBACK"_s);
        return Status::failure(PrizeTexts::upgradeFailed().toString().arg(nativePath(m_path), detail));
    };
    if (!query.exec(u"BEGIN IMMEDIATE"_s)) {
        return Status::failure(
            PrizeTexts::upgradeFailed().toString().arg(nativePath(m_path), reasonOf(query.lastError())));
    }
    // Another instance may have brought it up to date since the file was looked at.
    if (!query.exec(u"PRAGMA user_version"_s) || !query.next()) {
        return abandon(reasonOf(query.lastError()));
    }
    if (query.value(0).toInt() != 1) {
        query.finish();
        QSqlQuery(m_database).exec(u"ROLLBACK"_s);
        return Status::success();
    }
    query.finish();
    if (!query.exec(QString::fromLatin1(addPdfUrl)) || !query.exec(u"SELECT id, draw_key FROM draws"_s)) {
        return abandon(reasonOf(query.lastError()));
    }
    QList<std::pair<qlonglong, QString>> draws;
    while (query.next()) {
        draws.append({query.value(0).toLongLong(), query.value(1).toString()});
    }
    query.finish();

    // The numbers stay; the amounts of every draw before today's era become those of its era.
    TableStatements statements(m_database);
    QString error;
    if (!statements.prepare(error)) {
        return abandon(error);
    }
    const QString answerAmountsFrom = PrizeEras::bundled().answerAmountsFrom();
    for (const auto& [id, key] : std::as_const(draws)) {
        if (key >= answerAmountsFrom) {
            continue;
        }
        DrawPrizes prizes;
        prizes.drawKey = key;
        if (!run(statements.clearAmounts, {id}, error) || !statements.fill(id, prizes, error)) {
            return abandon(error);
        }
    }
    if (!query.exec(u"PRAGMA user_version = %1"_s.arg(schemaVersion)) || !query.exec(u"COMMIT"_s)) {
        return abandon(reasonOf(query.lastError()));
    }
    qCInfo(storeLog).noquote() << "brought" << m_path << "to layout" << schemaVersion << "with the amounts of each era";
    return Status::success();
}

void PrizeStore::takeResultSheets(const QString& bundledPath)
{
    // The office's result sheets of the draws the program ships, for a store that was made before they were kept.
    if (!bundledStoreUsable(m_path, bundledPath)) {
        return;
    }
    QHash<QString, QString> sheets;
    {
        const QString connection = m_connectionName + u"-bundled";
        {
            QSqlDatabase bundled = QSqlDatabase::addDatabase(u"QSQLITE"_s, connection);
            bundled.setDatabaseName(bundledPath);
            bundled.setConnectOptions(u"QSQLITE_OPEN_READONLY"_s);
            if (bundled.open()) {
                QSqlQuery query(bundled);
                if (query.exec(u"SELECT draw_key, pdf_url FROM draws WHERE pdf_url <> ''"_s)) {
                    while (query.next()) {
                        sheets.insert(query.value(0).toString(), query.value(1).toString());
                    }
                }
            }
        }
        QSqlDatabase::removeDatabase(connection);
    }
    if (sheets.isEmpty() || !m_database.transaction()) {
        return;
    }
    QSqlQuery update(m_database);
    bool ok = update.prepare(u"UPDATE draws SET pdf_url = ? WHERE draw_key = ? AND pdf_url = ''"_s);
    for (auto sheet = sheets.cbegin(); ok && sheet != sheets.cend(); ++sheet) {
        update.bindValue(0, sheet.value());
        update.bindValue(1, sheet.key());
        ok = update.exec();
    }
    if (!ok || !m_database.commit()) {
        m_database.rollback();
    }
}

QStringList PrizeStore::Writes::keysOf(DrawWrite::Outcome outcome) const
{
    QStringList keys;
    for (const DrawWrite& write : draws) {
        if (write.outcome == outcome) {
            keys.append(write.drawKey);
        }
    }
    return keys;
}

Status PrizeStore::Writes::status() const
{
    QStringList failed;
    for (const DrawWrite& write : draws) {
        if (write.outcome == DrawWrite::Outcome::Failed) {
            failed.append(PrizeTexts::drawNotStored().toString().arg(drawTitle(write.drawKey.left(8)), write.error));
        }
    }
    return failed.isEmpty() ? Status::success() : Status::failure(failed.join(u'\n'));
}

PrizeStore::Writes PrizeStore::addDraws(const QList<DrawPrizes>& draws)
{
    Writes writes;
    const auto failEvery = [&writes, &draws](const QString& error) {
        writes.draws.clear();
        for (const DrawPrizes& prizes : draws) {
            writes.draws.append({prizes.drawKey, DrawWrite::Outcome::Failed, error});
        }
        return writes;
    };
    if (draws.isEmpty()) {
        return writes;
    }
    if (!m_database.isOpen()) {
        return failEvery(PrizeTexts::openFailed().toString().arg(nativePath(m_path)));
    }
    if (m_readOnly) {
        return failEvery(PrizeTexts::readOnly().toString().arg(nativePath(m_path)));
    }
    if (!m_database.transaction()) {
        return failEvery(reasonOf(m_database.lastError()));
    }
    TableStatements statements(m_database);
    QString error;
    if (!statements.prepare(error)) {
        m_database.rollback();
        return failEvery(error);
    }
    QSqlQuery savepoint(m_database);
    for (const DrawPrizes& prizes : draws) {
        DrawWrite write {prizes.drawKey, DrawWrite::Outcome::Failed, QString()};
        std::optional<qlonglong> stored;
        if (const Status whole = checkFullTable(prizes); !whole) {
            write.error = whole.error();
        } else if (!statements.find(prizes.drawKey, stored, write.error)) {
            // The look-up said why.
        } else if (stored) {
            write.outcome = DrawWrite::Outcome::AlreadyStored;
        } else if (!savepoint.exec(u"SAVEPOINT one_table"_s)) {
            write.error = reasonOf(savepoint.lastError());
        } else {
            qlonglong id = 0;
            if (statements.add(prizes, id, write.error) && statements.fill(id, prizes, write.error)) {
                write.outcome = DrawWrite::Outcome::Added;
            } else {
                // Only this draw's rows go; the tables written before it stay in the transaction.
                savepoint.exec(u"ROLLBACK TO one_table"_s);
            }
            savepoint.exec(u"RELEASE one_table"_s);
        }
        writes.draws.append(write);
    }
    if (!m_database.commit()) {
        const QString reason = reasonOf(m_database.lastError());
        m_database.rollback();
        for (DrawWrite& write : writes.draws) {
            if (write.outcome == DrawWrite::Outcome::Added) {
                write.outcome = DrawWrite::Outcome::Failed;
                write.error = reason;
            }
        }
    }
    return writes;
}

Status PrizeStore::writeDraws(const QList<DrawPrizes>& draws)
{
    return addDraws(draws).status();
}

Status PrizeStore::replaceDraw(const DrawPrizes& prizes)
{
    const auto refused = [&prizes](const QString& error) {
        return Status::failure(PrizeTexts::drawNotStored().toString().arg(drawTitle(prizes.drawKey.left(8)), error));
    };
    if (const Status whole = checkFullTable(prizes); !whole) {
        return refused(whole.error());
    }
    if (!m_database.isOpen()) {
        return refused(PrizeTexts::openFailed().toString().arg(nativePath(m_path)));
    }
    if (m_readOnly) {
        return refused(PrizeTexts::readOnly().toString().arg(nativePath(m_path)));
    }
    if (!m_database.transaction()) {
        return refused(reasonOf(m_database.lastError()));
    }
    TableStatements statements(m_database);
    QString error;
    std::optional<qlonglong> stored;
    qlonglong id = 0;
    bool ok = statements.prepare(error) && statements.find(prizes.drawKey, stored, error);
    if (ok && stored) {
        id = *stored;
        ok = statements.clear(id, prizes.pdfUrl, error);
    } else if (ok) {
        ok = statements.add(prizes, id, error);
    }
    ok = ok && statements.fill(id, prizes, error);
    if (ok && !m_database.commit()) {
        error = reasonOf(m_database.lastError());
        ok = false;
    }
    if (!ok) {
        m_database.rollback();
        return refused(error);
    }
    return Status::success();
}

Result<QStringList> PrizeStore::drawKeys() const
{
    QSqlQuery query(m_database);
    if (!query.exec(u"SELECT draw_key FROM draws ORDER BY draw_key DESC"_s)) {
        return Result<QStringList>::failure(
            PrizeTexts::readFailed().toString() + u" (" + reasonOf(query.lastError()) + u")");
    }
    QStringList keys;
    while (query.next()) {
        keys.append(query.value(0).toString());
    }
    return keys;
}

Result<std::optional<DrawPrizes>> PrizeStore::draw(const QString& drawKey) const
{
    using Answer = Result<std::optional<DrawPrizes>>;
    const auto readFailure = [](const QSqlQuery& query) {
        return Answer::failure(PrizeTexts::readFailed().toString() + u" (" + reasonOf(query.lastError()) + u")");
    };
    QSqlQuery query(m_database);
    // Runs one look-up with one bound value; false when it could not run.
    const auto select = [&query](const QString& sql, const QVariant& value) {
        if (!query.prepare(sql)) {
            return false;
        }
        query.addBindValue(value);
        return query.exec();
    };
    if (!select(u"SELECT id, pdf_url FROM draws WHERE draw_key = ?"_s, drawKey)) {
        return readFailure(query);
    }
    if (!query.next()) {
        return std::optional<DrawPrizes>();
    }
    const qlonglong id = query.value(0).toLongLong();
    DrawPrizes prizes;
    prizes.drawKey = drawKey;
    prizes.pdfUrl = query.value(1).toString();
    query.finish();

    if (!select(u"SELECT kind, amount FROM amounts WHERE draw_id = ?"_s, id)) {
        return readFailure(query);
    }
    while (query.next()) {
        PrizeKind kind;
        if (PrizeKinds::fromCode(query.value(0).toInt(), kind)) {
            prizes.amounts[kind] = query.value(1).toLongLong();
        }
    }
    if (!select(u"SELECT kind, number, round FROM numbers WHERE draw_id = ? ORDER BY kind, round"_s, id)) {
        return readFailure(query);
    }
    while (query.next()) {
        PrizeKind kind;
        if (PrizeKinds::fromCode(query.value(0).toInt(), kind)) {
            prizes.numbers.append({kind, query.value(1).toString(), query.value(2).toInt()});
        }
    }
    return std::optional<DrawPrizes>(std::move(prizes));
}

Result<QList<PrizeStore::Match>> PrizeStore::lookUp(const QStringList& numbers, const QString& drawKey) const
{
    using Answer = Result<QList<Match>>;
    if (numbers.isEmpty()) {
        return QList<Match>();
    }
    QString placeholders = u"?"_s;
    for (qsizetype i = 1; i < numbers.size(); ++i) {
        placeholders += u", ?";
    }
    QString sql = u"SELECT d.draw_key, n.kind, n.number, n.round, a.amount FROM numbers n"
                  u" JOIN draws d ON d.id = n.draw_id"
                  u" LEFT JOIN amounts a ON a.draw_id = n.draw_id AND a.kind = n.kind"
                  u" WHERE n.number IN (" +
        placeholders + u")";
    if (!drawKey.isEmpty()) {
        sql += u" AND d.draw_key = ?";
    }
    QSqlQuery query(m_database);
    query.setForwardOnly(true);
    if (!query.prepare(sql)) {
        return Answer::failure(PrizeTexts::readFailed().toString() + u" (" + reasonOf(query.lastError()) + u")");
    }
    for (const QString& number : numbers) {
        query.addBindValue(number);
    }
    if (!drawKey.isEmpty()) {
        query.addBindValue(drawKey);
    }
    if (!query.exec()) {
        return Answer::failure(PrizeTexts::readFailed().toString() + u" (" + reasonOf(query.lastError()) + u")");
    }
    QList<Match> matches;
    while (query.next()) {
        PrizeKind kind;
        if (!PrizeKinds::fromCode(query.value(1).toInt(), kind)) {
            continue;
        }
        const QVariant amount = query.value(4);
        matches.append({query.value(0).toString(), {kind, query.value(2).toString(), query.value(3).toInt()},
            amount.isNull() ? -1 : amount.toLongLong()});
    }
    return matches;
}

Status PrizeStore::writeAllOrNothing(const std::function<bool(QSqlQuery&)>& work)
{
    if (!m_database.isOpen()) {
        return failure(PrizeTexts::writeFailed(), QString());
    }
    if (m_readOnly) {
        return failure(PrizeTexts::writeFailed(), PrizeTexts::readOnly().toString().arg(nativePath(m_path)));
    }
    if (!m_database.transaction()) {
        return failure(PrizeTexts::writeFailed(), reasonOf(m_database.lastError()));
    }
    QSqlQuery query(m_database);
    const bool ok = work(query);
    if (!ok || !m_database.commit()) {
        const QString detail = reasonOf(ok ? m_database.lastError() : query.lastError());
        m_database.rollback();
        return failure(PrizeTexts::writeFailed(), detail);
    }
    return Status::success();
}

Status PrizeStore::writeOfficeDrawDates(const QList<QDate>& dates)
{
    return writeAllOrNothing([&dates](QSqlQuery& query) {
        bool ok = query.exec(QString::fromLatin1(officeDatesTable));
        QSet<int> years;
        for (const QDate& date : dates) {
            if (date.isValid()) {
                years.insert(date.year());
            }
        }
        for (auto year = years.cbegin(); ok && year != years.cend(); ++year) {
            ok = query.prepare(u"DELETE FROM office_draw_dates WHERE day LIKE ?"_s);
            query.addBindValue(u"%1-%"_s.arg(*year, 4, 10, QChar(u'0')));
            ok = ok && query.exec();
        }
        ok = ok && query.prepare(u"INSERT OR IGNORE INTO office_draw_dates (day) VALUES (?)"_s);
        for (qsizetype i = 0; ok && i < dates.size(); ++i) {
            if (dates.at(i).isValid()) {
                query.bindValue(0, dates.at(i).toString(Qt::ISODate));
                ok = query.exec();
            }
        }
        return ok;
    });
}

Result<QList<QDate>> PrizeStore::officeDrawDates() const
{
    if (!m_database.tables().contains(u"office_draw_dates"_s)) {
        return QList<QDate>();
    }
    QSqlQuery query(m_database);
    if (!query.exec(u"SELECT day FROM office_draw_dates ORDER BY day"_s)) {
        return Result<QList<QDate>>::failure(
            PrizeTexts::readFailed().toString() + u" (" + reasonOf(query.lastError()) + u")");
    }
    QList<QDate> dates;
    while (query.next()) {
        const QDate date = QDate::fromString(query.value(0).toString(), Qt::ISODate);
        if (date.isValid()) {
            dates.append(date);
        }
    }
    return dates;
}

Status PrizeStore::noteTablesNotHad(const QStringList& drawKeys, QDate day)
{
    if (drawKeys.isEmpty()) {
        return Status::success();
    }
    return writeAllOrNothing([&drawKeys, day](QSqlQuery& query) {
        bool ok = query.exec(QString::fromLatin1(tablesNotHadTable)) &&
            query.prepare(u"INSERT OR REPLACE INTO tables_not_had (draw_key, asked_on) VALUES (?, ?)"_s);
        for (qsizetype i = 0; ok && i < drawKeys.size(); ++i) {
            query.bindValue(0, drawKeys.at(i));
            query.bindValue(1, day.toString(Qt::ISODate));
            ok = query.exec();
        }
        return ok;
    });
}

Result<QHash<QString, QDate>> PrizeStore::tablesNotHad() const
{
    QHash<QString, QDate> noted;
    if (!m_database.tables().contains(u"tables_not_had"_s)) {
        return noted;
    }
    QSqlQuery query(m_database);
    if (!query.exec(u"SELECT draw_key, asked_on FROM tables_not_had"_s)) {
        return Result<QHash<QString, QDate>>::failure(
            PrizeTexts::readFailed().toString() + u" (" + reasonOf(query.lastError()) + u")");
    }
    while (query.next()) {
        noted.insert(query.value(0).toString(), QDate::fromString(query.value(1).toString(), Qt::ISODate));
    }
    return noted;
}
