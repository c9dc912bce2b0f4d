// The row profile panel of the section view: one bar per climate class, as tall as its probability.
#include "render/RowProfile.h"

namespace brimvale {

namespace {

constexpr QRgb White = 0xffffffff;

} // namespace

QRgb profileBarColour(bool greyScale)
{
    return greyScale ? qRgb(0, 0, 0) : qRgb(0, 0, 255);
}

float profileBarHeight(float probability, float zEnhancement)
{
    // A probability of 0.05 fills the panel at the default enhancement of 1.
    return zEnhancement * probability * 200.0f / 10.0f;
}

void drawProfileBars(const ProfileBars& probabilities, float zEnhancement, bool greyScale,
                     DrawingSurface& panel)
{
    const double w = panel.scaleWidth();
    const double h = panel.scaleHeight();
    panel.filledBox(0.0, 0.0, w, h, White);
    const QRgb colour = profileBarColour(greyScale);
    for (int j = 0; j < SectionMatrix::Columns; ++j) {
        const double x = j * w / 200.0;
        const double q = profileBarHeight(probabilities[static_cast<std::size_t>(j)], zEnhancement);
        panel.line(x, h, x, (1.0 - q) * h, colour);
    }
}

void drawRowProfile(const std::optional<ProfileBars>& probabilities, float zEnhancement, bool greyScale,
                    DrawingSurface& panel)
{
    panel.refresh();
    panel.setDrawWidth(1);
    if (probabilities)
        drawProfileBars(*probabilities, zEnhancement, greyScale, panel);
    else
        panel.filledBox(0.0, 0.0, panel.scaleWidth(), panel.scaleHeight(), White);
}

} // namespace brimvale
