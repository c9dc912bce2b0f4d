// The batch tool against the window itself: the same steps give the same result file, byte for byte,
// and the summary of a row is what the section view computes for it.
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
#include "cli/SectionSummary.h"
#include "cli/SectionView.h"
#include "cli/WindowReplay.h"
#include "engine/RowSummary.h"
#include "io/CorvaneMatrixReader.h"
#include "model/FormatValue.h"
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

    static QString qt(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

    // The user's steps in the window, the dialogs answering with the files.
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
        if (!out.empty()) {
            platform.dialogBackend.queueFile(qt(out));
            window->SaveMatrix_Click();
        }
    }

    // The same steps replayed without a window.
    std::unique_ptr<WindowReplay> replayed(const Steps& steps)
    {
        auto replay = std::make_unique<WindowReplay>();
        replay->setWidth(steps.width);
        replay->setHeight(steps.height);
        replay->importData(data, dialogFileName(data));
        replay->importMatrix(*readCorvaneMatrix(matrix), dialogFileName(matrix));
        replay->setSmoothing(steps.smoothing);
        if (steps.top)
            replay->typeTop(*steps.top);
        if (steps.bottom)
            replay->typeBottom(*steps.bottom);
        replay->calibrate();
        return replay;
    }

    ExitCode inTool(const Steps& steps, const std::filesystem::path& out, std::string& errors)
    {
        ReconstructOptions options;
        options.data = {data};
        options.matrix = matrix;
        options.out = out;
        options.width = steps.width;
        options.height = steps.height;
        options.smoothing = steps.smoothing;
        options.top = steps.top;
        options.bottom = steps.bottom;
        std::ostringstream messages;
        const ExitCode code = runReconstruct(options, messages);
        errors = messages.str();
        return code;
    }
};

static std::string text(const QLabel* label)
{
    return label->text().toStdString();
}

// Where a difference starts, if the files differ: the captions and the section before saving.
TEST_P(WindowEqualityTest, StateBeforeSavingIsTheSame)
{
    const Steps& steps = GetParam();
    inWindow(steps, {});
    ASSERT_TRUE(window->Drawn[2]) << "the window did not calibrate";
    const auto replay = replayed(steps);
    const ResultFileInput input = replay->saveInput();
    EXPECT_EQ(input.dataFileName, text(window->Label10[0]));
    EXPECT_EQ(input.dataXTitle, text(window->Label14[0]));
    EXPECT_EQ(input.dataYTitle, text(window->Label15[0]));
    EXPECT_EQ(input.matrixFileName, text(window->Label10[1]));
    EXPECT_EQ(input.matrixXTitle, text(window->Label14[1]));
    EXPECT_EQ(input.matrixYTitle, text(window->Label15[1]));
    EXPECT_EQ(input.smoothingCaption, text(window->Label4));
    EXPECT_EQ(input.axisLeftCaption, text(window->Label1[1]));
    EXPECT_EQ(input.axisRightCaption, text(window->Label2[1]));
    EXPECT_EQ(input.sectionTopCaption, text(window->Label2[4]));
    EXPECT_EQ(input.sectionBottomCaption, text(window->Label1[4]));
    EXPECT_EQ(replay->topText(), window->Text2->text().toStdString());
    EXPECT_EQ(replay->bottomText(), window->Text1->text().toStdString());
    EXPECT_EQ(replay->sectionLeftCaption(), text(window->Label1[3]));
    EXPECT_EQ(replay->sectionRightCaption(), text(window->Label2[3]));
    EXPECT_EQ(input.confidenceCoefficient1, window->Settings.confidenceCoefficient1);
    EXPECT_EQ(input.confidenceCoefficient2, window->Settings.confidenceCoefficient2);
    EXPECT_EQ(input.slider1, window->Slider1->value());
    EXPECT_EQ(input.slider2, window->Slider2->value());
    EXPECT_TRUE(replay->section() == window->sectionMatrix);
}

