// The command line of brimvale-batch: what each command accepts, and the line a wrong one gets.
#include <gtest/gtest.h>

#include "cli/BatchArguments.h"

namespace brimvale {
namespace {

using Command = BatchArguments::Command;
using Arguments = std::vector<std::string>;

BatchArguments parsed(const Arguments& arguments)
{
    const ParsedArguments result = parseBatchArguments(arguments);
    EXPECT_TRUE(result.arguments.has_value()) << result.error;
    return result.arguments.value_or(BatchArguments{});
}

TEST(BatchArgumentsTest, ReconstructTakesEveryWindowStep)
{
    const BatchArguments batch =
        parsed({"reconstruct", "--data",    "a.csv", "--matrix=m.csv", "--out", "r.csv",   "--smoothing",
                "10",          "--width",   "50",    "--height=0",     "--top", "-5",      "--bottom",
                "100.0",       "--summary", "s.csv", "--page",         "p.pdf", "--title", "Core 7"});
    ASSERT_EQ(batch.command, Command::Reconstruct);
    const ReconstructOptions& options = batch.reconstruct;
    EXPECT_EQ(options.data, std::vector<std::filesystem::path>{"a.csv"});
    EXPECT_EQ(options.matrix, "m.csv");
    EXPECT_EQ(options.out, std::filesystem::path("r.csv"));
    EXPECT_EQ(options.summary, std::filesystem::path("s.csv"));
    EXPECT_EQ(options.page, std::filesystem::path("p.pdf"));
    EXPECT_EQ(options.title, std::string("Core 7"));
    // Both ends of the ranges are taken: smoothing 1 to 10, height 0 to 100.
    EXPECT_EQ(std::vector<int>({options.smoothing, options.width, options.height}),
              std::vector<int>({10, 50, 0}));
    // A value that looks like an option is still the value of the option before it.
    EXPECT_EQ(options.top, std::string("-5"));
    EXPECT_EQ(options.bottom, std::string("100.0"));
}

TEST(BatchArgumentsTest, SeveralRecordsGoToAFolderAndDefaultsAreAFreshWindow)
{
    const ReconstructOptions options = parsed({"reconstruct", "--data", "a.csv", "--data", "b.csv",
                                               "--matrix", "m.csv", "--out-dir", "results", "--summaries"})
                                           .reconstruct;
    EXPECT_EQ(options.data, (std::vector<std::filesystem::path>{"a.csv", "b.csv"}));
    EXPECT_EQ(options.outDirectory, std::filesystem::path("results"));
    EXPECT_TRUE(options.summaries && !options.out && !options.top && !options.bottom && !options.summary);
    EXPECT_EQ(std::vector<int>({options.smoothing, options.width, options.height}),
              std::vector<int>({1, 100, 100}));
}

TEST(BatchArgumentsTest, TablesRenderHelpAndVersion)
{
    const BatchArguments profiles = parsed({"profiles", "r.csv", "--out", "p.csv"});
    EXPECT_EQ(profiles.command, Command::Profiles);
    EXPECT_EQ(profiles.table.result, "r.csv");
    EXPECT_EQ(profiles.table.out, std::filesystem::path("p.csv"));
    EXPECT_EQ(parsed({"summary", "r.csv"}).command, Command::Summary);

    const RenderOptions render =
        parsed({"render", "r.csv", "--svg", "f.svg", "--view", "confidence", "--width", "640"}).render;
    EXPECT_EQ(render.format, RenderOptions::Format::Svg);
    EXPECT_EQ(render.out, "f.svg");
    EXPECT_EQ(render.view, RenderOptions::View::Confidence);
    EXPECT_EQ(render.width, 640);
    EXPECT_EQ(parsed({"render", "r.csv", "--png", "f.png"}).render.width, 800);
    // Help and version win over everything else.
    EXPECT_EQ(parsed({"--help"}).command, Command::Help);
    EXPECT_EQ(parsed({"reconstruct", "--bogus", "-h"}).command, Command::Help);
    EXPECT_EQ(parsed({"--version"}).command, Command::Version);
    EXPECT_EQ(parsed({"summary", "--version"}).command, Command::Version);
}

TEST(BatchArgumentsTest, AUsageErrorNamesWhatIsWrong)
{
    const Arguments base{"reconstruct", "--data", "a.csv", "--matrix", "m.csv"};
    const auto with = [&](const Arguments& more) {
        Arguments arguments = base;
        arguments.insert(arguments.end(), more.begin(), more.end());
        return arguments;
    };
    const std::pair<Arguments, std::string> cases[] = {
        {{}, "no command given"},
        {{"calibrate"}, "unknown command calibrate"},
        {with({"--out", "r.csv", "--colour", "red"}), "unknown option --colour"},
        {with({"--out"}), "--out needs a value"},
        {{"reconstruct", "--matrix", "m.csv", "--out", "r.csv"}, "--data is required"},
        {{"reconstruct", "--data", "a.csv", "--out", "r.csv"}, "--matrix is required"},
        {with({"--matrix", "n.csv", "--out", "r.csv"}), "--matrix given more than once"},
        {base, "--out (one record) or --out-dir (several records) is required"},
        {with({"--out", "r.csv", "--out-dir", "d"}), "give either --out or --out-dir, not both"},
        {with({"--data", "b.csv", "--out", "r.csv"}),
         "--out takes one record, but 2 --data files were given; use --out-dir"},
        {with({"--out-dir", "d", "--summary", "s.csv"}),
         "--summary goes with --out; use --summaries with --out-dir"},
        {with({"--out", "r.csv", "--summaries"}),
         "--summaries goes with --out-dir; use --summary FILE with --out"},
        {with({"--out", "r.csv", "--smoothing", "11"}),
         "--smoothing must be a whole number from 1 to 10: 11"},
        {with({"--out", "r.csv", "--height", "tall"}), "--height must be a whole number from 0 to 100: tall"},
        {with({"--out", "r.csv", "extra.csv"}), "unexpected argument for reconstruct: extra.csv"},
        {with({"--out-dir", "d", "--summaries=yes"}), "--summaries takes no value: --summaries=yes"},
        {{"summary"}, "summary takes one result file, none was given"},
        {{"profiles", "a.csv", "b.csv"}, "profiles takes one result file, not b.csv"},
        {{"render", "r.csv"}, "render needs exactly one of --png, --pdf and --svg"},
        {{"render", "r.csv", "--png", "a.png", "--view", "colour"},
         "--view must be probability or confidence: colour"},
        {{"render", "r.csv", "--png", "a.png", "--width", "99"},
         "--width must be a whole number from 100 to 20000: 99"},
        {with({"--out-dir", "d", "--page", "p.pdf"}), "--page goes with --out: it prints one record's page"},
        {with({"--out", "r.csv", "--title", "T"}), "--title goes with --page"},
    };
    for (const auto& [arguments, error] : cases) {
        const ParsedArguments result = parseBatchArguments(arguments);
        EXPECT_FALSE(result.arguments.has_value()) << error;
        EXPECT_EQ(result.error, error);
    }
}

} // namespace
} // namespace brimvale
