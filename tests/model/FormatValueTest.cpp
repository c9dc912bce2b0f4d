// The short value form of the section view: rounding by magnitude, halves upward, shortest text.
#include <gtest/gtest.h>

#include <limits>

#include "model/FormatValue.h"

namespace brimvale {
namespace {

TEST(FormatValueTest, RoundsByMagnitudeAndWritesTheShortestText)
{
    // Worked out from the float actually stored: 1.006f is 1.00600004..., 12.34f is 12.3400002...,
    // 123.46f is 123.459999..., 0.005f is 0.00499999989...; 0.125f, 2.5f, 12.25f and 1234.5f are exact.
    // Below 10 two decimals, below 1000 one, then whole numbers; the band is chosen before rounding
    // (9.996 gives 10). Halves go towards plus infinity, also for negatives, and zero carries no sign.
    // Beyond 1E15 and for non-finite values, the default form of a double: 1E20f is 100000002004087734272.
    using L = std::numeric_limits<float>;
    // clang-format off
    const std::pair<float, const char*> cases[] = {
        {1.002f, "1"}, {1.006f, "1.01"}, {0.125f, "0.13"}, {0.1f, "0.1"}, {2.5f, "2.5"}, {9.994f, "9.99"},
        {9.996f, "10"}, {0.005f, "0"}, {10.0f, "10"}, {12.34f, "12.3"}, {123.46f, "123.5"}, {100.04f, "100"},
        {999.95f, "1000"}, {1234.5f, "1235"}, {1234.4f, "1234"}, {-1.006f, "-1.01"}, {-1.002f, "-1"},
        {-0.125f, "-0.12"}, {-12.34f, "-12.3"}, {-12.25f, "-12.2"}, {-123.46f, "-123.5"}, {-1234.5f, "-1234"},
        {-1235.5f, "-1235"}, {-999.99f, "-1000"}, {-0.0f, "0"}, {-0.004f, "0"}, {-0.005f, "0"},
        {123456792.0f, "123456792"}, {-1e20f, "-1.00000002004088E+20"}, {-L::infinity(), "-Infinity"},
        {L::quiet_NaN(), "NaN"},
    };
    // clang-format on
    for (const auto& [value, text] : cases)
        EXPECT_EQ(FormatValue(value), text) << "value " << value;
}

} // namespace
} // namespace brimvale
