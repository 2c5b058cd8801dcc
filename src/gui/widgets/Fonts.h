#pragma once

#include <QFont>

class QPaintDevice;

/// The window font and the fonts the layout names. Where Tahoma or MS Sans Serif are missing, the first installed of
/// the stand-ins `installFontSubstitutions` names is asked for, all of which carry Thai.
namespace Fonts {

/// Names the stand-ins of Tahoma and MS Sans Serif; after it, the fonts below ask for the first stand-in installed
/// where the named family is missing. Needs the application object.
void installFontSubstitutions();

QFont tahoma(qreal pointSize);
QFont msSansSerif(qreal pointSize);
/// Tahoma 8.25 pt, the font of both windows.
QFont windowFont();

/// `font` as large as `text` can be drawn on `device` within `widthPixels`: its own size when the text fits, else the
/// largest size a quarter point step below it at which the text fits, but never under 7 pt.
QFont shrunkToFit(const QFont& font, const QString& text, int widthPixels, const QPaintDevice* device);

} // namespace Fonts
