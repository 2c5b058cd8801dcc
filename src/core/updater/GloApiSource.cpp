#include "GloApiSource.h"

#include "GloApiJson.h"
#include "GloApiTexts.h"
#include "ProgramVersion.h"
#include "UpdaterTexts.h"
#include "data/DataTexts.h"
#include "data/ThaiCalendar.h"
#include "updater/HttpFetch.h"
#include "updater/Module1.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkRequest>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QString latestPath = u"/api/lottery/getLatestLottery"_s;
const QString resultPath = u"/api/checking/getLotteryResult"_s;
const QString periodsPath = u"/api/lottery/getPeriodsByYear"_s;

constexpr int maxTries = 3;
constexpr int maxRedirects = 3;
// How far after today a latest draw may lie: a draw day moved by a holiday, or a clock that is wrong by a few days.
constexpr int maxDaysAhead = 31;
// Stored draws older than this are not trusted to start a search from.
const QDate earliestUsableDate(2010, 1, 1);

bool worthRetrying(int status)
{
    return status == 403 || status == 429 || (status >= 500 && status <= 599);
}

QByteArray lotteryResultBody(QDate date)
{
    const QJsonObject body {{u"date"_s, u"%1"_s.arg(date.day(), 2, 10, QChar(u'0'))},
        {u"month"_s, u"%1"_s.arg(date.month(), 2, 10, QChar(u'0'))},
        {u"year"_s, u"%1"_s.arg(date.year(), 4, 10, QChar(u'0'))}};
    return QJsonDocument(body).toJson(QJsonDocument::Compact);
}

// The days a draw may fall on: the 1st and 16th, moved a day or two by holidays (30 Dec for 1 Jan, 2 May,
// 17 Jan, 15 and 31 July), of one year, after `after` and before `before`.
QList<QDate> likelyDrawDays(int year, QDate after, QDate before)
{
    QList<QDate> days;
    for (int month = 1; month <= 12; ++month) {
        for (const int day : {1, 2, 15, 16, 17, 30, 31}) {
            const QDate date(year, month, day);
            if (date.isValid() && (!after.isValid() || date > after) && date < before) {
                days.append(date);
            }
        }
    }
    return days;
}

} // namespace

GloApiSource::GloApiSource(GloApiOptions options, const Clock& clock, QObject* parent)
    : QObject(parent)
    , m_options(std::move(options))
    , m_clock(clock)
    , m_network(new QNetworkAccessManager(this))
{ }

GloApiSource::~GloApiSource()
{
    cancel();
}

Result<QStringList> GloApiSource::listDrawEntries()
{
    if (m_cancelled) {
        return Result<QStringList>::failure(UpdaterTexts::updateCancelled().toString());
    }
    const Answer answer = post(latestPath, "{}");
    if (!answer.error.isEmpty()) {
        return Result<QStringList>::failure(answer.error);
    }
    const Result<GloApiJson::DrawAnswer> latest = GloApiJson::readLatestLottery(answer.body);
    if (!latest) {
        return Result<QStringList>::failure(latest.error());
    }
    const QDate latestDate = latest.value().date;
    m_prizeTables.keep(answer.body);
    // A latest draw far beyond today is no draw the office can have held: every day up to it would be asked for.
    const QDate today = m_clock.now().date();
    if (latestDate > today.addDays(maxDaysAhead)) {
        return Result<QStringList>::failure(
            GloApiTexts::latestTooFar().toString().arg(drawTitle(drawDateOf(latestDate))));
    }
    if (latest.value().record) {
        m_fetched.insert(latest.value().record.value().drawDate, latest.value().record.value());
    } else if (latest.value().incomplete) {
        m_incomplete.insert(drawDateOf(latestDate));
    }

    // A stored newest draw that is no calendar date, or lies before the office's records, would make the search
    // walk over decades: only the office's own lists of draw dates are asked then, never day by day.
    const QDate stored = gregorianDate(m_newestStoredKey);
    const bool storedUsable = stored.isValid() && stored >= earliestUsableDate;
    const QDate newestStored = storedUsable ? stored : QDate();
    // Nothing newer than the stored draws: the latest draw alone tells the flow so.
    if (newestStored.isValid() && latestDate <= newestStored) {
        return QStringList {drawDateOf(latestDate)};
    }

    QList<QDate> dates {latestDate};
    const int firstYear = newestStored.isValid() ? newestStored.year() : m_options.firstYear;
    const bool probeAllowed = m_newestStoredKey.isEmpty() || storedUsable;
    for (int year = latestDate.year(); year >= firstYear; --year) {
        const Result<QList<QDate>> ofYear = drawDatesOfYear(year, newestStored, latestDate, probeAllowed);
        if (!ofYear) {
            return Result<QStringList>::failure(ofYear.error());
        }
        dates += ofYear.value();
    }
    std::sort(dates.begin(), dates.end(), std::greater<>());
    dates.erase(std::unique(dates.begin(), dates.end()), dates.end());

    QStringList entries;
    for (const QDate& date : std::as_const(dates)) {
        entries.append(drawDateOf(date));
    }
    if (!m_newestStoredKey.isEmpty()) {
        // The newest stored draw ends the list: the walk over it stops there.
        entries.append(m_newestStoredKey.left(8));
    }
    return entries;
}

