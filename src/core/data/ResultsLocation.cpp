#include "ResultsLocation.h"

#include "data/DataTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace ResultsLocation {

namespace {

QString dataDirectoryUnusable(const QString& dataDirectory)
{
    return DataTexts::dataDirectoryUnusable().toString().arg(QDir::toNativeSeparators(dataDirectory));
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
        return {bundled, false, {}};
    }

    const QString userFile = QDir(dataDirectory).filePath(fileName);
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
    return chooseDataFile(
        programDirectory, fileName, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
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
    return existingDataFile(
        programDirectory, fileName, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

Status copyWhole(const QString& source, const QString& destination)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        return Status::failure(in.errorString());
    }
    // Written anew rather than copied, so that the copy gets the user's own permissions, not the bundled file's.
    QSaveFile out(destination);
    if (!out.open(QIODevice::WriteOnly)) {
        return Status::failure(out.errorString());
    }
    while (!in.atEnd()) {
        const QByteArray block = in.read(1 << 16);
        if (block.isEmpty() && in.error() != QFileDevice::NoError) {
            out.cancelWriting();
            return Status::failure(in.errorString());
        }
        if (out.write(block) != block.size()) {
            out.cancelWriting();
            return Status::failure(out.errorString());
        }
    }
    if (!out.commit()) {
        return Status::failure(out.errorString());
    }
    return Status::success();
}

} // namespace ResultsLocation
