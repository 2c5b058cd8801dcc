#pragma once

#include <QStringView>

/// Texts of the application shell that the user sees, besides those of the windows themselves.
namespace ShellTexts {

/// Shown when the default web browser could not be asked to open a page; the page's address follows it.
constexpr QStringView browserFailed()
{
    return u"ไม่สามารถเปิดเว็บเบราว์เซอร์ได้ กรุณาเปิดหน้านี้เอง:";
}

} // namespace ShellTexts
