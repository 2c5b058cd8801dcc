#include "Form1.h"
#include "data/DrawKeys.h"
#include "data/ThaiCalendar.h"
#include "mainwindow/MainWindowTexts.h"
#include "mainwindow/UpdateProgressDialog.h"
#include "updater/Clock.h"
#include "updater/Module1.h"
#include "updater/UpdatePlan.h"
#include "updater/UpdaterTexts.h"
#include "widgets/Dialogs.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QSet>

namespace {

// One second before and after each draw of the full download.
constexpr int downloadPauseSeconds = 1;

Status cancelledStatus()
{
    return Status::failure(UpdaterTexts::cancelled().toString());
}

} // namespace

Status Form1::writeFailure(const Status& written) const
{
    const QFileInfo directory(QFileInfo(m_resultsFile.path()).absolutePath());
    if (directory.exists() && !directory.isWritable()) {
        return Status::failure(UpdaterTexts::directoryReadOnly().toString().arg(directory.absoluteFilePath()));
    }
    return Status::failure(UpdaterTexts::withDetail(UpdaterTexts::writeFailed(), written.error()));
}

const Clock& Form1::updaterClock() const
{
    return m_config.clock ? *m_config.clock : Clock::system();
}

QDate Form1::today() const
{
    return UpdatePlan::thaiDate(updaterClock().now());
}

void Form1::closeEvent(QCloseEvent* event)
{
    if (m_updaterRunning) {
        m_updaterCancelled = true;
        if (m_activeSource) {
            m_activeSource->cancel();
        }
    }
    QWidget::closeEvent(event);
}

void Form1::UpdateDatabase()
{
    if (m_updaterRunning) {
        return;
    }
    PushButton4->setEnabled(false);
    if (!m_readFailure.isEmpty()) {
        // Stored draws the program could not read would be lost by a rewrite: nothing is written.
        Dialogs::showMessage(this,
            {Dialogs::Icon::Warning, MainWindowTexts::closingTitle().toString(),
                UpdaterTexts::withDetail(UpdaterTexts::refusedAfterReadFailure(), m_readFailure)});
        PushButton4->setEnabled(true);
        return;
    }
    std::unique_ptr<DrawSource> source = m_config.makeDrawSource ? m_config.makeDrawSource() : nullptr;
    if (!source) {
        Dialogs::showMessage(this,
            {Dialogs::Icon::Warning, MainWindowTexts::closingTitle().toString(), UpdaterTexts::noSource().toString()});
        PushButton4->setEnabled(true);
        return;
    }

    m_updaterRunning = true;
    m_updaterCancelled = false;
    m_cancelledByUser = false;
    m_activeSource = source.get();
    source->setProgressHandler([this](const UpdateProgress& progress) { showProgress(progress); });
    startProgress();
    QString incompleteKey;
    bool written = false;
    const Status status = collectFetchAndRewrite(*source, incompleteKey, written);
    endProgress();
    const QString prizeTablesNote = written ? storeFetchedPrizeTables(*source, List2) : QString();
    m_activeSource = nullptr;
    source.reset();
    m_updaterRunning = false;

    if (!status) {
        // Nothing was written: the file and the lists are as they were, and the user may try again.
        ListBox1.clear();
        List3.clear();
        PushButton4->setEnabled(true);
        if (m_cancelledByUser) {
            Dialogs::showMessage(this,
                {Dialogs::Icon::Information, MainWindowTexts::closingTitle().toString(),
                    UpdaterTexts::withDetail(
                        UpdaterTexts::updateCancelled(), UpdaterTexts::nothingWritten().toString())});
        } else if (!m_updaterCancelled) {
            Dialogs::showMessage(this,
                {Dialogs::Icon::Warning, MainWindowTexts::closingTitle().toString(),
                    UpdaterTexts::withDetail(status.error(), UpdaterTexts::nothingWritten().toString())});
        }
        return;
    }

    if (!incompleteKey.isEmpty()) {
        // Draw day: the complete draws before the newest are written; the newest may be had by a later update.
        Dialogs::showMessage(this,
            {Dialogs::Icon::Information, MainWindowTexts::closingTitle().toString(),
                UpdaterTexts::newestNotComplete().toString().arg(drawTitle(incompleteKey)) + prizeTablesNote});
        if (!written) {
            ListBox1.clear();
            PushButton4->setEnabled(true);
            return;
        }
        Dialogs::endProgram();
        return;
    }

    Dialogs::showMessage(this,
        {Dialogs::Icon::Information, MainWindowTexts::closingTitle().toString(),
            MainWindowTexts::closingMessage().toString() + prizeTablesNote});
    Dialogs::endProgram();
}

