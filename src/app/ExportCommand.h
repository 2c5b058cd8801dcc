#pragma once

#include "ProgramIdentity.h"

#include <QString>

#include <optional>

class QTextStream;

/// `varenta --export=FILE.csv|FILE.xlsx [--from=YYYYMMDD] [--to=YYYYMMDD]`: the stored draws saved as a spreadsheet
/// without windows. One row per draw: its key, date and weekday, the numbers of its line and, where the prize store
/// has the draw's full table, the other prizes' numbers and every prize's amount.
namespace ExportCommand {

/// Exit codes: the file is written; nothing was written.
enum ExitCode { Written = 0, Failed = 2 };

/// The kinds of file the export writes, told by the file name's extension.
enum class Format { Csv, Xlsx };

/// What the command line asks of the export.
struct Options
{
    /// The file written, as given: relative to the working directory.
    QString path;
    Format format = Format::Csv;
    /// The period of the stored draws saved (`--from`, `--to`): draw keys, empty for the oldest or newest.
    QString fromKey;
    QString toKey;
};

/// The format a file name asks for: `.csv` or `.xlsx`, in any case; none for another name.
std::optional<Format> formatOf(const QString& path);

/// Saves the draws of the results file of `files`, with the full tables of its prize store, at `options.path`;
/// failures go to `err`. The user's prize store is first put in place from the bundled one when it is missing, as
/// the window does at start. Returns an `ExitCode`.
int run(const Options& options, const ProgramFiles& files, QTextStream& err);

} // namespace ExportCommand
