#pragma once

#include <QStringView>

#include <array>

/// Texts of the stored draws as the user sees them: the names of a draw's numbers, the titles under which its fields
/// are shown, and what is said about the results file, which the user knows as the database.
namespace DataTexts {

// A draw's numbers, as messages and searches name them.
constexpr QStringView firstPrize()
{
    return u"รางวัลที่ 1";
}
constexpr QStringView threeDigits()
{
    return u"เลข 3 ตัว";
}
constexpr QStringView lastTwoDigits()
{
    return u"เลขท้าย 2 ตัว";
}

/// The titles under which the report tables of both windows show the seven fields, in field order.
constexpr std::array<QStringView, 7> fieldTitles()
{
    return {u"งวดที่ ", firstPrize(), u"3 ตัวครั้งที่1", u"3 ตัวครั้งที่2", u"3 ตัวครั้งที่3", u"3 ตัวครั้งที่4", u"2 ตัว"};
}

/// A draw key that is no draw date. %1: the key as it was given.
constexpr QStringView badDrawKey()
{
    return u"รหัสงวด %1 ไม่ถูกต้อง";
}

// The results file.
/// Shown in place of the latest draw when the results file holds no draw.
constexpr QStringView noDrawStored()
{
    return u"ยังไม่มีงวดในฐานข้อมูล";
}
/// Shown when the results file exists but cannot be read.
constexpr QStringView resultsFileUnreadable()
{
    return u"อ่านฐานข้อมูลไม่ได้";
}
/// New draws cannot be kept: the user's data directory cannot be made or written. %1: the directory.
constexpr QStringView dataDirectoryUnusable()
{
    return u"บันทึกผลรางวัลงวดใหม่ไม่ได้ เพราะสร้างหรือเขียนโฟลเดอร์ข้อมูลของคุณไม่ได้:\n%1";
}
/// New draws cannot be kept: the directory of the data files has a path too long for the prize store. %1: the
/// directory.
constexpr QStringView dataDirectoryTooLong()
{
    return u"บันทึกผลรางวัลงวดใหม่ไม่ได้ เพราะโฟลเดอร์ข้อมูลยาวเกินไป:\n%1";
}
/// New draws cannot be kept: the bundled file could not be copied for the user. %1: the copy, %2: why.
constexpr QStringView dataFileNotCopied()
{
    return u"บันทึกผลรางวัลงวดใหม่ไม่ได้ เพราะคัดลอกฐานข้อมูลไปยังแฟ้มนี้ไม่ได้:\n%1\n%2";
}

} // namespace DataTexts
