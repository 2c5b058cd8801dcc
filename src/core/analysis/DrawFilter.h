#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <optional>

/// What the eight filter boxes of the analysis window ask of a draw, as values. An empty optional is a box that
/// sets no condition. The day is the weekday, 1 (Sunday) to 7 (Saturday); a digit criterion is the number that the
/// digits of the draw's key must write, 0 to 9, or 0 to 99 for the two boxes of a pair.
struct AnalysisCriteria
{
    std::optional<int> weekday; ///< cmbday: the weekday of the draw date
    std::optional<int> firstPrizeHundreds; ///< ComboBox1: character 13
    std::optional<int> firstPrizeTens; ///< ComboBox2: character 14
    std::optional<int> firstPrizeUnits; ///< ComboBox3: character 15
    std::optional<int> firstPrizeTensUnits; ///< ComboBox4: characters 14 and 15
    std::optional<int> firstPrizeLeadingPair; ///< ComboBox5: characters 10 and 11
    std::optional<int> twoDigitUnits; ///< ComboBox6: the last character of the line
    std::optional<int> twoDigitTens; ///< ComboBox7: character 33

    bool operator==(const AnalysisCriteria&) const = default;
};

/// A digit stage of the filter: which criterion it checks and where its key stands in the raw line.
struct DigitStage
{
    std::optional<int> AnalysisCriteria::*criterion;
    qsizetype position; ///< counted from 1; 0: the last character of the line
    qsizetype digits; ///< the length of the key: 1, or 2 for a pair
};

/// Stages 2 to 8 (ComboBox1 .. ComboBox7), in the order they are applied.
const std::array<DigitStage, 7>& digitStages();

/// A digit criterion's value as its box lists it: "4" for one digit, "07" for a pair.
QString digitsText(int value, qsizetype digits);

/// Whether a raw line can take part in an analysis: nine characters at least, the first eight a calendar date.
/// Other lines are neither listed nor counted.
bool isAnalysableLine(QStringView line);

/// Passes the base set through the eight stages in order (day, then the seven digit boxes), the criteria in use
/// joined by "and". Gives the matching lines in base-set order; lines that are not analysable never match. A line
/// too short for a position that a criterion in use reads fails that criterion.
QStringList filterDraws(const QStringList& baseSet, const AnalysisCriteria& criteria);

/// The seven cells of a draw's row in the draw table: its title (with the analysis window's month names), then the
/// six number fields as the results file cuts them.
QStringList drawTableRow(QStringView line);

/// How often each digit 0 to 9 stands in one place of the two-digit prize.
using DigitCountRow = std::array<int, 10>;

struct DigitCounts
{
    DigitCountRow tensPlace {}; ///< character 33 of each line
    DigitCountRow unitsPlace {}; ///< the last character of each line

    bool operator==(const DigitCounts&) const = default;
};

/// Counts the two places of the two-digit prize over the given lines. A place that holds no digit 0 to 9 (or that a
/// short line does not reach) is counted under no digit.
DigitCounts countTwoDigitPlaces(const QStringList& lines);
