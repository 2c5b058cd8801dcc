#pragma once

#include "data/PrizeTable.h"
#include "data/Result.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

#include <map>

/// How the tickets of an era were sold.
enum class TicketUnit {
    Unknown,
    PairOfTickets, ///< a pair of two identical tickets: a pair paid twice the amount per ticket
    SingleTicket,
};

/// One era of prize amounts: the draws it covers and what each prize paid per ticket.
struct PrizeEra
{
    QString firstDraw; ///< draw key of the era's first draw
    QString lastDraw; ///< draw key of its last draw; empty while the era lasts
    TicketUnit unit = TicketUnit::Unknown;
    int ticketPrice = 0; ///< baht per ticket; 0 when not known
    /// Each prize kind's amount per ticket; empty when the era's amounts are not known.
    std::map<PrizeKind, qint64> amounts;
    QString notes; ///< the table's own remarks, for the developer

    bool amountsKnown() const { return !amounts.empty(); }
    bool covers(QStringView drawKey) const;

    bool operator==(const PrizeEra&) const = default;
};

/// The prize amounts of every era since the results begin, from the table of eras that ships with the program
/// (data/prize-eras.csv, compiled in). The lottery office's JSON API gives today's amounts for every draw, old ones
/// too; only this table tells what a ticket of an older draw was paid.
class PrizeEras final
{
public:
    /// The eras of a table in the shipped layout (a header line naming the columns, one era a line, oldest first,
    /// the eras following each other without gap or overlap); a Thai message when it cannot be read.
    static Result<PrizeEras> parse(const QByteArray& csv);

    /// The table that ships with the program. Should it ever be unreadable, no amount is known.
    static const PrizeEras& bundled();

    const QList<PrizeEra>& eras() const { return m_eras; }

    /// The era of a draw; nothing for a key that is no draw date or lies before the first era.
    const PrizeEra* eraOf(QStringView drawKey) const;

    /// Each prize kind's amount per ticket in a draw; empty when the amounts of its era are not known.
    std::map<PrizeKind, qint64> amountsOf(QStringView drawKey) const;

    /// The first draw of today's era: the office's API gives today's amounts, which are right from this draw on.
    QString answerAmountsFrom() const;

    /// The amounts to keep for a draw whose table came with `answered` amounts: those of its era before today's
    /// era, whatever the answer says; the answer's from then on (those of the era when it gave none). Empty when
    /// the era's amounts are not known.
    std::map<PrizeKind, qint64> amountsToKeep(QStringView drawKey, const std::map<PrizeKind, qint64>& answered) const;

private:
    QList<PrizeEra> m_eras;
};
