// Checked conversions between the scalar widths, with the rounding rules of the program.
#include "model/Conversions.h"

#include <cmath>
#include <string>

#include "model/RuntimeFailure.h"

namespace brimvale {

namespace {

// Computed by hand rather than with nearbyint so that the result never depends on the floating-point
// environment's rounding mode.
double roundHalfEven(double value)
{
    const double lower = std::floor(value);
    // Exact for every finite double: below 2^52 the fraction is representable, above it is zero.
    const double fraction = value - lower;
    if (fraction < 0.5)
        return lower;
    if (fraction > 0.5)
        return lower + 1.0;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

double roundedWithin(double value, double lowest, double highest, const char* target)
{
    const double rounded = roundHalfEven(value);
    // Written so that NaN fails the test as well.
    if (!(rounded >= lowest && rounded <= highest))
        raiseFailure(RuntimeFailure::Kind::Overflow, "Overflow converting to " + std::string(target));
    return rounded;
}

} // namespace

std::int16_t toInteger(double value)
{
    return static_cast<std::int16_t>(roundedWithin(value, -32768.0, 32767.0, "Integer"));
}

std::int32_t toLong(double value)
{
    return static_cast<std::int32_t>(roundedWithin(value, -2147483648.0, 2147483647.0, "Long"));
}

double intOf(double value)
{
    return std::floor(value);
}

double fixOf(double value)
{
    return std::trunc(value);
}

float toSingle(double value)
{
    // Magnitudes from the midpoint between the largest float and 2^128 upwards round to infinity
    // (the midpoint itself rounds to the even neighbour, which is infinity); the check comes before
    // the cast because converting an out-of-range double to float is undefined.
    constexpr double firstInfinite = 0x1.ffffffp127;
    if (!(std::fabs(value) < firstInfinite))
        raiseFailure(RuntimeFailure::Kind::Overflow, "Overflow converting to Single");
    return static_cast<float>(value);
}

double checkedDivide(double numerator, double denominator)
{
    if (denominator == 0.0)
        raiseFailure(RuntimeFailure::Kind::DivisionByZero, "Division by zero");
    const double quotient = numerator / denominator;
    if (!std::isfinite(quotient))
        raiseFailure(RuntimeFailure::Kind::Overflow, "Overflow in division");
    return quotient;
}

} // namespace brimvale
