// Checking 100 tickets against every draw of the bundled prize store, through the store's indexed lookups; opening
// the store, with the walk over its pages that finds a damaged file.
#include "data/PrizeStore.h"
#include "data/ResultsFile.h"
#include "data/TicketChecker.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// 100 tickets spread over the number space, a few of them known winners of 2 May 2026.
QStringList tickets()
{
    QStringList list {QStringLiteral("536077"), QStringLiteral("536076"), QStringLiteral("318543")};
    for (int i = 0; list.size() < 100; ++i) {
        list.append(QString::number((i * 104729 + 12345) % 1000000).rightJustified(6, u'0'));
    }
    return list;
}

void checkEveryDraw(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("prizes.sqlite"));
    if (!QFile::copy(QStringLiteral(VARENTA_BUNDLED_PRIZES), path)) {
        state.SkipWithError("no bundled prize store");
        return;
    }
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    PrizeStore store(path);
    const Result<QStringList> lines = ResultsFile(QStringLiteral(VARENTA_BUNDLED_DB)).readResultsFile();
    if (!store.open() || !lines) {
        state.SkipWithError("cannot open the bundled files");
        return;
    }
    TicketChecker checker(store, lines.value());
    if (!checker.load()) {
        state.SkipWithError("cannot read the draw keys");
        return;
    }
    const QStringList all = tickets();
    qsizetype wins = 0;
    for (auto _ : state) {
        wins = 0;
        for (const QString& ticket : all) {
            const Result<QList<TicketOutcome>> outcomes = checker.checkEveryDraw(ticket);
            wins += outcomes ? outcomes.value().size() : 0;
        }
        benchmark::DoNotOptimize(wins);
    }
    state.counters["draws won"] = static_cast<double>(wins);
}
BENCHMARK(checkEveryDraw)->Unit(benchmark::kMillisecond);

void openStore(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("prizes.sqlite"));
    if (!QFile::copy(QStringLiteral(VARENTA_BUNDLED_PRIZES), path)) {
        state.SkipWithError("no bundled prize store");
        return;
    }
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    for (auto _ : state) {
        PrizeStore store(path);
        if (!store.open()) {
            state.SkipWithError("cannot open the bundled store");
            return;
        }
    }
}
BENCHMARK(openStore)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
