#include "GloApiJson.h"

#include "GloApiTexts.h"
#include "data/DataTexts.h"
#include "data/ThaiCalendar.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QJsonValue>

#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;

namespace GloApiJson {

namespace {

// "xxxxxx", "XXX", "-": the office shows these while a draw is still under way.
bool isPlaceholder(QStringView text)
{
    return text.trimmed().isEmpty() || std::all_of(text.begin(), text.end(), [](QChar c) {
        return c == u'x' || c == u'X' || c == u'*' || c == u'-' || c == u' ';
    });
}

QDate dateOfText(const QJsonValue& value)
{
    if (!value.isString()) {
        return {};
    }
    const QString text = value.toString();
    // "YYYY-MM-DD", possibly followed by a time.
    if (text.size() < 10 || (text.size() > 10 && text.at(10) != u'T' && text.at(10) != u' ')) {
        return {};
    }
    return QDate::fromString(text.left(10), Qt::ISODate);
}

enum class ListProblem { None, Malformed, Placeholder };

struct NumberList
{
    QStringList values;
    ListProblem problem = ListProblem::None;
};

// The `value` texts of `prize.number`, in ascending `round` order. Every value must be `width` ASCII digits.
NumberList numbersOf(const QJsonObject& data, const QString& prize, qsizetype width)
{
    NumberList result;
    const QJsonValue numbers = data.value(prize).toObject().value(u"number"_s);
    if (numbers.isUndefined() || numbers.isNull()) {
        // Not published yet.
        result.problem = ListProblem::Placeholder;
        return result;
    }
    if (!numbers.isArray()) {
        result.problem = ListProblem::Malformed;
        return result;
    }
    struct Entry
    {
        double round;
        QString value;
    };
    QList<Entry> entries;
    for (const QJsonValue& item : numbers.toArray()) {
        const QJsonObject object = item.toObject();
        const QJsonValue round = object.value(u"round"_s);
        const QJsonValue value = object.value(u"value"_s);
        if (!round.isDouble() || !value.isString()) {
            result.problem = ListProblem::Malformed;
            return result;
        }
        const QString text = value.toString();
        if (isPlaceholder(text)) {
            result.problem = ListProblem::Placeholder;
            return result;
        }
        if (text.size() != width || !isAsciiDigits(text)) {
            result.problem = ListProblem::Malformed;
            return result;
        }
        entries.append({round.toDouble(), text});
    }
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.round < b.round; });
    for (qsizetype i = 1; i < entries.size(); ++i) {
        if (entries.at(i).round == entries.at(i - 1).round) {
            // Two numbers of the same round: their order cannot be told.
            result.problem = ListProblem::Malformed;
            return result;
        }
    }
    for (const Entry& entry : entries) {
        result.values.append(entry.value);
    }
    return result;
}

std::optional<QJsonObject> objectOf(const QByteArray& body)
{
    QJsonParseError error {};
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        return std::nullopt;
    }
    return document.object();
}

QString failureText(QStringView pattern, const QString& title, QStringView prize = {})
{
    QString text = pattern.toString().arg(title);
    return prize.isEmpty() ? text : text.arg(prize);
}

} // namespace

