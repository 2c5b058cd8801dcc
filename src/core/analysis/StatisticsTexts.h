#pragma once

#include <QString>
#include <QStringView>

/// The statistics window's texts, exactly as the user sees them.
namespace StatisticsTexts {

/// "%1" is the number of draws in the set.
inline QString windowTitle(int drawCount)
{
    return QStringLiteral("สถิติ - %1 งวด").arg(drawCount);
}
/// The context-menu item and Ctrl+T action that open the window.
constexpr QStringView showStatisticsItem()
{
    return u"ดูสถิติ...";
}
constexpr QStringView twoDigitPrize()
{
    return u"2 ตัวล่าง";
}
constexpr QStringView firstPrizeLastTwo()
{
    return u"2 ตัวบน";
}
/// The last three digits of the first prize, where the number search also looks for a three-digit number.
constexpr QStringView firstPrizeLastThree()
{
    return u"3 ตัวบน";
}
/// The gap of a number that never came out in the set.
constexpr QStringView neverDrawn()
{
    return u"ไม่เคยออก";
}

constexpr QStringView dayFilterName()
{
    return u"วัน";
}
constexpr QStringView sourceLabel()
{
    return u"ดูจาก:";
}

// Tabs.
constexpr QStringView numbersTab()
{
    return u"เลข 00-99";
}
constexpr QStringView placesTab()
{
    return u"เลขตามหลัก";
}
constexpr QStringView chartsTab()
{
    return u"กราฟ";
}
constexpr QStringView searchTab()
{
    return u"ค้นหาเลข";
}

// The 00-99 table.
constexpr QStringView numberColumn()
{
    return u"เลข";
}
constexpr QStringView countColumn()
{
    return u"ออก (ครั้ง)";
}
constexpr QStringView shareColumn()
{
    return u"สัดส่วน";
}
constexpr QStringView expectedColumn()
{
    return u"ค่าคาดหมาย";
}
constexpr QStringView lastDrawColumn()
{
    return u"ออกล่าสุด";
}
constexpr QStringView gapColumn()
{
    return u"ไม่ออกมา (งวด)";
}
constexpr QStringView gridCaption()
{
    return u"แถวคือหลักสิบ คอลัมน์คือหลักหน่วย ช่องที่สีเข้มกว่าคือเลขที่ออกบ่อยกว่า";
}
/// "%1" the draws counted, "%2" the draws in the set, "%3" the expected count per number.
constexpr QStringView countedLine()
{
    return u"นับได้ %1 จาก %2 งวด ค่าคาดหมายของแต่ละเลขคือ %3 ครั้ง";
}

// Digit by place.
constexpr QStringView tensPlace()
{
    return u"หลักสิบ";
}
constexpr QStringView unitsPlace()
{
    return u"หลักหน่วย";
}
constexpr QStringView digitColumn()
{
    return u"เลข";
}
/// "%1" is the place's name.
constexpr QStringView placeCountColumn()
{
    return u"%1: ออก";
}
constexpr QStringView placeExpectedColumn()
{
    return u"%1: ค่าคาดหมาย";
}
constexpr QStringView placeDifferenceColumn()
{
    return u"%1: ส่วนต่าง";
}
/// "%1" the place, "%2" the statistic, "%3" the degrees of freedom, "%4" the p-value with its sign ("= 0.072",
/// "< 0.001").
constexpr QStringView testLine()
{
    return u"%1: ไคสแควร์ = %2 (องศาอิสระ %3) ค่า p %4";
}
/// "%1" the place.
constexpr QStringView testLineTooFew()
{
    return u"%1: ไม่ได้ทดสอบ";
}
constexpr QStringView verdictWithinChance()
{
    return u"ความต่างจากค่าคาดหมายในหลักนี้อยู่ในระดับที่ความบังเอิญอธิบายได้ ไม่มีหลักฐานว่าเลขใดออกบ่อยกว่าเลขอื่น";
}
constexpr QStringView verdictBeyondChance()
{
    return u"ความต่างจากค่าคาดหมายในหลักนี้มากเกินกว่าที่ความบังเอิญจะอธิบายได้ (ค่า p ต่ำกว่า 0.05) "
           u"แต่ก็ไม่ได้บอกว่างวดหน้าจะออกเลขใด";
}
constexpr QStringView verdictTooFewDraws()
{
    return u"จำนวนงวดน้อยเกินไปที่จะทดสอบ เพราะค่าคาดหมายของแต่ละเลขต่ำกว่า 5 ครั้ง";
}
constexpr QStringView testExplanation()
{
    return u"การทดสอบไคสแควร์ตรวจว่า ถ้าทุกเลขมีโอกาสออกเท่ากัน ความต่างขนาดนี้จะเกิดขึ้นเองได้บ่อยเพียงใด";
}

// Charts.
constexpr QStringView placesChart()
{
    return u"เลขตามหลัก";
}
constexpr QStringView numbersChart()
{
    return u"เลข 00-99";
}
constexpr QStringView chartChoiceLabel()
{
    return u"กราฟ:";
}
constexpr QStringView countAxis()
{
    return u"จำนวนครั้ง";
}
constexpr QStringView chartTextEquivalent()
{
    return u"ตัวเลขเดียวกับในกราฟนี้อยู่ในตารางของแท็บ \"เลขตามหลัก\" และ \"เลข 00-99\"";
}
constexpr QStringView savePng()
{
    return u"บันทึกเป็น PNG...";
}

// Number search.
constexpr QStringView searchLabel()
{
    return u"เลขที่ค้นหา:";
}
constexpr QStringView searchPlaceholder()
{
    return u"เช่น 5? หรือ ?07 หรือ ??5??8";
}
constexpr QStringView searchButton()
{
    return u"ค้นหา";
}
constexpr QStringView searchHint()
{
    return u"พิมพ์ 2 หลักเพื่อค้นหา 2 ตัวล่าง 3 หลักเพื่อค้นหาเลข 3 ตัวและ 3 ตัวบน หรือ 6 หลักเพื่อค้นหารางวัลที่ 1 "
           u"ใช้ ? หรือ * แทนเลขใดก็ได้หนึ่งหลัก";
}
/// "%1" the pattern, "%2" what it searched, "%3" the draws found, "%4" the draws in the set.
constexpr QStringView searchFound()
{
    return u"%1 (%2) ออกใน %3 งวด จากทั้งหมด %4 งวด";
}
/// What a three-digit pattern searches, in searchFound().
constexpr QStringView threeDigitsOrUpper()
{
    return u"เลข 3 ตัว หรือ 3 ตัวบน";
}
/// The column of the search results that says where the number came out.
constexpr QStringView foundInColumn()
{
    return u"พบใน";
}
constexpr QStringView patternEmpty()
{
    return u"พิมพ์เลขที่ต้องการค้นหาก่อน";
}
/// "%1" the character that is not allowed.
constexpr QStringView patternBadCharacter()
{
    return u"ใช้ได้เฉพาะตัวเลข 0-9 และ ? หรือ * เท่านั้น แต่พบ \"%1\"";
}
/// "%1" the number of characters typed.
constexpr QStringView patternBadLength()
{
    return u"เลขที่ค้นหาต้องมี 2 หลัก (2 ตัวล่าง) 3 หลัก (เลข 3 ตัว หรือ 3 ตัวบน) หรือ 6 หลัก (รางวัลที่ 1) แต่ที่พิมพ์มี %1 หลัก";
}

// Where the draws come from.
constexpr QStringView fromAnalysis()
{
    return u"งวดที่ตรงกับการวิเคราะห์ครั้งล่าสุดในหน้าต่างวิเคราะห์";
}
constexpr QStringView fromSelection()
{
    return u"งวดที่เลือกไว้ในหน้าต่างหลัก";
}
constexpr QStringView fromAllDraws()
{
    return u"ทุกงวดที่เก็บไว้ (ไม่ได้เลือกงวดใด)";
}
/// "%1" the filters, joined by ", ".
constexpr QStringView filtersLine()
{
    return u"ตัวกรอง: %1";
}
constexpr QStringView noFilters()
{
    return u"ตัวกรอง: ไม่มี";
}
/// "%1" the oldest draw's title, "%2" the newest's.
constexpr QStringView rangeLine()
{
    return u"ตั้งแต่งวด %1 ถึงงวด %2";
}
constexpr QStringView noDraws()
{
    return u"ไม่มีงวดให้นับ";
}

// Printing.
constexpr QStringView savePdf()
{
    return u"บันทึกเป็น PDF...";
}
/// "%1" the source the page shows.
constexpr QStringView pageSourceLine()
{
    return u"ตัวเลขในหน้านี้: %1";
}
constexpr QStringView saveFailed()
{
    return u"บันทึกแฟ้มไม่ได้";
}

} // namespace StatisticsTexts
