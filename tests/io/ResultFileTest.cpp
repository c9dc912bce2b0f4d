// The result file: composed from what the window shows, saved without harm, and read back.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "io/CsvFieldReader.h"
#include "io/ResultFileReader.h"
#include "io/ResultFileWriter.h"
#include "support/FailureKind.h"
#include "support/ScratchFolder.h"
#include "support/SplitText.h"

namespace brimvale {
namespace {

namespace fs = std::filesystem;
using Kind = RuntimeFailure::Kind;
using Stage = ResultFileOutcome::Stage;
using test::Failure;
using test::split;
using T = NumberOrText;

// tests/data/io/result-small.csv: an axis of 0 to 200 by 1, rows of 0 to 100 by 25, these cells (as read
// back) and zeros elsewhere, the fifth row all zeros.
const std::string smallFile = test::readBytes(BRIMVALE_IO_TEST_DATA "/result-small.csv");
const std::tuple<int, int, double> smallCells[] = {
    {0, 0, 3.25},   {1, 0, -1.5},         {2, 0, 2.0473}, {100, 1, 0.333333333333333},
    {200, 2, 1e-5}, {198, 2, 12345678.9}, {199, 2, -0.0}, {50, 3, -3.999}};

// What the small file was composed from; sliders 511 and 4 give four steps, 4 * 511.00000000000006 / 511
// lying just above 4. The grid has four rows, the fifth is written as zeros.
ResultFileInput smallInput()
{
    // clang-format off
    ResultFileInput input{.dataFileName = "C:\\data\\core, 2.csv", .dataXTitle = "Pinus (%)",
                          .dataYTitle = "Depth (cm)", .matrixFileName = "july.csv", .matrixXTitle = "Pinus", .matrixYTitle = "",
                          .smoothingCaption = "3", .axisLeftCaption = "0", .axisRightCaption = "200",
                          .sectionTopCaption = "0", .sectionBottomCaption = "100",
                          .confidenceCoefficient1 = T::fromNumber(95),
                          .confidenceCoefficient2 = T::fromText("68"), .slider1 = 511, .slider2 = 4,
                          .exportGrid = ExportGrid(4)};
    // clang-format on
    for (const auto& [i, j, value] : smallCells)
        input.exportGrid(i, j) = value;
    input.exportGrid(100, 1) = 1.0 / 3; // written to 15 digits
    return input;
}

// The small section gives the small file; in changed inputs, fields are given by line (1 for the first)
// and position (0 for the first) in the line.
TEST(ResultFileWriterTest, ValuesComeFromTheCaptionsAndSlidersOrNothingIsComposed)
{
    EXPECT_EQ(composeResultFile(smallInput()), smallFile);
    using In = ResultFileInput;
    struct Case {
        void (*change)(In&);
        std::map<std::pair<int, int>, std::string> fields;
        std::optional<Failure> failure = {};
    };
    const Failure byZero{Kind::DivisionByZero, "Division by zero"};
    const Failure single{Kind::Overflow, "Overflow converting to Single"};
    const Failure division{Kind::Overflow, "Overflow in division"};
    // clang-format off
    const Case cases[] = {
        // Axis -10 to 30, rows 100 to 0; line 21 is the empty rest after the last line end.
        {[](In& in) { in.axisLeftCaption = "-10", in.axisRightCaption = "30", in.sectionTopCaption = "100",
                      in.sectionBottomCaption = "0"; },
         {{{15, 0}, ""}, {{15, 1}, "-10"}, {{15, 2}, "-9.8"}, {{15, 101}, "10"}, {{15, 201}, "30"},
          {{16, 0}, "100"}, {{17, 0}, "75"}, {{20, 0}, "0"}, {{21, 0}, ""}}},
        // Captions give their leading number; thirds land on the nearest Single, written with seven
        // digits (-3 + 4 / 3 is -1.6666666666666667, the Single -1.66666675); grid rows past the last
        // step are left out.
        {[](In& in) { in.axisLeftCaption = " 12.5 C", in.axisRightCaption = "x", in.slider2 = 3,
                      in.sectionTopCaption = "  -3m", in.sectionBottomCaption = "1 y"; },
         {{{11, 1}, "3"}, {{15, 1}, "12.5"}, {{15, 2}, "12.4375"}, {{15, 201}, "0"}, {{16, 0}, "-3"},
          {{17, 0}, "-1.666667"}, {{18, 0}, "-0.3333333"}, {{19, 0}, "1"}, {{20, 0}, ""}}},
        // Coefficients as held (nothing for an unset one), smoothing as a Single.
        {[](In& in) { in.confidenceCoefficient1 = {}, in.smoothingCaption = ""; },
         {{{12, 1}, "0"}, {{13, 1}, ""}}},
        {[](In& in) { in.confidenceCoefficient1 = T::fromText("95 %"), in.confidenceCoefficient2 =
                      T::fromNumber(99.5), in.smoothingCaption = " 0.1 horizons"; },
         {{{12, 1}, "0.1"}, {{13, 1}, "\"95 %\""}, {{14, 1}, "99.5"}}},
        {[](In& in) { in.slider1 = 0; }, {}, byZero},
        {[](In& in) { in.slider2 = 0; }, {}, byZero}, // a section of one row
        {[](In& in) { in.slider2 = -1; }, {},
         Failure{Kind::SubscriptOutOfRange, "Subscript out of range: -2 vertical steps"}},
        {[](In& in) { in.slider1 = 1, in.slider2 = 65; }, {},
         Failure{Kind::Overflow, "Overflow converting to Integer"}},
        {[](In& in) { in.smoothingCaption = "1E39"; }, {}, single},
        {[](In& in) { in.axisRightCaption = "1E39"; }, {}, single},
        {[](In& in) { in.axisLeftCaption = "-1E400"; }, {}, division},
        {[](In& in) { in.sectionBottomCaption = "1E400"; }, {}, division},
    };
    // clang-format on
    for (std::size_t k = 0; k < std::size(cases); ++k) {
        ResultFileInput input = smallInput();
        cases[k].change(input);
        std::string contents;
        EXPECT_EQ(test::failureOf([&] { contents = composeResultFile(input); }), cases[k].failure)
            << "case " << k;
        const std::vector<std::string> lines = split(contents, "\r\n");
        for (const auto& [place, text] : cases[k].fields) {
            ASSERT_LE(place.first, static_cast<int>(lines.size())) << "case " << k;
            EXPECT_EQ(split(lines[place.first - 1], ",").at(place.second), text)
                << "case " << k << " line " << place.first;
        }
    }
}

TEST(ResultFileWriterTest, SavingReplacesTheFileWholeOrLeavesWhatWasThere)
{
    const test::ScratchFolder folder;
    const fs::path target = folder.file("result.csv");
    writeResultFile(target, "first");
    // The file is replaced, not rewritten in place: another name of the old file keeps the old contents.
    fs::create_hard_link(target, folder.file("old.csv"));
    writeResultFile(target, "second");
    const auto read = test::readBytes;
    EXPECT_EQ(read(target) + read(folder.file("old.csv")), "secondfirst");
    // A folder in place of the target fails for every user, root included; no temporary file is left.
    const fs::path blocked = folder.file("blocked.csv");
    fs::create_directory(blocked);
    EXPECT_EQ(test::failureKind([&] { writeResultFile(blocked, "x"); }), Kind::FileError);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 3);

