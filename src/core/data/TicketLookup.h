#pragma once

#include "data/PrizeStore.h"
#include "data/Result.h"
#include "data/TicketChecker.h"

#include <QString>
#include <QStringList>

#include <optional>

/// The ticket checker over the user's prize store, or over the results file alone when the store cannot be opened
/// or read: a store that fails costs the prizes its tables would tell, never the check of the first prize, the
/// three-digit and the two-digit numbers. What the user should know of the store (set aside and made anew, opened
/// for reading only, not used at all) is kept in `notice()`.
class TicketLookup final
{
public:
    /// `bundledStorePath`: the store that comes with the program, put in place when the user's is missing or had to
    /// be set aside; empty when the user's store is in place already. An empty `storePath`: no store, the results
    /// file alone.
    TicketLookup(const QString& storePath, const QString& bundledStorePath, const QStringList& resultLines);
    TicketLookup(const TicketLookup&) = delete;
    TicketLookup& operator=(const TicketLookup&) = delete;

    /// Opens the store and reads which draws it holds. Fails only when there is nothing to check: no store and no
    /// draw in the results file.
    Status load();

    const TicketChecker& checker() const { return *m_checker; }
    /// The store in use; none when the check works from the results file alone.
    const PrizeStore* store() const { return m_checker && m_checker->storeProblem().isEmpty() ? &m_store : nullptr; }
    /// What became of the store, for the user; empty when all is as it should be.
    QString notice() const;

private:
    PrizeStore m_store;
    QString m_bundledStorePath;
    QStringList m_resultLines;
    std::optional<TicketChecker> m_checker;
};
