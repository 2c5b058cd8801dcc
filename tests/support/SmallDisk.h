#pragma once

#include "data/SaveWhole.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <sys/mount.h>
#include <unistd.h>

/// A disk with `room` bytes free while this object lives, standing in for the calls with which `saveWhole` writes:
/// a write beyond the room takes what fits and the next one fails with `error`; `syncError` (not 0) fails fsync.
class SmallDisk final
{
public:
    explicit SmallDisk(qint64 room, int error = ENOSPC, int syncError = 0)
    {
        SaveWholeTesting::setDiskCalls(
            [room, error](int fd, const void* data, size_t size) mutable -> ssize_t {
                if (room <= 0) {
                    errno = error;
                    return -1;
                }
                const ssize_t count = ::write(fd, data, std::min<size_t>(size, size_t(room)));
                room -= std::max<ssize_t>(count, 0);
                return count;
            },
            [syncError](int fd) { return syncError != 0 ? (errno = syncError, -1) : ::fsync(fd); });
    }
    ~SmallDisk() { SaveWholeTesting::setDiskCalls({}, {}); }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
};

/// A real file system of 1 MB over `directory` while this object lives, where the machine allows it (the superuser
/// with the right to mount): `fill()` then takes its last free byte.
class SmallTmpfs final
{
public:
    explicit SmallTmpfs(const QString& directory)
        : m_directory(QFile::encodeName(directory))
        , m_mounted(::geteuid() == 0 && ::mount("tmpfs", m_directory.constData(), "tmpfs", 0, "size=1m") == 0)
    { }
    ~SmallTmpfs()
    {
        if (m_mounted) {
            ::umount2(m_directory.constData(), MNT_DETACH);
        }
    }
    SmallTmpfs(const SmallTmpfs&) = delete;
    SmallTmpfs& operator=(const SmallTmpfs&) = delete;

    bool isMounted() const { return m_mounted; }
    bool fill() const
    {
        QFile filler(QFile::decodeName(m_directory + "/filler"));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
            return false;
        }
        while (filler.write(QByteArray(4096, 'x')) == 4096 || filler.write("x", 1) == 1) { }
        return true;
    }

private:
    QByteArray m_directory;
    bool m_mounted;
};
