#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <optional>

/// What the eight filter boxes of the analysis window ask of a draw. An empty optional is a box that sets no
/// condition; otherwise the draw's key, read at fixed character positions of its raw line, must equal the text.
struct AnalysisCriteria
{
    std::optional<QString> dayName; ///< cmbday: the Thai day name of the draw date
    std::optional<QString> firstPrizeHundreds; ///< ComboBox1: character 13
    std::optional<QString> firstPrizeTens; ///< ComboBox2: character 14
    std::optional<QString> firstPrizeUnits; ///< ComboBox3: character 15
    std::optional<QString> firstPrizeTensUnits; ///< ComboBox4: characters 14 and 15
    std::optional<QString> firstPrizeLeadingPair; ///< ComboBox5: characters 10 and 11
    std::optional<QString> twoDigitUnits; ///< ComboBox6: the last character of the line
    std::optional<QString> twoDigitTens; ///< ComboBox7: character 33

    bool operator==(const AnalysisCriteria&) const = default;
};

/// The texts the eight boxes show, in the order the filter applies them: cmbday, ComboBox1 .. ComboBox7.
using FilterBoxTexts = std::array<QString, 8>;

/// The criteria the boxes set. A box showing "not chosen" or its own initial text sets none.
AnalysisCriteria criteriaFromBoxTexts(const FilterBoxTexts& texts);

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
