#include "CheckCommand.h"
#include "CommandLine.h"
#include "ExportCommand.h"
#include "ProgramIdentity.h"
#include "TicketCommand.h"
#include "WindowRequests.h"
#include "mainwindow/Form1.h"
#include "updater/Clock.h"
#include "updater/GloApiSource.h"
#include "updater/SourceOptions.h"
#include "widgets/Fonts.h"
#include "widgets/ThaiTranslations.h"
#include "widgets/WindowFrame.h"

#include <QApplication>
#include <QTextStream>

#include <memory>
#include <variant>

namespace {

/// Lets `std::visit` take one lambda per alternative.
template<typename... Handlers>
struct Overloaded : Handlers...
{
    using Handlers::operator()...;
};

QStringList argumentsOf(int argc, char* argv[])
{
    // As QCoreApplication::arguments() reads them, before there is one.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    return arguments;
}

/// Whether a window can be shown: a display to reach, or a platform chosen for Qt (offscreen, say). Without either
/// Qt would abort the program with its own message.
bool displayAvailable()
{
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

int runWindow(const CommandLine::Window& options)
{
    Fonts::installFontSubstitutions();
    QApplication::setFont(Fonts::windowFont());
    installThaiTranslations();

    const ProgramFiles files = locateProgramFiles(ResultsUse::Update);
    Form1Config config;
    config.programDirectory = files.programDirectory;
    config.resultsFile = files.resultsPath;
    config.resultsFileProblem = files.resultsProblem;
    config.makeDrawSource = makeDrawSourceFactory(options.source, Clock::system());
    config.makeCheckSource = [source = options.source] { return makeApiSource(source, Clock::system()); };
    Form1 form(std::move(config));
    form.load();
    // The program's icon, for the windows that have none of their own, once the main window is up.
    afterFirstPaint(&form, [] { QApplication::setWindowIcon(programIcon()); });
    form.show();
    scheduleWindowRequests(form, options);
    return QApplication::exec();
}

} // namespace

int main(int argc, char* argv[])
{
    const CommandLine::Launch launch = parseCommandLine(argumentsOf(argc, argv));

    // Only the window needs a display. Everything else, help and usage errors included, runs without one.
    const bool window = std::holds_alternative<CommandLine::Window>(launch);
    if (window && !displayAvailable()) {
        QTextStream(stderr) << "varenta: the window needs a desktop session (neither DISPLAY nor WAYLAND_DISPLAY is "
                               "set); --check, --ticket and --export run without one.\n";
        return 1;
    }
    const std::unique_ptr<QCoreApplication> application =
        window ? std::make_unique<QApplication>(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
    setUpProgramIdentity(window);

    QTextStream out(stdout);
    QTextStream err(stderr);
    return std::visit(Overloaded {
                          [](const CommandLine::Window& options) { return runWindow(options); },
                          [&](const CommandLine::Check& options) {
                              return CheckCommand::run(options, locateProgramFiles(ResultsUse::Read), out, err);
                          },
                          [&](const CommandLine::Ticket& options) {
                              return TicketCommand::run(options, locateProgramFiles(ResultsUse::Read), out, err);
                          },
                          [&](const CommandLine::Export& options) {
                              return ExportCommand::run(options, locateProgramFiles(ResultsUse::Read), err);
                          },
                          [&](const CommandLine::Help& help) {
                              out << help.text;
                              return 0;
                          },
                          [&](const CommandLine::Version& version) {
                              out << version.text;
                              return 0;
                          },
                          [&](const CommandLine::UsageError& error) {
                              err << "varenta: " << error.text << "\nSee varenta --help for the options.\n";
                              return CommandLine::usageErrorExitCode;
                          },
                      },
        launch);
}
