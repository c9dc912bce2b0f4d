// brimvale-batch reconstruct --page: the window's printed page written as PDF, and where --page and --title
// go.
#include <gtest/gtest.h>

#include <sstream>

#include "BatchTestFiles.h"
#include "cli/BatchArguments.h"
#include "cli/ReconstructCommand.h"

namespace brimvale {
namespace {

TEST(PageCommandTest, ReconstructPrintsTheWindowsPageAndReportsAPageItCannotWrite)
{
    test::ScratchFolder folder;
    ReconstructOptions options;
    options.matrix = folder.file("matrix.csv");
    test::CorvaneFileBuilder().writeTo(options.matrix);
    options.data = {test::writeBytes(folder.file("a.csv"), test::dataFileText(test::wavyRecord(50)))};
    options.out = folder.file("a.result.csv");
    options.page = folder.file("a.pdf");
    options.title = "Core 7";
    std::ostringstream errors;
    EXPECT_EQ(runReconstruct(options, errors), ExitCode::Success) << errors.str();
    EXPECT_TRUE(test::readBytes(*options.page).starts_with("%PDF-"));

    options.page = folder.file("no folder") / "a.pdf";
    EXPECT_EQ(runReconstruct(options, errors), ExitCode::Failure);
    EXPECT_EQ(errors.str(), "brimvale-batch: " + options.page->string() +
                                ": cannot be written: The printer could not be opened\n");
}

TEST(PageCommandTest, PageGoesWithOneRecordAndTitleWithPage)
{
    const std::vector<std::string> common{"reconstruct", "--data", "a.csv", "--matrix", "m.csv"};
    const struct {
        std::vector<std::string> more;
        std::string error;
    } cases[] = {
        {{"--out-dir", "d", "--page", "p.pdf"}, "--page goes with --out: it prints one record's page"},
        {{"--out", "r.csv", "--title", "T"}, "--title goes with --page"}};
    for (const auto& c : cases) {
        std::vector<std::string> arguments = common;
        arguments.insert(arguments.end(), c.more.begin(), c.more.end());
        EXPECT_EQ(parseBatchArguments(arguments).error, c.error);
    }
}

} // namespace
} // namespace brimvale
