// brimvale-batch reconstruct, summary and profiles through their library entry points: what they
// write, how they go on past a failing record, and the one line each failure gets.
#include <gtest/gtest.h>

#include <sstream>

#include "BatchTestFiles.h"
#include "cli/ReconstructCommand.h"
#include "cli/TableCommands.h"
#include "io/ResultFileReader.h"

namespace brimvale {
namespace {

using test::CorvaneFileBuilder;

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

class ReconstructCommandTest : public ::testing::Test {
protected:
    test::ScratchFolder folder;
    std::ostringstream output;
    std::ostringstream errors;
    std::filesystem::path matrix = folder.file("matrix.csv");

    void SetUp() override { CorvaneFileBuilder().writeTo(matrix); }

    std::filesystem::path record(const std::string& name, const test::Record& points)
    {
        return test::writeBytes(folder.file(name), test::dataFileText(points));
    }

    ReconstructOptions single(const std::filesystem::path& data, const std::string& out = "result.csv")
    {
        ReconstructOptions options;
        options.data = {data};
        options.matrix = matrix;
        options.out = folder.file(out);
        return options;
    }

    ExitCode run(const ReconstructOptions& options) { return runReconstruct(options, errors); }
};

TEST_F(ReconstructCommandTest, SingleRecordWritesAResultTheReaderTakes)
{
    ReconstructOptions options = single(record("core.csv", test::wavyRecord(120)));
    options.smoothing = 2;
    options.summary = folder.file("summary.csv");
    ASSERT_EQ(run(options), ExitCode::Success) << errors.str();
    EXPECT_TRUE(errors.str().empty());

    const ResultFileOutcome outcome = readResultFile(folder.file("result.csv"));
    ASSERT_TRUE(outcome.complete());
    EXPECT_EQ(outcome.data.verticalSteps, 511);
    EXPECT_EQ(outcome.data.smoothingLevel, 2.0f);
    EXPECT_EQ(outcome.data.sectionVerticalTitle, "Depth (cm)");
    EXPECT_EQ(outcome.data.sectionHorizontalTitle, "Mean July temperature (C)");
    EXPECT_EQ(outcome.data.axisValues[0], -10.0f);
    EXPECT_EQ(outcome.data.axisValues[200], 20.0f);
    // Depths 0 to 300 round out to 0 and 350.
    EXPECT_EQ(outcome.data.verticalValues.front(), 0.0f);
    EXPECT_EQ(outcome.data.verticalValues.back(), 350.0f);
    const std::string bytes = test::readBytes(folder.file("result.csv"));
    EXPECT_NE(bytes.find("\"Original curve: \",\"" + folder.file("core.csv").string() + "\"\r\n"),
              std::string::npos);

    const std::vector<std::string> summary = linesOf(test::readBytes(folder.file("summary.csv")));
    ASSERT_EQ(summary.size(), 1u + 512u);
    // The curve crosses row 100, so its input value is known there; the third field is not empty.
    const std::size_t second = summary[101].find(',', summary[101].find(',') + 1);
    EXPECT_NE(summary[101][second + 1], ',') << summary[101];
}

TEST_F(ReconstructCommandTest, ResultFileSummaryLacksOnlyTheInputValue)
{
    ReconstructOptions options = single(record("core.csv", test::wavyRecord(80)));
    options.summary = folder.file("direct.csv");
    ASSERT_EQ(run(options), ExitCode::Success) << errors.str();

    TableOptions table;
    table.result = folder.file("result.csv");
    table.out = folder.file("read-back.csv");
    ASSERT_EQ(runSummary(table, output, errors), ExitCode::Success) << errors.str();

    const std::vector<std::string> direct = linesOf(test::readBytes(folder.file("direct.csv")));
    const std::vector<std::string> readBack = linesOf(test::readBytes(folder.file("read-back.csv")));
    ASSERT_EQ(direct.size(), readBack.size());
    int inputsKnown = 0;
    for (std::size_t k = 1; k < direct.size(); ++k) {
        // Row and vertical value, then the input value, then the rest.
        const std::size_t second = direct[k].find(',', direct[k].find(',') + 1);
        const std::size_t third = direct[k].find(',', second + 1);
        inputsKnown += third > second + 1;
        EXPECT_EQ(direct[k].substr(0, second), readBack[k].substr(0, second)) << k;
        EXPECT_EQ(readBack[k][second + 1], ',') << k;
        EXPECT_EQ(direct[k].substr(third), readBack[k].substr(second + 1)) << k;
    }
    EXPECT_GT(inputsKnown, 400);
}

TEST_F(ReconstructCommandTest, SeveralRecordsGiveWhatSingleRunsGive)
{
    const std::vector<std::filesystem::path> records = {record("a.csv", test::wavyRecord(50)),
                                                        record("b.csv", test::wavyRecord(90, 420.0)),
                                                        record("c.csv", test::wavyRecord(7, 35.0))};
    ReconstructOptions batch;
    batch.data = records;
    batch.matrix = matrix;
    batch.outDirectory = folder.file("results");
    batch.summaries = true;
    batch.smoothing = 3;
    batch.width = 80;
    ASSERT_EQ(run(batch), ExitCode::Success) << errors.str();

    for (const auto& data : records) {
        ReconstructOptions one = single(data, "one.csv");
        one.smoothing = 3;
        one.width = 80;
        one.summary = folder.file("one-summary.csv");
        ASSERT_EQ(run(one), ExitCode::Success) << errors.str();
        const auto stem = data.stem().string();
        EXPECT_EQ(test::readBytes(folder.file("results") / (stem + ".result.csv")),
                  test::readBytes(folder.file("one.csv")))
            << stem;
        EXPECT_EQ(test::readBytes(folder.file("results") / (stem + ".summary.csv")),
                  test::readBytes(folder.file("one-summary.csv")))
            << stem;
    }
}

TEST_F(ReconstructCommandTest, FailingRecordsAreReportedAndTheOthersWritten)
{
    test::Record tooLong;
    for (int k = 0; k < 10002; ++k)
        tooLong.emplace_back(k, 5.0);
    const std::vector<std::filesystem::path> records = {
        record("good.csv", test::wavyRecord(40)), folder.file("missing.csv"), record("long.csv", tooLong),
        // Every depth 0: the vertical range has no height.
        record("flat.csv", {{0, 5}, {0, 6}, {0, 7}}), record("last.csv", test::wavyRecord(30))};
    ReconstructOptions options;
    options.data = records;
    options.matrix = matrix;
    options.outDirectory = folder.path();
    EXPECT_EQ(run(options), ExitCode::Failure);

    const std::vector<std::string> lines = linesOf(errors.str());
    ASSERT_EQ(lines.size(), 3u) << errors.str();
    EXPECT_EQ(lines[0], "brimvale-batch: " + records[1].string() + ": no such file");
    EXPECT_EQ(lines[1], "brimvale-batch: " + records[2].string() +
                            ": has more than 10001 records, the most a data file may hold");
    EXPECT_EQ(lines[2].rfind("brimvale-batch: " + records[3].string() + ": Please set valid range. (", 0), 0u)
        << lines[2];
    EXPECT_TRUE(std::filesystem::exists(folder.file("good.result.csv")));
    EXPECT_TRUE(std::filesystem::exists(folder.file("last.result.csv")));
    EXPECT_FALSE(std::filesystem::exists(folder.file("flat.result.csv")));
}

TEST_F(ReconstructCommandTest, TheLargestRecordIsAccepted)
{
    test::Record largest;
    for (int k = 0; k < 10001; ++k)
        largest.emplace_back(k * 0.01, 5.0 + (k % 7));
    EXPECT_EQ(run(single(record("largest.csv", largest))), ExitCode::Success) << errors.str();
}

TEST_F(ReconstructCommandTest, MatrixThatIsNotACorvaneFile)
{
    test::writeBytes(matrix, "\"Brimvale common output format\"\r\n");
    EXPECT_EQ(run(single(record("core.csv", test::wavyRecord(20)))), ExitCode::Failure);
    EXPECT_EQ(errors.str(), "brimvale-batch: " + matrix.string() +
                                ": Not a Corvane output file: \"Brimvale common output format\"\n");
    EXPECT_FALSE(std::filesystem::exists(folder.file("result.csv")));
}

TEST_F(ReconstructCommandTest, MatrixCutShort)
{
    const std::string whole = CorvaneFileBuilder().contents();
    test::writeBytes(matrix, whole.substr(0, whole.size() / 2));
    EXPECT_EQ(run(single(record("core.csv", test::wavyRecord(20)))), ExitCode::Failure);
    EXPECT_EQ(errors.str(),
              "brimvale-batch: " + matrix.string() + ": not a valid Corvane file: Input past end of file\n");
}

TEST_F(ReconstructCommandTest, TypedRangeOfNoHeight)
{
    ReconstructOptions options = single(record("core.csv", test::wavyRecord(20)));
    options.top = "350";
    EXPECT_EQ(run(options), ExitCode::Failure);
    EXPECT_EQ(errors.str().rfind("brimvale-batch: " + folder.file("core.csv").string() +
                                     ": Please set valid range. (vertical 350 to 350",
                                 0),
              0u)
        << errors.str();
}

TEST_F(ReconstructCommandTest, TopBelowBottom)
{
    ReconstructOptions options = single(record("core.csv", test::wavyRecord(20)));
    options.top = "200";
    options.bottom = "100";
    EXPECT_EQ(run(options), ExitCode::Failure);
    EXPECT_EQ(errors.str(), "brimvale-batch: " + folder.file("core.csv").string() +
                                ": Please set valid range. (top 200 lies below bottom 100)\n");
}

TEST_F(ReconstructCommandTest, OutputThatCannotBeWritten)
{
    const ReconstructOptions options = single(record("core.csv", test::wavyRecord(20)), "no/such/folder.csv");
    EXPECT_EQ(run(options), ExitCode::Failure);
    EXPECT_EQ(errors.str().rfind("brimvale-batch: " + folder.file("no/such/folder.csv").string() +
                                     ": cannot be written: ",
                                 0),
              0u)
        << errors.str();
}

TEST_F(ReconstructCommandTest, NoOutputReplacesAnInput)
{
    const auto data = record("core.csv", test::wavyRecord(20));
    const std::string before = test::readBytes(data);
    EXPECT_EQ(run(single(data, "core.csv")), ExitCode::Failure);
    EXPECT_EQ(errors.str(), "brimvale-batch: " + data.string() + ": its output " + data.string() +
                                " would replace the record " + data.string() + "\n");
    EXPECT_EQ(test::readBytes(data), before);
}

TEST_F(ReconstructCommandTest, SummaryOfAFileThatIsNoResult)
{
    TableOptions table;
    table.result = matrix;
    EXPECT_EQ(runSummary(table, output, errors), ExitCode::Failure);
    EXPECT_EQ(
        errors.str(),
        "brimvale-batch: " + matrix.string() +
            ": first field: Not a Brimvale result file: it begins with \"Corvane common output format\"\n");
    EXPECT_TRUE(output.str().empty());
}

TEST_F(ReconstructCommandTest, TablesGoToStandardOutputByDefault)
{
    ASSERT_EQ(run(single(record("core.csv", test::wavyRecord(20)))), ExitCode::Success);
    TableOptions table;
    table.result = folder.file("result.csv");
    ASSERT_EQ(runProfiles(table, output, errors), ExitCode::Success) << errors.str();
    const std::vector<std::string> lines = linesOf(output.str());
    EXPECT_EQ(lines.size(), 1u + 512u * 201u);
}

} // namespace
} // namespace brimvale
