#include "ResultsLocation.h"

#include "data/DataTexts.h"
#include "data/SaveWhole.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace ResultsLocation {

namespace {

QString dataDirectoryUnusable(const QString& dataDirectory)
{
    return DataTexts::dataDirectoryUnusable().toString().arg(QDir::toNativeSeparators(dataDirectory));
}

QString dataDirectoryTooLong(const QString& directory)
{
    return DataTexts::dataDirectoryTooLong().toString().arg(QDir::toNativeSeparators(directory));
}

bool isTooLong(const QString& directory)
{
    return QFile::encodeName(QFileInfo(directory).absoluteFilePath()).size() > longestDataDirectoryBytes;
}

QString copyFailed(const QString& destination, const QString& detail)
{
    return DataTexts::dataFileNotCopied().toString().arg(QDir::toNativeSeparators(destination), detail);
}

} // namespace

QString sharedInstallMarker()
{
    return u"per-user-data"_s;
}

bool isDirectoryWritable(const QString& directory)
{
    const QFileInfo info(directory);
    return info.isDir() && info.isWritable();
}

Choice chooseDataFile(const QString& programDirectory, const QString& fileName, const QString& dataDirectory,
    const DirectoryWritable& writable)
{
    const QDir program(programDirectory);
    const QString bundled = program.filePath(fileName);
    if (!program.exists(sharedInstallMarker()) && writable(programDirectory)) {
        return {bundled, false, isTooLong(programDirectory) ? dataDirectoryTooLong(programDirectory) : QString()};
    }

    const QString userFile = QDir(dataDirectory).filePath(fileName);
    if (isTooLong(dataDirectory)) {
        // Said before anything is made there; a file the user already has is still theirs to read.
        const QString problem = dataDirectoryTooLong(dataDirectory);
        return QFileInfo::exists(userFile) ? Choice {userFile, true, problem} : Choice {bundled, false, problem};
    }
    const bool usable = !dataDirectory.isEmpty() && QDir().mkpath(dataDirectory) && writable(dataDirectory);
    if (!usable) {
        // A file the user already has is still theirs to read, even when it cannot be updated now.
        const QString problem = dataDirectoryUnusable(dataDirectory);
        return QFileInfo::exists(userFile) ? Choice {userFile, true, problem} : Choice {bundled, false, problem};
    }
    if (QFileInfo::exists(userFile) || !QFileInfo::exists(bundled)) {
        // Without a bundled file, the first update creates the user's file.
        return {userFile, true, {}};
    }
    if (const Status copied = copyWhole(bundled, userFile); !copied) {
        return {bundled, false, copyFailed(userFile, copied.error())};
    }
    return {userFile, true, {}};
}

Choice chooseDataFile(const QString& programDirectory, const QString& fileName)
{
    return chooseDataFile(programDirectory, fileName, userDataDirectory());
}

QString userDataDirectory()
{
    const QString location = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (location.isEmpty() || QDir::isAbsolutePath(location)) {
        return location;
    }
    // Qt takes a relative XDG_DATA_HOME as it is; the default stands in for it, below the same application names.
    const QString generic = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir::homePath() + u"/.local/share"_s + location.mid(generic.size());
}

QString existingDataFile(const QString& programDirectory, const QString& fileName, const QString& dataDirectory,
    const DirectoryWritable& writable)
{
    const QDir program(programDirectory);
    const QString bundled = program.filePath(fileName);
    if (!program.exists(sharedInstallMarker()) && writable(programDirectory)) {
        return bundled;
    }
    const QString userFile = QDir(dataDirectory).filePath(fileName);
    return !dataDirectory.isEmpty() && QFileInfo::exists(userFile) ? userFile : bundled;
}

QString existingDataFile(const QString& programDirectory, const QString& fileName)
{
    return existingDataFile(programDirectory, fileName, userDataDirectory());
}

Status copyWhole(const QString& source, const QString& destination)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        return Status::failure(in.errorString());
    }
    // Written anew rather than copied, so that the copy gets the user's own permissions, not the bundled file's.
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError) {
        return Status::failure(in.errorString());
    }
    return saveWhole(destination, bytes);
}

} // namespace ResultsLocation
