#pragma once

#include "data/PrizeStore.h"
#include "data/TicketChecker.h"

#include <QDate>
#include <QStringList>
#include <QWidget>

#include <memory>

class DrawCalendar;
class DrawGlance;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableView;
class QToolButton;
class TicketResultsModel;

/// What the ticket checker works on, handed over when it opens.
struct TicketWindowConfig
{
    QString storePath; ///< the user's prize store
    QString bundledStorePath; ///< the store that comes with the program
    QStringList resultLines; ///< the lines of the results file, newest first
    QDate today {}; ///< the date in Thailand; invalid: the system clock's
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

    /// Checks what the input holds against the picked draw and fills the results.
    void checkTickets();

    TicketResultsModel* resultsModel() const { return m_model; }
    DrawGlance* glance() const { return m_glance; }

    /// Picks the stored draw held on `date`; false, said under the calendar, when there is none.
    bool chooseDrawByDate(QDate date);

Q_SIGNALS:
    /// The user asked to bring the results file up to date.
    void updateRequested();

private:
    void fillDrawPicker();
    void showSchedule();
    void showChosenDraw();
    void showWholeTable(const QString& drawKey);

    TicketWindowConfig m_config;
    PrizeStore m_store;
    std::unique_ptr<TicketChecker> m_checker;
    QString m_storeError;

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
    TicketResultsModel* m_model = nullptr;
    QLabel* m_note = nullptr;
};
