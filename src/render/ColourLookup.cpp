// The colour lookup: channel intensities on the colour ramp and the colours of the two cell views.
#include "render/ColourLookup.h"

#include <cmath>

#include "model/RuntimeFailure.h"

namespace brimvale {

namespace {

constexpr QRgb White = 0xffffffff;
constexpr QRgb UpperClass = 0xffc8ffc8;     // RGB(200, 255, 200)
constexpr QRgb LowerClass = 0xff327f32;     // RGB(50, 127, 50)
constexpr QRgb UpperClassGrey = 0xffc8c8c8; // RGB(200, 200, 200)
constexpr QRgb LowerClassGrey = 0xff646464; // RGB(100, 100, 100)

// The Single a Double converts to; magnitudes beyond the Single range become infinite rather
// than undefined, which places them above every break point.
float asSingle(double v)
{
    constexpr double firstInfinite = 0x1.ffffffp127;
    if (std::fabs(v) >= firstInfinite)
        return v > 0 ? HUGE_VALF : -HUGE_VALF;
    return static_cast<float>(v);
}

int channelLevel(float component)
{
    if (!(component > 0.0f))
        return 0;
    // The intensities may overshoot 255 by a rounding error where |v| is just below a break point.
    if (component >= 255.0f)
        return 255;
    // Nearest integer, halves to even; inline because every cell of a figure rounds three of these.
    const int whole = static_cast<int>(component);
    const float fraction = component - static_cast<float>(whole);
    if (fraction > 0.5f || (fraction == 0.5f && (whole & 1) != 0))
        return whole + 1;
    return whole;
}

// The band rule of one channel with break points a..d, tested on the Single s, computed on the Double v.
double bandValue(const ColourRamp& ramp, int k, double v, float s)
{
    const double a = ramp[k];
    const double b = ramp[k + 3];
    const double c = ramp[k + 6];
    const double d = ramp[k + 9];
    if (a <= s && s < b)
        return (v - a) / (b - a) * 255.0;
    if (b <= s && s < c)
        return 255.0;
    if (c <= s && s < d)
        return (d - v) / (d - c) * 255.0;
    return 0.0;
}

} // namespace

double colourComponent(const ColourRamp& ramp, int k, double& v)
{
    if (k < 0 || k > 2)
        raiseFailure(RuntimeFailure::Kind::SubscriptOutOfRange, "Subscript out of range");
    v = std::fabs(v);
    return bandValue(ramp, k, v, asSingle(v));
}

std::array<float, 3> colourComponentsAt(const ColourRamp& ramp, double v)
{
    v = std::fabs(v);
    const float s = asSingle(v);
    return {static_cast<float>(bandValue(ramp, 0, v, s)), static_cast<float>(bandValue(ramp, 1, v, s)),
            static_cast<float>(bandValue(ramp, 2, v, s))};
}

QRgb rgbOf(const std::array<float, 3>& components)
{
    return qRgb(channelLevel(components[0]), channelLevel(components[1]), channelLevel(components[2]));
}

std::array<float, 3> probabilityComponents(const ColourRamp& ramp, float zEnhancement, float v,
                                           double testedCell)
{
    if (!(std::fabs(testedCell) >= 1.0))
        return {255.0f, 255.0f, 255.0f};
    const float enhanced = zEnhancement * std::fabs(v);
    return colourComponentsAt(ramp, enhanced);
}

QRgb classColour(float v, bool greyScale)
{
    const float magnitude = std::fabs(v);
    if (magnitude >= 2.0f)
        return greyScale ? UpperClassGrey : UpperClass;
    if (magnitude >= 1.0f)
        return greyScale ? LowerClassGrey : LowerClass;
    return White;
}

} // namespace brimvale
