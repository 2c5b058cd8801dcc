#pragma once

#include "DrawRecord.h"
#include "Result.h"

#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <optional>

/// The results file: one draw per line, newest first, ASCII, CR LF after every line.
///
/// Lines pass in and out without their line end. Bytes are mapped one to one onto the characters U+0000..U+00FF,
/// so a line read and written again keeps every byte it had, whatever it holds.
class ResultsFile final
{
public:
    explicit ResultsFile(QString path);

    /// The largest results file that is read; a bigger one is reported, not loaded.
    static constexpr qint64 maxFileBytes = 64 * 1024 * 1024;

    const QString& path() const { return m_path; }
    /// Where a rewrite keeps the file it replaces: the path with ".bak" appended.
    QString backupPath() const;

    /// Every line of the file in file order; item 0 is line 1. A missing file holds no line. Lines may end in CR LF
    /// or LF alone; blank lines are no draws and are left out; a UTF-8 byte-order mark at the very start is no part
    /// of the first line. Only a regular file of at most `maxFileBytes` is read: anything else at the path (a
    /// directory, a pipe, a device) is a failure, and the read never blocks. `beforeEachLine` runs once before
    /// each line is taken (the start-up lets window events run there).
    Result<QStringList> readResultsFile(const std::function<void()>& beforeEachLine = {}) const;

    /// Replaces the file with these lines, each followed by CR LF. The old file stays whole until the new one is
    /// complete on disk, and is kept as `backupPath()` (one generation: the backup before it is replaced). A
    /// byte-order mark at the start of the old file is kept at the start of the new one. A run of rewrites that is
    /// one piece of work for the user (the full download, one draw at a time) keeps the backup of its first rewrite:
    /// the later ones pass `Backup::Keep`.
    ///
    /// Other copies of the program may write the same file: the rewrite holds the file's lock (`ResultsFileLock`,
    /// taken here unless this program holds it already, waiting up to `lockWait` for another writer), reads the file
    /// again under it and writes `mergeByKey(lines, what the file holds now)`, so that no draw another writer stored
    /// is lost. A rewrite that would leave the file's bytes as they are writes nothing and keeps the backup as it is.
    /// The file and the backup are refused when they are links or not regular files, before either is written.
    enum class Backup { Replace, Keep };
    Status rewriteResultsFile(const QStringList& lines, Backup backup = Backup::Replace) const;

    /// How long a rewrite waits for the lock another copy of the program holds while it writes.
    static constexpr std::chrono::milliseconds lockWait {2000};

    /// Writes these lines, each followed by CR LF, after what the file holds; creates the file when it is missing.
    /// When the file's last line has no line end, the new lines start on a line of their own. Holds the file's lock
    /// as a rewrite does; a link or anything but a regular file at the path is refused.
    Status appendResultsFile(const QStringList& lines) const;

    /// The lines a rewrite leaves in a file that holds `onDisk` now: every line of `toWrite`, in its order (its
    /// values win for a key both hold), and every line of `onDisk` whose draw key `toWrite` does not hold, put
    /// before the first line with an older key (newest first); a line without a readable key goes last.
    static QStringList mergeByKey(const QStringList& toWrite, const QStringList& onDisk);

    /// The draw in a line: the date is the first eight characters; the text after the ninth is cut at every ","
    /// and each piece trimmed of blanks. Missing pieces give empty fields; pieces after the sixth are ignored.
    static DrawRecord parseDrawLine(QStringView line);

    /// The six number fields of a line, as `parseDrawLine` cuts them (empty texts where a piece is missing).
    static QStringList numberFields(QStringView line);

    /// The line of a draw: its seven fields joined by ",", written as they are held.
    static QString formatDrawLine(const DrawRecord& record);

private:
    QString m_path;
};