Result<DrawRecord> GloApiSource::fetchDraw(const QString& entry, FetchPace pace)
{
    // The office's answers come at the same pace whatever the flow; the pause between requests is kept anyway.
    Q_UNUSED(pace);
    if (m_cancelled) {
        return Result<DrawRecord>::failure(UpdaterTexts::updateCancelled().toString());
    }
    const QString key = entry.left(8);
    const QDate date = gregorianDate(key);
    if (!date.isValid()) {
        return Result<DrawRecord>::failure(DataTexts::badDrawKey().toString().arg(entry));
    }
    const auto known = m_fetched.constFind(key);
    if (known != m_fetched.cend()) {
        return *known;
    }
    Result<OfficeDraw> answer = officeDraw(date);
    if (!answer) {
        return Result<DrawRecord>::failure(answer.error());
    }
    m_prizeTables.keep(std::move(answer.value().table), key);
    GloApiJson::DrawAnswer& read = answer.value().draw;
    if (read.date == date && read.incomplete) {
        m_incomplete.insert(key);
    } else {
        m_incomplete.remove(key);
    }
    if (read.date != date) {
        return Result<DrawRecord>::failure(GloApiTexts::noDrawOnDate().toString().arg(drawTitle(key)));
    }
    return std::move(read.record);
}

Result<FetchedPrizeTable> GloApiSource::fetchPrizeTable(const QString& key)
{
    if (m_cancelled) {
        return Result<FetchedPrizeTable>::failure(UpdaterTexts::updateCancelled().toString());
    }
    FetchedPrizeTable table;
    table.drawKey = key;
    table.prizes.drawKey = key;
    const QDate date = gregorianDate(key);
    if (!date.isValid()) {
        table.error = DataTexts::badDrawKey().toString().arg(key);
        return table;
    }
    const Answer answer = post(resultPath, lotteryResultBody(date));
    if (!answer.error.isEmpty()) {
        return Result<FetchedPrizeTable>::failure(answer.error);
    }
    std::optional<FetchedPrizeTable> read = GloApiPrizes::tableFromAnswer(answer.body);
    if (!read) {
        table.error = GloApiTexts::noDrawOnDate().toString().arg(drawTitle(key));
        return table;
    }
    // The date inside the answer decides whose table it is: another draw's is no table of the asked one.
    if (read->drawKey != key) {
        table.error = GloApiTexts::otherDrawAnswered().toString().arg(drawTitle(read->drawKey), drawTitle(key));
        return table;
    }
    return std::move(*read);
}

void GloApiSource::cancel()
{
    m_cancelled = true;
    if (m_fetch) {
        m_fetch->cancel();
    }
}

Result<QList<QDate>> GloApiSource::drawDatesOfYear(int year, QDate after, QDate latest, bool probeAllowed)
{
    if (!m_periodsByYearGone) {
        const QJsonObject request {{u"year"_s, year}, {u"type"_s, u"ALL"_s}};
        const Answer answer = post(periodsPath, QJsonDocument(request).toJson(QJsonDocument::Compact));
        if (m_cancelled) {
            return Result<QList<QDate>>::failure(UpdaterTexts::updateCancelled().toString());
        }
        if (answer.error.isEmpty()) {
            const Result<QList<QDate>> periods = GloApiJson::readPeriodsByYear(answer.body, year);
            // Without the day-by-day search, the office's list is taken as it is, even when it is empty.
            if (periods && (!periods.value().isEmpty() || !probeAllowed)) {
                m_listedDates += periods.value();
                QList<QDate> dates;
                for (const QDate& date : periods.value()) {
                    if ((!after.isValid() || date > after) && date <= latest) {
                        dates.append(date);
                    }
                }
                return dates;
            }
        } else if (answer.status == 404 || answer.status == 405) {
            // The endpoint is gone: do not ask it again for the other years.
            m_periodsByYearGone = true;
        }
    }
    if (!probeAllowed) {
        return Result<QList<QDate>>::failure(GloApiTexts::noDrawDates().toString().arg(year + 543));
    }
    return probeDrawDays(year, after, latest);
}

