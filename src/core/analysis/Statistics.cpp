#include "Statistics.h"

#include "analysis/AnalysisTexts.h"
#include "analysis/StatisticsTexts.h"
#include "data/ResultsFile.h"
#include "data/ThaiCalendar.h"

#include <boost/math/distributions/chi_squared.hpp>
#include <cmath>
#include <numeric>

namespace {

int digitValue(QChar c)
{
    return c >= u'0' && c <= u'9' ? c.unicode() - u'0' : -1;
}

/// 0 to 99 for a text of exactly two digits, -1 otherwise.
int twoDigitValue(QStringView text)
{
    if (text.size() != 2) {
        return -1;
    }
    const int tens = digitValue(text[0]);
    const int units = digitValue(text[1]);
    return tens < 0 || units < 0 ? -1 : tens * 10 + units;
}

int pairFromFields(const DrawRecord& record, PairSource source)
{
    if (source == PairSource::TwoDigitPrize) {
        return twoDigitValue(record.twoDigit);
    }
    // The first prize must be whole: the last two characters of a cut-short prize are not its last two digits.
    if (record.firstPrize.size() != 6 || !isAsciiDigits(record.firstPrize)) {
        return -1;
    }
    return twoDigitValue(QStringView(record.firstPrize).right(2));
}

void countInto(PairTable& table, int number, int lineIndex)
{
    if (number < 0) {
        return;
    }
    NumberStat& stat = table.numbers[static_cast<std::size_t>(number)];
    if (stat.count == 0) {
        stat.lastDrawIndex = lineIndex;
    }
    ++stat.count;
    ++table.counted;
}

} // namespace

double PairTable::share(int number) const
{
    return counted == 0 ? 0.0 : double(numbers[static_cast<std::size_t>(number)].count) / counted;
}

double chiSquareUpperTail(double statistic, int degreesOfFreedom)
{
    if (degreesOfFreedom < 1) {
        return 1.0;
    }
    if (statistic <= 0.0) {
        return 1.0;
    }
    const boost::math::chi_squared distribution(degreesOfFreedom);
    return boost::math::cdf(boost::math::complement(distribution, statistic));
}

ChiSquareTest chiSquareUniform(std::span<const int> observed)
{
    ChiSquareTest test;
    if (observed.size() < 2) {
        return test;
    }
    const double total = std::accumulate(observed.begin(), observed.end(), 0.0);
    test.degreesOfFreedom = int(observed.size()) - 1;
    test.expectedPerCategory = total / double(observed.size());
    test.enoughData = test.expectedPerCategory >= kSmallestExpectedCount;
    if (!test.enoughData) {
        return test;
    }
    for (const int count : observed) {
        const double difference = count - test.expectedPerCategory;
        test.statistic += difference * difference / test.expectedPerCategory;
    }
    test.pValue = chiSquareUpperTail(test.statistic, test.degreesOfFreedom);
    return test;
}

TestVerdict verdictOf(const ChiSquareTest& test)
{
    if (!test.enoughData) {
        return TestVerdict::TooFewDraws;
    }
    return test.pValue < kSignificanceLevel ? TestVerdict::BeyondChance : TestVerdict::WithinChance;
}

int pairNumberOf(QStringView line, PairSource source)
{
    return pairFromFields(ResultsFile::parseDrawLine(line), source);
}

PairTable countPairs(const QStringList& lines, PairSource source)
{
    PairTable table;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        countInto(table, pairNumberOf(lines.at(i), source), int(i));
    }
    return table;
}

DigitPlaces digitPlacesOf(const PairTable& pairs)
{
    DigitPlaces places;
    for (std::size_t number = 0; number < pairs.numbers.size(); ++number) {
        const int count = pairs.numbers[number].count;
        places.tens.counts[number / 10] += count;
        places.units.counts[number % 10] += count;
    }
    for (PlaceStat* place : {&places.tens, &places.units}) {
        place->counted = pairs.counted;
        place->test = chiSquareUniform(place->counts);
    }
    return places;
}

DrawStatistics computeStatistics(const QStringList& lines)
{
    DrawStatistics statistics;
    statistics.drawCount = int(lines.size());
    // One parse per line serves both sources.
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const DrawRecord record = ResultsFile::parseDrawLine(lines.at(i));
        countInto(statistics.twoDigitPrize.pairs, pairFromFields(record, PairSource::TwoDigitPrize), int(i));
        countInto(statistics.firstPrizeLastTwo.pairs, pairFromFields(record, PairSource::FirstPrizeLastTwo), int(i));
    }
    for (SourceStatistics* source : {&statistics.twoDigitPrize, &statistics.firstPrizeLastTwo}) {
        source->places = digitPlacesOf(source->pairs);
    }
    return statistics;
}

QStringList filterDescriptions(const AnalysisCriteria& criteria)
{
    QStringList descriptions;
    // The day box's own text asks the user to choose; the digit boxes' texts name what they fix.
    if (criteria.weekday) {
        descriptions.append(StatisticsTexts::dayFilterName() + u": " + ThaiDayNames::forWeekday(*criteria.weekday));
    }
    const auto& boxTitles = AnalysisTexts::filterBoxInitialTexts();
    const auto& stages = digitStages();
    for (std::size_t stage = 0; stage < stages.size(); ++stage) {
        if (const std::optional<int>& value = criteria.*stages[stage].criterion) {
            descriptions.append(boxTitles[stage + 1] + u": " + digitsText(*value, stages[stage].digits));
        }
    }
    return descriptions;
}
