#include "UpdatePlan.h"

#include "data/DrawKeys.h"
#include "data/ThaiCalendar.h"
#include "updater/UpdaterTexts.h"

namespace UpdatePlan {
namespace {

bool isDigits(const QString& text, qsizetype length)
{
    return text.size() == length && isAsciiDigits(text);
}

} // namespace

int listAttempts(qsizetype storedLines)
{
    return static_cast<int>(std::clamp<qsizetype>(storedLines, 1, maxListAttempts));
}

Walk collectNewEntries(const QStringList& listed, QStringView newestStoredKey, QStringList& collected)
{
    Walk walk;
    const qint64 newest = newestStoredKey.isEmpty() ? -1 : DrawKeys::keyValue(newestStoredKey);
    QSet<QString> collectedKeys;
    collectedKeys.reserve(collected.size() + listed.size());
    for (const QString& entry : std::as_const(collected)) {
        collectedKeys.insert(DrawKeys::drawKey(entry));
    }
    for (const QString& entry : listed) {
        const QString key = DrawKeys::drawKey(entry);
        if (!newestStoredKey.isEmpty() && DrawKeys::keyValue(key) <= newest) {
            walk.stopped = true;
            return walk;
        }
        if (!collectedKeys.contains(key)) {
            collectedKeys.insert(key);
            collected.append(entry);
        }
    }
    walk.stopped = newestStoredKey.isEmpty();
    return walk;
}

QString newestStoredKey(const QStringList& lines)
{
    qint64 newest = -1;
    QString key;
    for (const QString& line : lines) {
        const qint64 value = DrawKeys::keyValue(line);
        if (value > newest) {
            newest = value;
            key = DrawKeys::drawKey(line);
        }
    }
    return key;
}

qsizetype insertionIndex(const QStringList& lines, QStringView key)
{
    return DrawKeys::insertionIndex(lines, key);
}

QStringList entriesToDownload(const QStringList& listed, const QSet<QString>& storedKeys)
{
    QStringList entries;
    QSet<QString> taken = storedKeys;
    for (const QString& entry : listed) {
        const QString key = DrawKeys::drawKey(entry);
        if (!taken.contains(key)) {
            taken.insert(key);
            entries.append(entry);
        }
    }
    return entries;
}

QSet<QString> storedKeys(const QStringList& lines)
{
    QSet<QString> keys;
    for (const QString& line : lines) {
        keys.insert(DrawKeys::drawKey(line));
    }
    return keys;
}

QDate thaiDate(const QDateTime& instant)
{
    constexpr int thaiOffsetSeconds = 7 * 3600;
    return instant.toOffsetFromUtc(thaiOffsetSeconds).date();
}

Status checkFetchedDraw(const DrawRecord& record, QStringView expectedKey, QDate today)
{
    QStringView problem;
    if (record.drawDate.size() != 8 || record.drawDate != expectedKey || !DrawKeys::isDrawEntry(record.drawDate)) {
        problem = UpdaterTexts::badDrawDate();
    } else if (gregorianDate(record.drawDate) > today.addDays(1)) {
        problem = UpdaterTexts::futureDrawDate();
    } else if (!isDigits(record.firstPrize, 6)) {
        problem = UpdaterTexts::badFirstPrize();
    } else if (!isDigits(record.threeDigit1, 3) || !isDigits(record.threeDigit2, 3) ||
        !isDigits(record.threeDigit3, 3) || !isDigits(record.threeDigit4, 3)) {
        problem = UpdaterTexts::badThreeDigit();
    } else if (!isDigits(record.twoDigit, 2)) {
        problem = UpdaterTexts::badTwoDigit();
    }
    if (problem.isEmpty()) {
        return Status::success();
    }
    return Status::failure(UpdaterTexts::drawRejected().toString().arg(drawTitle(expectedKey), problem));
}

} // namespace UpdatePlan
