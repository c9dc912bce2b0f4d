// The colour ramp shared by every coloured figure: four break points per colour channel.
#pragma once

#include <array>

namespace brimvale {

// Element 3 * p + k is break point p (0..3) of channel k (0 red, 1 green, 2 blue), as a fraction of the
// value scale; each channel rises from point 0 to point 1, stays full to point 2 and falls to point 3.
struct ColourRamp {
    std::array<float, 12> points = defaults();

    static constexpr std::array<float, 12> defaults()
    {
        return {0.3f, 0.15f, 0.0f, 0.45f, 0.3f, 0.15f, 0.65f, 0.45f, 0.25f, 0.95f, 0.65f, 0.35f};
    }
    // White at 0 fading to black at 0.6 in every channel.
    static constexpr std::array<float, 12> greyScale()
    {
        return {0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.6f, 0.6f, 0.6f};
    }

    float& operator[](int element) { return points[element]; }
    float operator[](int element) const { return points[element]; }
};

} // namespace brimvale
