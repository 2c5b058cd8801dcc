#include "Form1.h"
#include "data/DataTexts.h"
#include "data/PrizeStore.h"
#include "mainwindow/CheckResultWindow.h"
#include "mainwindow/MainWindowTexts.h"
#include "updater/CheckTexts.h"
#include "updater/DrawCheck.h"
#include "updater/GloApiSource.h"
#include "updater/OfficeCheck.h"
#include "updater/UpdateProgress.h"
#include "updater/UpdaterTexts.h"
#include "widgets/Dialogs.h"

#include <QAction>
#include <QListView>
#include <QProgressDialog>

using namespace Qt::StringLiterals;

namespace {

// The progress dialog shows up only when the check lasts longer than this.
constexpr int progressDelayMs = 1000;

// The prize store beside the results file, seeded from the program's own as the ticket checker's is.
DrawCheck::TableStore tableStore(const QString& resultsPath, const QString& programDirectory)
{
    return {prizeStorePath(resultsPath), bundledPrizeStorePath(programDirectory)};
}

} // namespace

void Form1::setUpCheckActions()
{
    auto* action = new QAction(CheckTexts::actionText().toString(), this);
    action->setObjectName(u"actionCheckAgainstOffice"_s);
    connect(action, &QAction::triggered, this, [this] { CheckAgainstOffice(); });
    ListBox2->setContextMenuPolicy(Qt::ActionsContextMenu);
    ListBox2->addAction(action);
}

void Form1::CheckAgainstOffice()
{
    if (m_updaterRunning) {
        return;
    }
    const QString title = CheckTexts::title().toString();
    if (!m_config.makeCheckSource) {
        Dialogs::showMessage(this, {Dialogs::Icon::Warning, title, CheckTexts::noOfficeSource().toString()});
        return;
    }
    // The file as it is now: what the check sees is what a later write must find again.
    const Result<QStringList> stored = m_resultsFile.readResultsFile();
    if (!stored) {
        Dialogs::showMessage(this,
            {Dialogs::Icon::Warning, title,
                UpdaterTexts::withDetail(DataTexts::resultsFileUnreadable(), stored.error())});
        return;
    }
    // The selected draws, or every stored draw when none is selected.
    const QStringList chosen = selectedLines();
    const DrawCheck::Scope scope = DrawCheck::scopeOfLines(chosen.isEmpty() ? stored.value() : chosen);
    if (scope.lines.isEmpty()) {
        Dialogs::showMessage(this, {Dialogs::Icon::Information, title, CheckTexts::nothingToCheck().toString()});
        return;
    }

    if (m_checkWindow) {
        // A new check replaces the result of the last one, which must not be written meanwhile.
        m_checkWindow->close();
    }
    std::unique_ptr<GloApiSource> source = m_config.makeCheckSource();
    OfficeCheck check(*source);
    QProgressDialog progress(this);
    progress.setObjectName(u"checkProgressDialog"_s);
    progress.setWindowTitle(title);
    progress.setWindowModality(Qt::WindowModal);
    progress.setCancelButtonText(UpdateProgressTexts::cancelButton().toString());
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setMinimumDuration(progressDelayMs);
    progress.setMinimumWidth(420);
    connect(&progress, &QProgressDialog::canceled, this, [&check] { check.cancel(); });

    // While the check runs no update may start, and closing the window stops the check.
    m_updaterRunning = true;
    m_updaterCancelled = false;
    m_cancelWork = [&check] { check.cancel(); };
    const Result<DrawCheck::Outcome> outcome = check.run(stored.value(), scope, [&progress](const CheckStep& step) {
        progress.setMaximum(std::max(1, step.total));
        progress.setLabelText(step.text);
        progress.setValue(step.done);
    });
    m_cancelWork = {};
    m_updaterRunning = false;
    const bool cancelled = check.cancelled() || m_updaterCancelled;
    // Closing the dialog counts as its cancel; the check is over by now.
    progress.disconnect(this);
    progress.close();

    if (cancelled) {
        return;
    }
    if (!outcome) {
        Dialogs::showMessage(
            this, {Dialogs::Icon::Warning, title, UpdaterTexts::withDetail(CheckTexts::failed(), outcome.error())});
        return;
    }

    // The tables of the draws that agree are the office's as much as an update's are; a store that cannot take them
    // is no failure of the check.
    DrawCheck::keepAgreeingTables(
        outcome.value().agreeingTables, tableStore(m_resultsFile.path(), m_config.programDirectory));

    auto* window = new CheckResultWindow(
        outcome.value(),
        [this, checkedFile = stored.value(), tables = outcome.value().officeTables](
            const QList<DrawRecord>& records) { return applyOfficeValues(checkedFile, records, tables); },
        this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    m_checkWindow = window;
    window->show();
    window->raise();
    window->activateWindow();
}

Status Form1::applyOfficeValues(
    const QStringList& checkedFile, const QList<DrawRecord>& chosen, const QHash<QString, DrawPrizes>& officeTables)
{
    if (m_updaterRunning) {
        return Status::failure(CheckTexts::fileChanged().toString());
    }
    // A results file that may not be written (a data directory the user cannot write) stays as it is.
    if (!m_config.resultsFileProblem.isEmpty()) {
        return Status::failure(m_config.resultsFileProblem);
    }
    const Result<QStringList> lines = DrawCheck::applyToFile(m_resultsFile, checkedFile, chosen, today(), officeTables,
        tableStore(m_resultsFile.path(), m_config.programDirectory));
    if (!lines) {
        return Status::failure(lines.error());
    }
    // As after an update: the lists follow the new file, and the next start shows it.
    takeNewFile(lines.value());
    Dialogs::showMessage(this,
        {Dialogs::Icon::Information, CheckTexts::title().toString(),
            CheckTexts::written().toString().arg(chosen.size()) + u'\n' +
                MainWindowTexts::closingMessage().toString()});
    Dialogs::endProgram();
    return Status::success();
}
