#include "PrizeStore.h"

#include "data/PrizeTexts.h"
#include "data/ResultsLocation.h"

#include <QAtomicInt>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <map>

using namespace Qt::StringLiterals;

namespace {

// The layout. scripts/build-prizes-db.py writes the bundled store with the same statements; keep the two in step.
const char* const schemaStatements[] = {
    "CREATE TABLE draws ("
    " id INTEGER PRIMARY KEY,"
    " draw_key TEXT NOT NULL UNIQUE CHECK (length(draw_key) = 8 AND draw_key NOT GLOB '*[^0-9]*'))",
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

// The office's list of draw dates: no part of the tables' layout, so a store of any version may have it or not.
const char* const officeDatesTable =
    "CREATE TABLE IF NOT EXISTS office_draw_dates (day TEXT PRIMARY KEY CHECK (length(day) = 10)) WITHOUT ROWID";

QString nextConnectionName()
{
    static QAtomicInt counter;
    return u"varenta-prizes-%1"_s.arg(counter.fetchAndAddRelaxed(1));
}

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
    const QFileInfo bundled(bundledPath);
    if (store.exists() || !bundled.isFile() || store.absoluteFilePath() == bundled.absoluteFilePath()) {
        return Status::success();
    }
    // Written whole or not at all, with the user's own permissions, so that a copy cut short never passes for a store.
    const Status copied = QDir().mkpath(store.absolutePath()) ? ResultsLocation::copyWhole(bundledPath, storePath)
                                                              : Status::failure(QString());
    if (!copied) {
        const QString message = PrizeTexts::copyFailed().toString().arg(QDir::toNativeSeparators(storePath));
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
    if (!m_database.isValid()) {
        m_database = QSqlDatabase::addDatabase(u"QSQLITE"_s, m_connectionName);
    }
    if (!m_database.isValid()) {
        return failure(
            PrizeTexts::openFailed().toString().arg(QDir::toNativeSeparators(m_path)), u"no SQLite driver"_s);
    }
    if (m_database.isOpen()) {
        return Status::success();
    }
    m_database.setDatabaseName(m_path);
    if (!m_database.open()) {
        return failure(
            PrizeTexts::openFailed().toString().arg(QDir::toNativeSeparators(m_path)), m_database.lastError().text());
    }
    QSqlQuery version(m_database);
    if (!version.exec(u"PRAGMA user_version"_s) || !version.next()) {
        const QString detail = version.lastError().text();
        m_database.close();
        return failure(PrizeTexts::openFailed().toString().arg(QDir::toNativeSeparators(m_path)), detail);
    }
    const int found = version.value(0).toInt();
    version.finish();
    if (found > schemaVersion) {
        m_database.close();
        return Status::failure(PrizeTexts::tooNew().toString().arg(QDir::toNativeSeparators(m_path)));
    }
    if (found == 0) {
        if (const Status created = createTables(); !created) {
            m_database.close();
            return created;
        }
    }
    return Status::success();
}

Status PrizeStore::openSeeded(const QString& bundledPath)
{
    if (const Status seeded = seedPrizeStore(m_path, bundledPath); !seeded) {
        return seeded;
    }
    return open();
}

Status PrizeStore::createTables()
{
    if (!m_database.transaction()) {
        return failure(PrizeTexts::writeFailed(), m_database.lastError().text());
    }
    QSqlQuery query(m_database);
    for (const char* statement : schemaStatements) {
        if (!query.exec(QString::fromLatin1(statement))) {
            const QString detail = query.lastError().text();
            m_database.rollback();
            return failure(PrizeTexts::writeFailed(), detail);
        }
    }
    if (!query.exec(u"PRAGMA user_version = %1"_s.arg(schemaVersion)) || !m_database.commit()) {
        const QString detail = query.lastError().text();
        m_database.rollback();
        return failure(PrizeTexts::writeFailed(), detail);
    }
    return Status::success();
}

Status PrizeStore::writeDraws(const QList<DrawPrizes>& draws)
{
    if (!m_database.isOpen()) {
        return failure(PrizeTexts::writeFailed(), QString());
    }
    if (!m_database.transaction()) {
        return failure(PrizeTexts::writeFailed(), m_database.lastError().text());
    }
    QSqlQuery addDraw(m_database);
    QSqlQuery findDraw(m_database);
    QSqlQuery clearNumbers(m_database);
    QSqlQuery clearAmounts(m_database);
    QSqlQuery addAmount(m_database);
    QSqlQuery addNumber(m_database);
    const bool prepared = addDraw.prepare(u"INSERT OR IGNORE INTO draws (draw_key) VALUES (?)"_s) &&
        findDraw.prepare(u"SELECT id FROM draws WHERE draw_key = ?"_s) &&
        clearNumbers.prepare(u"DELETE FROM numbers WHERE draw_id = ?"_s) &&
        clearAmounts.prepare(u"DELETE FROM amounts WHERE draw_id = ?"_s) &&
        addAmount.prepare(u"INSERT INTO amounts (draw_id, kind, amount) VALUES (?, ?, ?)"_s) &&
        addNumber.prepare(u"INSERT INTO numbers (number, kind, draw_id, round) VALUES (?, ?, ?, ?)"_s);

    QString detail;
    const auto run = [&detail](QSqlQuery& query, const QVariantList& values) {
        for (int i = 0; i < values.size(); ++i) {
            query.bindValue(i, values.at(i));
        }
        if (!query.exec()) {
            detail = query.lastError().text();
            return false;
        }
        return true;
    };
    bool ok = prepared;
    if (!prepared) {
        detail = addDraw.lastError().text();
    }
    for (const DrawPrizes& prizes : draws) {
        if (!ok) {
            break;
        }
        if (prizes.partial) {
            ok = false;
            break;
        }
        ok = run(addDraw, {prizes.drawKey}) && run(findDraw, {prizes.drawKey});
        if (!ok || !findDraw.next()) {
            ok = false;
            break;
        }
        const qlonglong id = findDraw.value(0).toLongLong();
        findDraw.finish();
        ok = run(clearNumbers, {id}) && run(clearAmounts, {id});
        for (auto amount = prizes.amounts.begin(); ok && amount != prizes.amounts.end(); ++amount) {
            ok = run(addAmount, {id, static_cast<int>(amount->first), amount->second});
        }
        for (qsizetype i = 0; ok && i < prizes.numbers.size(); ++i) {
            const PrizeNumber& number = prizes.numbers.at(i);
            ok = run(addNumber, {number.number, static_cast<int>(number.kind), id, number.round});
        }
    }
    if (!ok || !m_database.commit()) {
        if (ok) {
            detail = m_database.lastError().text();
        }
        m_database.rollback();
        return failure(PrizeTexts::writeFailed(), detail);
    }
    return Status::success();
}

Result<QStringList> PrizeStore::drawKeys() const
{
    QSqlQuery query(m_database);
    if (!query.exec(u"SELECT draw_key FROM draws ORDER BY draw_key DESC"_s)) {
        return Result<QStringList>::failure(
            PrizeTexts::readFailed().toString() + u" (" + query.lastError().text() + u")");
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
        return Answer::failure(PrizeTexts::readFailed().toString() + u" (" + query.lastError().text() + u")");
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
    if (!select(u"SELECT id FROM draws WHERE draw_key = ?"_s, drawKey)) {
        return readFailure(query);
    }
    if (!query.next()) {
        return std::optional<DrawPrizes>();
    }
    const qlonglong id = query.value(0).toLongLong();
    query.finish();

    DrawPrizes prizes;
    prizes.drawKey = drawKey;
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
        return Answer::failure(PrizeTexts::readFailed().toString() + u" (" + query.lastError().text() + u")");
    }
    for (const QString& number : numbers) {
        query.addBindValue(number);
    }
    if (!drawKey.isEmpty()) {
        query.addBindValue(drawKey);
    }
    if (!query.exec()) {
        return Answer::failure(PrizeTexts::readFailed().toString() + u" (" + query.lastError().text() + u")");
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

Status PrizeStore::writeOfficeDrawDates(const QList<QDate>& dates)
{
    if (!m_database.isOpen()) {
        return failure(PrizeTexts::writeFailed(), QString());
    }
    if (!m_database.transaction()) {
        return failure(PrizeTexts::writeFailed(), m_database.lastError().text());
    }
    QSqlQuery query(m_database);
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
    if (!ok || !m_database.commit()) {
        const QString detail = ok ? m_database.lastError().text() : query.lastError().text();
        m_database.rollback();
        return failure(PrizeTexts::writeFailed(), detail);
    }
    return Status::success();
}

Result<QList<QDate>> PrizeStore::officeDrawDates() const
{
    if (!m_database.tables().contains(u"office_draw_dates"_s)) {
        return QList<QDate>();
    }
    QSqlQuery query(m_database);
    if (!query.exec(u"SELECT day FROM office_draw_dates ORDER BY day"_s)) {
        return Result<QList<QDate>>::failure(
            PrizeTexts::readFailed().toString() + u" (" + query.lastError().text() + u")");
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
