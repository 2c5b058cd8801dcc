#pragma once

#include "data/PrizeStore.h"
#include "data/TicketCheck.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QStringList>

#include <functional>
#include <map>

/// What one ticket won in one draw.
struct TicketOutcome
{
    QString ticket;
    QString drawKey;
    QList<TicketCheck::PrizeWon> prizes; ///< empty: no prize
    bool partial = false; ///< checked against the results-file line only
};

/// Candidate tables of several draws, each holding the numbers a ticket may have won, newest first.
using CandidateDraws = std::map<QString, DrawPrizes, std::greater<>>;

/// What `ticket` won in each of `candidates`, newest first; draws it won nothing in are left out.
QList<TicketOutcome> winningOutcomes(const QString& ticket, const CandidateDraws& candidates);

/// Checks tickets against the draws the program knows: the full tables of the prize store, and for a draw the store
/// lacks, the first prize, three-digit and two-digit numbers of its results-file line. Without a store (it could not
/// be opened or read) every draw is checked against its line, and `storeProblem()` says why.
class TicketChecker final
{
public:
    /// `resultLines`: the lines of the results file. The store must be open.
    TicketChecker(const PrizeStore& store, const QStringList& resultLines);
    /// Without the prize store: `whyNoStore` is the store's own message (why it could not be opened).
    TicketChecker(const QStringList& resultLines, QString whyNoStore);

    /// Reads the store's draw keys; call once before checking. A store that cannot be read is left aside: the
    /// check goes on from the results file and `storeProblem()` says why. Fails only when there is nothing to check.
    Status load();

    /// Why the check works from the results file alone, for the user; empty when the store is used.
    QString storeProblem() const;

    /// Every draw one can check, newest first: those of the results file and those of the store.
    const QStringList& drawKeys() const { return m_drawKeys; }
    bool hasFullTable(const QString& drawKey) const { return m_fullTables.contains(drawKey); }
    bool knowsDraw(const QString& drawKey) const;
    /// How many draws have a full table.
    qsizetype fullTableCount() const { return m_fullTables.size(); }

    /// What `ticket` (six digits) wins in one draw.
    Result<TicketOutcome> check(const QString& ticket, const QString& drawKey) const;

    /// The draws with a full table in which `ticket` won, newest first; none without a store.
    Result<QList<TicketOutcome>> checkEveryDraw(const QString& ticket) const;

    /// A draw's table: the store's, or the partial one of its results-file line.
    Result<DrawPrizes> table(const QString& drawKey) const;

private:
    const PrizeStore* m_store = nullptr;
    QString m_whyNoStore;
    QHash<QString, QString> m_lines; ///< results-file lines by draw key
    QSet<QString> m_fullTables;
    QStringList m_drawKeys;
};
