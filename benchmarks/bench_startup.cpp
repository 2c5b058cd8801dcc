// Reading and titling a large results file, the main window's load step on it, and the start-up to the main
// window's first painted frame beside an empty window shown the same way.
//
// The platform is the one QT_QPA_PLATFORM names, offscreen when it names none; under Xvfb:
//   Xvfb :99 -screen 0 1366x768x24 &  DISPLAY=:99 QT_QPA_PLATFORM=xcb bench_startup
#include "SyntheticResults.h"
#include "data/ResultsFile.h"
#include "data/ThaiCalendar.h"
#include "mainwindow/Form1.h"
#include "widgets/Fonts.h"
#include "widgets/ThaiTranslations.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <sys/resource.h>

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

// Notes the first paint of the window it watches.
class FirstPaint final : public QObject
{
public:
    bool painted = false;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            painted = true;
        }
        return QObject::eventFilter(watched, event);
    }
};

// Shows the window `make` builds and runs the events until it has painted once.
template<typename MakeWindow>
std::unique_ptr<QWidget> showUntilPainted(MakeWindow make)
{
    FirstPaint watcher;
    std::unique_ptr<QWidget> window = make();
    window->installEventFilter(&watcher);
    window->show();
    while (!watcher.painted) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    window->removeEventFilter(&watcher);
    return window;
}

// Times building a window with `make`, showing it and running the events until it has painted once. The window is
// closed and deleted outside the timing.
template<typename MakeWindow>
void timeToFirstPaint(benchmark::State& state, MakeWindow make)
{
    for (auto _ : state) {
        std::unique_ptr<QWidget> window = showUntilPainted(make);
        state.PauseTiming();
        window.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

// What every Qt Widgets program pays: a bare top-level window shown and painted.
void emptyWindowFirstPaint(benchmark::State& state)
{
    timeToFirstPaint(state, [] { return std::make_unique<QWidget>(); });
}
BENCHMARK(emptyWindowFirstPaint)->Unit(benchmark::kMillisecond)->UseRealTime();

// A program directory like the installed one: the bundled results file of 756 draws, the skin and the prize store.
struct InstalledProgram
{
    // A copy of the bundled files in a directory of its own; or, when VARENTA_BENCH_PROGRAM_DIR names a directory
    // already set up so, that directory as it is, so that a whole-process measurement holds no copying.
    InstalledProgram()
    {
        if (const QString given = qEnvironmentVariable("VARENTA_BENCH_PROGRAM_DIR"); !given.isEmpty()) {
            path = given;
            return;
        }
        copy.emplace();
        path = copy->path();
        const QDir bundled(QStringLiteral(VARENTA_BUNDLED_DATA));
        QDir(path).mkdir(QStringLiteral("Graphic"));
        for (const QString& name :
            {QStringLiteral("db.dll"), QStringLiteral("prizes.sqlite"), QStringLiteral("Graphic/Normalblue.ini")}) {
            QFile::copy(bundled.filePath(name), QDir(path).filePath(name));
        }
    }
    // The main window as the program starts it.
    std::unique_ptr<QWidget> mainWindow() const
    {
        auto form = std::make_unique<Form1>(Form1Config {path, {}});
        form->load();
        return form;
    }
    std::optional<QTemporaryDir> copy;
    QString path;
};

void mainWindowFirstPaint(benchmark::State& state)
{
    const InstalledProgram program;
    timeToFirstPaint(state, [&program] { return program.mainWindow(); });
}
BENCHMARK(mainWindowFirstPaint)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

namespace {

// The CPU time (user and system) the process has used so far, in microseconds.
qint64 cpuMicroseconds()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    const auto micros = [](const timeval& time) { return qint64(time.tv_sec) * 1000000 + time.tv_usec; };
    return micros(usage.ru_utime) + micros(usage.ru_stime);
}

// Ends a start-up measured to its first painted frame: says the CPU time it took, less `setUp` (the benchmark's own
// copy of the program's files), and leaves without the tear-down a program pays on closing, which comes after the
// frame and differs between the two windows measured.
[[noreturn]] void endAtFirstPaint(qint64 setUp, std::optional<QTemporaryDir>* copied = nullptr)
{
    std::printf("cpu to first paint: %.2f ms\n", double(cpuMicroseconds() - setUp) / 1000.0);
    std::fflush(stdout);
    if (copied && *copied) {
        (*copied)->remove();
    }
    std::_Exit(0);
}

} // namespace

// With --first-paint-once=main or =empty, the program only shows that window once, waits for its first paint and
// ends there: a whole start-up from cold to its first frame, for hyperfine or callgrind to set one against the other.
// It prints the CPU time that took. With
// --first-paint-shot=FILE it saves the main window as first painted to FILE (PNG), so that two builds' windows can be
// compared pixel by pixel.
int main(int argc, char** argv)
{
    const QByteArray once = argc > 1 ? QByteArray(argv[argc - 1]) : QByteArray();
    const bool onceMain = once == "--first-paint-once=main";
    const bool onceEmpty = once == "--first-paint-once=empty";
    const QByteArray shotOption = "--first-paint-shot=";
    const QString shotFile =
        once.startsWith(shotOption) ? QString::fromLocal8Bit(once.mid(shotOption.size())) : QString();
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    if (onceEmpty) {
        showUntilPainted([] { return std::make_unique<QWidget>(); });
        endAtFirstPaint(0);
    }
    // As the program does before it builds the main window.
    Fonts::installFontSubstitutions();
    QApplication::setFont(Fonts::windowFont());
    installThaiTranslations();
    if (onceMain) {
        const qint64 beforeCopy = cpuMicroseconds();
        InstalledProgram program;
        const qint64 copy = cpuMicroseconds() - beforeCopy;
        showUntilPainted([&program] { return program.mainWindow(); });
        endAtFirstPaint(copy, &program.copy);
    }
    if (!shotFile.isEmpty()) {
        const InstalledProgram program;
        const std::unique_ptr<QWidget> window = showUntilPainted([&program] { return program.mainWindow(); });
        return window->grab().save(shotFile, "PNG") ? 0 : 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
