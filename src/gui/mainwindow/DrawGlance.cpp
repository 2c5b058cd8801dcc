#include "DrawGlance.h"

#include "data/ThaiCalendar.h"
#include "data/TicketTexts.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

// The prizes a glance shows, in the order of the lottery office's result sheet. A draw has either the front and
// back three-digit numbers or the four last-three numbers; rows without numbers are hidden.
constexpr std::array<PrizeKind, 6> glanceKinds {PrizeKind::First, PrizeKind::NearFirst, PrizeKind::FrontThree,
    PrizeKind::BackThree, PrizeKind::LastThree, PrizeKind::LastTwo};

QLabel* makeLabel(QWidget* parent, const QString& name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

DrawGlance::DrawGlance(QWidget* parent)
    : QGroupBox(parent)
{
    setObjectName(u"drawGlance"_s);
    // The skin draws group boxes without room for a title; this one's title names the draw, so it gets its room.
    setStyleSheet(u"QGroupBox#drawGlance { margin-top: 10px; padding-top: 6px; }"
                  u" QGroupBox#drawGlance::title { subcontrol-origin: margin; left: 8px; padding: 0px 3px; }"_s);
    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(12);
    QFont numbersFont = font();
    numbersFont.setPointSizeF(numbersFont.pointSizeF() * 1.6);
    numbersFont.setBold(true);
    for (std::size_t i = 0; i < glanceKinds.size(); ++i) {
        Row& row = m_rows[i];
        row.kind = glanceKinds[i];
        const QString code = QString::number(static_cast<int>(row.kind));
        row.name = makeLabel(this, u"glanceName"_s + code);
        row.name->setText(PrizeKinds::thaiName(row.kind));
        row.numbers = makeLabel(this, u"glanceNumbers"_s + code);
        row.numbers->setFont(numbersFont);
        row.numbers->setTextInteractionFlags(Qt::TextSelectableByMouse);
        row.amount = makeLabel(this, u"glanceAmount"_s + code);
        const int line = static_cast<int>(i);
        grid->addWidget(row.name, line, 0);
        grid->addWidget(row.numbers, line, 1);
        grid->addWidget(row.amount, line, 2);
    }
    grid->setColumnStretch(2, 1);

    m_note = makeLabel(this, u"glanceNote"_s);
    m_note->setWordWrap(true);
    m_tableButton = new QPushButton(TicketTexts::showTableAction().toString(), this);
    m_tableButton->setObjectName(u"glanceTableButton"_s);
    const int below = static_cast<int>(glanceKinds.size());
    grid->addWidget(m_note, below, 0, 1, 3);
    grid->addWidget(m_tableButton, below + 1, 0, 1, 3, Qt::AlignLeft);
    connect(m_tableButton, &QPushButton::clicked, this, [this] {
        if (!m_drawKey.isEmpty()) {
            Q_EMIT wholeTableRequested(m_drawKey);
        }
    });
    showMessage(QString());
}

void DrawGlance::showDraw(const DrawPrizes& prizes)
{
    m_drawKey = prizes.drawKey;
    setTitle(TicketTexts::tableTitle().toString().arg(drawTitle(prizes.drawKey)));
    for (Row& row : m_rows) {
        const QStringList numbers = prizes.numbersOf(row.kind);
        const qint64 amount = prizes.amountOf(row.kind);
        row.numbers->setText(numbers.join(u"  "_s));
        row.amount->setText(amount >= 0 ? TicketTexts::eachPrize().toString().arg(formatBaht(amount)) : QString());
        for (QLabel* label : {row.name, row.numbers, row.amount}) {
            label->setVisible(!numbers.isEmpty());
        }
    }
    m_note->setText(prizes.partial ? TicketTexts::partialInTable().toString() : QString());
    m_note->setVisible(prizes.partial);
    m_tableButton->setVisible(true);
}

void DrawGlance::showMessage(const QString& message)
{
    m_drawKey.clear();
    setTitle(QString());
    for (Row& row : m_rows) {
        row.numbers->clear();
        row.amount->clear();
        for (QLabel* label : {row.name, row.numbers, row.amount}) {
            label->setVisible(false);
        }
    }
    m_note->setText(message);
    m_note->setVisible(!message.isEmpty());
    m_tableButton->setVisible(false);
}

QStringList DrawGlance::lines() const
{
    QStringList lines;
    for (const Row& row : m_rows) {
        if (!row.numbers->text().isEmpty()) {
            QStringList cells {row.name->text(), row.numbers->text()};
            if (!row.amount->text().isEmpty()) {
                cells.append(row.amount->text());
            }
            lines.append(cells.join(u" | "_s));
        }
    }
    if (!m_note->text().isEmpty()) {
        lines.append(m_note->text());
    }
    return lines;
}
