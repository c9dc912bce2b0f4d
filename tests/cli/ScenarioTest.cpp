// Workflows as data: each folder under tests/data/scenarios holds a script of a user's steps (steps.txt),
// its input files and the files the steps must produce. The runner takes the steps on a headless main
// window, as brimvale-batch does, and compares.
//
// Steps, one per line ("#" starts a comment): width N, height N, smoothing N, top TEXT, bottom TEXT,
// import-data FILE, import-matrix FILE, calibrate, save NAME, import-result NAME, summary NAME,
// probe FIGURE X Y #RRGGBB, fails TEXT. An input FILE is a file of the scenario folder, or {examples}/NAME.
// save and summary write NAME into a scratch folder and compare it with NAME in the scenario folder, with
// the scratch, scenario and examples folders written as {scratch}, {scenario} and {examples};
// import-result reads NAME from the scratch folder. probe reads a pixel of figure 0, 1 or 2. A step must
// succeed unless the next line is "fails TEXT", which expects the step's problem to contain TEXT. With
// BRIMVALE_WRITE_SCENARIOS set, save and summary write the expected files instead (check them by hand).
#include <gtest/gtest.h>

#include <QColor>
#include <QLabel>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "BatchTestFiles.h"
#include "cli/HeadlessWindow.h"
#include "cli/SectionSummary.h"
#include "cli/SectionView.h"
#include "ui/MainWindow.h"
#include "ui/PictureBox.h"

namespace brimvale {
namespace {

namespace fs = std::filesystem;

const fs::path Scenarios = BRIMVALE_SCENARIO_FOLDER;
const fs::path Examples = BRIMVALE_EXAMPLES_FOLDER;

std::vector<std::string> scenarioNames()
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(Scenarios)) {
        if (fs::exists(entry.path() / "steps.txt"))
            names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string replaced(std::string text, const std::string& from, const std::string& to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

std::string problemText(const StepProblem& problem)
{
    // As brimvale-batch reports it: the message, with the failure behind it in parentheses.
    std::string text = problem.message.toStdString();
    if (problem.failure)
        text += " (" + problem.subject.toStdString() + ": " + problem.failure->what() + ")";
    return text;
}

class ScenarioTest : public ::testing::TestWithParam<std::string> {
protected:
    fs::path scenario = Scenarios / GetParam();
    test::ScratchFolder scratch;
    HeadlessWindow window;

    fs::path input(const std::string& name) const
    {
        if (name.starts_with("{examples}/"))
            return Examples / name.substr(std::string("{examples}/").size());
        return scenario / name;
    }

    // The bytes with the absolute names of the three folders written as placeholders.
    std::string portable(const std::string& bytes) const
    {
        std::string text = bytes;
        for (const auto& [folder, name] : {std::pair{scratch.path(), "{scratch}"}, std::pair{scenario, "{scenario}"},
                                          std::pair{Examples, "{examples}"}})
            text = replaced(text, dialogFileName(folder).toStdString(), name);
        return text;
    }

    void expectFile(const std::string& name, const std::string& actual, int line) const
    {
        const fs::path expected = scenario / name;
        if (qEnvironmentVariableIsSet("BRIMVALE_WRITE_SCENARIOS"))
            test::writeBytes(expected, portable(actual));
        ASSERT_TRUE(fs::exists(expected)) << "line " << line << ": no expected file " << expected;
        EXPECT_EQ(portable(actual), test::readBytes(expected)) << "line " << line << ": " << name;
    }

    std::optional<StepProblem> take(const std::string& step, std::istringstream& words, int line)
    {
        std::string word;
        words >> word;
        std::string rest;
        std::getline(words, rest);
        const std::string text = word + rest;
        if (step == "width")
            return window.setWidth(std::stoi(word));
        if (step == "height")
            return window.setHeight(std::stoi(word));
        if (step == "smoothing")
            return window.setSmoothing(std::stoi(word));
        if (step == "top")
            return window.typeTop(QString::fromStdString(text));
        if (step == "bottom")
            return window.typeBottom(QString::fromStdString(text));
        if (step == "import-data")
            return window.importData(input(word));
        if (step == "import-matrix")
            return window.importMatrix(input(word));
        if (step == "calibrate")
            return window.calibrate();
        if (step == "import-result")
            return window.importResult(scratch.file(word));
        if (step == "save") {
            auto problem = window.saveMatrix(scratch.file(word));
            if (!problem)
                expectFile(word, test::readBytes(scratch.file(word)), line);
            return problem;
        }
        if (step == "summary") {
            expectFile(word, composeSectionSummary(SectionView::fromWindow(window.window())), line);
            return std::nullopt;
        }
        if (step == "probe") {
            int x = 0;
            int y = 0;
            std::string colour;
            std::istringstream(rest) >> x >> y >> colour;
            const QImage& image = window.window().Picture1.at(std::stoi(word))->surface().image();
            EXPECT_EQ(QColor(image.pixel(x, y)).name().toStdString(), colour)
                << "line " << line << ": figure " << word << " at " << x << ", " << y;
            return std::nullopt;
        }
        ADD_FAILURE() << "line " << line << ": unknown step " << step;
        return std::nullopt;
    }
};

TEST_P(ScenarioTest, StepsGiveTheExpectedFiles)
{
    std::ifstream steps(scenario / "steps.txt");
    std::vector<std::string> lines;
    for (std::string text; std::getline(steps, text);) {
        if (!text.empty() && text.back() == '\r')
            text.pop_back();
        lines.push_back(text);
    }
    std::optional<StepProblem> unexpected;
    int unexpectedLine = 0;
    for (int n = 0; n < static_cast<int>(lines.size()); ++n) {
        std::istringstream words(lines[n]);
        std::string step;
        if (!(words >> step) || step.starts_with('#'))
            continue;
        if (step == "fails") {
            std::string expected;
            std::getline(words >> std::ws, expected);
            ASSERT_TRUE(unexpected) << "line " << n + 1 << ": the step before did not fail";
            EXPECT_NE(problemText(*unexpected).find(expected), std::string::npos)
                << "line " << n + 1 << ": " << problemText(*unexpected);
            unexpected.reset();
            continue;
        }
        ASSERT_FALSE(unexpected) << "line " << unexpectedLine << ": " << problemText(*unexpected);
        unexpected = take(step, words, n + 1);
        unexpectedLine = n + 1;
    }
    ASSERT_FALSE(unexpected) << "line " << unexpectedLine << ": " << problemText(*unexpected);
}

INSTANTIATE_TEST_SUITE_P(Scenarios, ScenarioTest, ::testing::ValuesIn(scenarioNames()),
                         [](const auto& info) { return info.param; });

} // namespace
} // namespace brimvale
