#include "PageDrawSource.h"

#include "data/DrawKeys.h"
#include "data/ThaiCalendar.h"
#include "updater/Module1.h"
#include "updater/ResultPage.h"
#include "updater/UpdaterTexts.h"

using namespace Qt::StringLiterals;

namespace {

// Pauses that give the page time to settle, in seconds.
constexpr int afterLoadSeconds = 3;
constexpr int beforePressSeconds = 1;
constexpr int updateSettleSeconds = 4;
constexpr int downloadSettleSeconds = 1;

} // namespace

PageDrawSource::PageDrawSource(QUrl resultPage, const Clock& clock, const PageClient::Limits& limits)
    : m_resultPage(std::move(resultPage))
    , m_clock(clock)
{
    m_client.setLimits(limits);
}

PageDrawSource::~PageDrawSource() = default;

void PageDrawSource::waitSeconds(double seconds)
{
    Module1::WaitSeconds(seconds, m_clock, [this] { return m_cancelled; });
}

Status PageDrawSource::settleAfterLoad(double seconds)
{
    if (const Status loaded = m_client.waitUntilLoaded([this] { return m_cancelled; }); !loaded) {
        return loaded;
    }
    waitSeconds(seconds);
    return m_cancelled ? Status::failure(UpdaterTexts::cancelled().toString()) : Status::success();
}

Status PageDrawSource::LoadResultPage()
{
    if (m_cancelled) {
        return Status::failure(UpdaterTexts::cancelled().toString());
    }
    m_client.navigate(m_resultPage);
    return settleAfterLoad(afterLoadSeconds);
}

QStringList PageDrawSource::ListDrawEntries() const
{
    const HtmlDocument* document = m_client.document();
    return document ? ResultPage::ListDrawEntries(*document) : QStringList();
}

Status PageDrawSource::ShowDraw(const QString& entry, int settleSeconds)
{
    HtmlDocument* document = m_client.document();
    if (!document) {
        return Status::failure(UpdaterTexts::pageNotLoaded().toString());
    }
    const HtmlElement selector = document->elementByName(QString::fromUtf16(ResultPage::drawSelectorName));
    if (selector.isNull() || selector.tagName() != u"select") {
        return Status::failure(UpdaterTexts::noDrawSelector().toString());
    }
    // The selector takes the entry's whole value: only an option's own value can be chosen.
    if (!document->setSelectValue(selector, entry)) {
        return Status::failure(UpdaterTexts::drawNotListed().toString().arg(drawTitle(DrawKeys::drawKey(entry))));
    }
    waitSeconds(beforePressSeconds);
    if (m_cancelled) {
        return Status::failure(UpdaterTexts::cancelled().toString());
    }
    const HtmlElement button = document->elementByName(QString::fromUtf16(ResultPage::showButtonName));
    if (button.isNull()) {
        return Status::failure(UpdaterTexts::noShowButton().toString());
    }
    if (const Status pressed = m_client.press(button); !pressed) {
        return pressed;
    }
    // The numbers must come from the page the press brings, never from the one before it.
    return settleAfterLoad(settleSeconds);
}

Result<QStringList> PageDrawSource::listDrawEntries()
{
    if (const Status loaded = LoadResultPage(); !loaded) {
        return Result<QStringList>::failure(loaded.error());
    }
    const HtmlDocument* document = m_client.document();
    if (document->elementByName(QString::fromUtf16(ResultPage::drawSelectorName)).isNull()) {
        return Result<QStringList>::failure(UpdaterTexts::noDrawSelector().toString());
    }
    return ListDrawEntries();
}

Result<DrawRecord> PageDrawSource::fetchDraw(const QString& entry, FetchPace pace)
{
    if (!m_client.document()) {
        if (const Status loaded = LoadResultPage(); !loaded) {
            return Result<DrawRecord>::failure(loaded.error());
        }
    }
    const int settle = pace == FetchPace::Update ? updateSettleSeconds : downloadSettleSeconds;
    if (const Status shown = ShowDraw(entry, settle); !shown) {
        return Result<DrawRecord>::failure(shown.error());
    }
    const ResultPage::DrawNumbers numbers = ResultPage::ExtractDrawNumbers(*m_client.document());
    const QString key = DrawKeys::drawKey(entry);
    if (!numbers.complete()) {
        return Result<DrawRecord>::failure(UpdaterTexts::numbersMissing().toString().arg(drawTitle(key)));
    }
    DrawRecord draw = numbers;
    draw.drawDate = key;
    return draw;
}

void PageDrawSource::cancel()
{
    m_cancelled = true;
    m_client.abort();
}