// The rows the section view is moved to, and what it computes for each: the row summary from the
// window's own section and captions, and Label12.
struct ViewedRow {
    int row;
    RowSummaryText text;
    std::string label12;
};

std::vector<ViewedRow> viewRows(MainWindow& window, const std::vector<int>& rows)
{
    window.Command3_Click();
    std::vector<ViewedRow> viewed;
    for (const int row : rows) {
        window.Slider5->setValue(row);
        const RowSummary summary = summariseRow(window.sectionMatrix, row);
        viewed.push_back(
            {row,
             summaryText(summary, numericValue(text(window.Label1[3])), numericValue(text(window.Label2[3])),
                         window.Settings.confidenceCoefficient1, window.Settings.confidenceCoefficient2,
                         window.axisValues),
             text(window.Label12)});
    }
    return viewed;
}

std::string joined(const std::vector<std::string>& lines)
{
    std::string all;
    for (const std::string& line : lines)
        all += (all.empty() ? "" : "; ") + line;
    return all;
}

TEST_P(WindowEqualityTest, SummaryRowsAreWhatTheSectionViewShows)
{
    const Steps& steps = GetParam();
    inWindow(steps, {});
    ASSERT_TRUE(window->Drawn[2]);
    const SectionView view = SectionView::fromReplay(*replayed(steps));
    const int last = window->VerticalSteps();
    ASSERT_EQ(view.lastRow(), last);
    for (const ViewedRow& viewed : viewRows(*window, {1, last / 3, last / 2, last - 7})) {
        const SummaryRow row = summariseSectionRow(view, viewed.row);
        EXPECT_EQ(row.inputValue, viewed.text.inputValue.value_or("")) << viewed.row;
        EXPECT_EQ(row.intervals1, joined(viewed.text.intervalLines[0])) << viewed.row;
        EXPECT_EQ(row.intervals2, joined(viewed.text.intervalLines[1])) << viewed.row;
        EXPECT_EQ(row.mode, viewed.text.mode) << viewed.row;
        EXPECT_EQ(row.average, viewed.text.average) << viewed.row;
        // Label12 holds the same value; the summary writes it through FormatValue.
        EXPECT_EQ(row.verticalValue, FormatValue(static_cast<float>(numericValue(viewed.label12))))
            << viewed.row;
    }
}

// "Import Brimvale file" of the tool's result gives the section view the rows the summary command
// writes for that file, with no input value.
TEST_P(WindowEqualityTest, ReadBackSummaryIsWhatTheSectionViewShows)
{
    const Steps& steps = GetParam();
    std::string errors;
    const std::filesystem::path result = folder.file("tool.csv");
    ASSERT_EQ(inTool(steps, result, errors), ExitCode::Success) << errors;
    platform.dialogBackend.queueFile(qt(result));
    window->Command1_Click(2);
    ASSERT_TRUE(window->Drawn[2]);
    const SectionView view = SectionView::fromResultFile(result);
    ASSERT_EQ(view.lastRow(), window->VerticalSteps());
    EXPECT_EQ(view.topText, window->Text2->text().toStdString());
    EXPECT_EQ(view.bottomText, window->Text1->text().toStdString());
    const int last = window->VerticalSteps();
    for (const ViewedRow& viewed : viewRows(*window, {2, last / 3, last - 3})) {
        const SummaryRow row = summariseSectionRow(view, viewed.row);
        EXPECT_FALSE(viewed.text.inputValue.has_value()) << viewed.row;
        EXPECT_EQ(row.inputValue, "") << viewed.row;
        EXPECT_EQ(row.intervals1, joined(viewed.text.intervalLines[0])) << viewed.row;
        EXPECT_EQ(row.intervals2, joined(viewed.text.intervalLines[1])) << viewed.row;
        EXPECT_EQ(row.mode, viewed.text.mode) << viewed.row;
        EXPECT_EQ(row.average, viewed.text.average) << viewed.row;
        EXPECT_EQ(row.verticalValue, FormatValue(static_cast<float>(numericValue(viewed.label12))))
            << viewed.row;
    }
}

