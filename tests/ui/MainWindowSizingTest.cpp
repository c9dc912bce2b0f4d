// The figure size sliders: figure sizes, the labels that follow them, the section they invalidate and the
// focus and redraw that follow, with the order of nested events.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include <array>
#include <string>
#include <utility>

#include "ui/MainWindowFixture.h"
#include "ui/PictureBox.h"
#include "ui/TwipsGeometry.h"

namespace brimvale {
namespace {

using Calls = std::vector<std::string>;

constexpr QRgb Red = 0xffff0000;

// Records the calls like the recording window and runs the two sliders' own handlers.
class SizingWindow : public test::RecordingMainWindow {
public:
    using RecordingMainWindow::RecordingMainWindow;

    void Slider1_Change() override
    {
        calls.push_back("Slider1_Change");
        MainWindow::Slider1_Change();
    }
    void Slider2_Change() override
    {
        calls.push_back("Slider2_Change");
        MainWindow::Slider2_Change();
    }
};

int pixelsOtherThan(const PictureBox& figure, QRgb colour)
{
    const QImage image = figure.surface().image().convertToFormat(QImage::Format_ARGB32);
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) != colour ? 1 : 0;
    }
    return count;
}

class SizingTest : public test::MainWindowFixtureOf<SizingWindow> {
protected:
    void SetUp() override { window->takeCalls(); }

    TwipsRect at(const QWidget* widget) const { return twipsGeometry(*widget); }

    // A data curve, a matrix and a section on screen, with the save command available.
    void showEverything()
    {
        window->Drawn = {true, true, true};
        window->SaveMatrix->setEnabled(true);
        window->Command2->setEnabled(false);
        window->takeCalls();
    }
};

TEST_F(SizingTest, WidthBelowTenPercentComesBackToTen)
{
    window->Slider1->setValue(0);

    EXPECT_EQ(window->Slider1->value(), 10);
    // 10 * 2175 / 100 twips, not a whole number of twips.
    for (int i = 0; i < 3; ++i)
        EXPECT_DOUBLE_EQ(at(window->Picture1[i]).width, 217.5) << i;
    EXPECT_DOUBLE_EQ(at(window->Picture1[1]).height, 217.5);
    EXPECT_DOUBLE_EQ(at(window->Picture2).width, 217.5);
    EXPECT_DOUBLE_EQ(at(window->Picture4).width, 217.5);
    // The corrected value runs the handler nested; the first run then finishes its own steps.
    EXPECT_EQ(window->takeCalls(), (Calls{"Slider1_Change", "Slider1_Change", "ClearSectionFigure",
                                          "RedrawFigures", "ClearSectionFigure", "RedrawFigures"}));
}

TEST_F(SizingTest, WidthMovesTheLabelsAtTheFiguresEdges)
{
    struct Case {
        int percent;
        double width;
    };
    for (const Case c : {Case{50, 1087.5}, Case{73, 1587.75}, Case{100, 2175.0}}) {
        window->Slider1->setValue(c.percent);
        SCOPED_TRACE(c.percent);
        EXPECT_DOUBLE_EQ(at(window->Picture1[0]).width, c.width);
        EXPECT_DOUBLE_EQ(at(window->Picture1[2]).width, c.width);
        EXPECT_EQ(at(window->Picture1[1]), (TwipsRect{4440, 840, c.width, c.width}));
        EXPECT_DOUBLE_EQ(at(window->Label2[0]).left, 1440 + c.width - 375);
        EXPECT_DOUBLE_EQ(at(window->Label2[3]).left, 7440 + c.width - 375);
        EXPECT_DOUBLE_EQ(at(window->Label2[1]).left, 4440 + c.width - 375);
        EXPECT_DOUBLE_EQ(at(window->Label1[1]).top, 840 + c.width + 105);
        EXPECT_DOUBLE_EQ(at(window->Label2[1]).top, 840 + c.width + 105);
        EXPECT_DOUBLE_EQ(at(window->Label1[2]).top, 840 + c.width - 135);
        EXPECT_DOUBLE_EQ(at(window->Picture2).width, c.width);
        EXPECT_DOUBLE_EQ(at(window->Picture4).width, c.width);
        // Left and top edges never move, and the height is the other slider's.
        EXPECT_EQ(at(window->Picture1[0]), (TwipsRect{1440, 840, c.width, 5535}));
        EXPECT_EQ(at(window->Picture1[2]), (TwipsRect{7440, 840, c.width, 5535}));
    }
}

