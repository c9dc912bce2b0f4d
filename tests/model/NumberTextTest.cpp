#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "model/NumberText.h"

using namespace brimvale;

namespace {

struct SingleCase {
    float value;
    const char* defaultText;
    const char* fileText;
};

struct DoubleCase {
    double value;
    const char* defaultText;
    const char* fileText;
};

template <typename Real> Real readBack(const std::string& text)
{
    Real value{};
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// Trailing zeros of a whole number are not significant; a fraction never ends in zeros.
int significantDigits(const std::string& text)
{
    const std::string mantissa = text.substr(0, text.find('E'));
    std::string digits;
    for (const char c : mantissa) {
        if (c >= '0' && c <= '9' && !(digits.empty() && c == '0'))
            digits += c;
    }
    while (!digits.empty() && digits.back() == '0')
        digits.pop_back();
    return static_cast<int>(digits.size());
}

// The fewest significant digits (up to maxDigits) that read back to value, found by trying each
// precision in turn; 0 when none does.
template <typename Real> int fewestDigitsReadingBack(Real value, int maxDigits)
{
    for (int digits = 1; digits <= maxDigits; ++digits) {
        char buffer[64];
        const auto end =
            std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, digits - 1)
                .ptr;
        Real back{};
        std::from_chars(buffer, end, back);
        if (back == value)
            return digits;
    }
    return 0;
}

} // namespace

