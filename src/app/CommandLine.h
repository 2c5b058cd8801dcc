#pragma once

#include "CheckCommand.h"
#include "ExportCommand.h"
#include "TicketCommand.h"
#include "updater/SourceOptions.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <variant>

/// The program's command line: one table of the options of every mode, and what a command line asks to run.
///
/// The program has four modes: the main window (the default), the check of the stored draws (`--check`), the ticket
/// check (`--ticket`) and the export of the stored draws (`--export`); the last three run without a window. Help and
/// version answer in every mode.
namespace CommandLine {

/// The modes an option may stand in, as a set of these.
enum ModeFlag : unsigned {
    InWindow = 1U,
    InCheck = 2U,
    InTicket = 4U,
    InExport = 8U,
    InEveryMode = InWindow | InCheck | InTicket | InExport,
};

struct Option
{
    /// The option's spellings as they are written on the command line: "--ticket"; "-h", "--help"; Qt's own
    /// options of the window have one dash, as Qt writes them ("-platform").
    QStringList spellings;
    /// The name of the option's value in the help ("url"); empty for an option that takes no value.
    QString valueName;
    /// The help text; it names the mode the option belongs to.
    QString description;
    /// Where the option may stand: `ModeFlag`s.
    unsigned modes = InEveryMode;
    /// Whether the value may follow an equals sign (`--draw=25690502`) as well as stand as the next argument. Most of
    /// Qt's own options take it only as the next argument (`-platform offscreen`).
    bool valueAfterEquals = true;
};

struct OptionGroup
{
    QString heading;
    QList<Option> options;
    /// Qt's own options, which the window's application object takes; only `--help-all` lists them.
    bool qtOwn = false;
};

/// Every option of every mode, in the groups and order of the help.
const QList<OptionGroup>& optionGroups();

/// The exit code of a command line the program cannot run, in every mode.
constexpr int usageErrorExitCode = 2;

/// Runs the main window.
struct Window
{
    SourceOptions source;
    /// `--update-now`: starts the update right after start, as the update button does.
    bool updateNow = false;
    /// `--close-after-start`: closes the window once it is shown.
    bool closeAfterStart = false;
    /// `--tickets`: opens the ticket checker over the main window.
    bool openTickets = false;
    /// `--statistics`: opens the statistics window on every stored draw over the main window.
    bool openStatistics = false;
};

/// Runs the check of the stored draws against the lottery office.
struct Check : CheckCommand::Options
{
};

/// Runs the ticket check.
struct Ticket : TicketCommand::Options
{
};

/// Saves the stored draws as a spreadsheet.
struct Export : ExportCommand::Options
{
};

/// Prints the help and exits.
struct Help
{
    QString text;
};

/// Prints the version and exits.
struct Version
{
    QString text;
};

/// Prints why the command line cannot be run, naming the option, and exits with `usageErrorExitCode`.
struct UsageError
{
    QString text;
};

using Launch = std::variant<Window, Check, Ticket, Export, Help, Version, UsageError>;

/// The help: every option of every mode, grouped by mode; `withQtOptions` adds Qt's own options of the window.
QString helpText(bool withQtOptions);

/// The program's name and version, as `--version` prints them.
QString versionText();

} // namespace CommandLine

/// What the command line `arguments` (the program first) asks to run. Reads nothing but its argument, so it needs no
/// application object: help, version and usage errors are answered before any is made.
CommandLine::Launch parseCommandLine(const QStringList& arguments);
