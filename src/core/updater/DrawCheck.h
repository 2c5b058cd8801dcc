#pragma once

#include "data/DrawRecord.h"
#include "data/PrizeTable.h"
#include "data/Result.h"
#include "data/ResultsFile.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

/// Checking stored draws against the lottery office's records, and writing the office's values in. Functions over
/// results lines and draw records, and the one write of the office's values into the file; asking the office is
/// `OfficeCheck`'s part.
namespace DrawCheck {

/// The seven fields of a line in file order: 0 is the draw date, 1 the first prize, 2 to 5 the three-digit numbers
/// as the file stores them, 6 the two-digit number.
inline constexpr int fieldCount = 7;

/// The stored draws a check covers and the period in which the office's draws are looked for.
struct Scope
{
    /// The stored lines checked, in file order.
    QStringList lines;
    /// The oldest and the newest key of the period, both included; empty when nothing is checked.
    QString firstKey;
    QString lastKey;
};

/// The stored lines whose keys lie from `fromKey` to `toKey`, both included. An empty end stands for the oldest or
/// the newest stored draw; the period is the one asked for, not narrowed to the stored draws in it.
Scope scopeOfPeriod(const QStringList& lines, const QString& fromKey, const QString& toKey);

/// These lines, over the period from the oldest of them to the newest.
Scope scopeOfLines(const QStringList& lines);

/// The fields of a line as the file holds them: the text cut at every ",", nothing trimmed. Missing fields are
/// empty; text after a seventh "," stays with the seventh field, so that it counts as a difference.
QStringList storedFields(QStringView line);

/// The fields of a record in file order.
QStringList recordFields(const DrawRecord& record);

/// Which fields (see `fieldCount`) of a stored line differ from the office's record; empty when they agree.
QList<int> differingFields(QStringView storedLine, const DrawRecord& office);

/// A stored draw whose line differs from the office's.
struct Difference
{
    QString storedLine;
    DrawRecord office;
    QList<int> fields;
};

/// A stored draw whose answer from the office could not be used: unreadable, refused, of another date, malformed.
struct Unusable
{
    QString storedLine;
    QString reason; ///< in Thai
};

struct Outcome
{
    int checked = 0;
    int agreeing = 0;
    /// In file order.
    QList<Difference> differing;
    /// Stored lines of draws the office does not know, in file order: draws before it kept whole tables, or of
    /// which it answered that there was no draw. They are no difference.
    QStringList unknown;
    /// The checked draws whose answers could not be used, in file order: nothing is known of them.
    QList<Unusable> unusable;
    /// The office's draws in the period that the file lacks, newest first.
    QList<DrawRecord> missing;
    /// The office's full prize tables of the agreeing draws, each found to agree with its stored line: the prize
    /// store takes those it lacks, as it takes an update's.
    QList<DrawPrizes> agreeingTables;
    /// The office's full prize tables of the differing and the missing draws, by draw key: they go into the prize
    /// store with the office's values, when the user takes those.
    QHash<QString, DrawPrizes> officeTables;

    /// Every draw the office knows agrees, none is missing and every answer could be used.
    bool agrees() const { return differing.isEmpty() && missing.isEmpty() && unusable.isEmpty(); }
};

/// What the office says of one stored draw: its record, or nothing when it has no draw on that date.
using OfficeRecord = std::optional<DrawRecord>;

/// The full prize table an answer carried; none when it carried none.
using OfficeTable = std::optional<DrawPrizes>;

/// Compares the checked lines with the office's answers, one answer per line in the same order, and sorts the
/// answers' tables (`tables` in the same order, or empty) by what became of their draws. `missing` is not filled
/// here.
Outcome compare(
    const QStringList& checkedLines, const QList<OfficeRecord>& office, const QList<OfficeTable>& tables = {});

/// The keys the office lists in the scope's period that no stored line holds, newest first, each once.
QStringList missingKeys(const QStringList& officeKeys, const QStringList& allLines, const Scope& scope);

/// The file's lines with the office's values of `chosen` written in. A line whose key is a chosen draw's key is
/// replaced by the office's line; a chosen draw the file lacks is inserted before the first line with a smaller
/// key, so that newest-first order holds; every other line stays as it is, byte for byte. Fails, changing
/// nothing, when a chosen draw is malformed, dated more than a day after `today`, or chosen twice.
Result<QStringList> applyOfficeValues(const QStringList& lines, const QList<DrawRecord>& chosen, QDate today);

/// Where the prize tables a check brings are kept.
struct TableStore
{
    /// The prize store of the results file; empty to keep no tables.
    QString path;
    /// The store that comes with the program, put in place when the user's store is missing; empty when none.
    QString bundledPath;
};

/// Adds to the prize store the tables of `tables` it lacks; a stored table stays as it is. A store that cannot be
/// opened or written costs nothing but these tables, and nothing is said of it.
void keepAgreeingTables(const QList<DrawPrizes>& tables, const TableStore& store);

/// Writes the office's values of `chosen` into the results file, which must still hold `checkedFile`, the lines the
/// check compared: a file that cannot be read, or that changed since, is not written. The file's lock is held from
/// the read to the rewrite; another program holding it fails the write at once. The file's new lines.
///
/// Once the file is written, each chosen draw's table in `officeTables` that agrees with the draw's new line goes
/// into `store`: in place of the stored table of a draw the file held (the one place a stored table is replaced),
/// added when the store lacks it for a draw the file lacked. Tables that cannot be kept fail nothing.
Result<QStringList> applyToFile(const ResultsFile& file, const QStringList& checkedFile,
    const QList<DrawRecord>& chosen, QDate today, const QHash<QString, DrawPrizes>& officeTables = {},
    const TableStore& store = {});

} // namespace DrawCheck
