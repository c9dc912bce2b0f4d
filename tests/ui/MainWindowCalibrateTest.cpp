// "Calibrate" in the main window: small hand-made grids whose sections can be stated, the rows from the
// size sliders, the controls that follow a calibration and the range failure.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "model/NumberText.h"
#include "render/CellPlot.h"
#include "render/ColourLookup.h"
#include "ui/MainWindowFixture.h"
#include "ui/PictureBox.h"

namespace brimvale {
namespace {

using Calls = std::vector<std::string>;
using Pointer = MousePointer::Pointer;
using Point = std::pair<float, float>; // (vertical, horizontal)

// The workflow's recording window with the calibration and the data figure run for real.
class CalibrateWindow : public test::RecordingMainWindow {
public:
    using RecordingMainWindow::RecordingMainWindow;

    void Command2_Click() override
    {
        calls.push_back("Command2_Click");
        MainWindow::Command2_Click();
    }
    void DrawDataCurve() override
    {
        calls.push_back("DrawDataCurve");
        MainWindow::DrawDataCurve();
    }
    void DrawRunningMean() override
    {
        calls.push_back("DrawRunningMean");
        MainWindow::DrawRunningMean();
    }
};

// Column j of the grid distinguishable in every cell: class code j, probability i / 1000.
double codedCell(int j, int i)
{
    return j + i / 1000.0;
}

class CalibrateTest : public test::MainWindowFixtureOf<CalibrateWindow> {
protected:
    // A drawn record and matrix as the imports leave them, with "Calibrate" offered: the record's
    // points, the ranges (top, bottom, left, right) and the size sliders' values.
    void prepare(const std::vector<Point>& points, float top = 0, float bottom = 10, float left = 0,
                 float right = 200, int width = 100, int height = 2)
    {
        DataSeries& data = window->dataSeries;
        for (std::size_t k = 0; k < points.size(); ++k) {
            data.y[k] = points[k].first;
            data.x[k] = points[k].second;
        }
        data.lastIndex = static_cast<float>(points.size()) - 1;
        data.verticalMin = top;
        data.verticalMax = bottom;
        data.horizontalMin = left;
        data.horizontalMax = right;

        // The boxes follow without drawing, as during an import.
        window->NowImportingData[0] = true;
        window->Text1->setText(QString::fromStdString(singleText(bottom)));
        window->Text2->setText(QString::fromStdString(singleText(top)));
        window->NowImportingData[0] = false;
        window->Text1_Click();

        for (int i = 0; i <= 200; ++i) {
            for (int j = 0; j <= 200; ++j)
                window->probabilityGrid(j, i) = codedCell(j, i);
        }
        window->Settings.probabilityMode = true;
        window->Settings.confidenceMode = false;
        window->Drawn = {true, true, false};
        window->Label15[0]->setText(QStringLiteral("Depth (cm)"));
        window->Label15[1]->setText(QStringLiteral("T July (C)"));
        {
            // The sizing handlers are not under test here.
            const QSignalBlocker block1(window->Slider1);
            const QSignalBlocker block2(window->Slider2);
            window->Slider1->setValue(width);
            window->Slider2->setValue(height);
        }
        window->Command2->setEnabled(true);
        window->takeCalls();
    }

    // The columns marked in layer 0 of row h.
    std::vector<int> marks(int h) const
    {
        std::vector<int> columns;
        for (int i = 0; i <= 200; ++i) {
            if (window->sectionMatrix(0, i, h) != 0.0)
                columns.push_back(i);
        }
        return columns;
    }

    void expectRowCopies(int h, int column) const
    {
        for (int i = 0; i <= 200; ++i)
            ASSERT_EQ(window->sectionMatrix(1, i, h), static_cast<float>(codedCell(column, i)))
                << h << ", " << i;
    }

    void expectRowEmpty(int h) const
    {
        for (int i = 0; i <= 200; ++i)
            ASSERT_EQ(window->sectionMatrix(1, i, h), 0.0) << h << ", " << i;
    }

