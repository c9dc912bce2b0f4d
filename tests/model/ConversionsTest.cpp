// Checked conversions: rounding halves to even, Int and Fix, Single storage and division.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/Conversions.h"
#include "support/FailureKind.h"

using namespace brimvale;
using brimvale::test::failureKind;
using Kind = RuntimeFailure::Kind;

namespace {

constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

} // namespace

TEST(ConversionsTest, IntegerRoundsHalvesToEvenAndFailsOutsideItsRange)
{
    const double cases[][2] = {
        {0.5, 0},         {1.5, 2},         {2.5, 2},           {3.5, 4},           {-0.5, 0},
        {-1.5, -2},       {-2.5, -2},       {-3.5, -4},         {2.6, 3},           {-2.6, -3},
        {32767.4, 32767}, {32766.5, 32766}, {-32768.5, -32768}, {-32767.5, -32768},
    };
    for (const auto& c : cases)
        EXPECT_EQ(toInteger(c[0]), c[1]) << c[0];
    EXPECT_EQ(toInteger(0.49999999999999994), 0);
    EXPECT_EQ(toInteger(2.5000000000000004), 3);
    for (const double value : {32767.5, 32768.0, -32768.6, 1e300, notANumber, inf, -inf})
        EXPECT_EQ(failureKind([&] { toInteger(value); }), Kind::Overflow) << value;
}

TEST(ConversionsTest, LongRoundsHalvesToEvenAndFailsOutsideItsRange)
{
    const double cases[][2] = {
        {-2.5, -2},
        {1e6 + 0.5, 1e6},
        {2147483646.5, 2147483646},
        {2147483647.4, 2147483647},
        {-2147483648.5, -2147483648.0},
        {-2147483647.5, -2147483648.0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(toLong(c[0]), c[1]) << c[0];
    for (const double value : {2147483647.5, -2147483648.6, 4503599627370497.0, notANumber, -inf})
        EXPECT_EQ(failureKind([&] { toLong(value); }), Kind::Overflow) << value;
}

TEST(ConversionsTest, IntGoesDownAndFixTowardsZero)
{
    const double cases[][3] = {
        {1.5, 1, 1}, {-1.5, -2, -1}, {-2.0, -2, -2}, {-0.01, -1, 0}, {97.0 / 5.0, 19, 19},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(intOf(c[0]), c[1]) << c[0];
        EXPECT_EQ(fixOf(c[0]), c[2]) << c[0];
    }
}

TEST(ConversionsTest, SingleFailsOnlyWhenTheResultIsNotFinite)
{
    constexpr float largest = std::numeric_limits<float>::max();
    EXPECT_EQ(toSingle(-2.0473), -2.0473f);
    EXPECT_EQ(toSingle(1e-50), 0.0f);
    EXPECT_EQ(toSingle(-static_cast<double>(largest)), -largest);
    // Just below the midpoint between the largest float and 2^128 the value still rounds down.
    EXPECT_EQ(toSingle(std::nextafter(0x1.ffffffp127, 0.0)), largest);
    for (const double value : {0x1.ffffffp127, -0x1.ffffffp127, 3.5e38, 1e300, notANumber, inf})
        EXPECT_EQ(failureKind([&] { toSingle(value); }), Kind::Overflow) << value;
}

TEST(ConversionsTest, CheckedDivideFailsOnZeroDivisorAndNonFiniteQuotient)
{
    EXPECT_EQ(checkedDivide(1.0, 3.0), 1.0 / 3.0);
    EXPECT_EQ(checkedDivide(0.0, -5.0), 0.0);
    for (const double numerator : {1.0, 0.0, -1.0})
        EXPECT_EQ(failureKind([&] { checkedDivide(numerator, -0.0); }), Kind::DivisionByZero) << numerator;
    EXPECT_EQ(failureKind([] { checkedDivide(1e308, 1e-308); }), Kind::Overflow);
    EXPECT_EQ(failureKind([] { checkedDivide(notANumber, 1.0); }), Kind::Overflow);
}
