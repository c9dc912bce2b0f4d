// Relative comparison of floating values where exactness is not the point.
#pragma once

#include <algorithm>
#include <cmath>

namespace brimvale::test {

inline bool nearlyEqual(double actual, double expected, double relative = 1e-6)
{
    const double scale = std::max({std::abs(actual), std::abs(expected), 1e-300});
    return std::abs(actual - expected) <= relative * scale;
}

} // namespace brimvale::test
