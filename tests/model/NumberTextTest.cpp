// Text forms of numbers: the default forms of captions and range boxes, and the result file's forms.
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <span>
#include <string>

#include "model/NumberText.h"

using namespace brimvale;

namespace {

constexpr float maxSingle = std::numeric_limits<float>::max();
constexpr float minSingle = std::numeric_limits<float>::min();
constexpr double maxDouble = std::numeric_limits<double>::max();
constexpr double minDouble = std::numeric_limits<double>::min();

template <typename Real> struct TextCase {
    Real value;
    const char* text;
};
template <typename Real> using Cases = std::span<const TextCase<Real>>;

// The fewest significant digits (up to maxDigits) that read back to value, found by trying each in turn;
// 0 when none does.
template <typename Real> int fewestDigitsReadingBack(Real value, int maxDigits)
{
    for (int digits = 1; digits <= maxDigits; ++digits) {
        char text[64];
        const auto end = std::to_chars(text, text + 64, value, std::chars_format::scientific, digits - 1).ptr;
        Real back{};
        std::from_chars(text, end, back);
        if (back == value)
            return digits;
    }
    return 0;
}

// Significant digits of a text: leading zeros and the trailing zeros of a whole number do not count.
int significantDigits(const std::string& text)
{
    std::string digits;
    for (const char c : text.substr(0, text.find('E'))) {
        if (c >= '0' && c <= '9' && !(digits.empty() && c == '0'))
            digits += c;
    }
    return static_cast<int>(digits.find_last_not_of('0') + 1);
}

// The file form reads back exactly, with the fewest digits, whenever some text of at most maxDigits
// digits does; otherwise it is the default form.
template <typename Real, typename FileText, typename DefaultText>
void expectShortestReadingBack(Real value, int maxDigits, FileText fileText, DefaultText defaultText)
{
    const std::string text = fileText(value);
    const int fewest = fewestDigitsReadingBack(value, maxDigits);
    if (fewest == 0) {
        EXPECT_EQ(text, defaultText(value));
        return;
    }
    Real back{};
    std::from_chars(text.data(), text.data() + text.size(), back);
    EXPECT_EQ(back, value) << text;
    EXPECT_EQ(significantDigits(text), fewest) << text;
}

} // namespace

// In the tables the default form is also the shortest text that reads back, so both forms agree.
TEST(NumberTextTest, SingleForms)
{
    const TextCase<float> shortCases[] = {
        {0.0f, "0"},      {-0.0f, "0"},         {1.0f, "1"},           {-1.0f, "-1"},
        {0.5f, "0.5"},    {12.5f, "12.5"},      {2.0473f, "2.0473"},   {1e-4f, "0.0001"},
        {1e-5f, "1E-05"}, {1.5e20f, "1.5E+20"}, {9999999.6f, "1E+07"},
    };
    const TextCase<float> longCases[] = {
        {-1.5e-20f, "-1.5E-20"},     {9.9999e-5f, "9.9999E-05"},    {123456.7f, "123456.7"},
        {1234567.0f, "1234567"},     {9999999.0f, "9999999"},       {1.0f / 3, "0.3333333"},
        {-2.0f / 3, "-0.6666667"},   {12345678.0f, "1.234568E+07"}, {-0.00012345678f, "-0.0001234568"},
        {maxSingle, "3.402823E+38"}, {minSingle, "1.175494E-38"},
    };
    for (const Cases<float> cases : {Cases<float>(shortCases), Cases<float>(longCases)}) {
        for (const auto& c : cases) {
            EXPECT_EQ(singleText(c.value), c.text) << c.value;
            EXPECT_EQ(fileTextSingle(c.value), c.text) << c.value;
        }
    }
    // Floats are coarser than seven digits here: 8.5904E+09 already reads back, while the nearest
    // seven-digit value is 8.590399E+09.
    EXPECT_EQ(singleText(8590399488.0f), "8.590399E+09");
    EXPECT_EQ(fileTextSingle(8590399488.0f), "8.5904E+09");
    EXPECT_EQ(singleText(std::numeric_limits<float>::denorm_min()), "1.401298E-45");
    EXPECT_EQ(fileTextSingle(std::numeric_limits<float>::denorm_min()), "1E-45");
    // The plain range is decided on the rounded value.
    EXPECT_EQ(singleText(std::nextafter(1e7f, 0.0f)), "9999999");
    EXPECT_EQ(singleText(0.00009999999f), "9.999999E-05");
}

