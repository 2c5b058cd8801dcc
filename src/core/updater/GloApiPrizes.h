#pragma once

#include "data/PrizeTable.h"

#include <QByteArray>
#include <QHash>
#include <QJsonObject>
#include <QList>

#include <optional>

/// The full prize table in the lottery office's JSON answers. Pure functions, apart from the keeper below.
namespace GloApiPrizes {

/// The full table of a draw object (its `date` and its `data`): every section with its `price` and its numbers,
/// checked for their count and width. No value when the object carries no full table at all (no second to fifth
/// prizes); a table that is there but not whole gives its key and an error.
std::optional<FetchedPrizeTable> tableFromObject(const QJsonObject& draw);

/// The full table in an answer of getLatestLottery (draw under `response`) or getLotteryResult (under
/// `response.result`); no value when the answer holds no draw with a full table.
std::optional<FetchedPrizeTable> tableFromAnswer(const QByteArray& body);

/// The tables of the answers a source received, the last one for each draw.
class Keeper final
{
public:
    void keep(const QByteArray& answerBody);
    QList<FetchedPrizeTable> tables() const { return m_tables.values(); }

private:
    QHash<QString, FetchedPrizeTable> m_tables;
};

} // namespace GloApiPrizes
