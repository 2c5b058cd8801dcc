#pragma once

/// Whether the command line asks for the ticket check without windows (`--ticket=...`).
bool isTicketCommand(int argc, char* argv[]);

/// `varenta --ticket=NUMBER[,NUMBER...] [--draw=YYYYMMDD]`: checks the tickets against one draw (the newest when
/// none is given) and prints one line per prize won, or that a ticket won nothing. Runs its own QCoreApplication;
/// needs no display. Returns 0 when a ticket won, 1 when none did, 2 on bad input or a draw it does not know.
int runTicketCommand(int argc, char* argv[]);
