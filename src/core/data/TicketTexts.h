#pragma once

#include <QStringView>

/// The texts of the ticket check and of the prize tables, exactly as the user sees them.
namespace TicketTexts {

constexpr QStringView windowTitle()
{
    return u"ตรวจสลาก";
}
constexpr QStringView checkAction()
{
    return u"ตรวจสลาก...";
}
constexpr QStringView showTableAction()
{
    return u"ดูรางวัลทั้งหมด...";
}
constexpr QStringView everyDraw()
{
    return u"ทุกงวด";
}
constexpr QStringView noPrize()
{
    return u"ไม่ถูกรางวัล";
}
/// %1: an amount with its thousands separators.
constexpr QStringView baht()
{
    return u"%1 บาท";
}
constexpr QStringView amountUnknown()
{
    return u"ไม่ทราบจำนวนเงิน";
}

constexpr QStringView inputLabel()
{
    return u"เลขสลาก 6 หลัก บรรทัดละใบ หรือคั่นด้วยช่องว่างหรือเครื่องหมายจุลภาค";
}
constexpr QStringView drawLabel()
{
    return u"งวด";
}
constexpr QStringView checkButton()
{
    return u"ตรวจ";
}
/// %1: how many tickets were checked, %2: how many of them won.
constexpr QStringView summary()
{
    return u"ตรวจ %1 ใบ ถูกรางวัล %2 ใบ";
}
/// %1: the sum of the amounts won.
constexpr QStringView summaryAmount()
{
    return u"รวมเงินรางวัล %1 บาท";
}
/// In the draw column of a line that is no ticket. %1: the line number.
constexpr QStringView lineColumn()
{
    return u"บรรทัด %1";
}
constexpr QStringView unknownShort()
{
    return u"ไม่ทราบ";
}
constexpr QStringView partialInTable()
{
    return u"งวดนี้ไม่มีตารางรางวัลเต็ม แสดงเฉพาะรางวัลที่ 1 เลข 3 ตัว และเลขท้าย 2 ตัว จากแฟ้มผลรางวัล";
}

// Input that is no ticket number. %1: the text as typed.
constexpr QStringView thaiDigits()
{
    return u"\"%1\" เป็นเลขไทย กรุณาพิมพ์เป็นเลขอารบิก 0-9";
}
constexpr QStringView notDigits()
{
    return u"\"%1\" มีอักขระที่ไม่ใช่ตัวเลข";
}
/// %2: how many digits it has.
constexpr QStringView wrongLength()
{
    return u"\"%1\" มี %2 หลัก เลขสลากต้องมี 6 หลัก";
}

/// A draw checked against its results-file line only. %1: the draw's title.
constexpr QStringView partialCheck()
{
    return u"งวด %1 ไม่มีตารางรางวัลเต็ม จึงตรวจได้เฉพาะรางวัลที่ 1 เลข 3 ตัว และเลขท้าย 2 ตัว";
}
/// %1: the draw key as given.
constexpr QStringView unknownDraw()
{
    return u"ไม่มีงวด %1 ในฐานข้อมูล";
}
/// %1: how many draws have a full table.
constexpr QStringView everyDrawNote()
{
    return u"ตรวจกับทุกงวดที่มีตารางรางวัลเต็ม (%1 งวด)";
}
constexpr QStringView noTickets()
{
    return u"ไม่มีเลขสลากให้ตรวจ";
}

// What the check could not tell, and what the user should know of a draw's era.
/// A ticket that won nothing in a draw without a full table.
constexpr QStringView partialNoPrize()
{
    return u"ไม่ถูกรางวัลที่ 1 เลข 3 ตัว และเลขท้าย 2 ตัว รางวัลอื่นของงวดนี้ตรวจไม่ได้";
}
/// Beside what a ticket won in a draw without a full table.
constexpr QStringView partialOthers()
{
    return u"ตรวจได้เฉพาะรางวัลที่ 1 เลข 3 ตัว และเลขท้าย 2 ตัว รางวัลอื่นของงวดนี้ตรวจไม่ได้";
}
/// A ticket that won nothing in any draw, when some draws have no full table.
constexpr QStringView everyDrawNoPrize()
{
    return u"ไม่ถูกรางวัล (งวดที่ไม่มีตารางรางวัลเต็มตรวจได้เฉพาะรางวัลที่ 1 เลข 3 ตัว และเลขท้าย 2 ตัว)";
}
/// Added to everyDrawNote(). %1: how many draws have no full table.
constexpr QStringView everyDrawPartialNote()
{
    return u"และอีก %1 งวดที่ไม่มีตารางรางวัลเต็ม ตรวจได้เฉพาะรางวัลที่ 1 เลข 3 ตัว และเลขท้าย 2 ตัว";
}
/// The draws before amounts are known. %1: the title of the first draw whose amounts are known.
constexpr QStringView eraUnknownNote()
{
    return u"ไม่ทราบจำนวนเงินรางวัลของงวดก่อน %1 จึงแสดงเฉพาะชื่อรางวัล";
}
/// The draws sold as pairs of tickets, whose amounts are per ticket. %1: the title of the last such draw.
constexpr QStringView eraPairNote()
{
    return u"ถึงงวด %1 สลากเป็นคู่ 2 ใบ ใบละ 40 บาท เงินรางวัลที่แสดงเป็นของสลาก 1 ใบ สลาก 1 คู่ได้เงินรางวัล 2 เท่า";
}
/// The draws whose first prize paid more to certain series. %1, %2: the titles of the first and last.
constexpr QStringView eraSeriesNote()
{
    return u"ตั้งแต่งวด %1 ถึงงวด %2 รางวัลที่ 1 ของสลากบางชุดได้เงินรางวัลมากกว่าที่แสดง ซึ่งดูจากเลขสลาก 6 หลักไม่ได้";
}
/// In the amount column: the amounts add up to more than a sum can hold.
constexpr QStringView sumTooLarge()
{
    return u"มากเกินกว่าจะรวมได้";
}
constexpr QStringView summaryTooLarge()
{
    return u"รวมเงินรางวัลมากเกินกว่าจะแสดงได้";
}
/// %1: how many tickets have been checked, %2: of how many.
constexpr QStringView checkingProgress()
{
    return u"กำลังตรวจสลาก %1 จาก %2 ใบ";
}
constexpr QStringView checkCanceled()
{
    return u"ยกเลิกการตรวจสลากแล้ว";
}

// The full tables an update fetches.
/// Added to the update's closing message. %1: the draws' titles, %2: why.
constexpr QStringView tablesNotStored()
{
    return u"ผลรางวัลอัพเดทแล้ว แต่บันทึกตารางรางวัลทั้งหมดของงวด %1 ไม่ได้ (%2) การตรวจสลากงวดนี้จะตรวจได้เพียงบางรางวัล";
}
/// Added to the update's closing message when it found no new draw but stored tables the store lacked.
/// %1: how many.
constexpr QStringView tablesCompleted()
{
    return u"บันทึกตารางรางวัลแล้ว %1 งวด";
}
/// Said by the ticket check when it works without the prize store, after the store's own message.
constexpr QStringView checkWithoutStore()
{
    return u"จึงตรวจได้เฉพาะรางวัลที่ 1 เลข 3 ตัว และเลขท้าย 2 ตัว จากแฟ้มผลรางวัล";
}

// The full table of a draw.
/// %1: the draw's title.
constexpr QStringView tableTitle()
{
    return u"ผลรางวัลงวด %1";
}
constexpr QStringView prizeColumn()
{
    return u"รางวัล";
}
constexpr QStringView amountColumn()
{
    return u"เงินรางวัล (บาท)";
}
/// Opens the office's own result sheet of the draw, against which any answer can be checked.
constexpr QStringView officeSheetButton()
{
    return u"ใบผลรางวัลของสำนักงานสลากฯ...";
}
constexpr QStringView officeSheetTip()
{
    return u"เปิดใบผลรางวัลงวดนี้ของสำนักงานสลากฯ ในเว็บเบราว์เซอร์";
}
constexpr QStringView eachPrize()
{
    return u"รางวัลละ %1 บาท";
}
constexpr QStringView ticketColumn()
{
    return u"เลขสลาก";
}
constexpr QStringView drawColumn()
{
    return u"งวด";
}

// The draw at a glance and the draw schedule.
/// %1: the next draw's caption (day name and title).
constexpr QStringView nextDraw()
{
    return u"งวดถัดไป: %1";
}
constexpr QStringView nextDrawFromOffice()
{
    return u"ตามวันออกรางวัลที่สำนักงานสลากประกาศไว้";
}
constexpr QStringView nextDrawUsual()
{
    return u"ตามกำหนดออกรางวัลปกติ: วันที่ 1 และ 16 ของทุกเดือน เว้นแต่เลื่อนเพราะวันหยุด";
}
/// %1: how many draws held since the newest stored one the results file lacks.
constexpr QStringView behind()
{
    return u"ฐานข้อมูลยังไม่มีผลรางวัล %1 งวดล่าสุด";
}
constexpr QStringView pickByDate()
{
    return u"เลือกตามวันที่...";
}
constexpr QStringView previousMonth()
{
    return u"เดือนก่อน";
}
constexpr QStringView nextMonth()
{
    return u"เดือนถัดไป";
}
constexpr QStringView calendarHint()
{
    return u"วันที่เป็นตัวหนาบนพื้นสีฟ้ามีผลรางวัลในฐานข้อมูล";
}

} // namespace TicketTexts
