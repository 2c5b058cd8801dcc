#include "ResultsFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
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

QString fileError(const QString& what, const QString& path, const QString& reason)
{
    return what + u": " + QFileInfo(path).absoluteFilePath() + u" (" + reason + u')';
}

// Writes `bytes` as the whole of `path`; the old content stays until the new one is complete on disk.
Status saveWhole(const QString& path, const QByteArray& bytes, const QString& what)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return Status::failure(fileError(what, path, file.errorString()));
    }
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return Status::failure(fileError(what, path, reason));
    }
    if (!file.commit()) {
        return Status::failure(fileError(what, path, file.errorString()));
    }
    return Status::success();
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
        return Read::failure(fileError(
            QStringLiteral("Cannot open the results file"), path, QString::fromLocal8Bit(std::strerror(errno))));
    }
    struct stat status
    {
    };
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return Read::failure(
            fileError(QStringLiteral("Cannot open the results file"), path, QStringLiteral("not a regular file")));
    }
    if (status.st_size > maxBytes) {
        ::close(fd);
        return Read::failure(fileError(QStringLiteral("Cannot open the results file"), path,
            QStringLiteral("larger than %1 bytes").arg(maxBytes)));
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Read::failure(fileError(QStringLiteral("Cannot open the results file"), path, file.errorString()));
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
        return Read::failure(fileError(QStringLiteral("Cannot read the results file"), path, file.errorString()));
    }
    if (content.size() > maxBytes) {
        return Read::failure(fileError(QStringLiteral("Cannot read the results file"), path,
            QStringLiteral("larger than %1 bytes").arg(maxBytes)));
    }
    return std::optional<QByteArray>(std::move(content));
}

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
    QByteArray content = std::move(*read.value());
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

Status ResultsFile::rewriteResultsFile(const QStringList& lines, Backup backup) const
{
    const QString what = QStringLiteral("Cannot write the results file");
    QByteArray bytes = encodeLines(lines);
    const Result<std::optional<QByteArray>> previous = readRegularFile(m_path, maxFileBytes);
    if (!previous) {
        return Status::failure(previous.error());
    }
    if (previous.value()) {
        // The previous file stays as the backup, whole, before the new one takes its place.
        if (backup == Backup::Replace) {
            if (const Status saved =
                    saveWhole(backupPath(), *previous.value(), QStringLiteral("Cannot write the backup"));
                !saved) {
                return saved;
            }
        }
        if (previous.value()->startsWith(byteOrderMark)) {
            bytes.prepend(byteOrderMark);
        }
    }
    return saveWhole(m_path, bytes, what);
}

Status ResultsFile::appendResultsFile(const QStringList& lines) const
{
    QByteArray bytes = encodeLines(lines);
    QFile file(m_path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append)) {
        return Status::failure(
            fileError(QStringLiteral("Cannot append to the results file"), m_path, file.errorString()));
    }
    // A last line without its line end must not run into the first new one.
    if (file.size() > 0 && bytes.size() > 0) {
        if (!file.seek(file.size() - 1)) {
            return Status::failure(
                fileError(QStringLiteral("Cannot append to the results file"), m_path, file.errorString()));
        }
        char last = 0;
        if (file.read(&last, 1) == 1 && last != '\n') {
            bytes.prepend("\r\n");
        }
    }
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        return Status::failure(
            fileError(QStringLiteral("Cannot append to the results file"), m_path, file.errorString()));
    }
    return Status::success();
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
