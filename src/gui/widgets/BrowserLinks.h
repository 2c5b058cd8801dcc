#pragma once

#include <QString>
#include <QUrl>

#include <functional>

class QWidget;

/// Opens web pages in the user's default browser.
namespace BrowserLinks {

/// Asks the desktop to open `address` in the default browser. When it cannot, a message box over `parent` says so
/// and gives the address; the program goes on either way. Returns whether the browser was asked successfully.
bool openInDefaultBrowser(QWidget* parent, const QString& address);

/// Tests replace the desktop's opener; an empty function restores the real one.
void setOpenerForTests(std::function<bool(const QUrl&)> opener);

} // namespace BrowserLinks
