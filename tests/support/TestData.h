#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

/// The bytes of a file under tests/testdata, such as "resultpage/result-utf8.html". A missing file stops the test
/// program: the test data belong to the repository.
QByteArray testDataFile(const QString& relativePath);

/// Writes `bytes` as the whole of the file at `path`; whether every byte was written.
bool writeBytes(const QString& path, const QByteArray& bytes);

/// The bytes of a file the code under test wrote; "(missing)" when there is none to read.
QByteArray fileBytes(const QString& path);

/// The results file that comes with the program, from the line of the draw `key` ("25580801") to its end.
QByteArray bundledResultsFrom(const char* key);

/// The lines of results-file bytes without their line ends, blank ones left out.
QStringList resultLines(const QByteArray& bytes);

/// Results-file bytes of these lines: each followed by CR LF.
QByteArray resultBytes(const QStringList& lines);

/// This process's environment without a display of any kind, for starting the program as a script on a machine
/// without one would: whatever needs a display fails there.
QProcessEnvironment environmentWithoutDisplay();
