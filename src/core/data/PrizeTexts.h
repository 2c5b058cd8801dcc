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

// A draw's full table that cannot be kept.
/// A table that is not whole. %1: which prize, by its Thai name.
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
/// Added to tooNew() when the store is opened for reading only.
constexpr QStringView readOnlyNote()
{
    return u"จึงเปิดแบบอ่านอย่างเดียว ตรวจสลากได้ แต่บันทึกตารางรางวัลใหม่ลงแฟ้มนี้ไม่ได้";
}
/// %1: the store's path.
constexpr QStringView readOnly()
{
    return u"แฟ้มตารางรางวัล %1 เปิดแบบอ่านอย่างเดียว";
}
/// %1: the store's path, %2: what is wrong with it, %3: the name it was set aside under.
constexpr QStringView setAside()
{
    return u"แฟ้มตารางรางวัล %1 ใช้ไม่ได้ (%2) จึงย้ายไปเก็บไว้เป็น %3";
}
/// Added to setAside().
constexpr QStringView freshFromBundled()
{
    return u"แล้วสร้างแฟ้มใหม่จากตารางรางวัลที่มากับโปรแกรม";
}
/// Added to setAside() when the program has no tables of its own to start from.
constexpr QStringView freshEmpty()
{
    return u"แล้วสร้างแฟ้มใหม่ที่ยังไม่มีตารางรางวัล";
}
/// %1: the store's path, %2: what is wrong with it, %3: why it could not be moved.
constexpr QStringView setAsideFailed()
{
    return u"แฟ้มตารางรางวัล %1 ใช้ไม่ได้ (%2) และย้ายออกไปไม่ได้ (%3)";
}
/// %1: the store's path, %2: its length in bytes, %3: the most SQLite takes.
constexpr QStringView pathTooLong()
{
    return u"ที่อยู่ของแฟ้มตารางรางวัล %1 ยาว %2 ไบต์ เกินกว่าที่ SQLite รับได้ (ไม่เกิน %3 ไบต์) "
           u"กรุณาเก็บแฟ้มผลรางวัลไว้ในโฟลเดอร์ที่มีที่อยู่สั้นกว่านี้";
}
/// %1: the store's path, %2: why.
constexpr QStringView upgradeFailed()
{
    return u"ปรับแฟ้มตารางรางวัล %1 เป็นรูปแบบใหม่ไม่ได้ (%2)";
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

} // namespace PrizeTexts
