#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>

/// The bytes of a file under tests/testdata, such as "resultpage/result-utf8.html". A missing file stops the test
/// program: the test data belong to the repository.
QByteArray testDataFile(const QString& relativePath);

/// This process's environment without a display of any kind, for starting the program as a script on a machine
/// without one would: whatever needs a display fails there.
QProcessEnvironment environmentWithoutDisplay();
