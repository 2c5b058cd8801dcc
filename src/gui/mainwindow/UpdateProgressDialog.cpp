#include "UpdateProgressDialog.h"

#include "updater/Clock.h"
#include "widgets/WindowHabits.h"

#include <QProgressDialog>
#include <QTimer>

#include <limits>

namespace {

// The dialog appears once the work has lasted this long.
constexpr qint64 showDelayMs = 1000;

} // namespace

UpdateProgressDialog::UpdateProgressDialog(QWidget* parent, const QString& title, const Clock& clock)
    : m_clock(clock)
    , m_start(clock.now())
{
    auto* dialog = new QProgressDialog(parent);
    dialog->setObjectName(QString::fromLatin1(objectName));
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setWindowTitle(title);
    dialog->setCancelButtonText(UpdateProgressTexts::cancelButton().toString());
    dialog->setLabelText(UpdateProgressTexts::looking().toString());
    dialog->setAutoClose(false);
    dialog->setAutoReset(false);
    // The dialog is shown here, by the updater's clock, never by its own.
    dialog->setMinimumDuration(std::numeric_limits<int>::max());
    dialog->setRange(0, 0);
    dialog->setMinimumWidth(420);
    // Esc cancels as every dialog does; Ctrl+W too, as it closes the program's other windows.
    WindowHabits::closeWithKeys(dialog);
    connect(dialog, &QProgressDialog::canceled, this, &UpdateProgressDialog::canceled);
    m_dialog = dialog;
    m_timer = new QTimer(this);
    connect(m_timer, &QTimer::timeout, this, [this] { showWhenDue(); });
    m_timer->start(100);
}

UpdateProgressDialog::~UpdateProgressDialog()
{
    delete m_dialog.data();
}

void UpdateProgressDialog::report(const UpdateProgress& progress)
{
    // The draws and the prize tables are counted; the search for draws has no end known beforehand.
    const bool fetching = progress.step != UpdateProgress::Step::Looking;
    report(progress.text(), fetching ? progress.index - 1 : 0, fetching ? progress.total : 0);
}

void UpdateProgressDialog::report(const QString& text, int value, int total)
{
    if (!m_dialog) {
        return;
    }
    m_dialog->setLabelText(text);
    m_dialog->setRange(0, total);
    m_dialog->setValue(value);
    Q_EMIT reported(text);
    showWhenDue();
}

void UpdateProgressDialog::showWhenDue()
{
    if (m_dialog && !m_dialog->isVisible() && m_start.msecsTo(m_clock.now()) >= showDelayMs) {
        m_dialog->show();
    }
}
