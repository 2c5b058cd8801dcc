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

QProcessEnvironment environmentWithoutDisplay()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& name :
        {QStringLiteral("DISPLAY"), QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("QT_QPA_PLATFORM")}) {
        environment.remove(name);
    }
    return environment;
}