Result<DrawRecord> drawFromObject(const QJsonObject& draw, bool* incomplete)
{
    const QDate date = dateOfText(draw.value(u"date"_s));
    if (!date.isValid()) {
        return Result<DrawRecord>::failure(
            failureText(GloApiTexts::malformed(), draw.value(u"date"_s).toString(), GloApiTexts::dateName()));
    }
    DrawRecord record;
    record.drawDate = drawDateOf(date);
    const QString title = drawTitle(record.drawDate);
    const QJsonObject data = draw.value(u"data"_s).toObject();

    auto failure = [&title, incomplete](ListProblem problem, QStringView prize) {
        if (incomplete) {
            *incomplete = problem == ListProblem::Placeholder;
        }
        return Result<DrawRecord>::failure(problem == ListProblem::Placeholder
                ? failureText(GloApiTexts::notComplete(), title)
                : failureText(GloApiTexts::malformed(), title, prize));
    };

    // A list with fewer numbers than it must have is one the office has not filled in yet.
    const auto missing = [](const NumberList& list) {
        return list.problem == ListProblem::None ? ListProblem::Placeholder : list.problem;
    };
    const NumberList first = numbersOf(data, u"first"_s, 6);
    if (first.problem != ListProblem::None || first.values.isEmpty()) {
        return failure(missing(first), DataTexts::firstPrize());
    }
    // A draw has one first prize and one two-digit number: an answer with several is no draw, and none of its
    // numbers is taken for the prize.
    if (first.values.size() > 1) {
        return failure(ListProblem::Malformed, DataTexts::firstPrize());
    }
    const NumberList front = numbersOf(data, u"last3f"_s, 3);
    if (front.problem != ListProblem::None) {
        return failure(front.problem, DataTexts::threeDigits());
    }
    const NumberList back = numbersOf(data, u"last3b"_s, 3);
    if (back.problem != ListProblem::None) {
        return failure(back.problem, DataTexts::threeDigits());
    }
    const QStringList threeDigit = front.values + back.values;
    if (threeDigit.size() != 4) {
        return failure(
            threeDigit.size() < 4 ? ListProblem::Placeholder : ListProblem::Malformed, DataTexts::threeDigits());
    }
    const NumberList two = numbersOf(data, u"last2"_s, 2);
    if (two.problem != ListProblem::None || two.values.isEmpty()) {
        return failure(missing(two), DataTexts::lastTwoDigits());
    }
    if (two.values.size() > 1) {
        return failure(ListProblem::Malformed, DataTexts::lastTwoDigits());
    }

    record.firstPrize = first.values.first();
    record.threeDigit1 = threeDigit.at(0);
    record.threeDigit2 = threeDigit.at(1);
    record.threeDigit3 = threeDigit.at(2);
    record.threeDigit4 = threeDigit.at(3);
    record.twoDigit = two.values.first();
    return record;
}

Result<DrawAnswer> readLatestLottery(const QByteArray& body)
{
    const std::optional<QJsonObject> root = objectOf(body);
    if (!root) {
        return Result<DrawAnswer>::failure(GloApiTexts::unreadable().toString());
    }
    if (!root->value(u"status"_s).toBool() || !root->value(u"response"_s).isObject()) {
        return Result<DrawAnswer>::failure(GloApiTexts::unsuccessful().toString());
    }
    QJsonObject draw = root->value(u"response"_s).toObject();
    // The newest draw sits right under `response`; accept it under `result` too, as the other answers have it.
    if (!draw.contains(u"date"_s) && draw.value(u"result"_s).isObject()) {
        draw = draw.value(u"result"_s).toObject();
    }
    DrawAnswer answer;
    answer.date = dateOfText(draw.value(u"date"_s));
    if (!answer.date.isValid()) {
        return Result<DrawAnswer>::failure(GloApiTexts::noLatestDraw().toString());
    }
    answer.record = drawFromObject(draw, &answer.incomplete);
    return answer;
}

Result<DrawAnswer> readLotteryResult(const QByteArray& body)
{
    const std::optional<QJsonObject> root = objectOf(body);
    if (!root) {
        return Result<DrawAnswer>::failure(GloApiTexts::unreadable().toString());
    }
    DrawAnswer answer;
    const QJsonObject draw = root->value(u"response"_s).toObject().value(u"result"_s).toObject();
    answer.refused = !root->value(u"status"_s).toBool();
    if (answer.refused || draw.isEmpty()) {
        return answer;
    }
    answer.date = dateOfText(draw.value(u"date"_s));
    if (answer.date.isValid()) {
        answer.record = drawFromObject(draw, &answer.incomplete);
    }
    return answer;
}

Result<QList<QDate>> readPeriodsByYear(const QByteArray& body, int year)
{
    const std::optional<QJsonObject> root = objectOf(body);
    if (!root) {
        return Result<QList<QDate>>::failure(GloApiTexts::unreadable().toString());
    }
    if (!root->value(u"status"_s).toBool()) {
        return Result<QList<QDate>>::failure(GloApiTexts::unsuccessful().toString());
    }
    const QJsonValue response = root->value(u"response"_s);
    QList<QJsonArray> lists;
    for (const QJsonValue& candidate : {response, response.toObject().value(u"result"_s),
             response.toObject().value(u"periods"_s), response.toObject().value(u"result"_s)[u"periods"_s]}) {
        if (candidate.isArray()) {
            lists.append(candidate.toArray());
        }
    }
    QList<QDate> dates;
    for (const QJsonArray& list : lists) {
        for (const QJsonValue& item : list) {
            const QDate date = dateOfText(item.isObject() ? item.toObject().value(u"date"_s) : item);
            if (date.isValid() && date.year() == year && !dates.contains(date)) {
                dates.append(date);
            }
        }
    }
    std::sort(dates.begin(), dates.end());
    return dates;
}

} // namespace GloApiJson
