// Any bytes as a results file: reading it, cutting every line into a draw and writing the draw again.
#include "data/ResultsFile.h"

#include <QDir>
#include <QFile>

#include <cstddef>
#include <cstdint>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QString path =
        QDir::temp().filePath(QStringLiteral("fuzz_resultsfile_%1.dll").arg(static_cast<qint64>(::getpid())));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            return 0;
        }
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    const ResultsFile results(path);
    const Result<QStringList> lines = results.readResultsFile();
    if (!lines) {
        return 0;
    }
    for (const QString& line : lines.value()) {
        const DrawRecord record = ResultsFile::parseDrawLine(line);
        const QString formatted = ResultsFile::formatDrawLine(record);
        // A draw with a whole date, written and cut again, is the same draw.
        if (record.drawDate.size() > 8 ||
            (record.drawDate.size() == 8 && ResultsFile::parseDrawLine(formatted) != record)) {
            __builtin_trap();
        }
    }
    return 0;
}
