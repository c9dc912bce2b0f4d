// The largest cell of a calibration grid and the matrix kind decided from it and the kind text.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <optional>
#include <string>

#include "io/CorvaneMatrixReader.h"
#include "io/CsvFieldReader.h"
#include "io/MatrixKindDecision.h"
#include "support/CorvaneFileBuilder.h"
#include "support/FailureKind.h"

using namespace brimvale;
using brimvale::test::CorvaneFileBuilder;
using Kind = MatrixKindDecision::Kind;
using Failure = RuntimeFailure::Kind;

namespace {

constexpr const char* newerKind = "Corvane common output format";

std::optional<MatrixKindDecision> decision(const std::string& kindText, float maximum)
{
    try {
        return decideMatrixKind(kindText, maximum);
    } catch (const RuntimeFailure& failure) {
        EXPECT_EQ(failure.kind(), Failure::InvalidData);
        return std::nullopt;
    }
}

// The decision for a file as the window makes it: read, take the grid's maximum, decide.
std::optional<MatrixKindDecision> decisionForFile(const CorvaneFileBuilder& builder)
{
    CsvFieldReader reader(builder.contents());
    const auto matrix = readCorvaneMatrix(reader);
    return decision(matrix->kindText, gridMaximum(matrix->grid));
}

} // namespace

TEST(MatrixKindDecisionTest, GridMaximumComparesSingles)
{
    auto grid = std::make_unique<ProbabilityGrid>();
    EXPECT_EQ(gridMaximum(*grid), 0.0f);

    (*grid)(4, 5) = -7.5;
    (*grid)(200, 0) = -0.25;
    EXPECT_EQ(gridMaximum(*grid), 0.0f) << "negative cells never raise the maximum";

    (*grid)(0, 200) = 2.5;
    (*grid)(200, 200) = 1.75;
    EXPECT_EQ(gridMaximum(*grid), 2.5f);

    // Just above 3 as a Double, but exactly 3 once stored as a Single.
    (*grid)(100, 100) = 3.00000001;
    EXPECT_EQ(gridMaximum(*grid), 3.0f);

    (*grid)(37, 12) = 1e39;
    EXPECT_EQ(test::failureKind([&] { gridMaximum(*grid); }), Failure::Overflow);
}

TEST(MatrixKindDecisionTest, FirstMatchingKindWins)
{
    const float justAboveThree = std::nextafter(3.0f, 4.0f);
    struct Case {
        const char* kindText;
        float maximum;
        std::optional<MatrixKindDecision> expected;
    };
    const Case cases[] = {
        {"Probability", 0.0f, MatrixKindDecision{Kind::Probability, true}},
        {"Probability", 7.5f, MatrixKindDecision{Kind::Probability, true}},
        {"Confidence", 1.5f, MatrixKindDecision{Kind::Probability, true}},
        {"Confidence", 2.0f, MatrixKindDecision{Kind::Confidence, true}},
        {"Confidence", 3.0f, MatrixKindDecision{Kind::Confidence, true}},
        {"Confidence", justAboveThree, MatrixKindDecision{Kind::Confidence, false}},
        {"Confidence", 3.5f, MatrixKindDecision{Kind::Confidence, false}},
        {"Pollen", 1.9999999f, MatrixKindDecision{Kind::Probability, true}},
        {"Pollen", 2.0f, std::nullopt},
        {"Pollen", 3.0f, MatrixKindDecision{Kind::Confidence, true}},
        {"Pollen", justAboveThree, std::nullopt},
        {"probability", 2.5f, std::nullopt},
        {"Corvane output file", 3.5f, std::nullopt},
        {newerKind, 1.5f, MatrixKindDecision{Kind::Probability, true}},
        {newerKind, 3.0f, MatrixKindDecision{Kind::Confidence, true}},
        {newerKind, 2.0f, MatrixKindDecision{Kind::Packed, false}},
        {newerKind, 3.9f, MatrixKindDecision{Kind::Packed, false}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(decision(c.kindText, c.maximum), c.expected) << c.kindText << " " << c.maximum;
}

// Through the reader, so that the kind text and the maximum come from each layout's own place.
TEST(MatrixKindDecisionTest, DecidesGeneratedFiles)
{
    struct Case {
        const char* name;
        CorvaneFileBuilder builder;
        std::optional<MatrixKindDecision> expected;
    };
    const Case cases[] = {
        {"newer packed", CorvaneFileBuilder(), MatrixKindDecision{Kind::Packed, false}},
        {"newer below 2", CorvaneFileBuilder().cells(CorvaneFileBuilder::probabilityCell),
         MatrixKindDecision{Kind::Probability, true}},
        {"older probability", CorvaneFileBuilder::probabilityMatrix(),
         MatrixKindDecision{Kind::Probability, true}},
        {"older confidence above 3", CorvaneFileBuilder::confidenceMatrix().cells([](int i, int j) {
             return i == 50 && j == 60 ? 3.25 : CorvaneFileBuilder::confidenceCell(i, j);
         }),
         MatrixKindDecision{Kind::Confidence, false}},
        {"older unknown kind packed",
         CorvaneFileBuilder().layout(CorvaneFileBuilder::Layout::Older).kindText("Pollen"), std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(decisionForFile(c.builder), c.expected) << c.name;
}
