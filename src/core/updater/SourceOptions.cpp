#include "SourceOptions.h"

#include "updater/Clock.h"
#include "updater/GloApiSource.h"
#include "updater/PageDrawSource.h"

#include <QCommandLineParser>

using namespace Qt::StringLiterals;

namespace {

const QString sourceOption = u"source"_s;
const QString resultPageOption = u"result-page"_s;
const QString apiBaseOption = u"api-base"_s;

bool isWebAddress(const QUrl& url)
{
    return url.isValid() && (url.scheme() == u"http" || url.scheme() == u"https") && !url.host().isEmpty();
}

} // namespace

QUrl SourceOptions::defaultResultPage()
{
    return QUrl(u"http://www.glo.or.th/detail.php?link=result_text"_s);
}

QUrl SourceOptions::defaultApiBase()
{
    return QUrl(u"https://www.glo.or.th"_s);
}

QList<QCommandLineOption> SourceOptions::commandLineOptions()
{
    return {
        QCommandLineOption(sourceOption,
            u"Where the update gets draws from: api (the lottery office's JSON API, the default) or page (the "
            u"result page)."_s,
            u"kind"_s, u"api"_s),
        QCommandLineOption(
            apiBaseOption, u"Address of the lottery office's JSON API."_s, u"url"_s, defaultApiBase().toString()),
        QCommandLineOption(resultPageOption, u"Address of the lottery office's result page."_s, u"url"_s,
            defaultResultPage().toString()),
    };
}

void SourceOptions::addTo(QCommandLineParser& parser)
{
    parser.addOptions(commandLineOptions());
}

Result<SourceOptions> SourceOptions::read(const QCommandLineParser& parser)
{
    SourceOptions options;
    const QString kind = parser.value(sourceOption);
    if (kind == u"page") {
        options.kind = Kind::Page;
    } else if (kind == u"api") {
        options.kind = Kind::Api;
    } else {
        return Result<SourceOptions>::failure(u"Unknown --source: "_s + kind);
    }

    const QUrl resultPage = QUrl::fromUserInput(parser.value(resultPageOption));
    if (!isWebAddress(resultPage)) {
        return Result<SourceOptions>::failure(
            u"--result-page needs an http or https address: "_s + parser.value(resultPageOption));
    }
    options.resultPage = resultPage;

    const QUrl apiBase = QUrl::fromUserInput(parser.value(apiBaseOption));
    if (!isWebAddress(apiBase)) {
        return Result<SourceOptions>::failure(
            u"--api-base needs an http or https address: "_s + parser.value(apiBaseOption));
    }
    options.apiBase = apiBase;
    return options;
}

std::unique_ptr<GloApiSource> makeApiSource(const SourceOptions& options, const Clock& clock)
{
    GloApiOptions api;
    api.baseUrl = options.apiBase;
    return std::make_unique<GloApiSource>(api, clock);
}

DrawSourceFactory makeDrawSourceFactory(const SourceOptions& options, const Clock& clock)
{
    switch (options.kind) {
    case SourceOptions::Kind::Page:
        return [url = options.resultPage, &clock]() -> std::unique_ptr<DrawSource> {
            return std::make_unique<PageDrawSource>(url, clock);
        };
    case SourceOptions::Kind::Api:
        return [options, &clock]() -> std::unique_ptr<DrawSource> { return makeApiSource(options, clock); };
    }
    return {};
}
