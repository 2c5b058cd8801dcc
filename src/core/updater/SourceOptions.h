#pragma once

#include "updater/DrawSource.h"

#include <QUrl>

#include <functional>
#include <memory>

class Clock;
class GloApiSource;

/// Where the updater gets draws from. The program's command line fills it; these are the defaults of a start without
/// options.
struct SourceOptions
{
    /// The kinds of source. Each kind adds its own fields below and its case in `makeDrawSourceFactory`.
    enum class Kind { Page, Api };

    /// The lottery office's JSON API unless `--source=page` asks for the result page.
    Kind kind = Kind::Api;
    /// The lottery office's result page (`--result-page`).
    QUrl resultPage = defaultResultPage();
    /// Scheme, host and port of the lottery office's JSON API (`--api-base`).
    QUrl apiBase = defaultApiBase();

    static QUrl defaultResultPage();
    static QUrl defaultApiBase();
};

using DrawSourceFactory = std::function<std::unique_ptr<DrawSource>()>;

/// The lottery office's JSON API at the options' address, whatever kind the options choose: the check against the
/// office asks it alone. It reads the time from `clock`, which must outlive it.
std::unique_ptr<GloApiSource> makeApiSource(const SourceOptions& options, const Clock& clock);

/// Makes the sources the options describe; they read the time from `clock`, which must outlive them.
DrawSourceFactory makeDrawSourceFactory(const SourceOptions& options, const Clock& clock);
