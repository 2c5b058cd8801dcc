#include "DrawKeys.h"

#include "data/ThaiCalendar.h"

namespace DrawKeys {

QString drawKey(QStringView entry)
{
    return entry.left(8).toString();
}

qint64 keyValue(QStringView key)
{
    if (key.size() < 8) {
        return -1;
    }
    qint64 value = 0;
    for (QChar c : key.left(8)) {
        if (c < u'0' || c > u'9') {
            return -1;
        }
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

qsizetype insertionIndex(const QStringList& lines, QStringView key)
{
    const qint64 value = keyValue(key);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const qint64 stored = keyValue(lines.at(i));
        if (stored >= 0 && stored < value) {
            return i;
        }
    }
    return lines.size();
}

bool isDrawEntry(QStringView value)
{
    const QDate date = gregorianDate(value);
    return date.isValid() && date.year() >= 1;
}

} // namespace DrawKeys
