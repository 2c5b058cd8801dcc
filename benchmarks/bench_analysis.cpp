// The analysis over a large base set: the eight-stage filter and the digit count of the matching draws.
#include "analysis/DrawFilter.h"

#include <QDate>
#include <QStringList>

#include <benchmark/benchmark.h>

namespace {

// `count` well-formed lines, newest first, with varied digits. The dates run over the real draw days (1st and 16th)
// of fifty years and then repeat.
QStringList syntheticLines(int count)
{
    QStringList dates;
    QDate date(2026, 8, 16);
    for (int i = 0; i < 1200; ++i) {
        dates.append(QString::number(date.year() + 543) + QString::number(date.month()).rightJustified(2, u'0') +
            QString::number(date.day()).rightJustified(2, u'0'));
        date = date.day() == 16 ? QDate(date.year(), date.month(), 1) : date.addMonths(-1).addDays(15);
    }
    QStringList lines;
    lines.reserve(count);
    for (int i = 0; i < count; ++i) {
        lines.append(dates[i % dates.size()] + u',' + QString::number((i * 7919) % 1000000).rightJustified(6, u'0') +
            QStringLiteral(",123,456,789,012,") + QString::number((i * 37 + i / 7) % 100).rightJustified(2, u'0'));
    }
    return lines;
}

AnalysisCriteria chosenCriteria(bool severalInUse)
{
    AnalysisCriteria criteria;
    if (severalInUse) {
        criteria.weekday = 2; // Monday
        criteria.firstPrizeHundreds = 4; // ComboBox1
        criteria.twoDigitTens = 3; // ComboBox7
    }
    return criteria;
}

void filterAndCount(benchmark::State& state, bool severalInUse)
{
    const QStringList lines = syntheticLines(static_cast<int>(state.range(0)));
    const AnalysisCriteria criteria = chosenCriteria(severalInUse);
    qsizetype matched = 0;
    for (auto _ : state) {
        const QStringList matching = filterDraws(lines, criteria);
        const DigitCounts counts = countTwoDigitPlaces(matching);
        benchmark::DoNotOptimize(counts);
        matched = matching.size();
    }
    state.counters["matching"] = static_cast<double>(matched);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_FilterAndCountSeveralCriteria(benchmark::State& state)
{
    filterAndCount(state, true);
}

void BM_FilterAndCountNoCriteria(benchmark::State& state)
{
    filterAndCount(state, false);
}

} // namespace

BENCHMARK(BM_FilterAndCountSeveralCriteria)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterAndCountNoCriteria)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
