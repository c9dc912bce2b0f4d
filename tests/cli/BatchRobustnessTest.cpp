// brimvale-batch on hostile files and targets: nothing lost, nothing silent, nothing a terminal acts on.
#include <gtest/gtest.h>

#include <QProcess>

#include <sstream>

#include "BatchTestFiles.h"
#include "cli/BatchReport.h"
#include "cli/ReconstructCommand.h"
#include "cli/RenderCommand.h"
#include "cli/TableCommands.h"

namespace brimvale {
namespace {

using namespace std::string_literals;

class BatchRobustnessTest : public ::testing::Test {
protected:
    test::ScratchFolder folder;
    std::ostringstream errors;
    std::ostringstream output;
    std::filesystem::path matrix = folder.file("matrix.csv");
    std::filesystem::path core =
        test::writeBytes(folder.file("core.csv"), test::dataFileText(test::wavyRecord(20)));
    std::filesystem::path result = folder.file("result.csv");

    void SetUp() override { test::CorvaneFileBuilder().writeTo(matrix); }

    ExitCode reconstruct()
    {
        ReconstructOptions options;
        options.data = {core};
        options.matrix = matrix;
        options.out = result;
        return runReconstruct(options, errors);
    }

    // The one line a failure or notice gets.
    std::string line(const std::filesystem::path& file, const std::string& text)
    {
        return "brimvale-batch: " + file.string() + ": " + text + "\n";
    }
};

// Each with the line that names the file the problem came from and its place in it.
TEST_F(BatchRobustnessTest, AFileThatCannotBeUsedIsNamedWithThePlaceOfItsProblem)
{
    const std::string corvane = "not a valid Corvane file: ";
    const std::string data = "not a valid data file: ";
    const std::string valid = test::dataFileText(test::wavyRecord(20));
    const std::tuple<std::string, test::CorvaneFileBuilder, std::filesystem::path, std::string> cases[] = {
        {"D,V\r\n1,2\r\n1e39,3\r\n", {}, core, data + "line 3, record 2: Overflow converting to Single"},
        {"D,V\r\n1,2\r\n3\r\n", {}, core, data + "line 3, record 2: Input past end of file"},
        {"\"Depth\",\"Value\"\r\n", {}, core, data + "no records"},
        {valid, test::CorvaneFileBuilder().cellField(200, 3, ""), matrix,
         corvane + "line 20, matrix row 4 of 201: Type mismatch in field \"\""},
        {valid, test::CorvaneFileBuilder().headValue(10, NumberOrText::fromText("n/a")), matrix,
         corvane + "line 11, head note: Type mismatch in field \"n/a\""},
    };
    for (const auto& [record, builder, file, problem] : cases) {
        test::writeBytes(core, record);
        builder.writeTo(matrix);
        errors.str({});
        EXPECT_EQ(reconstruct(), ExitCode::Failure);
        EXPECT_EQ(errors.str(), line(file, problem));
    }
}

TEST_F(BatchRobustnessTest, NoOutputReplacesTheResultFileItIsMadeFrom)
{
    ASSERT_EQ(reconstruct(), ExitCode::Success) << errors.str();
    const std::string saved = test::readBytes(result);
    const std::filesystem::path again = folder.path() / "sub" / ".." / "result.csv";
    EXPECT_EQ(runSummary({result, again}, output, errors), ExitCode::Failure);
    EXPECT_EQ(runProfiles({result, result}, output, errors), ExitCode::Failure);
    EXPECT_EQ(runRender({result, RenderOptions::Format::Svg, again}, errors), ExitCode::Failure);
    const auto refused = [&](const std::filesystem::path& out) {
        return line(result, "its output " + out.string() + " would replace the result file itself");
    };
    EXPECT_EQ(errors.str(), refused(again) + refused(result) + refused(again));
    EXPECT_EQ(test::readBytes(result), saved);
}

TEST_F(BatchRobustnessTest, APngBeyondItsPixelBoundIsRefusedBeforeItIsDrawn)
{
    ASSERT_EQ(reconstruct(), ExitCode::Success) << errors.str();
    const RenderOptions options{result, RenderOptions::Format::Png, folder.file("f.png"),
                                RenderOptions::View::Probability, RenderOptions::LargestWidth};
    EXPECT_EQ(runRender(options, errors), ExitCode::Failure);
    EXPECT_TRUE(errors.str().starts_with("brimvale-batch: " + result.string() +
                                         ": cannot be drawn: a PNG 20000 pixels wide has 20000 x "))
        << errors.str();
    EXPECT_FALSE(std::filesystem::exists(options.out));
}

// The window reads the rows its head announces; the tool says that there is more.
TEST_F(BatchRobustnessTest, AResultFileHoldingMoreThanItsHeadAnnouncesIsReadWithANotice)
{
    ASSERT_EQ(reconstruct(), ExitCode::Success) << errors.str();
    const std::string saved = test::readBytes(result);
    const std::string lastRow = saved.substr(saved.rfind("\r\n", saved.size() - 3) + 2);
    for (const std::string& more : {lastRow, std::string("x\r\n")}) {
        test::writeBytes(result, saved + more);
        errors.str({});
        EXPECT_EQ(runSummary({result, {}}, output, errors), ExitCode::Success);
        EXPECT_EQ(errors.str(),
                  line(result, "holds more than its head announces: 512 data rows are read, the "
                               "rest is left unread"));
    }
}

// Row 0 becomes zeros but for its first cell, -1e300.
TEST_F(BatchRobustnessTest, ACellBeyondTheRangeOfASingleIsNoProfileButCountsInTheSummary)
{
    ASSERT_EQ(reconstruct(), ExitCode::Success) << errors.str();
    std::string text = test::readBytes(result);
    const std::size_t row0 = text.find("\r\n", text.find("\r\n,") + 2) + 2;
    std::string zeros;
    for (int i = 1; i < 201; ++i)
        zeros += ",0";
    text.replace(row0, text.find("\r\n", row0) - row0, "0,-1e300" + zeros);
    test::writeBytes(result, text);
    EXPECT_EQ(runProfiles({result, {}}, output, errors), ExitCode::Failure);
    EXPECT_EQ(errors.str(), line(result, "cannot be listed: row 0, column 0: Overflow converting to Single"));
    // Its magnitude lies in both classes: each has an interval open at the left edge, -10.
    output.str({});
    EXPECT_EQ(runSummary({result, {}}, output, errors), ExitCode::Success);
    EXPECT_NE(output.str().find("\r\n0,0,,\"? - -10\",\"? - -10\",\"Out of range\",\"Out of range\"\r\n"),
              std::string::npos);
}

TEST(BatchReportTest, BytesATerminalWouldActOnAreWrittenAsEscapes)
{
    std::ostringstream errors;
    BatchReport(errors).fail("a\x1b[2J.csv", "Type mismatch in field \"\x1b]0;\a\0\t\x7F\xE9t\xC3\xA9\""s);
    EXPECT_EQ(errors.str(), "brimvale-batch: a\\x1B[2J.csv: Type mismatch in field "
                            "\"\\x1B]0;\\x07\\x00\\x09\\x7F\\xE9t\xC3\xA9\"\n");
}

// The record was drawn before the matrix, so a range the window cannot use then is the matrix's axis.
TEST_F(BatchRobustnessTest, ARangeTheMatrixAxisBreaksIsTheMatrixs)
{
    test::CorvaneFileBuilder().axisValues([](int) { return 5.0f; }).writeTo(matrix);
    EXPECT_EQ(reconstruct(), ExitCode::Failure);
    EXPECT_EQ(
        errors.str(),
        line(matrix, "Please set valid range. (vertical 0 to 350, horizontal 5 to 5: Division by zero)"));
}

// Standard output into a pipe is no file to replace.
TEST_F(BatchRobustnessTest, AnOutputThatIsNoFileIsWrittenStraightThrough)
{
    ASSERT_EQ(reconstruct(), ExitCode::Success) << errors.str();
    ASSERT_EQ(runSummary({result, {}}, output, errors), ExitCode::Success);
    QProcess process;
    process.start(QStringLiteral(BRIMVALE_BATCH_PROGRAM),
                  {"summary", QString::fromStdString(result.string()), "--out", "/dev/stdout"});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.readAllStandardError().toStdString(), "");
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(process.readAllStandardOutput().toStdString(), output.str());
}

} // namespace
} // namespace brimvale
