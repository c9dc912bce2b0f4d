// Helpers of the figure tests: white surfaces and pixels read back from their images.
#pragma once

#include <QImage>
#include <set>
#include <string>
#include <utility>
#include <vector>

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

struct PixelAt {
    int x;
    int y;
    QRgb colour;
};

// The listed pixels whose colour differs from the one given, with the colour they have; empty when all agree.
inline std::string wrongPixels(const QImage& image, std::initializer_list<PixelAt> pixels)
{
    std::string wrong;
    for (const PixelAt& p : pixels)
        if (image.pixel(p.x, p.y) != p.colour)
            wrong += std::to_string(p.x) + "," + std::to_string(p.y) + " is " +
                     QString::number(image.pixel(p.x, p.y), 16).toStdString() + "; ";
    return wrong;
}

// The pixels from (left, top) to (right, bottom), both corners included.
inline Pixels block(int left, int top, int right, int bottom)
{
    Pixels pixels;
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            pixels.insert({x, y});
    return pixels;
}

// The rows of column x that have the colour.
inline std::vector<int> rowsOf(const QImage& image, int x, QRgb colour)
{
    std::vector<int> rows;
    for (int y = 0; y < image.height(); ++y)
        if (image.pixel(x, y) == colour)
            rows.push_back(y);
    return rows;
}

// The whole numbers first to last.
inline std::vector<int> span(int first, int last)
{
    std::vector<int> values;
    for (int v = first; v <= last; ++v)
        values.push_back(v);
    return values;
}

// The pixels that differ from white, in the area or else in the whole image.
inline int inkedPixels(const QImage& image, QRect area = {})
{
    if (area.isNull())
        area = image.rect();
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.valid(x, y) && image.pixel(x, y) != White ? 1 : 0;
    return count;
}

} // namespace brimvale::test
