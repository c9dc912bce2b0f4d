// Text forms of numbers: the default form of captions and range boxes, and the result file's form.
#include "model/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace brimvale {

namespace {

constexpr int singleDigits = 7;
constexpr int doubleDigits = 15;
// A number is written plainly when its rounded value v has 1E-4 <= |v| < 1E+limit.
constexpr int plainLowestExponent = -4;
constexpr int singlePlainLimit = 7;
constexpr int doublePlainLimit = 15;

// A number as significant digits (trailing zeros dropped) and the decimal exponent of the first one.
struct Decimal {
    char digits[24]; // left uninitialised: filled from the front, count says how far
    int count = 0;
    int exponent = 0;
    bool negative = false;
};

void dropTrailingZeros(Decimal& decimal)
{
    while (decimal.count > 1 && decimal.digits[decimal.count - 1] == '0')
        --decimal.count;
}

// Takes apart the output of to_chars in scientific form: [-]d[.ddd]e(+|-)xx.
void parseScientific(const char* first, const char* last, Decimal& decimal)
{
    const char* p = first;
    decimal.negative = *p == '-';
    if (decimal.negative)
        ++p;
    decimal.digits[0] = *p++;
    decimal.count = 1;
    if (*p == '.') {
        for (++p; *p != 'e'; ++p)
            decimal.digits[decimal.count++] = *p;
    }
    dropTrailingZeros(decimal);
    ++p; // the exponent letter
    const bool negativeExponent = *p == '-';
    int exponent = 0;
    for (++p; p != last; ++p)
        exponent = exponent * 10 + (*p - '0');
    decimal.exponent = negativeExponent ? -exponent : exponent;
}

template <typename Real> void rounded(Real value, int significantDigits, Decimal& decimal)
{
    char buffer[48];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific,
                                       significantDigits - 1);
    parseScientific(buffer, written.ptr, decimal);
}

// The shortest digits that read back to the same value when there are at most maxDigits of them, else
// the value rounded to maxDigits. Rounding the shortest digits instead of the exact value gives the
// same result except when the dropped digits are exactly a half: a rounding boundary lying strictly
// between the value and its shortest digits would itself be a shorter or closer text that reads back,
// which the shortest digits never leave out. Only the exact half needs the slower exact rounding.
template <typename Real> void shortestWithin(Real value, int maxDigits, Decimal& decimal)
{
    char buffer[48];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    parseScientific(buffer, written.ptr, decimal);
    if (decimal.count <= maxDigits)
        return;
    const char firstDropped = decimal.digits[maxDigits];
    if (firstDropped == '5' && decimal.count == maxDigits + 1) {
        rounded(value, maxDigits, decimal);
        return;
    }
    decimal.count = maxDigits;
    if (firstDropped >= '5') {
        int i = maxDigits - 1;
        while (i >= 0 && decimal.digits[i] == '9') {
            decimal.digits[i] = '0';
            --i;
        }
        if (i >= 0) {
            ++decimal.digits[i];
        } else {
            decimal.digits[0] = '1';
            ++decimal.exponent;
        }
    }
    dropTrailingZeros(decimal);
}

char* writeDigits(char* out, const char* digits, std::size_t count)
{
    std::memcpy(out, digits, count);
    return out + count;
}

// Writes the text of a nonzero decimal and returns one past its end.
char* layout(char* out, const Decimal& decimal, int plainLimit)
{
    if (decimal.negative)
        *out++ = '-';
    const auto count = static_cast<std::size_t>(decimal.count);
    const int e = decimal.exponent;
    if (e >= plainLowestExponent && e < plainLimit) {
        if (e >= 0) {
            const auto integerDigits = static_cast<std::size_t>(e) + 1;
            if (count <= integerDigits) {
                out = writeDigits(out, decimal.digits, count);
                std::memset(out, '0', integerDigits - count);
                return out + (integerDigits - count);
            }
            out = writeDigits(out, decimal.digits, integerDigits);
            *out++ = '.';
            return writeDigits(out, decimal.digits + integerDigits, count - integerDigits);
        }
        *out++ = '0';
        *out++ = '.';
        const auto zeros = static_cast<std::size_t>(-e - 1);
        std::memset(out, '0', zeros);
        return writeDigits(out + zeros, decimal.digits, count);
    }
    *out++ = decimal.digits[0];
    if (count > 1) {
        *out++ = '.';
        out = writeDigits(out, decimal.digits + 1, count - 1);
    }
    *out++ = 'E';
    *out++ = e < 0 ? '-' : '+';
    const int magnitude = std::abs(e);
    if (magnitude < 10)
        *out++ = '0';
    return std::to_chars(out, out + 4, magnitude).ptr;
}

// Zero of either sign is "0", and the values that have no number form get a word.
template <typename Real> const char* specialText(Real value)
{
    if (value == 0)
        return "0";
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value < 0 ? "-Infinity" : "Infinity";
    return nullptr;
}

template <typename Real, typename Digits>
void appendText(std::string& text, Real value, Digits digitsOf, int plainLimit)
{
    if (const char* special = specialText(value)) {
        text += special;
        return;
    }
    // Sign, 17 digits, period, up to 4 leading zeros, E, sign and 3 exponent digits fit easily.
    Decimal decimal;
    digitsOf(value, decimal);
    char buffer[48];
    const char* end = layout(buffer, decimal, plainLimit);
    text.append(buffer, static_cast<std::size_t>(end - buffer));
}

} // namespace

std::string singleText(float value)
{
    std::string text;
    appendText(
        text, value, [](float v, Decimal& d) { rounded(v, singleDigits, d); }, singlePlainLimit);
    return text;
}

std::string doubleText(double value)
{
    std::string text;
    appendText(
        text, value, [](double v, Decimal& d) { rounded(v, doubleDigits, d); }, doublePlainLimit);
    return text;
}

void appendFileTextSingle(std::string& text, float value)
{
    appendText(
        text, value, [](float v, Decimal& d) { shortestWithin(v, singleDigits, d); }, singlePlainLimit);
}

void appendFileTextDouble(std::string& text, double value)
{
    appendText(
        text, value, [](double v, Decimal& d) { shortestWithin(v, doubleDigits, d); }, doublePlainLimit);
}

std::string fileTextSingle(float value)
{
    std::string text;
    appendFileTextSingle(text, value);
    return text;
}

std::string fileTextDouble(double value)
{
    std::string text;
    appendFileTextDouble(text, value);
    return text;
}

} // namespace brimvale
