#pragma once

#include <QDate>
#include <QList>
#include <QStringList>

/// When draws are held, and what that means for a results file: the next draw and how many draws the file lacks.
///
/// The usual schedule is a draw on the 1st and the 16th of every month. Holidays move some of them every year: the
/// draw of 1 January is held on 30 December of the year before (2 January from 2025 on), that of 16 January on the
/// 17th from 2016 on (teachers' day), that of 1 May on the 2nd (labour day). A few draws were moved once, for a
/// Buddhist holy day or a state ceremony, and three were called off in the spring of 2020; those are listed one by
/// one. The schedule gives every draw the lottery office held since 1995.
namespace DrawSchedule {

/// The day on which the draw due on `nominal` (a 1st or a 16th) is held; an invalid date when it was called off
/// or `nominal` is no draw's day.
QDate heldOn(QDate nominal);

/// The draw days of the usual schedule from `first` to `last`, both included, oldest first.
QList<QDate> usualDrawDates(QDate first, QDate last);

/// Where a results file stands against the draw schedule on one day.
struct Outlook
{
    QDate newestStored; ///< invalid when the file holds no draw
    /// The first draw after the newest stored one that is not over yet: on `today` or later.
    QDate nextDraw;
    /// The draws after the newest stored one held before `today`: the file lacks them.
    int behind = 0;
    /// `nextDraw` is a date the lottery office listed, not one the usual schedule predicts.
    bool nextFromOffice = false;
};

/// `stored`: the draw keys of the file (YYYYMMDD in the Buddhist Era), or its lines, of which the first eight
/// characters are read; texts that are no date are passed over.
/// `today`: the date in Thailand. `officeDates`: the draw dates the lottery office listed, in any order; from the
/// first of them to the last they take the place of the usual schedule, which goes on before and after them.
Outlook outlook(const QStringList& stored, QDate today, const QList<QDate>& officeDates = {});

} // namespace DrawSchedule
