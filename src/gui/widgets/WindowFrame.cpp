#include "WindowFrame.h"

#include "widgets/Twips.h"
#include "widgets/WidgetTexts.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <utility>

// The icon's images are compiled into the static GUI library; a static library's resources must be registered by
// name before their first use.
static void registerShellResources()
{
    Q_INIT_RESOURCE(varenta);
}

namespace WindowFrame {
namespace {

constexpr int panel1WidthTwips = 3539;
constexpr int panel2WidthTwips = 55550;
constexpr int panel3WidthTwips = 1440;

/// Keeps a window at its fixed size. Runs on every change of size or state; a minimised window is left alone, a
/// maximised or full-screen one is brought back to its normal state.
class FixedSizeRule final : public QObject
{
public:
    FixedSizeRule(QWidget* window, QSize size)
        : QObject(window)
        , m_window(window)
        , m_size(size)
    { }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_window) {
            return false;
        }
        switch (event->type()) {
        case QEvent::Show:
            if (!m_shownOnce) {
                m_shownOnce = true;
                centreOnScreen();
            }
            enforce();
            break;
        case QEvent::Resize:
        case QEvent::WindowStateChange:
            enforce();
            break;
        default:
            break;
        }
        return false;
    }

private:
    void enforce()
    {
        const Qt::WindowStates state = m_window->windowState();
        if (state & Qt::WindowMinimized) {
            return;
        }
        if (state & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
            m_window->setWindowState(state & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
        }
        if (m_window->size() != m_size) {
            m_window->resize(m_size);
        }
    }

    void centreOnScreen()
    {
        const QScreen* screen = m_window->screen();
        if (!screen) {
            return;
        }
        const QRect available = screen->availableGeometry();
        // Before the first show the frame's thickness is not known yet; the client area is centred then.
        const QSize frame = m_window->frameGeometry().size().expandedTo(m_size);
        m_window->move(available.left() + (available.width() - frame.width()) / 2,
            available.top() + (available.height() - frame.height()) / 2);
    }

    QWidget* m_window;
    QSize m_size;
    bool m_shownOnce = false;
};

/// Hands the window's first paint on to `work`, which runs once the paint is over, and then goes.
class FirstPaintWatch final : public QObject
{
public:
    FirstPaintWatch(QWidget* window, std::function<void()> work)
        : QObject(window)
        , m_window(window)
        , m_work(std::move(work))
    { }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_window && event->type() == QEvent::Paint && m_work) {
            m_window->removeEventFilter(this);
            QTimer::singleShot(0, m_window, std::exchange(m_work, {}));
            deleteLater();
        }
        return false;
    }

private:
    QWidget* m_window;
    std::function<void()> m_work;
};

QLabel* addPanel(QWidget* bar, const QString& objectName, const QString& text, int leftTwips, int widthTwips)
{
    auto* panel = new QLabel(text, bar);
    panel->setObjectName(objectName);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    panel->setTextFormat(Qt::PlainText);
    panel->setAccessibleName(text);
    panel->setGeometry(twipsRect(leftTwips, 0, widthTwips, statusBarHeightTwips));
    return panel;
}

} // namespace

void applyFixedClientSize(QWidget* window, QSize clientTwips)
{
    const QSize size = twipsSize(clientTwips.width(), clientTwips.height());
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
        Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    window->setFixedSize(size);
    window->installEventFilter(new FixedSizeRule(window, size));
    // Decoding the icon's images is a good part of a window's start; the frame shows the icon a moment later.
    afterFirstPaint(window, [window] { window->setWindowIcon(programIcon()); });
}

void afterFirstPaint(QWidget* window, std::function<void()> work)
{
    window->installEventFilter(new FirstPaintWatch(window, std::move(work)));
}

QWidget* createStatusBar(QWidget* window, int clientWidthTwips, int clientHeightTwips)
{
    auto* bar = new QFrame(window);
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setAccessibleName(QStringLiteral("StatusBar1"));
    bar->setFrameStyle(QFrame::NoFrame);
    bar->setGeometry(twipsRect(0, clientHeightTwips - statusBarHeightTwips, clientWidthTwips, statusBarHeightTwips));

    addPanel(bar, QStringLiteral("StatusBar1Panel1"), WidgetTexts::statusPanel1().toString(), 0, panel1WidthTwips);
    addPanel(bar, QStringLiteral("StatusBar1Panel2"), QStringLiteral(VARENTA_CONTACT_LINE), panel1WidthTwips,
        panel2WidthTwips);
    addPanel(bar, QStringLiteral("StatusBar1Panel3"), QString(), panel1WidthTwips + panel2WidthTwips, panel3WidthTwips);
    return bar;
}

void bringToFront(QWidget* window)
{
    if (window->isMinimized()) {
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

QIcon programIcon()
{
    // Adding a file decodes its image at once: the images are read once for the program and its windows share them.
    // Never destroyed: the images must not be torn down after the application object is gone.
    static const QIcon* const icon = [] {
        registerShellResources();
        auto* images = new QIcon;
        images->addFile(QStringLiteral(":/varenta/icons/varenta-32.png"), QSize(32, 32));
        images->addFile(QStringLiteral(":/varenta/icons/varenta-64.png"), QSize(64, 64));
        return images;
    }();
    return *icon;
}

} // namespace WindowFrame
