#include "PrizeTable.h"

#include "data/DataTexts.h"
#include "data/PrizeEras.h"
#include "data/PrizeTexts.h"
#include "data/ThaiCalendar.h"
#include "data/TicketTexts.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace PrizeKinds {

const std::array<PrizeKind, 10>& all()
{
    static const std::array<PrizeKind, 10> kinds {PrizeKind::First, PrizeKind::NearFirst, PrizeKind::Second,
        PrizeKind::Third, PrizeKind::Fourth, PrizeKind::Fifth, PrizeKind::FrontThree, PrizeKind::BackThree,
        PrizeKind::LastThree, PrizeKind::LastTwo};
    return kinds;
}

bool fromCode(int code, PrizeKind& kind)
{
    const auto& kinds = all();
    const auto found = std::find(kinds.begin(), kinds.end(), static_cast<PrizeKind>(code));
    if (found == kinds.end()) {
        return false;
    }
    kind = *found;
    return true;
}

QString thaiName(PrizeKind kind)
{
    switch (kind) {
    case PrizeKind::First:
        return DataTexts::firstPrize().toString();
    case PrizeKind::NearFirst:
        return PrizeTexts::nearFirst().toString();
    case PrizeKind::Second:
        return PrizeTexts::second().toString();
    case PrizeKind::Third:
        return PrizeTexts::third().toString();
    case PrizeKind::Fourth:
        return PrizeTexts::fourth().toString();
    case PrizeKind::Fifth:
        return PrizeTexts::fifth().toString();
    case PrizeKind::FrontThree:
        return PrizeTexts::frontThree().toString();
    case PrizeKind::BackThree:
    case PrizeKind::LastThree:
        return PrizeTexts::lastThree().toString();
    case PrizeKind::LastTwo:
        return PrizeTexts::lastTwo().toString();
    }
    return QString();
}

int digits(PrizeKind kind)
{
    switch (kind) {
    case PrizeKind::FrontThree:
    case PrizeKind::BackThree:
    case PrizeKind::LastThree:
        return 3;
    case PrizeKind::LastTwo:
        return 2;
    default:
        return 6;
    }
}

int count(PrizeKind kind)
{
    switch (kind) {
    case PrizeKind::First:
    case PrizeKind::LastTwo:
        return 1;
    case PrizeKind::NearFirst:
    case PrizeKind::FrontThree:
    case PrizeKind::BackThree:
        return 2;
    case PrizeKind::LastThree:
        return 4;
    case PrizeKind::Second:
        return 5;
    case PrizeKind::Third:
        return 10;
    case PrizeKind::Fourth:
        return 50;
    case PrizeKind::Fifth:
        return 100;
    }
    return 0;
}

QList<PrizeKind> ofDraw(QStringView drawKey)
{
    const bool front = hasFrontThree(drawKey);
    QList<PrizeKind> kinds;
    for (const PrizeKind kind : all()) {
        const bool frontOrBack = kind == PrizeKind::FrontThree || kind == PrizeKind::BackThree;
        if (kind == PrizeKind::LastThree ? !front : !frontOrBack || front) {
            kinds.append(kind);
        }
    }
    return kinds;
}

} // namespace PrizeKinds

bool hasFrontThree(QStringView drawKey)
{
    const QDate date = gregorianDate(drawKey);
    return date.isValid() && date >= QDate(2015, 9, 1);
}

qint64 DrawPrizes::amountOf(PrizeKind kind) const
{
    const auto found = amounts.find(kind);
    return found == amounts.end() ? -1 : found->second;
}

QStringList DrawPrizes::numbersOf(PrizeKind kind) const
{
    QStringList found;
    for (const PrizeNumber& number : numbers) {
        if (number.kind == kind) {
            found.append(number.number);
        }
    }
    found.sort();
    return found;
}

DrawPrizes partialPrizes(const DrawRecord& record)
{
    DrawPrizes prizes;
    prizes.drawKey = record.drawDate;
    prizes.partial = true;
    prizes.numbers.append({PrizeKind::First, record.firstPrize, 1});
    // A results line holds the two front then the two back numbers from 1 Sep 2015, four last-three numbers before.
    const bool front = hasFrontThree(record.drawDate);
    const std::array<const QString*, 4> threes {
        &record.threeDigit1, &record.threeDigit2, &record.threeDigit3, &record.threeDigit4};
    for (int i = 0; i < 4; ++i) {
        const PrizeKind kind = !front ? PrizeKind::LastThree : i < 2 ? PrizeKind::FrontThree : PrizeKind::BackThree;
        prizes.numbers.append({kind, *threes[i], front ? i % 2 + 1 : i + 1});
    }
    prizes.numbers.append({PrizeKind::LastTwo, record.twoDigit, 1});
    // What these prizes paid is known from the draw's era even where its whole table is not.
    prizes.amounts = PrizeEras::bundled().amountsOf(record.drawDate);
    return prizes;
}

Status checkFullTable(const DrawPrizes& prizes)
{
    if (prizes.drawKey.size() != 8 || !gregorianDate(prizes.drawKey).isValid()) {
        return Status::failure(PrizeTexts::tableBadKey().toString().arg(prizes.drawKey.left(20)));
    }
    if (prizes.partial) {
        return Status::failure(PrizeTexts::tableIncomplete().toString().arg(PrizeTexts::partialTableName()));
    }
    const QList<PrizeKind> kinds = PrizeKinds::ofDraw(prizes.drawKey);
    std::map<PrizeKind, int> found;
    for (const PrizeNumber& number : prizes.numbers) {
        if (!kinds.contains(number.kind) || number.number.size() != PrizeKinds::digits(number.kind) ||
            !isAsciiDigits(number.number)) {
            return Status::failure(PrizeTexts::tableMalformed().toString().arg(PrizeKinds::thaiName(number.kind)));
        }
        ++found[number.kind];
    }
    for (const PrizeKind kind : kinds) {
        const int have = found[kind];
        if (have != PrizeKinds::count(kind)) {
            const QStringView message =
                have < PrizeKinds::count(kind) ? PrizeTexts::tableIncomplete() : PrizeTexts::tableMalformed();
            return Status::failure(message.toString().arg(PrizeKinds::thaiName(kind)));
        }
    }
    return Status::success();
}

Status checkTableAgainstLine(const DrawPrizes& table, const QString& askedKey, const DrawRecord& line)
{
    if (table.drawKey != askedKey) {
        return Status::failure(
            PrizeTexts::tableOfOtherDraw().toString().arg(drawTitle(table.drawKey.left(8)), drawTitle(askedKey)));
    }
    if (line.drawDate != askedKey) {
        return Status::failure(TicketTexts::unknownDraw().toString().arg(askedKey));
    }
    // The line's numbers are those of the first prize, the three-digit and two-digit prizes: the table must hold
    // exactly these of those kinds, the three-digit ones as a set.
    const DrawPrizes fromLine = partialPrizes(line);
    for (const PrizeKind kind : PrizeKinds::ofDraw(askedKey)) {
        const QStringList expected = fromLine.numbersOf(kind);
        if (!expected.isEmpty() && table.numbersOf(kind) != expected) {
            return Status::failure(
                PrizeTexts::tableDisagrees().toString().arg(drawTitle(askedKey), PrizeKinds::thaiName(kind)));
        }
    }
    return Status::success();
}

QString formatBaht(qint64 amount)
{
    QString digitsText = QString::number(amount < 0 ? -amount : amount);
    for (qsizetype at = digitsText.size() - 3; at > 0; at -= 3) {
        digitsText.insert(at, u',');
    }
    return amount < 0 ? u"-"_s + digitsText : digitsText;
}
