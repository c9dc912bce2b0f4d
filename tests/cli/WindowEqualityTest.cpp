// The batch tool against the window itself: the same steps give the same result file, byte for byte,
// and each summary line is what the section view shows for that row.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include <memory>
#include <optional>
#include <sstream>

#include "BatchTestFiles.h"
#include "cli/ReconstructCommand.h"
#include "cli/TableCommands.h"
#include "cli/WindowReplay.h"
#include "engine/RowSummary.h"
#include "model/NumericValue.h"
#include "support/TestPlatformServices.h"
#include "ui/MainWindow.h"

namespace brimvale {
namespace {

using test::CorvaneFileBuilder;

// What a user does in a fresh window; the tool gets the same as options.
struct Steps {
    const char* name;
    test::Record record;
    CorvaneFileBuilder matrix;
    int width = 100;
    int height = 100;
    int smoothing = 1;
    std::optional<std::string> top = std::nullopt;
    std::optional<std::string> bottom = std::nullopt;
    std::string verticalTitle = "Depth (cm)";
    bool examples = false; // the record and matrix of examples/ instead of the two above
};

void PrintTo(const Steps& steps, std::ostream* out)
{
    *out << steps.name;
}

std::string text(const QLabel* label)
{
    return label->text().toStdString();
}

QString qt(const std::filesystem::path& path)
{
    return QString::fromStdString(path.string());
}

// The fields of each line of a summary table; no field of it holds a comma.
std::vector<std::vector<std::string>> summaryFields(const std::string& table)
{
    std::vector<std::vector<std::string>> lines;
    std::istringstream stream(table);
    for (std::string line; std::getline(stream, line);) {
        std::vector<std::string> fields;
        std::istringstream fieldStream(line.substr(0, line.find('\r')));
        for (std::string field; std::getline(fieldStream, field, ',');)
            fields.push_back(field.starts_with('"') ? field.substr(1, field.size() - 2) : field);
        lines.push_back(fields);
    }
    return lines;
}

std::string joined(const std::vector<std::string>& lines)
{
    std::string all;
    for (const std::string& line : lines)
        all += (all.empty() ? "" : "; ") + line;
    return all;
}

class WindowEqualityTest : public ::testing::TestWithParam<Steps> {
protected:
    test::ScratchFolder folder;
    test::TestPlatformServices platform;
    std::unique_ptr<MainWindow> window = std::make_unique<MainWindow>(platform.services());

    std::filesystem::path data = folder.file("core.csv");
    std::filesystem::path matrix = folder.file("matrix.csv");

    void SetUp() override
    {
        const Steps& steps = GetParam();
        if (steps.examples) {
            const std::filesystem::path examples = BRIMVALE_EXAMPLES_FOLDER;
            std::filesystem::copy_file(examples / "core-record.csv", data);
            std::filesystem::copy_file(examples / "corvane-matrix.csv", matrix);
            return;
        }
        test::writeBytes(data, test::dataFileText(steps.record, steps.verticalTitle));
        steps.matrix.writeTo(matrix);
    }

    // The user's steps in the window, the dialogs answering with the files, then "Save Matrix".
    void inWindow(const Steps& steps, const std::filesystem::path& out)
    {
        window->Slider1->setValue(steps.width);
        window->Slider2->setValue(steps.height);
        platform.dialogBackend.queueFile(qt(data));
        window->Command1_Click(0);
        platform.dialogBackend.queueFile(qt(matrix));
        window->Command1_Click(1);
        window->Slider3->setValue(steps.smoothing);
        if (steps.top)
            window->Text2->setText(QString::fromStdString(*steps.top));
        if (steps.bottom)
            window->Text1->setText(QString::fromStdString(*steps.bottom));
        window->Command2_Click();
        ASSERT_TRUE(window->Drawn[2]) << "the window did not calibrate";
        platform.dialogBackend.queueFile(qt(out));
        window->SaveMatrix_Click();
    }

    void inTool(const Steps& steps, const std::filesystem::path& out,
                std::optional<std::filesystem::path> summary = std::nullopt)
    {
        ReconstructOptions options;
        options.data = {data};
        options.matrix = matrix;
        options.out = out;
        options.summary = summary;
        options.width = steps.width;
        options.height = steps.height;
        options.smoothing = steps.smoothing;
        options.top = steps.top;
        options.bottom = steps.bottom;
        std::ostringstream errors;
        ASSERT_EQ(runReconstruct(options, errors), ExitCode::Success) << errors.str();
    }

