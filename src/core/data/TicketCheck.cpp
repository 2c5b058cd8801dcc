#include "TicketCheck.h"

#include "data/TextExcerpt.h"
#include "data/ThaiCalendar.h"
#include "data/TicketTexts.h"

#include <QRegularExpression>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace TicketCheck {

namespace {

bool isThaiDigit(QChar c)
{
    return c >= QChar(0x0E50) && c <= QChar(0x0E59);
}

// The draws at which what the program knows of the amounts changes. Draw keys of eight digits sort as their dates.
constexpr QStringView firstDrawWithAmounts = u"25530301";
constexpr QStringView lastDrawOfPairs = u"25600816";
constexpr QStringView lastDrawWithSeriesPrizes = u"25580716";

int sheetOrder(PrizeKind kind)
{
    const auto& kinds = PrizeKinds::all();
    return static_cast<int>(std::find(kinds.begin(), kinds.end(), kind) - kinds.begin());
}

} // namespace

QList<TicketEntry> splitTickets(QStringView input)
{
    static const QRegularExpression separators(u"[\\s,]+"_s, QRegularExpression::UseUnicodePropertiesOption);
    QList<TicketEntry> entries;
    int lineNumber = 0;
    for (QStringView line : input.split(u'\n')) {
        ++lineNumber;
        const QString text = line.toString();
        for (const QString& piece : text.split(separators, Qt::SkipEmptyParts)) {
            entries.append({lineNumber, piece, ticketError(piece)});
        }
    }
    return entries;
}

QString ticketError(QStringView text)
{
    if (std::any_of(text.begin(), text.end(), isThaiDigit)) {
        return TicketTexts::thaiDigits().toString().arg(textExcerpt(text));
    }
    if (!isAsciiDigits(text)) {
        return TicketTexts::notDigits().toString().arg(textExcerpt(text));
    }
    if (text.size() != 6) {
        return TicketTexts::wrongLength().toString().arg(textExcerpt(text)).arg(text.size());
    }
    return QString();
}

bool wins(PrizeKind kind, QStringView prizeNumber, QStringView ticket)
{
    if (ticket.size() != 6 || prizeNumber.size() != PrizeKinds::digits(kind)) {
        return false;
    }
    switch (kind) {
    case PrizeKind::FrontThree:
        return ticket.left(3) == prizeNumber;
    case PrizeKind::BackThree:
    case PrizeKind::LastThree:
        return ticket.right(3) == prizeNumber;
    case PrizeKind::LastTwo:
        return ticket.right(2) == prizeNumber;
    default:
        return ticket == prizeNumber;
    }
}

QStringList numbersToLookUp(QStringView ticket)
{
    QStringList numbers {
        ticket.toString(), ticket.left(3).toString(), ticket.right(3).toString(), ticket.right(2).toString()};
    numbers.removeDuplicates();
    return numbers;
}

QList<PrizeWon> prizesWon(QStringView ticket, const DrawPrizes& draw)
{
    QList<PrizeWon> won;
    for (const PrizeNumber& number : draw.numbers) {
        if (wins(number.kind, number.number, ticket)) {
            won.append({number.kind, number.number, draw.amountOf(number.kind)});
        }
    }
    std::stable_sort(won.begin(), won.end(),
        [](const PrizeWon& a, const PrizeWon& b) { return sheetOrder(a.kind) < sheetOrder(b.kind); });
    return won;
}

void BahtTotal::add(qint64 amount)
{
    if (amount < 0) {
        m_anyUnknown = true;
        return;
    }
    qint64 sum = 0;
    if (m_overflowed || __builtin_add_overflow(m_value, amount, &sum)) {
        m_overflowed = true;
        return;
    }
    m_value = sum;
}

void BahtTotal::add(const BahtTotal& other)
{
    if (other.m_overflowed) {
        m_overflowed = true;
    } else {
        add(other.m_value);
    }
    m_anyUnknown = m_anyUnknown || other.m_anyUnknown;
}

BahtTotal totalAmount(const QList<PrizeWon>& prizes)
{
    BahtTotal total;
    for (const PrizeWon& prize : prizes) {
        total.add(prize.amount);
    }
    return total;
}

QStringList eraNotes(QStringView drawKey)
{
    if (drawKey < firstDrawWithAmounts) {
        return {TicketTexts::eraUnknownNote().toString().arg(drawTitle(firstDrawWithAmounts))};
    }
    QStringList notes;
    if (drawKey <= lastDrawOfPairs) {
        notes.append(TicketTexts::eraPairNote().toString().arg(drawTitle(lastDrawOfPairs)));
    }
    if (drawKey <= lastDrawWithSeriesPrizes) {
        notes.append(TicketTexts::eraSeriesNote().toString().arg(
            drawTitle(firstDrawWithAmounts), drawTitle(lastDrawWithSeriesPrizes)));
    }
    return notes;
}

} // namespace TicketCheck
