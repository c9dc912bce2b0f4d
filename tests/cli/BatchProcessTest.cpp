// brimvale-batch as a program: exit statuses, standard output and standard error, no display needed.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

#include "BatchTestFiles.h"
#include "cli/BatchArguments.h"

namespace brimvale {
namespace {

struct ProgramRun {
    int status = -1;
    std::string output;
    std::string errors;
};

// Runs the program without a display: no platform is set, so it must choose one itself.
ProgramRun batch(const QStringList& arguments, const std::filesystem::path& folder = {})
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(QString::fromLatin1(name));
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(QString::fromStdString(folder.string()));
    process.start(QStringLiteral(BRIMVALE_BATCH_PROGRAM), arguments);
    EXPECT_TRUE(process.waitForFinished(30000));
    return {process.exitCode(), process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}

TEST(BatchProcessTest, HelpVersionAndUsageErrors)
{
    const ProgramRun help = batch({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.output, batchUsage());
    EXPECT_TRUE(help.errors.empty());
    const ProgramRun version = batch({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.output, "brimvale-batch 2.5.0\n");

    const ProgramRun nothing = batch({});
    EXPECT_EQ(nothing.status, 2);
    EXPECT_EQ(nothing.errors, "brimvale-batch: no command given\n" + batchUsage());
    EXPECT_TRUE(nothing.output.empty());
    EXPECT_EQ(batch({"reconstruct", "--smoothing", "0"}).status, 2);
}

// The committed file with the examples folder written as {examples}, as the program names its inputs.
std::string expected(const std::string& name)
{
    std::string text = test::readBytes(std::filesystem::path(BRIMVALE_EXPECTED_FOLDER) / name);
    const std::string examples = BRIMVALE_EXAMPLES_FOLDER;
    for (std::size_t at = text.find("{examples}"); at != std::string::npos; at = text.find("{examples}", at))
        text.replace(at, 10, examples);
    return text;
}

TEST(BatchProcessTest, TheExamplesFromAFreshFolderAndAFailure)
{
    test::ScratchFolder folder;
    const QString examples = QStringLiteral(BRIMVALE_EXAMPLES_FOLDER);
    const ProgramRun reconstruct =
        batch({"reconstruct", "--data", examples + "/core-record.csv", "--matrix",
               examples + "/corvane-matrix.csv", "--out", "section.csv", "--smoothing", "3", "--summary",
               "rows.csv"},
              folder.path());
    ASSERT_EQ(reconstruct.status, 0) << reconstruct.errors;
    EXPECT_TRUE(reconstruct.errors.empty());
    // The README's example, byte for byte: 512 rows calibrated from the smoothed record, and their summary.
    EXPECT_EQ(test::readBytes(folder.file("section.csv")), expected("section.csv"));
    EXPECT_EQ(test::readBytes(folder.file("rows.csv")), expected("summary.csv"));

    const ProgramRun summary = batch({"summary", "section.csv"}, folder.path());
    EXPECT_EQ(summary.status, 0) << summary.errors;
    EXPECT_TRUE(summary.output.starts_with("\"Row\",\"Vertical value\""));

    // Drawing needs fonts but no display; Qt's notes stay off standard error.
    const ProgramRun render =
        batch({"render", "section.csv", "--png", "section.png", "--width", "200"}, folder.path());
    EXPECT_EQ(render.status, 0) << render.errors;
    EXPECT_TRUE(render.errors.empty()) << render.errors;
    EXPECT_TRUE(std::filesystem::exists(folder.file("section.png")));

    const ProgramRun absent = batch({"summary", "absent.csv"}, folder.path());
    EXPECT_EQ(absent.status, 1);
    EXPECT_EQ(absent.errors, "brimvale-batch: absent.csv: no such file\n");
    EXPECT_TRUE(absent.output.empty());
}

} // namespace
} // namespace brimvale
