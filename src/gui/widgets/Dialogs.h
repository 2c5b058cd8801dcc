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
    QString title; ///< empty: the program's title
    QString text;
};

/// The program's title, "Varenta V1.0": the title of both windows and of every box that names no title of its own.
QString programTitle();

/// The title a box shows: its own, or the program's title when it names none.
QString boxTitle(const Message& message);

/// Shows a box with a single OK button and returns when the user has closed it.
void showMessage(QWidget* parent, const Message& message);

/// Ends the program at once; no window's closing handler runs.
void endProgram(int exitCode = 0);

/// Tests replace the box and the end of the program; an empty function restores the real one.
void setMessageHandlerForTests(std::function<void(const Message&)> handler);
void setEndProgramHandlerForTests(std::function<void(int)> handler);

} // namespace Dialogs
