// Helpers of the figure tests: white surfaces and pixels read back from their images.
#pragma once

#include <QImage>
#include <set>
#include <utility>

#include "render/DrawingSurface.h"

namespace brimvale::test {

inline constexpr QRgb White = 0xffffffff;
inline constexpr QRgb Black = 0xff000000;
inline constexpr QRgb Red = 0xffff0000;
inline constexpr QRgb Blue = 0xff0000ff;

using Pixels = std::set<std::pair<int, int>>;

// A white surface of the given size in pixels, in its default scale (15 twips a pixel).
inline DrawingSurface whiteSurface(int width, int height, qreal ratio = 1.0)
{
    DrawingSurface surface(QSize(width, height), ratio);
    surface.setBackColor(White);
    return surface;
}

// The pixels of the image that have the colour, as (x, y).
inline Pixels pixelsOf(const QImage& image, QRgb colour)
{
    Pixels found;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == colour)
                found.insert({x, y});
    return found;
}

// The pixels of the image that differ from white.
inline int inkedPixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) != White ? 1 : 0;
    return count;
}

} // namespace brimvale::test
