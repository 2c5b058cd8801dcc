#pragma once

#include <QString>
#include <QStringView>

/// Texts of the check against the lottery office, as the user sees them. `%1`, `%2`, `%3` stand for details filled
/// in by the caller, as each says.
namespace CheckTexts {

/// The item of the draw list's context menu.
constexpr QStringView actionText()
{
    return u"ตรวจสอบกับสำนักงานสลาก...";
}
/// Title of the progress dialog, of the result window and of the check's message boxes.
constexpr QStringView title()
{
    return u"ตรวจสอบกับสำนักงานสลาก";
}
constexpr QStringView applyButton()
{
    return u"ใช้ค่าของสำนักงานสลาก";
}

// Progress. %1: a year of the Buddhist Era.
constexpr QStringView listingYear()
{
    return u"กำลังดูรายการงวดของสำนักงานสลาก ปี %1";
}
/// %1: the draw's title; %2 and %3: which draw of how many.
constexpr QStringView checkingDraw()
{
    return u"กำลังตรวจสอบงวด %1 (%2 จาก %3)";
}
/// %1: the draw's title; %2 and %3: which draw of how many.
constexpr QStringView fetchingMissing()
{
    return u"กำลังดึงผลงวด %1 ที่ไม่มีในฐานข้อมูล (%2 จาก %3)";
}

// Outcomes.
constexpr QStringView nothingToCheck()
{
    return u"ไม่มีงวดให้ตรวจสอบ";
}
constexpr QStringView cancelled()
{
    return u"ยกเลิกการตรวจสอบแล้ว";
}
constexpr QStringView failed()
{
    return u"ตรวจสอบกับสำนักงานสลากไม่สำเร็จ";
}
constexpr QStringView noOfficeSource()
{
    return u"ไม่มีแหล่งข้อมูลของสำนักงานสลาก";
}
/// %1 draws checked, %2 agreeing, %3 differing, %4 unknown to the office, %5 missing from the file.
constexpr QStringView summary()
{
    return u"ตรวจสอบ %1 งวด: ตรงกัน %2 งวด ไม่ตรงกัน %3 งวด สำนักงานสลากไม่มีข้อมูล %4 งวด ไม่มีในฐานข้อมูล %5 งวด";
}
/// Added to summary() when some answers of the office could not be used. %1: how many draws.
constexpr QStringView unusableCount()
{
    return u"ข้อมูลของสำนักงานสลากใช้ไม่ได้ %1 งวด";
}
constexpr QStringView allAgree()
{
    return u"ทุกงวดตรงกับข้อมูลของสำนักงานสลาก";
}
constexpr QStringView fileChanged()
{
    return u"ฐานข้อมูลเปลี่ยนไปหลังการตรวจสอบ กรุณาตรวจสอบใหม่";
}
/// %1: how many draws were written.
constexpr QStringView written()
{
    return u"บันทึกค่าของสำนักงานสลากแล้ว %1 งวด";
}

// The result window's table.
constexpr QStringView drawColumn()
{
    return u"งวด";
}
constexpr QStringView statusColumn()
{
    return u"ผลการตรวจ";
}
constexpr QStringView storedColumn()
{
    return u"ในฐานข้อมูล";
}
constexpr QStringView officeColumn()
{
    return u"สำนักงานสลาก";
}
constexpr QStringView fieldsColumn()
{
    return u"ช่องที่ไม่ตรงกัน";
}
constexpr QStringView differsStatus()
{
    return u"ไม่ตรงกัน";
}
constexpr QStringView missingStatus()
{
    return u"ไม่มีในฐานข้อมูล";
}
/// A draw whose answer from the office could not be used (unreadable, of another date, malformed).
constexpr QStringView unusableStatus()
{
    return u"ข้อมูลของสำนักงานสลากใช้ไม่ได้";
}
/// %1: the draw chosen twice.
constexpr QStringView chosenTwice()
{
    return u"เลือกงวด %1 ซ้ำ";
}
constexpr QStringView unknownStatus()
{
    return u"สำนักงานสลากไม่มีข้อมูล";
}

} // namespace CheckTexts
