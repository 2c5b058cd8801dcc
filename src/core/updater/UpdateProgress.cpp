#include "UpdateProgress.h"

#include "data/ThaiCalendar.h"

QString UpdateProgress::text() const
{
    switch (step) {
    case Step::Looking:
        if (month.isValid()) {
            // The title of the month's first day without its day: "มีนาคม 2569".
            const QString title = drawTitle(drawDateOf(QDate(month.year(), month.month(), 1)));
            return UpdateProgressTexts::lookingInMonth().toString().arg(title.mid(title.indexOf(u' ') + 1));
        }
        return UpdateProgressTexts::looking().toString();
    case Step::Fetching:
        return UpdateProgressTexts::fetching().toString().arg(drawTitle(key)).arg(index).arg(total);
    case Step::FetchingTable:
        return UpdateProgressTexts::fetchingTable().toString().arg(drawTitle(key)).arg(index).arg(total);
    }
    return {};
}
