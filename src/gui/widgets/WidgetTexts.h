#pragma once

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
    return u"โปรแกรมVarenta V1.0";
}

} // namespace WidgetTexts
