#pragma once

#include <QString>

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
