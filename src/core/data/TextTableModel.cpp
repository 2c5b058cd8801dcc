#include "TextTableModel.h"

TextTableModel::TextTableModel(QObject* parent)
    : QAbstractTableModel(parent)
{ }

TextTableModel::~TextTableModel() = default;

void TextTableModel::setColumnTitles(const QStringList& titles)
{
    beginResetModel();
    m_titles = titles;
    m_cachedRow = -1;
    endResetModel();
}

void TextTableModel::setRows(int count, RowFunction rowAt)
{
    if (m_rowCount > 0) {
        beginRemoveRows({}, 0, m_rowCount - 1);
        m_rowCount = 0;
        m_rowAt = {};
        m_cachedRow = -1;
        m_cachedTexts.clear();
        endRemoveRows();
    }
    if (count > 0 && rowAt) {
        beginInsertRows({}, 0, count - 1);
        m_rowCount = count;
        m_rowAt = std::move(rowAt);
        endInsertRows();
    }
}

void TextTableModel::setRows(const QList<QStringList>& rows)
{
    setRows(int(rows.size()), [rows](int row) { return rows.at(row); });
}

void TextTableModel::clear()
{
    setRows(0, {});
}

QStringList TextTableModel::rowTexts(int row) const
{
    return row >= 0 && row < m_rowCount ? cachedRow(row) : QStringList();
}

const QStringList& TextTableModel::cachedRow(int row) const
{
    if (row != m_cachedRow) {
        m_cachedTexts = m_rowAt(row);
        m_cachedRow = row;
    }
    return m_cachedTexts;
}

int TextTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rowCount;
}

int TextTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_titles.size());
}

QVariant TextTableModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid)) {
        return {};
    }
    return cachedRow(index.row()).value(index.column());
}

QVariant TextTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= m_titles.size()) {
        return {};
    }
    return m_titles.at(section);
}

Qt::ItemFlags TextTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
}
