// Units of the window layout: twips, points and device-independent pixels.
#pragma once

#include <cmath>

namespace brimvale {

// A twip is 1/1440 inch; the layout assumes 96 device-independent pixels per inch.
inline constexpr double TwipsPerPixel = 15.0;
// A point is 1/72 inch.
inline constexpr double TwipsPerPoint = 20.0;

// The nearest whole number of device-independent pixels for a length in twips, halves to even.
inline int twipsToPixels(double twips)
{
    return static_cast<int>(std::nearbyint(twips / TwipsPerPixel));
}

// The length in twips of a number of device-independent pixels.
inline constexpr double pixelsToTwips(double pixels)
{
    return pixels * TwipsPerPixel;
}

// The size in device-independent pixels of a font size in points.
inline constexpr double pointsToPixels(double points)
{
    return points * TwipsPerPoint / TwipsPerPixel;
}

} // namespace brimvale
