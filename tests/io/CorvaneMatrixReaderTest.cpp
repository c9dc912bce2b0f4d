// Reading Corvane matrix files of both layouts: head notes, cell order, axis values and refusals.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "io/CorvaneMatrixReader.h"
#include "io/CsvFieldReader.h"
#include "support/CorvaneFileBuilder.h"
#include "support/FailureKind.h"
#include "support/ScratchFolder.h"

using namespace brimvale;
using brimvale::test::CorvaneFileBuilder;
using Kind = RuntimeFailure::Kind;
using Layout = CorvaneMatrix::Layout;

namespace {

constexpr int steps = ProbabilityGrid::Steps;

std::unique_ptr<CorvaneMatrix> readContents(std::string contents, const CorvaneLayoutObserver& observer = {})
{
    CsvFieldReader reader(std::move(contents));
    return readCorvaneMatrix(reader, observer);
}

std::optional<Kind> failureReading(std::string contents)
{
    return test::failureKind([&] { readContents(std::move(contents)); });
}

// An older-layout file written field by field here, independently of the builder: matrix row r leads
// with 1000 + r and its k-th cell is r * 1000 + k; the heading row holds -1 throughout.
std::string handWrittenOlderFile()
{
    // Head values 1 to 11, each after a label.
    std::string text =
        "\"Corvane output file\"\r\n\"key\",\"Probability\"\r\n\"key\",\"v2\"\r\n"
        "\"key\",\"Depth title\"\r\n\"key\",\"v4\"\r\n\"key\",\"v5\"\r\n\"key\",\"v6\"\r\n"
        "\"key\",\"Value title\"\r\n\"key\",1.5\r\n\"key\",200\r\n\"key\",90\r\n\"key\",\"80%\"\r\n";
    text += "\"heading\"";
    for (int k = 0; k < steps; ++k)
        text += ",-1";
    text += "\r\n";
    for (int r = 0; r < steps; ++r) {
        text += std::to_string(1000 + r);
        for (int k = 0; k < steps; ++k)
            text += ',' + std::to_string(r * 1000 + k);
        text += "\r\n";
    }
    return text;
}

} // namespace

TEST(CorvaneMatrixReaderTest, OlderLayoutPlacesRowsInOrderAndCellsFromTheRight)
{
    const auto matrix = readContents(handWrittenOlderFile());
    EXPECT_EQ(matrix->layout, Layout::Older);
    EXPECT_EQ(matrix->kindText, "Probability");
    EXPECT_EQ(matrix->horizontalTitle, "Depth title");
    EXPECT_EQ(matrix->verticalTitle, "Value title");
    EXPECT_EQ(matrix->coefficient1, NumberOrText::fromNumber(90));
    EXPECT_EQ(matrix->coefficient2, NumberOrText::fromNumber(80));
    // The first cell of a file row goes to column 200; the first matrix row is grid row 0.
    for (int i = 0; i < steps; ++i) {
        for (int j = 0; j < steps; ++j)
            ASSERT_EQ(matrix->grid(i, j), j * 1000 + (200 - i)) << "cell " << i << ", " << j;
    }
    // The heading row's -1 never survives.
    for (int r = 0; r < steps; ++r)
        ASSERT_EQ(matrix->axisValues[r], 1000.0f + r) << "row " << r;
}

TEST(CorvaneMatrixReaderTest, NewerLayoutDefaultsReadBackAsWritten)
{
    // Notes after the last matrix row are left unread.
    const auto matrix = readContents(CorvaneFileBuilder().titles("X title", "Y title").contents() +
                                     "\"trailing\",\"notes\"\r\n");
    EXPECT_EQ(matrix->layout, Layout::Newer);
    EXPECT_EQ(matrix->kindText, "Corvane common output format");
    EXPECT_EQ(matrix->horizontalTitle, "X title");
    EXPECT_EQ(matrix->verticalTitle, "Y title");
    EXPECT_EQ(matrix->coefficient1, NumberOrText::fromText("95"));
    EXPECT_EQ(matrix->coefficient2, NumberOrText::fromText("68"));
    for (int r = 0; r < steps; ++r) {
        ASSERT_EQ(matrix->axisValues[r], CorvaneFileBuilder::axisValue(r)) << "row " << r;
        ASSERT_NE(matrix->axisValues[r], CorvaneFileBuilder::headingValue(r)) << "row " << r;
    }
    for (int i = 0; i < steps; ++i) {
        for (int j = 0; j < steps; ++j)
            ASSERT_EQ(matrix->grid(i, j), CorvaneFileBuilder::packedCell(i, j)) << "cell " << i << ", " << j;
    }
}

