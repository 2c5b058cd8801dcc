#include "DrawCalendar.h"

#include "data/ThaiCalendar.h"
#include "data/TicketTexts.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTextCharFormat>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// Years of the Buddhist Era are Gregorian years plus this.
constexpr int buddhistEraOffset = 543;

QToolButton* makeArrow(QWidget* parent, const QString& name, Qt::ArrowType arrow, QStringView tip)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setArrowType(arrow);
    button->setAutoRaise(true);
    button->setToolTip(tip.toString());
    button->setAccessibleName(tip.toString());
    return button;
}

} // namespace

DrawCalendar::DrawCalendar(QWidget* parent)
    : QFrame(parent, Qt::Popup)
{
    setObjectName(u"drawCalendar"_s);
    setFrameStyle(QFrame::Panel | QFrame::Raised);

    m_calendar = new QCalendarWidget(this);
    m_calendar->setObjectName(u"drawCalendarDays"_s);
    // The calendar's own bar would count years from Christ: the bar above takes its place.
    m_calendar->setNavigationBarVisible(false);
    m_calendar->setLocale(QLocale(QLocale::Thai, QLocale::Thailand));
    m_calendar->setFirstDayOfWeek(Qt::Sunday);
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_calendar->setGridVisible(true);

    auto* previous = makeArrow(this, u"previousMonth"_s, Qt::LeftArrow, TicketTexts::previousMonth());
    auto* next = makeArrow(this, u"nextMonth"_s, Qt::RightArrow, TicketTexts::nextMonth());
    m_month = new QComboBox(this);
    m_month->setObjectName(u"calendarMonth"_s);
    for (const ThaiMonthNames::Entry& month : ThaiMonthNames::months()) {
        m_month->addItem(month.mainWindow.toString());
    }
    m_year = new QSpinBox(this);
    m_year->setObjectName(u"calendarYear"_s);

    m_message = new QLabel(TicketTexts::calendarHint().toString(), this);
    m_message->setObjectName(u"calendarMessage"_s);
    m_message->setTextFormat(Qt::PlainText);
    m_message->setWordWrap(true);

    auto* header = new QHBoxLayout;
    header->addWidget(previous);
    header->addWidget(m_month, 1);
    header->addWidget(m_year);
    header->addWidget(next);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addWidget(m_calendar);
    layout->addWidget(m_message);

    connect(previous, &QToolButton::clicked, this, [this] { m_calendar->showPreviousMonth(); });
    connect(next, &QToolButton::clicked, this, [this] { m_calendar->showNextMonth(); });
    connect(m_month, &QComboBox::activated, this,
        [this](int index) { m_calendar->setCurrentPage(m_calendar->yearShown(), index + 1); });
    connect(m_year, &QSpinBox::valueChanged, this,
        [this](int year) { m_calendar->setCurrentPage(year - buddhistEraOffset, m_calendar->monthShown()); });
    connect(m_calendar, &QCalendarWidget::currentPageChanged, this,
        [this](int year, int month) { showPageInHeader(year, month); });
    connect(m_calendar, &QCalendarWidget::clicked, this, &DrawCalendar::datePicked);
    connect(m_calendar, &QCalendarWidget::activated, this, &DrawCalendar::datePicked);
    showPageInHeader(m_calendar->yearShown(), m_calendar->monthShown());
}

void DrawCalendar::setDrawDates(const QList<QDate>& dates, QDate last)
{
    m_calendar->setDateTextFormat(QDate(), QTextCharFormat());
    QTextCharFormat drawDay;
    drawDay.setFontWeight(QFont::Bold);
    drawDay.setForeground(QColor(0x00, 0x4a, 0x9f));
    drawDay.setBackground(QColor(0xdd, 0xea, 0xf8));
    QDate first = last;
    for (const QDate& date : dates) {
        if (date.isValid()) {
            m_calendar->setDateTextFormat(date, drawDay);
            first = std::min(first, date);
        }
    }
    m_calendar->setDateRange(QDate(first.year(), 1, 1), last);
    const QSignalBlocker blocker(m_year);
    m_year->setRange(first.year() + buddhistEraOffset, last.year() + buddhistEraOffset);
    showPageInHeader(m_calendar->yearShown(), m_calendar->monthShown());
}

void DrawCalendar::showDate(QDate date)
{
    if (date.isValid()) {
        m_calendar->setSelectedDate(date);
        m_calendar->setCurrentPage(date.year(), date.month());
    }
    setMessage(TicketTexts::calendarHint().toString());
}

void DrawCalendar::setMessage(const QString& message)
{
    m_message->setText(message);
}

void DrawCalendar::popUpBelow(QWidget* anchor, QDate date)
{
    showDate(date);
    adjustSize();
    QPoint at = anchor->mapToGlobal(QPoint(0, anchor->height()));
    if (const QScreen* screen = anchor->screen()) {
        // Above the anchor when there is no room below it, and never past the screen's sides.
        const QRect free = screen->availableGeometry();
        if (at.y() + height() > free.bottom()) {
            at.setY(anchor->mapToGlobal(QPoint(0, 0)).y() - height());
        }
        at.setX(std::clamp(at.x(), free.left(), std::max(free.left(), free.right() - width())));
    }
    move(at);
    show();
    m_calendar->setFocus(Qt::PopupFocusReason);
}

void DrawCalendar::showPageInHeader(int year, int month)
{
    const QSignalBlocker monthBlocker(m_month);
    const QSignalBlocker yearBlocker(m_year);
    m_month->setCurrentIndex(month - 1);
    m_year->setValue(year + buddhistEraOffset);
}
