#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "io/ResultFileReader.h"
#include "io/ResultFileWriter.h"
#include "support/FailureKind.h"
#include "support/ScratchFolder.h"
#include "support/Tolerance.h"

using namespace brimvale;
namespace fs = std::filesystem;
using Kind = RuntimeFailure::Kind;
using Stage = ResultFileOutcome::Stage;

namespace {

constexpr int columns = SectionMatrix::Columns;

std::string numberText(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.15g", value);
    return text;
}

// Exact binary fractions, every other column negative, so that the text reads back exactly.
double cellValue(int i, int j)
{
    const double magnitude = (j % 4) + i / 256.0;
    return i % 2 ? -magnitude : magnitude;
}

float axisValue(int i)
{
    return -50.0f + 0.5f * i;
}
float rowValue(int j)
{
    return 10.0f * j;
}

// The values of lines 2 to 14 as written in the file; quoted texts carry their quotes.
struct Head {
    std::string firstField = "\"Brimvale common output format\"";
    std::string horizontalSteps = "200";
    std::string verticalSteps = "2";
    std::string smoothing = "1";
    std::string coefficient1 = "95";
    std::string coefficient2 = "\"68\"";
    std::string dataFileName = "\"core.csv\"";
};

std::string headText(const Head& head)
{
    const std::string lines[] = {
        head.firstField,
        "\"Head note length (lines): \",\"14\"",
        "\"Version: \",\"2.5.0\"",
        "\"Original curve: \"," + head.dataFileName,
        "\"X: \",\"Pinus (%)\"",
        "\"Y: \",\"Depth (cm)\"",
        "\"Calibration matrix (Corvane file): \",\"july.csv\"",
        "\"X: \",\"Pinus\"",
        "\"Y: \",\"July temperature\"",
        "\"Horizontal resolution (steps): \"," + head.horizontalSteps,
        "\"Vertical resolution (steps): \"," + head.verticalSteps,
        "\"Smoothing level (No. of averaged horizons): \"," + head.smoothing,
        "\"Confidence coefficient1 (%):\"," + head.coefficient1,
        "\"Confidence coefficient2 (%):\"," + head.coefficient2,
    };
    std::string text;
    for (const std::string& line : lines)
        text.append(line).append("\r\n");
    return text;
}

// Data row j with its first cells cells; the cell textCell, when given, holds "abc".
std::string dataRow(int j, int cells = columns, int textCell = -1)
{
    std::string row = numberText(rowValue(j));
    for (int i = 0; i < cells; ++i)
        row.append(",").append(i == textCell ? "abc" : numberText(cellValue(i, j)));
    return row + "\r\n";
}

std::string resultFile(const Head& head, int rows)
{
    std::string text = headText(head);
    for (int i = 0; i < columns; ++i)
        text.append(",").append(numberText(axisValue(i)));
    text += "\r\n";
    for (int j = 0; j < rows; ++j)
        text += dataRow(j);
    return text;
}

void expectRowsAsWritten(const ResultFileData& data, int rows, const std::string& context)
{
    for (int j = 0; j < data.section.rows(); ++j) {
        EXPECT_EQ(data.verticalValues[j], j < rows ? rowValue(j) : 0.0f) << context << " row " << j;
        for (int i = 0; i < columns; ++i) {
            ASSERT_EQ(data.section(1, i, j), j < rows ? cellValue(i, j) : 0.0)
                << context << " " << i << ", " << j;
            ASSERT_EQ(data.section(0, i, j), 0.0) << context << " layer 0 " << i << ", " << j;
        }
    }
}

std::string whyNot(const ResultFileOutcome& outcome)
{
    return outcome.failure ? outcome.failure->what() : "";
}

} // namespace

