#pragma once

#include "data/PrizeTable.h"
#include "data/Result.h"
#include "data/ResultsLocation.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>
#include <optional>

class QSqlQuery;

/// Where the prize store of a results file lives: `prizes.sqlite` in the results file's directory.
QString prizeStorePath(const QString& resultsFilePath);

/// The store that comes with the program, in the program's directory.
QString bundledPrizeStorePath(const QString& programDirectory);

/// Puts a copy of the bundled store at `storePath` when nothing is there yet (or an empty file); nothing to do when
/// a store is there already, or when there is no bundled store (or it is the store itself).
Status seedPrizeStore(const QString& storePath, const QString& bundledPath);

/// The full prize tables of the draws, kept in an SQLite file.
///
/// Each draw's table is written in its own savepoint: a table that cannot be written costs only itself, and a write
/// cut short leaves the tables as they were. A stored table is never replaced by the tables an update brings, only
/// by `replaceDraw`. Numbers are kept as text with their leading zeros, under a key on the number, so that finding
/// the draws in which a number won is an indexed lookup. Amounts are per ticket, those of the draw's era (see
/// PrizeEras), whatever the table handed in says for the draws before today's era.
///
/// A file that is no store of this program (damaged, another program's database, a folder, a pipe) is set aside
/// under another name, never deleted, and a fresh store is made; a store of a newer layout is opened for reading
/// only. `notice()` then says what happened, for the user.
class PrizeStore final
{
public:
    /// The layout of the file, kept in its `user_version`: 2 added each draw's result sheet and the amounts of the
    /// draw's era; a store of layout 1 is brought to 2 when it is opened.
    static constexpr int schemaVersion = 2;
    /// The longest path of the store, in bytes, that SQLite opens.
    static constexpr qsizetype maxPathBytes = ResultsLocation::longestSqlitePathBytes;

    explicit PrizeStore(QString path);
    ~PrizeStore();
    PrizeStore(const PrizeStore&) = delete;
    PrizeStore& operator=(const PrizeStore&) = delete;

    const QString& path() const { return m_path; }

    /// Opens the file, creating it and its tables when it is missing.
    Status open();

    /// Opens the file, having first put a copy of the bundled store there when there was none, or when the file
    /// there had to be set aside. Fails when the path is too long for SQLite, or when the file can neither be used
    /// nor set aside; the ticket check then works from the results file alone.
    Status openSeeded(const QString& bundledPath);

    /// What the user should be told about the last opening (a file set aside, a store opened for reading only);
    /// empty when there is nothing to tell.
    const QString& notice() const { return m_notice; }
    /// Where a file that could not be used was moved to; empty when none was.
    const QString& setAsidePath() const { return m_setAsidePath; }
    /// The store is of a newer layout: it is read, never written.
    bool isReadOnly() const { return m_readOnly; }

    /// What became of one table handed to `addDraws`.
    struct DrawWrite
    {
        enum class Outcome {
            Added,
            AlreadyStored, ///< the store had a table of the draw and kept it
            Failed,
        };
        QString drawKey;
        Outcome outcome = Outcome::Failed;
        QString error; ///< why it failed, in Thai
    };
    struct Writes
    {
        QList<DrawWrite> draws; ///< in the order the tables were handed in

        QStringList keysOf(DrawWrite::Outcome outcome) const;
        /// Success when no table failed; otherwise one line per failed draw saying why.
        Status status() const;
    };

    /// Adds the tables of the draws the store lacks; a draw the store has keeps its table. Each table is checked
    /// to be whole (`checkFullTable`) and written in its own savepoint.
    Writes addDraws(const QList<DrawPrizes>& draws);

    /// `addDraws`, said as one status.
    Status writeDraws(const QList<DrawPrizes>& draws);

    /// Puts this table in place of the stored one of its draw (or adds it). Only for a table the user accepted
    /// from the lottery office in the check against the office.
    Status replaceDraw(const DrawPrizes& prizes);

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

    /// Notes that the office answered for these draws, on `day`, without a table the store could take, so that the
    /// next updates need not ask again at once. A table of their own, made at the first write.
    Status noteTablesNotHad(const QStringList& drawKeys, QDate day);
    /// The draws the office last answered without a usable table, each with the day it did.
    Result<QHash<QString, QDate>> tablesNotHad() const;

private:
    enum class FileState { Ours, OlderLayout, Empty, NewerLayout, NotOurs, Damaged, Unusable };
    struct Inspection
    {
        FileState state = FileState::Unusable;
        int version = 0;
        QString reason; ///< why the file is not ours or cannot be used
    };

    Status connect(bool readOnly);
    void disconnect();
    Inspection inspect();
    Status setAside(const QString& reason, bool foreign);
    Status createTables();
    Status upgradeFromFirstLayout();
    void takeResultSheets(const QString& bundledPath);
    Status failure(QStringView message, const QString& detail) const;
    /// Runs `work` in one transaction of a store open for writing: all of it is written, or nothing.
    Status writeAllOrNothing(const std::function<bool(QSqlQuery&)>& work);

    QString m_path;
    QString m_connectionName;
    QSqlDatabase m_database;
    QString m_notice;
    QString m_setAsidePath;
    bool m_readOnly = false;
};
