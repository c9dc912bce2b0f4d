// What kind of calibration matrix a grid holds, decided from its largest cell and its kind text.
#include "io/MatrixKindDecision.h"

#include <string>

#include "io/CorvaneMatrixReader.h"
#include "model/Conversions.h"
#include "model/NumberText.h"
#include "model/RuntimeFailure.h"

namespace brimvale {

namespace {

constexpr float probabilityCeiling = 2.0f;
// Old Corvane versions wrote confidence matrices whose largest class code is exactly the mode's 3.
constexpr float confidenceMaximum = 3.0f;

} // namespace

float gridMaximum(const ProbabilityGrid& grid)
{
    float maximum = 0.0f;
    for (int i = 0; i < ProbabilityGrid::Steps; ++i) {
        for (int j = 0; j < ProbabilityGrid::Steps; ++j) {
            const float cell = toSingle(grid(i, j));
            if (cell > maximum)
                maximum = cell;
        }
    }
    return maximum;
}

MatrixKindDecision decideMatrixKind(std::string_view kindText, float maximum)
{
    using Kind = MatrixKindDecision::Kind;
    if (maximum < probabilityCeiling || kindText == "Probability")
        return {Kind::Probability, true};
    if (maximum == confidenceMaximum || kindText == "Confidence")
        return {Kind::Confidence, maximum <= confidenceMaximum};
    if (kindText == CorvaneNewerFirstField)
        return {Kind::Packed, false};
    raiseFailure(RuntimeFailure::Kind::InvalidData, "Unknown matrix kind \"" + std::string(kindText) +
                                                        "\" with largest cell " + singleText(maximum));
}

} // namespace brimvale
