#pragma once

#include <QString>
#include <QStringView>

/// Messages of the results updater, as the user sees them. `%1` stands for a detail filled in by the caller.
namespace UpdaterTexts {

// Loading a page; why a download failed is said in NetworkTexts.
constexpr QStringView pageNotLoaded()
{
    return u"โหลดหน้าผลรางวัลไม่ได้";
}
constexpr QStringView pageTooDeep()
{
    return u"หน้าผลรางวัลมีโครงสร้างซ้อนกันลึกผิดปกติ";
}
constexpr QStringView pageTooSlowToRead()
{
    return u"หน้าผลรางวัลใช้เวลาอ่านนานผิดปกติ";
}
constexpr QStringView cancelled()
{
    return u"ยกเลิกแล้ว";
}

// The result page itself.
constexpr QStringView noDrawSelector()
{
    return u"ไม่พบช่องเลือกงวด (select_round) บนหน้าผลรางวัล";
}
constexpr QStringView noShowButton()
{
    return u"ไม่พบปุ่มแสดงผล (B1) บนหน้าผลรางวัล";
}
constexpr QStringView noDrawsListed()
{
    return u"หน้าผลรางวัลไม่มีรายการงวด";
}
/// %1: the draw's title.
constexpr QStringView drawNotListed()
{
    return u"หน้าผลรางวัลไม่มีงวด %1";
}
/// %1: the draw's title.
constexpr QStringView numbersMissing()
{
    return u"ไม่พบเลขรางวัลของงวด %1 บนหน้าผลรางวัล";
}

// Checks of a fetched draw. drawRejected: %1 the draw's title, %2 what is wrong.
constexpr QStringView drawRejected()
{
    return u"ผลรางวัลงวด %1 ไม่ถูกต้อง: %2";
}
constexpr QStringView badDrawDate()
{
    return u"วันที่ของงวดไม่ถูกต้อง";
}
constexpr QStringView futureDrawDate()
{
    return u"วันออกรางวัลของงวดนี้ยังมาไม่ถึง";
}
constexpr QStringView badFirstPrize()
{
    return u"รางวัลที่ 1 ไม่ใช่เลข 6 หลัก";
}
constexpr QStringView badThreeDigit()
{
    return u"เลข 3 ตัวไม่ใช่เลข 3 หลัก";
}
constexpr QStringView badTwoDigit()
{
    return u"เลข 2 ตัวไม่ใช่เลข 2 หลัก";
}

// Outcome of the flows.
constexpr QStringView nothingWritten()
{
    return u"ฐานข้อมูลยังเหมือนเดิม ไม่มีการบันทึกใดๆ";
}
constexpr QStringView downloadStopped()
{
    return u"หยุดดาวน์โหลดแล้ว งวดที่ดาวน์โหลดก่อนหน้านี้บันทึกไว้แล้ว";
}
constexpr QStringView updateCancelled()
{
    return u"ยกเลิกการอัพเดทแล้ว";
}
/// %1: how many draws were written.
constexpr QStringView downloadCancelled()
{
    return u"ยกเลิกการดาวน์โหลดแล้ว บันทึกงวดที่ดาวน์โหลดครบแล้ว %1 งวดไว้ในฐานข้อมูล";
}
/// Draw day: %1 the newest draw's title.
constexpr QStringView newestNotComplete()
{
    return u"ผลสลากงวด %1 ยังออกไม่ครบ กรุณาอัพเดทอีกครั้งภายหลัง";
}
constexpr QStringView writeFailed()
{
    return u"บันทึกฐานข้อมูลไม่ได้";
}
/// %1: the directory of the results file.
constexpr QStringView directoryReadOnly()
{
    return u"โฟลเดอร์ของฐานข้อมูลเป็นแบบอ่านอย่างเดียว จึงบันทึก db.dll ไม่ได้: %1";
}
/// The update and the full download refuse to run over a results file that could not be read whole.
constexpr QStringView refusedAfterReadFailure()
{
    return u"อ่านฐานข้อมูล (db.dll) ไม่ได้ จึงไม่อัพเดท เพื่อไม่ให้งวดที่บันทึกไว้สูญหาย";
}
constexpr QStringView noSource()
{
    return u"ไม่มีแหล่งข้อมูลผลรางวัล";
}

/// A message and its detail on two lines; the detail left out when empty.
inline QString withDetail(QStringView message, const QString& detail)
{
    return detail.isEmpty() ? message.toString() : message.toString() + u'\n' + detail;
}

} // namespace UpdaterTexts