TEST(CorvaneMatrixReaderTest, OlderCoefficientsTakeTheLeadingNumber)
{
    struct Case {
        NumberOrText written;
        double expected;
    };
    const Case cases[] = {
        {NumberOrText::fromNumber(95), 95},           {NumberOrText::fromText("95%"), 95},
        {NumberOrText::fromText(" 68.5 %"), 68.5},    {NumberOrText::fromText("about 90"), 0},
        {NumberOrText::fromText("1e2 percent"), 100}, {NumberOrText{}, 0},
    };
    for (const Case& c : cases) {
        const auto matrix = readContents(
            CorvaneFileBuilder::confidenceMatrix().coefficients(c.written, c.written).contents());
        EXPECT_EQ(matrix->coefficient1, NumberOrText::fromNumber(c.expected)) << c.written.text;
        EXPECT_EQ(matrix->coefficient2, NumberOrText::fromNumber(c.expected)) << c.written.text;
    }
}

TEST(CorvaneMatrixReaderTest, OlderHeadNoteReadsKindTitlesAndLenientNumbers)
{
    const auto matrix = readContents(CorvaneFileBuilder::confidenceMatrix()
                                         .headValue(8, NumberOrText::fromText("n/a"))
                                         .headValue(9, NumberOrText::fromText(""))
                                         .contents());
    EXPECT_EQ(matrix->kindText, "Confidence");
    EXPECT_EQ(matrix->grid(7, CorvaneFileBuilder::modeRow(7)), 3.0);

    const NumberOrText huge = NumberOrText::fromText("1e999");
    EXPECT_EQ(failureReading(CorvaneFileBuilder::confidenceMatrix().headValue(10, huge).contents()),
              Kind::Overflow);
}

TEST(CorvaneMatrixReaderTest, NewerHeadNoteLength)
{
    struct Case {
        int lines;
        std::optional<Kind> failure;
        const char* coefficient1;
        const char* coefficient2;
    };
    // Values 9 and 10 must be numbers, so the head note needs 11 lines; values 13 and 14 are optional.
    const Case cases[] = {
        {2, Kind::TypeMismatch, "", ""}, {10, Kind::TypeMismatch, "", ""},
        {11, std::nullopt, "", ""},      {13, std::nullopt, "", ""},
        {14, std::nullopt, "95", ""},    {15, std::nullopt, "95", "68"},
        {21, std::nullopt, "95", "68"},  {22, Kind::SubscriptOutOfRange, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines);
        const std::string contents = CorvaneFileBuilder().headLineCount(c.lines).contents();
        if (c.failure) {
            EXPECT_EQ(failureReading(contents), c.failure);
            continue;
        }
        const auto matrix = readContents(contents);
        EXPECT_EQ(matrix->coefficient1, NumberOrText::fromText(c.coefficient1));
        EXPECT_EQ(matrix->coefficient2, NumberOrText::fromText(c.coefficient2));
        EXPECT_EQ(matrix->grid(0, 0), CorvaneFileBuilder::packedCell(0, 0));
    }
}

