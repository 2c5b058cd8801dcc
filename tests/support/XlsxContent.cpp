#include "XlsxContent.h"

#include <QProcess>
#include <QXmlStreamReader>

namespace {

QByteArray part(const QString& path, const QString& name)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), path, name});
    return unzip.waitForFinished(30000) && unzip.exitCode() == 0 ? unzip.readAllStandardOutput() : QByteArray();
}

} // namespace

QList<QList<XlsxCell>> readXlsxCells(const QString& path)
{
    QStringList strings;
    QXmlStreamReader shared(part(path, QStringLiteral("xl/sharedStrings.xml")));
    while (!shared.atEnd()) {
        if (shared.readNext() == QXmlStreamReader::StartElement && shared.name() == u"si") {
            strings.append(QString());
        } else if (shared.isStartElement() && shared.name() == u"t" && !strings.isEmpty()) {
            strings.last() += shared.readElementText();
        }
    }

    QList<QList<XlsxCell>> rows;
    QXmlStreamReader sheet(part(path, QStringLiteral("xl/worksheets/sheet1.xml")));
    while (!sheet.atEnd()) {
        if (sheet.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        if (sheet.name() == u"row") {
            rows.append(QList<XlsxCell>());
        } else if (sheet.name() == u"c" && !rows.isEmpty()) {
            rows.last().append(XlsxCell {sheet.attributes().value(QLatin1StringView("t")).toString(), QString()});
        } else if (sheet.name() == u"v" && !rows.isEmpty() && !rows.last().isEmpty()) {
            XlsxCell& cell = rows.last().last();
            const QString value = sheet.readElementText();
            cell.text = cell.type == u"s" ? strings.value(value.toInt()) : value;
        }
    }
    return rows;
}
