#include "Form1.h"
#include "data/DataTexts.h"
#include "data/PrizeStore.h"
#include "data/ThaiCalendar.h"
#include "mainwindow/MainWindowTexts.h"
#include "mainwindow/UpdateProgressDialog.h"
#include "updater/Clock.h"
#include "updater/UpdatePlan.h"
#include "updater/UpdaterTexts.h"
#include "widgets/Dialogs.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

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
        if (m_cancelWork) {
            m_cancelWork();
        }
    }
    QWidget::closeEvent(event);
}

void Form1::takeNewFile(const QStringList& lines)
{
    List2 = lines;
    Label1->setText(List2.isEmpty() ? DataTexts::noDrawStored().toString() : drawCaption(List2.constFirst()));
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

    const ResultsUpdate::Outcome outcome = runUpdater(*source, &ResultsUpdate::update);
    if (!outcome.status) {
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
                    UpdaterTexts::withDetail(outcome.status.error(), UpdaterTexts::nothingWritten().toString())});
        }
        return;
    }
    ListBox1 = outcome.newKeys;
    List3 = outcome.lines;
    if (outcome.rewritten) {
        takeNewFile(outcome.lines);
    }

    if (!outcome.incompleteKey.isEmpty()) {
        // Draw day: the complete draws before the newest are written; the newest may be had by a later update.
        Dialogs::showMessage(this,
            {Dialogs::Icon::Information, MainWindowTexts::closingTitle().toString(),
                UpdaterTexts::newestNotComplete().toString().arg(drawTitle(outcome.incompleteKey)) +
                    outcome.prizeTablesNote});
        if (!outcome.rewritten) {
            ListBox1.clear();
            PushButton4->setEnabled(true);
            return;
        }
        Dialogs::endProgram();
        return;
    }

    Dialogs::showMessage(this,
        {Dialogs::Icon::Information, MainWindowTexts::closingTitle().toString(),
            MainWindowTexts::closingMessage().toString() + outcome.prizeTablesNote});
    Dialogs::endProgram();
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
    const ResultsUpdate::Outcome outcome = runUpdater(*source, &ResultsUpdate::downloadAll);
    PushButton4->setEnabled(updateEnabled);
    List1 = outcome.listedEntries;

    if (m_cancelledByUser) {
        // Every draw written before the cancel stays, whole.
        Dialogs::showMessage(this,
            {Dialogs::Icon::Information, QString(),
                UpdaterTexts::downloadCancelled().toString().arg(outcome.drawsWritten) + outcome.prizeTablesNote});
        return;
    }
    if (m_updaterCancelled) {
        return;
    }
    if (!outcome.status) {
        Dialogs::showMessage(this,
            {Dialogs::Icon::Warning, QString(),
                UpdaterTexts::withDetail(outcome.status.error(), UpdaterTexts::downloadStopped().toString()) +
                    outcome.prizeTablesNote});
        return;
    }
    Dialogs::showMessage(
        this, {Dialogs::Icon::None, QString(), MainWindowTexts::downloadDone().toString() + outcome.prizeTablesNote});
}

ResultsUpdate::Outcome Form1::runUpdater(DrawSource& source, Flow flow)
{
    ResultsUpdate updater(m_resultsFile, source, updaterClock(),
        {bundledPrizeStorePath(m_config.programDirectory), m_config.resultsFileProblem});
    m_updaterRunning = true;
    m_updaterCancelled = false;
    m_cancelledByUser = false;
    m_cancelWork = [&updater] { updater.cancel(); };

    UpdateProgressDialog progress(this, MainWindowTexts::closingTitle().toString(), updaterClock());
    connect(&progress, &UpdateProgressDialog::reported, this, &Form1::updaterProgressed);
    connect(&progress, &UpdateProgressDialog::canceled, this, [this] {
        m_cancelledByUser = true;
        m_updaterCancelled = true;
        if (m_cancelWork) {
            m_cancelWork();
        }
    });

    ResultsUpdate::Outcome outcome =
        (updater.*flow)([&progress](const UpdateProgress& step) { progress.report(step); });
    m_cancelWork = {};
    m_updaterRunning = false;
    return outcome;
}
