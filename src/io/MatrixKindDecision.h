// What kind of calibration matrix a grid holds, decided from its largest cell and its kind text.
#pragma once

#include <string_view>

#include "model/ProbabilityGrid.h"

namespace brimvale {

struct MatrixKindDecision {
    enum class Kind {
        Probability, // cells are plain probabilities
        Confidence,  // cells are class codes
        Packed,      // cells carry a class code and a probability each
    };

    Kind kind = Kind::Packed;
    // LegacyMatrix: the matrix holds one kind only, so the view cannot be switched.
    bool legacy = false;

    bool operator==(const MatrixKindDecision&) const = default;
};

// Returns the largest cell of the grid as a Single, never below 0; raises Overflow for a cell beyond
// the range of a Single.
float gridMaximum(const ProbabilityGrid& grid);

// Returns the first kind that fits: probability when maximum < 2 or the kind text is "Probability";
// confidence when maximum is exactly 3 or the kind text is "Confidence" (legacy when maximum <= 3);
// packed when the kind text is the newer layout's first field. Raises InvalidData when none fits.
MatrixKindDecision decideMatrixKind(std::string_view kindText, float maximum);

} // namespace brimvale
