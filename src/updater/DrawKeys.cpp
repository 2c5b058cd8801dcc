#include "DrawKeys.h"

#include <QDate>

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

bool isDrawEntry(QStringView value)
{
    const qint64 key = keyValue(value);
    if (key < 0) {
        return false;
    }
    const int year = static_cast<int>(key / 10000) - 543;
    const int month = static_cast<int>(key / 100 % 100);
    const int day = static_cast<int>(key % 100);
    return year >= 1 && QDate::isValid(year, month, day);
}

} // namespace DrawKeys
