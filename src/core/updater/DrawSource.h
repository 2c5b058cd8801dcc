#pragma once

#include "data/DrawRecord.h"
#include "data/PrizeTable.h"
#include "data/Result.h"
#include "updater/UpdateProgress.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

/// How fast the fetch of one draw may go: the update settles longer after each draw than the full download.
enum class FetchPace { Update, FullDownload };

/// Where the updater gets draws from: the lottery office's result page or its JSON API.
///
/// Calls block the caller while they let window events run (they wait in nested event loops), as every
/// wait of the updater does; `cancel()` makes a call under way, and every later one, fail at once.
class DrawSource
{
public:
    virtual ~DrawSource() = default;

    /// The newest draw the results file holds ("25580801"), empty when it holds none. Called before
    /// `listDrawEntries`; a source that cannot list every draw cheaply lists only the newer ones and this one.
    virtual void setNewestStoredKey(const QString& key) { Q_UNUSED(key) }

    /// The draws the source offers, newest first. Each entry begins with its eight-character draw key.
    virtual Result<QStringList> listDrawEntries() = 0;

    /// One draw's six numbers; `entry` is an item that `listDrawEntries` gave. The record's date is the entry's key.
    virtual Result<DrawRecord> fetchDraw(const QString& entry, FetchPace pace) = 0;

    virtual void cancel() = 0;

    /// The full prize tables of the draws fetched so far; none from a source that shows no full tables.
    virtual QList<FetchedPrizeTable> fetchedPrizeTables() const { return {}; }
    /// Whether the source can be asked for the full prize table of any draw (`fetchPrizeTable`).
    virtual bool offersPrizeTables() const { return false; }
    /// Asks for the full prize table of the draw `key`, at the source's pace. Fails when no answer could be had
    /// (no connection, cancelled); an answer without a whole table of that draw gives the table's key and error.
    virtual Result<FetchedPrizeTable> fetchPrizeTable(const QString& key)
    {
        Q_UNUSED(key)
        return Result<FetchedPrizeTable>::failure(QString());
    }
    /// The draw dates the lottery office listed for whole years while the draws were listed, coming draws included
    /// when it lists them; none from a source without such a list.
    virtual QList<QDate> listedDrawDates() const { return {}; }
    /// Whether the last fetch of this draw failed only because the office has not finished publishing it (draw day:
    /// some numbers are still placeholders or missing). Such a draw is no fault; it may be asked again later.
    virtual bool isIncomplete(const QString& key) const
    {
        Q_UNUSED(key)
        return false;
    }

    /// Where the source tells of its steps while it lists draws (the month it searches, for instance).
    void setProgressHandler(UpdateProgressHandler handler) { m_progress = std::move(handler); }

protected:
    void reportProgress(const UpdateProgress& progress) const
    {
        if (m_progress) {
            m_progress(progress);
        }
    }

private:
    UpdateProgressHandler m_progress;
};
