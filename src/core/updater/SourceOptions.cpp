#include "SourceOptions.h"

#include "updater/Clock.h"
#include "updater/GloApiSource.h"
#include "updater/PageDrawSource.h"

using namespace Qt::StringLiterals;

QUrl SourceOptions::defaultResultPage()
{
    return QUrl(u"http://www.glo.or.th/detail.php?link=result_text"_s);
}

QUrl SourceOptions::defaultApiBase()
{
    return QUrl(u"https://www.glo.or.th"_s);
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
