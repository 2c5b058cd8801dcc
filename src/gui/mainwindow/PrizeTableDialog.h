#pragma once

#include "data/PrizeTable.h"

#include <QDialog>

class QTextBrowser;

/// The whole prize table of one draw: every prize with its numbers and its amount.
class PrizeTableDialog final : public QDialog
{
    Q_OBJECT

public:
    explicit PrizeTableDialog(const DrawPrizes& prizes, QWidget* parent = nullptr);

    /// The table as the dialog shows it, in HTML.
    static QString tableHtml(const DrawPrizes& prizes);

private:
    QTextBrowser* m_browser = nullptr;
};
