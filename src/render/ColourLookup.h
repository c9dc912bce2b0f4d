// The colour lookup: channel intensities on the colour ramp and the colours of the two cell views.
#pragma once

#include <QRgb>

#include <array>

#include "model/ColourRamp.h"

namespace brimvale {

// The intensity 0..255 of channel k (0 red, 1 green, 2 blue) at |v| on the ramp, not rounded; the
// caller's v becomes |v|. The bands are tested in the order rise, full, fall against |v| as a Single,
// so with unordered break points the first matching band wins; a value outside every band, NaN or
// beyond the Single range gives 0. A channel outside 0..2 fails with SubscriptOutOfRange.
double colourComponent(const ColourRamp& ramp, int k, double& v);

// The three intensities at value v, each stored as a Single (the program's ColourComponents).
std::array<float, 3> colourComponentsAt(const ColourRamp& ramp, double v);

// The colour of three intensities, each rounded to the nearest integer (halves to even) within 0..255.
QRgb rgbOf(const std::array<float, 3>& components);

// The components of the probability colour: white (255 each) unless |testedCell| is 1.0 or more,
// else the ramp at zEnhancement * |v| (a Single product).
std::array<float, 3> probabilityComponents(const ColourRamp& ramp, float zEnhancement, float v,
                                           double testedCell);

// The confidence class colour of v, compared by magnitude against 2.0 and 1.0.
QRgb classColour(float v, bool greyScale);

} // namespace brimvale
