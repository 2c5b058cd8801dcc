// The statistics window over a large set: every figure of both sources, and opening the window on them.
#include "analysis/NumberPattern.h"
#include "analysis/Statistics.h"
#include "analysis/StatisticsWindow.h"

#include <QApplication>
#include <QDate>
#include <QStringList>

#include <benchmark/benchmark.h>

namespace {

// `count` well-formed lines, newest first, with varied numbers; the dates run over real draw days and repeat.
QStringList syntheticLines(int count)
{
    QStringList dates;
    QDate date(2026, 8, 16);
    for (int i = 0; i < 1200; ++i) {
        dates.append(QString::number(date.year() + 543) + QString::number(date.month()).rightJustified(2, u'0') +
            QString::number(date.day()).rightJustified(2, u'0'));
        date = date.day() == 16 ? QDate(date.year(), date.month(), 1) : date.addMonths(-1).addDays(15);
    }
    const auto digits = [](int value, int width) { return QString::number(value).rightJustified(width, u'0'); };
    QStringList lines;
    lines.reserve(count);
    for (int i = 0; i < count; ++i) {
        lines.append(dates[i % dates.size()] + u',' + digits((i * 7919) % 1000000, 6) + u',' +
            digits((i * 131) % 1000, 3) + u',' + digits((i * 257) % 1000, 3) + u',' + digits((i * 521) % 1000, 3) +
            u',' + digits((i * 863) % 1000, 3) + u',' + digits((i * 37 + i / 7) % 100, 2));
    }
    return lines;
}

const QStringList& lines(benchmark::State& state)
{
    static QStringList cached;
    if (cached.size() != state.range(0)) {
        cached = syntheticLines(static_cast<int>(state.range(0)));
    }
    return cached;
}

void BM_ComputeStatistics(benchmark::State& state)
{
    const QStringList& set = lines(state);
    for (auto _ : state) {
        const DrawStatistics statistics = computeStatistics(set);
        benchmark::DoNotOptimize(statistics);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_SearchThreeDigits(benchmark::State& state)
{
    const QStringList& set = lines(state);
    const NumberPattern pattern = NumberPattern::parse(u"?07").value();
    for (auto _ : state) {
        const QList<int> found = pattern.search(set);
        benchmark::DoNotOptimize(found);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// What the user waits for: the window made, every section filled from the lines, shown and painted once.
void BM_OpenStatisticsWindow(benchmark::State& state)
{
    const QStringList& set = lines(state);
    for (auto _ : state) {
        StatisticsWindow window;
        window.showDraws({set, QStringLiteral("benchmark"), {}});
        window.show();
        const QPixmap painted = window.grab();
        benchmark::DoNotOptimize(painted);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK(BM_ComputeStatistics)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchThreeDigits)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenStatisticsWindow)->Arg(100000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    // The window is opened off the screen, so the benchmark needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
