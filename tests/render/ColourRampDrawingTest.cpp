// Drawings of the colour ramp read back from their pixels: colour scale, preview strip and editors.
#include <gtest/gtest.h>

#include "render/ColourRampDrawing.h"
#include "render/SurfaceProbe.h"

namespace brimvale {
namespace {

using test::White;

// Red rises over 0..1 and stays full beyond, green falls over 0..1, blue is off: a scale from green at
// the bottom to red at the top.
ColourRamp greenToRed()
{
    ColourRamp ramp;
    ramp.points = {0.0f, -1.0f, 2.0f, 1.0f, -1.0f, 2.0f, 2.0f, 0.0f, 2.0f, 3.0f, 1.0f, 2.0f};
    return ramp;
}

TEST(ColourRampDrawingTest, ColourScaleRunsFromTheBottomToTheTop)
{
    ProgramSettings settings;
    settings.colourRamp = greenToRed();
    // One unit per pixel row: the line of k lands in row 510 - k, so k = 0 falls just below the box.
    DrawingSurface surface(QSize(30, 510));
    surface.setScale(0, 0, 30, 510);
    drawColourScale(surface, settings);
    // t = 1; t = 1/510: red 0.5 and green 254.5, both rounded to even; t = 253/510: red 126.5 and green
    // 128.5 once stored as Singles.
    EXPECT_EQ(test::wrongPixels(
                  surface.image(),
                  {{29, 0, qRgb(255, 0, 0)}, {0, 509, qRgb(0, 254, 0)}, {15, 257, qRgb(126, 128, 0)}}),
              "");
    EXPECT_EQ(settings.colourComponents, (std::array<float, 3>{255.0f, 0.0f, 0.0f}));

    // In the default scale, 100 pixel rows of 15 twips: the bottom row is last drawn by k = 15 (t = 0.01).
    DrawingSurface twips(QSize(20, 100));
    drawColourScale(twips, settings);
    EXPECT_EQ(twips.image().pixel(10, 99), qRgb(3, 252, 0)); // 2.55 and 252.45
    // The default ramp: black at the top, blue rising at the bottom (0.01 / 0.15 * 255 = 17), and halfway
    // up (t = 0.5, last drawn into row 50) red full, green on its fall, blue off.
    settings.colourRamp = ColourRamp();
    drawColourScale(twips, settings);
    EXPECT_EQ(
        test::wrongPixels(twips.image(),
                          {{10, 0, qRgb(0, 0, 0)}, {10, 99, qRgb(0, 0, 17)}, {10, 50, qRgb(255, 191, 0)}}),
        "");

    // A box without height draws nothing and does not divide by zero.
    DrawingSurface flat(QSize(20, 0));
    settings.colourComponents = {1.0f, 2.0f, 3.0f};
    drawColourScale(flat, settings);
    EXPECT_EQ(settings.colourComponents, (std::array<float, 3>{1.0f, 2.0f, 3.0f}));
}

TEST(ColourRampDrawingTest, PreviewStripIsWhiteBelowTheThreshold)
{
    const ColourRamp ramp;
    DrawingSurface surface(QSize(100, 10));
    drawPreviewStrip(surface, ramp, 0.25f);
    EXPECT_EQ(test::pixelsOf(surface.image(), White), test::block(0, 0, 24, 9));
    // 0.25: green two thirds up 0.15..0.3, blue just at the start of its fall.
    EXPECT_EQ(
        test::wrongPixels(surface.image(),
                          {{25, 9, qRgb(0, 170, 255)}, {50, 5, qRgb(255, 191, 0)}, {99, 5, qRgb(0, 0, 0)}}),
        "");
    // At 0 the colour of 0, then green a third up 0.15..0.3.
    drawPreviewStrip(surface, ramp, 0.0f);
    EXPECT_EQ(test::wrongPixels(surface.image(), {{0, 5, qRgb(0, 0, 0)}, {20, 5, qRgb(0, 85, 255)}}), "");
}

TEST(ColourRampDrawingTest, EditorDrawsTheTrapezoidAndMarkers)
{
    const QRgb red = qRgb(255, 0, 0);
    // 4005 x 1005 twips: the feet lie in pixel row 53 (804 twips), the plateau in row 13 (201 twips);
    // red's points fall in pixel columns 80, 120, 173 and 253. The marker of point 0 spans 60 twips
    // (4 pixels) around (80.1, 53.6); nothing lies under the plateau or above the left foot.
    DrawingSurface surface = test::whiteSurface(267, 67);
    ColourRamp ramp;
    drawRampEditor(surface, ramp, 0, false);
    EXPECT_EQ(test::wrongPixels(surface.image(), {{10, 53, red},
                                                  {150, 13, red},
                                                  {260, 53, red},
                                                  {150, 53, White},
                                                  {40, 13, White},
                                                  {78, 51, red},
                                                  {82, 55, red},
                                                  {78, 45, White}}),
              "");

    // Redrawing clears the old trapezoid.
    ramp[3] = 0.7f;
    ramp[6] = 0.8f;
    drawRampEditor(surface, ramp, 0, false);
    EXPECT_EQ(test::wrongPixels(surface.image(), {{150, 13, White}, {200, 13, red}}), "");

    drawRampEditor(surface, ramp, 1, false);
    EXPECT_EQ(surface.image().pixel(10, 53), qRgb(0, 255, 0));
    // Blue rises from 0 at once; its right foot starts at 0.35.
    drawRampEditor(surface, ramp, 2, false);
    EXPECT_EQ(surface.image().pixel(200, 53), qRgb(0, 0, 255));
    drawRampEditor(surface, ramp, 2, true);
    EXPECT_EQ(surface.image().pixel(200, 53), qRgb(0, 0, 0));
}

} // namespace
} // namespace brimvale
