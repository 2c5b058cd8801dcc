#pragma once

#include "updater/Clock.h"
#include "updater/DrawSource.h"
#include "updater/GloApiJson.h"
#include "updater/GloApiPrizes.h"

#include <QByteArray>
#include <QDate>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QUrl>

#include <chrono>
#include <optional>

class HttpFetch;
class QNetworkAccessManager;

/// Settings of the JSON API source.
struct GloApiOptions
{
    /// Scheme, host and port of the API; the endpoints' paths are appended.
    QUrl baseUrl = QUrl(QStringLiteral("https://www.glo.or.th"));
    /// How long one request may go without receiving anything.
    std::chrono::milliseconds transferTimeout {30000};
    /// The first year asked for when no draw is stored yet.
    int firstYear = 2010;
    /// Answers larger than this are refused; the transfer stops as soon as it is passed.
    qint64 maxAnswerBytes = 4 * 1024 * 1024;
    /// How long one request may take in all, however steadily its answer trickles in.
    std::chrono::milliseconds overallTimeout {60000};
};

/// Draws from the lottery office's JSON API. Requests are POSTs with a JSON body, one second apart at least, each
/// tried up to three times with growing pauses when the office answers 403, 429 or 5xx.
///
/// The list reaches back to the draw after the newest stored one (`setNewestStoredKey`), or to `firstYear` when
/// nothing is stored. The draw dates come from getPeriodsByYear; where that gives nothing usable, the likely draw
/// days are asked of getLotteryResult one by one. A latest draw more than 31 days after today is a failure; a
/// stored newest draw that is no date or lies before 2010 is searched from `firstYear` by getPeriodsByYear alone.
class GloApiSource final : public QObject, public DrawSource
{
    Q_OBJECT

public:
    explicit GloApiSource(GloApiOptions options, const Clock& clock = Clock::system(), QObject* parent = nullptr);
    ~GloApiSource() override;

    /// The list holds the draws after `key` and ends with `key` itself, so that a walk over the list meets a draw
    /// that is not new; when nothing is newer the list is the latest draw alone.
    void setNewestStoredKey(const QString& key) override { m_newestStoredKey = key; }

    Result<QStringList> listDrawEntries() override;
    Result<DrawRecord> fetchDraw(const QString& entry, FetchPace pace) override;
    void cancel() override;
    QList<FetchedPrizeTable> fetchedPrizeTables() const override { return m_prizeTables.tables(); }
    bool isIncomplete(const QString& key) const override { return m_incomplete.contains(key.left(8)); }
    QList<QDate> listedDrawDates() const override { return m_listedDates; }
    bool offersPrizeTables() const override { return true; }
    Result<FetchedPrizeTable> fetchPrizeTable(const QString& key) override;

    /// The clock the source's pauses and date checks read.
    const Clock& clock() const { return m_clock; }

    /// How many requests were sent, tries included.
    int requestCount() const { return m_requestCount; }

    /// The office's answer for one day, read as a draw and as the draw's full prize table.
    struct OfficeDraw
    {
        /// Without a draw on that day it carries no valid `date`.
        GloApiJson::DrawAnswer draw;
        /// The full table the answer carries, of whatever draw it is; no value when it carries none.
        std::optional<FetchedPrizeTable> table;
    };
    /// The office's answer for the draw of one day (getLotteryResult), paced and retried as every request.
    Result<OfficeDraw> officeDraw(QDate date);
    /// The draw dates the office lists for one year (getPeriodsByYear), oldest first; may be empty.
    Result<QList<QDate>> officeDrawDates(int year);

private:
    struct Answer
    {
        int status = 0; ///< 0 when no HTTP answer came
        QByteArray body;
        QString error; ///< empty on a 2xx answer
    };

    Answer post(const QString& path, const QByteArray& body);
    Answer postOnce(const QString& path, const QByteArray& body);
    /// Lets at least `seconds` pass since the end of the last request, events running meanwhile.
    void waitSinceLastRequest(int seconds);
    Result<QList<QDate>> drawDatesOfYear(int year, QDate after, QDate latest, bool probeAllowed);
    Result<QList<QDate>> probeDrawDays(int year, QDate after, QDate latest);

    GloApiOptions m_options;
    const Clock& m_clock;
    QNetworkAccessManager* m_network = nullptr;
    HttpFetch* m_fetch = nullptr; ///< the request under way, which `cancel` ends at once
    QString m_newestStoredKey;
    QHash<QString, DrawRecord> m_fetched;
    GloApiPrizes::Keeper m_prizeTables;
    QSet<QString> m_incomplete; ///< keys of draws the office is still publishing
    QList<QDate> m_listedDates; ///< every date getPeriodsByYear gave, before the search picks the new ones
    QDateTime m_lastRequestEnd;
    bool m_periodsByYearGone = false;
    bool m_cancelled = false;
    int m_requestCount = 0;
};
