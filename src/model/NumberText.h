// Text forms of numbers: the default form of captions and range boxes, and the result file's form.
#pragma once

#include <string>

namespace brimvale {

// Every form below uses a period, no blanks and no thousands separator; either zero is "0"; the
// plain form keeps the leading zero ("0.5", "-0.0001"); the exponent form is the mantissa, E, a sign
// and at least two exponent digits ("1E-05", "1.234568E+07", "1E+300"). Whether a number is written
// plainly is decided on its rounded digits. A NaN is "NaN" and an infinity "Infinity" or "-Infinity".

// Default text form of a 32-bit float: rounded to 7 significant digits, trailing zeros dropped;
// plain for 1E-4 <= |x| < 1E7, exponent form otherwise.
std::string singleText(float value);

// Default text form of a 64-bit float: rounded to 15 significant digits, trailing zeros dropped;
// plain for 1E-4 <= |x| < 1E15, exponent form otherwise.
std::string doubleText(double value);

// Result file form of a 32-bit float: the shortest text of at most 7 significant digits that reads
// back to the same float, or the value rounded to 7 digits when none does; plain range as singleText.
std::string fileTextSingle(float value);

// Result file form of a 64-bit float: the shortest text of at most 15 significant digits that reads
// back to the same double, or the value rounded to 15 digits when none does; plain range as doubleText.
std::string fileTextDouble(double value);

// Appends fileTextSingle(value), resp. fileTextDouble(value), to text without a temporary string.
void appendFileTextSingle(std::string& text, float value);
void appendFileTextDouble(std::string& text, double value);

} // namespace brimvale
