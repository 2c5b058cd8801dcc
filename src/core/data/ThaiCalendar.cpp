#include "ThaiCalendar.h"

#include "data/DrawRecord.h"

#include <QDate>

namespace {

// The year of the Buddhist Era is the Gregorian year plus 543.
constexpr int buddhistEraOffset = 543;

// Generated once from the program's vocabulary tables; edit with care, the texts are exact.
inline constexpr std::array<QStringView, 7> kDayNames {
    u"อาทิตย์",
    u"จันทร์",
    u"อังคาร",
    u"พุธ",
    u"พฤหัสบดี",
    u"ศุกร์",
    u"เสาร์",
};
inline constexpr QStringView kUnknownDayName = u"ไม่ทราบ";
inline constexpr std::array<ThaiMonthNames::Entry, 12> kMonthNames {{
    {u"มกราคม", u"มกราคม"},
    {u"กุมภาพันธ์", u"กุมภาพันธ์"},
    {u"มีนาคม", u"มีนาคม"},
    {u"เมษายน", u"เมษายน"},
    {u"พฤษภาคม", u"พฤษภาคม"},
    {u"มิถุนายน", u"มิถุยายน"},
    {u"กรกฎาคม", u"กรกฎาคม"},
    {u"สิงหาคม", u"สิงหาคม"},
    {u"กันยายน", u"กันยายน"},
    {u"ตุลาคม", u"ตุลาคม"},
    {u"พฤศจิกายน", u"พฤศจิกายน"},
    {u"ธันวาคม", u"ธันวาคม"},
}};

// The draw date's parts are taken from the text each time: year 1-4, month 5-6, day 7-8.
QStringView yearText(QStringView drawDate)
{
    return drawDate.left(4);
}

QStringView monthText(QStringView drawDate)
{
    return drawDate.size() > 4 ? drawDate.mid(4, 2) : QStringView();
}

QStringView dayText(QStringView drawDate)
{
    return drawDate.size() > 6 ? drawDate.mid(6, 2) : QStringView();
}

// The month number of a two-character month text, or 0 when it is none of 1 to 12.
int monthNumber(QStringView monthText)
{
    if (monthText.size() != 2 || !isAsciiDigits(monthText)) {
        return 0;
    }
    const int month = monthText.toInt();
    return month >= 1 && month <= 12 ? month : 0;
}

// The year is written out as a plain number, so leading zeros would be dropped.
QString yearNumber(QStringView year)
{
    if (!isAsciiDigits(year)) {
        return year.toString();
    }
    return QString::number(year.toInt());
}

} // namespace

QString ThaiDayNames::forWeekday(int weekday)
{
    if (weekday < 1 || weekday > 7) {
        return kUnknownDayName.toString();
    }
    return kDayNames[static_cast<std::size_t>(weekday - 1)].toString();
}

const std::array<QStringView, 7>& ThaiDayNames::names()
{
    return kDayNames;
}

QStringView ThaiDayNames::unknown()
{
    return kUnknownDayName;
}

const std::array<ThaiMonthNames::Entry, 12>& ThaiMonthNames::months()
{
    return kMonthNames;
}

QDate gregorianDate(QStringView drawDate)
{
    const QStringView date = drawDate.left(8);
    if (date.size() != 8 || !isAsciiDigits(date)) {
        return {};
    }
    return QDate(date.left(4).toInt() - buddhistEraOffset, date.mid(4, 2).toInt(), date.mid(6, 2).toInt());
}

QString drawDateOf(QDate date)
{
    return QStringLiteral("%1%2%3")
        .arg(date.year() + buddhistEraOffset, 4, 10, QChar(u'0'))
        .arg(date.month(), 2, 10, QChar(u'0'))
        .arg(date.day(), 2, 10, QChar(u'0'));
}

int weekdayNumber(QStringView drawDate)
{
    const QDate gregorian = gregorianDate(drawDate);
    if (!gregorian.isValid()) {
        return 0;
    }
    // Qt counts Monday = 1 .. Sunday = 7; the program counts Sunday = 1 .. Saturday = 7.
    return gregorian.dayOfWeek() % 7 + 1;
}

QString thaiDayName(QStringView drawDate)
{
    return ThaiDayNames::forWeekday(weekdayNumber(drawDate));
}

int drawMonth(QStringView drawDate)
{
    return monthNumber(monthText(drawDate.left(8)));
}

QString thaiMonthName(QStringView monthText, MonthNaming naming)
{
    const int month = monthNumber(monthText);
    if (month == 0) {
        return monthText.toString();
    }
    const auto& entry = kMonthNames[static_cast<std::size_t>(month - 1)];
    return (naming == MonthNaming::MainWindow ? entry.mainWindow : entry.analysisWindow).toString();
}

QString drawTitle(QStringView drawDate, MonthNaming naming)
{
    const QStringView date = drawDate.left(8);
    if (date.size() == 8) {
        return dayText(date) + u' ' + thaiMonthName(monthText(date), naming) + u' ' + yearNumber(yearText(date));
    }
    // A date cut short: title it with what its characters allow, in the usual order.
    QStringList parts;
    for (const QString& part :
        {dayText(date).toString(), thaiMonthName(monthText(date), naming), yearNumber(yearText(date))}) {
        if (!part.isEmpty()) {
            parts.append(part);
        }
    }
    return parts.join(u' ');
}

QString drawCaption(QStringView drawDate)
{
    return thaiDayName(drawDate) + u' ' + drawTitle(drawDate);
}
