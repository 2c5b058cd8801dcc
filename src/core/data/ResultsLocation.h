#pragma once

#include "Result.h"

#include <QString>

#include <functional>

/// Where a data file that the program updates lives: `db.dll` and any other file the program keeps beside it.
///
/// A program directory the user can write (a portable copy, the build folder, an install under the user's home)
/// keeps the file beside the executable. A shared install (a directory the user cannot write, or one that holds
/// the `per-user-data` marker) gives every user their own copy in the user's application data directory, made on
/// first start from the file the install bundles. The bundled file of a shared install is never written.
namespace ResultsLocation {

/// Whether the program may create and replace files in a directory.
using DirectoryWritable = std::function<bool(const QString& directory)>;

/// The data file the program works on.
struct Choice
{
    /// The file the program reads and updates.
    QString path;
    /// Whether `path` lies in the user's data directory rather than in the program's directory.
    bool perUser = false;
    /// Why the file must not be updated, for the user; empty when it may. The program still reads `path`.
    QString problem;
};

/// The name of the file that marks a program directory shared by every user of the machine.
QString sharedInstallMarker();

/// Whether `directory` is a directory this process may write into.
bool isDirectoryWritable(const QString& directory);

/// The file named `fileName` for the program in `programDirectory`, with `dataDirectory` as the user's data
/// directory. Creates the data directory and the user's copy when they are first needed; an existing user's file is
/// never replaced.
Choice chooseDataFile(const QString& programDirectory, const QString& fileName, const QString& dataDirectory,
    const DirectoryWritable& writable = isDirectoryWritable);

/// The same, with the user's application data directory (`userDataDirectory()`).
Choice chooseDataFile(const QString& programDirectory, const QString& fileName);

/// The user's application data directory: `$XDG_DATA_HOME/Varenta`, normally `~/.local/share/Varenta`. As the XDG
/// rules say, an `XDG_DATA_HOME` that is not an absolute path is ignored (the default is taken), so that the user's
/// files never land below whatever directory the program was started in.
QString userDataDirectory();

/// The longest path, in bytes, at which SQLite opens a database: its limit of 512 less the 8 of "-journal", the
/// name of the journal it keeps beside the database. A path of 505 bytes it refuses with no more than "unable to
/// open database file".
constexpr qsizetype longestSqlitePathBytes = 504;

/// The longest path, in bytes, of the directory that holds the data files: the prize store beside the results file
/// is an SQLite database (`longestSqlitePathBytes`). A longer directory is refused for updates with a plain message
/// rather than leaving the store unusable.
constexpr qsizetype longestDataDirectoryBytes = longestSqlitePathBytes - qsizetype(sizeof "/prizes.sqlite" - 1);

/// The file named `fileName` that the program would read now, without creating anything: the user's copy when the
/// program directory is shared and the user has one, otherwise the program directory's file. For runs that only read.
QString existingDataFile(const QString& programDirectory, const QString& fileName, const QString& dataDirectory,
    const DirectoryWritable& writable = isDirectoryWritable);

/// The same, with the user's application data directory (`userDataDirectory()`).
QString existingDataFile(const QString& programDirectory, const QString& fileName);

/// Copies `source` to `destination` in one step (`saveWhole`): the destination appears whole or not at all, and
/// nothing is written through a link.
Status copyWhole(const QString& source, const QString& destination);

} // namespace ResultsLocation