TEST(CorvaneMatrixReaderTest, ReadsOrRefusesHeadValuesAndMatrices)
{
    struct Case {
        const char* name;
        std::string contents;
        std::optional<Kind> failure;
    };
    const std::string valid = CorvaneFileBuilder().contents();
    const std::size_t headingStart = valid.find("\r\n,") + 2;
    const auto newer = [](int lines, int position, NumberOrText value) {
        return CorvaneFileBuilder().headLineCount(lines).headValue(position, value).contents();
    };
    const Case cases[] = {
        {"line count written bare", newer(15, 1, NumberOrText::fromNumber(15)), std::nullopt},
        {"line count not a number", newer(15, 1, NumberOrText::fromText("fifteen")), Kind::TypeMismatch},
        {"line count with a unit", newer(15, 1, NumberOrText::fromText("15 lines")), Kind::TypeMismatch},
        {"line count beyond an Integer", newer(15, 1, NumberOrText::fromNumber(40000)), Kind::Overflow},
        // N - 1 = 12.5 rounds to the even 12: twelve pairs are read, as many as written.
        {"12.5 pairs round to 12", newer(13, 1, NumberOrText::fromText("13.5")), std::nullopt},
        {"14.5 pairs round to 14", newer(15, 1, NumberOrText::fromText("15.5")), std::nullopt},
        {"value 9 quoted number", newer(15, 9, NumberOrText::fromText(" 12.5 ")), std::nullopt},
        {"value 9 not a number", newer(15, 9, NumberOrText::fromText("n/a")), Kind::TypeMismatch},
        {"value 10 empty", newer(15, 10, NumberOrText{}), Kind::TypeMismatch},
        {"value 10 beyond a Single", newer(15, 10, NumberOrText::fromNumber(1e39)), Kind::Overflow},
        {"empty file", "", Kind::ReadPastEnd},
        {"unknown first field", CorvaneFileBuilder().firstField("Brimvale common output format").contents(),
         Kind::InvalidData},
        {"first field in other case", CorvaneFileBuilder().firstField("corvane output file").contents(),
         Kind::InvalidData},
        {"first field with a trailing blank",
         CorvaneFileBuilder().firstField("Corvane output file ").contents(), Kind::InvalidData},
        {"non-numeric cell", CorvaneFileBuilder().cellField(17, 42, "0.2x").contents(), Kind::TypeMismatch},
        {"empty cell at a line end", CorvaneFileBuilder().cellField(0, 100, "").contents(),
         Kind::TypeMismatch},
        {"cell beyond a Double", CorvaneFileBuilder().cellField(5, 5, "1e400").contents(), Kind::Overflow},
        {"axis value not a number",
         CorvaneFileBuilder().axisValues([](int r) { return r == 9 ? NAN : 1.0f * r; }).contents(),
         Kind::TypeMismatch},
        {"heading number not a number",
         CorvaneFileBuilder().headingValues([](int k) { return k == 3 ? INFINITY : 0.0f; }).contents(),
         Kind::TypeMismatch},
        {"cut in the head note", valid.substr(0, 200), Kind::ReadPastEnd},
        {"cut after the heading row", valid.substr(0, valid.find("\r\n", headingStart) + 2),
         Kind::ReadPastEnd},
        {"last cell missing", valid.substr(0, valid.rfind(',')), Kind::ReadPastEnd},
        {"last row missing", valid.substr(0, valid.rfind("\r\n", valid.size() - 3) + 2), Kind::ReadPastEnd},
    };
    for (const Case& c : cases)
        EXPECT_EQ(failureReading(c.contents), c.failure) << c.name;

    // A bare number where the newer layout holds a coefficient text stays text.
    const auto matrix = readContents(newer(15, 13, NumberOrText::fromNumber(90)));
    EXPECT_EQ(matrix->coefficient1, NumberOrText::fromText("90"));
}

TEST(CorvaneMatrixReaderTest, TellsTheLayoutBeforeReadingTheHeadNote)
{
    struct Case {
        std::string contents;
        std::vector<Layout> told;
    };
    const Case cases[] = {
        {CorvaneFileBuilder().contents(), {Layout::Newer}},
        {CorvaneFileBuilder::probabilityMatrix().contents(), {Layout::Older}},
        // Told although the file fails right after its first field.
        {CorvaneFileBuilder().headLineCount(5).contents(), {Layout::Newer}},
        {CorvaneFileBuilder().firstField("Other").contents(), {}},
    };
    for (const Case& c : cases) {
        std::vector<Layout> told;
        try {
            readContents(c.contents, [&](Layout layout) { told.push_back(layout); });
        } catch (const RuntimeFailure&) {
        }
        EXPECT_EQ(told, c.told);
    }
}

TEST(CorvaneMatrixReaderTest, ReadsFromDisk)
{
    test::ScratchFolder folder;
    const auto path = folder.file("confidence.csv");
    CorvaneFileBuilder::confidenceMatrix().writeTo(path);
    const auto matrix = readCorvaneMatrix(path);
    EXPECT_EQ(matrix->kindText, "Confidence");
    EXPECT_EQ(matrix->grid(120, CorvaneFileBuilder::averageRow(120)),
              -CorvaneFileBuilder::classCode(120, CorvaneFileBuilder::averageRow(120)));

    EXPECT_EQ(test::failureKind([&] { readCorvaneMatrix(folder.file("missing.csv")); }), Kind::FileError);
}