Result<QList<QDate>> GloApiSource::probeDrawDays(int year, QDate after, QDate latest)
{
    QList<QDate> dates;
    QDate month;
    for (const QDate& day : likelyDrawDays(year, after, latest)) {
        if (month.isValid() ? month.month() != day.month() : true) {
            month = QDate(day.year(), day.month(), 1);
            reportProgress(UpdateProgress::looking(month));
        }
        const Answer answer = post(resultPath, lotteryResultBody(day));
        if (!answer.error.isEmpty()) {
            return Result<QList<QDate>>::failure(answer.error);
        }
        const Result<GloApiJson::DrawAnswer> read = GloApiJson::readLotteryResult(answer.body);
        if (!read) {
            return Result<QList<QDate>>::failure(read.error());
        }
        if (read.value().date == day) {
            dates.append(day);
            m_prizeTables.keep(answer.body, drawDateOf(day));
            if (read.value().record) {
                m_fetched.insert(read.value().record.value().drawDate, read.value().record.value());
            }
        }
    }
    return dates;
}

GloApiSource::Answer GloApiSource::post(const QString& path, const QByteArray& body)
{
    Answer answer;
    for (int attempt = 1; attempt <= maxTries; ++attempt) {
        if (attempt > 1) {
            // 2 seconds after the first refusal, 4 after the second.
            waitSinceLastRequest(2 * (attempt - 1));
        }
        answer = postOnce(path, body);
        if (!worthRetrying(answer.status) || m_cancelled) {
            break;
        }
    }
    return answer;
}

void GloApiSource::waitSinceLastRequest(int seconds)
{
    while (!m_cancelled && m_lastRequestEnd.isValid()) {
        const qint64 left = seconds * qint64(1000) - m_lastRequestEnd.msecsTo(m_clock.now());
        if (left <= 0) {
            return;
        }
        Module1::WaitSeconds(
            static_cast<double>(std::max<qint64>(1, left / 1000)), m_clock, [this] { return m_cancelled; });
    }
}

GloApiSource::Answer GloApiSource::postOnce(const QString& path, const QByteArray& body)
{
    Answer answer;
    // At least one second from the end of one request to the start of the next.
    waitSinceLastRequest(1);
    if (m_cancelled) {
        answer.error = UpdaterTexts::updateCancelled().toString();
        return answer;
    }

    QUrl url = m_options.baseUrl;
    url.setPath(path);
    HttpRequest request = HttpRequest::post(QNetworkRequest(url), body);
    request.request.setHeader(QNetworkRequest::ContentTypeHeader, u"application/json"_s);
    request.request.setRawHeader("Accept", "application/json");
    request.request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Varenta/" VARENTA_VERSION));
    const HttpLimits limits {
        m_options.transferTimeout, m_options.overallTimeout, maxRedirects, m_options.maxAnswerBytes};

    ++m_requestCount;
    HttpFetch fetch(*m_network, request, limits);
    m_fetch = &fetch;
    const HttpResult& result = fetch.waitForResult();
    m_fetch = nullptr;
    m_lastRequestEnd = m_clock.now();

    answer.status = result.status;
    if (m_cancelled) {
        answer.error = UpdaterTexts::updateCancelled().toString();
    } else if (!result.ok()) {
        answer.error = result.failureText(GloApiTexts::notReached());
    } else {
        answer.body = result.body;
    }
    return answer;
}

Result<GloApiSource::OfficeDraw> GloApiSource::officeDraw(QDate date)
{
    const Answer answer = post(resultPath, lotteryResultBody(date));
    if (!answer.error.isEmpty()) {
        return Result<OfficeDraw>::failure(answer.error);
    }
    Result<GloApiJson::DrawAnswer> draw = GloApiJson::readLotteryResult(answer.body);
    if (!draw) {
        return Result<OfficeDraw>::failure(draw.error());
    }
    // The answer already holds the draw's whole table: it is read from the same bytes, not asked for again.
    return OfficeDraw {std::move(draw.value()), GloApiPrizes::tableFromAnswer(answer.body)};
}

Result<QList<QDate>> GloApiSource::officeDrawDates(int year)
{
    const QJsonObject request {{u"year"_s, year}, {u"type"_s, u"ALL"_s}};
    const Answer answer = post(periodsPath, QJsonDocument(request).toJson(QJsonDocument::Compact));
    if (!answer.error.isEmpty()) {
        return Result<QList<QDate>>::failure(answer.error);
    }
    return GloApiJson::readPeriodsByYear(answer.body, year);
}
