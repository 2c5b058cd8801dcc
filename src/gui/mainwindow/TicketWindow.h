#pragma once

#include "data/PrizeStore.h"
#include "data/TicketChecker.h"

#include <QStringList>
#include <QWidget>

#include <memory>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableView;
class TicketResultsModel;

/// What the ticket checker works on, handed over when it opens.
struct TicketWindowConfig
{
    QString storePath; ///< the user's prize store
    QString bundledStorePath; ///< the store that comes with the program
    QStringList resultLines; ///< the lines of the results file, newest first
};

/// The ticket checker "ตรวจสลาก": tickets typed or pasted, a draw or every draw, what each ticket won.
class TicketWindow final : public QWidget
{
    Q_OBJECT

public:
    explicit TicketWindow(TicketWindowConfig config, QWidget* parent = nullptr);
    ~TicketWindow() override;

    /// Checks what the input holds against the picked draw and fills the results.
    void checkTickets();

    TicketResultsModel* resultsModel() const { return m_model; }

private:
    void fillDrawPicker();

    TicketWindowConfig m_config;
    PrizeStore m_store;
    std::unique_ptr<TicketChecker> m_checker;
    QString m_storeError;

    QPlainTextEdit* m_input = nullptr;
    QComboBox* m_drawPicker = nullptr;
    QPushButton* m_checkButton = nullptr;
    QTableView* m_results = nullptr;
    TicketResultsModel* m_model = nullptr;
    QLabel* m_note = nullptr;
};
