#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "io/ResultFileWriter.h"
#include "model/NumberText.h"
#include "model/SectionMatrix.h"
#include "support/CrLfLines.h"
#include "support/FailureKind.h"
#include "support/ScratchFolder.h"

using namespace brimvale;
namespace fs = std::filesystem;
using Kind = RuntimeFailure::Kind;
using test::crLfLines;
using test::failureKind;
using test::split;

namespace {

// Exact binary fractions of at most 11 digits, with every other column negative, so that "%.15g" gives
// the one text the file may hold for each.
double cellValue(int i, int j)
{
    const double magnitude = (j + 1) + i / 256.0;
    return i % 2 ? -magnitude : magnitude;
}

std::string numberText(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.15g", value);
    return text;
}

ExportGrid gridOf(int rows)
{
    ExportGrid grid(rows);
    for (int i = 0; i < ExportGrid::Columns; ++i) {
        for (int j = 0; j < rows; ++j)
            grid(i, j) = cellValue(i, j);
    }
    return grid;
}

// Sliders of 511 and 4 give four steps: 4 * 511.00000000000006 / 511 lies just above 4.
ResultFileInput smallInput()
{
    ResultFileInput input;
    input.dataFileName = "core_A.csv";
    input.dataXTitle = "Pinus (%)";
    input.dataYTitle = "Depth (cm)";
    input.matrixFileName = "july.csv";
    input.matrixXTitle = "Pinus";
    input.matrixYTitle = "July temperature";
    input.smoothingCaption = "3";
    input.axisLeftCaption = "0";
    input.axisRightCaption = "200";
    input.sectionTopCaption = "0";
    input.sectionBottomCaption = "100";
    input.confidenceCoefficient1 = NumberOrText::fromNumber(95);
    input.confidenceCoefficient2 = NumberOrText::fromText("68");
    input.slider1 = 511;
    input.slider2 = 4;
    input.exportGrid = gridOf(5);
    return input;
}

std::string expectedDataRow(const std::string& rowValue, int j, int gridRows)
{
    std::string row = rowValue;
    for (int i = 0; i < ExportGrid::Columns; ++i)
        row.append(",").append(j < gridRows ? numberText(cellValue(i, j)) : "0");
    return row;
}

std::string readFile(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream contents;
    contents << file.rdbuf();
    return contents.str();
}

std::vector<std::string> namesIn(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

TEST(ResultFileWriterTest, WritesTheHeadNoteAxisAndRowsLineByLine)
{
    ResultFileInput input = smallInput();
    // Texts are copied unchanged: a comma, a backslash and a Latin-1 byte inside, or nothing at all.
    input.dataFileName = "C:\\data\\k\xF6nigssee, core 2.csv";
    input.matrixYTitle = "";
    const std::vector<std::string> lines = crLfLines(composeResultFile(input));
    ASSERT_EQ(lines.size(), 16u + 4u);
    const std::vector<std::string> head = {
        "\"Brimvale common output format\"",
        "\"Head note length (lines): \",\"14\"",
        "\"Version: \",\"2.5.0\"",
        "\"Original curve: \",\"C:\\data\\k\xF6nigssee, core 2.csv\"",
        "\"X: \",\"Pinus (%)\"",
        "\"Y: \",\"Depth (cm)\"",
        "\"Calibration matrix (Corvane file): \",\"july.csv\"",
        "\"X: \",\"Pinus\"",
        "\"Y: \",\"\"",
        "\"Horizontal resolution (steps): \",200",
        "\"Vertical resolution (steps): \",4",
        "\"Smoothing level (No. of averaged horizons): \",3",
        "\"Confidence coefficient1 (%):\",95",
        "\"Confidence coefficient2 (%):\",\"68\"",
    };
    for (std::size_t k = 0; k < head.size(); ++k)
        EXPECT_EQ(lines[k], head[k]) << "line " << k + 1;

    // An axis from 0 to 200 steps by exactly 1.
    std::string axis;
    for (int i = 0; i <= 200; ++i)
        axis.append(",").append(std::to_string(i));
    EXPECT_EQ(lines[14], axis);

    const char* rowValues[] = {"0", "25", "50", "75", "100"};
    for (int j = 0; j <= 4; ++j) {
        EXPECT_EQ(split(lines[15 + j], ",").size(), 202u) << "row " << j;
        EXPECT_EQ(lines[15 + j], expectedDataRow(rowValues[j], j, 5)) << "row " << j;
    }
}

TEST(ResultFileWriterTest, ComputesAxisAndRowValuesFromTheEndCaptions)
{
    struct Case {
        const char* left;
        const char* right;
        const char* top;
        const char* bottom;
        std::int32_t slider2;                // with slider1 511, the number of steps
        std::vector<std::string> axisSample; // X(0), X(1), X(100), X(200)
        std::vector<std::string> rowValues;
    };
    const Case cases[] = {
        {"-10", "30", "100", "0", 4, {"-10", "-9.8", "10", "30"}, {"100", "75", "50", "25", "0"}},
        // Thirds land on the nearest Single, written with seven digits.
        {"0", "2", "0", "1", 3, {"0", "0.01", "1", "2"}, {"0", "0.3333333", "0.6666667", "1"}},
        // Captions give their leading number: blanks skipped, units and text after it ignored.
        {" 12.5 C", "x", "  -3m", "5E2 y", 2, {"12.5", "12.4375", "6.25", "0"}, {"-3", "248.5", "500"}},
    };
    for (const auto& c : cases) {
        ResultFileInput input = smallInput();
        input.axisLeftCaption = c.left;
        input.axisRightCaption = c.right;
        input.sectionTopCaption = c.top;
        input.sectionBottomCaption = c.bottom;
        input.slider2 = c.slider2;
        const std::vector<std::string> lines = crLfLines(composeResultFile(input));
        ASSERT_EQ(lines.size(), 16u + c.rowValues.size() - 1) << c.left;
        const std::vector<std::string> axis = split(lines[14], ",");
        ASSERT_EQ(axis.size(), 202u) << c.left;
        EXPECT_EQ(axis[0], "") << c.left;
        EXPECT_EQ((std::vector<std::string>{axis[1], axis[2], axis[101], axis[201]}), c.axisSample) << c.left;
        for (std::size_t j = 0; j < c.rowValues.size(); ++j)
            EXPECT_EQ(split(lines[15 + j], ",")[0], c.rowValues[j]) << c.left << " row " << j;
    }
}

TEST(ResultFileWriterTest, VerticalStepsFollowTheSliders)
{
    // Equal sliders always give 511: the factor lies just above 511, so the ratio never drops below it.
    for (std::int32_t value = 1; value <= 1000; ++value)
        EXPECT_EQ(resultVerticalSteps(value, value), 511) << value;

    struct Case {
        std::int32_t slider1;
        std::int32_t slider2;
        std::int16_t steps;
    };
    const Case cases[] = {
        {100, 50, 255},  // 255.5, Int takes the whole number below
        {10, 100, 5110}, // the most rows the sliders allow
        {30, 100, 1703}, {100, 1, 5},   {100, 0, 0},
        {1, 64, 32704},  {100, -1, -6}, // Int goes down, not towards zero
    };
    for (const auto& c : cases)
        EXPECT_EQ(resultVerticalSteps(c.slider1, c.slider2), c.steps) << c.slider1 << " " << c.slider2;

    EXPECT_EQ(failureKind([] { resultVerticalSteps(0, 50); }), Kind::DivisionByZero);
    EXPECT_EQ(failureKind([] { resultVerticalSteps(0, 0); }), Kind::DivisionByZero);
    EXPECT_EQ(failureKind([] { resultVerticalSteps(1, 65); }), Kind::Overflow);
    EXPECT_EQ(failureKind([] { resultVerticalSteps(1, -65); }), Kind::Overflow);
}

TEST(ResultFileWriterTest, SlidersMovedAfterCalibrationResizeTheGrid)
{
    struct Case {
        const char* name;
        int gridRows;
        std::int32_t slider2; // with slider1 511, the number of steps
    };
    const Case cases[] = {
        {"rows added as zeros", 3, 5},
        {"computed rows dropped", 9, 4},
        {"empty grid", 0, 2},
    };
    for (const auto& c : cases) {
        ResultFileInput input = smallInput();
        input.exportGrid = gridOf(c.gridRows);
        input.slider2 = c.slider2;
        const std::vector<std::string> lines = crLfLines(composeResultFile(input));
        const int steps = c.slider2;
        ASSERT_EQ(lines.size(), static_cast<std::size_t>(16 + steps)) << c.name;
        EXPECT_EQ(lines[10], "\"Vertical resolution (steps): \"," + std::to_string(steps)) << c.name;
        for (int j = 0; j <= steps; ++j)
            EXPECT_EQ(lines[15 + j], expectedDataRow(numberText(100.0 / steps * j), j, c.gridRows))
                << c.name << " row " << j;
    }
}

TEST(ResultFileWriterTest, WritesCoefficientsAsHeldAndSmoothingAsASingle)
{
    struct Case {
        NumberOrText coefficient;
        std::string coefficientField;
        const char* smoothingCaption;
        const char* smoothingField;
    };
    const Case cases[] = {
        {NumberOrText::fromNumber(95), "95", "3", "3"},
        {NumberOrText::fromText("95"), "\"95\"", " 7 horizons", "7"},
        {NumberOrText{}, "", "", "0"},
        {NumberOrText::fromNumber(99.5), "99.5", "0.1", "0.1"},
        {NumberOrText::fromText(""), "\"\"", "3", "3"},
        {NumberOrText::fromText("95 %"), "\"95 %\"", "3", "3"},
    };
    for (const auto& c : cases) {
        ResultFileInput input = smallInput();
        input.confidenceCoefficient1 = c.coefficient;
        input.confidenceCoefficient2 = c.coefficient;
        input.smoothingCaption = c.smoothingCaption;
        const std::vector<std::string> lines = crLfLines(composeResultFile(input));
        EXPECT_EQ(lines[11],
                  std::string("\"Smoothing level (No. of averaged horizons): \",") + c.smoothingField)
            << c.smoothingCaption;
        EXPECT_EQ(lines[12], "\"Confidence coefficient1 (%):\"," + c.coefficientField);
        EXPECT_EQ(lines[13], "\"Confidence coefficient2 (%):\"," + c.coefficientField);
    }
}

TEST(ResultFileWriterTest, ComposesNothingWhenAValueCannotBeComputed)
{
    struct Case {
        const char* name;
        void (*change)(ResultFileInput&);
        Kind failure;
    };
    const Case cases[] = {
        {"slider1 at 0", [](ResultFileInput& in) { in.slider1 = 0; }, Kind::DivisionByZero},
        {"one-row section", [](ResultFileInput& in) { in.slider2 = 0; }, Kind::DivisionByZero},
        {"negative steps", [](ResultFileInput& in) { in.slider2 = -1; }, Kind::SubscriptOutOfRange},
        {"steps beyond 16 bits", [](ResultFileInput& in) { in.slider1 = 1, in.slider2 = 100; },
         Kind::Overflow},
        {"smoothing beyond a Single", [](ResultFileInput& in) { in.smoothingCaption = "1E39"; },
         Kind::Overflow},
        {"axis beyond a Single", [](ResultFileInput& in) { in.axisRightCaption = "1E39"; }, Kind::Overflow},
        {"axis beyond a Double", [](ResultFileInput& in) { in.axisLeftCaption = "-1E400"; }, Kind::Overflow},
        {"rows beyond a Double", [](ResultFileInput& in) { in.sectionBottomCaption = "1E400"; },
         Kind::Overflow},
    };
    for (const auto& c : cases) {
        ResultFileInput input = smallInput();
        c.change(input);
        EXPECT_EQ(failureKind([&] { composeResultFile(input); }), c.failure) << c.name;
    }
}

TEST(ResultFileWriterTest, RepeatedAndDistinctCellsAreWrittenAlike)
{
    // More distinct values than any table of texts would hold, each row repeated in the next, where a
    // third of the values move up by their last bit.
    ResultFileInput input = smallInput();
    input.slider1 = 10;
    input.slider2 = 100; // 5110 steps
    input.exportGrid = ExportGrid(5111);
    for (int j = 0; j < 5111; ++j) {
        for (int i = 0; i < ExportGrid::Columns; ++i) {
            const int source = j / 2;
            const double value = (source % 5) + 1.0 / (i + source + 7);
            input.exportGrid(i, j) = j % 2 == 1 && i % 3 == 0 ? std::nextafter(value, 10.0) : value;
        }
    }
    const std::vector<std::string> lines = crLfLines(composeResultFile(input));
    ASSERT_EQ(lines.size(), 16u + 5110u);
    for (int j = 0; j < 5111; ++j) {
        const std::vector<std::string> fields = split(lines[15 + j], ",");
        ASSERT_EQ(fields.size(), 202u);
        for (int i = 0; i < ExportGrid::Columns; ++i)
            ASSERT_EQ(fields[i + 1], fileTextDouble(input.exportGrid(i, j))) << i << ", " << j;
    }
}

TEST(ResultFileWriterTest, SavesNewAndReplacesExistingFiles)
{
    const test::ScratchFolder folder;
    const fs::path target = folder.file("result.csv");
    writeResultFile(target, "first\r\n");
    EXPECT_EQ(readFile(target), "first\r\n");

    const auto permissions = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(target, permissions);
    writeResultFile(target, "second");
    EXPECT_EQ(readFile(target), "second");
    EXPECT_EQ(fs::status(target).permissions(), permissions);
    EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{"result.csv"});

    // The file is replaced, not rewritten in place: another name of the old file keeps the old contents.
    const fs::path second = folder.file("second.csv");
    fs::create_hard_link(target, second);
    writeResultFile(target, "replaced");
    EXPECT_EQ(readFile(target), "replaced");
    EXPECT_EQ(readFile(second), "second");
    fs::remove(second);

    // Saving through a link replaces the file it names and keeps the link.
    const fs::path link = folder.file("latest.csv");
    fs::create_symlink("result.csv", link);
    writeResultFile(link, "third");
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(link)));
    EXPECT_EQ(readFile(target), "third");
    EXPECT_EQ(namesIn(folder.path()), (std::vector<std::string>{"latest.csv", "result.csv"}));
}

