// Every row's full distribution in long form: one CSV line per section row and climate step.
#pragma once

#include <string>

#include "cli/SectionView.h"

namespace brimvale {

// A cell's magnitude split into its class code and its probability, both as decimal text.
struct CellParts {
    std::string classCode;
    std::string probability;
};

// Splits the shortest decimal text of the magnitude (as a 32-bit float, as the view compares cells)
// at its decimal point, so a cell of 2.0123 gives class "2" and probability "0.0123" exactly, without
// the binary noise of subtracting the class.
CellParts splitMagnitude(float magnitude);

// The whole table: a header line, then for every row from 0 down and every climate step from left to
// right its row, vertical value, climate value, probability, class code, and 1 or 0 for whether the
// cell marks the mode (magnitude 3 or more) and the average (negative); CR LF line ends. Raises Overflow,
// placed at the row and column, for a cell whose magnitude is beyond the range of a Single.
std::string composeSectionProfiles(const SectionView& view);

} // namespace brimvale
