// The row profile panel of the section view: one bar per climate class, as tall as its probability.
#pragma once

#include <QRgb>
#include <array>
#include <optional>

#include "model/SectionMatrix.h"
#include "render/DrawingSurface.h"

namespace brimvale {

// The probability of each of the 201 climate classes, left to right.
using ProfileBars = std::array<float, SectionMatrix::Columns>;

// Blue, or black in grey scale.
QRgb profileBarColour(bool greyScale);

// The height of a bar as a fraction of the panel: zEnhancement * probability * 200 / 10 in 32-bit floats.
float profileBarHeight(float probability, float zEnhancement);

// Fills the panel's whole scale white, then draws for each class j a vertical line at x = j * W / 200
// from the bottom up to (1 - height) * H, in the panel's current scale and DrawWidth; a bar taller than
// the panel is cut by its edge.
void drawProfileBars(const ProfileBars& probabilities, float zEnhancement, bool greyScale,
                     DrawingSurface& panel);

// The row profile: refreshes the panel, sets DrawWidth 1 and fills it white, then draws the bars when
// there are any (none for a legacy matrix whose row has no input column).
void drawRowProfile(const std::optional<ProfileBars>& probabilities, float zEnhancement, bool greyScale,
                    DrawingSurface& panel);

} // namespace brimvale
