#pragma once

#include "updater/SourceOptions.h"

#include <QCommandLineOption>
#include <QList>
#include <QString>

class QTextStream;

/// `varenta --check`: the check of the stored draws against the lottery office, without windows. It prints one line
/// per draw that differs or is missing and per draw the office does not know, then a summary, and writes nothing.
namespace CheckCommand {

/// Exit codes: every draw the office knows agrees and none is missing; some differ or are missing; the check failed.
enum ExitCode { Agrees = 0, Differs = 1, Failed = 2 };

/// Whether the command line asks for the check.
bool requested(int argc, char* argv[]);

/// The options the check adds to the command line.
QList<QCommandLineOption> commandLineOptions();

struct Options
{
    SourceOptions source;
    /// The period of the stored draws checked (`--from`, `--to`): draw keys, empty for the oldest or newest.
    QString fromKey;
    QString toKey;
    /// The results file.
    QString resultsPath;
};

/// Runs the check; the differences go to `out`, failures to `err`. Returns an `ExitCode`.
int run(const Options& options, QTextStream& out, QTextStream& err);

/// The check as the program's whole run: reads the command line, runs the check on the `db.dll` beside the
/// executable and returns the exit code. Makes its own QCoreApplication, so no display is needed.
int main(int argc, char* argv[]);

} // namespace CheckCommand
