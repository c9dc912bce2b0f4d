// The numeric value of a text: its leading number, as captions, range boxes and lenient fields read it.
#pragma once

#include <string_view>

namespace brimvale {

// Returns the leading number of text: leading blanks skipped, an optional sign, digits with at most one
// period, an optional exponent (E or e, optional sign, digits); the first other character ends it.
// Never fails: a text without a leading number gives 0, a number beyond the range of a double gives
// an infinity of its sign (on which the checked conversions fail).
double numericValue(std::string_view text);

} // namespace brimvale
