#pragma once

#include "updater/UpdateProgress.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>

class Clock;
class QProgressDialog;
class QTimer;
class QWidget;

/// The progress dialog of a long run: over the lottery office's draws (the update, the full download, a check), or
/// over many tickets. Window-modal over `parent`, with the text of each step, a bar while draws are fetched or
/// tickets checked and a "ยกเลิก" button. It appears only once the run has lasted about a second on `clock`, and
/// goes away with this object.
class UpdateProgressDialog final : public QObject
{
    Q_OBJECT

public:
    /// The dialog's object name, for tests.
    static constexpr const char* objectName = "updateProgress";

    UpdateProgressDialog(QWidget* parent, const QString& title, const Clock& clock);
    ~UpdateProgressDialog() override;

    /// Shows the step (the dialog itself only once it is due).
    void report(const UpdateProgress& progress);
    /// Shows `text` and a bar at `value` of `total`, or a busy bar when `total` is 0 (the dialog itself only once it
    /// is due).
    void report(const QString& text, int value, int total);

Q_SIGNALS:
    /// The user pressed "ยกเลิก" (or closed the dialog).
    void canceled();
    /// The dialog now says this.
    void reported(const QString& text);

private:
    void showWhenDue();

    const Clock& m_clock;
    QDateTime m_start;
    QPointer<QProgressDialog> m_dialog;
    QTimer* m_timer = nullptr;
};
