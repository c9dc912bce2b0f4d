// The colour lookup: ramp bands, values on the slopes, grey scale, odd inputs and the rounding of colours.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "render/ColourLookup.h"
#include "support/FailureKind.h"

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

    // On the slopes the results are not rounded, and the break points are Singles, so halfway down
    // red's falling edge is near but not exactly 127.5.
    const double red = lookUp(ramp, Red, 0.8);
    EXPECT_NEAR(red, 127.5, 1e-3);
    EXPECT_NE(red, 127.5);
    const double green = lookUp(ramp, Green, 0.25); // two thirds up 0.15..0.3
    EXPECT_NEAR(green, 170.0, 1e-3);
    EXPECT_NE(green, std::round(green));
    // The band is chosen on the Single value: the Double 0.3 lies a hair below red's first point 0.3f,
    // yet as a Single it equals it, so it is on the rising edge, just below 0.
    const double foot = lookUp(ramp, Red, 0.3);
    EXPECT_LT(foot, 0.0);
    EXPECT_GT(foot, -1e-3);

    // A negative value is looked up by its magnitude, which replaces it.
    double v = -0.5;
    EXPECT_EQ(colourComponent(ramp, Red, v), 255.0);
    EXPECT_EQ(v, 0.5);
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

TEST(ColourLookupTest, EveryInputHasAnAnswerButAFourthChannelFails)
{
    const ColourRamp ramp;
    for (const double odd :
         {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(), -1e300})
        EXPECT_EQ(lookUp(ramp, Red, odd), 0.0) << odd;
    // A ramp that stays full up to the largest Single still ends before values beyond it.
    ColourRamp wide;
    wide[1] = 0.0f;
    wide[4] = 0.0f;
    wide[7] = std::numeric_limits<float>::max();
    wide[10] = std::numeric_limits<float>::max();
    EXPECT_EQ(lookUp(wide, Green, 1e30), 255.0);
    EXPECT_EQ(lookUp(wide, Green, 1e300), 0.0);
    EXPECT_EQ(test::failureKind([&] { lookUp(ramp, 3, 0.5); }), RuntimeFailure::Kind::SubscriptOutOfRange);
}

TEST(ColourLookupTest, ColoursRoundHalvesToEvenWithinTheByte)
{
    EXPECT_EQ(rgbOf({0.5f, 1.5f, 254.5f}), qRgb(0, 2, 254));
    EXPECT_EQ(rgbOf({2.5f, 127.49f, 127.51f}), qRgb(2, 127, 128));
    EXPECT_EQ(rgbOf({255.0001f, -0.0001f, 255.0f}), qRgb(255, 0, 255));
}

} // namespace
} // namespace brimvale
