#pragma once

#include "data/Result.h"
#include "data/SpreadsheetFile.h"

#include <QString>
#include <QStringList>

/// The stored draws as one table, for saving as a spreadsheet without a window.
///
/// One row per draw of the results file, in file order (newest first): the draw's key, its Thai date and weekday,
/// the six numbers of its line, then what the prize store holds of its full prize table: the numbers of the prizes
/// the line does not carry (beside the first prize, second to fifth), separated by blanks, and the amount in baht
/// of one prize of every kind. A draw without a full table in the store leaves those cells empty.
namespace StoredDrawsTable {

/// The column titles, in order.
QStringList header();

/// The table of the draws in `resultsFilePath` whose keys lie from `fromKey` to `toKey`, both included; an empty
/// end leaves that side open, and with both empty every line is a row. The full tables come from the prize store at
/// `prizeStorePath` when there is one there; a missing store is not created. Fails when a key given is no draw date,
/// or when the results file or the store cannot be read.
Result<SheetTable> build(const QString& resultsFilePath, const QString& prizeStorePath,
    const QString& fromKey = QString(), const QString& toKey = QString());

} // namespace StoredDrawsTable
