#pragma once

#include <QDate>
#include <QFrame>
#include <QList>

class QCalendarWidget;
class QComboBox;
class QLabel;
class QSpinBox;

/// A month calendar that pops up to pick a draw by its date. Months are named in Thai and years counted in the
/// Buddhist Era, as everywhere else in the program; the days that have a stored draw are bold.
class DrawCalendar final : public QFrame
{
    Q_OBJECT

public:
    explicit DrawCalendar(QWidget* parent = nullptr);

    /// The days with a stored draw; the calendar reaches from the oldest of them to `last`.
    void setDrawDates(const QList<QDate>& dates, QDate last);
    /// Shows the month of `date` with `date` selected, and no message.
    void showDate(QDate date);
    /// A line under the calendar, such as why a day gave no draw.
    void setMessage(const QString& message);

    /// Pops up below `anchor`, on the month of `date`.
    void popUpBelow(QWidget* anchor, QDate date);

    QCalendarWidget* calendar() const { return m_calendar; }

Q_SIGNALS:
    /// The user clicked a day or pressed Enter on it.
    void datePicked(QDate date);

private:
    void showPageInHeader(int year, int month);

    QCalendarWidget* m_calendar = nullptr;
    QComboBox* m_month = nullptr;
    QSpinBox* m_year = nullptr;
    QLabel* m_message = nullptr;
};
