#include "GloApiPrizes.h"

#include "data/PrizeEras.h"
#include "data/PrizeTexts.h"
#include "data/ThaiCalendar.h"
#include "updater/HttpFetch.h"

#include <QDate>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLoggingCategory>
#include <QUrl>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace GloApiPrizes {

namespace {

Q_LOGGING_CATEGORY(pricesLog, "varenta.gloapi.prizes")

// The longest link to a result sheet taken from an answer.
constexpr qsizetype maxSheetLinkLength = 2048;

// The amount of a section in baht; no value when it is missing or no whole number of baht.
std::optional<qint64> priceOf(const QJsonObject& object)
{
    const QJsonValue price = object.value(u"price"_s);
    bool numeric = price.isDouble();
    double baht = price.toDouble();
    if (price.isString()) {
        baht = price.toString().toDouble(&numeric);
    }
    if (!numeric || baht < 0 || baht != std::floor(baht) || baht > 1e12) {
        return std::nullopt;
    }
    return static_cast<qint64>(baht);
}

// The section of an answer's `data` that holds a kind's numbers.
QString sectionName(PrizeKind kind)
{
    switch (kind) {
    case PrizeKind::First:
        return u"first"_s;
    case PrizeKind::NearFirst:
        return u"near1"_s;
    case PrizeKind::Second:
        return u"second"_s;
    case PrizeKind::Third:
        return u"third"_s;
    case PrizeKind::Fourth:
        return u"fourth"_s;
    case PrizeKind::Fifth:
        return u"fifth"_s;
    case PrizeKind::FrontThree:
        return u"last3f"_s;
    case PrizeKind::BackThree:
    case PrizeKind::LastThree:
        return u"last3b"_s;
    case PrizeKind::LastTwo:
        return u"last2"_s;
    }
    return QString();
}

// Reads one section into `prizes`; the Thai message of what is wrong otherwise. The price is read only where the
// answer's amounts are kept.
QString readSection(const QJsonObject& data, PrizeKind kind, bool priceKept, DrawPrizes& prizes)
{
    const QJsonObject object = data.value(sectionName(kind)).toObject();
    const QString prize = PrizeKinds::thaiName(kind);
    if (priceKept) {
        const std::optional<qint64> price = priceOf(object);
        if (!price) {
            return PrizeTexts::tableMalformed().toString().arg(prize);
        }
        prizes.amounts[kind] = *price;
    }
    const QJsonArray numbers = object.value(u"number"_s).toArray();
    const int expected = PrizeKinds::count(kind);
    // More numbers than the prize has is no table of a draw: none of them is taken for the prize.
    if (numbers.size() != expected) {
        return (numbers.size() < expected ? PrizeTexts::tableIncomplete() : PrizeTexts::tableMalformed())
            .toString()
            .arg(prize);
    }
    for (const QJsonValue& item : numbers) {
        const QString value = item.toObject().value(u"value"_s).toString();
        const QJsonValue round = item.toObject().value(u"round"_s);
        if (value.size() != PrizeKinds::digits(kind) || !isAsciiDigits(value) || !round.isDouble()) {
            return PrizeTexts::tableMalformed().toString().arg(prize);
        }
        prizes.numbers.append({kind, value, round.toInt()});
    }
    return QString();
}

// The link to the office's result sheet: a web address, or nothing.
QString sheetLink(const QJsonValue& value)
{
    const QString text = value.toString();
    if (text.isEmpty() || text.size() > maxSheetLinkLength) {
        return QString();
    }
    const QUrl url(text, QUrl::StrictMode);
    return isWebAddress(url) ? url.toString(QUrl::FullyEncoded) : QString();
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

    // The office gives today's amounts for every draw: before today's era they are those of the table of eras.
    const PrizeEras& eras = PrizeEras::bundled();
    const QString answerAmountsFrom = eras.answerAmountsFrom();
    const bool pricesKept = !answerAmountsFrom.isEmpty() && table.drawKey >= answerAmountsFrom;
    // A table that is not whole keeps none of its numbers.
    const auto refused = [&table](QString error) {
        table.error = std::move(error);
        table.prizes = DrawPrizes();
        table.prizes.drawKey = table.drawKey;
        return table;
    };
    // Four last-three numbers before 1 Sep 2015, two front and two back three-digit numbers from then on.
    for (const PrizeKind kind : PrizeKinds::ofDraw(table.drawKey)) {
        if (QString wrong = readSection(data, kind, pricesKept, table.prizes); !wrong.isEmpty()) {
            return refused(std::move(wrong));
        }
    }
    if (!hasFrontThree(table.drawKey) && !data.value(u"last3f"_s).toObject().value(u"number"_s).toArray().isEmpty()) {
        return refused(PrizeTexts::tableMalformed().toString().arg(PrizeKinds::thaiName(PrizeKind::FrontThree)));
    }
    const std::map<PrizeKind, qint64> answered = table.prizes.amounts;
    table.prizes.amounts = eras.amountsToKeep(table.drawKey, answered);
    if (pricesKept) {
        for (const auto& [kind, amount] : eras.amountsOf(table.drawKey)) {
            const auto given = answered.find(kind);
            if (given != answered.end() && given->second != amount) {
                qCWarning(pricesLog).noquote()
                    << "draw" << table.drawKey << PrizeKinds::thaiName(kind) << ": the office gives" << given->second
                    << "baht, the table of eras" << amount << "; the office's amount is kept";
            }
        }
    }
    table.prizes.pdfUrl = sheetLink(draw.value(u"pdf_url"_s));
    return table;
}

std::optional<FetchedPrizeTable> tableFromAnswer(const QByteArray& body)
{
    const QJsonObject response = QJsonDocument::fromJson(body).object().value(u"response"_s).toObject();
    const QJsonValue result = response.value(u"result"_s);
    return tableFromObject(result.isObject() ? result.toObject() : response);
}

QList<FetchedPrizeTable> Keeper::tables() const
{
    QList<FetchedPrizeTable> tables = m_tables.values();
    std::sort(tables.begin(), tables.end(),
        [](const FetchedPrizeTable& a, const FetchedPrizeTable& b) { return a.drawKey > b.drawKey; });
    return tables;
}

void Keeper::keep(const QByteArray& answerBody, const QString& askedKey)
{
    keep(tableFromAnswer(answerBody), askedKey);
}

void Keeper::keep(std::optional<FetchedPrizeTable> table, const QString& askedKey)
{
    // An answer that carries another draw than the one asked for is no table of either.
    if (table && (askedKey.isEmpty() || table->drawKey == askedKey)) {
        m_tables.insert(table->drawKey, std::move(*table));
    }
}

} // namespace GloApiPrizes
