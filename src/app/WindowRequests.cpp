#include "WindowRequests.h"

#include "mainwindow/Form1.h"

#include <QTimer>

void scheduleWindowRequests(Form1& form, const CommandLine::Window& options)
{
    // After the main window is on screen, so that the windows opened from it come up over it.
    if (options.openTickets) {
        QTimer::singleShot(0, &form, [&form] { form.openTicketChecker(); });
    }
    if (options.openStatistics) {
        QTimer::singleShot(0, &form, [&form] { form.openStatistics(); });
    }
    if (options.updateNow) {
        QTimer::singleShot(0, &form, [&form] { form.startUpdate(); });
    }
    if (options.closeAfterStart) {
        QTimer::singleShot(0, &form, [&form] { form.close(); });
    }
}
