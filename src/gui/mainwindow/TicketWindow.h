#pragma once

#include "data/TicketLookup.h"

#include <QDate>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

class Clock;
class DrawCalendar;
class DrawGlance;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableView;
class QToolButton;
class TicketCheckRun;
class TicketResultsModel;
class UpdateProgressDialog;

/// What the ticket checker works on, handed over when it opens.
struct TicketWindowConfig
{
    QString storePath; ///< the user's prize store
    QString bundledStorePath; ///< the store that comes with the program
    QStringList resultLines; ///< the lines of the results file, newest first
    QDate today {}; ///< the date in Thailand; invalid: the system clock's
    /// The clock that tells when a long check shows its progress; null: the system's.
    const Clock* clock = nullptr;
    /// Called on the check's own thread each time it reports progress, with how many pieces of input it has
    /// checked; tests hold the check there.
    std::function<void(qsizetype done)> whileChecking {};
};

/// The ticket checker "ตรวจสลาก", the place to look up results: the chosen draw at a glance (the newest by
/// default), the next draw's date and how far the results file is behind, and the check of tickets typed or
/// pasted against a draw or every draw.
class TicketWindow final : public QWidget
{
    Q_OBJECT

public:
    explicit TicketWindow(TicketWindowConfig config, QWidget* parent = nullptr);
    ~TicketWindow() override;

    /// Starts the check of what the input holds against the picked draw, off the window's thread; the results fill
    /// in when it ends (`checkFinished`). A check that lasts past a second shows its progress, with "ยกเลิก".
    void checkTickets();
    bool isChecking() const { return m_run != nullptr; }

    TicketResultsModel* resultsModel() const { return m_model; }
    DrawGlance* glance() const { return m_glance; }

    /// Picks the stored draw held on `date`; false, said under the calendar, when there is none.
    bool chooseDrawByDate(QDate date);

Q_SIGNALS:
    /// The user asked to bring the results file up to date.
    void updateRequested();
    /// A check has ended, or was canceled, and its results are shown.
    void checkFinished();

private:
    void fillDrawPicker();
    void showSchedule();
    void showChosenDraw();
    void showWholeTable(const QString& drawKey);
    void showCheckProgress(qsizetype done, qsizetype total);
    void finishCheck();

    TicketWindowConfig m_config;
    TicketLookup m_lookup;
    const TicketChecker* m_checker = nullptr; ///< null when there is nothing to check
    QString m_storeError; ///< why nothing can be checked

    QPlainTextEdit* m_input = nullptr;
    QComboBox* m_drawPicker = nullptr;
    QToolButton* m_dateButton = nullptr;
    DrawCalendar* m_calendar = nullptr;
    DrawGlance* m_glance = nullptr;
    QLabel* m_nextDraw = nullptr;
    QLabel* m_behind = nullptr;
    QPushButton* m_updateButton = nullptr;
    QPushButton* m_checkButton = nullptr;
    QTableView* m_results = nullptr;
    int m_oneLineRow = 0; ///< the results' row height for one line of text
    TicketResultsModel* m_model = nullptr;
    QLabel* m_note = nullptr;
    TicketCheckRun* m_run = nullptr; ///< the check running, a child of the window; null when none is
    std::unique_ptr<UpdateProgressDialog> m_progress;
};