TEST(NumberTextTest, SingleForms)
{
    const SingleCase cases[] = {
        {0.0f, "0", "0"},
        {-0.0f, "0", "0"},
        {1.0f, "1", "1"},
        {-1.0f, "-1", "-1"},
        {0.5f, "0.5", "0.5"},
        {-0.5f, "-0.5", "-0.5"},
        {12.5f, "12.5", "12.5"},
        {0.1f, "0.1", "0.1"},
        {2.0473f, "2.0473", "2.0473"},
        {1.0f / 3.0f, "0.3333333", "0.3333333"},
        {-2.0f / 3.0f, "-0.6666667", "-0.6666667"},
        {123456.7f, "123456.7", "123456.7"},
        {1234567.0f, "1234567", "1234567"},
        {9999999.0f, "9999999", "9999999"},
        {12345678.0f, "1.234568E+07", "1.234568E+07"},
        {1e7f, "1E+07", "1E+07"},
        {9999999.6f, "1E+07", "1E+07"},
        {1e-4f, "0.0001", "0.0001"},
        {-0.00012345678f, "-0.0001234568", "-0.0001234568"},
        {9.9999e-5f, "9.9999E-05", "9.9999E-05"},
        {1e-5f, "1E-05", "1E-05"},
        {1.5e20f, "1.5E+20", "1.5E+20"},
        {-1.5e-20f, "-1.5E-20", "-1.5E-20"},
        {std::numeric_limits<float>::max(), "3.402823E+38", "3.402823E+38"},
        {std::numeric_limits<float>::min(), "1.175494E-38", "1.175494E-38"},
        {std::numeric_limits<float>::denorm_min(), "1.401298E-45", "1E-45"},
        // Floats are coarser than seven digits here: 8.5904E+09 already reads back, while the
        // nearest seven-digit value is 8.590399E+09.
        {8590399488.0f, "8.590399E+09", "8.5904E+09"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(singleText(c.value), c.defaultText) << c.value;
        EXPECT_EQ(fileTextSingle(c.value), c.fileText) << c.value;
    }
}

TEST(NumberTextTest, DoubleForms)
{
    const DoubleCase cases[] = {
        {0.0, "0", "0"},
        {-0.0, "0", "0"},
        {1.0, "1", "1"},
        {-1.0, "-1", "-1"},
        {0.5, "0.5", "0.5"},
        {12.5, "12.5", "12.5"},
        {0.1, "0.1", "0.1"},
        {0.1 + 0.2, "0.3", "0.3"},
        {2.0473, "2.0473", "2.0473"},
        {-3.25, "-3.25", "-3.25"},
        {1.0 / 3.0, "0.333333333333333", "0.333333333333333"},
        {2.0 / 3.0, "0.666666666666667", "0.666666666666667"},
        {123456.7, "123456.7", "123456.7"},
        {12345678.0, "12345678", "12345678"},
        {999999999999999.0, "999999999999999", "999999999999999"},
        {123456789012345.6, "123456789012346", "123456789012346"},
        {999999999999999.9, "1E+15", "1E+15"},
        {1e15, "1E+15", "1E+15"},
        {123456789012345678.0, "1.23456789012346E+17", "1.23456789012346E+17"},
        {1e-4, "0.0001", "0.0001"},
        {0.000123456789, "0.000123456789", "0.000123456789"},
        {1e-5, "1E-05", "1E-05"},
        {1.5e20, "1.5E+20", "1.5E+20"},
        {1e100, "1E+100", "1E+100"},
        {-2.5e-300, "-2.5E-300", "-2.5E-300"},
        {std::numeric_limits<double>::max(), "1.79769313486232E+308", "1.79769313486232E+308"},
        {std::numeric_limits<double>::min(), "2.2250738585072E-308", "2.2250738585072E-308"},
        {static_cast<double>(std::numeric_limits<float>::max()), "3.40282346638529E+38",
         "3.40282346638529E+38"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(doubleText(c.value), c.defaultText) << c.value;
        EXPECT_EQ(fileTextDouble(c.value), c.fileText) << c.value;
    }
}

TEST(NumberTextTest, NonFiniteValuesGetWords)
{
    constexpr float infinity = std::numeric_limits<float>::infinity();
    EXPECT_EQ(singleText(infinity), "Infinity");
    EXPECT_EQ(fileTextSingle(-infinity), "-Infinity");
    EXPECT_EQ(doubleText(std::numeric_limits<double>::quiet_NaN()), "NaN");
    EXPECT_EQ(fileTextDouble(-std::numeric_limits<double>::infinity()), "-Infinity");
}

// The file form must read back exactly whenever some text of at most 7 (15) digits does, and must
// never use more digits than needed.
TEST(NumberTextTest, FileFormsAreTheShortestThatReadBack)
{
    std::mt19937_64 random(20240501);
    std::uniform_int_distribution<std::uint32_t> floatBits;
    std::uniform_int_distribution<int> shortDigits(1, 99999);
    std::uniform_int_distribution<int> exponents(-12, 12);
    for (int i = 0; i < 20000; ++i) {
        float single = std::bit_cast<float>(floatBits(random));
        if (i % 2 == 0)
            single = static_cast<float>(shortDigits(random) * std::pow(10.0, exponents(random)));
        if (!std::isfinite(single) || single == 0.0f)
            continue;
        const std::string text = fileTextSingle(single);
        const int fewest = fewestDigitsReadingBack(single, 7);
        if (fewest > 0) {
            EXPECT_EQ(readBack<float>(text), single) << text;
            EXPECT_EQ(significantDigits(text), fewest) << text;
        } else {
            EXPECT_LE(significantDigits(text), 7) << text;
            EXPECT_EQ(text, singleText(single));
        }
    }
    std::uniform_int_distribution<std::uint64_t> doubleBits;
    for (int i = 0; i < 20000; ++i) {
        double value = std::bit_cast<double>(doubleBits(random));
        if (i % 2 == 0)
            value = shortDigits(random) * std::pow(10.0, exponents(random));
        if (!std::isfinite(value) || value == 0.0)
            continue;
        const std::string text = fileTextDouble(value);
        const int fewest = fewestDigitsReadingBack(value, 15);
        if (fewest > 0) {
            EXPECT_EQ(readBack<double>(text), value) << text;
            EXPECT_EQ(significantDigits(text), fewest) << text;
        } else {
            EXPECT_EQ(text, doubleText(value));
        }
    }
}

// The plain form is used exactly for rounded magnitudes in [1E-4, 1E7) resp. [1E-4, 1E15).
TEST(NumberTextTest, PlainRangeIsDecidedOnTheRoundedValue)
{
    EXPECT_EQ(singleText(std::nextafter(1e7f, 0.0f)), "9999999");
    EXPECT_EQ(singleText(9999999.5f), "1E+07"); // a float halfway, stored as 1E+07
    EXPECT_EQ(doubleText(99999999999999.99), "100000000000000");
    EXPECT_EQ(doubleText(0.000099999999999999995), "0.0001");
    EXPECT_EQ(doubleText(0.0000999999999999), "9.99999999999E-05");
    EXPECT_EQ(singleText(0.00009999999f), "9.999999E-05");
}