TEST_F(SizingTest, HeightMovesTheLabelsRangeBoxAndWidthSlider)
{
    for (const int percent : {50, 37, 0, 100}) {
        window->Slider2->setValue(percent);
        SCOPED_TRACE(percent);
        const double b = percent * 5535 / 100.0;
        EXPECT_EQ(at(window->Picture1[0]), (TwipsRect{1440, 840, 2175, b}));
        EXPECT_EQ(at(window->Picture1[2]), (TwipsRect{7440, 840, 2175, b}));
        EXPECT_EQ(at(window->Picture1[1]), (TwipsRect{4440, 840, 2175, 2175}));
        for (QLabel* label : {window->Label1[0], window->Label2[0], window->Label1[3], window->Label2[3]})
            EXPECT_DOUBLE_EQ(at(label).top, 840 + b + 105) << label->objectName().toStdString();
        EXPECT_DOUBLE_EQ(at(window->Label1[4]).top, 840 + b - 135);
        EXPECT_DOUBLE_EQ(at(window->Text1).top, 840 + b - 255);
        EXPECT_DOUBLE_EQ(at(window->Text1).height, 285);
        EXPECT_DOUBLE_EQ(at(window->Slider1).top, 840 + b + 465);
    }
}

TEST_F(SizingTest, EitherSliderClearsTheSectionAndOnlyTheWidthRedraws)
{
    struct Case {
        QSlider* slider;
        int percent;
        bool importingResult;
        Calls calls;
    };
    const Case cases[] = {
        // During a result import the import itself redraws and places the focus.
        {window->Slider1,
         50,
         true,
         {"Slider1_Change", "ClearSectionFigure", "DrawDataCurve", "DrawRunningMean"}},
        {window->Slider1,
         60,
         false,
         {"Slider1_Change", "ClearSectionFigure", "DrawDataCurve", "DrawRunningMean", "RedrawFigures"}},
        {window->Slider2,
         40,
         false,
         {"Slider2_Change", "ClearSectionFigure", "DrawDataCurve", "DrawRunningMean"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.slider->objectName().toStdString() + " " + std::to_string(c.percent));
        showEverything();
        window->NowImportingData[2] = c.importingResult;
        window->Command5->setFocus();
        c.slider->setValue(c.percent);
        EXPECT_FALSE(window->Drawn[2]);
        EXPECT_FALSE(window->SaveMatrix->isEnabled());
        EXPECT_EQ(window->Command2->isEnabled(), !c.importingResult);
        EXPECT_EQ(window->focusWidget(), c.importingResult ? window->Command5 : window->Command2);
        EXPECT_EQ(window->takeCalls(), c.calls);
    }
}

TEST_F(SizingTest, WidthGivesTheFocusToTheMissingInput)
{
    window->Command1[0]->setEnabled(false);
    window->Slider1->setValue(80);
    EXPECT_TRUE(window->Command1[0]->isEnabled());
    EXPECT_EQ(window->focusWidget(), window->Command1[0]);
    EXPECT_FALSE(window->Command2->isEnabled());

    window->Drawn[0] = true;
    window->Slider1->setValue(70);
    EXPECT_EQ(window->focusWidget(), window->Command1[1]);
    EXPECT_FALSE(window->Command2->isEnabled());
}

TEST_F(SizingTest, HeightFocusFollowsTheImportUnderWay)
{
    struct Case {
        std::array<bool, 3> importing;
        QWidget* focus;
        bool calibrate;
    };
    // Data and matrix present: the data import takes the focus first, and only an import into the
    // matrix or the section keeps "Calibrate" from taking it over.
    const Case cases[] = {
        {{true, false, false}, window->Command2, true},
        {{true, true, false}, window->Command1[0], false},
        {{false, false, true}, window->Command5, false},
    };
    int percent = 90;
    for (const Case& c : cases) {
        window->Drawn = {true, true, false};
        window->Command2->setEnabled(false);
        window->Command5->setFocus();
        window->NowImportingData = c.importing;
        window->Slider2->setValue(percent--);
        EXPECT_EQ(window->focusWidget(), c.focus) << percent;
        EXPECT_EQ(window->Command2->isEnabled(), c.calibrate) << percent;
    }
}

TEST_F(SizingTest, HeightWithoutDataBlanksTheDataFigure)
{
    DrawingSurface& data = window->Picture1[0]->surface();
    data.filledBox(0, 0, data.scaleWidth(), data.scaleHeight(), Red);
    data.freeze();

    window->Slider2->setValue(70);

    EXPECT_EQ(pixelsOtherThan(*window->Picture1[0], window->BackColor()), 0);
    EXPECT_EQ(window->focusWidget(), window->Command1[0]);
}

// The tiling of cells over any surface is pinned by render/FillCellTest; here the surface follows the figure.
TEST_F(SizingTest, DrawingSurfacesFollowTheFigureAtEverySize)
{
    for (const auto& [width, height] :
         {std::pair{10, 100}, std::pair{33, 0}, std::pair{100, 37}, std::pair{61, 83}}) {
        window->Slider1->setValue(width);
        window->Slider2->setValue(height);
        SCOPED_TRACE(std::to_string(width) + " by " + std::to_string(height));
        for (const PictureBox* figure : window->Picture1) {
            const QSize inner = (figure->size() - QSize(2, 2) * figure->frameWidth()).expandedTo(QSize(0, 0));
            EXPECT_EQ(figure->surface().size(), inner);
        }
    }
}

} // namespace
} // namespace brimvale
