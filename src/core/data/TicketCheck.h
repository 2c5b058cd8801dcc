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

/// The sum of the known amounts.
qint64 totalAmount(const QList<PrizeWon>& prizes);

} // namespace TicketCheck
