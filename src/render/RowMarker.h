// The marker of the chosen section row across the data figure and the section figure.
#pragma once

#include <QRgb>
#include <optional>

#include "render/DrawingSurface.h"

namespace brimvale {

// Red, or black in grey scale.
QRgb rowMarkerColour(bool greyScale);

// value / (maximum - minimum), the height of the marker as a fraction of a figure (the slider's minimum
// is 0 in the section view); nothing at either end, where no marker is drawn, or for an empty range.
std::optional<double> rowMarkerFraction(int value, int minimum, int maximum);

// row / verticalSteps, the height of a row as a fraction of the section; 0 for a section of one row,
// whose only row stands at the top.
double rowFraction(int row, int verticalSteps);

// The vertical value of a section row, from the top of the range at row 0 to the bottom at the last
// row, as a 32-bit float: what the section view shows beside the data figure.
float rowVerticalValue(double top, double bottom, int row, int verticalSteps);

// Draws the marker of slider value `value` across both figures in their own scales (data figure at
// DrawWidth 1) and returns true, or draws nothing and returns false at either end of the slider; the
// caller records the marked row only when it was drawn.
bool drawRowMarker(DrawingSurface& dataFigure, DrawingSurface& sectionFigure, int value, int minimum,
                   int maximum, bool greyScale);

} // namespace brimvale
