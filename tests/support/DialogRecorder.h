#pragma once

#include "widgets/Dialogs.h"

#include <QList>

/// Stands in for the program's message boxes and its end while a test runs: records every box the user would have
/// seen and how often the program would have ended. Made in a test's init, destroyed in its cleanup.
class DialogRecorder final
{
public:
    DialogRecorder()
    {
        Dialogs::setMessageHandlerForTests([this](const Dialogs::Message& message) { messages.append(message); });
        Dialogs::setEndProgramHandlerForTests([this](int) { ++ends; });
    }
    ~DialogRecorder()
    {
        Dialogs::setMessageHandlerForTests({});
        Dialogs::setEndProgramHandlerForTests({});
    }
    DialogRecorder(const DialogRecorder&) = delete;
    DialogRecorder& operator=(const DialogRecorder&) = delete;

    QList<Dialogs::Message> messages;
    int ends = 0;
};
