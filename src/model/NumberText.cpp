// Text forms of numbers: the default form of captions and range boxes, and the result file's form.
#include "model/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

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
    char digits[24] = {};
    int count = 0;
    int exponent = 0;
    bool negative = false;
};

// Takes apart the output of to_chars in scientific form: [-]d[.ddd]e(+|-)xx.
Decimal parseScientific(const char* first, const char* last)
{
    Decimal decimal;
    const char* p = first;
    if (*p == '-') {
        decimal.negative = true;
        ++p;
    }
    for (; p != last && *p != 'e'; ++p) {
        if (*p != '.')
            decimal.digits[decimal.count++] = *p;
    }
    while (decimal.count > 1 && decimal.digits[decimal.count - 1] == '0')
        --decimal.count;
    ++p; // the exponent letter
    const bool negativeExponent = *p == '-';
    ++p;
    int exponent = 0;
    std::from_chars(p, last, exponent);
    decimal.exponent = negativeExponent ? -exponent : exponent;
    return decimal;
}

std::string layout(const Decimal& decimal, int plainLimit)
{
    std::string text;
    text.reserve(24);
    if (decimal.negative)
        text += '-';
    const std::string_view digits(decimal.digits, static_cast<std::size_t>(decimal.count));
    const int e = decimal.exponent;
    if (e >= plainLowestExponent && e < plainLimit) {
        if (e >= 0) {
            const auto integerDigits = static_cast<std::size_t>(e) + 1;
            if (digits.size() <= integerDigits) {
                text += digits;
                text.append(integerDigits - digits.size(), '0');
            } else {
                text += digits.substr(0, integerDigits);
                text += '.';
                text += digits.substr(integerDigits);
            }
        } else {
            text += "0.";
            text.append(static_cast<std::size_t>(-e - 1), '0');
            text += digits;
        }
        return text;
    }
    text += digits.front();
    if (digits.size() > 1) {
        text += '.';
        text += digits.substr(1);
    }
    text += 'E';
    text += e < 0 ? '-' : '+';
    const int magnitude = std::abs(e);
    if (magnitude < 10)
        text += '0';
    char exponentDigits[8];
    const auto written = std::to_chars(exponentDigits, exponentDigits + sizeof exponentDigits, magnitude);
    text.append(exponentDigits, written.ptr);
    return text;
}

// Zero of either sign is "0", and the values that have no number form get a word.
template <typename Real>
bool specialText(Real value, std::string& text)
{
    if (value == 0) {
        text = "0";
        return true;
    }
    if (std::isnan(value)) {
        text = "NaN";
        return true;
    }
    if (std::isinf(value)) {
        text = value < 0 ? "-Infinity" : "Infinity";
        return true;
    }
    return false;
}

template <typename Real>
Decimal rounded(Real value, int significantDigits)
{
    char buffer[48];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, significantDigits - 1);
    return parseScientific(buffer, written.ptr);
}

// The shortest digits that read back to the same value when there are at most maxDigits of them,
// else the value rounded to maxDigits.
template <typename Real>
Decimal shortestWithin(Real value, int maxDigits)
{
    char buffer[48];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    const Decimal shortest = parseScientific(buffer, written.ptr);
    if (shortest.count <= maxDigits)
        return shortest;
    return rounded(value, maxDigits);
}

} // namespace

std::string singleText(float value)
{
    std::string text;
    if (specialText(value, text))
        return text;
    return layout(rounded(value, singleDigits), singlePlainLimit);
}

std::string doubleText(double value)
{
    std::string text;
    if (specialText(value, text))
        return text;
    return layout(rounded(value, doubleDigits), doublePlainLimit);
}

std::string fileTextSingle(float value)
{
    std::string text;
    if (specialText(value, text))
        return text;
    return layout(shortestWithin(value, singleDigits), singlePlainLimit);
}

std::string fileTextDouble(double value)
{
    std::string text;
    if (specialText(value, text))
        return text;
    return layout(shortestWithin(value, doubleDigits), doublePlainLimit);
}

} // namespace brimvale
