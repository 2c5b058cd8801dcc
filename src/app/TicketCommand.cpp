#include "TicketCommand.h"

#include "data/PrizeStore.h"
#include "data/ResultsFile.h"
#include "data/ThaiCalendar.h"
#include "data/TicketChecker.h"
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
    QStringList tickets;
    for (const TicketCheck::TicketEntry& entry : TicketCheck::splitTickets(options.tickets)) {
        if (!entry.error.isEmpty()) {
            err << entry.error << Qt::endl;
            badInput = true;
        }
        tickets.append(entry.text);
    }
    if (tickets.isEmpty()) {
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
    PrizeStore store(prizeStorePath(resultsFile.path()));
    if (const Status opened = store.openSeeded(bundledPrizeStorePath(files.programDirectory)); !opened) {
        err << opened.error() << Qt::endl;
        return Failed;
    }
    TicketChecker checker(store, lines.value());
    if (const Status loaded = checker.load(); !loaded) {
        err << loaded.error() << Qt::endl;
        return Failed;
    }
    if (checker.drawKeys().isEmpty()) {
        err << TicketTexts::noDraws().toString() << Qt::endl;
        return Failed;
    }
    const QString drawKey = options.drawKey.isEmpty() ? checker.drawKeys().constFirst() : options.drawKey;
    if (!checker.knowsDraw(drawKey)) {
        err << TicketTexts::unknownDraw().toString().arg(drawKey) << Qt::endl;
        return Failed;
    }

    out << TicketTexts::drawColumn().toString() << u' ' << drawTitle(drawKey) << Qt::endl;
    bool anyWon = false;
    bool partial = false;
    for (const QString& ticket : std::as_const(tickets)) {
        const Result<TicketOutcome> outcome = checker.check(ticket, drawKey);
        if (!outcome) {
            err << outcome.error() << Qt::endl;
            return Failed;
        }
        partial = partial || outcome.value().partial;
        if (outcome.value().prizes.isEmpty()) {
            out << ticket << u' ' << TicketTexts::noPrize().toString() << Qt::endl;
            continue;
        }
        anyWon = true;
        for (const TicketCheck::PrizeWon& prize : outcome.value().prizes) {
            out << ticket << u' ' << PrizeKinds::thaiName(prize.kind) << u' ' << amountText(prize.amount) << Qt::endl;
        }
    }
    if (partial) {
        err << TicketTexts::partialCheck().toString().arg(drawTitle(drawKey)) << Qt::endl;
    }
    return anyWon ? Won : NoneWon;
}

} // namespace TicketCommand