    // Deferred saves replace nothing until they are committed, then all that can be; those not committed
    // leave no trace.
    {
        DeferredSaves saves;
        writeResultFile(target, "third");
        writeResultFile(folder.file("new.csv"), "fourth");
        EXPECT_EQ(read(target), "second");
        EXPECT_FALSE(fs::exists(folder.file("new.csv")));
        fs::remove(blocked);
        fs::create_directories(blocked / "inside");
        writeResultFile(blocked, "fifth");
        const std::vector<DeferredSaves::Failure> failures = saves.commit();
        ASSERT_EQ(failures.size(), 1u);
        EXPECT_EQ(failures[0].path, blocked);
        EXPECT_EQ(read(target) + read(folder.file("new.csv")), "thirdfourth");
        writeResultFile(target, "sixth");
    }
    EXPECT_EQ(read(target), "third");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 4);
}

std::string repeated(const std::string& text, int times)
{
    std::string result;
    while (times-- > 0)
        result += text;
    return result;
}

// The small file with the given lines (1 for the first) replaced.
std::string edited(const std::map<int, std::string>& replacements)
{
    std::vector<std::string> lines = split(smallFile, "\r\n");
    for (const auto& [number, text] : replacements)
        lines[number - 1] = text;
    std::string contents = lines[0];
    for (std::size_t k = 1; k < lines.size(); ++k)
        contents += "\r\n" + lines[k];
    return contents;
}

