#pragma once

#include "ProgramVersion.h"

#include <QStringView>

#include <array>

/// The analysis window's fixed texts, exactly as the user sees them.
namespace AnalysisTexts {

constexpr QStringView windowTitle()
{
    return u"Varenta V" VARENTA_VERSION;
}
/// Caption of PushButton1.
constexpr QStringView analyseButton()
{
    return u"วิเคราะห์";
}
/// The first item of every filter box: the box sets no condition.
constexpr QStringView notChosen()
{
    return u"ไม่เลือก";
}

/// Initial texts of the filter boxes, in the order the filter applies them: cmbday, ComboBox1 .. ComboBox7. A box
/// shows its initial text until the user chooses an entry; the statistics window names a digit filter by it.
constexpr std::array<QStringView, 8> filterBoxInitialTexts()
{
    return {u"เลือกวัน", u"หลักร้อยรางวัลที 1", u"หลักสิบรางวัลที 1", u"หลักหน่วยรางวัลที 1", u"สิบ-หน่วยรางวัลที 1", u"แสน-หมื่นรางวัลที 1",
        u"หลักหน่วยของ 2 ตัว", u"หลักสิบของ 2 ตัว"};
}

/// Title of the first column of the frequency table ListViewReport.
constexpr QStringView frequencyFirstColumnTitle()
{
    return u"หลัก/เลข";
}

/// First-column texts of the two rows of the frequency table: the tens place, then the units place.
constexpr std::array<QStringView, 2> frequencyRowTitles()
{
    return {u"หลักที่ 1", u"หลักที่ 2"};
}

} // namespace AnalysisTexts
