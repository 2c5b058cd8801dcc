#pragma once

#include "data/Result.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <functional>

class QAbstractItemModel;
class QAbstractItemView;
class QWidget;

/// Copy and CSV export for any table the program shows, through the view's model and selection alone.
///
/// CSV: UTF-8 with a byte-order mark (so spreadsheets read the Thai correctly), a header row with the column titles,
/// then one line per row; every line, the last one included, ends with CR LF. Every field is quoted ("..."), with
/// a quote inside a field doubled, so numbers stay text with their leading zeros and a "," never splits a field.
/// Copy: the selected rows, one line per row ended by LF, cells separated by a tab, without a header.
namespace TableExport {

constexpr QStringView copyItem()
{
    return u"คัดลอก";
}
constexpr QStringView exportCsvItem()
{
    return u"ส่งออก CSV...";
}

/// The whole model as CSV bytes, as described above (only the model's top-level rows).
QByteArray csvBytes(const QAbstractItemModel& model);

/// Writes the model as CSV to `path` in one step: the old file stays whole until the new one is complete.
Status writeCsv(const QAbstractItemModel& model, const QString& path);

/// The view's selected rows as tab-separated text, in the model's row order; empty when nothing is selected.
QString selectedRowsAsTsv(const QAbstractItemView& view);

/// Gives the view a context menu with "copy" (Ctrl+C while the view has the focus) and "export CSV...".
/// `suggestedName` is the file name the save box offers. Call once per view.
void attach(QAbstractItemView* view, const QString& suggestedName);

/// Asks where to save a file; empty when the user cancels. Tests answer it in advance.
QString askSaveFileName(QWidget* parent, const QString& title, const QString& suggestedName, const QString& filter);

/// Tests replace the save box; the function gets the suggested name and returns the chosen path. An empty function
/// restores the real box.
void setSaveFileNameHandlerForTests(std::function<QString(const QString& suggestedName)> handler);

} // namespace TableExport
