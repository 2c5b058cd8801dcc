#pragma once

#include "data/Result.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <sys/types.h>

/// Writing a whole file in one step: the results file and its backup, exported tables, charts and reports, the
/// user's copy of the prize store.
///
/// The bytes go to a new file beside the old one. Only when every byte has been written and has reached the disk
/// (fsync) does the new file take the old one's name, so a file is never replaced by fewer bytes than were meant for
/// it. A failure at any step leaves the old file as it was and removes the new one. The write calls are checked one
/// by one: a disk that fills up is found before anything is replaced, and said as such.
///
/// Nothing is written through a symbolic link, and nothing that is not a regular file (a directory, a pipe, a
/// device) is replaced: the save is refused, and what stands at the path is left alone.
///
/// A new file gets the permissions the user's umask gives; a replaced file keeps the permissions it had.

/// Writes `bytes` as the whole content of `path`. The failure names the file and why, in Thai, with the system's
/// own words where it gave any.
Status saveWhole(const QString& path, const QByteArray& bytes);

/// Whether a save may replace what stands at `path`: nothing, or a regular file. A link is refused whatever it leads
/// to. The failure is the one `saveWhole` would give.
Status checkSaveTarget(const QString& path);

/// The failure of writing `path`, with `reason` for the user.
Status cannotSave(const QString& path, const QString& reason);

/// Why a system call failed, for the user: a full disk is said so in Thai, followed by the system's own words.
QString systemReason(int error);

/// Whether the file system that holds `directory` has no room left for this process.
bool isDiskFull(const QString& directory);

namespace SaveWholeTesting {

/// Tests stand in for the calls that put bytes on the disk: `write` for write(2) and `sync` for fsync(2), with their
/// contracts (a count or -1 with errno). Empty functions restore the system's own.
void setDiskCalls(std::function<ssize_t(int, const void*, size_t)> write, std::function<int(int)> sync);

} // namespace SaveWholeTesting
