#include "SaveWhole.h"

#include "data/FileTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

std::function<ssize_t(int, const void*, size_t)>& writeCall()
{
    static std::function<ssize_t(int, const void*, size_t)> call;
    return call;
}

std::function<int(int)>& syncCall()
{
    static std::function<int(int)> call;
    return call;
}

ssize_t writeSome(int fd, const char* data, size_t size)
{
    return writeCall() ? writeCall()(fd, data, size) : ::write(fd, data, size);
}

int syncToDisk(int fd)
{
    return syncCall() ? syncCall()(fd) : ::fsync(fd);
}

// The new file beside the target, made by this call alone (O_EXCL), never through a link. Its name is the target's
// with a random ending, so that a save cut short leaves a file the user can tell apart.
int createSibling(const QByteArray& target, QByteArray& name)
{
    static constexpr char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int attempt = 0; attempt < 64; ++attempt) {
        name = target + '.';
        for (int i = 0; i < 6; ++i) {
            name += letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))];
        }
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

// Makes a finished rename last through a power cut; a directory that cannot be synced costs nothing but that.
void syncDirectory(const QByteArray& directory)
{
    const int fd = ::open(directory.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// The new file until it has taken the target's name: closed and removed when the save fails.
class Sibling final
{
public:
    explicit Sibling(const QByteArray& target)
        : m_fd(createSibling(target, m_name))
    { }
    ~Sibling()
    {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
        if (!m_renamed && !m_name.isEmpty()) {
            ::unlink(m_name.constData());
        }
    }
    Sibling(const Sibling&) = delete;
    Sibling& operator=(const Sibling&) = delete;

    int fd() const { return m_fd; }
    /// close(2), whose failure (a disk that fills up on the last block, a network file system) loses the write.
    int close()
    {
        const int fd = std::exchange(m_fd, -1);
        return ::close(fd);
    }
    int renameTo(const QByteArray& target)
    {
        const int result = ::rename(m_name.constData(), target.constData());
        m_renamed = result == 0;
        return result;
    }

private:
    QByteArray m_name;
    int m_fd = -1;
    bool m_renamed = false;
};

} // namespace

Status cannotSave(const QString& path, const QString& reason)
{
    return Status::failure(
        FileTexts::cannotSave().toString().arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()), reason));
}

QString systemReason(int error)
{
    const QString words = qt_error_string(error);
    if (error == ENOSPC || error == EDQUOT) {
        return FileTexts::diskFull() + u" (" + words + u')';
    }
    return words;
}

bool isDiskFull(const QString& directory)
{
    struct statvfs status
    {
    };
    if (::statvfs(QFile::encodeName(directory).constData(), &status) != 0) {
        return false;
    }
    // The superuser may use the blocks set aside for it; everyone else only those available to all.
    const auto blocks = ::geteuid() == 0 ? status.f_bfree : status.f_bavail;
    const auto files = ::geteuid() == 0 ? status.f_ffree : status.f_favail;
    return blocks == 0 || (status.f_files > 0 && files == 0);
}

Status checkSaveTarget(const QString& path)
{
    struct stat status
    {
    };
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0) {
        const int error = errno;
        return error == ENOENT ? Status::success() : cannotSave(path, systemReason(error));
    }
    if (S_ISLNK(status.st_mode)) {
        return cannotSave(
            path, FileTexts::linkRefused().toString().arg(QDir::toNativeSeparators(QFile::symLinkTarget(path))));
    }
    if (!S_ISREG(status.st_mode)) {
        return cannotSave(path, FileTexts::notRegularFile().toString());
    }
    return Status::success();
}

Status saveWhole(const QString& path, const QByteArray& bytes)
{
    if (const Status target = checkSaveTarget(path); !target) {
        return target;
    }
    const QByteArray native = QFile::encodeName(path);
    struct stat previous
    {
    };
    const bool replacing = ::lstat(native.constData(), &previous) == 0;

    Sibling sibling(native);
    if (sibling.fd() < 0) {
        return cannotSave(path, systemReason(errno));
    }
    if (replacing) {
        // The user's choices on the old file (who may read it) stay with the new one.
        ::fchmod(sibling.fd(), previous.st_mode & 07777);
    }
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t count = writeSome(sibling.fd(), bytes.constData() + written, size_t(bytes.size() - written));
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            return cannotSave(path, systemReason(errno));
        }
        if (count == 0) {
            return cannotSave(path, FileTexts::writtenIncompletely().toString());
        }
        written += count;
    }
    if (syncToDisk(sibling.fd()) != 0) {
        return cannotSave(path, systemReason(errno));
    }
    // What the disk holds now is what takes the old file's place: never fewer bytes than were meant for it.
    struct stat done
    {
    };
    if (::fstat(sibling.fd(), &done) != 0) {
        return cannotSave(path, systemReason(errno));
    }
    if (done.st_size != bytes.size()) {
        return cannotSave(path, FileTexts::writtenIncompletely().toString());
    }
    if (sibling.close() != 0) {
        return cannotSave(path, systemReason(errno));
    }
    // rename(2) replaces whatever name stands at the path, a link planted since the check included, and never
    // writes where a link leads.
    if (sibling.renameTo(native) != 0) {
        return cannotSave(path, systemReason(errno));
    }
    syncDirectory(QFile::encodeName(QFileInfo(path).absolutePath()));
    return Status::success();
}

namespace SaveWholeTesting {

void setDiskCalls(std::function<ssize_t(int, const void*, size_t)> write, std::function<int(int)> sync)
{
    writeCall() = std::move(write);
    syncCall() = std::move(sync);
}

} // namespace SaveWholeTesting
