#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

/// Draw keys: the first eight characters of a draw entry, the draw's date as YYYYMMDD with the Buddhist Era year.
namespace DrawKeys {

/// The key of an entry or of a results line: its first eight characters.
QString drawKey(QStringView entry);

/// Whether a text begins with eight digits that form a calendar date, the year taken in the Buddhist Era (the
/// Gregorian year plus 543).
bool isDrawEntry(QStringView value);

/// The key's numeric value, for comparing keys; -1 when the first eight characters are not all digits.
qint64 keyValue(QStringView key);

/// Where a line with this key goes in a newest-first list: before the first line whose key is older. Lines without
/// a readable key are passed over; a key that is not readable goes last.
qsizetype insertionIndex(const QStringList& lines, QStringView key);

} // namespace DrawKeys
