// Drawings of the colour ramp: the break-point editors and preview strip of the colour settings, and the
// vertical colour scale of the section view.
#include "render/ColourRampDrawing.h"

#include <array>
#include <cmath>

#include "render/ColourLookup.h"

namespace brimvale {

namespace {

constexpr QRgb White = 0xffffffff;
constexpr QRgb Black = 0xff000000;
constexpr std::array<QRgb, 3> ChannelPens{0xffff0000, 0xff00ff00, 0xff0000ff};

// The scale's four-band rule of one channel at t, which compares t itself with the break points.
double scaleComponent(const ColourRamp& ramp, int k, double t)
{
    const double b0 = ramp[k];
    const double b1 = ramp[k + 3];
    const double b2 = ramp[k + 6];
    const double b3 = ramp[k + 9];
    if (b0 <= t && t < b1)
        return 255.0 * (t - b0) / (b1 - b0);
    if (b1 <= t && t < b2)
        return 255.0;
    if (b2 <= t && t < b3)
        return 255.0 * (b3 - t) / (b3 - b2);
    return 0.0;
}

void fillWhite(DrawingSurface& surface)
{
    surface.fillCell(surface.scaleLeft(), surface.scaleTop(), surface.scaleLeft() + surface.scaleWidth(),
                     surface.scaleTop() + surface.scaleHeight(), White);
}

} // namespace

std::array<float, 3> colourScaleComponents(const ColourRamp& ramp, double t)
{
    return {static_cast<float>(scaleComponent(ramp, 0, t)), static_cast<float>(scaleComponent(ramp, 1, t)),
            static_cast<float>(scaleComponent(ramp, 2, t))};
}

void drawRampEditor(DrawingSurface& surface, const ColourRamp& ramp, int k, bool greyScale)
{
    surface.cls();
    const QRgb pen = (k == 2 && greyScale) ? Black : ChannelPens[static_cast<std::size_t>(k)];
    const double w = surface.scaleWidth();
    const double h = surface.scaleHeight();
    const double low = EditorLowLevel * h;
    const double high = EditorHighLevel * h;
    const double a = ramp[k] * w;
    const double b = ramp[k + 3] * w;
    const double c = ramp[k + 6] * w;
    const double d = ramp[k + 9] * w;
    surface.line(0, low, a, low, pen);
    surface.line(a, low, b, high, pen);
    surface.line(b, high, c, high, pen);
    surface.line(c, high, d, low, pen);
    surface.line(d, low, w, low, pen);
    const std::array<QPointF, 4> points{QPointF(a, low), QPointF(b, high), QPointF(c, high), QPointF(d, low)};
    constexpr double half = BreakPointMarkerHalfSize;
    for (const QPointF& p : points)
        surface.box(p.x() - half, p.y() - half, p.x() + half, p.y() + half, pen);
}

void drawPreviewStrip(DrawingSurface& surface, const ColourRamp& ramp, float whiteThreshold)
{
    const double left = surface.scaleLeft();
    const double top = surface.scaleTop();
    const double w = surface.scaleWidth();
    const double h = surface.scaleHeight();
    fillWhite(surface);
    const int columns = surface.image().width();
    for (int column = 0; column < columns; ++column) {
        const double v = static_cast<double>(column) / columns;
        if (v < whiteThreshold)
            continue;
        const double next = static_cast<double>(column + 1) / columns;
        surface.fillCell(left + v * w, top, left + next * w, top + h, rgbOf(colourComponentsAt(ramp, v)));
    }
}

void drawColourScale(DrawingSurface& surface, ProgramSettings& settings)
{
    const double w = surface.scaleWidth();
    const double h = surface.scaleHeight();
    fillWhite(surface);
    // A box without height has no scale to draw, and t = k / H would divide by zero.
    if (!(h > 0.0))
        return;
    for (int k = 0; k <= h; ++k) {
        settings.colourComponents = colourScaleComponents(settings.colourRamp, k / h);
        surface.line(0, h - k, w, h - k, rgbOf(settings.colourComponents));
    }
}

} // namespace brimvale
