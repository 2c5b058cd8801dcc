#pragma once

#include "data/PrizeTable.h"
#include "data/Result.h"

#include <QDate>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

/// Where the prize store of a results file lives: `prizes.sqlite` in the results file's directory.
QString prizeStorePath(const QString& resultsFilePath);

/// The store that comes with the program, in the program's directory.
QString bundledPrizeStorePath(const QString& programDirectory);

/// Puts a copy of the bundled store at `storePath` when nothing is there yet; nothing to do when a store is there
/// already, or when there is no bundled store (or it is the store itself).
Status seedPrizeStore(const QString& storePath, const QString& bundledPath);

/// The full prize tables of the draws, kept in an SQLite file.
///
/// Every write is one transaction: a write that fails or is cut short leaves the tables as they were. Numbers are
/// kept as text with their leading zeros, under a key on the number, so that finding the draws in which a number
/// won is an indexed lookup.
class PrizeStore final
{
public:
    /// The layout of the file, kept in its `user_version`.
    static constexpr int schemaVersion = 1;

    explicit PrizeStore(QString path);
    ~PrizeStore();
    PrizeStore(const PrizeStore&) = delete;
    PrizeStore& operator=(const PrizeStore&) = delete;

    const QString& path() const { return m_path; }

    /// Opens the file, creating it and its tables when it is missing. Fails on a file of a newer layout.
    Status open();

    /// Opens the file, having first put a copy of the bundled store there when there was none.
    Status openSeeded(const QString& bundledPath);

    /// Stores these full tables, each replacing what was stored for its draw, all or nothing.
    Status writeDraws(const QList<DrawPrizes>& draws);

    /// The keys of the stored draws, newest first.
    Result<QStringList> drawKeys() const;

    /// One draw's table; no value when the draw is not stored.
    Result<std::optional<DrawPrizes>> draw(const QString& drawKey) const;

    /// A stored number equal to a ticket or to one of its parts.
    struct Match
    {
        QString drawKey;
        PrizeNumber number;
        qint64 amount = -1;
    };
    /// The stored numbers equal to `numbers` (see `TicketCheck::numbersToLookUp`), of one draw or, when `drawKey`
    /// is empty, of every draw.
    Result<QList<Match>> lookUp(const QStringList& numbers, const QString& drawKey = QString()) const;

    /// Keeps the draw dates the lottery office listed, in place of those kept before for the same years, all or
    /// nothing. They live in a table of their own, made at the first write: a store without it reads no dates.
    Status writeOfficeDrawDates(const QList<QDate>& dates);
    /// The office's draw dates kept so far, oldest first; none when it was never listed.
    Result<QList<QDate>> officeDrawDates() const;

private:
    Status createTables();
    Status failure(QStringView message, const QString& detail) const;

    QString m_path;
    QString m_connectionName;
    QSqlDatabase m_database;
};
