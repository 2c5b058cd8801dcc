#include "ResultsUpdate.h"

#include "data/DrawKeys.h"
#include "data/PrizeStore.h"
#include "data/ResultsFileLock.h"
#include "data/ThaiCalendar.h"
#include "data/TicketTexts.h"
#include "updater/Clock.h"
#include "updater/Module1.h"
#include "updater/UpdatePlan.h"
#include "updater/UpdaterTexts.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMap>
#include <QSet>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// One second before and after each draw of the full download.
constexpr int downloadPauseSeconds = 1;

Status cancelledStatus()
{
    return Status::failure(UpdaterTexts::cancelled().toString());
}

} // namespace

ResultsUpdate::ResultsUpdate(ResultsFile file, DrawSource& source, const Clock& clock, Options options)
    : m_file(std::move(file))
    , m_source(source)
    , m_clock(clock)
    , m_options(std::move(options))
{ }

void ResultsUpdate::cancel()
{
    m_cancelled = true;
    m_source.cancel();
}

Status ResultsUpdate::rewrite(const ResultsFile& file, const QStringList& lines, ResultsFile::Backup backup)
{
    const Status written = file.rewriteResultsFile(lines, backup);
    if (written) {
        return written;
    }
    const QFileInfo directory(QFileInfo(file.path()).absolutePath());
    if (directory.exists() && !directory.isWritable()) {
        return Status::failure(UpdaterTexts::directoryReadOnly().toString().arg(directory.absoluteFilePath()));
    }
    return Status::failure(UpdaterTexts::withDetail(UpdaterTexts::writeFailed(), written.error()));
}

ResultsUpdate::Outcome ResultsUpdate::update(const UpdateProgressHandler& progress)
{
    return run(progress, &ResultsUpdate::collectFetchAndRewrite);
}

ResultsUpdate::Outcome ResultsUpdate::downloadAll(const UpdateProgressHandler& progress)
{
    return run(progress, &ResultsUpdate::downloadEntries);
}

ResultsUpdate::Outcome ResultsUpdate::run(
    const UpdateProgressHandler& progress, Status (ResultsUpdate::*flow)(Outcome&))
{
    Outcome outcome;
    // Held from before the file is read until its prize tables are stored: another copy of the program writing
    // meanwhile would lose the draws of one of the two.
    // A file whose folder is gone has nothing to guard: its rewrite fails and says so.
    const bool guarded = m_options.writeProblem.isEmpty() && QFileInfo(m_file.path()).absoluteDir().exists();
    const Result<std::unique_ptr<ResultsFileLock>> lock = guarded
        ? ResultsFileLock::acquire(m_file.path())
        : Result<std::unique_ptr<ResultsFileLock>>(std::unique_ptr<ResultsFileLock>());
    if (!lock) {
        outcome.status = Status::failure(lock.error());
        return outcome;
    }
    m_progress = progress;
    m_source.setProgressHandler(progress);
    outcome.status = (this->*flow)(outcome);
    // The full tables of the draws the file holds now, stored also after a full download that stopped halfway;
    // the store is completed only after a flow that went well.
    if (!m_cancelled && (outcome.rewritten || outcome.status)) {
        const Result<QStringList> lines = outcome.rewritten ? Result<QStringList>(outcome.lines) : readWhole();
        if (lines) {
            outcome.prizeTablesNote = storePrizeTables(lines.value(), outcome.status.ok(), outcome);
        }
    }
    m_source.setProgressHandler({});
    m_progress = {};
    return outcome;
}

void ResultsUpdate::report(const UpdateProgress& progress) const
{
    if (m_progress) {
        m_progress(progress);
    }
}

Result<QStringList> ResultsUpdate::readWhole() const
{
    if (!m_options.writeProblem.isEmpty()) {
        return Result<QStringList>::failure(m_options.writeProblem);
    }
    // The file as it is now, not as it was when the program started: a full download since then may have added
    // draws. Stored draws that could not be read would be lost by a rewrite, so a file not read whole stays as it is.
    Result<QStringList> lines = m_file.readResultsFile();
    if (!lines) {
        return Result<QStringList>::failure(
            UpdaterTexts::withDetail(UpdaterTexts::refusedAfterReadFailure(), lines.error()));
    }
    return lines;
}

