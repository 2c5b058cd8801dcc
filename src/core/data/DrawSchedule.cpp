#include "DrawSchedule.h"

#include "data/ThaiCalendar.h"

#include <algorithm>
#include <array>

namespace DrawSchedule {
namespace {

struct Day
{
    int year;
    int month;
    int day;
};

/// A draw the office moved once, away from its usual day; a held day of year 0 means the draw was called off.
struct OneOffMove
{
    Day nominal;
    Day held;
};

// Each of these is a draw of the bundled results file that no yearly rule explains: a Buddhist holy day falling on
// the draw day (Makha, Visakha, Asanha Bucha), a state ceremony, the draws called off in the spring of 2020.
constexpr std::array<OneOffMove, 14> oneOffMoves {{
    {{1995, 5, 16}, {1995, 5, 17}},
    {{1996, 5, 16}, {1996, 5, 17}},
    {{1999, 3, 1}, {1999, 3, 2}},
    {{2003, 2, 16}, {2003, 2, 17}},
    {{2004, 8, 1}, {2004, 8, 2}},
    {{2015, 6, 1}, {2015, 6, 2}},
    {{2015, 12, 16}, {2015, 12, 17}},
    {{2018, 3, 1}, {2018, 3, 2}},
    {{2019, 7, 16}, {2019, 7, 15}},
    {{2020, 4, 16}, {0, 0, 0}},
    {{2020, 5, 1}, {0, 0, 0}},
    {{2020, 5, 16}, {0, 0, 0}},
    {{2022, 2, 16}, {2022, 2, 17}},
    {{2023, 8, 1}, {2023, 7, 31}},
}};

// The New Year draw moved from 30 December of the year before to 2 January with the draw of 1 January 2025.
constexpr int firstNewYearOnJanuary2 = 2025;
// The draw of 16 January moved to the 17th, teachers' day being a holiday, from 2016 on.
constexpr int firstTeachersDayOn17 = 2016;

// The draws due from the month of `first` to the month after `last` (a New Year draw is held in the December
// before it), held between the two dates.
QList<QDate> heldBetween(QDate first, QDate last)
{
    QList<QDate> dates;
    const QDate end = last.addMonths(1);
    for (QDate month(first.year(), first.month(), 1); month <= end; month = month.addMonths(1)) {
        for (const int day : {1, 16}) {
            const QDate held = heldOn(QDate(month.year(), month.month(), day));
            if (held.isValid() && held >= first && held <= last) {
                dates.append(held);
            }
        }
    }
    std::sort(dates.begin(), dates.end());
    return dates;
}

} // namespace

QDate heldOn(QDate nominal)
{
    if (!nominal.isValid() || (nominal.day() != 1 && nominal.day() != 16)) {
        return QDate();
    }
    const int year = nominal.year();
    const int month = nominal.month();
    const int day = nominal.day();
    for (const OneOffMove& move : oneOffMoves) {
        if (move.nominal.year == year && move.nominal.month == month && move.nominal.day == day) {
            return move.held.year == 0 ? QDate() : QDate(move.held.year, move.held.month, move.held.day);
        }
    }
    if (month == 1 && day == 1) {
        return year < firstNewYearOnJanuary2 ? QDate(year - 1, 12, 30) : QDate(year, 1, 2);
    }
    if (month == 1 && day == 16 && year >= firstTeachersDayOn17) {
        return QDate(year, 1, 17);
    }
    if (month == 5 && day == 1) {
        return QDate(year, 5, 2);
    }
    return nominal;
}

QList<QDate> usualDrawDates(QDate first, QDate last)
{
    if (!first.isValid() || !last.isValid() || first > last) {
        return {};
    }
    return heldBetween(first, last);
}

Outlook outlook(const QStringList& stored, QDate today, const QList<QDate>& officeDates)
{
    Outlook result;
    for (const QString& key : stored) {
        const QDate date = gregorianDate(key);
        if (date.isValid() && (!result.newestStored.isValid() || date > result.newestStored)) {
            result.newestStored = date;
        }
    }
    QList<QDate> office;
    for (const QDate& date : officeDates) {
        if (date.isValid()) {
            office.append(date);
        }
    }
    std::sort(office.begin(), office.end());
    office.erase(std::unique(office.begin(), office.end()), office.end());

    // The draws from the day after the newest stored one (or from today) until well past the next one: the usual
    // schedule, with the office's own list in place of it over the span the list covers.
    const QDate from = result.newestStored.isValid() ? result.newestStored.addDays(1) : today;
    const QDate until = std::max(from, today).addDays(62);
    QList<QDate> dates;
    for (const QDate& date : usualDrawDates(from, until)) {
        if (office.isEmpty() || date < office.constFirst() || date > office.constLast()) {
            dates.append(date);
        }
    }
    for (const QDate& date : std::as_const(office)) {
        if (date >= from && date <= until) {
            dates.append(date);
        }
    }
    std::sort(dates.begin(), dates.end());

    for (const QDate& date : std::as_const(dates)) {
        if (date < today) {
            ++result.behind;
        } else if (!result.nextDraw.isValid()) {
            result.nextDraw = date;
            result.nextFromOffice = office.contains(date);
        }
    }
    return result;
}

} // namespace DrawSchedule
