#include "TableExport.h"

#include "widgets/Dialogs.h"
#include "widgets/WidgetTexts.h"

#include <QAbstractItemView>
#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QItemSelectionModel>

#include <algorithm>

namespace TableExport {

namespace {

std::function<QString(const QString&)>& saveFileNameHandler()
{
    static std::function<QString(const QString&)> handler;
    return handler;
}

QString cellText(const QAbstractItemModel& model, int row, int column)
{
    return model.data(model.index(row, column), Qt::DisplayRole).toString();
}

// Tabs and line ends inside a cell would break the pasted rows apart.
QString tsvField(QString text)
{
    text.replace(u'\t', u' ');
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

// Asks where to save the view's table and saves it there with `write`; a failure is told over the view's window.
void exportTable(QAbstractItemView* view, QStringView item, const QString& suggestedName, const QString& filter,
    Status (*write)(const SheetTable&, const QString&))
{
    if (!view->model()) {
        return;
    }
    const QString path = askSaveFileName(view, item.toString().remove(QStringLiteral("...")), suggestedName, filter);
    if (path.isEmpty()) {
        return;
    }
    const Status written = write(sheetOf(*view->model()), path);
    if (!written) {
        Dialogs::showMessage(view->window(), {Dialogs::Icon::Warning, {}, written.error()});
    }
}

void addExportAction(QAbstractItemView* view, const QString& name, QStringView item, const QString& suggestedName,
    const QString& filter, Status (*write)(const SheetTable&, const QString&))
{
    auto* action = new QAction(item.toString(), view);
    action->setObjectName(name);
    QObject::connect(action, &QAction::triggered, view,
        [view, item, suggestedName, filter, write] { exportTable(view, item, suggestedName, filter, write); });
    view->addAction(action);
}

} // namespace

SheetTable sheetOf(const QAbstractItemModel& model)
{
    SheetTable table;
    const int columns = model.columnCount();
    for (int column = 0; column < columns; ++column) {
        table.header.append(model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString());
    }
    table.rows.reserve(model.rowCount());
    for (int row = 0; row < model.rowCount(); ++row) {
        QStringList cells;
        cells.reserve(columns);
        for (int column = 0; column < columns; ++column) {
            cells.append(cellText(model, row, column));
        }
        table.rows.append(cells);
    }
    return table;
}

QString selectedRowsAsTsv(const QAbstractItemView& view)
{
    const QAbstractItemModel* model = view.model();
    const QItemSelectionModel* selection = view.selectionModel();
    if (!model || !selection) {
        return {};
    }
    // Rows that have any selected cell, whichever way the view selects.
    QList<int> rows;
    for (const QModelIndex& index : selection->selectedIndexes()) {
        rows.append(index.row());
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());

    QString text;
    for (const int row : std::as_const(rows)) {
        QStringList cells;
        for (int column = 0; column < model->columnCount(); ++column) {
            cells.append(tsvField(cellText(*model, row, column)));
        }
        text += cells.join(u'\t') + u'\n';
    }
    return text;
}

void attach(QAbstractItemView* view, const QString& suggestedName)
{
    auto* copy = new QAction(WidgetTexts::copyItem().toString(), view);
    copy->setObjectName(QStringLiteral("actionCopyRows"));
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(copy, &QAction::triggered, view, [view] {
        const QString text = selectedRowsAsTsv(*view);
        if (!text.isEmpty()) {
            QGuiApplication::clipboard()->setText(text);
        }
    });

    view->addAction(copy);
    addExportAction(view, QStringLiteral("actionExportCsv"), WidgetTexts::exportCsvItem(), suggestedName,
        QStringLiteral("CSV (*.csv)"), &SpreadsheetFile::writeCsv);
    addExportAction(view, QStringLiteral("actionExportXlsx"), WidgetTexts::exportXlsxItem(),
        QFileInfo(suggestedName).completeBaseName() + u".xlsx", WidgetTexts::xlsxFilter().toString(),
        &SpreadsheetFile::writeXlsx);
    view->setContextMenuPolicy(Qt::ActionsContextMenu);
}

QString askSaveFileName(QWidget* parent, const QString& title, const QString& suggestedName, const QString& filter)
{
    if (saveFileNameHandler()) {
        return saveFileNameHandler()(suggestedName);
    }
    return QFileDialog::getSaveFileName(parent, title, QDir::home().filePath(suggestedName), filter);
}

void setSaveFileNameHandlerForTests(std::function<QString(const QString&)> handler)
{
    saveFileNameHandler() = std::move(handler);
}

} // namespace TableExport
