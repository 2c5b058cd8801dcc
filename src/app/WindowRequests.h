#pragma once

#include "CommandLine.h"

class Form1;

/// What the window's command line asks of the main window once it is shown, each step when the event loop runs, in
/// this order: open the ticket checker (`--tickets`) and the statistics window (`--statistics`) over it, start the
/// update (`--update-now`), close it (`--close-after-start`).
void scheduleWindowRequests(Form1& form, const CommandLine::Window& options);
