#include "CheckResultWindow.h"

#include "data/DataTexts.h"
#include "data/DrawKeys.h"
#include "data/ResultsFile.h"
#include "data/ThaiCalendar.h"
#include "updater/CheckTexts.h"
#include "widgets/Dialogs.h"
#include "widgets/WidgetTexts.h"
#include "widgets/WindowHabits.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

enum class RowKind { Differs, Missing, Unusable, Unknown };

enum Column { DrawColumn, StatusColumn, StoredColumn, OfficeColumn, FieldsColumn, ColumnCount };

/// The fields to mark in a line cell.
constexpr int markedFieldsRole = Qt::UserRole + 1;

struct Row
{
    RowKind kind = RowKind::Unknown;
    QString key;
    QString storedLine;
    QString officeLine;
    QList<int> fields;
    DrawRecord office;
    bool ticked = false;
};

QString fieldTitle(int field)
{
    return DataTexts::fieldTitles().at(static_cast<std::size_t>(field)).trimmed().toString();
}

QString fieldTitles(const QList<int>& fields)
{
    QStringList titles;
    for (const int field : fields) {
        titles.append(fieldTitle(field));
    }
    return titles.join(u", "_s);
}

/// Paints a results line with the marked fields set apart: bold, underlined and on a highlight, so that the mark
/// does not rest on colour alone.
class LineDelegate final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QList<int> marked = index.data(markedFieldsRole).value<QList<int>>();
        if (marked.isEmpty()) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem item(option);
        initStyleOption(&item, index);
        const QString text = item.text;
        item.text.clear();
        const QWidget* widget = item.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);

        const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget).adjusted(3, 0, -3, 0);
        const bool selected = item.state.testFlag(QStyle::State_Selected);
        const QColor normalText = item.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
        QFont markedFont = item.font;
        markedFont.setBold(true);
        markedFont.setUnderline(true);

        painter->save();
        painter->setClipRect(area);
        int x = area.left();
        const QStringList fields = DrawCheck::storedFields(text);
        const auto draw = [&](const QString& piece, const QFont& font) {
            painter->setFont(font);
            painter->drawText(QRect(x, area.top(), area.right() - x + 1, area.height()),
                Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, piece);
            x += QFontMetrics(font).horizontalAdvance(piece);
        };
        for (int i = 0; i < fields.size(); ++i) {
            if (i > 0) {
                painter->setPen(normalText);
                draw(u","_s, item.font);
            }
            if (marked.contains(i)) {
                // An empty field is marked too: a narrow highlight shows where it is missing.
                const int width = std::max(QFontMetrics(markedFont).horizontalAdvance(fields.at(i)), 6);
                painter->fillRect(QRect(x - 1, area.top() + 1, width + 2, area.height() - 2), QColor(255, 214, 102));
                painter->setPen(Qt::black);
                draw(fields.at(i), markedFont);
            } else {
                painter->setPen(normalText);
                draw(fields.at(i), item.font);
            }
        }
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        // Bold marked fields run a little wider than the plain text.
        QFont bold = option.font;
        bold.setBold(true);
        size.setWidth(std::max(size.width(), QFontMetrics(bold).horizontalAdvance(index.data().toString()) + 12));
        return size;
    }
};

} // namespace

/// The rows of the result window: differing draws, then missing ones, then those whose answers could not be used,
/// then those the office does not know.
class CheckResultModel final : public QAbstractTableModel
{
public:
    CheckResultModel(const DrawCheck::Outcome& outcome, QObject* parent)
        : QAbstractTableModel(parent)
    {
        for (const DrawCheck::Difference& difference : outcome.differing) {
            m_rows.append({RowKind::Differs, DrawKeys::drawKey(difference.storedLine), difference.storedLine,
                ResultsFile::formatDrawLine(difference.office), difference.fields, difference.office});
        }
        for (const DrawRecord& record : outcome.missing) {
            m_rows.append(
                {RowKind::Missing, record.drawDate, QString(), ResultsFile::formatDrawLine(record), {}, record});
        }
        // The office's column says why its answer could not be used.
        for (const DrawCheck::Unusable& unusable : outcome.unusable) {
            m_rows.append({RowKind::Unusable, DrawKeys::drawKey(unusable.storedLine), unusable.storedLine,
                unusable.reason, {}, {}});
        }
        for (const QString& line : outcome.unknown) {
            m_rows.append({RowKind::Unknown, DrawKeys::drawKey(line), line, QString(), {}, {}});
        }
    }

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : ColumnCount; }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
            return {};
        }
        switch (section) {
        case DrawColumn:
            return CheckTexts::drawColumn().toString();
        case StatusColumn:
            return CheckTexts::statusColumn().toString();
        case StoredColumn:
            return CheckTexts::storedColumn().toString();
        case OfficeColumn:
            return CheckTexts::officeColumn().toString();
        case FieldsColumn:
            return CheckTexts::fieldsColumn().toString();
        default:
            return {};
        }
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        Qt::ItemFlags flags = QAbstractTableModel::flags(index);
        if (index.column() == DrawColumn && isTickable(index.row())) {
            flags |= Qt::ItemIsUserCheckable;
        }
        return flags;
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() >= m_rows.size()) {
            return {};
        }
        const Row& row = m_rows.at(index.row());
        const bool differs = row.kind == RowKind::Differs;
        switch (role) {
        case Qt::CheckStateRole:
            if (index.column() == DrawColumn && isTickable(index.row())) {
                return row.ticked ? Qt::Checked : Qt::Unchecked;
            }
            return {};
        case markedFieldsRole:
            return (differs && (index.column() == StoredColumn || index.column() == OfficeColumn))
                ? QVariant::fromValue(row.fields)
                : QVariant();
        case Qt::DisplayRole:
            return text(row, index.column());
        case Qt::ToolTipRole:
        case Qt::AccessibleTextRole:
            if (differs && (index.column() == StoredColumn || index.column() == OfficeColumn)) {
                return QString(text(row, index.column()) + u" (" + CheckTexts::fieldsColumn() + u": " +
                    fieldTitles(row.fields) + u')');
            }
            return text(row, index.column());
        default:
            return {};
        }
    }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override
    {
        if (role != Qt::CheckStateRole || index.column() != DrawColumn || !isTickable(index.row())) {
            return false;
        }
        m_rows[index.row()].ticked = value.value<Qt::CheckState>() == Qt::Checked;
        Q_EMIT dataChanged(index, index, {Qt::CheckStateRole});
        return true;
    }

    QList<DrawRecord> tickedRecords() const
    {
        QList<DrawRecord> records;
        for (const Row& row : m_rows) {
            if (row.ticked) {
                records.append(row.office);
            }
        }
        return records;
    }