TEST_P(WindowEqualityTest, ResultFilesAreTheSameBytes)
{
    const Steps& steps = GetParam();
    inWindow(steps, folder.file("window.csv"));
    std::string errors;
    ASSERT_EQ(inTool(steps, folder.file("tool.csv"), errors), ExitCode::Success) << errors;
    const std::string fromWindow = test::readBytes(folder.file("window.csv"));
    ASSERT_FALSE(fromWindow.empty()) << "the window saved nothing";
    EXPECT_EQ(fromWindow, test::readBytes(folder.file("tool.csv")));
}

INSTANTIATE_TEST_SUITE_P(
    Steps, WindowEqualityTest,
    ::testing::Values(
        Steps{"Defaults", test::wavyRecord(40), CorvaneFileBuilder()},
        Steps{"Smoothed", test::wavyRecord(120), CorvaneFileBuilder(), 100, 100, 4},
        Steps{"Resized", test::wavyRecord(60), CorvaneFileBuilder(), 64, 37, 2},
        // Below 10 the width springs back to 10.
        Steps{"Narrow", test::wavyRecord(30), CorvaneFileBuilder(), 3, 100},
        // The typed texts are written back in their default form before they are saved.
        Steps{"TypedRange", test::wavyRecord(50), CorvaneFileBuilder(), 100, 100, 1, std::string("20.50"),
              std::string("2.5e2")},
        Steps{"NegativeTop", test::wavyRecord(50), CorvaneFileBuilder(), 100, 100, 3, std::string("-5"),
              std::string("280")},
        Steps{"Latin1Title", test::wavyRecord(25), CorvaneFileBuilder(), 100, 100, 1, std::nullopt,
              std::nullopt, "Tiefe (\xB5m)"},
        Steps{"OlderLayoutNumbers", test::wavyRecord(45), CorvaneFileBuilder::confidenceMatrix()},
        Steps{"ProbabilityOnly", test::wavyRecord(45), CorvaneFileBuilder::probabilityMatrix(), 90, 100, 2},
        Steps{"Examples", {}, CorvaneFileBuilder(), 100, 100, 3, std::nullopt, std::nullopt, "", true}),
    [](const ::testing::TestParamInfo<Steps>& info) { return std::string(info.param.name); });

// Every value the section view shows as text except the input value goes through FormatValue, Label12
// included (for row 1 of 511 over 0 to 350, "0.68").
TEST(WindowLabel12Test, Label12GoesThroughFormatValue)
{
    test::ScratchFolder folder;
    test::TestPlatformServices platform;
    const auto window = std::make_unique<MainWindow>(platform.services());
    const auto data = test::writeBytes(folder.file("core.csv"), test::dataFileText(test::wavyRecord(40)));
    CorvaneFileBuilder().writeTo(folder.file("matrix.csv"));
    platform.dialogBackend.queueFile(QString::fromStdString(data.string()));
    window->Command1_Click(0);
    platform.dialogBackend.queueFile(QString::fromStdString(folder.file("matrix.csv").string()));
    window->Command1_Click(1);
    window->Command2_Click();
    ASSERT_TRUE(window->Drawn[2]);

    const auto replay = std::make_unique<WindowReplay>();
    replay->importData(data, dialogFileName(data));
    replay->importMatrix(*readCorvaneMatrix(folder.file("matrix.csv")), "matrix.csv");
    replay->calibrate();
    const SectionView view = SectionView::fromReplay(*replay);
    for (const ViewedRow& viewed : viewRows(*window, {1, window->VerticalSteps() / 3}))
        EXPECT_EQ(viewed.label12, summariseSectionRow(view, viewed.row).verticalValue) << viewed.row;
}

} // namespace
} // namespace brimvale
