// The numeric value of a text: its leading number, as captions, range boxes and lenient fields read it.
#pragma once

#include <optional>
#include <string_view>

namespace brimvale {

// Returns the leading number of text: leading blanks (spaces, tabs) skipped, an optional sign, digits
// with at most one period, an optional exponent (E or e, optional sign, digits); the first other
// character ends it, and an exponent without digits is ignored ("1e+" gives 1). Never fails: a text
// without a leading number gives 0, a number beyond the range of a double gives an infinity of its sign
// (on which the checked conversions fail), one too small for a double gives zero.
double numericValue(std::string_view text);

// Returns the number that the whole text spells (blanks around it allowed, the same number form as
// numericValue but with nothing else and with digits after any exponent letter), or nothing when the
// text is not exactly one number; an empty text is not a number. Out-of-range values behave as in
// numericValue.
std::optional<double> wholeNumber(std::string_view text);

} // namespace brimvale
