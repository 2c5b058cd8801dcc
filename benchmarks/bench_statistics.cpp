// The statistics window over a large set: every figure of both sources, and opening the window on them.
#include "SyntheticResults.h"
#include "analysis/NumberPattern.h"
#include "analysis/Statistics.h"
#include "analysiswindow/StatisticsWindow.h"

#include <QApplication>
#include <QStringList>

#include <benchmark/benchmark.h>

namespace {

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
