#include "SpreadsheetFile.h"

#include "data/SaveWhole.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <xlsxwriter.h>

namespace SpreadsheetFile {

namespace {

QString csvField(QString text)
{
    text.replace(u'"', QStringLiteral("\"\""));
    return u'"' + text + u'"';
}

void appendCsvLine(QByteArray& bytes, const QStringList& fields)
{
    QStringList quoted;
    quoted.reserve(fields.size());
    for (const QString& field : fields) {
        quoted.append(csvField(field));
    }
    bytes.append(quoted.join(u',').toUtf8());
    bytes.append("\r\n");
}

// How many places a text takes on the screen: Thai vowel and tone marks above and below a letter take none.
int screenWidth(const QString& text)
{
    int width = 0;
    for (const QChar c : text) {
        const QChar::Category category = c.category();
        if (category != QChar::Mark_NonSpacing && category != QChar::Mark_Enclosing && !c.isLowSurrogate()) {
            ++width;
        }
    }
    return width;
}

// Column widths in the spreadsheet's unit, the width of a digit: the longest text of the column and a margin, with
// a bound so that a column of long lists of numbers still leaves the others in view.
QList<double> columnWidths(const SheetTable& table)
{
    constexpr int margin = 2;
    constexpr double narrowest = 8;
    constexpr double widest = 80;
    QList<int> longest(table.header.size());
    for (qsizetype column = 0; column < table.header.size(); ++column) {
        // The header is bold, a little wider than the same text in the rows.
        longest[column] = screenWidth(table.header[column]) + 1;
    }
    for (const QStringList& row : table.rows) {
        if (longest.size() < row.size()) {
            longest.resize(row.size());
        }
        for (qsizetype column = 0; column < row.size(); ++column) {
            longest[column] = std::max(longest[column], screenWidth(row[column]));
        }
    }
    QList<double> widths;
    widths.reserve(longest.size());
    for (const int characters : std::as_const(longest)) {
        widths.append(std::clamp(double(characters + margin), narrowest, widest));
    }
    return widths;
}

// A sheet may be called after the file unless the name breaks Excel's rules for sheet names.
QString sheetName(const QString& path)
{
    QString name = QFileInfo(path).completeBaseName();
    for (const QChar forbidden : QStringView(u"[]:*?/\\")) {
        name.remove(forbidden);
    }
    while (name.startsWith(u'\'')) {
        name.remove(0, 1);
    }
    name.truncate(31);
    while (name.endsWith(u'\'')) {
        name.chop(1);
    }
    return name.isEmpty() || name.compare(u"History", Qt::CaseInsensitive) == 0 ? QStringLiteral("Sheet1") : name;
}

QString xlsxError(lxw_error error)
{
    return QString::fromUtf8(lxw_strerror(error));
}

// Writes every cell of the table as a text cell through the library, which writes the workbook to `draft`; its own
// scratch files go to `scratchDirectory`. Any failure is told for `path`, the file the user asked for.
Status buildWorkbook(
    const SheetTable& table, const QString& draft, const QString& scratchDirectory, const QString& path)
{
    QByteArray scratch = QFile::encodeName(scratchDirectory);
    lxw_workbook_options options {};
    options.tmpdir = scratch.data();
    lxw_workbook* workbook = workbook_new_opt(QFile::encodeName(draft).constData(), &options);
    if (!workbook) {
        return cannotSave(path, xlsxError(LXW_ERROR_MEMORY_MALLOC_FAILED));
    }
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, sheetName(path).toUtf8().constData());
    if (!sheet) {
        sheet = workbook_add_worksheet(workbook, nullptr);
    }
    // The built-in text format ("@") on every cell: what is typed into a cell later stays text as well.
    constexpr uint8_t builtInTextFormat = 49;
    lxw_format* text = workbook_add_format(workbook);
    format_set_num_format_index(text, builtInTextFormat);
    lxw_format* title = workbook_add_format(workbook);
    format_set_num_format_index(title, builtInTextFormat);
    format_set_bold(title);

    lxw_error error = sheet ? LXW_NO_ERROR : LXW_ERROR_PARAMETER_VALIDATION;
    const auto writeRow = [&](lxw_row_t row, const QStringList& cells, lxw_format* format) {
        for (qsizetype column = 0; column < cells.size() && error == LXW_NO_ERROR; ++column) {
            if (column >= LXW_COL_MAX) {
                error = LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE;
            } else if (!cells[column].isEmpty()) {
                error =
                    worksheet_write_string(sheet, row, lxw_col_t(column), cells[column].toUtf8().constData(), format);
            }
        }
    };
    if (error == LXW_NO_ERROR) {
        writeRow(0, table.header, title);
    }
    for (qsizetype row = 0; row < table.rows.size() && error == LXW_NO_ERROR; ++row) {
        if (row + 1 >= LXW_ROW_MAX) {
            error = LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE;
            break;
        }
        writeRow(lxw_row_t(row + 1), table.rows[row], text);
    }
    if (error == LXW_NO_ERROR) {
        const QList<double> widths = columnWidths(table);
        for (qsizetype column = 0; column < widths.size() && column < LXW_COL_MAX; ++column) {
            worksheet_set_column(sheet, lxw_col_t(column), lxw_col_t(column), widths[column], text);
        }
        worksheet_freeze_panes(sheet, 1, 0);
    }
    // Closing frees the workbook whatever happened before; after a failure its file is left unused.
    const lxw_error closed = workbook_close(workbook);
    if (error != LXW_NO_ERROR) {
        return cannotSave(path, xlsxError(error));
    }
    if (closed != LXW_NO_ERROR) {
        return cannotSave(path, xlsxError(closed));
    }
    return Status::success();
}

} // namespace

QByteArray csvBytes(const SheetTable& table)
{
    QByteArray bytes("\xEF\xBB\xBF");
    appendCsvLine(bytes, table.header);
    for (const QStringList& row : table.rows) {
        appendCsvLine(bytes, row);
    }
    return bytes;
}

Status writeCsv(const SheetTable& table, const QString& path)
{
    return saveWhole(path, csvBytes(table));
}

Status writeXlsx(const SheetTable& table, const QString& path)
{
    // The library writes to a path of its own choosing; the draft is made in a scratch directory and then saved
    // like any other file, so that a failed write never leaves half a workbook at the user's path.
    const QTemporaryDir scratch;
    if (!scratch.isValid()) {
        return cannotSave(path, scratch.errorString());
    }
    const QString draft = scratch.filePath(QStringLiteral("draft.xlsx"));
    if (const Status built = buildWorkbook(table, draft, scratch.path(), path); !built) {
        return built;
    }
    QFile file(draft);
    if (!file.open(QIODevice::ReadOnly)) {
        return cannotSave(path, file.errorString());
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return cannotSave(path, file.errorString());
    }
    return saveWhole(path, bytes);
}

} // namespace SpreadsheetFile
