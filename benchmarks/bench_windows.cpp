// What the user does in the two windows, timed with the windows shown (offscreen): start-up, selection by the month
// menu, the report of every draw, and the analysis of every draw. Each at a number of draws given by --draws
// (default 756 and 100000), on a synthetic file of one draw a day.
//
//   bench_windows [--draws=756,100000] [Google Benchmark options]
#include "SyntheticResults.h"
#include "analysiswindow/Form2.h"
#include "mainwindow/Form1.h"
#include "widgets/Fonts.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

struct ProgramDirectory
{
    explicit ProgramDirectory(int draws)
    {
        QFile file(dir.filePath(QStringLiteral("db.dll")));
        if (file.open(QIODevice::WriteOnly)) {
            file.write(syntheticResults(draws));
        }
    }
    QTemporaryDir dir;
};

// Lets the shown windows lay out and paint what the last step changed: runs events until none is left (the views lay
// their rows out on a zero timer, and then paint).
void settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10000);
}

std::unique_ptr<Form1> startedWindow(const ProgramDirectory& program)
{
    auto form = std::make_unique<Form1>(Form1Config {program.dir.path(), {}});
    form->load();
    form->show();
    settle();
    return form;
}

void trigger(Form1& form, const char* action)
{
    form.findChild<QAction*>(QLatin1StringView(action))->trigger();
}

void click(QWidget& window, const char* button)
{
    window.findChild<QPushButton*>(QLatin1StringView(button))->click();
}

void selectedCount(benchmark::State& state, const Form1& form)
{
    state.counters["selected"] = static_cast<double>(form.selectedDrawIndexes().size());
}

Form2* analysisWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<Form2*>(widget); window && window->isVisible()) {
            return window;
        }
    }
    return nullptr;
}

// The resident memory of the process now and at its peak, in MB, from /proc/self/status.
void memoryCounters(benchmark::State& state)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        for (const char* key : {"VmRSS:", "VmHWM:"}) {
            if (line.startsWith(key)) {
                const double kilobytes = line.mid(qsizetype(std::strlen(key))).trimmed().split(' ').value(0).toDouble();
                state.counters[std::strcmp(key, "VmRSS:") == 0 ? "rss_MB" : "peak_rss_MB"] = kilobytes / 1024.0;
            }
        }
    }
}

void startUp(benchmark::State& state)
{
    const ProgramDirectory program(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto form = startedWindow(program);
        state.PauseTiming();
        form.reset();
        settle();
        state.ResumeTiming();
    }
}

// Times `step` on a shown main window; `prepare` runs before each step, untimed.
void timeSelection(benchmark::State& state, const char* prepare, const char* step)
{
    const ProgramDirectory program(static_cast<int>(state.range(0)));
    auto form = startedWindow(program);
    // The month menu's items are actions; "เคลี่ยร์" is a button.
    const auto run = [&form](const char* name) {
        if (std::strcmp(name, "PushButton6") == 0) {
            click(*form, name);
        } else {
            trigger(*form, name);
        }
        settle();
    };
    for (auto _ : state) {
        state.PauseTiming();
        run(prepare);
        state.ResumeTiming();
        run(step);
    }
    selectedCount(state, *form);
}

void selectAll(benchmark::State& state)
{
    timeSelection(state, "PushButton6", "nmuall");
}

void selectMonth(benchmark::State& state)
{
    timeSelection(state, "PushButton6", "nmuaugust");
}

void clearAfterSelectAll(benchmark::State& state)
{
    timeSelection(state, "nmuall", "PushButton6");
}

void reportOfEveryDraw(benchmark::State& state)
{
    const ProgramDirectory program(static_cast<int>(state.range(0)));
    auto form = startedWindow(program);
    trigger(*form, "nmuall");
    settle();
    for (auto _ : state) {
        click(*form, "PushButton3");
        settle();
    }
}

// Opens the analysis window on every draw and runs the analysis with every box at its initial text.
void analysisOfEveryDraw(benchmark::State& state)
{
    const ProgramDirectory program(static_cast<int>(state.range(0)));
    auto form = startedWindow(program);
    trigger(*form, "nmuall");
    settle();
    for (auto _ : state) {
        click(*form, "PushButton5");
        settle();
        Form2* window = analysisWindow();
        if (!window) {
            state.SkipWithError("the analysis window did not open");
            break;
        }
        click(*window, "PushButton1");
        settle();
        state.PauseTiming();
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        settle();
        state.ResumeTiming();
    }
}

// One whole session at this size, for its memory: start-up, select all, the report, and the analysis window open on
// every draw after an analysis.
void memoryOfASession(benchmark::State& state)
{
    const ProgramDirectory program(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto form = startedWindow(program);
        trigger(*form, "nmuall");
        click(*form, "PushButton3");
        click(*form, "PushButton5");
        settle();
        if (Form2* window = analysisWindow()) {
            click(*window, "PushButton1");
        }
        settle();
        state.PauseTiming();
        memoryCounters(state);
        form.reset();
        settle();
        state.ResumeTiming();
    }
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    std::vector<char*> arguments;
    QList<int> sizes {756, 100000};
    for (int i = 0; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument.startsWith("--draws=")) {
            sizes.clear();
            for (const QByteArray& size : argument.mid(8).split(',')) {
                sizes.append(size.toInt());
            }
        } else {
            arguments.push_back(argv[i]);
        }
    }
    int count = static_cast<int>(arguments.size());
    QApplication app(count, arguments.data());
    Fonts::installFontSubstitutions();
    QApplication::setFont(Fonts::windowFont());

    const std::vector<std::pair<const char*, void (*)(benchmark::State&)>> benchmarks {
        {"startUp", startUp},
        {"selectAll", selectAll},
        {"selectMonth", selectMonth},
        {"clearAfterSelectAll", clearAfterSelectAll},
        {"reportOfEveryDraw", reportOfEveryDraw},
        {"analysisOfEveryDraw", analysisOfEveryDraw},
        {"memoryOfASession", memoryOfASession},
    };
    for (const auto& [name, function] : benchmarks) {
        auto* registered = benchmark::RegisterBenchmark(name, function)->Unit(benchmark::kMillisecond);
        for (const int size : sizes) {
            registered->Arg(size);
        }
        if (std::strcmp(name, "memoryOfASession") == 0) {
            registered->Iterations(1);
        }
    }
    benchmark::Initialize(&count, arguments.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
