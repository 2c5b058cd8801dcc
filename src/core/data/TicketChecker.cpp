#include "TicketChecker.h"

#include "data/PrizeTexts.h"
#include "data/ResultsFile.h"
#include "data/ThaiCalendar.h"
#include "data/TicketTexts.h"

#include <algorithm>
#include <map>

QList<TicketOutcome> winningOutcomes(const QString& ticket, const CandidateDraws& candidates)
{
    QList<TicketOutcome> outcomes;
    for (const auto& [key, draw] : candidates) {
        QList<TicketCheck::PrizeWon> won = TicketCheck::prizesWon(ticket, draw);
        if (!won.isEmpty()) {
            outcomes.append({ticket, key, std::move(won), draw.partial});
        }
    }
    return outcomes;
}

TicketChecker::TicketChecker(const PrizeStore& store, const QStringList& resultLines)
    : TicketChecker(resultLines, QString())
{
    m_store = &store;
}

TicketChecker::TicketChecker(const QStringList& resultLines, QString whyNoStore)
    : m_whyNoStore(std::move(whyNoStore))
{
    for (const QString& line : resultLines) {
        const QString key = line.left(8);
        if (gregorianDate(key).isValid() && !m_lines.contains(key)) {
            m_lines.insert(key, line);
        }
    }
}

Status TicketChecker::load()
{
    m_fullTables.clear();
    if (m_store) {
        const Result<QStringList> stored = m_store->drawKeys();
        if (stored) {
            m_fullTables = QSet<QString>(stored.value().begin(), stored.value().end());
        } else {
            m_whyNoStore = stored.error();
            m_store = nullptr;
        }
    }
    if (!m_store && m_lines.isEmpty()) {
        return Status::failure(storeProblem());
    }
    QSet<QString> keys = m_fullTables;
    for (auto line = m_lines.cbegin(); line != m_lines.cend(); ++line) {
        keys.insert(line.key());
    }
    m_drawKeys = QStringList(keys.begin(), keys.end());
    std::sort(m_drawKeys.begin(), m_drawKeys.end(), std::greater<>());
    return Status::success();
}

QString TicketChecker::storeProblem() const
{
    if (m_store) {
        return QString();
    }
    const QString why = m_whyNoStore.isEmpty() ? PrizeTexts::readFailed().toString() : m_whyNoStore;
    return why + u'\n' + TicketTexts::checkWithoutStore();
}

bool TicketChecker::knowsDraw(const QString& drawKey) const
{
    return m_fullTables.contains(drawKey) || m_lines.contains(drawKey);
}

Result<TicketOutcome> TicketChecker::check(const QString& ticket, const QString& drawKey) const
{
    if (const QString error = TicketCheck::ticketError(ticket); !error.isEmpty()) {
        return Result<TicketOutcome>::failure(error);
    }
    TicketOutcome outcome {ticket, drawKey, {}, false};
    if (m_fullTables.contains(drawKey)) {
        const Result<QList<PrizeStore::Match>> matches = m_store->lookUp(TicketCheck::numbersToLookUp(ticket), drawKey);
        if (!matches) {
            return Result<TicketOutcome>::failure(matches.error());
        }
        DrawPrizes found;
        found.drawKey = drawKey;
        for (const PrizeStore::Match& match : matches.value()) {
            found.numbers.append(match.number);
            found.amounts[match.number.kind] = match.amount;
        }
        outcome.prizes = TicketCheck::prizesWon(ticket, found);
        return outcome;
    }
    const auto line = m_lines.constFind(drawKey);
    if (line == m_lines.cend()) {
        return Result<TicketOutcome>::failure(TicketTexts::unknownDraw().toString().arg(drawKey));
    }
    outcome.partial = true;
    outcome.prizes = TicketCheck::prizesWon(ticket, partialPrizes(ResultsFile::parseDrawLine(*line)));
    return outcome;
}

Result<QList<TicketOutcome>> TicketChecker::checkEveryDraw(const QString& ticket) const
{
    using Answer = Result<QList<TicketOutcome>>;
    if (const QString error = TicketCheck::ticketError(ticket); !error.isEmpty()) {
        return Answer::failure(error);
    }
    if (!m_store) {
        // No draw has a full table: each is checked by its results-file line (TicketBatch).
        return QList<TicketOutcome>();
    }
    const Result<QList<PrizeStore::Match>> matches = m_store->lookUp(TicketCheck::numbersToLookUp(ticket));
    if (!matches) {
        return Answer::failure(matches.error());
    }
    // The candidates grouped by draw; the rules then say which of them the ticket wins.
    CandidateDraws byDraw;
    for (const PrizeStore::Match& match : matches.value()) {
        DrawPrizes& found = byDraw[match.drawKey];
        found.drawKey = match.drawKey;
        found.numbers.append(match.number);
        found.amounts[match.number.kind] = match.amount;
    }
    return winningOutcomes(ticket, byDraw);
}

Result<DrawPrizes> TicketChecker::table(const QString& drawKey) const
{
    if (m_fullTables.contains(drawKey)) {
        const Result<std::optional<DrawPrizes>> stored = m_store->draw(drawKey);
        if (!stored) {
            return Result<DrawPrizes>::failure(stored.error());
        }
        if (stored.value()) {
            return *stored.value();
        }
    }
    const auto line = m_lines.constFind(drawKey);
    if (line == m_lines.cend()) {
        return Result<DrawPrizes>::failure(TicketTexts::unknownDraw().toString().arg(drawKey));
    }
    return partialPrizes(ResultsFile::parseDrawLine(*line));
}
