#include "ResultsFile.h"

#include "data/DrawKeys.h"
#include "data/FileTexts.h"
#include "data/ResultsFileLock.h"
#include "data/SaveWhole.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QSet>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char byteOrderMark[] = "\xEF\xBB\xBF";

QByteArray encodeLines(const QStringList& lines)
{
    QByteArray bytes;
    qsizetype size = 0;
    for (const QString& line : lines) {
        size += line.size() + 2;
    }
    bytes.reserve(size);
    for (const QString& line : lines) {
        bytes += line.toLatin1();
        bytes += "\r\n";
    }
    return bytes;
}

// Blanks as the file format knows them: the space and the tab.
bool isBlankLine(QByteArrayView line)
{
    for (char c : line) {
        if (c != ' ' && c != '\t') {
            return false;
        }
    }
    return true;
}

// The lines of a file's content, as `readResultsFile` gives them.
QStringList splitLines(QByteArray content, const std::function<void()>& beforeEachLine = {})
{
    // A byte-order mark that an editor put in front of the first line is not part of its draw key.
    if (content.startsWith(byteOrderMark)) {
        content.remove(0, 3);
    }
    QStringList lines;
    lines.reserve(content.size() / 36 + 1);
    qsizetype start = 0;
    while (start < content.size()) {
        qsizetype end = content.indexOf('\n', start);
        const qsizetype next = end < 0 ? content.size() : end + 1;
        if (end < 0) {
            end = content.size();
        }
        QByteArrayView line(content.constData() + start, end - start);
        if (line.endsWith('\r')) {
            line.chop(1);
        }
        start = next;
        if (beforeEachLine) {
            beforeEachLine();
        }
        if (!isBlankLine(line)) {
            lines.append(QString::fromLatin1(line));
        }
    }
    return lines;
}

QString nativePath(const QString& path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

QString cannotOpen(const QString& path, const QString& reason)
{
    return FileTexts::cannotOpen().toString().arg(nativePath(path), reason);
}

QString cannotRead(const QString& path, const QString& reason)
{
    return FileTexts::cannotRead().toString().arg(nativePath(path), reason);
}

// The whole content of a regular file of at most `maxBytes`; nothing when the file does not exist. Anything else
// that stands at the path (a directory, a pipe, a device) is a failure, and opening it never blocks.
Result<std::optional<QByteArray>> readRegularFile(const QString& path, qint64 maxBytes)
{
    using Read = Result<std::optional<QByteArray>>;
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) {
            return std::optional<QByteArray>();
        }
        return Read::failure(cannotOpen(path, systemReason(errno)));
    }
    struct stat status
    {
    };
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return Read::failure(cannotOpen(path, FileTexts::notRegularFile().toString()));
    }
    if (status.st_size > maxBytes) {
        ::close(fd);
        return Read::failure(cannotOpen(path, FileTexts::tooLarge().toString()));
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Read::failure(cannotOpen(path, file.errorString()));
    }
    // The file may grow while it is read: never take more than the limit. It is read in blocks, so that the buffer
    // grows with the file rather than setting the whole limit aside for every read.
    QByteArray content;
    content.reserve(qMin<qint64>(status.st_size, maxBytes) + 1);
    while (content.size() <= maxBytes) {
        const QByteArray block = file.read(qMin<qint64>(1 << 16, maxBytes + 1 - content.size()));
        if (block.isEmpty()) {
            break;
        }
        content += block;
    }
    if (file.error() != QFileDevice::NoError) {
        return Read::failure(cannotRead(path, file.errorString()));
    }
    if (content.size() > maxBytes) {
        return Read::failure(cannotRead(path, FileTexts::tooLarge().toString()));
    }
    return std::optional<QByteArray>(std::move(content));
}

// Two threads of this program that write the same file take turns here; other programs are kept out by the lock.
QMutex& writerMutex()
{
    static QMutex mutex;
    return mutex;
}

// The file's lock for one write, unless this program holds it already.
Result<std::unique_ptr<ResultsFileLock>> lockForWrite(const QString& path)
{
    if (ResultsFileLock::isHeld(path)) {
        return std::unique_ptr<ResultsFileLock>();
    }
    return ResultsFileLock::acquire(path, ResultsFile::lockWait);
}

// One writer's turn at the file, for as long as it lives: the file's lock, this program's turn among its threads,
// and a file that may be replaced (no link, nothing but a regular file). `status()` says whether the turn came.
class WriteTurn final
{
public:
    explicit WriteTurn(const QString& path)
        : m_lock(lockForWrite(path))
    {
        if (!m_lock) {
            m_status = Status::failure(m_lock.error());
            return;
        }
        m_turn.emplace(&writerMutex());
        m_status = checkSaveTarget(path);
    }

