// Checked conversions: rounding halves to even, Int and Fix, Single storage and division.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

#include "model/Conversions.h"
#include "support/FailureKind.h"

namespace brimvale {
namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();
constexpr std::optional<double> overflow; // the conversion fails with Overflow

// The result of the conversion, or nothing when it fails with Overflow.
template <typename Convert> std::optional<double> converted(Convert convert, double value)
{
    std::optional<double> result;
    const auto kind = test::failureKind([&] { result = convert(value); });
    EXPECT_TRUE(!kind || *kind == RuntimeFailure::Kind::Overflow) << value;
    return result;
}

TEST(ConversionsTest, IntegerAndLongRoundHalvesToEvenWithinTheirRanges)
{
    struct Case {
        double value;
        std::optional<double> integer;
        std::optional<double> longValue;
    };
    // 0.49999999999999994 is the double just below a half, 2.5000000000000004 the one just above 2.5.
    // clang-format off
    const Case cases[] = {
        {0.5, 0, 0}, {1.5, 2, 2}, {2.5, 2, 2}, {-0.5, 0, 0}, {-1.5, -2, -2}, {-2.5, -2, -2}, {2.6, 3, 3},
        {-2.6, -3, -3}, {0.49999999999999994, 0, 0}, {2.5000000000000004, 3, 3}, {32766.5, 32766, 32766},
        {32767.4, 32767, 32767}, {32767.5, overflow, 32768}, {-32768.5, -32768, -32768},
        {-32768.6, overflow, -32769}, {2147483646.5, overflow, 2147483646},
        {2147483647.4, overflow, 2147483647}, {2147483647.5, overflow, overflow},
        {-2147483648.5, overflow, -2147483648.0}, {-2147483648.6, overflow, overflow},
        {4503599627370497.0, overflow, overflow}, {nan, overflow, overflow}, {-inf, overflow, overflow},
    };
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(converted(toInteger, c.value), c.integer) << c.value;
        EXPECT_EQ(converted(toLong, c.value), c.longValue) << c.value;
    }
}

TEST(ConversionsTest, IntGoesDownAndFixTowardsZero)
{
    const double cases[][3] = {{1.5, 1, 1}, {-1.5, -2, -1}, {-2.0, -2, -2}, {-0.01, -1, 0}, {19.4, 19, 19}};
    for (const auto& c : cases) {
        EXPECT_EQ(intOf(c[0]), c[1]) << c[0];
        EXPECT_EQ(fixOf(c[0]), c[2]) << c[0];
    }
}

TEST(ConversionsTest, SingleFailsOnlyWhenTheResultIsNotFinite)
{
    constexpr double largest = std::numeric_limits<float>::max();
    // 0x1.ffffffp127 is the midpoint between the largest float and 2^128: from there on, infinity.
    const double belowMidpoint = std::nextafter(0x1.ffffffp127, 0.0);
    // clang-format off
    const std::pair<double, std::optional<double>> cases[] = {
        {-2.0473, -2.0473f}, {1e-50, 0.0}, {-largest, -largest}, {belowMidpoint, largest},
        {0x1.ffffffp127, overflow}, {-0x1.ffffffp127, overflow}, {3.5e38, overflow}, {nan, overflow},
        {inf, overflow},
    };
    // clang-format on
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(converted(toSingle, value), expected) << value;
}

TEST(ConversionsTest, CheckedDivideFailsOnZeroDivisorAndNonFiniteQuotient)
{
    using Kind = RuntimeFailure::Kind;
    EXPECT_EQ(checkedDivide(1.0, 3.0), 1.0 / 3.0);
    EXPECT_EQ(checkedDivide(0.0, -5.0), 0.0);
    // clang-format off
    const std::tuple<double, double, Kind> cases[] = {
        {1.0, -0.0, Kind::DivisionByZero}, {0.0, 0.0, Kind::DivisionByZero}, {1e308, 1e-308, Kind::Overflow},
        {nan, 1.0, Kind::Overflow},
    };
    // clang-format on
    for (const auto& [numerator, denominator, kind] : cases)
        EXPECT_EQ(test::failureKind([n = numerator, d = denominator] { checkedDivide(n, d); }), kind)
            << numerator;
}

} // namespace
} // namespace brimvale
