#include "TicketCommand.h"

#include "data/DataTexts.h"
#include "data/PrizeStore.h"
#include "data/ResultsFile.h"
#include "data/ThaiCalendar.h"
#include "data/TicketBatch.h"
#include "data/TicketLookup.h"
#include "data/TicketTexts.h"

#include <QTextStream>

namespace TicketCommand {

namespace {

QString amountText(qint64 amount)
{
    return amount < 0 ? TicketTexts::amountUnknown().toString()
                      : TicketTexts::baht().toString().arg(formatBaht(amount));
}

} // namespace

int run(const Options& options, const ProgramFiles& files, QTextStream& out, QTextStream& err)
{
    bool badInput = false;
    const QList<TicketCheck::TicketEntry> entries = TicketCheck::splitTickets(options.tickets);
    for (const TicketCheck::TicketEntry& entry : entries) {
        if (!entry.error.isEmpty()) {
            err << entry.error << Qt::endl;
            badInput = true;
        }
    }
    if (entries.isEmpty()) {
        err << TicketTexts::noTickets().toString() << Qt::endl;
        return Failed;
    }
    if (badInput) {
        return Failed;
    }

    const ResultsFile resultsFile(files.resultsPath);
    const Result<QStringList> lines = resultsFile.readResultsFile();
    if (!lines) {
        err << lines.error() << Qt::endl;
        return Failed;
    }
    // A store that cannot be used costs only the prizes its tables tell: the draws are then checked by their lines.
    TicketLookup lookup(
        prizeStorePath(resultsFile.path()), bundledPrizeStorePath(files.programDirectory), lines.value());
    if (const Status loaded = lookup.load(); !loaded) {
        err << loaded.error() << Qt::endl;
        return Failed;
    }
    if (const QString notice = lookup.notice(); !notice.isEmpty()) {
        err << notice << Qt::endl;
    }
    const TicketChecker& checker = lookup.checker();
    if (checker.drawKeys().isEmpty()) {
        err << DataTexts::noDrawStored().toString() << Qt::endl;
        return Failed;
    }
    const QString drawKey = options.drawKey.isEmpty() ? checker.drawKeys().constFirst() : options.drawKey;
    if (!checker.knowsDraw(drawKey)) {
        err << TicketTexts::unknownDraw().toString().arg(drawKey) << Qt::endl;
        return Failed;
    }

    const TicketBatch batch = checkTicketBatch(checker, entries, drawKey);
    if (!batch.failure.isEmpty()) {
        err << batch.failure << Qt::endl;
        return Failed;
    }
    out << TicketTexts::drawColumn().toString() << u' ' << drawTitle(drawKey) << Qt::endl;
    for (const QString& note : batch.eraNotes()) {
        out << note << Qt::endl;
    }
    for (const CheckedTicket& checked : batch.tickets) {
        // Against one draw every ticket has that draw's outcome.
        const TicketOutcome& outcome = checked.outcomes.constFirst();
        if (outcome.prizes.isEmpty()) {
            const QStringView none = outcome.partial ? TicketTexts::partialNoPrize() : TicketTexts::noPrize();
            out << outcome.ticket << u' ' << none.toString() << Qt::endl;
            continue;
        }
        for (const TicketCheck::PrizeWon& prize : outcome.prizes) {
            out << outcome.ticket << u' ' << PrizeKinds::thaiName(prize.kind) << u' ' << amountText(prize.amount)
                << Qt::endl;
        }
        if (outcome.partial) {
            out << outcome.ticket << u' ' << TicketTexts::partialOthers().toString() << Qt::endl;
        }
    }
    if (batch.winners > 0) {
        return Won;
    }
    return batch.somePrizesUnchecked ? NoneWonSomeUnchecked : NoneWon;
}

} // namespace TicketCommand
