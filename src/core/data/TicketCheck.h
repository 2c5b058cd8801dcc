#pragma once

#include "data/PrizeTable.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

/// The lottery's rules for one ticket, as pure functions over prize tables.
namespace TicketCheck {

/// One piece of what the user typed: a ticket number, or the message that says why it is none.
struct TicketEntry
{
    int line = 0; ///< the line it stands on, from 1
    QString text; ///< as typed
    QString error; ///< empty when `text` is a ticket number
};

/// The pieces of the user's input: one ticket per line, or several separated by blanks or commas.
QList<TicketEntry> splitTickets(QStringView input);

/// Why `text` is no ticket number (six digits 0 to 9); empty when it is one.
QString ticketError(QStringView text);

/// Whether a ticket wins a prize of `kind` whose number is `prizeNumber`: six-digit prizes match the whole
/// ticket, the front three its first three digits, the back and last three its last three, the last two its last two.
bool wins(PrizeKind kind, QStringView prizeNumber, QStringView ticket);

/// The numbers a ticket can win with: itself, its first three, last three and last two digits.
QStringList numbersToLookUp(QStringView ticket);

/// One prize a ticket wins.
struct PrizeWon
{
    PrizeKind kind = PrizeKind::First;
    QString number;
    qint64 amount = -1; ///< -1 when not known

    bool operator==(const PrizeWon&) const = default;
};

/// Every prize a ticket wins in a draw, in the order of the result sheet; a ticket can win several.
QList<PrizeWon> prizesWon(QStringView ticket, const DrawPrizes& draw);

/// A sum of prize amounts that never wraps around: it says when one of the amounts was not known, and when the
/// amounts added up to more than it can hold (only a damaged prize table could give such amounts).
class BahtTotal final
{
public:
    /// Adds one amount; a negative amount is one that is not known.
    void add(qint64 amount);
    void add(const BahtTotal& other);

    /// The sum of the known amounts; not to be shown once `overflowed()`.
    qint64 value() const { return m_value; }
    bool overflowed() const { return m_overflowed; }
    bool anyUnknown() const { return m_anyUnknown; }

    bool operator==(const BahtTotal&) const = default;

private:
    qint64 m_value = 0;
    bool m_overflowed = false;
    bool m_anyUnknown = false;
};

/// The sum of the amounts of the prizes one ticket won.
BahtTotal totalAmount(const QList<PrizeWon>& prizes);

/// What the user should know about the amounts of a draw's era, in the order to show them: before 1 Mar 2010 the
/// amounts are not known; until 16 Aug 2017 a ticket was one of a pair, and the amounts are per ticket; from 1 Mar
/// 2010 to 16 Jul 2015 certain series were paid more for the first prize, which no six-digit number can show.
/// Empty for the draws of today's era.
QStringList eraNotes(QStringView drawKey);

} // namespace TicketCheck
