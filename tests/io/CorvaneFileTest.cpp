// Corvane files: the calibration matrix of either layout, the kind it holds, and the profile matrix.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "io/CorvaneMatrixReader.h"
#include "io/CsvFieldReader.h"
#include "io/MatrixKindDecision.h"
#include "io/ProfileFileReader.h"
#include "support/CorvaneFileBuilder.h"
#include "support/FailureKind.h"

namespace brimvale {
namespace {

using test::CorvaneFileBuilder;
using test::Failure;
using test::mismatch;
using test::pastEnd;
using Kind = RuntimeFailure::Kind;
using Layout = CorvaneMatrix::Layout;
using T = NumberOrText;
using HeadValues = std::map<int, T>;
constexpr int steps = ProbabilityGrid::Steps;

// Cell (i, j) carries both indices, so that any misplacement shows; one division of whole units gives
// the double nearest the decimal, which is what reading its text gives.
double encoded(int i, int j)
{
    return (i * 1000 + j) / 1000.0;
}

// The builder's older probability file, resp. its newer file of `lines` head lines, with titles "X" and
// "Y", encoded cells and the given head values in place of the default ones.
CorvaneFileBuilder file(CorvaneFileBuilder builder, const HeadValues& values)
{
    builder.titles("X", "Y").cells(encoded);
    for (const auto& [position, value] : values)
        builder.headValue(position, value);
    return builder;
}
std::string olderFile(const HeadValues& values = {})
{
    return file(CorvaneFileBuilder::probabilityMatrix(), values).contents();
}
std::string newerFile(int lines = 15, const HeadValues& values = {})
{
    return file(CorvaneFileBuilder().headLineCount(lines), values).contents();
}

std::unique_ptr<CorvaneMatrix> readMatrix(std::string contents, std::vector<Layout>* told = nullptr)
{
    CsvFieldReader reader(std::move(contents));
    return readCorvaneMatrix(reader, [told](Layout layout) {
        if (told)
            told->push_back(layout);
    });
}

// Older coefficients take the leading number of their field (values 8 and 9 are read leniently too);
// newer ones are texts, empty when the head note stops before them. Values 9 and 10 of the newer head
// note must be numbers, so it has at least 11 lines; its first value counts them, rounded half to even
// (13.5 lines give 12 pairs). Notes after the last matrix row are left unread.
TEST(CorvaneMatrixReaderTest, ReadsBothLayouts)
{
    // clang-format off
    const std::tuple<std::string, T, T> cases[] = {
        {olderFile(), T::fromNumber(95), T::fromNumber(68)},
        {olderFile({{8, T::fromText("n/a")}, {9, T{}}, {10, T::fromText(" 68.5 %")}, {11, T::fromText("")}}),
         T::fromNumber(68.5), T::fromNumber(0)},
        {newerFile(), T::fromText("95"), T::fromText("68")},
        {newerFile(11), T::fromText(""), T::fromText("")},
        {newerFile(21), T::fromText("95"), T::fromText("68")},
        {newerFile(13, {{1, T::fromText("13.5")}}), T::fromText(""), T::fromText("")},
        {newerFile(15, {{1, T::fromNumber(15)}, {9, T::fromText(" 12.5 ")}, {13, T::fromNumber(90)}}),
         T::fromText("90"), T::fromText("68")},
    };
    // clang-format on
    for (const auto& [contents, coefficient1, coefficient2] : cases) {
        const bool older = contents.starts_with("\"Corvane output file\"");
        const std::string name = contents.substr(0, 200);
        const auto matrix = readMatrix(contents + "\"trailing\",\"notes\"\r\n");
        EXPECT_EQ(matrix->layout, older ? Layout::Older : Layout::Newer) << name;
        EXPECT_EQ(matrix->kindText, older ? "Probability" : CorvaneNewerFirstField) << name;
        EXPECT_EQ(matrix->horizontalTitle + matrix->verticalTitle, "XY") << name;
        EXPECT_EQ(matrix->coefficient1, coefficient1) << name;
        EXPECT_EQ(matrix->coefficient2, coefficient2) << name;
        // The heading row's numbers never survive: each matrix row overwrites its axis value.
        for (int r = 0; r < steps; ++r)
            ASSERT_EQ(matrix->axisValues[r], CorvaneFileBuilder::axisValue(r)) << name << " row " << r;
        for (int i = 0; i < steps; ++i)
            for (int j = 0; j < steps; ++j)
                ASSERT_EQ(matrix->grid(i, j), encoded(i, j)) << name << " cell " << i << ", " << j;
    }

    // The layout is told as soon as the first field is known, even when the file then fails.
    std::vector<Layout> told;
    readMatrix(olderFile(), &told);
    EXPECT_THROW(readMatrix(newerFile(5), &told), RuntimeFailure);
    EXPECT_THROW(readMatrix("Other", &told), RuntimeFailure);
    EXPECT_EQ(told, (std::vector{Layout::Older, Layout::Newer}));
}

TEST(CorvaneMatrixReaderTest, RefusesFilesItCannotRead)
{
    const std::string valid = newerFile();
    // The heading row begins with 100, the number for column 200.
    std::string heading = valid;
    heading.replace(heading.find("\r\n,100,"), 7, "\r\n,x,");
    // clang-format off
    const std::pair<std::string, Failure> cases[] = {
        {"", pastEnd},
        {"\"Brimvale common output format\",1",
         {Kind::InvalidData, "Not a Corvane output file: \"Brimvale common output format\""}},
        {newerFile(15, {{1, T::fromText("15 lines")}}), mismatch("15 lines")},
        {newerFile(10), mismatch("")},
        {newerFile(22), {Kind::SubscriptOutOfRange, "Head note of more than 20 pairs"}},
        {newerFile(15, {{9, T::fromText("n/a")}}), mismatch("n/a")},
        {newerFile(15, {{10, T::fromNumber(1e39)}}), {Kind::Overflow, "Overflow converting to Single"}},
        {olderFile({{10, T::fromText("1e999")}}), {Kind::Overflow, "Overflow in a head-note number"}},
        {heading, mismatch("x")},
        {CorvaneFileBuilder().axisValues([](int r) { return r == 9 ? NAN : 1.0f; }).contents(),
         mismatch("NaN")},
        {CorvaneFileBuilder().cellField(17, 42, "0.2x").contents(), mismatch("0.2x")},
        {CorvaneFileBuilder().cellField(17, 42, "1e400").contents(), {Kind::Overflow, "Overflow in field \"1e400\""}},
        {valid.substr(0, 200), {Kind::ReadPastEnd, "Unmatched double quote"}},
        {valid.substr(0, valid.rfind(',')), pastEnd},
    };
    // clang-format on
    for (const auto& [contents, failure] : cases)
        EXPECT_EQ(test::failureOf([&c = contents] { readMatrix(c); }), failure) << contents.substr(0, 300);
}

// Negative cells never raise the maximum; 3.00000001 is above 3 as a Double, 3 as a Single.
TEST(MatrixKindDecisionTest, GridMaximumComparesSingles)
{
    auto grid = std::make_unique<ProbabilityGrid>();
    EXPECT_EQ(gridMaximum(*grid), 0.0f);
    (*grid)(4, 5) = -7.5;
    (*grid)(0, 200) = 2.5;
    (*grid)(200, 200) = 1.75;
    EXPECT_EQ(gridMaximum(*grid), 2.5f);
    (*grid)(100, 100) = 3.00000001;
    EXPECT_EQ(gridMaximum(*grid), 3.0f);
    (*grid)(37, 12) = 1e39;
    EXPECT_EQ(test::failureKind([&] { gridMaximum(*grid); }), Kind::Overflow);
}

TEST(MatrixKindDecisionTest, FirstMatchingKindWins)
{
    using K = MatrixKindDecision::Kind;
    const MatrixKindDecision probability{K::Probability, true}, confidence{K::Confidence, true};
    const MatrixKindDecision mixed{K::Confidence, false}, packed{K::Packed, false};
    const float above3 = std::nextafter(3.0f, 4.0f);
    const std::string newer(CorvaneNewerFirstField);
    const std::nullopt_t unknown = std::nullopt;
    // clang-format off
    const std::tuple<std::string, float, std::optional<MatrixKindDecision>> cases[] = {
        {"Probability", 0.0f, probability}, {"Probability", 7.5f, probability},
        {"Confidence", 1.5f, probability}, {"Confidence", 2.0f, confidence}, {"Confidence", 3.0f, confidence},
        {"Confidence", above3, mixed}, {"Pollen", 1.9999999f, probability}, {"Pollen", 2.0f, unknown},
        {"Pollen", 3.0f, confidence}, {"Pollen", above3, unknown}, {"probability", 2.5f, unknown},
        {newer, 1.5f, probability}, {newer, 3.0f, confidence}, {newer, 2.0f, packed}, {newer, 3.9f, packed},
    };
    // clang-format on
    for (const auto& [kindText, maximum, expected] : cases) {
        std::optional<MatrixKindDecision> decision;
        const auto failure =
            test::failureKind([&, k = kindText, m = maximum] { decision = decideMatrixKind(k, m); });
        EXPECT_EQ(decision, expected) << kindText << " " << maximum;
        EXPECT_EQ(failure, expected ? std::nullopt : std::optional(Kind::InvalidData)) << kindText;
    }
}

// Values 8 and 9 are strict Singles here, where the calibration reader takes them leniently; values 10
// and 11 may be numbers or texts. Only the older layout holds a profile.
TEST(ProfileFileReaderTest, KeepsTheFileOrderOfEachRow)
{
    const auto half = [](int r) { return 0.5f * r; };
    const HeadValues head{
        {8, T::fromText("0.5")}, {10, T::fromText("95%")}, {11, T{}}, {3, T::fromNumber(7)}};
    CsvFieldReader reader(file(CorvaneFileBuilder::probabilityMatrix().axisValues(half), head).contents());
    const ProfileMatrix profile = readProfileFile(reader);
    EXPECT_EQ(profile.kindText, "Probability");
    // The first cell of file row r is element (r, 0); in the builder's grid it is column 200.
    for (int r = 0; r < steps; ++r) {
        ASSERT_EQ(profile.values[r], 0.5f * r) << "row " << r;
        for (int c = 0; c < steps; ++c)
            ASSERT_EQ(profile(r, c), static_cast<float>(encoded(200 - c, r))) << "element " << r << ", " << c;
    }
    CsvFieldReader notANumber(olderFile({{8, T::fromText("n/a")}})), newer(newerFile());
    EXPECT_EQ(test::failureOf([&] { readProfileFile(notANumber); }), mismatch("n/a"));
    EXPECT_EQ(test::failureOf([&] { readProfileFile(newer); }),
              (Failure{Kind::InvalidData, "Not an older-layout Corvane output file"}));
}

} // namespace
} // namespace brimvale
