// The numeric value of a text, lenient (leading number) and whole (the text is one number).
#include "model/NumericValue.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <system_error>

namespace brimvale {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Where the number at the start of a text ends.
struct NumberExtent {
    std::size_t mantissaEnd = 0; // one past the last digit or period of the mantissa
    std::size_t end = 0;         // one past the number, exponent included when it has digits
    bool hasDigits = false;      // a sign or a lone period is not a number
    bool danglingExponent = false;
};

NumberExtent scanNumber(std::string_view text)
{
    NumberExtent extent;
    std::size_t i = 0;
    const std::size_t n = text.size();
    if (i < n && (text[i] == '+' || text[i] == '-'))
        ++i;
    while (i < n && isDigit(text[i])) {
        ++i;
        extent.hasDigits = true;
    }
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && isDigit(text[i])) {
            ++i;
            extent.hasDigits = true;
        }
    }
    if (!extent.hasDigits)
        return extent;
    extent.mantissaEnd = i;
    extent.end = i;
    if (i < n && (text[i] == 'E' || text[i] == 'e')) {
        std::size_t j = i + 1;
        if (j < n && (text[j] == '+' || text[j] == '-'))
            ++j;
        if (j < n && isDigit(text[j])) {
            while (j < n && isDigit(text[j]))
                ++j;
            extent.end = j;
        } else {
            extent.danglingExponent = true;
        }
    }
    return extent;
}

// Decides the direction of a conversion that left the range of a double: the decimal magnitude of the
// leading significant digit plus the exponent is positive for an overflow and negative for an
// underflow (the range ends near 1E+308 and 1E-324, so nothing in between is ever out of range).
bool exceedsRange(std::string_view mantissa, std::string_view exponent)
{
    constexpr std::int64_t saturation = 1'000'000'000'000;
    std::int64_t magnitude = 0;
    std::size_t i = 0;
    while (i < mantissa.size() && !isDigit(mantissa[i]) && mantissa[i] != '.')
        ++i;
    while (i < mantissa.size() && mantissa[i] == '0')
        ++i;
    if (i < mantissa.size() && mantissa[i] != '.') {
        while (i < mantissa.size() && isDigit(mantissa[i])) {
            ++magnitude;
            ++i;
        }
        --magnitude;
    } else {
        ++i; // the period
        magnitude = -1;
        while (i < mantissa.size() && mantissa[i] == '0') {
            --magnitude;
            ++i;
        }
    }

    bool negativeExponent = false;
    std::size_t j = 1; // the exponent letter
    if (j < exponent.size() && (exponent[j] == '+' || exponent[j] == '-')) {
        negativeExponent = exponent[j] == '-';
        ++j;
    }
    std::int64_t exponentValue = 0;
    for (; j < exponent.size(); ++j) {
        exponentValue = exponentValue * 10 + (exponent[j] - '0');
        if (exponentValue > saturation)
            exponentValue = saturation;
    }
    return magnitude + (negativeExponent ? -exponentValue : exponentValue) > 0;
}

// Converts a scanned number (sign, mantissa and complete exponent) correctly rounded and without
// regard to the locale.
double convertNumber(std::string_view number, std::size_t mantissaEnd)
{
    const char* first = number.data();
    const char* last = first + number.size();
    // The conversion takes a minus sign but not a plus sign.
    if (*first == '+')
        ++first;
    double value = 0.0;
    const auto result = std::from_chars(first, last, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        const bool negative = number.front() == '-';
        const bool overflow = exceedsRange(number.substr(0, mantissaEnd), number.substr(mantissaEnd));
        value = overflow ? std::numeric_limits<double>::infinity() : 0.0;
        if (negative)
            value = -value;
    }
    return value;
}

std::size_t skipBlanks(std::string_view text, std::size_t i)
{
    while (i < text.size() && isBlank(text[i]))
        ++i;
    return i;
}

} // namespace

double numericValue(std::string_view text)
{
    text.remove_prefix(skipBlanks(text, 0));
    const NumberExtent extent = scanNumber(text);
    if (!extent.hasDigits)
        return 0.0;
    return convertNumber(text.substr(0, extent.end), extent.mantissaEnd);
}

std::optional<double> wholeNumber(std::string_view text)
{
    text.remove_prefix(skipBlanks(text, 0));
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    // Most cells of a matrix or a section are a lone 0.
    if (text.size() == 1 && isDigit(text[0]))
        return static_cast<double>(text[0] - '0');
    const NumberExtent extent = scanNumber(text);
    if (!extent.hasDigits || extent.danglingExponent || extent.end != text.size())
        return std::nullopt;
    return convertNumber(text, extent.mantissaEnd);
}

} // namespace brimvale
