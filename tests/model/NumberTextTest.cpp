// Text forms of numbers: the default forms of captions and range boxes, and the result file's forms.
#include <gtest/gtest.h>

#include <limits>

#include "model/NumberText.h"

namespace brimvale {
namespace {

// The default form and the file form of a value; they agree unless a file form is given.
template <typename Real> struct TextCase {
    Real value;
    const char* text;
    const char* fileText = nullptr;
};

template <typename Real, std::size_t N, typename Default, typename File>
void expectForms(const TextCase<Real> (&cases)[N], Default defaultText, File fileText)
{
    for (const auto& c : cases) {
        EXPECT_EQ(defaultText(c.value), c.text) << c.value;
        EXPECT_EQ(fileText(c.value), c.fileText ? c.fileText : c.text) << c.value;
    }
}

TEST(NumberTextTest, SingleForms)
{
    using L = std::numeric_limits<float>;
    // 1068300544 needs nine digits to read back, so both forms round its exact value to seven. Floats
    // are coarser than seven digits near 8.59E+09: 8.5904E+09 already reads back. Whether a number is
    // plain is decided on its rounded value (9999999.6 gives 1E+07).
    // clang-format off
    const TextCase<float> cases[] = {
        {0.0f, "0"}, {-0.0f, "0"}, {1.0f, "1"}, {-1.0f, "-1"}, {0.5f, "0.5"}, {12.5f, "12.5"},
        {2.0473f, "2.0473"}, {1e-4f, "0.0001"}, {1e-5f, "1E-05"}, {1.5e20f, "1.5E+20"}, {9999999.6f, "1E+07"},
        {-1.5e-20f, "-1.5E-20"}, {9.9999e-5f, "9.9999E-05"}, {0.00009999999f, "9.999999E-05"},
        {123456.7f, "123456.7"}, {1234567.0f, "1234567"}, {9999999.0f, "9999999"}, {1.0f / 3, "0.3333333"},
        {-2.0f / 3, "-0.6666667"}, {12345678.0f, "1.234568E+07"}, {-0.00012345678f, "-0.0001234568"},
        {1068300544.0f, "1.068301E+09"}, {8590399488.0f, "8.590399E+09", "8.5904E+09"},
        {L::max(), "3.402823E+38"}, {L::min(), "1.175494E-38"}, {L::denorm_min(), "1.401298E-45", "1E-45"},
        {L::infinity(), "Infinity"}, {-L::infinity(), "-Infinity"}, {L::quiet_NaN(), "NaN"},
    };
    // clang-format on
    expectForms(cases, singleText, fileTextSingle);
}

TEST(NumberTextTest, DoubleForms)
{
    using L = std::numeric_limits<double>;
    // 1.1152395949139051 needs seventeen digits to read back, so both forms round it to fifteen.
    // clang-format off
    const TextCase<double> cases[] = {
        {0.0, "0"}, {-0.0, "0"}, {1.0, "1"}, {-1.0, "-1"}, {0.5, "0.5"}, {0.1 + 0.2, "0.3"}, {-3.25, "-3.25"},
        {1e-5, "1E-05"}, {1.5e20, "1.5E+20"}, {1e100, "1E+100"}, {123456.7, "123456.7"},
        {12345678.0, "12345678"}, {-2.5e-300, "-2.5E-300"}, {0.000123456789, "0.000123456789"},
        {1.0 / 3, "0.333333333333333"}, {2.0 / 3, "0.666666666666667"}, {999999999999999.9, "1E+15"},
        {999999999999999.0, "999999999999999"}, {123456789012345.6, "123456789012346"},
        {123456789012345678.0, "1.23456789012346E+17"}, {99999999999999.99, "100000000000000"},
        {0.000099999999999999995, "0.0001"}, {0.0000999999999999, "9.99999999999E-05"},
        {1.1152395949139051, "1.11523959491391"}, {L::max(), "1.79769313486232E+308"},
        {L::min(), "2.2250738585072E-308"}, {3.4028234663852886e38, "3.40282346638529E+38"},
        {L::quiet_NaN(), "NaN"},
    };
    // clang-format on
    expectForms(cases, doubleText, fileTextDouble);
}

} // namespace
} // namespace brimvale
