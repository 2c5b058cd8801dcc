#pragma once

#include "data/Result.h"

#include <QString>

#include <chrono>
#include <memory>

class QLockFile;

/// One writer of a results file at a time, among all the copies of the program on the machine: a lock file beside
/// the results file (`db.dll.lock`), held for as long as this object lives.
///
/// A lock left by a program that ended without giving it back (a crash, a kill) is taken over; a lock held by a
/// running program is never broken, however long it has been held. Within one program the lock is taken once: a
/// second holder is refused as another program would be, while the results file's own rewrites go on under the lock
/// their program holds (`ResultsFile` takes the lock itself when its program does not hold it).
class ResultsFileLock final
{
public:
    /// Takes the lock of the results file at `resultsPath`, waiting up to `wait` for another writer to give it back.
    /// The failure says that another copy of the program is writing, or why the lock file cannot be made (a full
    /// disk said so).
    static Result<std::unique_ptr<ResultsFileLock>> acquire(
        const QString& resultsPath, std::chrono::milliseconds wait = std::chrono::milliseconds(0));

    /// Whether this program holds the lock of the results file at `resultsPath`.
    static bool isHeld(const QString& resultsPath);

    /// The lock file of a results file: its path with ".lock" appended.
    static QString lockPath(const QString& resultsPath);

    ~ResultsFileLock();
    ResultsFileLock(const ResultsFileLock&) = delete;
    ResultsFileLock& operator=(const ResultsFileLock&) = delete;

private:
    ResultsFileLock(QString key, std::unique_ptr<QLockFile> lock);

    QString m_key;
    std::unique_ptr<QLockFile> m_lock;
};
