// Reading and titling a large results file, and the main window's load step on it.
#include "data/ResultsFile.h"
#include "data/ThaiCalendar.h"
#include "mainwindow/Form1.h"
#include "shell/Fonts.h"

#include <QApplication>
#include <QDate>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// A well-formed results file of `count` draws, newest first, on the real draw days (1st and 16th).
QByteArray syntheticResults(int count)
{
    QByteArray bytes;
    bytes.reserve(count * 36);
    QDate date(2026, 8, 16);
    for (int i = 0; i < count; ++i) {
        bytes += QByteArray::number(date.year() + 543) + QByteArray::number(date.month()).rightJustified(2, '0') +
            QByteArray::number(date.day()).rightJustified(2, '0');
        bytes += ',' + QByteArray::number(100000 + (i * 7919) % 900000) + ",123,456,789,012," +
            QByteArray::number(10 + i % 90) + "\r\n";
        date = date.day() == 16 ? QDate(date.year(), date.month(), 1) : date.addMonths(-1).addDays(15);
    }
    return bytes;
}

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
