#pragma once

#include "data/Result.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

/// A table as a spreadsheet gets it: the column titles, then the rows, every cell a text.
struct SheetTable
{
    QStringList header;
    QList<QStringList> rows;

    bool operator==(const SheetTable&) const = default;
};

/// Saving a table as CSV or as an Excel workbook (.xlsx).
///
/// CSV: UTF-8 with a byte-order mark (so spreadsheets read the Thai correctly), the header row, then one line per
/// row; every line, the last one included, ends with CR LF. Every field is quoted ("..."), with a quote inside a
/// field doubled, so a "," never splits a field. A spreadsheet that opens such a file with its default import still
/// takes "087523" for the number 87523.
///
/// Excel: one sheet with every cell a text cell in the text number format, so "087523" stays 087523 and Thai stays
/// Thai; the header row is bold and stays in view while scrolling, and each column is as wide as its longest text.
///
/// Both are written whole (`saveWhole`): the file at the path stays as it was until the new one is complete, and a
/// link or anything but a regular file at the path is refused.
namespace SpreadsheetFile {

/// The table as CSV bytes, as described above.
QByteArray csvBytes(const SheetTable& table);

/// Writes the table as CSV to `path`.
Status writeCsv(const SheetTable& table, const QString& path);

/// Writes the table as an Excel workbook to `path`. The sheet is named after the file.
Status writeXlsx(const SheetTable& table, const QString& path);

} // namespace SpreadsheetFile
