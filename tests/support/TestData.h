#pragma once

#include <QByteArray>
#include <QString>

/// The bytes of a file under tests/testdata, such as "resultpage/result-utf8.html". A missing file stops the test
/// program: the test data belong to the repository.
QByteArray testDataFile(const QString& relativePath);
