#pragma once

#include "LocalHttpServer.h"
#include "data/DrawRecord.h"
#include "data/PrizeTable.h"

#include <QByteArray>
#include <QDate>
#include <QHash>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QMap>
#include <QObject>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <memory>

class Clock;
class GloApiSource;

/// Answers of the lottery office's JSON API for tests: the saved real ones and crafted ones.
namespace GloApiAnswers {

/// The bytes of a saved real answer in the test data ("getLotteryResult-2015-09-01.json").
QByteArray savedFile(const QString& fileName);
/// The full prize table of a saved real answer, as the program reads it; an answer without a whole table stops the
/// test program.
DrawPrizes savedTable(const QString& fileName);

/// The draw object of a draw in the office's layout. Before 1 Sep 2015 the four three-digit numbers are all in
/// `last3b`, from then on two in `last3f` and two in `last3b`. Rounds are listed out of order, as the office does.
QJsonObject drawObject(const DrawRecord& record);

/// A getLotteryResult answer carrying `draw`.
QByteArray lotteryResult(const QJsonObject& draw);
/// A getLatestLottery answer carrying `draw`.
QByteArray latestLottery(const QJsonObject& draw);
/// The getLotteryResult answer for a date without a draw.
QByteArray noDraw();

/// `body` with the value at `path` replaced (or removed, for an undefined value). Numbers in the path index arrays.
QByteArray edited(const QByteArray& body, const QStringList& path, const QJsonValue& value);

} // namespace GloApiAnswers

/// What the fake does instead of a good answer.
enum class GloFault {
    StatusFalse,
    ResponseNull,
    EmptyNumbers,
    Placeholders,
    Http403,
    Http404,
    Http429,
    Http500,
    Http503,
    Truncated,
    Slow,
    Dropped,
    Trickle, ///< the good answer, one byte every 50 ms
    DrawDay, ///< the draw still being drawn: first prize "xxxxxx", a three-digit "XXX", no two-digit number yet
    OtherDate, ///< the good answer carrying the date 2015-09-01, whatever draw was asked for
};

/// A fake of the lottery office's JSON API on a local HTTP server. It knows a set of draws; the newest is the one
/// getLatestLottery gives. Draws come from saved real answers or from records (synthetic answers).
class FakeGloApi : public QObject
{
    Q_OBJECT

public:
    static constexpr const char* latestPath = "/api/lottery/getLatestLottery";
    static constexpr const char* resultPath = "/api/checking/getLotteryResult";
    static constexpr const char* periodsPath = "/api/lottery/getPeriodsByYear";

    explicit FakeGloApi(QObject* parent = nullptr);

    bool listen() { return m_server.listen(); }
    QUrl baseUrl() const { return m_server.baseUrl(); }
    const LocalHttpServer& server() const { return m_server; }

    /// A source that asks this fake as the update does, with answers that may take 300 ms at most and draws from
    /// 2015 on, so that a full download stays short.
    std::unique_ptr<GloApiSource> updateSource(const Clock& clock) const;

    /// A draw served from a saved real answer of getLotteryResult.
    void addSavedDraw(const QString& fileName);
    /// A draw served from a synthetic answer.
    void addDraw(const DrawRecord& record);
    /// Every line of a results file as a synthetic draw.
    void addDrawLines(const QStringList& lines);

    /// getLatestLottery answers with these bytes from now on, whatever draws the fake knows.
    void setLatestAnswer(const QByteArray& body) { m_latestAnswer = body; }

    /// When off, getPeriodsByYear answers 404, as if the endpoint were gone.
    void setPeriodsByYearServed(bool served) { m_periodsServed = served; }
    /// How long a slow answer takes.
    void setSlowDelayMs(int delayMs) { m_slowDelayMs = delayMs; }

    /// The next answers of one endpoint (a path above) are these faults, one per request, before good answers.
    void failNext(const QByteArray& path, const QList<GloFault>& faults);
    /// Every answer of one endpoint is this fault from now on.
    void failAlways(const QByteArray& path, GloFault fault);

    /// Called with every request as it arrives, before it is answered.
    void setRequestObserver(std::function<void(const FakeHttpRequest&)> observer) { m_observer = std::move(observer); }

    /// How many requests reached a path.
    int requestCount(const QByteArray& path) const;
    /// The dates asked of getLotteryResult, in order.
    QList<QDate> askedDates() const;

private:
    FakeHttpResponse answer(const FakeHttpRequest& request);
    FakeHttpResponse faulty(GloFault fault, const QByteArray& goodBody) const;
    QByteArray latestBody() const;
    QByteArray resultBody(QDate date) const;
    QByteArray periodsBody(int year) const;

    LocalHttpServer m_server;
    QMap<QDate, QJsonObject> m_draws;
    QHash<QByteArray, QList<GloFault>> m_pending;
    QHash<QByteArray, GloFault> m_always;
    std::function<void(const FakeHttpRequest&)> m_observer;
    QByteArray m_latestAnswer;
    bool m_periodsServed = true;
    int m_slowDelayMs = 3000;
};
