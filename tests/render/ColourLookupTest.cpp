// The colour lookup of both cell views and the drawings of the colour ramp, read back from their pixels.
#include <gtest/gtest.h>

#include <limits>

#include "render/ColourLookup.h"
#include "render/ColourRampDrawing.h"
#include "render/SurfaceProbe.h"
#include "support/FailureKind.h"
#include "support/Tolerance.h"

namespace brimvale {
namespace {

using namespace test;

TEST(ColourLookupTest, ChannelIntensityOnTheRamp)
{
    // The default ramp: red rises 0.3..0.45, is full to 0.65 and falls to 0.95; green rises 0.15..0.3 and
    // falls 0.45..0.65; blue rises 0..0.15, is full to 0.25 and falls to 0.35. The grey ramp falls from 255
    // at 0 to 0 at 0.6. Of unordered break points the first matching band wins. A ramp full up to the
    // largest Single still ends before what lies beyond it.
    const ColourRamp ramp, grey{ColourRamp::greyScale()};
    const ColourRamp unordered{{0.1f, 0, 0, 0.5f, 0, 0, 0.3f, 0, 0, 0.6f, 0, 0}};
    const float largest = std::numeric_limits<float>::max();
    const ColourRamp wide{{0, 0, 0, 0, 0, 0, 0, largest, 0, 0, largest, 0}};
    const std::tuple<const ColourRamp&, int, double, double> cases[] = {
        {ramp, 0, 0.29, 0},   {ramp, 0, 0.45, 255},  {ramp, 0, 0.95, 0},          {ramp, 2, 0.0, 0},
        {ramp, 2, 0.2, 255},  {ramp, 2, 0.35, 0},    {ramp, 0, -0.5, 255},        {ramp, 0, 0.8, 127.5},
        {ramp, 1, 0.25, 170}, {grey, 1, 0.3, 127.5}, {unordered, 0, 0.4, 191.25}, {unordered, 0, 0.55, 42.5},
        {ramp, 0, NAN, 0},    {ramp, 0, -1e300, 0},  {wide, 1, 1e30, 255},        {wide, 1, 1e300, 0}};
    for (const auto& [r, k, value, expected] : cases) {
        double v = value;
        const double component = colourComponent(r, k, v);
        EXPECT_TRUE(nearlyEqual(component, expected)) << k << " at " << value << ": " << component;
        EXPECT_TRUE(v == std::fabs(value) || std::isnan(value)) << value; // the caller's value becomes |v|
    }
    // The band is chosen on the Single: the Double 0.3 lies a hair below red's first point 0.3f, yet as a
    // Single it equals it, so it is on the rising edge, just below 0.
    double foot = 0.3;
    EXPECT_LT(colourComponent(ramp, 0, foot), 0.0);
    EXPECT_EQ(failureKind([&] { colourComponent(ramp, 3, foot); }),
              RuntimeFailure::Kind::SubscriptOutOfRange);
}

TEST(ColourLookupTest, ViewColours)
{
    // Intensities round halves to even, within the byte.
    EXPECT_EQ(rgbOf({0.5f, 1.5f, 2.5f}), qRgb(0, 2, 2));
    EXPECT_EQ(rgbOf({255.0001f, -0.0001f, 127.51f}), qRgb(255, 0, 128));
    // A probability is white outside every region (a tested cell below 1 in magnitude), else the ramp at
    // zEnhancement * |v|: at 0.4 red is two thirds up its rise, green full, blue off.
    const QRgb at04 = qRgb(170, 255, 0);
    EXPECT_EQ(rgbOf(probabilityComponents(ColourRamp(), 1, 0.4f, 1.0)), at04);
    EXPECT_EQ(rgbOf(probabilityComponents(ColourRamp(), 0.5f, -0.8f, -3.5)), at04);
    EXPECT_EQ(rgbOf(probabilityComponents(ColourRamp(), 1, 0.4f, -0.999)), White);
    // A confidence class by magnitude: from 2, from 1, white below; in colour or grey.
    const std::tuple<float, bool, QRgb> classes[] = {
        {2.0f, false, UpperClass},        {-2.5f, false, UpperClass}, {1.999f, false, LowerClass},
        {-1.0f, false, LowerClass},       {0.99f, false, White},      {2.0f, true, qRgb(200, 200, 200)},
        {1.5f, true, qRgb(100, 100, 100)}};
    for (const auto& [v, grey, expected] : classes)
        EXPECT_EQ(classColour(v, grey), expected) << v << (grey ? " in grey" : "");
}

TEST(ColourRampDrawingTest, ColourScaleRunsFromTheBottomToTheTop)
{
    // Red rises over 0..1 and stays full beyond, green falls over 0..1, blue is off. One unit per pixel
    // row: the line of k lands in row 510 - k (k = 0 just below the box). t = 1 at the top; t = 1/510 gives
    // red 0.5 and green 254.5, t = 253/510 red 126.5 and green 128.5, all rounded to even.
    ProgramSettings settings;
    settings.colourRamp.points = {0.0f, -1.0f, 2.0f, 1.0f, -1.0f, 2.0f, 2.0f, 0.0f, 2.0f, 3.0f, 1.0f, 2.0f};
    DrawingSurface surface(QSize(30, 510));
    surface.setScale(0, 0, 30, 510);
    drawColourScale(surface, settings);
    EXPECT_EQ(surface.image().pixel(29, 0), qRgb(255, 0, 0));
    EXPECT_EQ(surface.image().pixel(0, 509), qRgb(0, 254, 0));
    EXPECT_EQ(surface.image().pixel(15, 257), qRgb(126, 128, 0));
    EXPECT_EQ(settings.colourComponents, (std::array<float, 3>{255.0f, 0.0f, 0.0f}));
}

TEST(ColourRampDrawingTest, PreviewStripIsWhiteBelowTheThreshold)
{
    // Column c shows the default ramp at c / 100: at 0.25 green two thirds up its rise, blue at the start
    // of its fall; at 0.5 red full and green a quarter down its fall.
    DrawingSurface surface(QSize(100, 10));
    drawPreviewStrip(surface, ColourRamp(), 0.25f);
    EXPECT_EQ(pixelsOf(surface.image(), White), block(0, 0, 24, 9));
    EXPECT_EQ(surface.image().pixel(25, 9), qRgb(0, 170, 255));
    EXPECT_EQ(surface.image().pixel(50, 5), qRgb(255, 191, 0));
}

TEST(ColourRampDrawingTest, EditorDrawsTheTrapezoidAndMarkers)
{
    // 4005 x 1005 twips: the feet lie in pixel row 53 (804 twips), the plateau in row 13 (201 twips); red's
    // points fall in pixel columns 80, 120, 173 and 253; the marker of point 0 spans 60 twips around it.
    DrawingSurface surface = whiteSurface(267, 67);
    const ColourRamp ramp;
    drawRampEditor(surface, ramp, 0, false);
    const Pixels red = pixelsOf(surface.image(), Red);
    EXPECT_TRUE(red.count({10, 53}) && red.count({150, 13}) && red.count({260, 53}) && red.count({78, 51}));
    EXPECT_FALSE(red.count({150, 53}) || red.count({40, 13}) || red.count({78, 45}));
    // Green's and blue's right feet from 0.65 and 0.35 (pixels 173 and 93), each over the last editor.
    for (const auto& [k, grey, pen] :
         {std::tuple{1, false, qRgb(0, 255, 0)}, {2, false, Blue}, {2, true, Black}}) {
        drawRampEditor(surface, ramp, k, grey);
        EXPECT_TRUE(surface.image().pixel(200, 53) == pen && surface.image().pixel(150, 13) == White) << k;
    }
}

} // namespace
} // namespace brimvale