TEST(ResultFileReaderTest, ReadsBothFirstLinesAndEveryHeadForm)
{
    struct Case {
        std::string firstField;
        std::string verticalSteps;
        std::string smoothing;
        int rows;
        std::int16_t steps;
        float smoothingLevel;
    };
    const Case cases[] = {
        {"\"Brimvale common output format\"", "2", "1", 3, 2, 1.0f},
        {"\"Brimvale output file\"", "2", "3", 3, 2, 3.0f},
        // A section of one row, as a result file may hold.
        {"Brimvale output file", "0", "2.5", 1, 0, 2.5f},
        // Steps round like every Integer, halves to even.
        {"\"Brimvale common output format\"", "2.5", "\"5\"", 3, 2, 5.0f},
    };
    for (const Case& c : cases) {
        Head head;
        head.firstField = c.firstField;
        head.verticalSteps = c.verticalSteps;
        head.smoothing = c.smoothing;
        const std::string name = c.firstField + " " + c.verticalSteps;
        const ResultFileOutcome outcome = readResultContents(resultFile(head, c.rows));
        ASSERT_TRUE(outcome.complete()) << name << ": " << whyNot(outcome);
        EXPECT_FALSE(outcome.failure);
        const ResultFileData& data = outcome.data;
        EXPECT_EQ(data.sectionVerticalTitle, "Depth (cm)");
        EXPECT_EQ(data.sectionHorizontalTitle, "July temperature");
        EXPECT_EQ(data.verticalSteps, c.steps) << name;
        EXPECT_EQ(data.smoothingLevel, c.smoothingLevel) << name;
        EXPECT_EQ(data.confidenceCoefficient1, NumberOrText::fromNumber(95));
        EXPECT_EQ(data.confidenceCoefficient2, NumberOrText::fromText("68"));
        for (int i = 0; i < columns; ++i)
            ASSERT_EQ(data.axisValues[i], axisValue(i)) << i;
        ASSERT_EQ(data.section.rows(), c.rows) << name;
        ASSERT_EQ(data.verticalValues.size(), static_cast<std::size_t>(c.rows)) << name;
        expectRowsAsWritten(data, c.rows, name);
        EXPECT_EQ(outcome.axisValuesRead, 201);
        EXPECT_EQ(outcome.rowsRead, c.rows);
    }
}

TEST(ResultFileReaderTest, FailsOnForeignOrHostileHeads)
{
    struct Case {
        const char* name;
        std::string Head::*field;
        std::string value;
        Kind failure;
        Stage stage;
    };
    const Case cases[] = {
        {"lower case", &Head::firstField, "\"brimvale output file\"", Kind::InvalidData, Stage::Nothing},
        {"Corvane", &Head::firstField, "\"Corvane output file\"", Kind::InvalidData, Stage::Nothing},
        {"trailing blank", &Head::firstField, "\"Brimvale output file \"", Kind::InvalidData, Stage::Nothing},
        {"cut short", &Head::firstField, "Brimvale", Kind::InvalidData, Stage::Nothing},
        {"empty", &Head::firstField, "\"\"", Kind::InvalidData, Stage::Nothing},
        {"negative steps", &Head::verticalSteps, "-5", Kind::SubscriptOutOfRange, Stage::HeadRead},
        {"steps beyond 16 bits", &Head::verticalSteps, "40000", Kind::Overflow, Stage::Nothing},
        {"absurd steps in a short file", &Head::verticalSteps, "32767", Kind::ReadPastEnd, Stage::HeadRead},
        {"one row too few", &Head::verticalSteps, "3", Kind::ReadPastEnd, Stage::SectionAllocated},
        {"steps as text", &Head::verticalSteps, "many", Kind::TypeMismatch, Stage::Nothing},
        {"empty steps", &Head::verticalSteps, "", Kind::TypeMismatch, Stage::Nothing},
        {"horizontal steps as text", &Head::horizontalSteps, "two hundred", Kind::TypeMismatch,
         Stage::Nothing},
        {"smoothing as text", &Head::smoothing, "x", Kind::TypeMismatch, Stage::VerticalStepsRead},
        {"smoothing beyond a Single", &Head::smoothing, "1E39", Kind::Overflow, Stage::VerticalStepsRead},
        {"coefficient beyond a Double", &Head::coefficient2, "1e400", Kind::Overflow,
         Stage::VerticalStepsRead},
    };
    for (const auto& c : cases) {
        Head head;
        head.*c.field = c.value;
        const ResultFileOutcome outcome = readResultContents(resultFile(head, 3));
        ASSERT_TRUE(outcome.failure) << c.name;
        EXPECT_EQ(outcome.failure->kind(), c.failure) << c.name << ": " << outcome.failure->what();
        EXPECT_EQ(outcome.stage, c.stage) << c.name;
        if (c.stage < Stage::SectionAllocated) {
            EXPECT_TRUE(outcome.data.verticalValues.empty()) << c.name;
            EXPECT_EQ(outcome.data.section.rows(), 1) << c.name;
        }
        // The window applies the steps read even when the rows cannot follow.
        if (c.field == &Head::verticalSteps && c.stage >= Stage::HeadRead) {
            EXPECT_EQ(outcome.data.verticalSteps, std::stoi(c.value)) << c.name;
        }
    }
    const ResultFileOutcome empty = readResultContents("");
    ASSERT_TRUE(empty.failure);
    EXPECT_EQ(empty.failure->kind(), Kind::ReadPastEnd);
    EXPECT_EQ(empty.stage, Stage::Nothing);
}

