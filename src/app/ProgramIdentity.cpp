#include "ProgramIdentity.h"

#include "ProgramVersion.h"
#include "data/ResultsLocation.h"

#include <QGuiApplication>

using namespace Qt::StringLiterals;

QString programName()
{
    return u"Varenta"_s;
}

QString programVersion()
{
    return QStringLiteral(VARENTA_VERSION);
}

void setUpProgramIdentity(bool withDesktopEntry)
{
    QCoreApplication::setApplicationName(programName());
    QCoreApplication::setApplicationVersion(programVersion());
    if (withDesktopEntry) {
        QGuiApplication::setDesktopFileName(u"varenta"_s);
    }
}

ProgramFiles locateProgramFiles(ResultsUse use)
{
    const QString resultsFileName = u"db.dll"_s;
    ProgramFiles files;
    files.programDirectory = QCoreApplication::applicationDirPath();
    switch (use) {
    case ResultsUse::Update: {
        const ResultsLocation::Choice choice = ResultsLocation::chooseDataFile(files.programDirectory, resultsFileName);
        files.resultsPath = choice.path;
        files.resultsProblem = choice.problem;
        break;
    }
    case ResultsUse::Read:
        files.resultsPath = ResultsLocation::existingDataFile(files.programDirectory, resultsFileName);
        break;
    }
    return files;
}
