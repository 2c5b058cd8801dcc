#include "WindowHabits.h"

#include <QGuiApplication>
#include <QKeySequence>
#include <QScreen>
#include <QShortcut>
#include <QWidget>

namespace WindowHabits {
namespace {

// Room for the title bar and the borders the window manager adds around the client area.
constexpr int frameWidth = 16;
constexpr int frameHeight = 40;

} // namespace

void closeWithKeys(QWidget* window)
{
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        auto* shortcut = new QShortcut(keys, window);
        shortcut->setContext(Qt::WindowShortcut);
        QObject::connect(shortcut, &QShortcut::activated, window, &QWidget::close);
    }
}

QSize fittedSize(QSize preferred, QSize screen)
{
    if (!screen.isValid()) {
        return preferred;
    }
    return preferred.boundedTo(QSize(screen.width() - frameWidth, screen.height() - frameHeight));
}

void resizeToFit(QWidget* window, QSize preferred)
{
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    window->resize(fittedSize(preferred, screen ? screen->availableGeometry().size() : QSize()));
}

} // namespace WindowHabits