    // The colour at the centre of section cell (i, h) in a section of the given rows.
    QRgb sectionPixel(int i, int h, int verticalSteps)
    {
        DrawingSurface& surface = window->Picture1[2]->surface();
        const QPointF device = surface.toDevice((i + 0.5) * surface.scaleWidth() / 200,
                                                (h + 0.5) * surface.scaleHeight() / verticalSteps);
        return surface.image()
            .convertToFormat(QImage::Format_ARGB32)
            .pixel(static_cast<int>(device.x()), static_cast<int>(device.y()));
    }
};

// The rasterising and the copies themselves are pinned by engine/SectionReconstructionTest (one mark per
// row, a record going up, points right of the range, folds); here the window hands its record and grid over.
TEST_F(CalibrateTest, SmoothingCalibratesTheRunningMean)
{
    // Means of two: (2, 20) and (7, 70). The one segment marks rows 2 to 6 at columns 20 to 60, the
    // last smoothed point row 7 at column 70; the raw record's ends are not used.
    prepare({{0, 0}, {4, 40}, {10, 100}});
    window->Slider3->setValue(2);
    ASSERT_TRUE(window->Check3->isChecked());
    ASSERT_EQ(window->RunningMeanPoints, 2);
    window->Command2->setEnabled(true);

    window->Command2_Click();

    for (int h = 0; h <= 10; ++h) {
        const std::vector<int> expected =
            h >= 2 && h <= 7 ? std::vector<int>{20 + 10 * (h - 2)} : std::vector<int>{};
        EXPECT_EQ(marks(h), expected) << h;
    }
}

TEST_F(CalibrateTest, SectionShowsTheCopiedCellsInTheViewShown)
{
    struct Case {
        const char* name;
        bool probability, confidence;
        double cell;
        QRgb inside, outside;
    };
    // Layer 1 holds the cell as a Single.
    const Case cases[] = {
        {"confidence", false, true, 2.0, classColour(2.0f, false), classColour(0.0f, false)},
        {"probability", true, false, 2.04,
         cellColour(window->Settings, static_cast<float>(2.04), CellView::Probability,
                    ProbabilitySource::PackedFraction),
         cellColour(window->Settings, 0.0, CellView::Probability, ProbabilitySource::PackedFraction)},
        // Without a view the rows are marked but layer 1 stays zero.
        {"no view", false, false, 2.0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        prepare({{0, 5}, {10, 105}});
        // Column j of the grid holds the cell within ten rows of row j, nothing elsewhere.
        for (int i = 0; i <= 200; ++i) {
            for (int j = 0; j <= 200; ++j)
                window->probabilityGrid(j, i) = std::abs(i - j) <= 10 ? c.cell : 0.0;
        }
        window->Settings.probabilityMode = c.probability;
        window->Settings.confidenceMode = c.confidence;
        window->Command2_Click();
        EXPECT_TRUE(window->Drawn[2]);
        EXPECT_EQ(marks(3), std::vector<int>{35});
        if (!c.probability && !c.confidence) {
            for (int h = 0; h <= 10; ++h)
                expectRowEmpty(h);
            continue;
        }
        ASSERT_NE(c.inside, c.outside);
        // The last row starts at the bottom edge and lies outside the figure.
        for (int h = 0; h <= 9; ++h) {
            const int column = 5 + 10 * h;
            EXPECT_EQ(sectionPixel(column, h, 10), c.inside) << h;
            EXPECT_EQ(sectionPixel(column + 30 <= 200 ? column + 30 : column - 30, h, 10), c.outside) << h;
        }
        // The cells are the figure's background picture, so Cls keeps them.
        DrawingSurface& section = window->Picture1[2]->surface();
        section.filledBox(0, 0, section.scaleWidth(), section.scaleHeight(), 0xff123456);
        section.cls();
        EXPECT_EQ(sectionPixel(55, 5, 10), c.inside);
    }
}

TEST_F(CalibrateTest, RowsComeFromTheSizeSliders)
{
    prepare({{0, 5}, {10, 105}}, 0, 10, 0, 200, 100, 50);
    window->Command2_Click();
    EXPECT_EQ(window->VerticalSteps(), 255);
    EXPECT_EQ(window->Slider5->value(), 85);

    // Both at 100: 511 rows, and the section view starts a third of the way down, beyond the slider's
    // start-up range.
    prepare({{0, 5}, {10, 105}}, 0, 10, 0, 200, 100, 100);
    window->Command2_Click();
    EXPECT_EQ(window->VerticalSteps(), 511);
    EXPECT_EQ(window->Slider5->value(), 170);
    // Every row was calibrated: the segment crosses 511 rows.
    EXPECT_EQ(marks(511), std::vector<int>{105});
    expectRowCopies(256, 55);
    EXPECT_TRUE(platform.messages.messages().empty());
}

TEST_F(CalibrateTest, ACalibrationShowsTheSectionAndItsCommands)
{
    prepare({{0, 5}, {10, 105}});
    window->ProgressBar1->setValue(0);
    std::vector<int> progress;
    std::vector<int> maxima;
    QObject::connect(window->ProgressBar1, &QProgressBar::valueChanged, [&](int value) {
        progress.push_back(value);
        maxima.push_back(window->ProgressBar1->maximum());
    });
    for (QWidget* control :
         {static_cast<QWidget*>(window->Check4), static_cast<QWidget*>(window->Check8),
          static_cast<QWidget*>(window->Label5[0]), static_cast<QWidget*>(window->Label6[1])})
        control->setEnabled(false);

    window->Command2_Click();

    EXPECT_EQ(window->takeCalls(), (Calls{"Command2_Click", "ClearSectionFigure", "Slider5_Change",
                                          "DrawModeCurves", "DrawAverageCurves"}));
    // One step per row from the bottom, then the bar is reset.
    EXPECT_EQ(progress, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0}));
    EXPECT_EQ(maxima.front(), 10);
    EXPECT_TRUE(window->ProgressBar1->isHidden());
    EXPECT_EQ(window->ProgressBar1->maximum(), 200);
    // The bar was painted at most once a frame while the rows grew; it paints normally again.
    EXPECT_TRUE(window->ProgressBar1->updatesEnabled());
    EXPECT_EQ(platform.pointer.history().back(), Pointer::Default);
    EXPECT_NE(
        std::find(platform.pointer.history().begin(), platform.pointer.history().end(), Pointer::Hourglass),
        platform.pointer.history().end());

