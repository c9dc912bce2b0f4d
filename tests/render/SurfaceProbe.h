// Helpers of the figure tests: surfaces, the colours they are checked for and pixels read back.
#pragma once

#include <QImage>
#include <set>
#include <utility>

#include "render/DrawingSurface.h"

namespace brimvale::test {

inline constexpr QRgb White = qRgb(255, 255, 255);
inline constexpr QRgb Black = qRgb(0, 0, 0);
inline constexpr QRgb Red = qRgb(255, 0, 0);
inline constexpr QRgb Blue = qRgb(0, 0, 255);
// The confidence classes from 2 (the first coefficient) and from 1 (the second).
inline constexpr QRgb UpperClass = qRgb(200, 255, 200);
inline constexpr QRgb LowerClass = qRgb(50, 127, 50);

using Pixels = std::set<std::pair<int, int>>; // (x, y)

// A surface of the given size in pixels, in its default scale (15 twips a pixel).
inline DrawingSurface whiteSurface(int width, int height, qreal ratio = 1.0, QRgb back = White)
{
    DrawingSurface surface(QSize(width, height), ratio);
    surface.setBackColor(back);
    return surface;
}

// The pixels of the area (by default the whole image) that have the colour, or with `same` false, do not.
inline Pixels pixelsOf(const QImage& image, QRgb colour, QRect area = {}, bool same = true)
{
    area = area.isNull() ? image.rect() : area.intersected(image.rect());
    Pixels found;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if ((image.pixel(x, y) == colour) == same)
                found.insert({x, y});
    return found;
}

inline int inkedPixels(const QImage& image, QRect area = {})
{
    return static_cast<int>(pixelsOf(image, White, area, false).size());
}

// The pixels from (left, top) to (right, bottom), corners included, less the holes.
inline Pixels block(int left, int top, int right, int bottom, const Pixels& holes = {})
{
    Pixels pixels;
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            if (!holes.count({x, y}))
                pixels.insert({x, y});
    return pixels;
}

inline Pixels unite(std::initializer_list<Pixels> parts)
{
    Pixels all;
    for (const Pixels& part : parts)
        all.insert(part.begin(), part.end());
    return all;
}

} // namespace brimvale::test
