#include "CheckCommand.h"
#include "ProgramIdentity.h"
#include "TicketCommand.h"
#include "data/ResultsLocation.h"
#include "mainwindow/Form1.h"
#include "updater/Clock.h"
#include "updater/GloApiSource.h"
#include "updater/SourceOptions.h"
#include "widgets/Dialogs.h"
#include "widgets/Fonts.h"
#include "widgets/WindowFrame.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

int main(int argc, char* argv[])
{
    // The check and the ticket check run without windows: no QApplication, no display.
    if (CheckCommand::requested(argc, argv)) {
        return CheckCommand::main(argc, argv);
    }
    if (isTicketCommand(argc, argv)) {
        return runTicketCommand(argc, argv);
    }
    QApplication app(argc, argv);
    setUpProgramIdentity(true);
    QApplication::setWindowIcon(programIcon());

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Thai Government Lottery results and digit analysis"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption closeAfterStart(QStringLiteral("close-after-start"),
        QStringLiteral("Start, show the main window, then close it (a smoke test)."));
    parser.addOption(closeAfterStart);
    const QCommandLineOption updateNow(QStringLiteral("update-now"),
        QStringLiteral("Start the database update right after start, as the update button does."));
    parser.addOption(updateNow);
    SourceOptions::addTo(parser);
    parser.addOptions(CheckCommand::commandLineOptions());
    parser.process(app);
    const Result<SourceOptions> sourceOptions = SourceOptions::read(parser);
    if (!sourceOptions) {
        qCritical("%s", qPrintable(sourceOptions.error()));
        return 2;
    }

    Fonts::installFontSubstitutions();
    QApplication::setFont(Fonts::windowFont());

    Form1Config config;
    config.programDirectory = QCoreApplication::applicationDirPath();
    const ResultsLocation::Choice results =
        ResultsLocation::chooseDataFile(config.programDirectory, QStringLiteral("db.dll"));
    config.resultsFile = results.path;
    config.resultsFileProblem = results.problem;
    config.makeDrawSource = makeDrawSourceFactory(sourceOptions.value(), Clock::system());
    config.makeCheckSource = [options = sourceOptions.value()] { return makeApiSource(options, Clock::system()); };
    Form1 form(std::move(config));
    form.load();
    form.show();

    if (parser.isSet(updateNow)) {
        QTimer::singleShot(0, &form, [&form] { form.startUpdate(); });
    }
    if (parser.isSet(closeAfterStart)) {
        QTimer::singleShot(0, &form, [&form] { form.close(); });
    }
    return QApplication::exec();
}
