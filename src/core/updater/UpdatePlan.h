#pragma once

#include "data/DrawRecord.h"
#include "data/Result.h"

#include <QDate>
#include <QDateTime>
#include <QSet>
#include <QStringList>

/// The decisions of the two update flows, apart from any page, window or file.
namespace UpdatePlan {

/// The update loads the result page again when a walk over its list meets no draw as old as the newest stored
/// one, but never more than this many times in all.
inline constexpr int maxListAttempts = 3;

/// How many times the update may load the list: one load more for each stored line, at most `maxListAttempts`;
/// one load when nothing is stored (every listed draw is then new).
int listAttempts(qsizetype storedLines);

/// One walk over a listed page: the entries whose keys are greater than the newest stored key are new; the walk
/// stops at the first entry that is not. Entries whose key is already collected are not collected again.
struct Walk
{
    bool stopped = false; ///< an entry as old as the newest stored draw, or older, was met
};

/// Walks `listed` in page order against `newestStoredKey` (empty: nothing stored, every draw is new and the walk
/// counts as stopped) and appends the new entries to `collected`.
Walk collectNewEntries(const QStringList& listed, QStringView newestStoredKey, QStringList& collected);

/// The newest stored draw: the greatest key among the lines (whatever their order), empty when no line has a key
/// of eight digits.
QString newestStoredKey(const QStringList& lines);

/// Where a line with this key goes in a newest-first list: before the first line whose key is older. Lines without
/// a readable key are passed over.
qsizetype insertionIndex(const QStringList& lines, QStringView key);

/// The entries of the full download: the listed draws whose keys the file does not hold, each key once, in page
/// order.
QStringList entriesToDownload(const QStringList& listed, const QSet<QString>& storedKeys);

/// The keys of a file's lines.
QSet<QString> storedKeys(const QStringList& lines);

/// The date in Thailand (UTC+7) at an instant.
QDate thaiDate(const QDateTime& instant);

/// Checks a fetched draw before it may be written: the key that was asked for, a date no more than one day after
/// `today` (Thai time), six digits of first prize, three digits in each three-digit number and two in the
/// two-digit number. The failure names the draw and what is wrong.
Status checkFetchedDraw(const DrawRecord& record, QStringView expectedKey, QDate today);

} // namespace UpdatePlan
