#include "TestData.h"

#include <QFile>

QByteArray testDataFile(const QString& relativePath)
{
    QFile file(QStringLiteral(VARENTA_TEST_DATA_DIR "/") + relativePath);
    if (!file.open(QIODevice::ReadOnly)) {
        qFatal("missing test data file %s", qPrintable(relativePath));
    }
    return file.readAll();
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

QByteArray bundledResultsFrom(const char* key)
{
    const QByteArray bundled = fileBytes(QStringLiteral(VARENTA_BUNDLED_DB));
    const qsizetype at = bundled.indexOf(QByteArray(QByteArray("\r\n") + key));
    return at < 0 ? QByteArray() : bundled.mid(at + 2);
}

QStringList resultLines(const QByteArray& bytes)
{
    QStringList lines;
    for (const QByteArray& line : bytes.split('\n')) {
        if (!line.trimmed().isEmpty()) {
            lines.append(QString::fromLatin1(line.trimmed()));
        }
    }
    return lines;
}

QByteArray resultBytes(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += line.toLatin1() + "\r\n";
    }
    return bytes;
}

QProcessEnvironment environmentWithoutDisplay()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& name :
        {QStringLiteral("DISPLAY"), QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("QT_QPA_PLATFORM")}) {
        environment.remove(name);
    }
    return environment;
}
