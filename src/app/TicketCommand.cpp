#include "TicketCommand.h"

#include "ProgramIdentity.h"
#include "data/PrizeStore.h"
#include "data/ResultsFile.h"
#include "data/ResultsLocation.h"
#include "data/ThaiCalendar.h"
#include "data/TicketChecker.h"
#include "data/TicketTexts.h"
#include "updater/SourceOptions.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

#include <cstdio>
#include <cstring>

using namespace Qt::StringLiterals;

namespace {

QString amountText(qint64 amount)
{
    return amount < 0 ? TicketTexts::amountUnknown().toString()
                      : TicketTexts::baht().toString().arg(formatBaht(amount));
}

} // namespace

bool isTicketCommand(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--ticket=", 9) == 0 || std::strcmp(argv[i], "--ticket") == 0) {
            return true;
        }
    }
    return false;
}

int runTicketCommand(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    setUpProgramIdentity(false);
    QTextStream out(stdout);
    QTextStream err(stderr);

    QCommandLineParser parser;
    const QCommandLineOption ticketOption(
        u"ticket"_s, u"Check these six-digit ticket numbers, separated by commas."_s, u"numbers"_s);
    const QCommandLineOption drawOption(
        u"draw"_s, u"The draw to check against, YYYYMMDD in the Buddhist Era (default: the newest)."_s, u"key"_s);
    parser.addOption(ticketOption);
    parser.addOption(drawOption);
    parser.addHelpOption();
    // The options of the update's source may stand beside --ticket, as in any other start; they mean nothing here.
    SourceOptions::addTo(parser);
    if (!parser.parse(QCoreApplication::arguments())) {
        err << parser.errorText() << Qt::endl;
        return 2;
    }
    if (parser.isSet(u"help"_s)) {
        out << parser.helpText();
        return 0;
    }

    bool badInput = false;
    QStringList tickets;
    for (const TicketCheck::TicketEntry& entry : TicketCheck::splitTickets(parser.value(ticketOption))) {
        if (!entry.error.isEmpty()) {
            err << entry.error << Qt::endl;
            badInput = true;
        }
        tickets.append(entry.text);
    }
    if (tickets.isEmpty()) {
        err << TicketTexts::noTickets().toString() << Qt::endl;
        return 2;
    }
    if (badInput) {
        return 2;
    }

    const QString programDirectory = QCoreApplication::applicationDirPath();
    const ResultsFile resultsFile(ResultsLocation::existingDataFile(programDirectory, u"db.dll"_s));
    const Result<QStringList> lines = resultsFile.readResultsFile();
    if (!lines) {
        err << lines.error() << Qt::endl;
        return 2;
    }
    PrizeStore store(prizeStorePath(resultsFile.path()));
    if (const Status opened = store.openSeeded(bundledPrizeStorePath(programDirectory)); !opened) {
        err << opened.error() << Qt::endl;
        return 2;
    }
    TicketChecker checker(store, lines.value());
    if (const Status loaded = checker.load(); !loaded) {
        err << loaded.error() << Qt::endl;
        return 2;
    }
    if (checker.drawKeys().isEmpty()) {
        err << TicketTexts::noDraws().toString() << Qt::endl;
        return 2;
    }
    const QString drawKey = parser.isSet(drawOption) ? parser.value(drawOption) : checker.drawKeys().constFirst();
    if (!checker.knowsDraw(drawKey)) {
        err << TicketTexts::unknownDraw().toString().arg(drawKey) << Qt::endl;
        return 2;
    }

    out << TicketTexts::drawColumn().toString() << u' ' << drawTitle(drawKey) << Qt::endl;
    bool anyWon = false;
    bool partial = false;
    for (const QString& ticket : std::as_const(tickets)) {
        const Result<TicketOutcome> outcome = checker.check(ticket, drawKey);
        if (!outcome) {
            err << outcome.error() << Qt::endl;
            return 2;
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
    return anyWon ? 0 : 1;
}