    EXPECT_TRUE(window->Drawn[2]);
    EXPECT_TRUE(window->SaveMatrix->isEnabled());
    EXPECT_TRUE(window->Command3->isEnabled());
    EXPECT_EQ(window->focusWidget(), window->Command3);
    EXPECT_FALSE(window->Command2->isEnabled());
    for (QWidget* control :
         {static_cast<QWidget*>(window->Check4), static_cast<QWidget*>(window->Check8),
          static_cast<QWidget*>(window->Label5[0]), static_cast<QWidget*>(window->Label5[1]),
          static_cast<QWidget*>(window->Label6[0]), static_cast<QWidget*>(window->Label6[1])})
        EXPECT_TRUE(control->isEnabled()) << control->objectName().toStdString();
    EXPECT_EQ(window->Slider5->value(), 3);
    EXPECT_EQ(window->Label14[2]->text(), QStringLiteral("T July (C)"));
    EXPECT_EQ(window->Label15[2]->text(), QStringLiteral("Depth (cm)"));
    EXPECT_TRUE(window->Picture1[2]->surface().hasPicture());
}

TEST_F(CalibrateTest, InvalidRangesAndSlidersEndWithTheMessage)
{
    struct Case {
        const char* name;
        std::vector<Point> points;
        float top, bottom, left, right;
        int width, height;
        bool hourglass; // the failure comes after the rows were counted and checked
    };
    const Case cases[] = {
        {"top equal to bottom", {{10, 5}, {10, 105}}, 10, 10, 0, 200, 100, 2, true},
        {"top below bottom", {{0, 5}, {10, 105}}, 10, 0, 0, 200, 100, 2, false},
        {"width slider at 0", {{0, 5}, {10, 105}}, 0, 10, 0, 200, 0, 2, false},
        {"height slider at 0", {{0, 5}, {10, 105}}, 0, 10, 0, 200, 100, 0, false},
        {"empty horizontal range", {{0, 5}, {10, 105}}, 0, 10, 50, 50, 100, 2, true},
        {"last point left of the range", {{0, 5}, {10, -5}}, 0, 10, 0, 200, 100, 2, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        prepare(c.points, c.top, c.bottom, c.left, c.right, c.width, c.height);
        // The user's texts before the range was made invalid.
        window->SavedRangeTexts = {QStringLiteral("20"), QStringLiteral("0")};
        const std::size_t messagesBefore = platform.messages.messages().size();
        const std::size_t pointersBefore = platform.pointer.history().size();
        window->Drawn[2] = false;

        window->Command2_Click();

        // Restoring a box redraws the data figure, which fails once more when its own range is empty.
        ASSERT_EQ(platform.messages.messages().size(), messagesBefore + (c.left == c.right ? 2 : 1));
        for (std::size_t n = messagesBefore; n < platform.messages.messages().size(); ++n) {
            const auto& message = platform.messages.messages()[n];
            EXPECT_EQ(message.text, QStringLiteral("Please set valid range."));
            EXPECT_EQ(message.title, QStringLiteral("Error"));
            EXPECT_EQ(message.icon, MessageService::Icon::Exclamation);
        }
        // The larger saved value goes to the bottom box.
        EXPECT_EQ(window->Text1->text(), QStringLiteral("20"));
        EXPECT_EQ(window->Text2->text(), QStringLiteral("0"));
        EXPECT_TRUE(window->Command2->isEnabled());
        EXPECT_EQ(window->focusWidget(), window->Command2);
        EXPECT_EQ(platform.pointer.current(), Pointer::Default);
        const std::vector<Pointer> pointers(platform.pointer.history().begin() +
                                                static_cast<std::ptrdiff_t>(pointersBefore),
                                            platform.pointer.history().end());
        EXPECT_EQ(std::find(pointers.begin(), pointers.end(), Pointer::Hourglass) != pointers.end(),
                  c.hourglass);
        EXPECT_TRUE(window->ProgressBar1->isHidden());
        EXPECT_TRUE(window->ProgressBar1->updatesEnabled());
        EXPECT_FALSE(window->Drawn[2]);
        EXPECT_FALSE(window->SaveMatrix->isEnabled());
    }
}

TEST_F(CalibrateTest, TheRestoredRangeRedrawsTheDataFigure)
{
    prepare({{10, 5}, {10, 105}}, 10, 10);
    window->SavedRangeTexts = {QStringLiteral("10"), QStringLiteral("0")};
    window->Command2_Click();
    // Only the top box changes; its handler draws the curve with the restored range.
    EXPECT_EQ(window->takeCalls(),
              (Calls{"Command2_Click", "Text2_Change", "DrawDataCurve", "DrawRunningMean"}));
    EXPECT_EQ(window->dataSeries.verticalMin, 0.0f);
    EXPECT_EQ(platform.messages.messages().size(), 1u);
}

} // namespace
} // namespace brimvale
