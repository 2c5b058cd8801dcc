#pragma once

#include <QStringView>

/// The texts of saved tables and of the table of stored draws, exactly as the user sees them.
namespace SpreadsheetTexts {

/// %1: the file, %2: why it could not be written.
constexpr QStringView cannotSave()
{
    return u"บันทึกแฟ้ม %1 ไม่ได้: %2";
}

// Column titles of the table of stored draws, besides the draw fields' and the prizes' own titles.
constexpr QStringView keyColumn()
{
    return u"งวด";
}
constexpr QStringView dateColumn()
{
    return u"วันที่";
}
constexpr QStringView weekdayColumn()
{
    return u"วัน";
}

} // namespace SpreadsheetTexts
