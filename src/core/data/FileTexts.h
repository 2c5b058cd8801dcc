#pragma once

#include <QStringView>

/// Why a file could not be written or read, exactly as the user sees it.
namespace FileTexts {

/// %1: the file, %2: why it could not be written.
constexpr QStringView cannotSave()
{
    return u"บันทึกแฟ้ม %1 ไม่ได้: %2";
}
/// %1: the file, %2: why it could not be opened.
constexpr QStringView cannotOpen()
{
    return u"เปิดแฟ้ม %1 ไม่ได้: %2";
}
/// %1: the file, %2: why it could not be read.
constexpr QStringView cannotRead()
{
    return u"อ่านแฟ้ม %1 ไม่ได้: %2";
}

// Reasons, each followed by the system's own words where the system gave any.
constexpr QStringView diskFull()
{
    return u"ดิสก์เต็ม";
}
/// A directory, a pipe or a device stands where a file is written or read.
constexpr QStringView notRegularFile()
{
    return u"ไม่ใช่แฟ้มปกติ";
}
/// A symbolic link stands where a file is written; %1: where it leads.
constexpr QStringView linkRefused()
{
    return u"ไม่ใช่แฟ้มปกติ แต่เป็นลิงก์ไปยัง %1";
}
/// The disk took fewer bytes than were written, without saying why.
constexpr QStringView writtenIncompletely()
{
    return u"เขียนได้ไม่ครบ";
}
/// The file is larger than the program reads.
constexpr QStringView tooLarge()
{
    return u"ใหญ่เกินกำหนด";
}

/// Another copy of the program holds the results file's lock.
constexpr QStringView writerRunning()
{
    return u"มีโปรแกรมอีกตัวหนึ่งกำลังอัพเดทฐานข้อมูลอยู่";
}

} // namespace FileTexts
