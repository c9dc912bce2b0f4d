#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

#include "model/Conversions.h"
#include "model/RuntimeFailure.h"

using namespace brimvale;
using Kind = RuntimeFailure::Kind;

namespace {

constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();
constexpr double infinity = std::numeric_limits<double>::infinity();

template <typename Action> std::optional<Kind> failureOf(Action action)
{
    try {
        action();
    } catch (const RuntimeFailure& failure) {
        return failure.kind();
    }
    return std::nullopt;
}

struct RoundCase {
    double value;
    double expected;
};

} // namespace

TEST(ConversionsTest, IntegerRoundsHalvesToEven)
{
    const RoundCase cases[] = {
        {0.5, 0},
        {1.5, 2},
        {2.5, 2},
        {3.5, 4},
        {-0.5, 0},
        {-1.5, -2},
        {-2.5, -2},
        {-3.5, -4},
        {2.4, 2},
        {2.6, 3},
        {-2.6, -3},
        {0.49999999999999994, 0},
        {2.5000000000000004, 3},
        {32767.4, 32767},
        {32766.5, 32766},
        {-32768.5, -32768},
        {-32767.5, -32768},
    };
    for (const auto& c : cases)
        EXPECT_EQ(toInteger(c.value), c.expected) << c.value;
}

TEST(ConversionsTest, IntegerFailsOutsideItsRange)
{
    for (const double value :
         {32767.5, 32768.0, -32768.6, -32769.0, 1e300, -1e300, notANumber, infinity, -infinity})
        EXPECT_EQ(failureOf([&] { toInteger(value); }), Kind::Overflow) << value;
}

TEST(ConversionsTest, LongRoundsHalvesToEven)
{
    const RoundCase cases[] = {
        {0.5, 0},
        {-2.5, -2},
        {1e6 + 0.5, 1e6},
        {2147483646.5, 2147483646},
        {2147483647.4, 2147483647},
        {-2147483648.5, -2147483648.0},
        {-2147483647.5, -2147483648.0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(toLong(c.value), c.expected) << c.value;
}

TEST(ConversionsTest, LongFailsOutsideItsRange)
{
    for (const double value : {2147483647.5, 2147483648.0, -2147483648.6, -2147483649.0, 4503599627370497.0,
                               notANumber, infinity, -infinity})
        EXPECT_EQ(failureOf([&] { toLong(value); }), Kind::Overflow) << value;
}

TEST(ConversionsTest, IntGoesDownAndFixTowardsZero)
{
    struct Case {
        double value, intValue, fixValue;
    };
    const Case cases[] = {
        {1.5, 1, 1}, {-1.5, -2, -1}, {-2.0, -2, -2}, {0.99, 0, 0}, {-0.01, -1, 0}, {97.0 / 5.0, 19, 19},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(intOf(c.value), c.intValue) << c.value;
        EXPECT_EQ(fixOf(c.value), c.fixValue) << c.value;
    }
}

TEST(ConversionsTest, SingleKeepsFiniteValues)
{
    constexpr float largest = std::numeric_limits<float>::max();
    EXPECT_EQ(toSingle(0.1), 0.1f);
    EXPECT_EQ(toSingle(-2.0473), -2.0473f);
    EXPECT_EQ(toSingle(1e-50), 0.0f);
    EXPECT_EQ(toSingle(largest), largest);
    EXPECT_EQ(toSingle(-static_cast<double>(largest)), -largest);
    // Just below the midpoint between the largest float and 2^128, the value still rounds down.
    EXPECT_EQ(toSingle(std::nextafter(0x1.ffffffp127, 0.0)), largest);
}

TEST(ConversionsTest, SingleFailsWhenTheResultIsNotFinite)
{
    for (const double value :
         {0x1.ffffffp127, -0x1.ffffffp127, 3.5e38, 1e39, -1e39, 1e300, notANumber, infinity})
        EXPECT_EQ(failureOf([&] { toSingle(value); }), Kind::Overflow) << value;
}

TEST(ConversionsTest, CheckedDivideFailsOnZeroDivisorAndNonFiniteQuotient)
{
    EXPECT_EQ(checkedDivide(6.0, 3.0), 2.0);
    EXPECT_EQ(checkedDivide(1.0, 3.0), 1.0 / 3.0);
    EXPECT_EQ(checkedDivide(0.0, -5.0), 0.0);
    EXPECT_EQ(failureOf([] { checkedDivide(1.0, 0.0); }), Kind::DivisionByZero);
    EXPECT_EQ(failureOf([] { checkedDivide(0.0, 0.0); }), Kind::DivisionByZero);
    EXPECT_EQ(failureOf([] { checkedDivide(-1.0, -0.0); }), Kind::DivisionByZero);
    EXPECT_EQ(failureOf([] { checkedDivide(1e308, 1e-308); }), Kind::Overflow);
    EXPECT_EQ(failureOf([] { checkedDivide(notANumber, 1.0); }), Kind::Overflow);
    EXPECT_EQ(failureOf([] { checkedDivide(infinity, 2.0); }), Kind::Overflow);
}