Status ResultsUpdate::collectFetchAndRewrite(Outcome& outcome)
{
    const Result<QStringList> current = readWhole();
    if (!current) {
        return Status::failure(current.error());
    }
    const QStringList& stored = current.value();
    report(UpdateProgress::looking());

    // Collect the new draws. A walk that meets no draw as old as the newest stored one loads the list again, a
    // few times at most, always comparing with the newest stored draw so that no stored draw is fetched again.
    // The newest stored draw is the greatest key, wherever it stands in the file.
    const QString newestKey = UpdatePlan::newestStoredKey(stored);
    QStringList newEntries;
    bool anyListed = false;
    m_source.setNewestStoredKey(newestKey);
    const int attempts = UpdatePlan::listAttempts(stored.size());
    for (int attempt = 0; attempt < attempts; ++attempt) {
        const Result<QStringList> listed = m_source.listDrawEntries();
        if (m_cancelled) {
            return cancelledStatus();
        }
        if (!listed) {
            return Status::failure(listed.error());
        }
        anyListed = anyListed || !listed.value().isEmpty();
        if (UpdatePlan::collectNewEntries(listed.value(), newestKey, newEntries).stopped) {
            break;
        }
    }
    if (!anyListed) {
        return Status::failure(UpdaterTexts::noDrawsListed().toString());
    }
    // No key the file holds is ever written again.
    const QSet<QString> storedKeys = UpdatePlan::storedKeys(stored);
    newEntries.removeIf([&storedKeys](const QString& entry) { return storedKeys.contains(DrawKeys::drawKey(entry)); });
    for (const QString& entry : std::as_const(newEntries)) {
        outcome.newKeys.append(DrawKeys::drawKey(entry));
    }

    // Fetch and check every new draw before anything is written.
    QStringList lines;
    for (qsizetype i = 0; i < newEntries.size(); ++i) {
        const QString& entry = newEntries.at(i);
        const QString key = DrawKeys::drawKey(entry);
        report(UpdateProgress::fetching(key, static_cast<int>(i + 1), static_cast<int>(newEntries.size())));
        const Result<std::optional<DrawRecord>> fetched = fetchChecked(entry, i == 0, FetchPace::Update);
        if (!fetched) {
            return Status::failure(fetched.error());
        }
        if (!fetched.value()) {
            outcome.incompleteKey = key;
            continue;
        }
        lines.append(ResultsFile::formatDrawLine(*fetched.value()));
    }

    if (!outcome.incompleteKey.isEmpty() && lines.isEmpty()) {
        return Status::success();
    }
    // The new draws go in front of every stored line; the old file stays whole until the new one is complete.
    const auto drawsWritten = static_cast<int>(lines.size());
    lines += stored;
    if (const Status written = rewrite(m_file, lines); !written) {
        return written;
    }
    outcome.lines = std::move(lines);
    outcome.drawsWritten = drawsWritten;
    outcome.rewritten = true;
    return Status::success();
}

