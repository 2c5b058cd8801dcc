#pragma once

#include <QList>
#include <QRect>
#include <QStringList>
#include <QStringView>

class QTreeView;
class QWidget;
class TextTableModel;

/// The report lists of both windows: a table with column headers and one row per entry, a view over a
/// `TextTableModel` that it owns.
namespace ReportList {

/// A report list named `name`, placed at `twips` in `parent`, in Tahoma 9.75 pt, with no columns and no rows.
QTreeView* create(QWidget* parent, QStringView name, QRect twips);

/// The rows of a list made by `create`.
TextTableModel* rows(const QTreeView* list);

/// Gives the list its columns: `titles`, the first ones `widthsTwips` wide; the last column takes what the others
/// leave of the list's width as it is now.
void setColumns(QTreeView* list, const QStringList& titles, const QList<int>& widthsTwips);

} // namespace ReportList
