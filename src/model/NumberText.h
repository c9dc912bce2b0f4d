// Text forms of numbers: the default form of captions and range boxes, and the result file's form.
#pragma once

#include <string>

namespace brimvale {

// Default text form of a 32-bit float: rounded to 7 significant digits, trailing zeros dropped, no
// leading blank, "0" for either zero; exponent form (1E-05, 1.234568E+07) outside 1E-4 <= |x| < 1E7.
std::string singleText(float value);

// Default text form of a 64-bit float: as singleText with 15 significant digits and the plain range
// 1E-4 <= |x| < 1E15.
std::string doubleText(double value);

// Result file form of a 32-bit float: the shortest text of at most 7 significant digits that reads back
// to the same float (7 digits when none does), period as separator, leading zero kept, exponent form
// with sign and at least two digits outside the plain range of singleText.
std::string fileTextSingle(float value);

// Result file form of a 64-bit float: as fileTextSingle with at most 15 significant digits.
std::string fileTextDouble(double value);

} // namespace brimvale
