#include "Fonts.h"

#include <QStringList>

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

} // namespace Fonts