Status ResultsUpdate::downloadEntries(Outcome& outcome)
{
    const Result<QStringList> stored = readWhole();
    if (!stored) {
        return Status::failure(stored.error());
    }
    QStringList lines = stored.value();

    // Every draw the source has is wanted; those the file holds already are skipped below.
    report(UpdateProgress::looking());
    m_source.setNewestStoredKey(QString());
    const Result<QStringList> listed = m_source.listDrawEntries();
    if (m_cancelled) {
        return cancelledStatus();
    }
    if (!listed) {
        return Status::failure(listed.error());
    }
    outcome.listedEntries = listed.value();
    if (outcome.listedEntries.isEmpty()) {
        return Status::failure(UpdaterTexts::noDrawsListed().toString());
    }
    const QStringList entries = UpdatePlan::entriesToDownload(outcome.listedEntries, UpdatePlan::storedKeys(lines));

    const auto cancelled = [this] { return m_cancelled; };
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const QString& entry = entries.at(i);
        const QString key = DrawKeys::drawKey(entry);
        report(UpdateProgress::fetching(key, static_cast<int>(i + 1), static_cast<int>(entries.size())));
        Module1::WaitSeconds(downloadPauseSeconds, m_clock, cancelled);
        if (m_cancelled) {
            return cancelledStatus();
        }
        const Result<std::optional<DrawRecord>> fetched = fetchChecked(entry, i == 0, FetchPace::FullDownload);
        if (!fetched) {
            return Status::failure(fetched.error());
        }
        if (!fetched.value()) {
            continue;
        }
        // The line carries the draw's key, whatever else the page's value holds after it. It goes into its place
        // by key, and the whole file is replaced at once, so that every draw written so far stays whole and in
        // order whatever happens next.
        DrawRecord record = *fetched.value();
        record.drawDate = key;
        QStringList merged = lines;
        merged.insert(UpdatePlan::insertionIndex(merged, key), ResultsFile::formatDrawLine(record));
        // The backup is the file as it was before the download, not before its last draw.
        const auto backup = outcome.rewritten ? ResultsFile::Backup::Keep : ResultsFile::Backup::Replace;
        if (const Status written = rewrite(m_file, merged, backup); !written) {
            return written;
        }
        lines = std::move(merged);
        outcome.lines = lines;
        ++outcome.drawsWritten;
        outcome.rewritten = true;
        Module1::WaitSeconds(downloadPauseSeconds, m_clock, cancelled);
        if (m_cancelled) {
            return cancelledStatus();
        }
    }
    return Status::success();
}

Result<std::optional<DrawRecord>> ResultsUpdate::fetchChecked(const QString& entry, bool newest, FetchPace pace)
{
    using Fetched = Result<std::optional<DrawRecord>>;
    const QString key = DrawKeys::drawKey(entry);
    const Result<DrawRecord> fetched = m_source.fetchDraw(entry, pace);
    if (m_cancelled) {
        return Fetched::failure(cancelledStatus().error());
    }
    if (!fetched && newest && m_source.isIncomplete(key)) {
        // Draw day: the newest draw is still being drawn. That is no fault; a later update brings it.
        return std::optional<DrawRecord>();
    }
    if (!fetched) {
        return Fetched::failure(fetched.error());
    }
    if (const Status checked = UpdatePlan::checkFetchedDraw(fetched.value(), key, UpdatePlan::thaiDate(m_clock.now()));
        !checked) {
        return Fetched::failure(checked.error());
    }
    return std::optional<DrawRecord>(fetched.value());
}

