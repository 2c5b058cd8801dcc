#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QString>

struct TicketBatch;

/// The rows of the ticket checker's results: one per ticket and draw, or one per piece of input that is no ticket.
class TicketResultsModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { TicketColumn, DrawColumn, PrizeColumn, AmountColumn, ColumnCount };

    struct Row
    {
        QString ticket;
        QString draw;
        QString prizes;
        QString amount;
        bool won = false;
        bool error = false; ///< the input was no ticket; `prizes` says why
    };

    using QAbstractTableModel::QAbstractTableModel;

    /// The rows of what a check found: a row per ticket and draw it won in; against one draw, a row for a ticket
    /// that won nothing too, against every draw one for a ticket that won in none. Against a draw without a full
    /// table the row says which prizes could be checked. Makes no use of the model, so any thread may call it.
    static QList<Row> rowsOf(const TicketBatch& batch);

    /// Replaces every row in one step.
    void setRows(QList<Row> rows);
    const QList<Row>& rows() const { return m_rows; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<Row> m_rows;
};
