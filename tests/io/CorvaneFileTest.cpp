// Corvane files: the calibration matrix of either layout, the kind it holds, and the profile matrix.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "io/CorvaneMatrixReader.h"
#include "io/CsvFieldReader.h"
#include "io/MatrixKindDecision.h"
#include "io/ProfileFileReader.h"
#include "support/CorvaneFileBuilder.h"
#include "support/FailureKind.h"
#include "support/ScratchFolder.h"

namespace brimvale {
namespace {

using test::CorvaneFileBuilder;
using test::Failure;
using Kind = RuntimeFailure::Kind;
using Layout = CorvaneMatrix::Layout;
using T = NumberOrText;
constexpr int steps = ProbabilityGrid::Steps;

// Cell (i, j) carries both indices, so that any misplacement shows; one division of whole units gives
// the double nearest the decimal, which is what reading its text gives.
double encoded(int i, int j)
{
    return (i * 1000 + j) / 1000.0;
}

std::unique_ptr<CorvaneMatrix> readMatrix(std::string contents, std::vector<Layout>* told = nullptr)
{
    CsvFieldReader reader(std::move(contents));
    return readCorvaneMatrix(reader, [told](Layout layout) {
        if (told)
            told->push_back(layout);
    });
}

TEST(CorvaneMatrixReaderTest, ReadsBothLayouts)
{
    struct Case {
        const char* name;
        CorvaneFileBuilder file;
        Layout layout;
        std::string kindText;
        T coefficient1, coefficient2;
        double (*cell)(int, int) = encoded;
    };
    const auto older = CorvaneFileBuilder::probabilityMatrix().titles("X title", "Y title").cells(encoded);
    const auto newer = CorvaneFileBuilder().titles("X title", "Y title").cells(encoded);
    const std::string newerKind(CorvaneNewerFirstField);
    // Older coefficients take the leading number of their field; newer ones are texts, empty when the
    // head note stops before them. Values 9 and 10 of the newer head note must be numbers, so it has at
    // least 11 lines; its first value counts the lines, rounded half to even (13.5 gives 12 pairs).
    // clang-format off
    const Case cases[] = {
        {"older", older, Layout::Older, "Probability", T::fromNumber(95), T::fromNumber(68)},
        {"older coefficients as texts", CorvaneFileBuilder(older).headValue(10, T::fromText(" 68.5 %"))
             .headValue(11, T::fromText("about 90")), Layout::Older, "Probability", T::fromNumber(68.5), T::fromNumber(0)},
        {"older values 8 and 9 taken leniently", CorvaneFileBuilder(older).headValue(8, T::fromText("n/a"))
             .headValue(9, T{}).headValue(10, T::fromText("1e2 percent")), Layout::Older, "Probability", T::fromNumber(100),
         T::fromNumber(68)},
        {"older confidence", CorvaneFileBuilder::confidenceMatrix().titles("X title", "Y title"), Layout::Older, "Confidence", T::fromNumber(95),
         T::fromNumber(68), CorvaneFileBuilder::confidenceCell},
        {"newer, notes after the last row unread", newer, Layout::Newer, newerKind, T::fromText("95"), T::fromText("68")},
        {"newer of 11 lines", CorvaneFileBuilder(newer).headLineCount(11), Layout::Newer, newerKind, T::fromText(""),
         T::fromText("")},
        {"newer of 14 lines", CorvaneFileBuilder(newer).headLineCount(14), Layout::Newer, newerKind, T::fromText("95"),
         T::fromText("")},
        {"newer of 21 lines", CorvaneFileBuilder(newer).headLineCount(21), Layout::Newer, newerKind, T::fromText("95"),
         T::fromText("68")},
        {"newer of 13.5 lines", CorvaneFileBuilder(newer).headLineCount(13).headValue(1, T::fromText("13.5")),
         Layout::Newer, newerKind, T::fromText(""), T::fromText("")},
        {"newer numbers bare", CorvaneFileBuilder(newer).headValue(1, T::fromNumber(15)).headValue(9, T::fromText(" 12.5 "))
             .headValue(13, T::fromNumber(90)), Layout::Newer, newerKind, T::fromText("90"), T::fromText("68")},
    };
    // clang-format on
    for (const Case& c : cases) {
        std::vector<Layout> told;
        const auto matrix = readMatrix(c.file.contents() + "\"trailing\",\"notes\"\r\n", &told);
        EXPECT_EQ(told, std::vector<Layout>{c.layout}) << c.name;
        EXPECT_EQ(matrix->layout, c.layout) << c.name;
        EXPECT_EQ(matrix->kindText, c.kindText) << c.name;
        EXPECT_EQ(matrix->horizontalTitle, "X title") << c.name;
        EXPECT_EQ(matrix->verticalTitle, "Y title") << c.name;
        EXPECT_EQ(matrix->coefficient1, c.coefficient1) << c.name;
        EXPECT_EQ(matrix->coefficient2, c.coefficient2) << c.name;
        // The heading row's numbers never survive: each matrix row overwrites its axis value.
        for (int r = 0; r < steps; ++r)
            ASSERT_EQ(matrix->axisValues[r], CorvaneFileBuilder::axisValue(r)) << c.name << " row " << r;
        for (int i = 0; i < steps; ++i)
            for (int j = 0; j < steps; ++j)
                ASSERT_EQ(matrix->grid(i, j), c.cell(i, j)) << c.name << " cell " << i << ", " << j;
    }
}

TEST(CorvaneMatrixReaderTest, RefusesFilesItCannotRead)
{
    const std::string valid = CorvaneFileBuilder().contents();
    const auto cutAt = [&](std::size_t end) { return valid.substr(0, end); };
    const auto newer = [](int position, T value) { return CorvaneFileBuilder().headValue(position, value).contents(); };
    const auto mismatch = [](const std::string& field) {
        return Failure{Kind::TypeMismatch, "Type mismatch in field \"" + field + "\""};
    };
    const Failure pastEnd{Kind::ReadPastEnd, "Input past end of file"};
    const auto notCorvane = [](const std::string& field) {
        return Failure{Kind::InvalidData, "Not a Corvane output file: \"" + field + "\""};
    };
    // The heading row of the default file begins with 100, the number for column 200.
    std::string heading = valid;
    heading.replace(heading.find("\r\n,100,"), 7, "\r\n,x,");
    // clang-format off
    const std::tuple<const char*, std::string, Failure, std::vector<Layout>> cases[] = {
        {"empty file", "", pastEnd, {}},
        {"another first field", CorvaneFileBuilder().firstField("Brimvale common output format").contents(),
         notCorvane("Brimvale common output format"), {}},
        {"first field in other case", CorvaneFileBuilder().firstField("corvane output file").contents(),
         notCorvane("corvane output file"), {}},
        {"first field with a blank", CorvaneFileBuilder().firstField("Corvane output file ").contents(),
         notCorvane("Corvane output file "), {}},
        {"line count not a number", newer(1, T::fromText("fifteen")), mismatch("fifteen"), {Layout::Newer}},
        {"line count with a unit", newer(1, T::fromText("15 lines")), mismatch("15 lines"), {Layout::Newer}},
        {"line count beyond an Integer", newer(1, T::fromNumber(40000)), {Kind::Overflow, "Overflow converting to Integer"},
         {Layout::Newer}},
        {"10 lines: no value 10", CorvaneFileBuilder().headLineCount(10).contents(), mismatch(""), {Layout::Newer}},
        {"22 lines", CorvaneFileBuilder().headLineCount(22).contents(),
         {Kind::SubscriptOutOfRange, "Head note of more than 20 pairs"}, {Layout::Newer}},
        {"value 9 not a number", newer(9, T::fromText("n/a")), mismatch("n/a"), {Layout::Newer}},
        {"value 10 empty", newer(10, T{}), mismatch(""), {Layout::Newer}},
        {"value 10 beyond a Single", newer(10, T::fromNumber(1e39)), {Kind::Overflow, "Overflow converting to Single"},
         {Layout::Newer}},
        {"older coefficient beyond a Double", CorvaneFileBuilder::confidenceMatrix().headValue(10, T::fromText("1e999"))
             .contents(), {Kind::Overflow, "Overflow in a head-note number"}, {Layout::Older}},
        {"a heading number not a number", heading, mismatch("x"), {Layout::Newer}},
        {"an axis value not a number", CorvaneFileBuilder().axisValues([](int r) { return r == 9 ? NAN : 1.0f; })
             .contents(), mismatch("NaN"), {Layout::Newer}},
        {"a cell not a number", CorvaneFileBuilder().cellField(17, 42, "0.2x").contents(), mismatch("0.2x"),
         {Layout::Newer}},
        {"an empty cell at a line end", CorvaneFileBuilder().cellField(0, 100, "").contents(), mismatch(""),
         {Layout::Newer}},
        {"a cell beyond a Double", CorvaneFileBuilder().cellField(5, 5, "1e400").contents(),
         {Kind::Overflow, "Overflow in field \"1e400\""}, {Layout::Newer}},
        {"cut in the head note", cutAt(200), pastEnd, {Layout::Newer}},
        {"cut after the heading row", cutAt(valid.find("\r\n", valid.find("\r\n,100,") + 2) + 2), pastEnd, {Layout::Newer}},
        {"last row missing", cutAt(valid.rfind("\r\n", valid.size() - 3) + 2), pastEnd, {Layout::Newer}},
        {"last cell missing", cutAt(valid.rfind(',')), pastEnd, {Layout::Newer}},
    };
    // clang-format on
    for (const auto& [name, contents, failure, layouts] : cases) {
        std::vector<Layout> told;
        EXPECT_EQ(test::failureOf([&] { readMatrix(contents, &told); }), failure) << name;
        EXPECT_EQ(told, layouts) << name; // told before the rest is read
    }

    test::ScratchFolder folder;
    const auto path = folder.file("confidence.csv");
    CorvaneFileBuilder::confidenceMatrix().writeTo(path);
    EXPECT_EQ(readCorvaneMatrix(path)->kindText, "Confidence");
    EXPECT_EQ(test::failureKind([&] { readCorvaneMatrix(folder.file("missing.csv")); }), Kind::FileError);
}

TEST(MatrixKindDecisionTest, GridMaximumComparesSingles)
{
    auto grid = std::make_unique<ProbabilityGrid>();
    EXPECT_EQ(gridMaximum(*grid), 0.0f);
    (*grid)(4, 5) = -7.5; // negative cells never raise the maximum
    EXPECT_EQ(gridMaximum(*grid), 0.0f);
    (*grid)(0, 200) = 2.5;
    (*grid)(200, 200) = 1.75;
    EXPECT_EQ(gridMaximum(*grid), 2.5f);
    (*grid)(100, 100) = 3.00000001; // above 3 as a Double, 3 as a Single
    EXPECT_EQ(gridMaximum(*grid), 3.0f);
    (*grid)(37, 12) = 1e39;
    EXPECT_EQ(test::failureKind([&] { gridMaximum(*grid); }), Kind::Overflow);
}

TEST(MatrixKindDecisionTest, FirstMatchingKindWins)
{
    using K = MatrixKindDecision::Kind;
    const float aboveThree = std::nextafter(3.0f, 4.0f);
    const std::string newer(CorvaneNewerFirstField);
    const std::optional<MatrixKindDecision> unknown;
    const std::tuple<std::string, float, std::optional<MatrixKindDecision>> cases[] = {
        {"Probability", 0.0f, MatrixKindDecision{K::Probability, true}},
        {"Probability", 7.5f, MatrixKindDecision{K::Probability, true}},
        {"Confidence", 1.5f, MatrixKindDecision{K::Probability, true}},
        {"Confidence", 2.0f, MatrixKindDecision{K::Confidence, true}},
        {"Confidence", 3.0f, MatrixKindDecision{K::Confidence, true}},
        {"Confidence", aboveThree, MatrixKindDecision{K::Confidence, false}},
        {"Pollen", 1.9999999f, MatrixKindDecision{K::Probability, true}},
        {"Pollen", 2.0f, unknown},
        {"Pollen", 3.0f, MatrixKindDecision{K::Confidence, true}},
        {"Pollen", aboveThree, unknown},
        {"probability", 2.5f, unknown},
        {newer, 1.5f, MatrixKindDecision{K::Probability, true}},
        {newer, 3.0f, MatrixKindDecision{K::Confidence, true}},
        {newer, 2.0f, MatrixKindDecision{K::Packed, false}},
        {newer, 3.9f, MatrixKindDecision{K::Packed, false}},
    };
    for (const auto& [kindText, maximum, expected] : cases) {
        std::optional<MatrixKindDecision> decision;
        const auto failure = test::failureKind([&] { decision = decideMatrixKind(kindText, maximum); });
        EXPECT_EQ(decision, expected) << kindText << " " << maximum;
        EXPECT_EQ(failure, expected ? std::nullopt : std::optional(Kind::InvalidData)) << kindText << " " << maximum;
    }
}

ProfileMatrix readProfile(std::string contents)
{
    CsvFieldReader reader(std::move(contents));
    return readProfileFile(reader);
}

TEST(ProfileFileReaderTest, KeepsTheFileOrderOfEachRow)
{
    test::ScratchFolder folder;
    const auto path = folder.file("profile.csv");
    CorvaneFileBuilder::probabilityMatrix().axisValues([](int r) { return 0.5f * r - 20.0f; }).cells(encoded).writeTo(path);
    const ProfileMatrix profile = readProfileFile(path);
    EXPECT_EQ(profile.kindText, "Probability");
    // The first cell of file row r is element (r, 0); in the builder's grid it is column 200.
    for (int r = 0; r < steps; ++r) {
        ASSERT_EQ(profile.values[r], 0.5f * r - 20.0f) << "row " << r;
        for (int c = 0; c < steps; ++c)
            ASSERT_EQ(profile(r, c), static_cast<float>(encoded(200 - c, r))) << "element " << r << ", " << c;
    }
}

TEST(ProfileFileReaderTest, ReadsOrRefusesHeadValuesAndFiles)
{
    const std::string valid = CorvaneFileBuilder::probabilityMatrix().contents();
    const auto head = [](int position, T value) {
        return CorvaneFileBuilder::confidenceMatrix().headValue(position, value).contents();
    };
    const auto mismatch = [](const std::string& field) {
        return Failure{Kind::TypeMismatch, "Type mismatch in field \"" + field + "\""};
    };
    const Failure notOlder{Kind::InvalidData, "Not an older-layout Corvane output file"};
    const Failure pastEnd{Kind::ReadPastEnd, "Input past end of file"};
    const Failure overflow{Kind::Overflow, "Overflow converting to Single"};
    // Values 8 and 9 are strict Singles here, where the calibration reader takes them leniently; values
    // 10 and 11 may be numbers or texts.
    // clang-format off
    const std::pair<std::string, std::optional<Failure>> cases[] = {
        {head(8, T::fromText("0.5")), std::nullopt}, {head(10, T::fromText("95%")), std::nullopt},
        {head(11, T{}), std::nullopt}, {head(3, T::fromNumber(7)), std::nullopt},
        {head(8, T::fromText("n/a")), mismatch("n/a")}, {head(9, T{}), mismatch("")},
        {head(9, T::fromNumber(1e39)), overflow}, {CorvaneFileBuilder().contents(), notOlder},
        {CorvaneFileBuilder().firstField("Brimvale output file").contents(), notOlder}, {"", pastEnd},
        {CorvaneFileBuilder::probabilityMatrix().cellField(3, 4, "x").contents(), mismatch("x")},
        {CorvaneFileBuilder::probabilityMatrix().cellField(3, 4, "4e38").contents(), overflow},
        {valid.substr(0, valid.rfind(',')), pastEnd}, {valid.substr(0, 150), pastEnd},
    };
    // clang-format on
    for (const auto& [contents, failure] : cases)
        EXPECT_EQ(test::failureOf([&] { readProfile(contents); }), failure) << contents.substr(0, 300);
}

} // namespace
} // namespace brimvale
