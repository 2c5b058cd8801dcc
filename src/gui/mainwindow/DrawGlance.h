#pragma once

#include "data/PrizeTable.h"

#include <QGroupBox>
#include <QStringList>

#include <array>

class QLabel;
class QPushButton;

/// One draw's results at a glance: the first prize, the two numbers beside it, the front and back three-digit
/// numbers (or the four last-three numbers of older draws) and the last two digits, each with its amount when known.
class DrawGlance final : public QGroupBox
{
    Q_OBJECT

public:
    explicit DrawGlance(QWidget* parent = nullptr);

    /// Shows a draw's table; a partial one (a results-file line) shows what the line holds and says so.
    void showDraw(const DrawPrizes& prizes);
    /// Shows no draw, only `message`.
    void showMessage(const QString& message);

    /// The rows as the user sees them: prize, numbers and amount, joined by " | "; then the note when there is one.
    QStringList lines() const;

Q_SIGNALS:
    /// The user asked for the whole prize table of the draw shown.
    void wholeTableRequested(const QString& drawKey);

private:
    struct Row
    {
        PrizeKind kind;
        QLabel* name = nullptr;
        QLabel* numbers = nullptr;
        QLabel* amount = nullptr;
    };

    std::array<Row, 6> m_rows;
    QLabel* m_note = nullptr;
    QPushButton* m_tableButton = nullptr;
    QString m_drawKey;
};