private:
    bool isTickable(int row) const
    {
        return m_rows.at(row).kind == RowKind::Differs || m_rows.at(row).kind == RowKind::Missing;
    }

    static QString text(const Row& row, int column)
    {
        switch (column) {
        case DrawColumn:
            return drawTitle(row.key);
        case StatusColumn:
            switch (row.kind) {
            case RowKind::Differs:
                return CheckTexts::differsStatus().toString();
            case RowKind::Missing:
                return CheckTexts::missingStatus().toString();
            case RowKind::Unusable:
                return CheckTexts::unusableStatus().toString();
            case RowKind::Unknown:
                return CheckTexts::unknownStatus().toString();
            }
            return {};
        case StoredColumn:
            return row.storedLine;
        case OfficeColumn:
            return row.officeLine;
        case FieldsColumn:
            return fieldTitles(row.fields);
        default:
            return {};
        }
    }

    QList<Row> m_rows;
};

CheckResultWindow::CheckResultWindow(const DrawCheck::Outcome& outcome, Apply apply, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_apply(std::move(apply))
    , m_model(new CheckResultModel(outcome, this))
{
    setObjectName(u"CheckResultWindow"_s);
    setWindowTitle(CheckTexts::title().toString());

    m_summary = new QLabel(this);
    m_summary->setObjectName(u"checkSummary"_s);
    m_summary->setTextFormat(Qt::PlainText);
    m_summary->setWordWrap(true);
    QString summary = CheckTexts::summary()
                          .toString()
                          .arg(outcome.checked)
                          .arg(outcome.agreeing)
                          .arg(outcome.differing.size())
                          .arg(outcome.unknown.size())
                          .arg(outcome.missing.size());
    if (!outcome.unusable.isEmpty()) {
        summary += u' ' + CheckTexts::unusableCount().toString().arg(outcome.unusable.size());
    }
    if (outcome.agrees()) {
        summary += u'\n' + CheckTexts::allAgree().toString();
    }
    m_summary->setText(summary);

    m_table = new QTreeView(this);
    m_table->setObjectName(u"checkResultTable"_s);
    m_table->setModel(m_model);
    m_table->setRootIsDecorated(false);
    m_table->setUniformRowHeights(true);
    m_table->setAlternatingRowColors(true);
    m_table->setAllColumnsShowFocus(true);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setItemDelegate(new LineDelegate(m_table));
    m_table->header()->setStretchLastSection(true);
    m_table->setAccessibleName(CheckTexts::title().toString());
    for (int column = 0; column < FieldsColumn; ++column) {
        m_table->resizeColumnToContents(column);
    }

    m_applyButton = new QPushButton(CheckTexts::applyButton().toString(), this);
    m_applyButton->setObjectName(u"applyOfficeValuesButton"_s);
    m_applyButton->setEnabled(false);
    auto* closeButton = new QPushButton(WidgetTexts::closeButton().toString(), this);
    closeButton->setObjectName(u"closeCheckButton"_s);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_applyButton);
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_table, 1);
    layout->addLayout(buttons);

    connect(m_model, &QAbstractItemModel::dataChanged, this,
        [this] { m_applyButton->setEnabled(!m_model->tickedRecords().isEmpty()); });
    connect(m_applyButton, &QPushButton::clicked, this, [this] { applyTicked(); });
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);

    WindowHabits::closeWithKeys(this);
    WindowHabits::resizeToFit(this, QSize(std::max(760, m_table->header()->length() + 60), 420));
}

CheckResultWindow::~CheckResultWindow() = default;

QList<DrawRecord> CheckResultWindow::tickedRecords() const
{
    return m_model->tickedRecords();
}

void CheckResultWindow::applyTicked()
{
    const QList<DrawRecord> ticked = tickedRecords();
    if (ticked.isEmpty() || !m_apply) {
        return;
    }
    m_applyButton->setEnabled(false);
    const Status status = m_apply(ticked);
    if (!status) {
        Dialogs::showMessage(this, {Dialogs::Icon::Warning, CheckTexts::title().toString(), status.error()});
        m_applyButton->setEnabled(true);
        return;
    }
    close();
}
