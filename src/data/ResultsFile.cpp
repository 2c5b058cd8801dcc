#include "ResultsFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

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

} // namespace

ResultsFile::ResultsFile(QString path)
    : m_path(std::move(path))
{ }

Result<QStringList> ResultsFile::readResultsFile(const std::function<void()>& beforeEachLine) const
{
    QFile file(m_path);
    if (!file.exists()) {
        return QStringList();
    }
    if (!file.open(QIODevice::ReadOnly)) {
        return Result<QStringList>::failure(
            fileError(QStringLiteral("Cannot open the results file"), m_path, file.errorString()));
    }
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return Result<QStringList>::failure(
            fileError(QStringLiteral("Cannot read the results file"), m_path, file.errorString()));
    }
    file.close();

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

Status ResultsFile::rewriteResultsFile(const QStringList& lines) const
{
    const QByteArray bytes = encodeLines(lines);
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly)) {
        return Status::failure(fileError(QStringLiteral("Cannot write the results file"), m_path, file.errorString()));
    }
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return Status::failure(fileError(QStringLiteral("Cannot write the results file"), m_path, reason));
    }
    if (!file.commit()) {
        return Status::failure(fileError(QStringLiteral("Cannot save the results file"), m_path, file.errorString()));
    }
    return Status::success();
}

Status ResultsFile::appendResultsFile(const QStringList& lines) const
{
    const QByteArray bytes = encodeLines(lines);
    QFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        return Status::failure(
            fileError(QStringLiteral("Cannot append to the results file"), m_path, file.errorString()));
    }
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        return Status::failure(
            fileError(QStringLiteral("Cannot append to the results file"), m_path, file.errorString()));
    }
    return Status::success();
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
