// The short text form of a value shown in the section view and on the printed page.
#include "model/FormatValue.h"

#include <cmath>
#include <cstdint>

#include "model/NumberText.h"

namespace brimvale {

namespace {

// Beyond this many steps the rounded number no longer fits the exact integer path below.
constexpr double LargestExactSteps = 1e15;

} // namespace

std::string FormatValue(float value)
{
    const double x = value;
    if (!std::isfinite(x))
        return doubleText(x);
    const double magnitude = std::abs(x);
    const int decimals = magnitude < 10.0 ? 2 : magnitude < 1000.0 ? 1 : 0;
    const double stepsPerUnit = decimals == 2 ? 100.0 : decimals == 1 ? 10.0 : 1.0;
    const double steps = std::floor(x * stepsPerUnit + 0.5);
    if (steps == 0.0)
        return "0";
    if (std::abs(steps) >= LargestExactSteps)
        return doubleText(steps / stepsPerUnit);

    // The rounded number is written from its whole count of steps, so no second rounding can creep in.
    const auto count = static_cast<std::int64_t>(std::abs(steps));
    const std::int64_t unit = decimals == 2 ? 100 : decimals == 1 ? 10 : 1;
    std::string text = steps < 0.0 ? "-" : "";
    text += std::to_string(count / unit);
    std::int64_t fraction = count % unit;
    if (fraction != 0) {
        int places = decimals;
        while (fraction % 10 == 0) {
            fraction /= 10;
            --places;
        }
        const std::string digits = std::to_string(fraction);
        text += '.';
        text.append(static_cast<std::size_t>(places) - digits.size(), '0');
        text += digits;
    }
    return text;
}

} // namespace brimvale
