#pragma once

#include "data/Result.h"
#include "updater/DrawSource.h"

#include <QCommandLineOption>
#include <QList>
#include <QUrl>

#include <functional>
#include <memory>

class Clock;
class GloApiSource;
class QCommandLineParser;

/// Where the updater gets draws from, as the command line chooses it.
struct SourceOptions
{
    /// The kinds of source. Each kind adds its own options below and its case in `makeDrawSourceFactory`.
    enum class Kind { Page, Api };

    /// The lottery office's JSON API unless `--source=page` asks for the result page.
    Kind kind = Kind::Api;
    /// The lottery office's result page (`--result-page`).
    QUrl resultPage = defaultResultPage();
    /// Scheme, host and port of the lottery office's JSON API (`--api-base`).
    QUrl apiBase = defaultApiBase();

    static QUrl defaultResultPage();
    static QUrl defaultApiBase();

    /// The command-line options of the updater's sources.
    static QList<QCommandLineOption> commandLineOptions();
    static void addTo(QCommandLineParser& parser);
    /// Reads the options from a parser that has processed the command line; fails with a message for the user of
    /// the command line when a value is unusable.
    static Result<SourceOptions> read(const QCommandLineParser& parser);
};

using DrawSourceFactory = std::function<std::unique_ptr<DrawSource>()>;

/// The lottery office's JSON API at the options' address, whatever kind the options choose: the check against the
/// office asks it alone. It reads the time from `clock`, which must outlive it.
std::unique_ptr<GloApiSource> makeApiSource(const SourceOptions& options, const Clock& clock);

/// Makes the sources the options describe; they read the time from `clock`, which must outlive them.
DrawSourceFactory makeDrawSourceFactory(const SourceOptions& options, const Clock& clock);
