#pragma once

#include "ProgramIdentity.h"
#include "updater/SourceOptions.h"

#include <QString>

class QTextStream;

/// `varenta --check`: the check of the stored draws against the lottery office, without windows. It prints one line
/// per draw that differs or is missing and per draw the office does not know, then a summary. It never writes the
/// results file; the prize store gains the full tables of the agreeing draws it lacks.
namespace CheckCommand {

/// Exit codes: every draw the office knows agrees and none is missing; some differ or are missing; the check failed.
enum ExitCode { Agrees = 0, Differs = 1, Failed = 2 };

/// What the command line asks of the check.
struct Options
{
    SourceOptions source;
    /// The period of the stored draws checked (`--from`, `--to`): draw keys, empty for the oldest or newest.
    QString fromKey;
    QString toKey;
};

/// Runs the check on the results file of `files`; the differences go to `out`, failures to `err`. Returns an
/// `ExitCode`.
int run(const Options& options, const ProgramFiles& files, QTextStream& out, QTextStream& err);

} // namespace CheckCommand
