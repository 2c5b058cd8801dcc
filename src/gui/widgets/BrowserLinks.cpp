#include "BrowserLinks.h"

#include "widgets/Dialogs.h"
#include "widgets/WidgetTexts.h"

#include <QDesktopServices>

namespace BrowserLinks {
namespace {

std::function<bool(const QUrl&)>& opener()
{
    static std::function<bool(const QUrl&)> function;
    return function;
}

} // namespace

bool openInDefaultBrowser(QWidget* parent, const QString& address)
{
    const QUrl url(address, QUrl::StrictMode);
    const bool opened =
        url.isValid() && !url.isRelative() && (opener() ? opener()(url) : QDesktopServices::openUrl(url));
    if (!opened) {
        Dialogs::showMessage(parent,
            Dialogs::Message {Dialogs::Icon::Warning, QString(),
                WidgetTexts::browserFailed().toString() + QLatin1Char('\n') + address});
    }
    return opened;
}

void setOpenerForTests(std::function<bool(const QUrl&)> replacement)
{
    opener() = std::move(replacement);
}

} // namespace BrowserLinks
