// brimvale-batch reconstruct and summary through their library entry points: several records, going on
// past a failing record, and the one line each failure gets.
#include <gtest/gtest.h>

#include <sstream>

#include "BatchTestFiles.h"
#include "cli/ReconstructCommand.h"
#include "cli/TableCommands.h"

namespace brimvale {
namespace {

using test::CorvaneFileBuilder;

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

    // Exit status 1 and standard error being the text, or starting with it when it has no line end.
    void expectFailure(const ReconstructOptions& options, const std::string& expected)
    {
        errors.str({});
        EXPECT_EQ(runReconstruct(options, errors), ExitCode::Failure);
        if (expected.ends_with('\n'))
            EXPECT_EQ(errors.str(), expected);
        else
            EXPECT_TRUE(errors.str().starts_with(expected)) << errors.str();
    }
};

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
    ASSERT_EQ(runReconstruct(batch, errors), ExitCode::Success) << errors.str();

    for (const auto& data : records) {
        ReconstructOptions one = single(data, "one.csv");
        one.smoothing = 3;
        one.width = 80;
        one.summary = folder.file("one-summary.csv");
        ASSERT_EQ(runReconstruct(one, errors), ExitCode::Success) << errors.str();
        const std::filesystem::path results = folder.file("results");
        const std::string stem = data.stem().string();
        EXPECT_EQ(test::readBytes(results / (stem + ".result.csv")), test::readBytes(folder.file("one.csv")));
        EXPECT_EQ(test::readBytes(results / (stem + ".summary.csv")),
                  test::readBytes(folder.file("one-summary.csv")));
    }
}

TEST_F(ReconstructCommandTest, FailingRecordsAreReportedAndTheOthersWritten)
{
    test::Record tooLong;
    for (int k = 0; k < 10002; ++k)
        tooLong.emplace_back(k * 0.01, 5.0 + (k % 7));
    const std::vector<std::filesystem::path> records = {
        folder.file("missing.csv"), record("long.csv", tooLong),
        // Every depth 0: the vertical range has no height.
        record("flat.csv", {{0, 5}, {0, 6}, {0, 7}}), record("good.csv", test::wavyRecord(40))};
    ReconstructOptions options;
    options.data = records;
    options.matrix = matrix;
    options.outDirectory = folder.path();
    const auto line = [](const std::filesystem::path& file, const std::string& problem) {
        return "brimvale-batch: " + file.string() + ": " + problem + "\n";
    };
    expectFailure(options,
                  line(records[0], "no such file") +
                      line(records[1], "has more than 10001 records, the most a data file may hold") +
                      line(records[2], "Please set valid range. (vertical 0 to 0, horizontal 0 to 10: "
                                       "Division by zero)"));
    EXPECT_TRUE(std::filesystem::exists(folder.file("good.result.csv")));
    EXPECT_FALSE(std::filesystem::exists(folder.file("flat.result.csv")));
}

TEST_F(ReconstructCommandTest, EachFailureIsOneLineNamingTheFile)
{
    const auto core = record("core.csv", test::wavyRecord(20));
    const std::string named = "brimvale-batch: " + core.string() + ": ";
    ReconstructOptions typed = single(core);
    typed.top = "350";
    expectFailure(typed, named + "Please set valid range. (vertical 350 to 350");
    typed.top = "200";
    typed.bottom = "100";
    expectFailure(typed, named + "Please set valid range. (vertical 200 to 100, horizontal -10 to 20: the top "
                                 "lies below the bottom)\n");
    expectFailure(single(core, "no/such/folder.csv"),
                  "brimvale-batch: " + folder.file("no/such/folder.csv").string() + ": cannot be written: ");

    // No output replaces an input: the record, the matrix, or the result named as the summary.
    const std::string before = test::readBytes(core);
    expectFailure(single(core, "core.csv"),
                  named + "its output " + core.string() + " would replace the record " + core.string() + "\n");
    ReconstructOptions summarised = single(core);
    for (const auto& target : {core, matrix, folder.file("result.csv")}) {
        summarised.summary = target;
        expectFailure(summarised, named + "its output " + target.string() + " would replace the ");
    }
    EXPECT_EQ(test::readBytes(core), before);
    EXPECT_EQ(test::readBytes(matrix), CorvaneFileBuilder().contents());

    // The window's printed page goes to the PDF file; one that cannot be written is one line too.
    ReconstructOptions printed = single(core, "printed.csv");
    printed.page = folder.file("page.pdf");
    printed.title = "Core 7";
    EXPECT_EQ(runReconstruct(printed, errors), ExitCode::Success) << errors.str();
    EXPECT_TRUE(test::readBytes(*printed.page).starts_with("%PDF-"));
    printed.page = folder.file("no folder") / "page.pdf";
    expectFailure(printed, "brimvale-batch: " + printed.page->string() +
                               ": cannot be written: The printer could not be opened\n");

    TableOptions table;
    table.result = matrix;
    errors.str({});
    EXPECT_EQ(runSummary(table, output, errors), ExitCode::Failure);
    EXPECT_EQ(errors.str(), "brimvale-batch: " + matrix.string() +
                                ": first field: Not a Brimvale result file: it begins with \"Corvane common "
                                "output format\"\n");
    EXPECT_TRUE(output.str().empty());

    test::writeBytes(matrix, "\"Brimvale common output format\"\r\n");
    expectFailure(single(core), "brimvale-batch: " + matrix.string() +
                                    ": Not a Corvane output file: \"Brimvale common output format\"\n");
    const std::string whole = CorvaneFileBuilder().contents();
    test::writeBytes(matrix, whole.substr(0, whole.size() / 2));
    expectFailure(single(core), "brimvale-batch: " + matrix.string() +
                                    ": not a valid Corvane file: Input past end of file\n");
    EXPECT_FALSE(std::filesystem::exists(folder.file("result.csv")));
}

} // namespace
} // namespace brimvale
