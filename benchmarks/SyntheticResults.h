#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

/// A well-formed results file of `count` draws, newest first: one draw a day, going back from the last day of 2569
/// (31 December 2026), with varied digits. Every line carries a valid date, so every line is titled, selectable by
/// its month and analysable.
inline QByteArray syntheticResults(int count)
{
    QByteArray bytes;
    bytes.reserve(qsizetype(count) * 36);
    QDate date(2026, 12, 31);
    for (int i = 0; i < count; ++i) {
        bytes += QByteArray::number(date.year() + 543) + QByteArray::number(date.month()).rightJustified(2, '0') +
            QByteArray::number(date.day()).rightJustified(2, '0');
        bytes += ',' + QByteArray::number((i * 7919) % 1000000).rightJustified(6, '0') + ',' +
            QByteArray::number((i * 13) % 1000).rightJustified(3, '0') + ",456,789,012," +
            QByteArray::number((i * 37 + i / 7) % 100).rightJustified(2, '0') + "\r\n";
        date = date.addDays(-1);
    }
    return bytes;
}

/// The same draws as raw lines, without their line ends.
inline QStringList syntheticLines(int count)
{
    return QString::fromLatin1(syntheticResults(count)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}
