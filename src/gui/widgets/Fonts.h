#pragma once

#include <QFont>

class QPaintDevice;

/// The window font and the fonts the layout names. Where Tahoma or MS Sans Serif are missing, Qt takes the
/// substitutes installed by `installFontSubstitutions`, all of which carry Thai.
namespace Fonts {

void installFontSubstitutions();

QFont tahoma(qreal pointSize);
QFont msSansSerif(qreal pointSize);
/// Tahoma 8.25 pt, the font of both windows.
QFont windowFont();

/// `font` as large as `text` can be drawn on `device` within `widthPixels`: its own size when the text fits, else the
/// largest size a quarter point step below it at which the text fits, but never under 7 pt.
QFont shrunkToFit(const QFont& font, const QString& text, int widthPixels, const QPaintDevice* device);

} // namespace Fonts