TEST(ResultFileReaderTest, ReadsTheSmallFileInEveryHeadForm)
{
    // A section of one row, as a result file may hold; rows after the last step are not read.
    const std::tuple<const char*, std::string, std::int16_t, float> cases[] = {
        {"as written", smallFile, 4, 3.0f},
        {"the older first line", edited({{1, "\"Brimvale output file\""}}), 4, 3.0f},
        {"one row", edited({{1, "Brimvale output file"}, {11, "a,0"}, {12, "b,2.5"}}), 0, 2.5f},
        {"steps round half to even", edited({{11, "a,2.5"}, {12, "b,\"5\""}}), 2, 5.0f},
    };
    for (const auto& [name, contents, steps, smoothing] : cases) {
        const ResultFileOutcome outcome = readResultContents(contents);
        ASSERT_TRUE(outcome.complete()) << name << ": " << (outcome.failure ? outcome.failure->what() : "");
        const ResultFileData& data = outcome.data;
        EXPECT_EQ(data.sectionVerticalTitle, "Depth (cm)") << name;
        EXPECT_EQ(data.sectionHorizontalTitle, "") << name;
        EXPECT_EQ(data.verticalSteps, steps) << name;
        EXPECT_EQ(data.smoothingLevel, smoothing) << name;
        EXPECT_EQ(data.confidenceCoefficient1, NumberOrText::fromNumber(95)) << name;
        EXPECT_EQ(data.confidenceCoefficient2, NumberOrText::fromText("68")) << name;
        EXPECT_EQ((std::vector{outcome.axisValuesRead, outcome.rowsRead}), (std::vector{201, steps + 1}));
        for (int i = 0; i < 201; ++i)
            ASSERT_EQ(data.axisValues[i], static_cast<float>(i)) << name;
        SectionMatrix expected(steps);
        for (const auto& [i, j, value] : smallCells)
            if (j <= steps)
                expected(1, i, j) = value;
        EXPECT_TRUE(data.section == expected) << name;
        for (int j = 0; j <= steps; ++j)
            EXPECT_EQ(data.verticalValues[j], 25.0f * j) << name;
    }

    // Every number one digit, LF line ends and none after the last row: the least a file of four rows
    // can hold, which the check of the room left for the rows must let through.
    const std::string zeros = repeated(",0", 201);
    const std::string least = "Brimvale output file\n" + repeated("a,1\n", 9) + "a,3\n" +
                              repeated("a,1\n", 3) + zeros + repeated("\n0" + zeros, 4);
    EXPECT_TRUE(readResultContents(least).complete());
}

