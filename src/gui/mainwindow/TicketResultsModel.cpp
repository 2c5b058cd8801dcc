#include "TicketResultsModel.h"

#include "data/TextExcerpt.h"
#include "data/ThaiCalendar.h"
#include "data/TicketBatch.h"
#include "data/TicketTexts.h"

#include <QBrush>
#include <QColor>

using namespace Qt::StringLiterals;

namespace {

QString amountText(qint64 amount)
{
    return amount < 0 ? TicketTexts::unknownShort().toString() : formatBaht(amount);
}

QString totalText(const TicketCheck::BahtTotal& total)
{
    if (total.overflowed()) {
        return TicketTexts::sumTooLarge().toString();
    }
    return total.anyUnknown() ? TicketTexts::unknownShort().toString() : formatBaht(total.value());
}

// The prizes of one ticket in one draw: one name, or each name with its amount when there are several.
QString prizesText(const QList<TicketCheck::PrizeWon>& prizes)
{
    if (prizes.size() == 1) {
        return PrizeKinds::thaiName(prizes.constFirst().kind);
    }
    QStringList parts;
    for (const TicketCheck::PrizeWon& prize : prizes) {
        parts.append(PrizeKinds::thaiName(prize.kind) + u' ' + amountText(prize.amount));
    }
    return parts.join(u" + "_s);
}

} // namespace

QList<TicketResultsModel::Row> TicketResultsModel::rowsOf(const TicketBatch& batch)
{
    QList<Row> rows;
    rows.reserve(batch.tickets.size());
    for (const CheckedTicket& checked : batch.tickets) {
        const TicketCheck::TicketEntry& entry = checked.entry;
        if (!entry.error.isEmpty()) {
            rows.append({textExcerpt(entry.text), TicketTexts::lineColumn().toString().arg(entry.line), entry.error,
                QString(), false, true});
            continue;
        }
        bool won = false;
        for (const TicketOutcome& outcome : checked.outcomes) {
            if (outcome.prizes.isEmpty()) {
                rows.append({entry.text, drawTitle(outcome.drawKey),
                    (outcome.partial ? TicketTexts::partialNoPrize() : TicketTexts::noPrize()).toString(), QString(),
                    false, false});
                continue;
            }
            won = true;
            QString prizes = prizesText(outcome.prizes);
            if (outcome.partial) {
                prizes += u" ("_s + TicketTexts::partialOthers() + u')';
            }
            rows.append({entry.text, drawTitle(outcome.drawKey), prizes,
                totalText(TicketCheck::totalAmount(outcome.prizes)), true, false});
        }
        if (batch.drawKey.isEmpty() && !won) {
            rows.append({entry.text, TicketTexts::everyDraw().toString(),
                (batch.partialDraws > 0 ? TicketTexts::everyDrawNoPrize() : TicketTexts::noPrize()).toString(),
                QString(), false, false});
        }
    }
    return rows;
}

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
