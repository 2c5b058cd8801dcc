#pragma once

#include <QDate>
#include <QString>
#include <QStringView>

#include <array>

/// Thai names of the days of the week. Weekday 1 is Sunday, 7 is Saturday.
struct ThaiDayNames
{
    static QString forWeekday(int weekday);
    static const std::array<QStringView, 7>& names();
    /// The name for a day that cannot be told.
    static QStringView unknown();
};

/// Thai month names. The analysis window spells June differently from the main window, on purpose: it is part of
/// that window as designed, not a slip to correct.
struct ThaiMonthNames
{
    struct Entry
    {
        QStringView mainWindow;
        QStringView analysisWindow;
    };
    /// Month 1 (January) is item 0.
    static const std::array<Entry, 12>& months();
};

/// Which column of month names a text is built from.
enum class MonthNaming { MainWindow, AnalysisWindow };

/// The Gregorian date of a draw date (year - 543); invalid when its first eight characters are no calendar date.
QDate gregorianDate(QStringView drawDate);

/// The draw date of a Gregorian day: the Buddhist Era year, the month and the day, "25580901" for 1 Sep 2015.
QString drawDateOf(QDate date);

/// The weekday (1 = Sunday .. 7 = Saturday) of a draw date, taken on the Gregorian calendar (year - 543);
/// 0 when the first eight characters are no calendar date.
int weekdayNumber(QStringView drawDate);

/// The Thai day name of a draw date, or the unknown-day name when it is no calendar date.
QString thaiDayName(QStringView drawDate);

/// The month (1 to 12) of a draw date, read from its characters 5 and 6 ("08" is 8); 0 when they are no month 1 to
/// 12. A draw's title names this month, and no other.
int drawMonth(QStringView drawDate);

/// The month name for a two-character month text ("08"); a text that is no month 1 to 12 is given back as it is.
QString thaiMonthName(QStringView monthText, MonthNaming naming = MonthNaming::MainWindow);

/// "16 สิงหาคม 2553" for "25530816": day text, month name, year number. A date too short for all its parts is
/// titled with the parts it has.
QString drawTitle(QStringView drawDate, MonthNaming naming = MonthNaming::MainWindow);

/// The day name, a blank and the title: "จันทร์ 16 สิงหาคม 2553".
QString drawCaption(QStringView drawDate);
