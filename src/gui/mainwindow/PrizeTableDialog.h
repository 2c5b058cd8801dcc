#pragma once

#include "data/PrizeTable.h"

#include <QDialog>

class QPrinter;
class QTextBrowser;

/// The whole prize table of one draw: every prize with its numbers and its amount, and the way to the lottery
/// office's own result sheet of the draw.
class PrizeTableDialog final : public QDialog
{
    Q_OBJECT

public:
    explicit PrizeTableDialog(const DrawPrizes& prizes, QWidget* parent = nullptr);

    /// The table as the dialog shows it, in HTML.
    static QString tableHtml(const DrawPrizes& prizes);

    /// Prints the table on `printer`, as it is shown.
    void print(QPrinter& printer) const;

private:
    /// Asks for a printer, then prints.
    void askAndPrint();

    QTextBrowser* m_browser = nullptr;
};
