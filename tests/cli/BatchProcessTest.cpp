// brimvale-batch as a program: exit statuses, standard output and standard error, no display needed.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

#include "BatchTestFiles.h"

namespace brimvale {
namespace {

struct ProgramRun {
    int status = -1;
    std::string output;
    std::string errors;
};

// Runs the program without a display: no platform is set, so it must choose one itself.
ProgramRun batch(const QStringList& arguments, const QString& folder = {})
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    process.setProcessEnvironment(environment);
    if (!folder.isEmpty())
        process.setWorkingDirectory(folder);
    process.start(QStringLiteral(BRIMVALE_BATCH_PROGRAM), arguments);
    EXPECT_TRUE(process.waitForFinished(30000));
    return {process.exitCode(), process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}

TEST(BatchProcessTest, HelpAndVersion)
{
    const ProgramRun help = batch({QStringLiteral("--help")});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.output.rfind("Usage:\n", 0), 0u);
    EXPECT_TRUE(help.errors.empty());
    const ProgramRun version = batch({QStringLiteral("--version")});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.output, "brimvale-batch 2.5.0\n");
}

TEST(BatchProcessTest, UsageErrorsExitWithTwo)
{
    const ProgramRun nothing = batch({});
    EXPECT_EQ(nothing.status, 2);
    EXPECT_EQ(nothing.errors.rfind("brimvale-batch: no command given\nUsage:\n", 0), 0u) << nothing.errors;
    EXPECT_TRUE(nothing.output.empty());
    const ProgramRun wrong =
        batch({QStringLiteral("reconstruct"), QStringLiteral("--smoothing"), QStringLiteral("0")});
    EXPECT_EQ(wrong.status, 2);
}

TEST(BatchProcessTest, TheExamplesFromAFreshFolder)
{
    test::ScratchFolder folder;
    const QString examples = QStringLiteral(BRIMVALE_EXAMPLES_FOLDER);
    const QString here = QString::fromStdString(folder.path().string());
    const ProgramRun reconstruct =
        batch({QStringLiteral("reconstruct"), QStringLiteral("--data"),
               examples + QStringLiteral("/core-record.csv"), QStringLiteral("--matrix"),
               examples + QStringLiteral("/corvane-matrix.csv"), QStringLiteral("--out"),
               QStringLiteral("section.csv"), QStringLiteral("--smoothing"), QStringLiteral("3")},
              here);
    ASSERT_EQ(reconstruct.status, 0) << reconstruct.errors;
    EXPECT_TRUE(reconstruct.errors.empty());

    const ProgramRun summary = batch({QStringLiteral("summary"), QStringLiteral("section.csv")}, here);
    EXPECT_EQ(summary.status, 0) << summary.errors;
    EXPECT_EQ(summary.output.rfind("\"Row\",\"Vertical value\"", 0), 0u);

    // Drawing needs fonts but no display; Qt's notes stay off standard error.
    const ProgramRun render =
        batch({QStringLiteral("render"), QStringLiteral("section.csv"), QStringLiteral("--png"),
               QStringLiteral("section.png"), QStringLiteral("--width"), QStringLiteral("200")},
              here);
    EXPECT_EQ(render.status, 0) << render.errors;
    EXPECT_TRUE(render.errors.empty()) << render.errors;
    EXPECT_TRUE(std::filesystem::exists(folder.file("section.png")));
}

TEST(BatchProcessTest, AFailureIsOneLineAndStatusOne)
{
    test::ScratchFolder folder;
    const ProgramRun run = batch({QStringLiteral("summary"), QStringLiteral("absent.csv")},
                                 QString::fromStdString(folder.path().string()));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors, "brimvale-batch: absent.csv: no such file\n");
    EXPECT_TRUE(run.output.empty());
}

} // namespace
} // namespace brimvale
