#pragma once

#include <QString>

/// The program's name, as `--version` and the window system know it.
QString programName();
/// The program's version.
QString programVersion();

/// The program's name and version, for every mode. Windows also get the desktop entry's name (`withDesktopEntry`).
/// No display name is set: the window system would append it to every window title, and each title must read
/// exactly as given.
void setUpProgramIdentity(bool withDesktopEntry);

/// How a run uses the results file.
enum class ResultsUse {
    /// The window updates the file, so a shared install gets the user's own copy made now.
    Update,
    /// The commands without a window only read it, and create nothing.
    Read,
};

/// The files one run of the program works on.
struct ProgramFiles
{
    /// The executable's directory, which holds the bundled files.
    QString programDirectory;
    /// The results file (`db.dll`).
    QString resultsPath;
    /// Why the results file must not be updated, for the user; empty when it may.
    QString resultsProblem;
};

/// Looks up the results file of the executable's directory, as `use` needs it. Needs the application object.
ProgramFiles locateProgramFiles(ResultsUse use);
