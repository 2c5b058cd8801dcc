#include "ProgramIdentity.h"

#include <QGuiApplication>

void setUpProgramIdentity(bool withDesktopEntry)
{
    QCoreApplication::setApplicationName(QStringLiteral("Varenta"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.0"));
    if (withDesktopEntry) {
        QGuiApplication::setDesktopFileName(QStringLiteral("varenta"));
    }
}
