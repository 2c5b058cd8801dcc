#pragma once

#include <QString>
#include <QStringView>

#include <algorithm>

/// One draw: its date (YYYYMMDD, year of the Buddhist Era) and its six prize numbers, all held as text so that
/// leading zeros stay part of the value.
struct DrawRecord
{
    QString drawDate;
    QString firstPrize;
    QString threeDigit1;
    QString threeDigit2;
    QString threeDigit3;
    QString threeDigit4;
    QString twoDigit;

    bool operator==(const DrawRecord&) const = default;
};

/// Whether a text is made of the digits 0 to 9 alone (an empty text is not). Draw fields are such texts.
inline bool isAsciiDigits(QStringView text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}