TEST(ResultFileWriterTest, AFailedSaveLeavesWhatWasThere)
{
    const test::ScratchFolder folder;
    // A folder in place of the target fails for every user, root included.
    const fs::path target = folder.file("result.csv");
    fs::create_directory(target);
    std::ofstream(target / "inside.txt") << "kept";
    try {
        writeResultFile(target, "new contents");
        ADD_FAILURE() << "saving over a folder succeeded";
    } catch (const RuntimeFailure& failure) {
        EXPECT_EQ(failure.kind(), Kind::FileError);
        EXPECT_NE(std::string(failure.what()).find(target.string()), std::string::npos) << failure.what();
    }
    EXPECT_EQ(readFile(target / "inside.txt"), "kept");
    EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{"result.csv"});

    EXPECT_EQ(failureKind([&] { writeResultFile(folder.file("missing") / "result.csv", "x"); }),
              Kind::FileError);
    EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{"result.csv"});
}

TEST(ResultFileWriterTest, AFailedSaveInAReadOnlyFolderLeavesTheFile)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    const test::ScratchFolder folder;
    const fs::path target = folder.file("result.csv");
    std::ofstream(target) << "old contents";
    fs::permissions(folder.path(), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(failureKind([&] { writeResultFile(target, "new contents"); }), Kind::FileError);
    fs::permissions(folder.path(), fs::perms::owner_all);
    EXPECT_EQ(readFile(target), "old contents");
    EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{"result.csv"});
}

TEST(ResultFileWriterTest, TheExportGridIsTheCalibratedLayer)
{
    SectionMatrix section(3);
    for (int i = 0; i < ExportGrid::Columns; ++i) {
        for (int j = 0; j <= 3; ++j) {
            section(0, i, j) = -1.0;
            section(1, i, j) = cellValue(i, j);
        }
    }
    EXPECT_EQ(ExportGrid::fromSection(section), gridOf(4));
}
