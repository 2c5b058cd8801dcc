#include "Fonts.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QStringList>

#include <cmath>

namespace Fonts {

void installFontSubstitutions()
{
    // Loma is the Thai font drawn after Tahoma (fonts-thai-tlwg); the others are further Thai-capable fallbacks.
    const QStringList thaiSans {QStringLiteral("Loma"), QStringLiteral("Tlwg Typo"), QStringLiteral("Garuda"),
        QStringLiteral("Waree"), QStringLiteral("Norasi"), QStringLiteral("DejaVu Sans")};
    QFont::insertSubstitutions(QStringLiteral("Tahoma"), thaiSans);
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), thaiSans);
}

QFont tahoma(qreal pointSize)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(pointSize);
    font.setWeight(QFont::Normal);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QFont msSansSerif(qreal pointSize)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(pointSize);
    font.setWeight(QFont::Normal);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QFont windowFont()
{
    return tahoma(8.25);
}

namespace {

// The whole pixel size the font engines draw a font of `pointSize` at, rounded as they round it.
int drawnPixelSize(qreal pointSize, int dpi)
{
    return qRound(std::floor(pointSize * dpi / 72.0 * 100.0 + 0.5) / 100.0);
}

} // namespace

QFont shrunkToFit(const QFont& font, const QString& text, int widthPixels, const QPaintDevice* device)
{
    constexpr qreal step = 0.25;
    constexpr qreal smallestPointSize = 7.0;
    const qreal ownSize = font.pointSizeF();
    auto widthAt = [&](qreal pointSize) {
        QFont sized = font;
        sized.setPointSizeF(pointSize);
        return QFontMetrics(sized, device).horizontalAdvance(text);
    };
    const int ownWidth = widthAt(ownSize);
    if (ownSize <= smallestPointSize || ownWidth <= widthPixels) {
        return font;
    }

    // Each pixel size the text is measured at costs a font load of its own. Fonts are drawn at whole pixel sizes and
    // the text's width grows in step with the pixel size, so a size whose width, scaled from the width at the font's
    // own size, lies clearly beyond the room cannot fit and is not measured.
    constexpr int scalingSlackPixels = 1;
    const int dpi = device->logicalDpiY();
    const int ownPixels = drawnPixelSize(ownSize, dpi);
    qreal size = ownSize - step;
    for (; size > smallestPointSize; size -= step) {
        const int pixels = drawnPixelSize(size, dpi);
        const bool clearlyTooWide = qint64(ownWidth) * pixels > qint64(widthPixels + scalingSlackPixels) * ownPixels;
        if (!clearlyTooWide && widthAt(size) <= widthPixels) {
            break;
        }
    }
    QFont fitted = font;
    fitted.setPointSizeF(size);
    return fitted;
}

} // namespace Fonts
