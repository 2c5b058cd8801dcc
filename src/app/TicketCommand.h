#pragma once

#include "ProgramIdentity.h"

#include <QString>

class QTextStream;

/// `varenta --ticket=NUMBER[,NUMBER...] [--draw=YYYYMMDD]`: the ticket check without windows. It checks the tickets
/// against one draw and prints what the user should know of the draw's era, then one line per prize won, or that a
/// ticket won nothing; against a draw without a full table, a ticket's lines also say that only the first prize,
/// the three-digit and the two-digit numbers could be checked.
namespace TicketCommand {

/// Exit codes: a ticket won; none did, and every prize was checked; bad input, or a draw the results file does not
/// know; none won any prize that could be checked, but some prizes could not be (a draw without a full table).
enum ExitCode { Won = 0, NoneWon = 1, Failed = 2, NoneWonSomeUnchecked = 3 };

/// What the command line asks of the ticket check.
struct Options
{
    /// The ticket numbers as given, separated by commas; checked for being six-digit numbers when run.
    QString tickets;
    /// The draw's key; empty for the newest draw.
    QString drawKey;
};

/// Runs the ticket check on the results file and prize store of `files`; the prizes go to `out`, failures to `err`.
/// Returns an `ExitCode`.
int run(const Options& options, const ProgramFiles& files, QTextStream& out, QTextStream& err);

} // namespace TicketCommand