TEST(ResultFileReaderTest, KeepsWhatWasReadWhenTheFileEndsEarly)
{
    Head head;
    head.verticalSteps = "10";
    const ResultFileOutcome missingRows = readResultContents(resultFile(head, 6));
    ASSERT_TRUE(missingRows.failure);
    EXPECT_EQ(missingRows.failure->kind(), Kind::ReadPastEnd);
    EXPECT_EQ(missingRows.stage, Stage::SectionAllocated);
    EXPECT_EQ(missingRows.rowsRead, 6);
    EXPECT_EQ(missingRows.axisValuesRead, 201);
    EXPECT_EQ(missingRows.data.verticalSteps, 10);
    ASSERT_EQ(missingRows.data.section.rows(), 11);
    ASSERT_EQ(missingRows.data.verticalValues.size(), 11u);
    expectRowsAsWritten(missingRows.data, 6, "missing rows");
    EXPECT_NE(whyNot(missingRows).find("data row 6"), std::string::npos) << whyNot(missingRows);

    // Row 6 breaks off after 100 of its cells: those are kept, the rest stay zero.
    const ResultFileOutcome partRow = readResultContents(resultFile(head, 6) + dataRow(6, 100));
    ASSERT_TRUE(partRow.failure);
    EXPECT_EQ(partRow.failure->kind(), Kind::ReadPastEnd);
    EXPECT_EQ(partRow.rowsRead, 6);
    EXPECT_EQ(partRow.data.verticalValues[6], rowValue(6));
    for (int i = 0; i < columns; ++i)
        EXPECT_EQ(partRow.data.section(1, i, 6), i < 100 ? cellValue(i, 6) : 0.0) << i;

    // The axis row breaks off after 50 values; blank lines make room for the announced rows.
    std::string axisCut = headText(head);
    for (int i = 0; i < 50; ++i)
        axisCut.append(",").append(numberText(axisValue(i)));
    axisCut += std::string(11 * 404, '\n');
    const ResultFileOutcome axisOutcome = readResultContents(axisCut);
    ASSERT_TRUE(axisOutcome.failure);
    EXPECT_EQ(axisOutcome.failure->kind(), Kind::ReadPastEnd);
    EXPECT_EQ(axisOutcome.stage, Stage::SectionAllocated);
    EXPECT_EQ(axisOutcome.axisValuesRead, 50);
    EXPECT_EQ(axisOutcome.data.axisValues[49], axisValue(49));
    EXPECT_EQ(axisOutcome.rowsRead, 0);

    // Cell 5 of row 1 is text.
    const std::string withText = resultFile(head, 1) + dataRow(1, columns, 5) + dataRow(2);
    const ResultFileOutcome text = readResultContents(withText);
    ASSERT_TRUE(text.failure);
    EXPECT_EQ(text.failure->kind(), Kind::TypeMismatch);
    EXPECT_EQ(text.stage, Stage::SectionAllocated);
    EXPECT_EQ(text.rowsRead, 1);
    EXPECT_EQ(text.data.section(1, 4, 1), cellValue(4, 1));
    EXPECT_EQ(text.data.section(1, 5, 1), 0.0);
    EXPECT_NE(whyNot(text).find("data row 1"), std::string::npos) << whyNot(text);
    EXPECT_NE(whyNot(text).find("\"abc\""), std::string::npos) << whyNot(text);
}

