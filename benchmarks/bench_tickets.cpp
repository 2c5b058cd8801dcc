// Checking 100 tickets against every draw of the bundled prize store, through the store's indexed lookups; a paste
// of 100,000 tickets against one draw, as the ticket checker's own thread checks it; and opening the store, with the
// walk over its pages that finds a damaged file.
#include "data/PrizeStore.h"
#include "data/ResultsFile.h"
#include "data/TicketBatch.h"
#include "data/TicketChecker.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

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

/// A copy of the bundled store in `dir`, where it may be opened; empty when there is none.
QString copyOfBundledStore(const QTemporaryDir& dir, benchmark::State& state)
{
    const QString path = dir.filePath(QStringLiteral("prizes.sqlite"));
    if (!QFile::copy(QStringLiteral(VARENTA_BUNDLED_PRIZES), path)) {
        state.SkipWithError("no bundled prize store");
        return QString();
    }
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return path;
}

/// The bundled store, copied where it may be opened, and a checker over it and the bundled results file.
class BundledChecker final
{
public:
    explicit BundledChecker(benchmark::State& state)
    {
        const QString path = copyOfBundledStore(m_dir, state);
        if (path.isEmpty()) {
            return;
        }
        m_store = std::make_unique<PrizeStore>(path);
        const Result<QStringList> lines = ResultsFile(QStringLiteral(VARENTA_BUNDLED_DB)).readResultsFile();
        if (!m_store->open() || !lines) {
            state.SkipWithError("cannot open the bundled files");
            return;
        }
        m_checker = std::make_unique<TicketChecker>(*m_store, lines.value());
        if (!m_checker->load()) {
            state.SkipWithError("cannot read the draw keys");
            m_checker.reset();
        }
    }

    /// Null when the bundled files could not be opened.
    const TicketChecker* checker() const { return m_checker.get(); }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<PrizeStore> m_store;
    std::unique_ptr<TicketChecker> m_checker;
};

void checkEveryDraw(benchmark::State& state)
{
    const BundledChecker bundled(state);
    if (!bundled.checker()) {
        return;
    }
    const TicketChecker& checker = *bundled.checker();
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

void checkHundredThousandPasted(benchmark::State& state)
{
    const BundledChecker bundled(state);
    if (!bundled.checker()) {
        return;
    }
    QStringList pasted;
    for (int i = 0; i < 100000; ++i) {
        pasted.append(QString::number((i * 104729 + 12345) % 1000000).rightJustified(6, u'0'));
    }
    const QString input = pasted.join(u'\n');
    int winners = 0;
    for (auto _ : state) {
        const TicketBatch batch =
            checkTicketBatch(*bundled.checker(), TicketCheck::splitTickets(input), QStringLiteral("25690502"));
        winners = batch.winners;
        benchmark::DoNotOptimize(winners);
    }
    state.counters["winners"] = static_cast<double>(winners);
}
BENCHMARK(checkHundredThousandPasted)->Unit(benchmark::kMillisecond);

void openStore(benchmark::State& state)
{
    const QTemporaryDir dir;
    const QString path = copyOfBundledStore(dir, state);
    if (path.isEmpty()) {
        return;
    }
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
