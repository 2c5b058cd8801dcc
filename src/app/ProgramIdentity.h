#pragma once

/// The program's name and version, for every mode. Windows also get the desktop entry's name (`withDesktopEntry`).
/// No display name is set: the window system would append it to every window title, and each title must read
/// exactly as given.
void setUpProgramIdentity(bool withDesktopEntry);
