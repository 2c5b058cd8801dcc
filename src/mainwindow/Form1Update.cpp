#include "Form1.h"
#include "data/ThaiCalendar.h"
#include "mainwindow/MainWindowTexts.h"
#include "shell/Dialogs.h"
#include "updater/Clock.h"
#include "updater/DrawKeys.h"
#include "updater/Module1.h"
#include "updater/UpdatePlan.h"
#include "updater/UpdaterTexts.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

namespace {

// One second before and after each draw of the full download.
constexpr int downloadPauseSeconds = 1;

Status cancelledStatus()
{
    return Status::failure(UpdaterTexts::cancelled().toString());
}

// A failed write, told in the user's terms: a results file's directory that cannot be written gets its own message.
Status writeFailure(const QString& resultsDirectory, const Status& written)
{
    const QFileInfo directory(resultsDirectory);
    if (directory.exists() && !directory.isWritable()) {
        return Status::failure(UpdaterTexts::directoryReadOnly().toString().arg(directory.absoluteFilePath()));
    }
    return Status::failure(UpdaterTexts::withDetail(UpdaterTexts::writeFailed(), written.error()));
}

} // namespace

const Clock& Form1::updaterClock() const
{
    return m_config.clock ? *m_config.clock : Clock::system();
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
    std::unique_ptr<DrawSource> source = m_config.makeDrawSource ? m_config.makeDrawSource() : nullptr;
    if (!source) {
        Dialogs::showMessage(this,
            {Dialogs::Icon::Warning, MainWindowTexts::closingTitle().toString(), UpdaterTexts::noSource().toString()});
        PushButton4->setEnabled(true);
        return;
    }

    m_updaterRunning = true;
    m_updaterCancelled = false;
    m_activeSource = source.get();
    const Status status = collectFetchAndRewrite(*source);
    const QString prizeTablesNote = status ? storeFetchedPrizeTables(*source) : QString();
    m_activeSource = nullptr;
    source.reset();
    m_updaterRunning = false;

    if (!status) {
        // Nothing was written: the file and the lists are as they were, and the user may try again.
        ListBox1.clear();
        List3.clear();
        PushButton4->setEnabled(true);
        if (!m_updaterCancelled) {
            Dialogs::showMessage(this,
                {Dialogs::Icon::Warning, MainWindowTexts::closingTitle().toString(),
                    UpdaterTexts::withDetail(status.error(), UpdaterTexts::nothingWritten().toString())});
        }
        return;
    }

    Dialogs::showMessage(this,
        {Dialogs::Icon::Information, MainWindowTexts::closingTitle().toString(),
            MainWindowTexts::closingMessage().toString() + prizeTablesNote});
    Dialogs::endProgram();
}

Status Form1::collectFetchAndRewrite(DrawSource& source)
{
    ListBox1.clear();
    List3.clear();
    if (!m_config.resultsFileProblem.isEmpty()) {
        return Status::failure(m_config.resultsFileProblem);
    }

    // Collect the new draws. A walk that meets no draw as old as the newest stored one loads the list again, a
    // few times at most, always comparing with the newest stored draw so that no stored draw is fetched again.
    const QString newestKey = List2.isEmpty() ? QString() : DrawKeys::drawKey(List2.constFirst());
    QStringList newEntries;
    bool anyListed = false;
    source.setNewestStoredKey(newestKey);
    const int attempts = UpdatePlan::listAttempts(List2.size());
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
    for (const QString& entry : std::as_const(newEntries)) {
        ListBox1.append(DrawKeys::drawKey(entry));
    }

    // Fetch and check every new draw before anything is written.
    for (const QString& entry : std::as_const(newEntries)) {
        const Result<DrawRecord> fetched = source.fetchDraw(entry, FetchPace::Update);
        if (m_updaterCancelled) {
            return cancelledStatus();
        }
        if (!fetched) {
            return Status::failure(fetched.error());
        }
        if (const Status checked = UpdatePlan::checkFetchedDraw(fetched.value(), DrawKeys::drawKey(entry)); !checked) {
            return checked;
        }
        List3.append(ResultsFile::formatDrawLine(fetched.value()));
    }

    // The new draws go in front of every stored line; the old file stays whole until the new one is complete.
    List3 += List2;
    if (const Status written = m_resultsFile.rewriteResultsFile(List3); !written) {
        return writeFailure(QFileInfo(m_resultsFile.path()).absolutePath(), written);
    }
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
    m_activeSource = source.get();
    const Status status = downloadEntries(*source);
    m_activeSource = nullptr;
    source.reset();
    m_updaterRunning = false;
    PushButton4->setEnabled(updateEnabled);

    if (m_updaterCancelled) {
        return;
    }
    if (!status) {
        Dialogs::showMessage(this,
            {Dialogs::Icon::Warning, QString(),
                UpdaterTexts::withDetail(status.error(), UpdaterTexts::downloadStopped().toString())});
        return;
    }
    Dialogs::showMessage(this, {Dialogs::Icon::None, QString(), MainWindowTexts::downloadDone().toString()});
}

Status Form1::downloadEntries(DrawSource& source)
{
    if (!m_config.resultsFileProblem.isEmpty()) {
        return Status::failure(m_config.resultsFileProblem);
    }
    // Every draw the source has is wanted; those the file holds already are skipped below.
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

    // The file as it is now, not as it was at start-up: an earlier download may have added to it.
    const Result<QStringList> stored = m_resultsFile.readResultsFile();
    if (!stored) {
        return Status::failure(UpdaterTexts::withDetail(UpdaterTexts::readFailed(), stored.error()));
    }
    const QStringList entries = UpdatePlan::entriesToDownload(List1, UpdatePlan::storedKeys(stored.value()));

    const auto cancelled = [this] { return m_updaterCancelled; };
    for (const QString& entry : entries) {
        Module1::WaitSeconds(downloadPauseSeconds, updaterClock(), cancelled);
        if (m_updaterCancelled) {
            return cancelledStatus();
        }
        const Result<DrawRecord> fetched = source.fetchDraw(entry, FetchPace::FullDownload);
        if (m_updaterCancelled) {
            return cancelledStatus();
        }
        if (!fetched) {
            return Status::failure(fetched.error());
        }
        const QString key = DrawKeys::drawKey(entry);
        if (const Status checked = UpdatePlan::checkFetchedDraw(fetched.value(), key); !checked) {
            return checked;
        }
        // The line carries the draw's key, whatever else the page's value holds after it.
        DrawRecord record = fetched.value();
        record.drawDate = key;
        if (const Status written = m_resultsFile.appendResultsFile({ResultsFile::formatDrawLine(record)}); !written) {
            return writeFailure(QFileInfo(m_resultsFile.path()).absolutePath(), written);
        }
        Module1::WaitSeconds(downloadPauseSeconds, updaterClock(), cancelled);
        if (m_updaterCancelled) {
            return cancelledStatus();
        }
    }
    return Status::success();
}
