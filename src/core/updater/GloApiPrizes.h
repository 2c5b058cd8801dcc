#pragma once

#include "data/PrizeTable.h"

#include <QByteArray>
#include <QHash>
#include <QJsonObject>
#include <QList>

#include <optional>

/// The full prize table in the lottery office's JSON answers. Pure functions, apart from the keeper below.
namespace GloApiPrizes {

/// The full table of a draw object (its `date`, its `data` and its result sheet `pdf_url`): every section's numbers,
/// checked for their count and width (several first-prize numbers are no table), and the amounts per ticket: those
/// of the draw's era before today's era, whatever `price` says (the office gives today's amounts for every draw),
/// the answer's `price` from then on. No value when the object carries no full table at all (no second to fifth
/// prizes); a table that is there but not whole gives its key and a Thai error.
std::optional<FetchedPrizeTable> tableFromObject(const QJsonObject& draw);

/// The full table in an answer of getLatestLottery (draw under `response`) or getLotteryResult (under
/// `response.result`); no value when the answer holds no draw with a full table.
std::optional<FetchedPrizeTable> tableFromAnswer(const QByteArray& body);

/// The tables of the answers a source received, the last one for each draw.
class Keeper final
{
public:
    /// Keeps the table of an answer to a request for the draw `askedKey`; an answer that carries another draw is
    /// not kept. An empty `askedKey` (the newest draw, whatever it is) keeps the answer's draw.
    void keep(const QByteArray& answerBody, const QString& askedKey = QString());
    /// The same for a table already read from its answer (`tableFromAnswer`).
    void keep(std::optional<FetchedPrizeTable> table, const QString& askedKey);
    /// The tables kept, newest draw first.
    QList<FetchedPrizeTable> tables() const;

private:
    QHash<QString, FetchedPrizeTable> m_tables;
};

} // namespace GloApiPrizes
