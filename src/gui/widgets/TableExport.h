#pragma once

#include "data/SpreadsheetFile.h"

#include <QString>

#include <functional>

class QAbstractItemModel;
class QAbstractItemView;
class QWidget;

/// Copy and export for any table the program shows, through the view's model and selection alone.
///
/// Export: the whole table, header row first, as CSV or as an Excel workbook (see `SpreadsheetFile`).
/// Copy: the selected rows, one line per row ended by LF, cells separated by a tab, without a header.
namespace TableExport {

/// The whole model as a table: the column titles and the texts of its top-level rows.
SheetTable sheetOf(const QAbstractItemModel& model);

/// The view's selected rows as tab-separated text, in the model's row order; empty when nothing is selected.
QString selectedRowsAsTsv(const QAbstractItemView& view);

/// Gives the view a context menu with "copy" (Ctrl+C while the view has the focus), "export CSV..." and "export
/// Excel...". `suggestedName` is the CSV file name the save box offers; the workbook is offered under the same name
/// ending in ".xlsx". Call once per view.
void attach(QAbstractItemView* view, const QString& suggestedName);

/// Asks where to save a file; empty when the user cancels. Tests answer it in advance.
QString askSaveFileName(QWidget* parent, const QString& title, const QString& suggestedName, const QString& filter);

/// Tests replace the save box; the function gets the suggested name and returns the chosen path. An empty function
/// restores the real box.
void setSaveFileNameHandlerForTests(std::function<QString(const QString& suggestedName)> handler);

} // namespace TableExport