TEST(ResultFileReaderTest, FailsOnAHugeLineWithoutHarm)
{
    Head head;
    const std::string letters(20'000'000, 'x');
    struct Case {
        const char* name;
        std::string line;
        Kind failure;
    };
    const Case cases[] = {
        {"digits", std::string(20'000'000, '9'), Kind::Overflow},
        {"letters", letters, Kind::TypeMismatch},
    };
    for (const auto& c : cases) {
        const ResultFileOutcome outcome =
            readResultContents(resultFile(head, 1) + c.line + "\r\n" + dataRow(2));
        ASSERT_TRUE(outcome.failure) << c.name;
        EXPECT_EQ(outcome.failure->kind(), c.failure) << c.name;
        EXPECT_EQ(outcome.rowsRead, 1) << c.name;
        // The message quotes the field cut short.
        EXPECT_LT(whyNot(outcome).size(), 200u) << c.name;
    }
    // A huge text where a text belongs is read like any other.
    head.dataFileName = "\"" + letters + "\"";
    EXPECT_TRUE(readResultContents(resultFile(head, 3)).complete());
}

TEST(ResultFileReaderTest, ReadsTheShortestFormOfEveryRow)
{
    // Every number one digit, LF line ends and no line end after the last row: the least a file can hold,
    // which the check of the room left for the rows must let through.
    std::string contents = "Brimvale output file\n";
    for (int line = 2; line <= 14; ++line)
        contents += line == 11 ? "a,3\n" : "a,1\n";
    for (int i = 0; i < columns; ++i)
        contents += ",0";
    for (int j = 0; j <= 3; ++j) {
        contents += "\n0";
        for (int i = 0; i < columns; ++i)
            contents += i == 0 && j == 3 ? ",7" : ",0";
    }
    const ResultFileOutcome outcome = readResultContents(contents);
    ASSERT_TRUE(outcome.complete()) << whyNot(outcome);
    EXPECT_EQ(outcome.data.section.rows(), 4);
    EXPECT_EQ(outcome.data.section(1, 0, 3), 7.0);
}

TEST(ResultFileReaderTest, RefusesFilesItCannotOrShouldNotRead)
{
    const test::ScratchFolder folder;
    const ResultFileOutcome missing = readResultFile(folder.file("none.csv"));
    ASSERT_TRUE(missing.failure);
    EXPECT_EQ(missing.failure->kind(), Kind::FileError);
    EXPECT_EQ(missing.stage, Stage::Nothing);

    // A sparse file just over 1 GiB costs no disk space and is refused before any of it is read.
    const fs::path large = folder.file("large.csv");
    std::ofstream(large, std::ios::binary) << resultFile(Head{}, 3);
    fs::resize_file(large, (std::uintmax_t{1} << 30) + 1);
    const ResultFileOutcome tooLarge = readResultFile(large);
    ASSERT_TRUE(tooLarge.failure);
    EXPECT_EQ(tooLarge.failure->kind(), Kind::InvalidData);
    EXPECT_EQ(tooLarge.stage, Stage::Nothing);
}

TEST(ResultFileReaderTest, SlidersFitTheLoadedRows)
{
    struct Case {
        std::int16_t steps;
        std::int32_t slider1;
        std::int32_t slider2;
    };
    const Case cases[] = {
        {500, 100, 100}, {400, 100, 80}, {499, 100, 100}, // 99.8 rounds up
        {498, 100, 100},                                  // 99.6
        {497, 100, 99},                                   // 99.4
        {250, 100, 50},  {0, 100, 0},    {1000, 50, 100},
        {1500, 33, 100}, {501, 99, 100}, // 99.8 is cut, not rounded
        {511, 97, 100},  {5110, 9, 100}, {32767, 1, 100},
    };
    for (const auto& c : cases) {
        const ViewSliders sliders = viewSlidersForSteps(c.steps);
        EXPECT_EQ(sliders.slider1, c.slider1) << c.steps;
        EXPECT_EQ(sliders.slider2, c.slider2) << c.steps;
    }
}

