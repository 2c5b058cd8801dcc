#include "StoredDrawsTable.h"

#include "data/DataTexts.h"
#include "data/DrawKeys.h"
#include "data/PrizeStore.h"
#include "data/PrizeTable.h"
#include "data/ResultsFile.h"
#include "data/SpreadsheetTexts.h"
#include "data/ThaiCalendar.h"
#include "data/TicketTexts.h"

#include <QFileInfo>

#include <limits>
#include <memory>
#include <optional>

namespace StoredDrawsTable {

namespace {

// The prize-table columns of one kind of prize. The line already carries the first prize, the three-digit and the
// two-digit numbers, so only the other kinds list their numbers; every kind gives its amount.
struct PrizeColumns
{
    PrizeKind kind;
    bool numbers;
};

constexpr std::array<PrizeColumns, 9> prizeColumns {{
    {PrizeKind::First, false},
    {PrizeKind::NearFirst, true},
    {PrizeKind::Second, true},
    {PrizeKind::Third, true},
    {PrizeKind::Fourth, true},
    {PrizeKind::Fifth, true},
    {PrizeKind::FrontThree, false},
    // The back three-digit numbers of the draws from 1 Sep 2015 and the four last three-digit numbers of the draws
    // before share their title and their column.
    {PrizeKind::BackThree, false},
    {PrizeKind::LastTwo, false},
}};

qint64 amountOf(const DrawPrizes& prizes, PrizeKind kind)
{
    const qint64 amount = prizes.amountOf(kind);
    return amount < 0 && kind == PrizeKind::BackThree ? prizes.amountOf(PrizeKind::LastThree) : amount;
}

void appendPrizeCells(QStringList& row, const std::optional<DrawPrizes>& prizes)
{
    for (const PrizeColumns& columns : prizeColumns) {
        if (columns.numbers) {
            row.append(prizes ? prizes->numbersOf(columns.kind).join(u' ') : QString());
        }
        const qint64 amount = prizes ? amountOf(*prizes, columns.kind) : -1;
        row.append(amount < 0 ? QString() : QString::number(amount));
    }
}

bool isKey(const QString& key)
{
    return key.size() == 8 && DrawKeys::isDrawEntry(key);
}

} // namespace

QStringList header()
{
    QStringList titles {SpreadsheetTexts::keyColumn().toString(), SpreadsheetTexts::dateColumn().toString(),
        SpreadsheetTexts::weekdayColumn().toString()};
    const auto fieldTitles = DataTexts::fieldTitles();
    for (std::size_t field = 1; field < fieldTitles.size(); ++field) {
        titles.append(fieldTitles[field].toString());
    }
    for (const PrizeColumns& columns : prizeColumns) {
        const QString name = PrizeKinds::thaiName(columns.kind);
        if (columns.numbers) {
            titles.append(name);
        }
        titles.append(name + u' ' + TicketTexts::amountColumn());
    }
    return titles;
}

Result<SheetTable> build(
    const QString& resultsFilePath, const QString& prizeStorePath, const QString& fromKey, const QString& toKey)
{
    using Built = Result<SheetTable>;
    for (const QString& key : {fromKey, toKey}) {
        if (!key.isEmpty() && !isKey(key)) {
            return Built::failure(DataTexts::badDrawKey().toString().arg(key));
        }
    }
    const Result<QStringList> lines = ResultsFile(resultsFilePath).readResultsFile();
    if (!lines) {
        return Built::failure(lines.error());
    }
    std::unique_ptr<PrizeStore> store;
    if (QFileInfo(prizeStorePath).isFile()) {
        store = std::make_unique<PrizeStore>(prizeStorePath);
        if (const Status opened = store->open(); !opened) {
            return Built::failure(opened.error());
        }
    }

    const bool everyLine = fromKey.isEmpty() && toKey.isEmpty();
    const qint64 first = fromKey.isEmpty() ? 0 : DrawKeys::keyValue(fromKey);
    const qint64 last = toKey.isEmpty() ? std::numeric_limits<qint64>::max() : DrawKeys::keyValue(toKey);
    SheetTable table;
    table.header = header();
    for (const QString& line : lines.value()) {
        // A line without a key lies in no period; it is a row only when every line is.
        const qint64 key = DrawKeys::keyValue(line);
        if (!everyLine && (key < first || key > last)) {
            continue;
        }
        const DrawRecord record = ResultsFile::parseDrawLine(line);
        QStringList row {record.drawDate, drawTitle(record.drawDate), thaiDayName(record.drawDate), record.firstPrize,
            record.threeDigit1, record.threeDigit2, record.threeDigit3, record.threeDigit4, record.twoDigit};
        std::optional<DrawPrizes> prizes;
        if (store) {
            Result<std::optional<DrawPrizes>> found = store->draw(record.drawDate);
            if (!found) {
                return Built::failure(found.error());
            }
            prizes = std::move(found).value();
        }
        appendPrizeCells(row, prizes);
        table.rows.append(row);
    }
    return table;
}

} // namespace StoredDrawsTable
