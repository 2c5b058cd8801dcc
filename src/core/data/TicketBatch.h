#pragma once

#include "data/TicketCheck.h"
#include "data/TicketChecker.h"

#include <QList>
#include <QString>

#include <functional>
#include <map>

/// One piece of the user's input, checked.
struct CheckedTicket
{
    TicketCheck::TicketEntry entry; ///< with its message when it is no ticket number
    /// Against one draw: that draw's outcome, won or not. Against every draw: one per draw the ticket won in, newest
    /// first. Empty for input that is no ticket number.
    QList<TicketOutcome> outcomes;
};

/// What the check of many tickets found, against one draw or every draw.
struct TicketBatch
{
    QString drawKey; ///< empty: every draw
    QList<CheckedTicket> tickets; ///< in the order of the input, as far as the check went
    int checked = 0; ///< ticket numbers checked
    int winners = 0; ///< of them, those that won a prize
    /// What the tickets won in each draw, newest first. A ticket belongs to one draw: sums never cross draws.
    std::map<QString, TicketCheck::BahtTotal, std::greater<>> totals;
    /// Some ticket was checked against a draw without a full table: prizes other than the first, the three-digit
    /// and the two-digit ones could not be checked.
    bool somePrizesUnchecked = false;
    int partialDraws = 0; ///< against every draw: how many draws had no full table
    bool canceled = false;
    QString failure; ///< why the check stopped before the end; empty when it did not

    /// The era notes of the draws checked (one draw) or of the draws won in (every draw), each once, newest first.
    QStringList eraNotes() const;
};

/// Told after each piece of input how many have been checked and how many there are; the check stops when it
/// answers false.
using TicketBatchProgress = std::function<bool(qsizetype done, qsizetype total)>;

/// Checks `entries` against the draw `drawKey`, or every draw the checker knows when it is empty: draws with a full
/// table in full, the others by their results-file line. A draw's table is read once however many tickets there
/// are.
TicketBatch checkTicketBatch(const TicketChecker& checker, const QList<TicketCheck::TicketEntry>& entries,
    const QString& drawKey, const TicketBatchProgress& progress = {});