QString ResultsUpdate::storePrizeTables(const QStringList& lines, bool complete, Outcome& outcome)
{
    QHash<QString, QString> lineOf;
    for (const QString& line : lines) {
        lineOf.insert(DrawKeys::drawKey(line), line);
    }
    // The draws whose tables could not be had or stored, by key, with the last reason told.
    QMap<QString, QString> notHad;
    QString detail;
    const auto fail = [&notHad, &detail](const QString& key, const QString& why) {
        notHad.insert(key, why);
        detail = why;
    };
    const auto notHadNote = [&notHad, &detail] {
        QStringList titles;
        for (auto it = notHad.cbegin(); it != notHad.cend(); ++it) {
            titles.prepend(drawTitle(it.key()));
        }
        return titles.isEmpty()
            ? QString()
            : u"\n\n"_s + TicketTexts::tablesNotStored().toString().arg(titles.join(u", "_s), detail);
    };
    // A table is kept only for a draw the file holds and only when it agrees with that draw's line: an answer
    // that carries a stored draw's date with other numbers is no table of that draw.
    const auto checked = [&lineOf](const FetchedPrizeTable& fetched) {
        if (!fetched.error.isEmpty()) {
            return Status::failure(fetched.error);
        }
        return checkTableAgainstLine(
            fetched.prizes, fetched.drawKey, ResultsFile::parseDrawLine(lineOf.value(fetched.drawKey)));
    };
    QList<DrawPrizes> tables;
    for (const FetchedPrizeTable& fetched : m_source.fetchedPrizeTables()) {
        if (!lineOf.contains(fetched.drawKey)) {
            continue;
        }
        if (const Status usable = checked(fetched); usable) {
            tables.append(fetched.prizes);
        } else {
            fail(fetched.drawKey, usable.error());
        }
    }
    const QList<QDate> officeDates = m_source.listedDrawDates();
    const bool completing = complete && m_source.offersPrizeTables();
    if (tables.isEmpty() && officeDates.isEmpty() && !completing) {
        return notHadNote();
    }

    PrizeStore store(prizeStorePath(m_file.path()));
    const Status opened = store.openSeeded(m_options.bundledPrizeStore);
    const auto keep = [&store, &fail, &notHad, &outcome](const QList<DrawPrizes>& toStore) {
        for (const PrizeStore::DrawWrite& write : store.addDraws(toStore).draws) {
            if (write.outcome == PrizeStore::DrawWrite::Outcome::Failed) {
                fail(write.drawKey, write.error);
                continue;
            }
            notHad.remove(write.drawKey);
            outcome.tablesCompleted += write.outcome == PrizeStore::DrawWrite::Outcome::Added ? 1 : 0;
        }
    };
    if (!opened) {
        for (const DrawPrizes& table : std::as_const(tables)) {
            fail(table.drawKey, opened.error());
        }
    } else {
        keep(tables);
        if (!officeDates.isEmpty()) {
            // The office's dates only tell the ticket checker when the next draw is; without them it goes by the
            // usual schedule, so a failure to keep them is not worth a word to the user.
            const Status kept = store.writeOfficeDrawDates(officeDates);
            Q_UNUSED(kept)
        }
    }

    // The tables the store lacks of the draws the file holds since the office gives whole tables, newest first.
    const Result<QStringList> storedKeys =
        opened && !store.isReadOnly() ? store.drawKeys() : Result<QStringList>::failure(opened.error());
    if (completing && storedKeys) {
        const QSet<QString> have(storedKeys.value().cbegin(), storedKeys.value().cend());
        // A draw the office answered without a usable table is asked for again only after a while: every update
        // would otherwise spend a second on each such draw, to no end.
        const QDate today = UpdatePlan::thaiDate(m_clock.now());
        const Result<QHash<QString, QDate>> notedBefore = store.tablesNotHad();
        const QHash<QString, QDate> notHadBefore = notedBefore ? notedBefore.value() : QHash<QString, QDate>();
        const auto askedLately = [&notHadBefore, today](const QString& key) {
            const QDate asked = notHadBefore.value(key);
            return asked.isValid() && asked.daysTo(today) >= 0 && asked.daysTo(today) < daysBeforeAskingAgain;
        };
        QStringList missing;
        for (auto it = lineOf.cbegin(); it != lineOf.cend(); ++it) {
            if (it.key() >= firstFullTableKey && !have.contains(it.key()) && gregorianDate(it.key()).isValid() &&
                !askedLately(it.key())) {
                missing.append(it.key());
            }
        }
        std::sort(missing.begin(), missing.end(), std::greater<>());
        QStringList answeredWithoutTable;
        for (qsizetype i = 0; i < missing.size() && !m_cancelled; ++i) {
            const QString& key = missing.at(i);
            report(UpdateProgress::fetchingTable(key, static_cast<int>(i + 1), static_cast<int>(missing.size())));
            const Result<FetchedPrizeTable> fetched = m_source.fetchPrizeTable(key);
            if (m_cancelled) {
                break;
            }
            if (!fetched) {
                // The office cannot be reached: the other tables are asked for by a later update.
                fail(key, fetched.error());
                break;
            }
            if (const Status usable = checked(fetched.value()); !usable) {
                fail(key, usable.error());
                answeredWithoutTable.append(key);
                continue;
            }
            keep({fetched.value().prizes});
        }
        const Status noted = store.noteTablesNotHad(answeredWithoutTable, today);
        Q_UNUSED(noted)
    }

    QString note;
    if (outcome.tablesCompleted > 0 && outcome.drawsWritten == 0) {
        note += u"\n\n"_s + TicketTexts::tablesCompleted().toString().arg(outcome.tablesCompleted);
    }
    note += notHadNote();
    // A store set aside and made anew, or one of a newer program opened for reading only.
    if (!store.notice().isEmpty()) {
        note += u"\n\n"_s + store.notice();
    }
    return note;
}
