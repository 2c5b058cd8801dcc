#include "TicketWindow.h"

#include "data/ThaiCalendar.h"
#include "data/TicketTexts.h"
#include "mainwindow/TicketResultsModel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QString amountText(qint64 amount)
{
    return amount < 0 ? TicketTexts::unknownShort().toString() : formatBaht(amount);
}

// The prizes of one ticket in one draw: one name, or each name with its amount when there are several.
QString prizesText(const QList<TicketCheck::PrizeWon>& prizes)
{
    if (prizes.isEmpty()) {
        return TicketTexts::noPrize().toString();
    }
    if (prizes.size() == 1) {
        return PrizeKinds::thaiName(prizes.constFirst().kind);
    }
    QStringList parts;
    for (const TicketCheck::PrizeWon& prize : prizes) {
        parts.append(PrizeKinds::thaiName(prize.kind) + u' ' + amountText(prize.amount));
    }
    return parts.join(u" + "_s);
}

bool anyAmountUnknown(const QList<TicketCheck::PrizeWon>& prizes)
{
    return std::any_of(prizes.begin(), prizes.end(), [](const TicketCheck::PrizeWon& p) { return p.amount < 0; });
}

} // namespace

TicketWindow::TicketWindow(TicketWindowConfig config, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_config(std::move(config))
    , m_store(m_config.storePath)
{
    setObjectName(u"TicketWindow"_s);
    setWindowTitle(TicketTexts::windowTitle().toString());
    setAttribute(Qt::WA_DeleteOnClose);

    auto* inputLabel = new QLabel(TicketTexts::inputLabel().toString(), this);
    inputLabel->setWordWrap(true);
    m_input = new QPlainTextEdit(this);
    m_input->setObjectName(u"ticketInput"_s);
    inputLabel->setBuddy(m_input);
    m_input->setTabChangesFocus(true);
    QFont digits = m_input->font();
    digits.setPointSizeF(digits.pointSizeF() * 1.3);
    m_input->setFont(digits);

    auto* drawLabel = new QLabel(TicketTexts::drawLabel().toString(), this);
    m_drawPicker = new QComboBox(this);
    m_drawPicker->setObjectName(u"drawPicker"_s);
    m_drawPicker->setMaxVisibleItems(20);
    drawLabel->setBuddy(m_drawPicker);
    m_checkButton = new QPushButton(TicketTexts::checkButton().toString(), this);
    m_checkButton->setObjectName(u"checkButton"_s);
    m_checkButton->setDefault(true);

    m_model = new TicketResultsModel(this);
    m_results = new QTableView(this);
    m_results->setObjectName(u"ticketResults"_s);
    m_results->setModel(m_model);
    m_results->verticalHeader()->hide();
    m_results->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_results->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_results->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_results->setWordWrap(false);
    m_results->setAlternatingRowColors(true);
    QHeaderView* header = m_results->horizontalHeader();
    header->setSectionResizeMode(TicketResultsModel::TicketColumn, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(TicketResultsModel::DrawColumn, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(TicketResultsModel::PrizeColumn, QHeaderView::Stretch);
    header->setSectionResizeMode(TicketResultsModel::AmountColumn, QHeaderView::ResizeToContents);

    m_note = new QLabel(this);
    m_note->setObjectName(u"ticketNote"_s);
    m_note->setWordWrap(true);
    m_note->setTextFormat(Qt::PlainText);
    m_note->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* drawRow = new QHBoxLayout;
    drawRow->addWidget(drawLabel);
    drawRow->addWidget(m_drawPicker, 1);
    auto* left = new QVBoxLayout;
    left->addWidget(inputLabel);
    left->addWidget(m_input, 1);
    left->addLayout(drawRow);
    left->addWidget(m_checkButton);
    auto* top = new QHBoxLayout;
    top->addLayout(left, 2);
    top->addWidget(m_results, 5);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(m_note);

    connect(m_checkButton, &QPushButton::clicked, this, [this] { checkTickets(); });
    // Ctrl+Enter checks from inside the input, where Enter begins a new line.
    auto* checkKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Return), this);
    connect(checkKey, &QShortcut::activated, this, [this] { checkTickets(); });

    if (const Status opened = m_store.openSeeded(m_config.bundledStorePath); !opened) {
        m_storeError = opened.error();
    } else {
        m_checker = std::make_unique<TicketChecker>(m_store, m_config.resultLines);
        if (const Status loaded = m_checker->load(); !loaded) {
            m_storeError = loaded.error();
            m_checker.reset();
        }
    }
    fillDrawPicker();
    if (!m_storeError.isEmpty()) {
        m_note->setText(m_storeError);
        m_checkButton->setEnabled(false);
    }
    resize(860, 520);
    m_input->setFocus(Qt::OtherFocusReason);
}

TicketWindow::~TicketWindow() = default;

void TicketWindow::fillDrawPicker()
{
    m_drawPicker->clear();
    if (!m_checker) {
        return;
    }
    m_drawPicker->addItem(TicketTexts::everyDraw().toString(), QString());
    for (const QString& key : m_checker->drawKeys()) {
        m_drawPicker->addItem(drawTitle(key), key);
    }
    // The newest draw first.
    m_drawPicker->setCurrentIndex(m_drawPicker->count() > 1 ? 1 : 0);
}

void TicketWindow::checkTickets()
{
    if (!m_checker) {
        return;
    }
    const QString drawKey = m_drawPicker->currentData().toString();
    QList<TicketResultsModel::Row> rows;
    int checked = 0;
    int winners = 0;
    qint64 total = 0;
    bool partial = false;
    QString failure;
    for (const TicketCheck::TicketEntry& entry : TicketCheck::splitTickets(m_input->toPlainText())) {
        if (!entry.error.isEmpty()) {
            rows.append({entry.text, TicketTexts::lineColumn().toString().arg(entry.line), entry.error, QString(),
                false, true});
            continue;
        }
        ++checked;
        QList<TicketOutcome> outcomes;
        if (drawKey.isEmpty()) {
            const Result<QList<TicketOutcome>> found = m_checker->checkEveryDraw(entry.text);
            if (!found) {
                failure = found.error();
                break;
            }
            outcomes = found.value();
        } else {
            const Result<TicketOutcome> found = m_checker->check(entry.text, drawKey);
            if (!found) {
                failure = found.error();
                break;
            }
            partial = partial || found.value().partial;
            outcomes.append(found.value());
        }
        bool won = false;
        for (const TicketOutcome& outcome : std::as_const(outcomes)) {
            if (outcome.prizes.isEmpty()) {
                continue;
            }
            won = true;
            const qint64 sum = TicketCheck::totalAmount(outcome.prizes);
            total += sum;
            rows.append({entry.text, drawTitle(outcome.drawKey), prizesText(outcome.prizes),
                anyAmountUnknown(outcome.prizes) ? TicketTexts::unknownShort().toString() : formatBaht(sum), true,
                false});
        }
        if (won) {
            ++winners;
        } else {
            rows.append({entry.text, drawKey.isEmpty() ? TicketTexts::everyDraw().toString() : drawTitle(drawKey),
                TicketTexts::noPrize().toString(), QString(), false, false});
        }
    }
    m_model->setRows(std::move(rows));

    QStringList note;
    if (!failure.isEmpty()) {
        note.append(failure);
    }
    note.append(TicketTexts::summary().toString().arg(checked).arg(winners));
    if (total > 0) {
        note.last() += u' ' + TicketTexts::summaryAmount().toString().arg(formatBaht(total));
    }
    if (drawKey.isEmpty()) {
        note.append(TicketTexts::everyDrawNote().toString().arg(m_checker->fullTableCount()));
    }
    if (partial) {
        note.append(TicketTexts::partialCheck().toString().arg(drawTitle(drawKey)));
    }
    m_note->setText(note.join(u'\n'));
}
