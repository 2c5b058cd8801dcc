#pragma once

#include <QSize>

class QWidget;

/// What every window of the program has besides the main window and the analysis window, whose frames are fixed:
/// Esc and Ctrl+W close it, and it opens no larger than the screen it is on.
namespace WindowHabits {

/// Esc and Ctrl+W close `window` as its close button does, wherever the focus is inside it.
void closeWithKeys(QWidget* window);

/// `preferred`, made smaller where it would not fit the free area of a `screen` (the desktop less its panels),
/// leaving room for the window frame.
QSize fittedSize(QSize preferred, QSize screen);

/// Gives `window` the size it prefers, fitted to the screen it will show on.
void resizeToFit(QWidget* window, QSize preferred);

} // namespace WindowHabits
