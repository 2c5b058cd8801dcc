#pragma once

#include "data/Result.h"
#include "data/ResultsFile.h"
#include "updater/DrawSource.h"
#include "updater/UpdateProgress.h"

#include <QString>
#include <QStringList>

#include <optional>

class Clock;

/// The two flows that bring the lottery office's draws into the results file. The update fetches the draws newer
/// than the newest stored one and rewrites the file with them in front; it writes nothing unless every new draw came
/// whole. The full download fetches every listed draw the file lacks and puts each into its place as it comes, so
/// that what it wrote before a failure or a cancel stays. Both store the full prize tables the source fetched, and
/// the office's list of draw dates for the ticket checker, and then complete the prize store: the table of each
/// stored draw since `firstFullTableKey` that the store lacks is asked for, newest first, and stored as it comes;
/// one the office answered without a usable table is asked for again only `daysBeforeAskingAgain` days later.
///
/// A table is stored only when it is the asked draw's and agrees with that draw's line in the results file; a stored
/// table is never replaced here. A table that cannot be had costs only itself and fails nothing.
///
/// One writer at a time: each flow holds the results file's lock (`ResultsFileLock`) from before it reads the file
/// until the prize tables are stored; a flow that finds another program holding it fails at once.
///
/// Calls block while they let events run, as the source's calls do; `cancel()` may come from such an event.
class ResultsUpdate final
{
public:
    /// The first draw whose full table the office gives (1 Mar 2010).
    static constexpr QStringView firstFullTableKey = u"25530301";
    /// How long a draw the office answered without a usable table is not asked for again.
    static constexpr qint64 daysBeforeAskingAgain = 30;

    struct Options
    {
        /// The prize store that comes with the program, put in place when the user's store is missing; empty when
        /// there is none.
        QString bundledPrizeStore;
        /// Why the results file must not be written; when it is set both flows fail at once with this text.
        QString writeProblem;
    };

    struct Outcome
    {
        /// A failed update wrote nothing; a failed full download keeps the draws it wrote before the failure.
        Status status = Status::success();
        /// The update: the keys of the new draws, in the order the source listed them.
        QStringList newKeys;
        /// The full download: the entries the source listed, whole, in its order.
        QStringList listedEntries;
        /// The file's lines after the run; empty when nothing was written.
        QStringList lines;
        /// How many fetched draws went into the file.
        int drawsWritten = 0;
        /// Whether the file was rewritten (the update rewrites it also when no draw is new).
        bool rewritten = false;
        /// Draw day: the newest listed draw, which the office is still drawing; it is left for a later update.
        QString incompleteKey;
        /// Said after the message that ends the flow: how many tables the store gained when no draw was new, and the
        /// draws whose tables could not be had or stored.
        QString prizeTablesNote;
        /// How many prize tables the store gained: those the flow fetched and those it completed.
        int tablesCompleted = 0;
    };

    /// The source and the clock must outlive this object.
    ResultsUpdate(ResultsFile file, DrawSource& source, const Clock& clock, Options options = {});

    /// `progress` is told of every step, the source's own steps included.
    Outcome update(const UpdateProgressHandler& progress);
    Outcome downloadAll(const UpdateProgressHandler& progress);

    /// Stops the flow under way, also inside a pause or a request; it then fails at once.
    void cancel();
    bool cancelled() const { return m_cancelled; }

    /// Replaces the file with `lines`; a failed write is told in the user's terms, a directory that cannot be
    /// written with a message of its own.
    static Status rewrite(
        const ResultsFile& file, const QStringList& lines, ResultsFile::Backup backup = ResultsFile::Backup::Replace);

private:
    Outcome run(const UpdateProgressHandler& progress, Status (ResultsUpdate::*flow)(Outcome&));
    Status collectFetchAndRewrite(Outcome& outcome);
    Status downloadEntries(Outcome& outcome);
    /// The file's lines as they are now, when the flow may replace it: not when it must not be written, nor when it
    /// could not be read whole.
    Result<QStringList> readWhole() const;
    void report(const UpdateProgress& progress) const;
    /// One listed draw, fetched and checked before it may be written; no record, and no failure, when it is the
    /// `newest` listed draw and the office is still drawing it.
    Result<std::optional<DrawRecord>> fetchChecked(const QString& entry, bool newest, FetchPace pace);
    /// Stores the tables the flow fetched and completes the store; the note for the user.
    QString storePrizeTables(const QStringList& lines, bool complete, Outcome& outcome);

    ResultsFile m_file;
    DrawSource& m_source;
    const Clock& m_clock;
    Options m_options;
    UpdateProgressHandler m_progress;
    bool m_cancelled = false;
};
