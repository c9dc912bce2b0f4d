// The short text form of a value shown in the section view and on the printed page.
#pragma once

#include <string>

namespace brimvale {

// Returns value rounded by its magnitude (below 10 to two decimals, below 1000 to one, else to a whole
// number; halves upward, that is towards plus infinity also for negatives: -0.125 gives "-0.12") in its
// shortest form: no trailing zeros, no decimal point for a whole number, "-" only for a nonzero result.
// The rounding works on the exact value of the float, so 0.005f, stored just below 0.005, gives "0".
// Values whose whole part reaches 1E15, and non-finite values, take the default form of a double.
std::string FormatValue(float value);

} // namespace brimvale
