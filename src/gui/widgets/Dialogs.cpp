#include "Dialogs.h"

#include "ProgramVersion.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdlib>

namespace Dialogs {
namespace {

std::function<void(const Message&)>& messageHandler()
{
    static std::function<void(const Message&)> handler;
    return handler;
}

std::function<void(int)>& endProgramHandler()
{
    static std::function<void(int)> handler;
    return handler;
}

} // namespace

QString programTitle()
{
    return QStringLiteral("Varenta V" VARENTA_VERSION);
}

QString boxTitle(const Message& message)
{
    return message.title.isEmpty() ? programTitle() : message.title;
}

void showMessage(QWidget* parent, const Message& message)
{
    if (messageHandler()) {
        messageHandler()(message);
        return;
    }
    QMessageBox box(parent);
    switch (message.icon) {
    case Icon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    }
    box.setWindowTitle(boxTitle(message));
    box.setText(message.text);
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

void endProgram(int exitCode)
{
    if (endProgramHandler()) {
        endProgramHandler()(exitCode);
        return;
    }
    // The program ends here and now: nested waits and closing handlers must not run any more.
    std::exit(exitCode);
}

void setMessageHandlerForTests(std::function<void(const Message&)> handler)
{
    messageHandler() = std::move(handler);
}

void setEndProgramHandlerForTests(std::function<void(int)> handler)
{
    endProgramHandler() = std::move(handler);
}

} // namespace Dialogs
