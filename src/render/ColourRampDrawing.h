// Drawings of the colour ramp: the break-point editors and preview strip of the colour settings, and the
// vertical colour scale of the section view.
#pragma once

#include <array>

#include "model/ColourRamp.h"
#include "model/ProgramSettings.h"
#include "render/DrawingSurface.h"

namespace brimvale {

// Half the side of the square marker drawn around each break point, in the editor's scale units.
inline constexpr double BreakPointMarkerHalfSize = 30.0;
// The rising and falling edges of the trapezoid lie between these fractions of the editor's height.
inline constexpr double EditorLowLevel = 0.8;
inline constexpr double EditorHighLevel = 0.2;

// Clears the editor of channel k and draws the channel's trapezoid in its channel colour (black for
// blue in grey scale) with a marker box around each of its four break points.
void drawRampEditor(DrawingSurface& surface, const ColourRamp& ramp, int k, bool greyScale);

// Fills the strip, one device-pixel column at a time, with the ramp colour of the column's position
// x / W (0 at the left edge, 1 at the right), white where that is below whiteThreshold.
void drawPreviewStrip(DrawingSurface& surface, const ColourRamp& ramp, float whiteThreshold);

// The intensities of the colour scale at t (0 at its bottom, 1 at its top): each channel's four-band rule
// compared with t itself.
std::array<float, 3> colourScaleComponents(const ColourRamp& ramp, double t);

// Fills the surface white, then draws a horizontal line for each whole unit k = 0..H at y = H - k
// in the ramp colour of t = k / H, so t = 0 is at the bottom and 1 at the top; the last line's
// intensities stay in settings.colourComponents.
void drawColourScale(DrawingSurface& surface, ProgramSettings& settings);

} // namespace brimvale
