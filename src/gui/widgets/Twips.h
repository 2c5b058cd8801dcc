#pragma once

#include <QRect>
#include <QSize>
#include <QtMath>

/// The window layout is measured in twips: 1440 to the inch, 15 to a pixel at 96 dots per inch. Qt scales pixels
/// for high-DPI screens by itself.
constexpr int twipsToPixels(int twips)
{
    return (twips + (twips >= 0 ? 7 : -7)) / 15;
}

inline QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

inline QSize twipsSize(int width, int height)
{
    return QSize(twipsToPixels(width), twipsToPixels(height));
}

constexpr int pixelsToTwips(int pixels)
{
    return pixels * 15;
}
