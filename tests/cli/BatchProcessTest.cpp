// brimvale-batch as a program: exit statuses, standard output and standard error, no display needed.
#include <gtest/gtest.h>

#include <QProcess>

#include "BatchTestFiles.h"
#include "cli/BatchArguments.h"

namespace brimvale {
namespace {

struct ProgramRun {
    int status = -1;
    std::string output;
    std::string errors;
};

// Runs the program in the folder with no platform and no display set: it must choose one itself.
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
    EXPECT_EQ(std::tie(help.status, help.output, help.errors),
              std::make_tuple(0, batchUsage(), std::string()));
    EXPECT_EQ(batch({"--version"}).output, "brimvale-batch 2.5.0\n");
    const ProgramRun nothing = batch({});
    EXPECT_EQ(nothing.status, 2);
    EXPECT_EQ(nothing.errors, "brimvale-batch: no command given\n" + batchUsage());
    EXPECT_EQ(batch({"reconstruct", "--smoothing", "0"}).status, 2);
}

TEST(BatchProcessTest, TheExamplesFromAFreshFolderAndAFailure)
{
    test::ScratchFolder folder;
    const QString examples = QStringLiteral(BRIMVALE_EXAMPLES_FOLDER);
    const ProgramRun reconstruct = batch({"reconstruct", "--data", examples + "/core-record.csv", "--matrix",
                                          examples + "/corvane-matrix.csv", "--out", "section.csv",
                                          "--smoothing", "3", "--summary", "rows.csv"},
                                         folder.path());
    ASSERT_EQ(reconstruct.status, 0) << reconstruct.errors;
    EXPECT_TRUE(reconstruct.errors.empty());
    // The README's example byte for byte, the examples folder written {examples} in the committed files:
    // 512 rows calibrated from the smoothed record, and their summary.
    const auto expected = [](const std::string& name) {
        std::string text = test::readBytes(std::filesystem::path(BRIMVALE_EXPECTED_FOLDER) / name);
        for (std::size_t at = text.find("{examples}"); at != std::string::npos; at = text.find("{examples}"))
            text.replace(at, 10, BRIMVALE_EXAMPLES_FOLDER);
        return text;
    };
    EXPECT_EQ(test::readBytes(folder.file("section.csv")), expected("section.csv"));
    EXPECT_EQ(test::readBytes(folder.file("rows.csv")), expected("summary.csv"));

    EXPECT_TRUE(batch({"summary", "section.csv"}, folder.path())
                    .output.starts_with("\"Row\",\"Vertical value\","
                                        "\"Input value\""));
    EXPECT_TRUE(batch({"profiles", "section.csv"}, folder.path())
                    .output.starts_with("\"Row\",\"Vertical value\","
                                        "\"Climate value\""));
    // Drawing needs fonts but no display; Qt's notes stay off standard error.
    const ProgramRun render =
        batch({"render", "section.csv", "--png", "section.png", "--width", "200"}, folder.path());
    EXPECT_EQ(std::tie(render.status, render.errors), std::make_tuple(0, std::string()));
    EXPECT_TRUE(std::filesystem::exists(folder.file("section.png")));

    const ProgramRun absent = batch({"summary", "absent.csv"}, folder.path());
    EXPECT_EQ(std::tie(absent.status, absent.errors, absent.output),
              std::make_tuple(1, std::string("brimvale-batch: absent.csv: no such file\n"), std::string()));
}

} // namespace
} // namespace brimvale