Status Form1::collectFetchAndRewrite(DrawSource& source, QString& incompleteKey, bool& written)
{
    ListBox1.clear();
    List3.clear();
    if (!m_config.resultsFileProblem.isEmpty()) {
        return Status::failure(m_config.resultsFileProblem);
    }
    // The file as it is now, not as it was at start-up: a full download since then may have added draws that the
    // lists do not hold, and a rewrite from the lists would drop them.
    const Result<QStringList> current = m_resultsFile.readResultsFile();
    if (!current) {
        return Status::failure(UpdaterTexts::withDetail(UpdaterTexts::refusedAfterReadFailure(), current.error()));
    }
    const QStringList& stored = current.value();
    showProgress(UpdateProgress::looking());

    // Collect the new draws. A walk that meets no draw as old as the newest stored one loads the list again, a
    // few times at most, always comparing with the newest stored draw so that no stored draw is fetched again.
    // The newest stored draw is the greatest key, wherever it stands in the file.
    const QString newestKey = UpdatePlan::newestStoredKey(stored);
    QStringList newEntries;
    bool anyListed = false;
    source.setNewestStoredKey(newestKey);
    const int attempts = UpdatePlan::listAttempts(stored.size());
    for (int attempt = 0; attempt < attempts; ++attempt) {
        const Result<QStringList> listed = source.listDrawEntries();
        if (m_updaterCancelled) {
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
        ListBox1.append(DrawKeys::drawKey(entry));
    }

    // Fetch and check every new draw before anything is written.
    for (qsizetype i = 0; i < newEntries.size(); ++i) {
        const QString& entry = newEntries.at(i);
        showProgress(UpdateProgress::fetching(
            DrawKeys::drawKey(entry), static_cast<int>(i + 1), static_cast<int>(newEntries.size())));
        const Result<DrawRecord> fetched = source.fetchDraw(entry, FetchPace::Update);
        if (m_updaterCancelled) {
            return cancelledStatus();
        }
        if (!fetched && i == 0 && source.isIncomplete(DrawKeys::drawKey(entry))) {
            // The newest draw is still being drawn: no fault, it is left for a later update.
            incompleteKey = DrawKeys::drawKey(entry);
            continue;
        }
        if (!fetched) {
            return Status::failure(fetched.error());
        }
        if (const Status checked = UpdatePlan::checkFetchedDraw(fetched.value(), DrawKeys::drawKey(entry), today());
            !checked) {
            return checked;
        }
        List3.append(ResultsFile::formatDrawLine(fetched.value()));
    }

    if (!incompleteKey.isEmpty() && List3.isEmpty()) {
        return Status::success();
    }
    // The new draws go in front of every stored line; the old file stays whole until the new one is complete.
    List3 += stored;
    if (const Status written = m_resultsFile.rewriteResultsFile(List3); !written) {
        return writeFailure(written);
    }
    written = true;
    List2 = List3;
    Label1->setText(List2.isEmpty() ? MainWindowTexts::noDrawStored().toString() : drawCaption(List2.constFirst()));
    return Status::success();
}

void Form1::DownloadAllDraws()
{
    if (m_updaterRunning) {
        return;
    }
    std::unique_ptr<DrawSource> source = m_config.makeDrawSource ? m_config.makeDrawSource() : nullptr;
    if (!source) {
        Dialogs::showMessage(this, {Dialogs::Icon::Warning, QString(), UpdaterTexts::noSource().toString()});
        return;
    }

    const bool updateEnabled = PushButton4->isEnabled();
    PushButton4->setEnabled(false);
    m_updaterRunning = true;
    m_updaterCancelled = false;
    m_cancelledByUser = false;
    m_downloadWritten = 0;
    m_activeSource = source.get();
    source->setProgressHandler([this](const UpdateProgress& progress) { showProgress(progress); });
    startProgress();
    const Status status = downloadEntries(*source);
    endProgress();
    // The full tables of the draws written, stored as the update stores them.
    QString prizeTablesNote;
    if (m_downloadWritten > 0) {
        if (const Result<QStringList> lines = m_resultsFile.readResultsFile(); lines) {
            prizeTablesNote = storeFetchedPrizeTables(*source, lines.value());
        }
    }
    m_activeSource = nullptr;
    source.reset();
    m_updaterRunning = false;
    PushButton4->setEnabled(updateEnabled);

    if (m_cancelledByUser) {
        // Every draw written before the cancel stays, whole.
        Dialogs::showMessage(this,
            {Dialogs::Icon::Information, QString(),
                UpdaterTexts::downloadCancelled().toString().arg(m_downloadWritten) + prizeTablesNote});
        return;
    }
    if (m_updaterCancelled) {
        return;
    }
    if (!status) {
        Dialogs::showMessage(this,
            {Dialogs::Icon::Warning, QString(),
                UpdaterTexts::withDetail(status.error(), UpdaterTexts::downloadStopped().toString()) +
                    prizeTablesNote});
        return;
    }
    Dialogs::showMessage(
        this, {Dialogs::Icon::None, QString(), MainWindowTexts::downloadDone().toString() + prizeTablesNote});
}

Status Form1::downloadEntries(DrawSource& source)
{
    if (!m_config.resultsFileProblem.isEmpty()) {
        return Status::failure(m_config.resultsFileProblem);
    }
    // The file as it is now, not as it was at start-up: an earlier download may have added to it. Only a file
    // read whole may be written; one that cannot be read is left as it is.
    const Result<QStringList> stored = m_resultsFile.readResultsFile();
    if (!stored) {
        return Status::failure(UpdaterTexts::withDetail(UpdaterTexts::refusedAfterReadFailure(), stored.error()));
    }
    QStringList lines = stored.value();

    // Every draw the source has is wanted; those the file holds already are skipped below.
    showProgress(UpdateProgress::looking());
    source.setNewestStoredKey(QString());
    const Result<QStringList> listed = source.listDrawEntries();
    if (m_updaterCancelled) {
        return cancelledStatus();
    }
    if (!listed) {
        return Status::failure(listed.error());
    }
    List1 = listed.value();
    if (List1.isEmpty()) {
        return Status::failure(UpdaterTexts::noDrawsListed().toString());
    }
    const QStringList entries = UpdatePlan::entriesToDownload(List1, UpdatePlan::storedKeys(lines));

    const auto cancelled = [this] { return m_updaterCancelled; };
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const QString& entry = entries.at(i);
        showProgress(UpdateProgress::fetching(
            DrawKeys::drawKey(entry), static_cast<int>(i + 1), static_cast<int>(entries.size())));
        Module1::WaitSeconds(downloadPauseSeconds, updaterClock(), cancelled);
        if (m_updaterCancelled) {
            return cancelledStatus();
        }
        const Result<DrawRecord> fetched = source.fetchDraw(entry, FetchPace::FullDownload);
        if (m_updaterCancelled) {
            return cancelledStatus();
        }
        if (!fetched && i == 0 && source.isIncomplete(DrawKeys::drawKey(entry))) {
            // Draw day: the newest draw is still being drawn; the next update brings it.
            continue;
        }
        if (!fetched) {
            return Status::failure(fetched.error());
        }
        const QString key = DrawKeys::drawKey(entry);
        if (const Status checked = UpdatePlan::checkFetchedDraw(fetched.value(), key, today()); !checked) {
            return checked;
        }
        // The line carries the draw's key, whatever else the page's value holds after it. It goes into its place
        // by key, and the whole file is replaced at once, so that every draw written so far stays whole and in
        // order whatever happens next.
        DrawRecord record = fetched.value();
        record.drawDate = key;
        QStringList merged = lines;
        merged.insert(UpdatePlan::insertionIndex(merged, key), ResultsFile::formatDrawLine(record));
        // The backup is the file as it was before the download, not before its last draw.
        const auto backup = m_downloadWritten == 0 ? ResultsFile::Backup::Replace : ResultsFile::Backup::Keep;
        if (const Status written = m_resultsFile.rewriteResultsFile(merged, backup); !written) {
            return writeFailure(written);
        }
        lines = std::move(merged);
        ++m_downloadWritten;
        Module1::WaitSeconds(downloadPauseSeconds, updaterClock(), cancelled);
        if (m_updaterCancelled) {
            return cancelledStatus();
        }
    }
    return Status::success();
}

void Form1::startProgress()
{
    auto* progress = new UpdateProgressDialog(this, MainWindowTexts::closingTitle().toString(), updaterClock());
    progress->setParent(this);
    m_progress = progress;
    connect(progress, &UpdateProgressDialog::reported, this, &Form1::updaterProgressed);
    connect(progress, &UpdateProgressDialog::canceled, this, [this] {
        m_cancelledByUser = true;
        m_updaterCancelled = true;
        if (m_activeSource) {
            m_activeSource->cancel();
        }
    });
}

void Form1::showProgress(const UpdateProgress& progress)
{
    if (m_progress) {
        m_progress->report(progress);
    }
}

void Form1::endProgress()
{
    delete m_progress.data();
}