TEST(ResultFileReaderTest, LargestCellIsTakenAsASingleFromZero)
{
    struct Case {
        const char* name;
        std::vector<double> cells; // placed in the first cells of the last row
        float largest;
    };
    const Case cases[] = {
        {"all zero", {}, 0.0f},
        {"all negative", {-3.5, -0.25}, 0.0f},
        {"legacy marker", {1.5, 3.0, -4.0, 2.999}, 3.0f},
        {"rounded to a Single", {3.0000000001}, 3.0f},
        {"probability", {0.1}, 0.1f},
        {"huge negative", {-1e300, 2.0}, 2.0f},
    };
    for (const auto& c : cases) {
        SectionMatrix section(4);
        for (std::size_t k = 0; k < c.cells.size(); ++k)
            section(1, static_cast<int>(k), 4) = c.cells[k];
        section(0, 7, 2) = 9.0; // layer 0 does not count
        EXPECT_EQ(largestSectionValue(section), c.largest) << c.name;
    }
    SectionMatrix huge(2);
    huge(1, 100, 1) = 1e300;
    EXPECT_EQ(test::failureKind([&] { largestSectionValue(huge); }), Kind::Overflow);
}

// What the writer writes, the reader gives back: section, captions and both coefficients in the form
// they were held, and cells of more digits than the file keeps to within those 15 digits.
TEST(ResultFileReaderTest, ReadsBackWhatTheWriterWrote)
{
    ResultFileInput input;
    input.dataFileName = "core_A.csv";
    input.dataYTitle = "Depth (cm), core A";
    input.matrixYTitle = "July temperature";
    input.smoothingCaption = "3";
    input.axisLeftCaption = "-5";
    input.axisRightCaption = "25";
    input.sectionTopCaption = "120";
    input.sectionBottomCaption = "380";
    input.slider1 = 100;
    input.slider2 = 10;
    const int steps = resultVerticalSteps(input.slider1, input.slider2);
    ASSERT_EQ(steps, 51);

    struct Case {
        NumberOrText coefficient1, coefficient2, readBack2;
        bool exact; // exact binary fractions, else thirds and sevenths
    };
    const Case cases[] = {
        {NumberOrText::fromNumber(95), NumberOrText::fromNumber(68), NumberOrText::fromNumber(68), true},
        {NumberOrText::fromText("95"), NumberOrText::fromText("68"), NumberOrText::fromText("68"), true},
        // An unset coefficient is an empty field, which reads back as the empty text.
        {NumberOrText::fromNumber(90), NumberOrText{}, NumberOrText::fromText(""), false},
    };
    const test::ScratchFolder folder;
    const fs::path path = folder.file("round_trip.csv");
    for (const Case& c : cases) {
        input.confidenceCoefficient1 = c.coefficient1;
        input.confidenceCoefficient2 = c.coefficient2;
        SectionMatrix section(static_cast<std::int16_t>(steps));
        for (int i = 0; i < columns; ++i) {
            for (int j = 0; j <= steps; ++j) {
                section(0, i, j) = 1.0;
                section(1, i, j) = c.exact ? cellValue(i, j) : (j % 4) + 1.0 / (i + j + 3);
            }
        }
        input.exportGrid = ExportGrid::fromSection(section);
        writeResultFile(path, composeResultFile(input));
        const ResultFileOutcome outcome = readResultFile(path);
        ASSERT_TRUE(outcome.complete()) << whyNot(outcome);
        const ResultFileData& data = outcome.data;
        EXPECT_EQ(data.sectionVerticalTitle, "Depth (cm), core A");
        EXPECT_EQ(data.sectionHorizontalTitle, "July temperature");
        EXPECT_EQ(data.smoothingLevel, 3.0f);
        EXPECT_EQ(data.confidenceCoefficient1, c.coefficient1);
        EXPECT_EQ(data.confidenceCoefficient2, c.readBack2);
        EXPECT_EQ(data.verticalSteps, steps);
        for (int i = 0; i < columns; ++i)
            EXPECT_EQ(data.axisValues[i], static_cast<float>(-5.0 + 30.0 / 200 * i)) << i;
        EXPECT_EQ(data.verticalValues.front(), 120.0f);
        EXPECT_EQ(data.verticalValues.back(), 380.0f);
        for (int i = 0; i < columns; ++i) {
            for (int j = 0; j <= steps; ++j) {
                const double written = section(1, i, j);
                if (c.exact)
                    ASSERT_EQ(data.section(1, i, j), written) << i << ", " << j;
                else
                    ASSERT_TRUE(test::nearlyEqual(data.section(1, i, j), written, 1e-14)) << i << ", " << j;
                ASSERT_EQ(data.section(0, i, j), 0.0) << i << ", " << j;
            }
        }
    }
}
