// Any text as what a user types: into the ticket checker (tickets, separated by lines, blanks or commas) and into
// the statistics window's number search.
#include "analysis/NumberPattern.h"
#include "data/TicketCheck.h"

#include <QString>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString input = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const TicketCheck::TicketEntry& entry : TicketCheck::splitTickets(input)) {
        // A piece is a ticket exactly when it has no error, and a ticket is six digits.
        const bool isTicket = entry.error.isEmpty();
        if (isTicket != TicketCheck::ticketError(entry.text).isEmpty()) {
            __builtin_trap();
        }
        if (isTicket) {
            if (entry.text.size() != 6 || TicketCheck::numbersToLookUp(entry.text).isEmpty()) {
                __builtin_trap();
            }
        } else if (entry.error.size() > 4096) {
            // A message quotes a shortened piece, never a huge token whole.
            __builtin_trap();
        }
    }
    const Result<NumberPattern> pattern = NumberPattern::parse(input);
    if (pattern) {
        const qsizetype length = pattern.value().text().size();
        if (length != 2 && length != 3 && length != 6) {
            __builtin_trap();
        }
        (void)pattern.value().placesIn(QStringLiteral("25690816,004615,429,731,094,937,53"));
    } else if (pattern.error().size() > 4096) {
        __builtin_trap();
    }
    return 0;
}
