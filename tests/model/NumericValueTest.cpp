// The numeric value of a text (its leading number) and the strict whole-text number.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "model/NumericValue.h"

namespace brimvale {
namespace {

using namespace std::string_literals;
constexpr double inf = std::numeric_limits<double>::infinity();

struct ValueCase {
    std::string text;
    double expected;
};

TEST(NumericValueTest, TakesTheLeadingNumber)
{
    // An exponent letter without digits is not part of the number; conversion is correctly rounded
    // (halfway between two doubles goes to the even one); beyond the range of a double is an infinity
    // of the sign, below it zero; no leading number gives 0.
    // clang-format off
    const ValueCase cases[] = {
        {"  12", 12.0}, {"\t-3.5xyz", -3.5}, {"+.5", 0.5}, {"-.25", -0.25}, {"5.", 5.0}, {"007", 7.0},
        {"1.2.3", 1.2}, {"12 34", 12.0}, {"1,5", 1.0}, {"1E+3", 1000.0}, {"2.5e-3", 0.0025},
        {"-4.5E2cm", -450.0}, {".5e1", 5.0}, {"1e", 1.0}, {"1e+", 1.0}, {"1E-x", 1.0}, {"2.5ex", 2.5},
        {"1d2", 1.0}, {"1e-310", 1e-310}, {"0e99999", 0}, {"9007199254740993", 9007199254740992.0},
        {"0.30000000000000004", 0.30000000000000004}, {"", 0}, {"   ", 0}, {"abc", 0}, {"-", 0}, {"+", 0},
        {".", 0}, {"-.e5", 0}, {"e5", 0}, {"--1", 0}, {"+-1", 0}, {"- 1", 0}, {"\n5", 0}, {"inf", 0},
        {"nan", 0}, {"x12", 0}, {"\0005"s, 0}, {"1e400", inf}, {"-1e400", -inf},
        {"1.7976931348623159e308", inf}, {"1.7976931348623157e308", std::numeric_limits<double>::max()},
        {"1e99999999999999999999999", inf}, {"0.00000000001e320", inf}, {"0.00000000001e315", 1e304},
        {"123456789e301", inf}, {"1e-400", 0}, {"100000000000e-340", 0}, {"1e-99999999999999999999999", 0},
        {std::string(10'000'000, '1'), inf}, {"0." + std::string(1'000'000, '0') + "5", 0.0},
        {"3." + std::string(1'000'000, '0') + "1", 3.0},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(numericValue(c.text), c.expected) << '"' << c.text.substr(0, 30) << '"';
    EXPECT_TRUE(std::signbit(numericValue("-1e-400")));
}

TEST(NumericValueTest, WholeNumberAcceptsExactlyOneNumber)
{
    // clang-format off
    const ValueCase cases[] = {
        {" 12 ", 12.0}, {"\t-3.5\t", -3.5}, {"+5", 5.0}, {"-.5", -0.5}, {"5.", 5.0}, {"1.5E+20", 1.5e20},
        {"2E-3", 0.002}, {"0", 0.0}, {"1e400", inf}, {"-1e400", -inf},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(wholeNumber(c.text), c.expected) << '"' << c.text << '"';
    const std::string refused[] = {
        "",    "  ",  "abc", "12a", "1 2", "1.2.3", "1e",   "1e+", "-",    ".",
        "+-1", "1,5", "0x1", "inf", "nan", "1d2",   "1e5x", "e5",  "1\0"s, "1\r\n",
    };
    for (const auto& text : refused)
        EXPECT_FALSE(wholeNumber(text).has_value()) << '"' << text << '"';
}

} // namespace
} // namespace brimvale