TEST(ResultFileReaderTest, AFileThatBreaksOffKeepsWhatWasRead)
{
    struct Case {
        const char* name;
        std::string contents;
        Failure failure;
        Stage stage;
        int steps = 0, rowsRead = 0, axisValuesRead = 0;
    };
    // The head note's 14 lines; the axis row cut after 50 values, with room left for the rows; data row 1
    // cut after 100 cells, of a section of two rows.
    const std::string head = smallFile.substr(0, smallFile.find("\r\n,0,1,") + 2);
    std::string axis50, rowCut = edited({{11, "a,1"}, {17, "25" + repeated(",7", 100)}});
    for (int i = 0; i < 50; ++i)
        (axis50 += ',') += std::to_string(i);
    rowCut.resize(rowCut.find("\r\n50,"));
    const auto past = [](const std::string& where, const std::string& more = "") {
        return Failure{Kind::ReadPastEnd, where + ": Input past end of file" + more};
    };
    // clang-format off
    const Case cases[] = {
        {"empty", "", past("first field"), Stage::Nothing},
        {"a Corvane file", edited({{1, "Corvane output file"}}), {Kind::InvalidData,
         "first field: Not a Brimvale result file: it begins with \"Corvane output file\""}, Stage::Nothing},
        {"steps beyond 16 bits", edited({{11, "a,40000"}}),
         {Kind::Overflow, "head note: Overflow converting to Integer"}, Stage::Nothing},
        {"smoothing beyond a Single", edited({{12, "a,1E39"}}),
         {Kind::Overflow, "head note: Overflow converting to Single"}, Stage::VerticalStepsRead, 4},
        {"negative steps", edited({{11, "a,-5"}}),
         {Kind::SubscriptOutOfRange, "head note: Subscript out of range: -5 rows"}, Stage::HeadRead, -5},
        {"more rows than any section", edited({{11, "a,5111"}}),
         {Kind::InvalidData, "head note: 5112 data rows are more than any section holds (5111)"},
         Stage::HeadRead, 5111},
        {"more rows than the file holds", edited({{11, "a,5110"}}), past("data row 5"),
         Stage::SectionAllocated, 5110, 5, 201},
        {"the axis row breaks off", head + axis50 + std::string(2100, '\n'), past("axis row"),
         Stage::SectionAllocated, 4, 0, 50},
        {"a row breaks off", rowCut, past("data row 1"), Stage::SectionAllocated, 1, 1, 201},
    };
    // clang-format on
    for (const Case& c : cases) {
        const ResultFileOutcome outcome = readResultContents(c.contents);
        ASSERT_TRUE(outcome.failure) << c.name;
        EXPECT_EQ((Failure{outcome.failure->kind(), outcome.failure->what()}), c.failure) << c.name;
        EXPECT_EQ(outcome.stage, c.stage) << c.name;
        EXPECT_EQ(outcome.data.verticalSteps, c.steps) << c.name;
        EXPECT_EQ(outcome.rowsRead, c.rowsRead) << c.name;
        EXPECT_EQ(outcome.axisValuesRead, c.axisValuesRead) << c.name;
        const int rows = c.stage < Stage::SectionAllocated ? 0 : c.steps + 1;
        EXPECT_EQ(outcome.data.verticalValues.size(), static_cast<std::size_t>(rows)) << c.name;
        EXPECT_EQ(outcome.data.section.rows(), std::max(1, rows)) << c.name;
    }
    // The row that breaks off keeps its value and the cells read before the break; the rest stay zero.
    const ResultFileData data = readResultContents(rowCut).data;
    for (int i = 0; i < 201; ++i)
        EXPECT_EQ(data.section(1, i, 1), i < 100 ? 7.0 : 0.0) << i;
    // A file that cannot be read gives nothing to apply.
    const ResultFileOutcome missing = readResultFile(fs::path(BRIMVALE_IO_TEST_DATA) / "none.csv");
    ASSERT_TRUE(missing.failure && missing.stage == Stage::Nothing);
    EXPECT_EQ(missing.failure->kind(), Kind::FileError);
}

TEST(ResultFileReaderTest, SlidersFitTheLoadedRowsAndTheLargestCellIsASingle)
{
    // Up to 500 steps the height is the share of 500, rounded half to even (498 gives 99.6, 499 gives
    // 99.8); beyond, the width is the whole part of 500 / steps * 100 (501 gives 99.8).
    const int cases[][3] = {{500, 100, 100}, {499, 100, 100}, {498, 100, 100}, {497, 100, 99},
                            {250, 100, 50},  {1, 100, 0},     {0, 100, 0},     {501, 99, 100},
                            {1500, 33, 100}, {32767, 1, 100}};
    for (const auto& c : cases) {
        const ViewSliders sliders = viewSlidersForSteps(static_cast<std::int16_t>(c[0]));
        EXPECT_EQ((std::vector{sliders.slider1, sliders.slider2}), (std::vector{c[1], c[2]})) << c[0];
    }

    const std::pair<std::vector<double>, float> largest[] = {
        {{}, 0.0f},    {{-1e300, -0.25}, 0.0f}, {{1.5, 3.0, -4.0, 2.999}, 3.0f}, {{3.0000000001}, 3.0f},
        {{0.1}, 0.1f},
    };
    for (const auto& [cells, value] : largest) {
        SectionMatrix section(4);
        for (std::size_t k = 0; k < cells.size(); ++k)
            section(1, static_cast<int>(k), 4) = cells[k];
        section(0, 7, 2) = 9.0; // layer 0 does not count
        EXPECT_EQ(largestSectionValue(section), value) << value;
    }
    SectionMatrix huge(2);
    huge(1, 100, 1) = 1e300;
    EXPECT_EQ(test::failureKind([&] { largestSectionValue(huge); }), Kind::Overflow);
}

} // namespace
} // namespace brimvale
