#include "TicketWindow.h"

#include "data/DataTexts.h"
#include "data/DrawSchedule.h"
#include "data/ThaiCalendar.h"
#include "data/TicketTexts.h"
#include "mainwindow/DrawCalendar.h"
#include "mainwindow/DrawGlance.h"
#include "mainwindow/MainWindowTexts.h"
#include "mainwindow/PrizeTableDialog.h"
#include "mainwindow/TicketCheckRun.h"
#include "mainwindow/TicketResultsModel.h"
#include "mainwindow/UpdateProgressDialog.h"
#include "updater/Clock.h"
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

TicketWindow::TicketWindow(TicketWindowConfig config, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_config(std::move(config))
    , m_lookup(m_config.storePath, m_config.bundledStorePath, m_config.resultLines)
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
    m_oneLineRow = m_results->verticalHeader()->defaultSectionSize();
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
    // Six-digit tickets need little room; what they won needs more.
    check->addLayout(left, 2);
    check->addWidget(m_results, 5);
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

    // A store that cannot be used costs only the prizes its tables tell: the check goes on from the results file,
    // and the note says what became of the store.
    if (const Status loaded = m_lookup.load(); loaded) {
        m_checker = &m_lookup.checker();
    } else {
        m_storeError = loaded.error();
    }
    fillDrawPicker();
    showSchedule();
    if (!m_storeError.isEmpty()) {
        m_note->setText(m_storeError);
        m_checkButton->setEnabled(false);
        m_dateButton->setEnabled(false);
    } else {
        m_note->setText(m_lookup.notice());
    }
    WindowHabits::resizeToFit(this, QSize(940, 660));
    m_input->setFocus(Qt::OtherFocusReason);
}

TicketWindow::~TicketWindow()
{
    // A check still running is canceled, and its thread waited for, before the window's parts go.
    delete m_run;
}

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
    const Result<QList<QDate>> listed =
        m_lookup.store() ? m_lookup.store()->officeDrawDates() : Result<QList<QDate>>::failure(QString());
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
        m_glance->showMessage(DataTexts::noDrawStored().toString());
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
    if (!m_checker || m_run) {
        return;
    }
    m_run = new TicketCheckRun({m_input->toPlainText(), m_drawPicker->currentData().toString(),
                                   m_lookup.store() ? m_config.storePath : QString(), m_config.resultLines},
        m_config.whileChecking, this);
    m_progress = std::make_unique<UpdateProgressDialog>(
        this, TicketTexts::windowTitle().toString(), m_config.clock ? *m_config.clock : Clock::system());
    connect(m_progress.get(), &UpdateProgressDialog::canceled, m_run, &TicketCheckRun::cancel);
    // A report of an earlier run may still be on its way when this one has begun.
    connect(m_run, &TicketCheckRun::progressed, this, [this, run = m_run](qsizetype done, qsizetype total) {
        if (run == m_run) {
            showCheckProgress(done, total);
        }
    });
    connect(m_run, &TicketCheckRun::finished, this, &TicketWindow::finishCheck);
    m_checkButton->setEnabled(false);
    m_run->start();
}

void TicketWindow::showCheckProgress(qsizetype done, qsizetype total)
{
    if (m_progress) {
        m_progress->report(TicketTexts::checkingProgress().toString().arg(done).arg(total), int(done), int(total));
    }
}

void TicketWindow::finishCheck()
{
    // The progress dialog may be inside its own call that let this event in: it goes when that call is over.
    if (m_progress) {
        m_progress.release()->deleteLater();
    }
    TicketCheckRun* run = m_run;
    m_run = nullptr;
    run->deleteLater();
    m_checkButton->setEnabled(true);
    const TicketBatch& batch = run->batch();
    // A ticket checked against a draw without a full table says in its row which prizes could be checked: such
    // rows take two lines, every row alike so that a long list keeps uniform rows.
    const bool twoLines = batch.somePrizesUnchecked;
    m_results->setWordWrap(twoLines);
    m_results->verticalHeader()->setDefaultSectionSize(
        twoLines ? m_oneLineRow + m_results->fontMetrics().lineSpacing() : m_oneLineRow);
    m_model->setRows(run->takeRows());

    QStringList note;
    if (const QString notice = m_lookup.notice(); !notice.isEmpty()) {
        note.append(notice);
    }
    if (batch.canceled) {
        note.append(TicketTexts::checkCanceled().toString());
    }
    if (!batch.failure.isEmpty()) {
        note.append(batch.failure);
    }
    QString summary = TicketTexts::summary().toString().arg(batch.checked).arg(batch.winners);
    // A ticket belongs to one draw: a sum is told only for one draw.
    if (const auto total = batch.totals.find(batch.drawKey); !batch.drawKey.isEmpty() && total != batch.totals.end()) {
        if (total->second.overflowed()) {
            summary += u' ' + TicketTexts::summaryTooLarge().toString();
        } else if (!total->second.anyUnknown() && total->second.value() > 0) {
            summary += u' ' + TicketTexts::summaryAmount().toString().arg(formatBaht(total->second.value()));
        }
    }
    note.append(summary);
    if (batch.drawKey.isEmpty()) {
        QString everyDraw = TicketTexts::everyDrawNote().toString().arg(m_checker->fullTableCount());
        if (batch.partialDraws > 0) {
            everyDraw += u' ' + TicketTexts::everyDrawPartialNote().toString().arg(batch.partialDraws);
        }
        note.append(everyDraw);
    } else if (batch.somePrizesUnchecked) {
        note.append(TicketTexts::partialCheck().toString().arg(drawTitle(batch.drawKey)));
    }
    note.append(batch.eraNotes());
    m_note->setText(note.join(u'\n'));
    Q_EMIT checkFinished();
}
