#include "FakeGloApi.h"

#include "TestData.h"
#include "data/ResultsFile.h"
#include "data/ThaiCalendar.h"
#include "updater/GloApiPrizes.h"
#include "updater/GloApiSource.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace GloApiAnswers {

namespace {

QJsonValue replaced(const QJsonValue& node, QStringList path, const QJsonValue& value)
{
    if (path.isEmpty()) {
        return value;
    }
    const QString step = path.takeFirst();
    bool isIndex = false;
    const int index = step.toInt(&isIndex);
    if (isIndex && node.isArray()) {
        QJsonArray array = node.toArray();
        if (index < array.size()) {
            if (path.isEmpty() && value.isUndefined()) {
                array.removeAt(index);
            } else {
                array[index] = replaced(array.at(index), path, value);
            }
        }
        return array;
    }
    QJsonObject object = node.toObject();
    if (path.isEmpty() && value.isUndefined()) {
        object.remove(step);
    } else {
        object[step] = replaced(object.value(step), path, value);
    }
    return object;
}

QJsonArray numbers(const QStringList& values, const QList<int>& rounds)
{
    QJsonArray array;
    for (qsizetype i = 0; i < values.size(); ++i) {
        array.append(QJsonObject {{u"round"_s, rounds.at(i)}, {u"value"_s, values.at(i)}});
    }
    return array;
}

QJsonObject prize(const QString& price, const QJsonArray& numbers)
{
    return QJsonObject {{u"price"_s, price}, {u"number"_s, numbers}};
}

QByteArray envelope(const QString& operation, const QJsonValue& response)
{
    const QJsonObject root {{u"statusMessage"_s, QString(operation + u" - Success"_s)}, {u"statusCode"_s, 200},
        {u"message"_s, QJsonValue(QJsonValue::Null)}, {u"status"_s, true}, {u"response"_s, response}};
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

} // namespace

QByteArray savedFile(const QString& fileName)
{
    return testDataFile(u"glo-api/"_s + fileName);
}

DrawPrizes savedTable(const QString& fileName)
{
    const std::optional<FetchedPrizeTable> table = GloApiPrizes::tableFromAnswer(savedFile(fileName));
    if (!table || !table->error.isEmpty()) {
        qFatal("no full table in %s", qPrintable(fileName));
    }
    return table->prizes;
}

QJsonObject drawObject(const DrawRecord& record)
{
    const QDate date = gregorianDate(record.drawDate);
    QJsonObject data;
    data[u"first"_s] = prize(u"6000000.00"_s, numbers({record.firstPrize}, {1}));
    if (date < QDate(2015, 9, 1)) {
        data[u"last3f"_s] = prize(u"4000.00"_s, {});
        data[u"last3b"_s] = prize(u"2000.00"_s,
            numbers({record.threeDigit3, record.threeDigit1, record.threeDigit4, record.threeDigit2}, {3, 1, 4, 2}));
    } else {
        data[u"last3f"_s] = prize(u"4000.00"_s, numbers({record.threeDigit2, record.threeDigit1}, {2, 1}));
        data[u"last3b"_s] = prize(u"4000.00"_s, numbers({record.threeDigit4, record.threeDigit3}, {2, 1}));
    }
    data[u"last2"_s] = prize(u"2000.00"_s, numbers({record.twoDigit}, {1}));
    return QJsonObject {
        {u"date"_s, date.toString(Qt::ISODate)}, {u"period"_s, QJsonArray {1}}, {u"status"_s, 1}, {u"data"_s, data}};
}

QByteArray lotteryResult(const QJsonObject& draw)
{
    const QJsonObject responseStatus {
        {u"operation"_s, u"getLotteryResult"_s}, {u"status"_s, u"Success"_s}, {u"code"_s, u"00000"_s}};
    return envelope(u"getLotteryResult"_s, QJsonObject {{u"responseStatus"_s, responseStatus}, {u"result"_s, draw}});
}

QByteArray latestLottery(const QJsonObject& draw)
{
    return envelope(u"getLatestLottery"_s, draw);
}

QByteArray noDraw()
{
    return envelope(u"getLotteryResult"_s, QJsonValue(QJsonValue::Null));
}

QByteArray edited(const QByteArray& body, const QStringList& path, const QJsonValue& value)
{
    const QJsonValue root = QJsonDocument::fromJson(body).object();
    return QJsonDocument(replaced(root, path, value).toObject()).toJson(QJsonDocument::Compact);
}

} // namespace GloApiAnswers