    // Enters the section view and moves it to a few rows; each shows what the table's line says, as the
    // view computes it from the window's own section and captions.
    void expectTheViewShows(const std::string& table, bool inputKnown)
    {
        const auto lines = summaryFields(table);
        const int last = window->VerticalSteps();
        ASSERT_EQ(lines.size(), static_cast<std::size_t>(last) + 2);
        window->Command3_Click();
        int inputs = 0;
        for (const int row : {1, last / 3, last / 2, last - 7}) {
            SCOPED_TRACE(row);
            window->Slider5->setValue(row);
            const RowSummaryText shown =
                summaryText(summariseRow(window->sectionMatrix, row), numericValue(text(window->Label1[3])),
                            numericValue(text(window->Label2[3])), window->Settings.confidenceCoefficient1,
                            window->Settings.confidenceCoefficient2, window->axisValues);
            const std::vector<std::string>& fields = lines[static_cast<std::size_t>(row) + 1];
            ASSERT_EQ(fields.size(), 7u);
            EXPECT_EQ(fields[0], std::to_string(row));
            EXPECT_EQ(fields[1], text(window->Label12));
            inputs += shown.inputValue.has_value();
            EXPECT_EQ(fields[2], shown.inputValue.value_or(""));
            EXPECT_EQ(fields[3], joined(shown.intervalLines[0]));
            EXPECT_EQ(fields[4], joined(shown.intervalLines[1]));
            EXPECT_EQ(fields[5], shown.mode);
            EXPECT_EQ(fields[6], shown.average);
        }
        EXPECT_EQ(inputs > 0, inputKnown);
    }
};

TEST_P(WindowEqualityTest, ResultIsTheWindowsSaveAndTheSummariesWhatItsViewShows)
{
    const Steps& steps = GetParam();
    const std::filesystem::path result = folder.file("tool.csv");
    ASSERT_NO_FATAL_FAILURE(inWindow(steps, folder.file("window.csv")));
    ASSERT_NO_FATAL_FAILURE(inTool(steps, result, folder.file("summary.csv")));
    const std::string fromWindow = test::readBytes(folder.file("window.csv"));
    ASSERT_FALSE(fromWindow.empty()) << "the window saved nothing";
    EXPECT_EQ(fromWindow, test::readBytes(result));
    ASSERT_NO_FATAL_FAILURE(expectTheViewShows(test::readBytes(folder.file("summary.csv")), true));

    // "Import Brimvale file" of the tool's result in a fresh window shows the rows that the summary command
    // writes for that file, with no input value.
    window.reset();
    window = std::make_unique<MainWindow>(platform.services());
    platform.dialogBackend.queueFile(qt(result));
    window->Command1_Click(2);
    ASSERT_TRUE(window->Drawn[2]);
    std::ostringstream table;
    std::ostringstream errors;
    ASSERT_EQ(runSummary(TableOptions{result, std::nullopt}, table, errors), ExitCode::Success)
        << errors.str();
    expectTheViewShows(table.str(), false);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, WindowEqualityTest,
    ::testing::Values(
        Steps{"Resized", test::wavyRecord(60), CorvaneFileBuilder(), 64, 37, 2},
        // Below 10 the width springs back to 10; titles that are not UTF-8 are read as Latin-1.
        Steps{"NarrowLatin1Title", test::wavyRecord(30), CorvaneFileBuilder(), 3, 100, 1, std::nullopt,
              std::nullopt, "Tiefe (\xB5m)"},
        // The typed texts are written back in their default form before they are saved.
        Steps{"TypedRange", test::wavyRecord(50), CorvaneFileBuilder(), 100, 100, 3, std::string("-5.50"),
              std::string("2.8e2 cm")},
        Steps{"OlderLayoutNumbers", test::wavyRecord(45), CorvaneFileBuilder::confidenceMatrix()},
        Steps{"ProbabilityOnly", test::wavyRecord(45), CorvaneFileBuilder::probabilityMatrix(), 90, 100, 2},
        Steps{"Examples", {}, CorvaneFileBuilder(), 100, 100, 3, std::nullopt, std::nullopt, "", true}),
    [](const ::testing::TestParamInfo<Steps>& info) { return std::string(info.param.name); });

// The window's dialogs give absolute, normal names without following links; so does the tool.
TEST(DialogFileNameTest, IsAbsoluteAndNormalWithoutFollowingLinks)
{
    const std::filesystem::path here = std::filesystem::current_path();
    EXPECT_EQ(dialogFileName("a/../b/./c.csv"), (here / "b" / "c.csv").string());
    EXPECT_EQ(dialogFileName("/x/y/../z.csv"), "/x/z.csv");
}

} // namespace
} // namespace brimvale
