#include "TicketWindow.h"

#include "data/DrawSchedule.h"
#include "data/ThaiCalendar.h"
#include "data/TicketTexts.h"
#include "mainwindow/DrawCalendar.h"
#include "mainwindow/DrawGlance.h"
#include "mainwindow/MainWindowTexts.h"
#include "mainwindow/PrizeTableDialog.h"
#include "mainwindow/TicketResultsModel.h"
#include "updater/UpdatePlan.h"
#include "widgets/WindowHabits.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

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
    if (!m_config.today.isValid()) {
        m_config.today = UpdatePlan::thaiDate(QDateTime::currentDateTimeUtc());
    }

    m_glance = new DrawGlance(this);
    m_nextDraw = new QLabel(this);
    m_nextDraw->setObjectName(u"nextDraw"_s);
    m_nextDraw->setTextFormat(Qt::PlainText);
    m_nextDraw->setWordWrap(true);
    m_behind = new QLabel(this);
    m_behind->setObjectName(u"drawsBehind"_s);
    m_behind->setTextFormat(Qt::PlainText);
    m_behind->setWordWrap(true);
    m_updateButton = new QPushButton(MainWindowTexts::updateButton().toString(), this);
    m_updateButton->setObjectName(u"updateButton"_s);

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
    m_dateButton = new QToolButton(this);
    m_dateButton->setObjectName(u"pickByDateButton"_s);
    m_dateButton->setText(TicketTexts::pickByDate().toString());
    m_calendar = new DrawCalendar(this);
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

    // Above: the chosen draw, and beside it where the file stands against the draw schedule.
    auto* schedule = new QVBoxLayout;
    schedule->addWidget(m_nextDraw);
    schedule->addWidget(m_behind);
    schedule->addWidget(m_updateButton, 0, Qt::AlignLeft);
    schedule->addStretch(1);
    auto* lookUp = new QHBoxLayout;
    lookUp->addWidget(m_glance, 3);
    lookUp->addLayout(schedule, 2);

    // Below: the tickets to check and what they won.
    auto* drawRow = new QHBoxLayout;
    drawRow->addWidget(drawLabel);
    drawRow->addWidget(m_drawPicker, 1);
    drawRow->addWidget(m_dateButton);
    auto* left = new QVBoxLayout;
    left->addWidget(inputLabel);
    left->addWidget(m_input, 1);
    left->addLayout(drawRow);
    left->addWidget(m_checkButton);
    auto* check = new QHBoxLayout;
    check->addLayout(left, 2);
    check->addWidget(m_results, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lookUp);
    layout->addLayout(check, 1);
    layout->addWidget(m_note);

    connect(m_checkButton, &QPushButton::clicked, this, [this] { checkTickets(); });
    // Ctrl+Enter checks from inside the input, where Enter begins a new line.
    auto* checkKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Return), this);
    connect(checkKey, &QShortcut::activated, this, [this] { checkTickets(); });
    connect(m_updateButton, &QPushButton::clicked, this, &TicketWindow::updateRequested);
    connect(m_drawPicker, &QComboBox::currentIndexChanged, this, [this] { showChosenDraw(); });
    connect(m_dateButton, &QToolButton::clicked, this,
        [this] { m_calendar->popUpBelow(m_dateButton, gregorianDate(m_drawPicker->currentData().toString())); });
    connect(m_calendar, &DrawCalendar::datePicked, this, [this](QDate date) {
        if (chooseDrawByDate(date)) {
            m_calendar->hide();
        }
    });
    connect(m_glance, &DrawGlance::wholeTableRequested, this, [this](const QString& key) { showWholeTable(key); });
    WindowHabits::closeWithKeys(this);

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
    showSchedule();
    if (!m_storeError.isEmpty()) {
        m_note->setText(m_storeError);
        m_checkButton->setEnabled(false);
        m_dateButton->setEnabled(false);
    }
    WindowHabits::resizeToFit(this, QSize(940, 660));
    m_input->setFocus(Qt::OtherFocusReason);
}

TicketWindow::~TicketWindow() = default;

void TicketWindow::fillDrawPicker()
{
    const QSignalBlocker blocker(m_drawPicker);
    m_drawPicker->clear();
    if (!m_checker) {
        showChosenDraw();
        return;
    }
    m_drawPicker->addItem(TicketTexts::everyDraw().toString(), QString());
    QList<QDate> dates;
    for (const QString& key : m_checker->drawKeys()) {
        m_drawPicker->addItem(drawTitle(key), key);
        dates.append(gregorianDate(key));
    }
    m_calendar->setDrawDates(dates, std::max(m_config.today, dates.isEmpty() ? m_config.today : dates.constFirst()));
    // The newest draw first.
    m_drawPicker->setCurrentIndex(m_drawPicker->count() > 1 ? 1 : 0);
    showChosenDraw();
}

void TicketWindow::showSchedule()
{
    // Without the office's list (never fetched, or a store that cannot be read) the usual schedule tells the dates.
    const Result<QList<QDate>> listed = m_store.officeDrawDates();
    const QList<QDate> officeDates = listed ? listed.value() : QList<QDate>();
    const DrawSchedule::Outlook outlook = DrawSchedule::outlook(m_config.resultLines, m_config.today, officeDates);
    m_nextDraw->setText(TicketTexts::nextDraw().toString().arg(drawCaption(drawDateOf(outlook.nextDraw))));
    m_nextDraw->setToolTip(outlook.nextFromOffice ? TicketTexts::nextDrawFromOffice().toString()
                                                  : TicketTexts::nextDrawUsual().toString());
    m_behind->setText(outlook.behind > 0 ? TicketTexts::behind().toString().arg(outlook.behind) : QString());
    m_behind->setVisible(outlook.behind > 0);
    m_updateButton->setVisible(outlook.behind > 0);
}

void TicketWindow::showChosenDraw()
{
    if (!m_checker) {
        m_glance->showMessage(m_storeError);
        return;
    }
    QString key = m_drawPicker->currentData().toString();
    if (key.isEmpty()) {
        // Every draw is checked: the newest is the one to glance at.
        key = m_checker->drawKeys().value(0);
    }
    if (key.isEmpty()) {
        m_glance->showMessage(TicketTexts::noDraws().toString());
        return;
    }
    const Result<DrawPrizes> table = m_checker->table(key);
    if (table) {
        m_glance->showDraw(table.value());
    } else {
        m_glance->showMessage(table.error());
    }
}

bool TicketWindow::chooseDrawByDate(QDate date)
{
    const QString key = drawDateOf(date);
    const int index = m_drawPicker->findData(key);
    if (index < 0) {
        m_calendar->setMessage(TicketTexts::unknownDraw().toString().arg(drawTitle(key)));
        return false;
    }
    m_drawPicker->setCurrentIndex(index);
    return true;
}

void TicketWindow::showWholeTable(const QString& drawKey)
{
    const Result<DrawPrizes> table = m_checker ? m_checker->table(drawKey) : Result<DrawPrizes>::failure(m_storeError);
    if (!table) {
        m_note->setText(table.error());
        return;
    }
    auto* dialog = new PrizeTableDialog(table.value(), this);
    dialog->show();
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