FakeGloApi::FakeGloApi(QObject* parent)
    : QObject(parent)
    , m_server([this](const FakeHttpRequest& request) { return answer(request); }, this)
{ }

std::unique_ptr<GloApiSource> FakeGloApi::updateSource(const Clock& clock) const
{
    GloApiOptions options;
    options.baseUrl = baseUrl();
    options.transferTimeout = std::chrono::milliseconds(300);
    options.firstYear = 2015;
    return std::make_unique<GloApiSource>(options, clock);
}

void FakeGloApi::addSavedDraw(const QString& fileName)
{
    const QJsonObject draw = QJsonDocument::fromJson(GloApiAnswers::savedFile(fileName))
                                 .object()
                                 .value(u"response"_s)
                                 .toObject()
                                 .value(u"result"_s)
                                 .toObject();
    m_draws.insert(QDate::fromString(draw.value(u"date"_s).toString(), Qt::ISODate), draw);
}

void FakeGloApi::addDraw(const DrawRecord& record)
{
    const QJsonObject draw = GloApiAnswers::drawObject(record);
    m_draws.insert(QDate::fromString(draw.value(u"date"_s).toString(), Qt::ISODate), draw);
}

void FakeGloApi::addDrawLines(const QStringList& lines)
{
    for (const QString& line : lines) {
        addDraw(ResultsFile::parseDrawLine(line));
    }
}

void FakeGloApi::failNext(const QByteArray& path, const QList<GloFault>& faults)
{
    m_pending[path] += faults;
}

void FakeGloApi::failAlways(const QByteArray& path, GloFault fault)
{
    m_always.insert(path, fault);
}

int FakeGloApi::requestCount(const QByteArray& path) const
{
    int count = 0;
    for (const FakeHttpRequest& request : m_server.requests()) {
        count += request.path == path ? 1 : 0;
    }
    return count;
}

QList<QDate> FakeGloApi::askedDates() const
{
    QList<QDate> dates;
    for (const FakeHttpRequest& request : m_server.requests()) {
        if (request.path == resultPath) {
            const QJsonObject body = QJsonDocument::fromJson(request.body).object();
            dates.append(QDate(body.value(u"year"_s).toString().toInt(), body.value(u"month"_s).toString().toInt(),
                body.value(u"date"_s).toString().toInt()));
        }
    }
    return dates;
}

FakeHttpResponse FakeGloApi::answer(const FakeHttpRequest& request)
{
    if (m_observer) {
        m_observer(request);
    }
    FakeHttpResponse response;
    response.contentType = "application/json";
    if (request.method != "POST" || !request.headers.value("content-type").startsWith("application/json")) {
        response.status = 400;
        return response;
    }
    const QJsonDocument document = QJsonDocument::fromJson(request.body);
    const QJsonObject body = document.object();
    QByteArray good;
    if (request.path == latestPath) {
        good = latestBody();
    } else if (request.path == resultPath) {
        // The office takes zero-padded texts: {"date":"01","month":"09","year":"2015"}.
        static const QRegularExpression twoDigits(u"^\\d\\d$"_s);
        static const QRegularExpression fourDigits(u"^\\d{4}$"_s);
        const QJsonValue day = body.value(u"date"_s);
        const QJsonValue month = body.value(u"month"_s);
        const QJsonValue year = body.value(u"year"_s);
        if (!day.isString() || !month.isString() || !year.isString() || !twoDigits.match(day.toString()).hasMatch() ||
            !twoDigits.match(month.toString()).hasMatch() || !fourDigits.match(year.toString()).hasMatch()) {
            response.status = 400;
            return response;
        }
        good = resultBody(QDate(year.toString().toInt(), month.toString().toInt(), day.toString().toInt()));
    } else if (request.path == periodsPath && m_periodsServed) {
        if (!body.value(u"year"_s).isDouble() || body.value(u"type"_s).toString() != u"ALL"_s) {
            response.status = 400;
            return response;
        }
        good = periodsBody(body.value(u"year"_s).toInt());
    } else {
        response.status = 404;
        response.contentType = "text/html";
        response.body = "<html><body>Not Found</body></html>";
        return response;
    }

    QList<GloFault>& pending = m_pending[request.path];
    if (!pending.isEmpty()) {
        return faulty(pending.takeFirst(), good);
    }
    if (m_always.contains(request.path)) {
        return faulty(m_always.value(request.path), good);
    }
    response.body = good;
    return response;
}

