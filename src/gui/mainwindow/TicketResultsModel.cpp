#include "TicketResultsModel.h"

#include "data/TicketTexts.h"

#include <QBrush>
#include <QColor>

void TicketResultsModel::setRows(QList<Row> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int TicketResultsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int TicketResultsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TicketResultsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size()) {
        return QVariant();
    }
    const Row& row = m_rows.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        switch (index.column()) {
        case TicketColumn:
            return row.ticket;
        case DrawColumn:
            return row.draw;
        case PrizeColumn:
            return row.prizes;
        case AmountColumn:
            return row.amount;
        default:
            return QVariant();
        }
    case Qt::ForegroundRole:
        if (row.error) {
            return QBrush(QColor(0xb0, 0x00, 0x20));
        }
        return row.won ? QBrush(QColor(0x00, 0x6b, 0x2e)) : QVariant();
    case Qt::TextAlignmentRole:
        return index.column() == AmountColumn ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    default:
        return QVariant();
    }
}

QVariant TicketResultsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    switch (section) {
    case TicketColumn:
        return TicketTexts::ticketColumn().toString();
    case DrawColumn:
        return TicketTexts::drawColumn().toString();
    case PrizeColumn:
        return TicketTexts::prizeColumn().toString();
    case AmountColumn:
        return TicketTexts::amountColumn().toString();
    default:
        return QVariant();
    }
}
