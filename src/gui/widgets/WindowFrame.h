#pragma once

#include <QIcon>
#include <QSize>

#include <functional>

class QWidget;

/// What both windows share of their frame: the fixed size, the status bar and the program icon.
namespace WindowFrame {

/// The height of a status bar, in twips.
constexpr int statusBarHeightTwips = 375;

/// Turns `window` into a top-level window whose client area keeps `clientTwips` (15 twips to a pixel): minimise and
/// close buttons but no maximise, a resize springs back at once, minimising is allowed and left alone, and the
/// window is centred on its screen when it is first shown. The program icon comes just after the window's first
/// paint.
void applyFixedClientSize(QWidget* window, QSize clientTwips);

/// Runs `work` once, as soon as the events let it after `window` has been painted for the first time: for what the
/// window's first frame does not need.
void afterFirstPaint(QWidget* window, std::function<void()> work);

/// Builds the window's status bar `StatusBar1`, docked at the bottom of a client area of the given size: three
/// plain, left-aligned, sunken text panels. The second is wider than any window, so it fills the rest of the bar and
/// the third lies beyond the right edge.
QWidget* createStatusBar(QWidget* window, int clientWidthTwips, int clientHeightTwips);

/// Shows a window that is open already in front of the others, restored when it was minimised, with the focus.
void bringToFront(QWidget* window);

/// The program icon, square, in two sizes.
QIcon programIcon();

} // namespace WindowFrame

using WindowFrame::afterFirstPaint;
using WindowFrame::applyFixedClientSize;
using WindowFrame::createStatusBar;
using WindowFrame::programIcon;
