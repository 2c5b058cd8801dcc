#include "TableExport.h"

#include "widgets/Dialogs.h"

#include <QAbstractItemView>
#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QSaveFile>

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

// Tabs and line ends inside a cell would break the pasted rows apart.
QString tsvField(QString text)
{
    text.replace(u'\t', u' ');
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

void exportCsv(QAbstractItemView* view, const QString& suggestedName)
{
    if (!view->model()) {
        return;
    }
    const QString path = askSaveFileName(
        view, exportCsvItem().toString().remove(QStringLiteral("...")), suggestedName, QStringLiteral("CSV (*.csv)"));
    if (path.isEmpty()) {
        return;
    }
    const Status written = writeCsv(*view->model(), path);
    if (!written) {
        Dialogs::showMessage(view->window(), {Dialogs::Icon::Warning, {}, written.error()});
    }
}

} // namespace

QByteArray csvBytes(const QAbstractItemModel& model)
{
    QByteArray bytes("\xEF\xBB\xBF");
    const int columns = model.columnCount();
    QStringList fields;
    for (int column = 0; column < columns; ++column) {
        fields.append(model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString());
    }
    appendCsvLine(bytes, fields);
    for (int row = 0; row < model.rowCount(); ++row) {
        fields.clear();
        for (int column = 0; column < columns; ++column) {
            fields.append(cellText(model, row, column));
        }
        appendCsvLine(bytes, fields);
    }
    return bytes;
}

Status writeCsv(const QAbstractItemModel& model, const QString& path)
{
    const QByteArray bytes = csvBytes(model);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return Status::failure(
            QStringLiteral("บันทึกแฟ้ม %1 ไม่ได้: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
    }
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        return Status::failure(
            QStringLiteral("บันทึกแฟ้ม %1 ไม่ได้: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
    }
    return Status::success();
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
    auto* copy = new QAction(copyItem().toString(), view);
    copy->setObjectName(QStringLiteral("actionCopyRows"));
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(copy, &QAction::triggered, view, [view] {
        const QString text = selectedRowsAsTsv(*view);
        if (!text.isEmpty()) {
            QGuiApplication::clipboard()->setText(text);
        }
    });

    auto* exportAction = new QAction(exportCsvItem().toString(), view);
    exportAction->setObjectName(QStringLiteral("actionExportCsv"));
    QObject::connect(
        exportAction, &QAction::triggered, view, [view, suggestedName] { exportCsv(view, suggestedName); });

    view->addAction(copy);
    view->addAction(exportAction);
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
