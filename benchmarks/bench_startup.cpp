// Reading and titling a large results file, and the main window's load step on it.
#include "SyntheticResults.h"
#include "data/ResultsFile.h"
#include "data/ThaiCalendar.h"
#include "mainwindow/Form1.h"
#include "widgets/Fonts.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

struct ProgramDirectory
{
    explicit ProgramDirectory(const QByteArray& content)
    {
        QFile file(dir.filePath(QStringLiteral("db.dll")));
        if (file.open(QIODevice::WriteOnly)) {
            file.write(content);
        }
    }
    QTemporaryDir dir;
};

void readAndTitle(benchmark::State& state)
{
    ProgramDirectory program(syntheticResults(static_cast<int>(state.range(0))));
    const ResultsFile file(program.dir.filePath(QStringLiteral("db.dll")));
    for (auto _ : state) {
        const auto lines = file.readResultsFile();
        QStringList titles;
        titles.reserve(lines.value().size());
        for (const QString& line : lines.value()) {
            titles.append(drawTitle(line));
        }
        benchmark::DoNotOptimize(titles);
    }
}
BENCHMARK(readAndTitle)->Arg(756)->Arg(100000)->Unit(benchmark::kMillisecond);

void mainWindowLoad(benchmark::State& state, const QByteArray& content)
{
    ProgramDirectory program(content);
    for (auto _ : state) {
        Form1 form(Form1Config {program.dir.path(), {}});
        form.load();
        benchmark::DoNotOptimize(form.list2().size());
    }
}

void mainWindowLoadSynthetic(benchmark::State& state)
{
    mainWindowLoad(state, syntheticResults(static_cast<int>(state.range(0))));
}
BENCHMARK(mainWindowLoadSynthetic)->Arg(100000)->Unit(benchmark::kMillisecond);

void mainWindowLoadBundled(benchmark::State& state)
{
    QFile bundled(QStringLiteral(VARENTA_BUNDLED_DB));
    mainWindowLoad(state, bundled.open(QIODevice::ReadOnly) ? bundled.readAll() : QByteArray());
}
BENCHMARK(mainWindowLoadBundled)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Fonts::installFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
