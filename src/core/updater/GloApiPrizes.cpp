#include "GloApiPrizes.h"

#include "data/ThaiCalendar.h"
#include "data/TicketTexts.h"

#include <QDate>
#include <QJsonArray>
#include <QJsonDocument>

#include <cmath>

using namespace Qt::StringLiterals;

namespace GloApiPrizes {

namespace {

struct Section
{
    QString name;
    PrizeKind kind;
    int count;
};

// Reads one section into `prizes`; the message of what is wrong otherwise.
QString readSection(const QJsonObject& data, const Section& section, DrawPrizes& prizes)
{
    const QJsonObject object = data.value(section.name).toObject();
    const QJsonValue price = object.value(u"price"_s);
    bool numeric = price.isDouble();
    double baht = price.toDouble();
    if (price.isString()) {
        baht = price.toString().toDouble(&numeric);
    }
    if (!numeric || baht < 0 || baht != std::floor(baht) || baht > 1e12) {
        return section.name + u" price"_s;
    }
    const QJsonArray numbers = object.value(u"number"_s).toArray();
    if (numbers.size() != section.count) {
        return section.name;
    }
    for (const QJsonValue& item : numbers) {
        const QString value = item.toObject().value(u"value"_s).toString();
        const QJsonValue round = item.toObject().value(u"round"_s);
        if (value.size() != PrizeKinds::digits(section.kind) || !isAsciiDigits(value) || !round.isDouble()) {
            return section.name;
        }
        prizes.numbers.append({section.kind, value, round.toInt()});
    }
    prizes.amounts[section.kind] = static_cast<qint64>(baht);
    return QString();
}

} // namespace

std::optional<FetchedPrizeTable> tableFromObject(const QJsonObject& draw)
{
    const QJsonObject data = draw.value(u"data"_s).toObject();
    const QDate date = QDate::fromString(draw.value(u"date"_s).toString(), Qt::ISODate);
    const bool hasTable = data.contains(u"second"_s) || data.contains(u"third"_s) || data.contains(u"fourth"_s) ||
        data.contains(u"fifth"_s);
    if (!date.isValid() || !hasTable) {
        return std::nullopt;
    }
    FetchedPrizeTable table;
    table.drawKey = drawDateOf(date);
    table.prizes.drawKey = table.drawKey;

    QList<Section> sections {{u"first"_s, PrizeKind::First, 1}, {u"near1"_s, PrizeKind::NearFirst, 2},
        {u"second"_s, PrizeKind::Second, 5}, {u"third"_s, PrizeKind::Third, 10}, {u"fourth"_s, PrizeKind::Fourth, 50},
        {u"fifth"_s, PrizeKind::Fifth, 100}};
    // Four last-three numbers before 1 Sep 2015, two front and two back three-digit numbers from then on.
    if (hasFrontThree(table.drawKey)) {
        sections.append({{u"last3f"_s, PrizeKind::FrontThree, 2}, {u"last3b"_s, PrizeKind::BackThree, 2}});
    } else {
        sections.append({u"last3b"_s, PrizeKind::LastThree, 4});
    }
    sections.append({u"last2"_s, PrizeKind::LastTwo, 1});
    for (const Section& section : std::as_const(sections)) {
        if (const QString wrong = readSection(data, section, table.prizes); !wrong.isEmpty()) {
            table.error = TicketTexts::tableIncomplete().toString().arg(wrong);
            table.prizes = DrawPrizes();
            table.prizes.drawKey = table.drawKey;
            return table;
        }
    }
    return table;
}

std::optional<FetchedPrizeTable> tableFromAnswer(const QByteArray& body)
{
    const QJsonObject response = QJsonDocument::fromJson(body).object().value(u"response"_s).toObject();
    const QJsonValue result = response.value(u"result"_s);
    return tableFromObject(result.isObject() ? result.toObject() : response);
}

void Keeper::keep(const QByteArray& answerBody)
{
    if (std::optional<FetchedPrizeTable> table = tableFromAnswer(answerBody)) {
        m_tables.insert(table->drawKey, std::move(*table));
    }
}

} // namespace GloApiPrizes
