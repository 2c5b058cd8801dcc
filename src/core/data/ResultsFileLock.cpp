#include "ResultsFileLock.h"

#include "data/FileTexts.h"
#include "data/SaveWhole.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QMutex>
#include <QSet>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The results files whose lock this program holds, by absolute path.
QMutex& heldMutex()
{
    static QMutex mutex;
    return mutex;
}

QSet<QString>& held()
{
    static QSet<QString> paths;
    return paths;
}

QString keyOf(const QString& resultsPath)
{
    return QDir::cleanPath(QFileInfo(resultsPath).absoluteFilePath());
}

// QLockFile tells only that the lock file could not be made; the directory tells why.
QString whyNotMade(const QString& lockPath, int errorAfterTry)
{
    const QString directory = QFileInfo(lockPath).absolutePath();
    const QByteArray native = QFile::encodeName(directory);
    struct stat status
    {
    };
    if (::stat(native.constData(), &status) != 0) {
        return systemReason(errno);
    }
    if (!S_ISDIR(status.st_mode)) {
        return systemReason(ENOTDIR);
    }
    if (::access(native.constData(), W_OK) != 0) {
        return systemReason(errno);
    }
    if (isDiskFull(directory)) {
        return systemReason(ENOSPC);
    }
    return systemReason(errorAfterTry != 0 ? errorAfterTry : EIO);
}

} // namespace

Result<std::unique_ptr<ResultsFileLock>> ResultsFileLock::acquire(
    const QString& resultsPath, std::chrono::milliseconds wait)
{
    using Acquired = Result<std::unique_ptr<ResultsFileLock>>;
    const QString key = keyOf(resultsPath);
    if (isHeld(resultsPath)) {
        return Acquired::failure(FileTexts::writerRunning().toString());
    }
    auto lock = std::make_unique<QLockFile>(lockPath(resultsPath));
    // An update holds the lock for minutes: only a lock whose program is gone may be taken over, never an old one.
    lock->setStaleLockTime(0);
    errno = 0;
    if (!lock->tryLock(int(wait.count()))) {
        const int error = errno;
        if (lock->error() == QLockFile::LockFailedError) {
            return Acquired::failure(FileTexts::writerRunning().toString());
        }
        return Acquired::failure(cannotSave(lockPath(resultsPath), whyNotMade(lockPath(resultsPath), error)).error());
    }
    const QMutexLocker locker(&heldMutex());
    held().insert(key);
    return std::unique_ptr<ResultsFileLock>(new ResultsFileLock(key, std::move(lock)));
}

bool ResultsFileLock::isHeld(const QString& resultsPath)
{
    const QMutexLocker locker(&heldMutex());
    return held().contains(keyOf(resultsPath));
}

QString ResultsFileLock::lockPath(const QString& resultsPath)
{
    return resultsPath + u".lock";
}

ResultsFileLock::ResultsFileLock(QString key, std::unique_ptr<QLockFile> lock)
    : m_key(std::move(key))
    , m_lock(std::move(lock))
{ }

ResultsFileLock::~ResultsFileLock()
{
    {
        const QMutexLocker locker(&heldMutex());
        held().remove(m_key);
    }
    m_lock->unlock();
}