FakeHttpResponse FakeGloApi::faulty(GloFault fault, const QByteArray& goodBody) const
{
    FakeHttpResponse response;
    response.contentType = "application/json";
    response.body = goodBody;
    // The draw is under `response.result`, or right under `response` in the latest-draw answer.
    const QJsonObject responseObject = QJsonDocument::fromJson(goodBody).object().value(u"response"_s).toObject();
    QStringList data {u"response"_s};
    if (responseObject.contains(u"result"_s)) {
        data << u"result"_s;
    }
    data << u"data"_s;
    switch (fault) {
    case GloFault::StatusFalse:
        response.body = GloApiAnswers::edited(goodBody, {u"status"_s}, false);
        break;
    case GloFault::ResponseNull:
        response.body = GloApiAnswers::edited(goodBody, {u"response"_s}, QJsonValue(QJsonValue::Null));
        break;
    case GloFault::EmptyNumbers:
        response.body = GloApiAnswers::edited(goodBody, data + QStringList {u"last3b"_s, u"number"_s}, QJsonArray());
        response.body =
            GloApiAnswers::edited(response.body, data + QStringList {u"last3f"_s, u"number"_s}, QJsonArray());
        break;
    case GloFault::Placeholders:
        response.body = GloApiAnswers::edited(
            goodBody, data + QStringList {u"first"_s, u"number"_s, u"0"_s, u"value"_s}, u"xxxxxx"_s);
        response.body = GloApiAnswers::edited(
            response.body, data + QStringList {u"last2"_s, u"number"_s, u"0"_s, u"value"_s}, u"xx"_s);
        break;
    case GloFault::Http403:
        response.status = 403;
        response.contentType = "text/html";
        response.body = "<html><body>Forbidden</body></html>";
        break;
    case GloFault::Http404:
        response.status = 404;
        response.contentType = "text/html";
        response.body = "<html><body>Not Found</body></html>";
        break;
    case GloFault::Http429:
        response.status = 429;
        response.body = R"({"message":"Too Many Requests"})";
        break;
    case GloFault::Http500:
        response.status = 500;
        response.body = R"({"statusCode":500,"status":false,"response":null})";
        break;
    case GloFault::Http503:
        response.status = 503;
        response.contentType = "text/html";
        response.body = "<html><body>Service Unavailable</body></html>";
        break;
    case GloFault::Truncated:
        response.body = goodBody.left(goodBody.size() / 2);
        break;
    case GloFault::Slow:
        response.delayMs = m_slowDelayMs;
        break;
    case GloFault::Dropped:
        response.dropConnection = true;
        break;
    case GloFault::DrawDay:
        response.body = GloApiAnswers::edited(
            goodBody, data + QStringList {u"first"_s, u"number"_s, u"0"_s, u"value"_s}, u"xxxxxx"_s);
        response.body = GloApiAnswers::edited(
            response.body, data + QStringList {u"last3b"_s, u"number"_s, u"0"_s, u"value"_s}, u"XXX"_s);
        response.body =
            GloApiAnswers::edited(response.body, data + QStringList {u"last2"_s, u"number"_s}, QJsonArray());
        break;
    case GloFault::Trickle:
        response.trickleMs = 50;
        break;
    case GloFault::OtherDate:
        data.removeLast();
        response.body = GloApiAnswers::edited(goodBody, data + QStringList {u"date"_s}, u"2015-09-01"_s);
        break;
    }
    return response;
}

QByteArray FakeGloApi::latestBody() const
{
    if (!m_latestAnswer.isEmpty()) {
        return m_latestAnswer;
    }
    if (m_draws.isEmpty()) {
        return R"({"statusCode":200,"status":false,"response":null})";
    }
    return GloApiAnswers::latestLottery(m_draws.last());
}

QByteArray FakeGloApi::resultBody(QDate date) const
{
    const auto found = m_draws.constFind(date);
    return found == m_draws.cend() ? GloApiAnswers::noDraw() : GloApiAnswers::lotteryResult(*found);
}

QByteArray FakeGloApi::periodsBody(int year) const
{
    QJsonArray periods;
    for (auto it = m_draws.cbegin(); it != m_draws.cend(); ++it) {
        if (it.key().year() == year) {
            periods.prepend(QJsonObject {{u"date"_s, it.key().toString(Qt::ISODate)}});
        }
    }
    const QJsonObject root {
        {u"statusCode"_s, 200}, {u"status"_s, true}, {u"response"_s, QJsonObject {{u"result"_s, periods}}}};
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}
