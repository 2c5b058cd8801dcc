#pragma once

#include "DrawRecord.h"
#include "Result.h"

#include <QString>
#include <QStringList>

#include <functional>

/// The results file: one draw per line, newest first, ASCII, CR LF after every line.
///
/// Lines pass in and out without their line end. Bytes are mapped one to one onto the characters U+0000..U+00FF,
/// so a line read and written again keeps every byte it had, whatever it holds.
class ResultsFile final
{
public:
    explicit ResultsFile(QString path);

    const QString& path() const { return m_path; }

    /// Every line of the file in file order; item 0 is the latest draw. A missing file holds no line. Lines may end
    /// in CR LF or LF alone; blank lines are no draws and are left out. `beforeEachLine` runs once before each line
    /// is taken (the start-up lets window events run there).
    Result<QStringList> readResultsFile(const std::function<void()>& beforeEachLine = {}) const;

    /// Replaces the file with these lines, each followed by CR LF. The old file stays whole until the new one is
    /// complete on disk.
    Status rewriteResultsFile(const QStringList& lines) const;

    /// Writes these lines, each followed by CR LF, after what the file holds; creates the file when it is missing.
    Status appendResultsFile(const QStringList& lines) const;

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
