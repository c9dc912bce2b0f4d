// brimvale-batch reconstruct and summary through their library entry points: several records, going on
// past a failing record, and the one line each failure gets.
#include <gtest/gtest.h>

#include <sstream>

#include "BatchTestFiles.h"
#include "cli/ReconstructCommand.h"
#include "cli/TableCommands.h"

namespace brimvale {
namespace {

class ReconstructCommandTest : public ::testing::Test {
protected:
    test::ScratchFolder folder;
    std::ostringstream errors;
    std::filesystem::path matrix = folder.file("matrix.csv");
    std::filesystem::path core = record("core.csv", test::wavyRecord(20));

    void SetUp() override { test::CorvaneFileBuilder().writeTo(matrix); }

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

    // Exit status 1 and standard error being the line, or starting with it when it has no line end.
    void expectFailure(const ReconstructOptions& options, const std::string& file, const std::string& problem)
    {
        errors.str({});
        EXPECT_EQ(runReconstruct(options, errors), ExitCode::Failure);
        const std::string line = "brimvale-batch: " + file + ": " + problem;
        EXPECT_TRUE(problem.ends_with('\n') ? errors.str() == line : errors.str().starts_with(line))
            << errors.str();
    }
};

TEST_F(ReconstructCommandTest, SeveralRecordsGiveWhatSingleRunsGiveAndFailingOnesAreReported)
{
    test::Record tooLong;
    for (int k = 0; k < 10002; ++k)
        tooLong.emplace_back(k * 0.01, 5.0 + (k % 7));
    ReconstructOptions batch;
    batch.data = {record("a.csv", test::wavyRecord(50)), folder.file("missing.csv"),
                  record("long.csv", tooLong), record("flat.csv", {{0, 5}, {0, 6}, {0, 7}}),
                  record("b.csv", test::wavyRecord(90, 420.0))};
    batch.matrix = matrix;
    batch.outDirectory = folder.file("results");
    batch.summaries = true;
    batch.smoothing = 3;
    batch.width = 80;
    const auto line = [](const std::filesystem::path& file, const std::string& problem) {
        return "brimvale-batch: " + file.string() + ": " + problem + "\n";
    };
    EXPECT_EQ(runReconstruct(batch, errors), ExitCode::Failure);
    // Every depth of flat.csv is 0: its vertical range has no height.
    EXPECT_EQ(errors.str(),
              line(batch.data[1], "no such file") +
                  line(batch.data[2], "has more than 10001 records, the most a data file may hold") +
                  line(batch.data[3], "Please set valid range. (vertical 0 to 0, horizontal 0 to 10: "
                                      "Division by zero)"));
    EXPECT_FALSE(std::filesystem::exists(folder.file("results") / "flat.result.csv"));
    for (const auto& data : {batch.data[0], batch.data[4]}) {
        ReconstructOptions one = single(data, "one.csv");
        one.smoothing = 3;
        one.width = 80;
        one.summary = folder.file("one-summary.csv");
        ASSERT_EQ(runReconstruct(one, errors), ExitCode::Success) << errors.str();
        const std::filesystem::path stem = folder.file("results") / data.stem();
        EXPECT_EQ(test::readBytes(stem.string() + ".result.csv"), test::readBytes(folder.file("one.csv")));
        EXPECT_EQ(test::readBytes(stem.string() + ".summary.csv"),
                  test::readBytes(folder.file("one-summary.csv")));
    }
}

TEST_F(ReconstructCommandTest, EachFailureIsOneLineNamingTheFile)
{
    ReconstructOptions typed = single(core);
    typed.top = "350";
    expectFailure(typed, core.string(), "Please set valid range. (vertical 350 to 350");
    typed.top = "200";
    typed.bottom = "100";
    expectFailure(
        typed, core.string(),
        "Please set valid range. (vertical 200 to 100, horizontal -10 to 20: the top lies below the "
        "bottom)\n");
    expectFailure(single(folder.path()), folder.path().string(), "is a folder, not a file\n");
    const std::filesystem::path nowhere = folder.file("no/such/folder.csv");
    expectFailure(single(core, "no/such/folder.csv"), nowhere.string(), "cannot be written: ");

    // No output replaces an input: the record, the matrix, or the result named as the summary.
    expectFailure(single(core, "core.csv"), core.string(),
                  "its output " + core.string() + " would replace the record " + core.string() + "\n");
    ReconstructOptions summarised = single(core);
    for (const auto& target : {core, matrix, folder.file("result.csv")}) {
        summarised.summary = target;
        expectFailure(summarised, core.string(), "its output " + target.string() + " would replace the ");
    }
    EXPECT_EQ(test::readBytes(core), test::dataFileText(test::wavyRecord(20)));
    EXPECT_EQ(test::readBytes(matrix), test::CorvaneFileBuilder().contents());

    // The window's printed page goes to the PDF file; one that cannot be written is one line too.
    ReconstructOptions printed = single(core, "printed.csv");
    printed.page = folder.file("page.pdf");
    printed.title = "Core 7";
    EXPECT_EQ(runReconstruct(printed, errors), ExitCode::Success) << errors.str();
    EXPECT_TRUE(test::readBytes(*printed.page).starts_with("%PDF-"));
    printed.page = folder.file("no folder") / "page.pdf";
    expectFailure(printed, printed.page->string(), "cannot be written: The printer could not be opened\n");

    TableOptions table{matrix, {}};
    errors.str({});
    std::ostringstream output;
    EXPECT_EQ(runSummary(table, output, errors), ExitCode::Failure);
    EXPECT_EQ(errors.str(), "brimvale-batch: " + matrix.string() +
                                ": first field: Not a Brimvale result file: it "
                                "begins with \"Corvane common output format\"\n");
    EXPECT_TRUE(output.str().empty());

    test::writeBytes(matrix, "\"Brimvale common output format\"\r\n");
    expectFailure(single(core), matrix.string(),
                  "Not a Corvane output file: \"Brimvale common output format\"\n");
    const std::string whole = test::CorvaneFileBuilder().contents();
    test::writeBytes(matrix, whole.substr(0, whole.size() / 2));
    expectFailure(single(core), matrix.string(),
                  "not a valid Corvane file: line 124, matrix row 108 of 201: Input past end of file\n");
    EXPECT_FALSE(std::filesystem::exists(folder.file("result.csv")));
}

} // namespace
} // namespace brimvale
