#pragma once

#include "analysis/DrawFilter.h"

#include <QString>
#include <QStringList>

#include <array>
#include <span>

/// Which two-digit number of a draw the statistics look at.
enum class PairSource {
    TwoDigitPrize, ///< the two-digit prize ("2 ตัวล่าง")
    FirstPrizeLastTwo, ///< the last two digits of the first prize ("2 ตัวบน")
};

/// How one number 00 to 99 fared in a set of draws.
struct NumberStat
{
    int count = 0;
    /// Index in the set of the newest draw it came out in; -1 when it never came out. The set lists the newest draw
    /// first, so this is also the number of draws held since then (the gap).
    int lastDrawIndex = -1;

    bool operator==(const NumberStat&) const = default;
};

/// The numbers 00 to 99 of one source over a set of draws.
struct PairTable
{
    std::array<NumberStat, 100> numbers {};
    /// Draws whose number could be read (two digits); the others are counted nowhere.
    int counted = 0;

    /// The count chance alone gives each number: counted / 100.
    double expected() const { return counted / 100.0; }
    /// The number's share of the counted draws, 0 to 1 (0 when nothing was counted).
    double share(int number) const;
};

/// A chi-square goodness-of-fit test of "every category equally likely".
struct ChiSquareTest
{
    /// False when a category's expected count is below 5: the test's approximation does not hold, no p-value.
    bool enoughData = false;
    double statistic = 0.0;
    int degreesOfFreedom = 0;
    double pValue = 1.0;
    double expectedPerCategory = 0.0;
};

/// The smallest expected count per category for which the test is given.
constexpr double kSmallestExpectedCount = 5.0;

/// The chance of a difference at least as large under equal likelihood below which it is called more than chance.
constexpr double kSignificanceLevel = 0.05;

/// Tests observed counts against equal expected counts (total / categories), with categories - 1 degrees of
/// freedom; the p-value is the upper tail of the chi-square distribution at the statistic.
ChiSquareTest chiSquareUniform(std::span<const int> observed);

/// The upper tail probability of the chi-square distribution: the chance of a statistic at least this large.
double chiSquareUpperTail(double statistic, int degreesOfFreedom);

/// What the test says, in the three cases the window tells apart.
enum class TestVerdict { TooFewDraws, WithinChance, BeyondChance };
TestVerdict verdictOf(const ChiSquareTest& test);

/// Counts of the digits 0 to 9 in one place, with what chance would give.
struct PlaceStat
{
    DigitCountRow counts {};
    int counted = 0;
    ChiSquareTest test;

    /// counted / 10.
    double expected() const { return counted / 10.0; }
    double difference(int digit) const { return counts[static_cast<std::size_t>(digit)] - expected(); }
};

/// The tens and the units place of one source.
struct DigitPlaces
{
    PlaceStat tens;
    PlaceStat units;
};

/// Every figure the statistics window shows for one source.
struct SourceStatistics
{
    PairTable pairs;
    DigitPlaces places;
};

/// Every figure for a set of draws, both sources.
struct DrawStatistics
{
    int drawCount = 0;
    SourceStatistics twoDigitPrize;
    SourceStatistics firstPrizeLastTwo;

    const SourceStatistics& of(PairSource source) const
    {
        return source == PairSource::TwoDigitPrize ? twoDigitPrize : firstPrizeLastTwo;
    }
};

/// The two-digit number of a raw line for a source, 0 to 99, or -1 when the field holds no such number. Fields are
/// cut as the results file cuts them.
int pairNumberOf(QStringView line, PairSource source);

/// Counts every number 00 to 99 of one source over the lines (newest draw first) and notes where each came out last.
PairTable countPairs(const QStringList& lines, PairSource source);

/// The digit counts of the tens and units place of the numbers a pair table counted, with their tests.
DigitPlaces digitPlacesOf(const PairTable& pairs);

/// All figures of both sources over the lines, newest draw first.
DrawStatistics computeStatistics(const QStringList& lines);

/// What the filter boxes of the analysis window asked, one "name: value" text per box in use, in the filter's order,
/// each value written as its box lists it.
QStringList filterDescriptions(const AnalysisCriteria& criteria);
