// Checked conversions between the scalar widths, with the rounding rules of the program.
#pragma once

#include <cstdint>

namespace brimvale {

// Rounds to the nearest integer, halves to even; fails with Overflow outside -32768..32767 or on NaN.
std::int16_t toInteger(double value);

// Rounds to the nearest integer, halves to even; fails with Overflow outside the 32-bit range or on NaN.
std::int32_t toLong(double value);

// The largest whole number not above value ("Int").
double intOf(double value);

// The whole part of value, the fraction dropped towards zero ("Fix").
double fixOf(double value);

// Stores value as a 32-bit float; fails with Overflow when the result is not finite.
float toSingle(double value);

// numerator / denominator; fails with DivisionByZero for a zero denominator and with Overflow when
// the quotient is not finite.
double checkedDivide(double numerator, double denominator);

} // namespace brimvale
