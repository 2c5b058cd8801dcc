#pragma once

#include "data/DataTexts.h"

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
/// The ticket command's words for a results file without draws are the results file's own.
constexpr QStringView noDraws()
{
    return DataTexts::noDrawStored();
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
/// A fetched table that is not whole. %1: which prize, by its Thai name.
constexpr QStringView tableIncomplete()
{
    return u"ตารางรางวัลไม่ครบ: %1";
}
/// A table with numbers too many, of the wrong width or of a prize its draw did not have. %1: which prize.
constexpr QStringView tableMalformed()
{
    return u"ตารางรางวัลผิดรูปแบบ: %1";
}
/// In tableIncomplete(), for the table of a results-file line.
constexpr QStringView partialTableName()
{
    return u"มีเฉพาะรางวัลที่ 1 เลข 3 ตัว และเลขท้าย 2 ตัว";
}
/// %1: the key as the table carries it.
constexpr QStringView tableBadKey()
{
    return u"ตารางรางวัลมีรหัสงวด \"%1\" ที่ไม่ถูกต้อง";
}
/// An answer that carries another draw. %1: the draw it carries, %2: the draw asked for (titles).
constexpr QStringView tableOfOtherDraw()
{
    return u"ตารางรางวัลที่ได้รับเป็นของงวด %1 ไม่ใช่งวด %2 ที่ขอ";
}
/// %1: the draw's title, %2: the prize whose numbers differ.
constexpr QStringView tableDisagrees()
{
    return u"ตารางรางวัลงวด %1 ไม่ตรงกับแฟ้มผลรางวัล (%2)";
}
/// One draw's table that could not be stored. %1: the draw's title, %2: why.
constexpr QStringView drawNotStored()
{
    return u"บันทึกตารางรางวัลงวด %1 ไม่ได้ (%2)";
}
/// The shipped table of prize amounts by era cannot be read. %1: the line.
constexpr QStringView erasUnreadable()
{
    return u"อ่านตารางจำนวนเงินรางวัลของแต่ละช่วงเวลาไม่ได้ (บรรทัด %1)";
}

// A prize store that cannot be used as it is.
/// Added to PrizeTexts::tooNew() when the store is opened for reading only.
constexpr QStringView storeReadOnlyNote()
{
    return u"จึงเปิดแบบอ่านอย่างเดียว ตรวจสลากได้ แต่บันทึกตารางรางวัลใหม่ลงแฟ้มนี้ไม่ได้";
}
/// %1: the store's path.
constexpr QStringView storeReadOnly()
{
    return u"แฟ้มตารางรางวัล %1 เปิดแบบอ่านอย่างเดียว";
}
/// %1: the store's path, %2: what is wrong with it, %3: the name it was set aside under.
constexpr QStringView storeSetAside()
{
    return u"แฟ้มตารางรางวัล %1 ใช้ไม่ได้ (%2) จึงย้ายไปเก็บไว้เป็น %3";
}
/// Added to storeSetAside().
constexpr QStringView storeFreshFromBundled()
{
    return u"แล้วสร้างแฟ้มใหม่จากตารางรางวัลที่มากับโปรแกรม";
}
/// Added to storeSetAside() when the program has no tables of its own to start from.
constexpr QStringView storeFreshEmpty()
{
    return u"แล้วสร้างแฟ้มใหม่ที่ยังไม่มีตารางรางวัล";
}
/// %1: the store's path, %2: what is wrong with it, %3: why it could not be moved.
constexpr QStringView storeSetAsideFailed()
{
    return u"แฟ้มตารางรางวัล %1 ใช้ไม่ได้ (%2) และย้ายออกไปไม่ได้ (%3)";
}
/// %1: the store's path, %2: its length in bytes, %3: the most SQLite takes.
constexpr QStringView storePathTooLong()
{
    return u"ที่อยู่ของแฟ้มตารางรางวัล %1 ยาว %2 ไบต์ เกินกว่าที่ SQLite รับได้ (ไม่เกิน %3 ไบต์) "
           u"กรุณาเก็บแฟ้มผลรางวัลไว้ในโฟลเดอร์ที่มีที่อยู่สั้นกว่านี้";
}
/// %1: the store's path, %2: why.
constexpr QStringView storeUpgradeFailed()
{
    return u"ปรับแฟ้มตารางรางวัล %1 เป็นรูปแบบใหม่ไม่ได้ (%2)";
}
/// Said by the ticket check when it works without the prize store, after the store's own message.
constexpr QStringView checkWithoutStore()
{
    return u"จึงตรวจได้เฉพาะรางวัลที่ 1 เลข 3 ตัว และเลขท้าย 2 ตัว จากแฟ้มผลรางวัล";
}

// Why a store could not be used, said inside the messages above.
constexpr QStringView reasonDirectory()
{
    return u"เป็นโฟลเดอร์";
}
constexpr QStringView reasonNotRegular()
{
    return u"ไม่ใช่แฟ้มธรรมดา";
}
constexpr QStringView reasonNotDatabase()
{
    return u"ไม่ใช่แฟ้มฐานข้อมูล SQLite";
}
constexpr QStringView reasonDamaged()
{
    return u"ข้อมูลในแฟ้มเสียหาย";
}
constexpr QStringView reasonForeign()
{
    return u"เป็นฐานข้อมูลของโปรแกรมอื่น";
}
constexpr QStringView reasonDiskFull()
{
    return u"ดิสก์เต็ม";
}
constexpr QStringView reasonBusy()
{
    return u"แฟ้มถูกโปรแกรมอื่นใช้อยู่";
}
constexpr QStringView reasonNoWrite()
{
    return u"ไม่มีสิทธิ์เขียนแฟ้ม";
}
constexpr QStringView reasonNoAccess()
{
    return u"ไม่มีสิทธิ์เข้าถึงแฟ้ม";
}
constexpr QStringView reasonDiskError()
{
    return u"อ่านหรือเขียนดิสก์ไม่ได้";
}
constexpr QStringView reasonCannotOpen()
{
    return u"เปิดแฟ้มไม่ได้";
}
constexpr QStringView reasonBadData()
{
    return u"ข้อมูลผิดรูปแบบ";
}
constexpr QStringView reasonNoDriver()
{
    return u"ไม่มีส่วนอ่านฐานข้อมูล SQLite ของ Qt";
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