    const Status& status() const { return m_status; }

private:
    Result<std::unique_ptr<ResultsFileLock>> m_lock;
    std::optional<QMutexLocker<QMutex>> m_turn;
    Status m_status = Status::success();
};

} // namespace

ResultsFile::ResultsFile(QString path)
    : m_path(std::move(path))
{ }

Result<QStringList> ResultsFile::readResultsFile(const std::function<void()>& beforeEachLine) const
{
    Result<std::optional<QByteArray>> read = readRegularFile(m_path, maxFileBytes);
    if (!read) {
        return Result<QStringList>::failure(read.error());
    }
    if (!read.value()) {
        return QStringList();
    }
    return splitLines(std::move(*read.value()), beforeEachLine);
}

Status ResultsFile::rewriteResultsFile(const QStringList& lines, Backup backup) const
{
    const WriteTurn turn(m_path);
    if (!turn.status()) {
        return turn.status();
    }
    // Both files are looked at before either is written: a refused backup must not leave a replaced results file.
    if (backup == Backup::Replace) {
        if (const Status target = checkSaveTarget(backupPath()); !target) {
            return target;
        }
    }
    const Result<std::optional<QByteArray>> previous = readRegularFile(m_path, maxFileBytes);
    if (!previous) {
        return Status::failure(previous.error());
    }
    if (!previous.value()) {
        return saveWhole(m_path, encodeLines(lines));
    }
    const QByteArray& before = *previous.value();
    QByteArray bytes = encodeLines(mergeByKey(lines, splitLines(before)));
    if (before.startsWith(byteOrderMark)) {
        bytes.prepend(byteOrderMark);
    }
    // Nothing new: the file stays untouched, and its backup stays the way back to what was there before.
    if (bytes == before) {
        return Status::success();
    }
    // The previous file stays as the backup, whole, before the new one takes its place.
    if (backup == Backup::Replace) {
        if (const Status saved = saveWhole(backupPath(), before); !saved) {
            return saved;
        }
    }
    return saveWhole(m_path, bytes);
}

Status ResultsFile::appendResultsFile(const QStringList& lines) const
{
    const WriteTurn turn(m_path);
    if (!turn.status()) {
        return turn.status();
    }
    QByteArray bytes = encodeLines(lines);
    QFile file(m_path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append)) {
        return cannotSave(m_path, file.errorString());
    }
    // A last line without its line end must not run into the first new one.
    if (file.size() > 0 && bytes.size() > 0) {
        if (!file.seek(file.size() - 1)) {
            return cannotSave(m_path, file.errorString());
        }
        char last = 0;
        if (file.read(&last, 1) == 1 && last != '\n') {
            bytes.prepend("\r\n");
        }
    }
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        return cannotSave(m_path, file.errorString());
    }
    if (::fsync(file.handle()) != 0) {
        return cannotSave(m_path, systemReason(errno));
    }
    return Status::success();
}

QStringList ResultsFile::mergeByKey(const QStringList& toWrite, const QStringList& onDisk)
{
    QSet<QString> written;
    for (const QString& line : toWrite) {
        written.insert(DrawKeys::drawKey(line));
    }
    QStringList merged = toWrite;
    for (const QString& line : onDisk) {
        const QString key = DrawKeys::drawKey(line);
        if (!written.contains(key)) {
            merged.insert(DrawKeys::insertionIndex(merged, key), line);
        }
    }
    return merged;
}

QString ResultsFile::backupPath() const
{
    return m_path + u".bak";
}

QStringList ResultsFile::numberFields(QStringView line)
{
    QStringList fields;
    fields.reserve(6);
    if (line.size() > 9) {
        for (QStringView piece : line.mid(9).split(u',')) {
            if (fields.size() == 6) {
                break;
            }
            // Only blanks are trimmed; the line's other characters are kept as stored.
            while (!piece.isEmpty() && piece.front() == u' ') {
                piece = piece.mid(1);
            }
            while (!piece.isEmpty() && piece.back() == u' ') {
                piece.chop(1);
            }
            fields.append(piece.toString());
        }
    }
    while (fields.size() < 6) {
        fields.append(QString());
    }
    return fields;
}

DrawRecord ResultsFile::parseDrawLine(QStringView line)
{
    const QStringList fields = numberFields(line);
    return DrawRecord {line.left(8).toString(), fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]};
}

QString ResultsFile::formatDrawLine(const DrawRecord& record)
{
    const QChar comma = u',';
    return record.drawDate + comma + record.firstPrize + comma + record.threeDigit1 + comma + record.threeDigit2 +
        comma + record.threeDigit3 + comma + record.threeDigit4 + comma + record.twoDigit;
}
