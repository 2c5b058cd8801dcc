#include "Fonts.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPaintDevice>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace Fonts {

namespace {

// The family asked for in place of each family the layout names: the family itself where it is installed, else the
// first installed stand-in. Asking for a family that is not there makes Qt search fontconfig's fallbacks each time
// a new size or weight of it is loaded, before it turns to the substitutes.
QString& tahomaFamily()
{
    static QString family = QStringLiteral("Tahoma");
    return family;
}

QString& msSansSerifFamily()
{
    static QString family = QStringLiteral("MS Sans Serif");
    return family;
}

QFont sansSerif(const QString& family, qreal pointSize)
{
    QFont font(family);
    font.setPointSizeF(pointSize);
    font.setWeight(QFont::Normal);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

} // namespace

void installFontSubstitutions()
{
    // Loma is the Thai font drawn after Tahoma (fonts-thai-tlwg); the others are further Thai-capable fallbacks.
    const QStringList thaiSans {QStringLiteral("Loma"), QStringLiteral("Tlwg Typo"), QStringLiteral("Garuda"),
        QStringLiteral("Waree"), QStringLiteral("Norasi"), QStringLiteral("DejaVu Sans")};
    QFont::insertSubstitutions(QStringLiteral("Tahoma"), thaiSans);
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), thaiSans);

    const QStringList installed = QFontDatabase::families();
    const auto has = [&installed](const QString& family) { return installed.contains(family, Qt::CaseInsensitive); };
    const auto standIn = std::find_if(thaiSans.cbegin(), thaiSans.cend(), has);
    for (QString* family : {&tahomaFamily(), &msSansSerifFamily()}) {
        if (!has(*family) && standIn != thaiSans.cend()) {
            *family = *standIn;
        }
    }
}

QFont tahoma(qreal pointSize)
{
    return sansSerif(tahomaFamily(), pointSize);
}

QFont msSansSerif(qreal pointSize)
{
    return sansSerif(msSansSerifFamily(), pointSize);
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
