#pragma once

#include <QString>

#include <functional>

class QWidget;

/// Message boxes and the program's end go through here, so that tests can answer them without a modal loop.
namespace Dialogs {

enum class Icon { None, Information, Warning };

struct Message
{
    Icon icon = Icon::None;
    QString title; ///< empty: the window system shows the program's title
    QString text;
};

/// Shows a box with a single OK button and returns when the user has closed it.
void showMessage(QWidget* parent, const Message& message);

/// Ends the program at once; no window's closing handler runs.
void endProgram(int exitCode = 0);

/// Tests replace the box and the end of the program; an empty function restores the real one.
void setMessageHandlerForTests(std::function<void(const Message&)> handler);
void setEndProgramHandlerForTests(std::function<void(int)> handler);

} // namespace Dialogs
