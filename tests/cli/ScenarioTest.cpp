// Workflows as data: each folder under tests/data/scenarios holds a user's steps (steps.txt), its inputs
// and the files the steps must give. The runner takes the steps on a headless main window, as
// brimvale-batch does, and compares. Steps, one per line ("#" starts a comment): width N, height N,
// smoothing N, top TEXT, bottom TEXT, import-data FILE, import-matrix FILE, calibrate, save NAME,
// import-result NAME, summary NAME, print NAME, probe FIGURE X Y #RRGGBB, fails TEXT; and by the names of
// the window's controls: click NAME, right-click NAME, slide NAME N, answer NAME (the next file dialog's
// answer), compare NAME, expect NAME PROPERTY VALUE (text, enabled, checked: a property as text; visible),
// clipboard WxH. An input FILE lies in the scenario folder, or is {examples}/NAME. Written files go to a
// scratch folder; save, summary and compare compare them with NAME in the scenario folder, the folders'
// names written {scratch}, {scenario} and {examples}; probe reads a pixel of figure 0, 1 or 2. A step must
// succeed unless the next line is "fails TEXT", the start of what brimvale-batch would report. With
// BRIMVALE_WRITE_SCENARIOS set, the compared files are written instead (check them by hand).
#include <gtest/gtest.h>

#include <QColor>
#include <QVariant>

#include <fstream>
#include <sstream>

#include "BatchTestFiles.h"
#include "cli/HeadlessWindow.h"
#include "cli/SectionSummary.h"
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
    for (const auto& entry : fs::directory_iterator(Scenarios))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string problemText(const StepProblem& problem)
{
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
        return name.starts_with("{examples}/") ? Examples / name.substr(11) : scenario / name;
    }

    void expectFile(const std::string& name, std::string actual, int line) const
    {
        for (const auto& [folder, mark] :
             {std::pair{scratch.path(), "{scratch}"}, std::pair{scenario, "{scenario}"},
              std::pair{Examples, "{examples}"}}) {
            const std::string from = dialogFileName(folder).toStdString();
            for (std::size_t at = actual.find(from); at != std::string::npos; at = actual.find(from, at))
                actual.replace(at, from.size(), mark);
        }
        // Writing the expected files compares nothing: the run is reported as skipped.
        if (qEnvironmentVariableIsSet("BRIMVALE_WRITE_SCENARIOS")) {
            test::writeBytes(scenario / name, actual);
            GTEST_SKIP() << "wrote " << name;
        }
        EXPECT_EQ(actual, test::readBytes(scenario / name)) << "line " << line << ": " << name;
    }

    std::optional<StepProblem> take(const std::string& step, const std::string& word, const std::string& rest,
                                    int line)
    {
        const QString text = QString::fromStdString(word + rest);
        if (step == "width" || step == "height" || step == "smoothing") {
            const int value = std::stoi(word);
            return step == "width"    ? window.setWidth(value)
                   : step == "height" ? window.setHeight(value)
                                      : window.setSmoothing(value);
        }
        if (step == "top" || step == "bottom")
            return step == "top" ? window.typeTop(text) : window.typeBottom(text);
        if (step == "import-data" || step == "import-matrix")
            return step == "import-data" ? window.importData(input(word)) : window.importMatrix(input(word));
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
        if (step == "click" || step == "right-click")
            return step == "click" ? window.click(text) : window.rightClick(text);
        if (step == "slide")
            return window.slide(text.section(QLatin1Char(' '), 0, 0), std::stoi(rest));
        if (step == "print") {
            auto problem = window.print(scratch.file(word));
            EXPECT_TRUE(problem || test::readBytes(scratch.file(word)).starts_with("%PDF-")) << "line " << line;
            return problem;
        }
        if (step == "answer")
            window.answer(scratch.file(word));
        else if (step == "compare")
            expectFile(word, test::readBytes(scratch.file(word)), line);
        else if (step == "summary")
            expectFile(word, composeSectionSummary(SectionView::fromWindow(window.window())), line);
        else if (step == "expect") {
            std::istringstream words(rest);
            std::string property;
            std::string value;
            words >> property >> std::ws;
            std::getline(words, value);
            // A control of a dialog is named after it: frmPrintSetup/Text1.
            const QObject* control = &window.window();
            for (const QString& part : QString::fromStdString(word).split(QLatin1Char('/')))
                control = control ? control->findChild<QObject*>(part) : nullptr;
            if (!control) {
                ADD_FAILURE() << "line " << line << ": no " << word;
                return std::nullopt;
            }
            const auto* widget = qobject_cast<const QWidget*>(control);
            const bool visible =
                widget && (widget->isWindow() ? widget->isVisible() : widget->isVisibleTo(&window.window()));
            const QString shown = property == "visible" ? QVariant(visible).toString()
                                                        : control->property(property.c_str()).toString();
            EXPECT_EQ(shown.toStdString(), value) << "line " << line << ": " << word << " " << property;
        } else if (step == "clipboard") {
            const QSize size = window.clipboardImage().size();
            EXPECT_EQ(std::to_string(size.width()) + "x" + std::to_string(size.height()), word)
                << "line " << line;
        }
        else if (step == "probe") {
            int x = 0;
            int y = 0;
            std::string colour;
            std::istringstream(rest) >> x >> y >> colour;
            const QImage& image = window.window().Picture1.at(std::stoi(word))->surface().image();
            EXPECT_EQ(QColor(image.pixel(x, y)).name().toStdString(), colour) << "line " << line;
        } else
            ADD_FAILURE() << "line " << line << ": unknown step " << step;
        return std::nullopt;
    }
};

TEST_P(ScenarioTest, StepsGiveTheExpectedFiles)
{
    std::ifstream steps(scenario / "steps.txt");
    std::optional<StepProblem> problem;
    int number = 0;
    for (std::string line; std::getline(steps, line);) {
        ++number;
        std::istringstream words(line);
        std::string step;
        std::string word;
        std::string rest;
        if (!(words >> step) || step.starts_with('#'))
            continue;
        words >> word;
        std::getline(words, rest);
        if (step == "fails") {
            ASSERT_TRUE(problem) << "line " << number << ": the step before did not fail";
            EXPECT_TRUE(problemText(*problem).starts_with(word + rest))
                << "line " << number << ": " << problemText(*problem);
            problem.reset();
            continue;
        }
        ASSERT_FALSE(problem) << "before line " << number << ": " << problemText(*problem);
        problem = take(step, word, rest, number);
    }
    ASSERT_FALSE(problem) << "at the end: " << problemText(*problem);
}

INSTANTIATE_TEST_SUITE_P(Scenarios, ScenarioTest, ::testing::ValuesIn(scenarioNames()),
                         [](const auto& info) { return info.param; });

} // namespace
} // namespace brimvale
