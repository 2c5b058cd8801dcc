#include "DrawCheck.h"

#include "data/DataTexts.h"
#include "data/DrawKeys.h"
#include "data/PrizeStore.h"
#include "data/ResultsFile.h"
#include "data/ResultsFileLock.h"
#include "data/ThaiCalendar.h"
#include "updater/CheckTexts.h"
#include "updater/ResultsUpdate.h"
#include "updater/UpdatePlan.h"
#include "updater/UpdaterTexts.h"

#include <QSet>

#include <algorithm>
#include <memory>

using namespace Qt::StringLiterals;

namespace DrawCheck {

namespace {

bool inPeriod(qint64 key, qint64 first, qint64 last)
{
    return key >= 0 && key >= first && key <= last;
}

// The store, open for writing; none when it cannot be opened or is only read.
std::unique_ptr<PrizeStore> writableStore(const TableStore& where)
{
    if (where.path.isEmpty()) {
        return nullptr;
    }
    auto store = std::make_unique<PrizeStore>(where.path);
    if (!store->openSeeded(where.bundledPath) || store->isReadOnly()) {
        return nullptr;
    }
    return store;
}

// Puts in the tables of the chosen draws once their new lines are written: a table must agree with the line now in
// the file, not only with the office's record.
void keepAcceptedTables(const QStringList& before, const QStringList& after, const QList<DrawRecord>& chosen,
    const QHash<QString, DrawPrizes>& officeTables, const TableStore& where)
{
    QHash<QString, QString> lineOf;
    for (const QString& line : after) {
        lineOf.insert(DrawKeys::drawKey(line), line);
    }
    const QSet<QString> heldBefore = UpdatePlan::storedKeys(before);
    QList<DrawPrizes> replacing;
    QList<DrawPrizes> adding;
    for (const DrawRecord& record : chosen) {
        const auto table = officeTables.constFind(record.drawDate);
        if (table == officeTables.cend() ||
            !checkTableAgainstLine(
                *table, record.drawDate, ResultsFile::parseDrawLine(lineOf.value(record.drawDate)))) {
            continue;
        }
        // A stored table of a draw whose line the user corrected went with the old line; one of a draw the file
        // lacked may well be right, and stays.
        (heldBefore.contains(record.drawDate) ? replacing : adding).append(*table);
    }
    if (replacing.isEmpty() && adding.isEmpty()) {
        return;
    }
    const std::unique_ptr<PrizeStore> store = writableStore(where);
    if (!store) {
        return;
    }
    // The results file is written already: a table that cannot be kept costs only itself.
    for (const DrawPrizes& table : std::as_const(replacing)) {
        const Status replaced = store->replaceDraw(table);
        Q_UNUSED(replaced)
    }
    store->addDraws(adding);
}

} // namespace

Scope scopeOfPeriod(const QStringList& lines, const QString& fromKey, const QString& toKey)
{
    Scope scope;
    qint64 oldest = -1;
    qint64 newest = -1;
    for (const QString& line : lines) {
        const qint64 key = DrawKeys::keyValue(line);
        if (key < 0) {
            continue;
        }
        oldest = oldest < 0 ? key : std::min(oldest, key);
        newest = std::max(newest, key);
    }
    scope.firstKey = fromKey.isEmpty() ? (oldest < 0 ? QString() : QString::number(oldest)) : fromKey;
    scope.lastKey = toKey.isEmpty() ? (newest < 0 ? QString() : QString::number(newest)) : toKey;
    const qint64 first = DrawKeys::keyValue(scope.firstKey);
    const qint64 last = DrawKeys::keyValue(scope.lastKey);
    for (const QString& line : lines) {
        if (first >= 0 && last >= 0 && inPeriod(DrawKeys::keyValue(line), first, last)) {
            scope.lines.append(line);
        }
    }
    return scope;
}

Scope scopeOfLines(const QStringList& lines)
{
    Scope scope = scopeOfPeriod(lines, QString(), QString());
    // Lines without a key are checked too: the office knows no such draw, and the user sees it.
    scope.lines = lines;
    return scope;
}

QStringList storedFields(QStringView line)
{
    QStringList fields;
    fields.reserve(fieldCount);
    qsizetype start = 0;
    while (fields.size() < fieldCount - 1) {
        const qsizetype comma = line.indexOf(u',', start);
        if (comma < 0) {
            break;
        }
        fields.append(line.mid(start, comma - start).toString());
        start = comma + 1;
    }
    fields.append(line.mid(start).toString());
    while (fields.size() < fieldCount) {
        fields.append(QString());
    }
    return fields;
}

QStringList recordFields(const DrawRecord& record)
{
    return {record.drawDate, record.firstPrize, record.threeDigit1, record.threeDigit2, record.threeDigit3,
        record.threeDigit4, record.twoDigit};
}

QList<int> differingFields(QStringView storedLine, const DrawRecord& office)
{
    const QStringList stored = storedFields(storedLine);
    const QStringList theirs = recordFields(office);
    QList<int> fields;
    for (int i = 0; i < fieldCount; ++i) {
        if (stored.at(i) != theirs.at(i)) {
            fields.append(i);
        }
    }
    return fields;
}

Outcome compare(const QStringList& checkedLines, const QList<OfficeRecord>& office, const QList<OfficeTable>& tables)
{
    Outcome outcome;
    outcome.checked = static_cast<int>(checkedLines.size());
    for (qsizetype i = 0; i < checkedLines.size(); ++i) {
        const QString& line = checkedLines.at(i);
        const OfficeRecord& record = i < office.size() ? office.at(i) : OfficeRecord();
        if (!record) {
            outcome.unknown.append(line);
            continue;
        }
        const QList<int> fields = differingFields(line, *record);
        const OfficeTable& table = i < tables.size() ? tables.at(i) : OfficeTable();
        if (fields.isEmpty()) {
            ++outcome.agreeing;
            if (table && checkTableAgainstLine(*table, record->drawDate, ResultsFile::parseDrawLine(line))) {
                outcome.agreeingTables.append(*table);
            }
        } else {
            outcome.differing.append({line, *record, fields});
            if (table) {
                outcome.officeTables.insert(record->drawDate, *table);
            }
        }
    }
    return outcome;
}

QStringList missingKeys(const QStringList& officeKeys, const QStringList& allLines, const Scope& scope)
{
    const QSet<QString> stored = UpdatePlan::storedKeys(allLines);
    const qint64 first = DrawKeys::keyValue(scope.firstKey);
    const qint64 last = DrawKeys::keyValue(scope.lastKey);
    QStringList keys;
    for (const QString& key : officeKeys) {
        if (inPeriod(DrawKeys::keyValue(key), first, last) && !stored.contains(key) && !keys.contains(key)) {
            keys.append(key);
        }
    }
    std::sort(keys.begin(), keys.end(),
        [](const QString& a, const QString& b) { return DrawKeys::keyValue(a) > DrawKeys::keyValue(b); });
    return keys;
}

Result<QStringList> applyOfficeValues(const QStringList& lines, const QList<DrawRecord>& chosen, QDate today)
{
    QSet<QString> chosenKeys;
    for (const DrawRecord& record : chosen) {
        if (const Status checked = UpdatePlan::checkFetchedDraw(record, record.drawDate, today); !checked) {
            return Result<QStringList>::failure(checked.error());
        }
        if (chosenKeys.contains(record.drawDate)) {
            return Result<QStringList>::failure(CheckTexts::chosenTwice().toString().arg(drawTitle(record.drawDate)));
        }
        chosenKeys.insert(record.drawDate);
    }

    QStringList result = lines;
    for (const DrawRecord& record : chosen) {
        const QString officeLine = ResultsFile::formatDrawLine(record);
        bool replaced = false;
        for (QString& line : result) {
            if (DrawKeys::drawKey(line) == record.drawDate) {
                line = officeLine;
                replaced = true;
            }
        }
        if (replaced) {
            continue;
        }
        result.insert(UpdatePlan::insertionIndex(result, record.drawDate), officeLine);
    }
    return result;
}

void keepAgreeingTables(const QList<DrawPrizes>& tables, const TableStore& store)
{
    if (tables.isEmpty()) {
        return;
    }
    if (const std::unique_ptr<PrizeStore> opened = writableStore(store)) {
        opened->addDraws(tables);
    }
}

Result<QStringList> applyToFile(const ResultsFile& file, const QStringList& checkedFile,
    const QList<DrawRecord>& chosen, QDate today, const QHash<QString, DrawPrizes>& officeTables,
    const TableStore& store)
{
    // The file is compared and rewritten under its lock: another writer between the two would be overwritten.
    const Result<std::unique_ptr<ResultsFileLock>> lock = ResultsFileLock::acquire(file.path());
    if (!lock) {
        return Result<QStringList>::failure(lock.error());
    }
    const Result<QStringList> now = file.readResultsFile();
    if (!now) {
        return Result<QStringList>::failure(UpdaterTexts::withDetail(DataTexts::resultsFileUnreadable(), now.error()));
    }
    // The user chose from what the check saw; in a file changed since, the choice may mean something else.
    if (now.value() != checkedFile) {
        return Result<QStringList>::failure(CheckTexts::fileChanged().toString());
    }
    Result<QStringList> lines = applyOfficeValues(now.value(), chosen, today);
    if (!lines) {
        return lines;
    }
    if (const Status written = ResultsUpdate::rewrite(file, lines.value()); !written) {
        return Result<QStringList>::failure(written.error());
    }
    // Still under the file's lock: the tables go with the lines just written.
    if (!officeTables.isEmpty()) {
        keepAcceptedTables(checkedFile, lines.value(), chosen, officeTables, store);
    }
    return lines;
}

} // namespace DrawCheck
