#pragma once

#include <QFont>

/// The window font and the fonts the layout names. Where Tahoma or MS Sans Serif are missing, Qt takes the
/// substitutes installed by `installFontSubstitutions`, all of which carry Thai.
namespace Fonts {

void installFontSubstitutions();

QFont tahoma(qreal pointSize);
QFont msSansSerif(qreal pointSize);
/// Tahoma 8.25 pt, the font of both windows.
QFont windowFont();

} // namespace Fonts
