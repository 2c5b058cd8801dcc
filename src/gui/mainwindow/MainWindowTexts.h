#pragma once

#include "ProgramVersion.h"

#include <QStringView>

/// The main window's fixed texts, exactly as the user sees them.
namespace MainWindowTexts {

constexpr QStringView windowTitle()
{
    return u"Varenta V" VARENTA_VERSION;
}
constexpr QStringView label1Initial()
{
    return u"Label1";
}
/// %1: the results file's full path.
constexpr QStringView resultsFileInUse()
{
    return u"แฟ้มผลรางวัลที่ใช้อยู่: %1";
}
constexpr QStringView label2Caption()
{
    return u"งวดล่าสุดในฐานข้อมูล:";
}
constexpr QStringView updateButton()
{
    return u"อัพเดทฐานข้อมูล";
}
constexpr QStringView analysisButton()
{
    return u"วิเคราะห์ 2 ตัว";
}
constexpr QStringView clearButton()
{
    return u"เคลี่ยร์";
}
constexpr QStringView chooseDrawsButton()
{
    return u"เลือกงวด";
}
constexpr QStringView showListButton()
{
    return u"แสดงรายการ";
}
/// Followed by the short name of the lottery office's web site.
constexpr QStringView checkAtPrefix()
{
    return u"ตรวจจาก ";
}
constexpr QStringView updateVersionButton()
{
    return u"อัพเดทเวอร์ชัน";
}
constexpr QStringView selectAllItem()
{
    return u"เลือกทั้งหมด";
}
constexpr QStringView menuCaption()
{
    return u"select";
}
/// Shown after an update has rewritten the results file; the program ends when it is closed.
constexpr QStringView closingMessage()
{
    return u"ปิดโปรแกรมเพื่ออัพเดทข้อมูล";
}
constexpr QStringView closingTitle()
{
    return u"อัพเดทข้อมูล";
}
constexpr QStringView downloadDone()
{
    return u"done";
}

// Texts of our own, for states the catalogue can be in besides holding draws.

} // namespace MainWindowTexts
