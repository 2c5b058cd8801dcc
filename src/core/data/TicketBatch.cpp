#include "TicketBatch.h"

#include <QHash>

#include <algorithm>
#include <map>
#include <optional>
#include <utility>

namespace {

/// The draws without a full table, found by the numbers of their results-file lines: every ticket is checked
/// against all of them without reading each line again.
class LineIndex final
{
public:
    explicit LineIndex(const TicketChecker& checker)
    {
        for (const QString& key : checker.drawKeys()) {
            if (checker.hasFullTable(key)) {
                continue;
            }
            const Result<DrawPrizes> table = checker.table(key);
            if (!table) {
                continue;
            }
            ++m_draws;
            m_amounts.insert(key, table.value().amounts);
            for (const PrizeNumber& number : table.value().numbers) {
                m_byNumber[number.number].append({key, number});
            }
        }
    }

    int draws() const { return m_draws; }

    /// The draws in which `ticket` won, newest first.
    QList<TicketOutcome> wins(const QString& ticket) const
    {
        CandidateDraws candidates;
        for (const QString& number : TicketCheck::numbersToLookUp(ticket)) {
            const auto found = m_byNumber.constFind(number);
            if (found == m_byNumber.cend()) {
                continue;
            }
            for (const auto& [key, prize] : *found) {
                DrawPrizes& draw = candidates[key];
                draw.drawKey = key;
                draw.partial = true;
                draw.amounts = m_amounts.value(key);
                draw.numbers.append(prize);
            }
        }
        return winningOutcomes(ticket, candidates);
    }

private:
    QHash<QString, QList<std::pair<QString, PrizeNumber>>> m_byNumber;
    QHash<QString, std::map<PrizeKind, qint64>> m_amounts; ///< each draw's amounts, those of its era
    int m_draws = 0;
};

} // namespace

QStringList TicketBatch::eraNotes() const
{
    QStringList notes;
    const auto addNotesOf = [&notes](const QString& key) {
        for (const QString& note : TicketCheck::eraNotes(key)) {
            if (!notes.contains(note)) {
                notes.append(note);
            }
        }
    };
    if (!drawKey.isEmpty()) {
        addNotesOf(drawKey);
    } else {
        for (const auto& [key, total] : totals) {
            addNotesOf(key);
        }
    }
    return notes;
}

TicketBatch checkTicketBatch(const TicketChecker& checker, const QList<TicketCheck::TicketEntry>& entries,
    const QString& drawKey, const TicketBatchProgress& progress)
{
    TicketBatch batch;
    batch.drawKey = drawKey;
    std::optional<DrawPrizes> table;
    std::optional<LineIndex> lines;
    if (!drawKey.isEmpty()) {
        Result<DrawPrizes> read = checker.table(drawKey);
        if (!read) {
            batch.failure = read.error();
            return batch;
        }
        table = std::move(read).value();
    } else {
        lines.emplace(checker);
        batch.partialDraws = lines->draws();
    }

    const qsizetype total = entries.size();
    batch.tickets.reserve(total);
    for (qsizetype i = 0; i < total; ++i) {
        if (progress && !progress(i, total)) {
            batch.canceled = true;
            break;
        }
        CheckedTicket checked {entries.at(i), {}};
        const QString& ticket = checked.entry.text;
        if (checked.entry.error.isEmpty()) {
            if (table) {
                checked.outcomes.append({ticket, drawKey, TicketCheck::prizesWon(ticket, *table), table->partial});
                batch.somePrizesUnchecked = batch.somePrizesUnchecked || table->partial;
            } else {
                Result<QList<TicketOutcome>> found = checker.checkEveryDraw(ticket);
                if (!found) {
                    batch.failure = found.error();
                    break;
                }
                checked.outcomes = std::move(found).value() + lines->wins(ticket);
                std::stable_sort(checked.outcomes.begin(), checked.outcomes.end(),
                    [](const TicketOutcome& a, const TicketOutcome& b) { return a.drawKey > b.drawKey; });
                batch.somePrizesUnchecked = batch.somePrizesUnchecked || lines->draws() > 0;
            }
            ++batch.checked;
            bool won = false;
            for (const TicketOutcome& outcome : std::as_const(checked.outcomes)) {
                if (!outcome.prizes.isEmpty()) {
                    won = true;
                    batch.totals[outcome.drawKey].add(TicketCheck::totalAmount(outcome.prizes));
                }
            }
            batch.winners += won ? 1 : 0;
        }
        batch.tickets.append(std::move(checked));
    }
    return batch;
}
