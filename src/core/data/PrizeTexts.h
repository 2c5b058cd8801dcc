#pragma once

#include <QStringView>

/// Texts of the full prize tables and of the store that keeps them, as the user sees them. The first prize is named
/// as the results file names it (DataTexts::firstPrize).
namespace PrizeTexts {

// The prizes of a full table, besides the first.
constexpr QStringView nearFirst()
{
    return u"รางวัลข้างเคียงรางวัลที่ 1";
}
constexpr QStringView second()
{
    return u"รางวัลที่ 2";
}
constexpr QStringView third()
{
    return u"รางวัลที่ 3";
}
constexpr QStringView fourth()
{
    return u"รางวัลที่ 4";
}
constexpr QStringView fifth()
{
    return u"รางวัลที่ 5";
}
constexpr QStringView frontThree()
{
    return u"รางวัลเลขหน้า 3 ตัว";
}
/// The back three digits and the last three digits go by one name.
constexpr QStringView lastThree()
{
    return u"รางวัลเลขท้าย 3 ตัว";
}
constexpr QStringView lastTwo()
{
    return u"รางวัลเลขท้าย 2 ตัว";
}

// The prize store. %1: the store's path, where a text has it.
constexpr QStringView openFailed()
{
    return u"เปิดแฟ้มตารางรางวัล %1 ไม่ได้";
}
constexpr QStringView tooNew()
{
    return u"แฟ้มตารางรางวัล %1 สร้างโดยโปรแกรมรุ่นที่ใหม่กว่า";
}
constexpr QStringView readFailed()
{
    return u"อ่านตารางรางวัลไม่ได้";
}
constexpr QStringView writeFailed()
{
    return u"บันทึกตารางรางวัลไม่ได้";
}
constexpr QStringView copyFailed()
{
    return u"คัดลอกตารางรางวัลที่มากับโปรแกรมไปที่ %1 ไม่ได้";
}

} // namespace PrizeTexts
