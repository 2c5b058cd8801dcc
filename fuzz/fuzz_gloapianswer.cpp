// Any bytes as an answer of the lottery office's JSON API: the draw, the list of draw dates and the full prize
// table read from it.
#include "data/PrizeEras.h"
#include "updater/GloApiJson.h"
#include "updater/GloApiPrizes.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray body = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    (void)GloApiJson::readLatestLottery(body);
    (void)GloApiJson::readPeriodsByYear(body, 2026);
    const Result<GloApiJson::DrawAnswer> answer = GloApiJson::readLotteryResult(body);
    const std::optional<FetchedPrizeTable> table = GloApiPrizes::tableFromAnswer(body);
    if (!table || !table->error.isEmpty()) {
        return 0;
    }
    // A table read from an answer is a whole table, with its era's amounts before today's era.
    const DrawPrizes& prizes = table->prizes;
    const PrizeEras& eras = PrizeEras::bundled();
    if (!checkFullTable(prizes) ||
        (prizes.drawKey < eras.answerAmountsFrom() && prizes.amounts != eras.amountsOf(prizes.drawKey))) {
        __builtin_trap();
    }
    // The draw and the table of the same answer agree.
    if (answer && answer.value().record && answer.value().record.value().drawDate == table->drawKey &&
        !checkTableAgainstLine(prizes, table->drawKey, answer.value().record.value())) {
        __builtin_trap();
    }
    return 0;
}
