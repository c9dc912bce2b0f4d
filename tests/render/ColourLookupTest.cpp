// The colour lookup: ramp bands, rounding of colours, the white rule and the class colours.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/RuntimeFailure.h"
#include "render/ColourLookup.h"

namespace brimvale {
namespace {

constexpr int Red = 0;
constexpr int Green = 1;
constexpr int Blue = 2;

double lookUp(const ColourRamp& ramp, int k, double v)
{
    return colourComponent(ramp, k, v);
}

TEST(ColourLookupTest, DefaultRampBands)
{
    const ColourRamp ramp;
    struct Case {
        int k;
        double v;
        double expected;
    };
    // Red rises 0.3..0.45, is full to 0.65 and falls to 0.95; blue is full 0.15..0.25 and gone at 0.35.
    const Case cases[] = {
        {Red, 0.29, 0.0}, {Red, 0.5, 255.0}, {Blue, 0.2, 255.0}, {Blue, 0.35, 0.0},   {Red, 0.45, 255.0},
        {Red, 0.95, 0.0}, {Green, 0.0, 0.0}, {Blue, 0.0, 0.0},   {Green, 0.3, 255.0}, {Red, 2.0, 0.0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(lookUp(ramp, c.k, c.v), c.expected) << "channel " << c.k << " at " << c.v;
}

TEST(ColourLookupTest, ResultsOnTheSlopesAreNotRounded)
{
    const ColourRamp ramp;
    // Halfway down red's falling edge; the break points are Singles, so not exactly 127.5.
    const double red = lookUp(ramp, Red, 0.8);
    EXPECT_NEAR(red, 127.5, 1e-3);
    EXPECT_NE(red, 127.5);
    // Two thirds up green's rising edge 0.15..0.3.
    EXPECT_NEAR(lookUp(ramp, Green, 0.25), 170.0, 1e-3);
    EXPECT_NE(lookUp(ramp, Green, 0.25), std::round(lookUp(ramp, Green, 0.25)));
    // The band is chosen on the Single value: the Double 0.3 lies a hair below red's first point 0.3f,
    // yet as a Single it equals it, so it is on the rising edge, just below 0.
    const double foot = lookUp(ramp, Red, 0.3);
    EXPECT_LT(foot, 0.0);
    EXPECT_GT(foot, -1e-3);
}

TEST(ColourLookupTest, NegativeValueIsLookedUpByItsMagnitudeAndReplaced)
{
    const ColourRamp ramp;
    double v = -0.5;
    EXPECT_EQ(colourComponent(ramp, Red, v), 255.0);
    EXPECT_EQ(v, 0.5);
    v = -0.2;
    EXPECT_EQ(colourComponent(ramp, Blue, v), 255.0);
    EXPECT_EQ(v, 0.2);
}

TEST(ColourLookupTest, GreyScaleGivesTheSameValueInEveryChannel)
{
    ColourRamp ramp;
    ramp.points = ColourRamp::greyScale();
    for (int k = Red; k <= Blue; ++k) {
        EXPECT_EQ(lookUp(ramp, k, 0.0), 255.0);
        EXPECT_NEAR(lookUp(ramp, k, 0.3), 127.5, 1e-3);
        EXPECT_EQ(lookUp(ramp, k, 0.6), 0.0);
        EXPECT_EQ(lookUp(ramp, k, 0.9), 0.0);
    }
}

TEST(ColourLookupTest, UnorderedPointsFollowTheFirstMatchingBand)
{
    // Red's plateau end dragged below its start: rise 0.1..0.5, plateau 0.5..0.3 (never), fall 0.3..0.6.
    ColourRamp ramp;
    ramp[0] = 0.1f;
    ramp[3] = 0.5f;
    ramp[6] = 0.3f;
    ramp[9] = 0.6f;
    EXPECT_NEAR(lookUp(ramp, Red, 0.2), 63.75, 1e-4);
    EXPECT_NEAR(lookUp(ramp, Red, 0.4), 191.25, 1e-4); // the rise wins over the fall (which gives 170)
    EXPECT_NEAR(lookUp(ramp, Red, 0.55), 42.5, 1e-4);  // no plateau: straight to the fall
    EXPECT_EQ(lookUp(ramp, Red, 0.7), 0.0);
}

TEST(ColourLookupTest, EveryInputHasAnAnswer)
{
    const ColourRamp ramp;
    EXPECT_EQ(lookUp(ramp, Red, std::numeric_limits<double>::quiet_NaN()), 0.0);
    EXPECT_EQ(lookUp(ramp, Red, std::numeric_limits<double>::infinity()), 0.0);
    EXPECT_EQ(lookUp(ramp, Red, -1e300), 0.0);
    // A ramp that stays full up to the largest Single still ends before values beyond it.
    ColourRamp wide;
    wide[1] = 0.0f;
    wide[4] = 0.0f;
    wide[7] = std::numeric_limits<float>::max();
    wide[10] = std::numeric_limits<float>::max();
    EXPECT_EQ(lookUp(wide, Green, 1e30), 255.0);
    EXPECT_EQ(lookUp(wide, Green, 1e300), 0.0);
    try {
        lookUp(ramp, 3, 0.5);
        FAIL() << "channel 3 accepted";
    } catch (const RuntimeFailure& failure) {
        EXPECT_EQ(failure.kind(), RuntimeFailure::Kind::SubscriptOutOfRange);
    }
}

TEST(ColourLookupTest, ColoursRoundHalvesToEven)
{
    EXPECT_EQ(rgbOf({0.5f, 1.5f, 254.5f}), qRgb(0, 2, 254));
    EXPECT_EQ(rgbOf({2.5f, 127.49f, 127.51f}), qRgb(2, 127, 128));
    // Overshoots by a rounding error stay within 0..255.
    EXPECT_EQ(rgbOf({255.0001f, -0.0001f, 255.0f}), qRgb(255, 0, 255));
}

TEST(ColourLookupTest, ProbabilityColourIsWhiteBelowClassOne)
{
    const ColourRamp ramp;
    const std::array<float, 3> white{255.0f, 255.0f, 255.0f};
    // Only the tested cell decides; the value looked up does not.
    EXPECT_EQ(probabilityComponents(ramp, 1.0f, 10.0f, 0.5), white);
    EXPECT_EQ(probabilityComponents(ramp, 1.0f, 10.0f, 0.9999999), white);
    EXPECT_EQ(probabilityComponents(ramp, 1.0f, 10.0f, std::nan("")), white);
    // 0.5 on the default ramp is red 255, green falling (0.65 - 0.5) / 0.2 * 255 = 191.25, blue 0.
    EXPECT_EQ(rgbOf(probabilityComponents(ramp, 1.0f, 0.5f, 1.0)), qRgb(255, 191, 0));
    EXPECT_EQ(rgbOf(probabilityComponents(ramp, 1.0f, -0.5f, -1.0)), qRgb(255, 191, 0));
    // The enhancement scales the value: 2 * 0.25 = 0.5.
    EXPECT_EQ(rgbOf(probabilityComponents(ramp, 2.0f, 0.25f, 3.7)), qRgb(255, 191, 0));
    // Without enhancement every coloured cell takes the colour of 0: black on the default ramp.
    EXPECT_EQ(rgbOf(probabilityComponents(ramp, 0.0f, 7.0f, 1.5)), qRgb(0, 0, 0));
}

TEST(ColourLookupTest, ClassColours)
{
    struct Case {
        float v;
        QRgb colour;
        QRgb grey;
    };
    const QRgb white = qRgb(255, 255, 255);
    const Case cases[] = {
        {3.5f, qRgb(200, 255, 200), qRgb(200, 200, 200)},
        {2.0f, qRgb(200, 255, 200), qRgb(200, 200, 200)},
        {-2.3f, qRgb(200, 255, 200), qRgb(200, 200, 200)},
        {1.999f, qRgb(50, 127, 50), qRgb(100, 100, 100)},
        {1.0f, qRgb(50, 127, 50), qRgb(100, 100, 100)},
        {-1.2f, qRgb(50, 127, 50), qRgb(100, 100, 100)},
        {0.99f, white, white},
        {0.0f, white, white},
        {-0.5f, white, white},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(classColour(c.v, false), c.colour) << c.v;
        EXPECT_EQ(classColour(c.v, true), c.grey) << c.v;
    }
}

} // namespace
} // namespace brimvale
