#pragma once

#include "data/Result.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

/// Which numbers of a draw a pattern is matched against; the pattern's length tells.
enum class PatternTarget {
    TwoDigitPrize, ///< two characters
    ThreeDigit, ///< three characters: any of the draw's four three-digit numbers, and the first prize's last three
    FirstPrize, ///< six characters
};

/// Where in a draw a pattern's number came out.
enum class PatternPlace {
    TwoDigitPrize,
    ThreeDigit, ///< one of the four three-digit numbers
    FirstPrizeLastThree, ///< the last three digits of the first prize ("3 ตัวบน")
    FirstPrize,
};

/// A number to look for, digit by digit; a wildcard ("?" or "*") stands for any one digit.
class NumberPattern final
{
public:
    /// Reads what the user typed. Blanks around it are ignored. A pattern holds only the digits 0 to 9, "?" and "*",
    /// and is 2, 3 or 6 characters long; anything else gives a message saying what is wrong, quoting the first
    /// character that is not allowed whole.
    static Result<NumberPattern> parse(QStringView text);

    /// The pattern as typed, without blanks around it.
    const QString& text() const { return m_text; }
    PatternTarget target() const { return m_target; }

    /// Whether a number of the target's length matches digit by digit.
    bool matchesNumber(QStringView number) const;

    /// Where the pattern's number comes out in this raw line (fields cut as the results file cuts them), in the
    /// order of `PatternPlace`; empty when it does not.
    QList<PatternPlace> placesIn(QStringView line) const;

    /// Whether the pattern's number comes out in this raw line.
    bool matchesLine(QStringView line) const { return !placesIn(line).isEmpty(); }

    /// The indexes of the lines in which the pattern's number came out, in the lines' order.
    QList<int> search(const QStringList& lines) const;

    /// The Thai name of a place, as the search results show it ("3 ตัวบน").
    static QString placeName(PatternPlace place);

private:
    NumberPattern(QString text, PatternTarget target);

    QString m_text;
    PatternTarget m_target;
};
