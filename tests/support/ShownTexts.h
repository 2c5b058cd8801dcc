#pragma once

#include <QStringView>

#include <array>

/// What the user sees, letter for letter, written out once for the tests and apart from the program's own texts, so
/// that a misspelt caption or name in the program fails a test instead of being compared with itself.
namespace ShownTexts {

/// A fixed caption: the window, the control (the window's own name for its title), and the text it shows. The
/// filter boxes' texts are the ones they show until an entry is chosen.
struct Caption
{
    QStringView window;
    QStringView control;
    QStringView text;
};

inline constexpr std::array<Caption, 34> kCaptions {{
    {u"Form1", u"Form1", u"Varenta V1.0"},
    {u"Form1", u"PushButton3", u"แสดงรายการ"},
    {u"Form1", u"PushButton4", u"อัพเดทฐานข้อมูล"},
    {u"Form1", u"PushButton5", u"วิเคราะห์ 2 ตัว"},
    {u"Form1", u"PushButton6", u"เคลี่ยร์"},
    {u"Form1", u"PushButton7", u"เลือกงวด"},
    {u"Form1", u"PushButton9", u"อัพเดทเวอร์ชัน"},
    {u"Form1", u"Label2", u"งวดล่าสุดในฐานข้อมูล:"},
    {u"Form1", u"PushButton1", u"PushButton1"},
    {u"Form1", u"PushButton2", u"PushButton2"},
    {u"Form1", u"nmuselect", u"select"},
    {u"Form1", u"nmuall", u"เลือกทั้งหมด"},
    {u"Form1", u"nmujan", u"มกราคม"},
    {u"Form1", u"nmufeb", u"กุมภาพันธ์"},
    {u"Form1", u"nmumarch", u"มีนาคม"},
    {u"Form1", u"nmuapril", u"เมษายน"},
    {u"Form1", u"nmumay", u"พฤษภาคม"},
    {u"Form1", u"nmujune", u"มิถุนายน"},
    {u"Form1", u"nmujuly", u"กรกฎาคม"},
    {u"Form1", u"nmuaugust", u"สิงหาคม"},
    {u"Form1", u"nmusep", u"กันยายน"},
    {u"Form1", u"nmuoct", u"ตุลาคม"},
    {u"Form1", u"nmunov", u"พฤศจิกายน"},
    {u"Form1", u"nmudec", u"ธันวาคม"},
    {u"Form2", u"Form2", u"Varenta V1.0"},
    {u"Form2", u"PushButton1", u"วิเคราะห์"},
    {u"Form2", u"cmbday", u"เลือกวัน"},
    {u"Form2", u"ComboBox1", u"หลักร้อยรางวัลที 1"},
    {u"Form2", u"ComboBox2", u"หลักสิบรางวัลที 1"},
    {u"Form2", u"ComboBox3", u"หลักหน่วยรางวัลที 1"},
    {u"Form2", u"ComboBox4", u"สิบ-หน่วยรางวัลที 1"},
    {u"Form2", u"ComboBox5", u"แสน-หมื่นรางวัลที 1"},
    {u"Form2", u"ComboBox6", u"หลักหน่วยของ 2 ตัว"},
    {u"Form2", u"ComboBox7", u"หลักสิบของ 2 ตัว"},
}};

/// The caption of PushButton8 is this, followed by the short name of the lottery office's web site.
inline constexpr QStringView kCheckAtPrefix = u"ตรวจจาก ";

/// The days of the week, Sunday first.
inline constexpr std::array<QStringView, 7> kDayNames {u"อาทิตย์", u"จันทร์", u"อังคาร", u"พุธ", u"พฤหัสบดี", u"ศุกร์", u"เสาร์"};
/// The name for a day that cannot be told.
inline constexpr QStringView kUnknownDay = u"ไม่ทราบ";
/// The months as the main window names them, January first.
inline constexpr std::array<QStringView, 12> kMonthNames {u"มกราคม", u"กุมภาพันธ์", u"มีนาคม", u"เมษายน", u"พฤษภาคม",
    u"มิถุนายน", u"กรกฎาคม", u"สิงหาคม", u"กันยายน", u"ตุลาคม", u"พฤศจิกายน", u"ธันวาคม"};
/// The months as the analysis window names them.
inline constexpr std::array<QStringView, 12> kAnalysisMonthNames {u"มกราคม", u"กุมภาพันธ์", u"มีนาคม", u"เมษายน",
    u"พฤษภาคม", u"มิถุยายน", u"กรกฎาคม", u"สิงหาคม", u"กันยายน", u"ตุลาคม", u"พฤศจิกายน", u"ธันวาคม"};
/// The first entry of every filter box.
inline constexpr QStringView kNotChosen = u"ไม่เลือก";
/// The column titles of both draw tables.
inline constexpr std::array<QStringView, 7> kDrawColumns {
    u"งวดที่ ", u"รางวัลที่ 1", u"3 ตัวครั้งที่1", u"3 ตัวครั้งที่2", u"3 ตัวครั้งที่3", u"3 ตัวครั้งที่4", u"2 ตัว"};
/// The first column of the analysis window's frequency table, and its two rows.
inline constexpr QStringView kFrequencyFirstColumn = u"หลัก/เลข";
/// The first cells of the frequency table's two rows: tens place, units place.
inline constexpr std::array<QStringView, 2> kFrequencyRows {u"หลักที่ 1", u"หลักที่ 2"};

/// The caption `control` of `window` shows; empty when the table has none.
inline QStringView caption(QStringView window, QStringView control)
{
    for (const Caption& entry : kCaptions) {
        if (entry.window == window && entry.control == control) {
            return entry.text;
        }
    }
    return {};
}

} // namespace ShownTexts
