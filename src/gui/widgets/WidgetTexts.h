#pragma once

#include "ProgramVersion.h"

#include <QStringView>

/// Texts of the widget helpers that the user sees, besides those of the windows themselves.
namespace WidgetTexts {

/// Shown when the default web browser could not be asked to open a page; the page's address follows it.
constexpr QStringView browserFailed()
{
    return u"ไม่สามารถเปิดเว็บเบราว์เซอร์ได้ กรุณาเปิดหน้านี้เอง:";
}

/// The first panel of the status bar both windows share.
constexpr QStringView statusPanel1()
{
    return u"โปรแกรมVarenta V" VARENTA_VERSION;
}

/// The button that closes a window or a dialog.
constexpr QStringView closeButton()
{
    return u"ปิด";
}
/// The button that asks where to print and prints.
constexpr QStringView printButton()
{
    return u"พิมพ์...";
}

// The context menu of every table.
constexpr QStringView copyItem()
{
    return u"คัดลอก";
}
constexpr QStringView exportCsvItem()
{
    return u"ส่งออก CSV...";
}
constexpr QStringView exportXlsxItem()
{
    return u"ส่งออก Excel...";
}
/// The file type the save box offers for Excel workbooks.
constexpr QStringView xlsxFilter()
{
    return u"แฟ้ม Excel (*.xlsx)";
}

} // namespace WidgetTexts