TEST(NumberTextTest, DoubleForms)
{
    const TextCase<double> shortCases[] = {
        {0.0, "0"},      {-0.0, "0"},         {1.0, "1"},         {-1.0, "-1"},
        {0.5, "0.5"},    {12.5, "12.5"},      {0.1 + 0.2, "0.3"}, {-3.25, "-3.25"},
        {1e-5, "1E-05"}, {1.5e20, "1.5E+20"}, {1e100, "1E+100"},
    };
    const TextCase<double> longCases[] = {
        {123456.7, "123456.7"},         {12345678.0, "12345678"},
        {-2.5e-300, "-2.5E-300"},       {0.000123456789, "0.000123456789"},
        {1.0 / 3, "0.333333333333333"}, {2.0 / 3, "0.666666666666667"},
        {999999999999999.9, "1E+15"},
    };
    const TextCase<double> longestCases[] = {
        {999999999999999.0, "999999999999999"},
        {123456789012345.6, "123456789012346"},
        {123456789012345678.0, "1.23456789012346E+17"},
        {maxDouble, "1.79769313486232E+308"},
        {minDouble, "2.2250738585072E-308"},
        {maxSingle, "3.40282346638529E+38"},
    };
    for (const Cases<double> cases :
         {Cases<double>(shortCases), Cases<double>(longCases), Cases<double>(longestCases)}) {
        for (const auto& c : cases) {
            EXPECT_EQ(doubleText(c.value), c.text) << c.value;
            EXPECT_EQ(fileTextDouble(c.value), c.text) << c.value;
        }
    }
    EXPECT_EQ(doubleText(99999999999999.99), "100000000000000");
    EXPECT_EQ(doubleText(0.000099999999999999995), "0.0001");
    EXPECT_EQ(doubleText(0.0000999999999999), "9.99999999999E-05");
}

TEST(NumberTextTest, NonFiniteValuesGetWords)
{
    EXPECT_EQ(singleText(std::numeric_limits<float>::infinity()), "Infinity");
    EXPECT_EQ(fileTextSingle(-std::numeric_limits<float>::infinity()), "-Infinity");
    EXPECT_EQ(doubleText(std::numeric_limits<double>::quiet_NaN()), "NaN");
}

TEST(NumberTextTest, FileFormsAreTheShortestThatReadBack)
{
    std::mt19937_64 random(20240501);
    std::uniform_int_distribution<std::uint64_t> bits;
    std::uniform_int_distribution<int> shortDigits(1, 99999);
    std::uniform_int_distribution<int> exponents(-12, 12);
    for (int i = 0; i < 20000; ++i) {
        // Half of the values have few digits, as typed values do; the rest are any bit pattern.
        const double typed = shortDigits(random) * std::pow(10.0, exponents(random));
        const auto single = i % 2 ? std::bit_cast<float>(static_cast<std::uint32_t>(bits(random)))
                                  : static_cast<float>(typed);
        const double value = i % 2 ? std::bit_cast<double>(bits(random)) : typed;
        if (std::isfinite(single) && single != 0.0f)
            expectShortestReadingBack(single, 7, fileTextSingle, singleText);
        if (std::isfinite(value) && value != 0.0)
            expectShortestReadingBack(value, 15, fileTextDouble, doubleText);
    }
}
