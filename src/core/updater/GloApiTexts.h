#pragma once

#include <QString>
#include <QStringView>

/// Messages the user sees when results cannot be had from the lottery office's JSON API. `%1` stands for the
/// draw's title or a detail, as each says. Why a request failed is said in NetworkTexts.
namespace GloApiTexts {

/// Said first when the office's website gave no usable answer; why follows on the next lines.
constexpr QStringView notReached()
{
    return u"ติดต่อเว็บไซต์สำนักงานสลากฯ ไม่ได้";
}
constexpr QStringView unreadable()
{
    return u"อ่านข้อมูลจากเว็บไซต์สำนักงานสลากฯ ไม่ได้";
}
constexpr QStringView unsuccessful()
{
    return u"เว็บไซต์สำนักงานสลากฯ แจ้งว่าไม่สำเร็จ";
}
constexpr QStringView noLatestDraw()
{
    return u"ไม่พบงวดล่าสุดในข้อมูลจากเว็บไซต์สำนักงานสลากฯ";
}
/// %1: the draw's title.
constexpr QStringView noDrawOnDate()
{
    return u"ไม่พบผลสลากงวด %1";
}
/// An answer that carries another draw than the one asked for. %1: the draw it carries, %2: the draw asked for.
constexpr QStringView otherDrawAnswered()
{
    return u"ผลสลากที่ได้รับเป็นของงวด %1 ไม่ใช่งวด %2 ที่ขอ";
}
/// %1: the draw's title.
constexpr QStringView notComplete()
{
    return u"ผลสลากงวด %1 ยังออกไม่ครบ";
}
/// %1: the draw's title; %2: which prize.
constexpr QStringView malformed()
{
    return u"ผลสลากงวด %1 ผิดรูปแบบ (%2)";
}
constexpr QStringView dateName()
{
    return u"วันที่";
}
/// %1: the draw's title.
constexpr QStringView latestTooFar()
{
    return u"งวดล่าสุดจากเว็บไซต์สำนักงานสลากฯ ลงวันที่ %1 ซึ่งเลยวันนี้ไปมากผิดปกติ";
}
/// %1: the year of the Buddhist Era.
constexpr QStringView noDrawDates()
{
    return u"ไม่ได้รับรายการวันออกรางวัลของปี %1 จากเว็บไซต์สำนักงานสลากฯ";
}

} // namespace GloApiTexts
