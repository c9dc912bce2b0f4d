// The cells of the probability and section figures as the main window draws them: after an import, after
// the view switch, after a full redraw and under the enhancement slider, read back from the figures.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include <array>
#include <cmath>
#include <set>

#include "render/CellPlot.h"
#include "support/CorvaneFileBuilder.h"
#include "ui/MainWindowFixture.h"
#include "ui/PictureBox.h"

namespace brimvale {
namespace {

using test::CorvaneFileBuilder;
using Calls = std::vector<std::string>;

constexpr QRgb White = 0xffffffff;
constexpr QRgb Black = 0xff000000;
constexpr QRgb UpperClass = 0xffc8ffc8;     // RGB(200, 255, 200)
constexpr QRgb LowerClass = 0xff327f32;     // RGB(50, 127, 50)
constexpr QRgb UpperClassGrey = 0xffc8c8c8; // RGB(200, 200, 200)
constexpr QRgb LowerClassGrey = 0xff646464; // RGB(100, 100, 100)
// Probability 0.02 enters the default ramp as 0.4: red two thirds up its rise, green full, blue gone;
// the grey ramp falls from white at 0 to black at 0.6, so 0.4 gives a third of 255.
const QRgb At04 = qRgb(170, 255, 0);
const QRgb At04Grey = qRgb(85, 85, 85);

// The window with its own display procedures; the curves, the data figure and the section view of the
// other subsystems only record, so the figures hold nothing but cells.
class DisplayWindow : public MainWindow {
public:
    using MainWindow::MainWindow;

    Calls calls;

    void DrawDataCurve() override { calls.push_back("DrawDataCurve"); }
    void DrawRunningMean() override { calls.push_back("DrawRunningMean"); }
    void DrawModeCurves() override { calls.push_back("DrawModeCurves"); }
    void DrawAverageCurves() override { calls.push_back("DrawAverageCurves"); }
    void DrawRowProfile() override { calls.push_back("DrawRowProfile"); }
    void DrawColourScale() override { calls.push_back("DrawColourScale"); }
    void DrawRowMarker() override { calls.push_back("DrawRowMarker"); }
};

// Cells of 4 by 4 pixels: 804 pixels hold the 201 columns of a figure (the last one just outside).
constexpr int CellPixels = 4;
constexpr int FigurePixels = 201 * CellPixels;
constexpr std::int16_t SectionSteps = 100;

// Three cells in bands of columns: class 1 and class 2 of the same probability, and class 0.
constexpr double BandCells[] = {1.02, 2.02, 0.5};
double bandCell(int i, int)
{
    return BandCells[std::min(i / 20, 2)];
}
int columnOfBand(int n)
{
    return 20 * n + 10;
}

class DisplayTest : public test::MainWindowFixtureOf<DisplayWindow> {
protected:
    void SetUp() override
    {
        for (int figure : {1, 2}) {
            PictureBox& box = *window->Picture1[figure];
            const int frame = 2 * box.frameWidth();
            const int height = figure == 1 ? FigurePixels : SectionSteps * CellPixels;
            box.resize(FigurePixels + frame, height + frame);
        }
        window->sectionMatrix = SectionMatrix(SectionSteps);
    }

    // The colour at the centre of grid cell (i, j); row 0 is at the bottom.
    QRgb gridPixel(int i, int j) const
    {
        const QImage& image = window->Picture1[1]->surface().image();
        return image.pixel(static_cast<int>((i + 0.5) * image.width() / 200.0),
                           static_cast<int>((1.0 - (j + 0.5) / 200.0) * image.height()));
    }

    // The colour at the centre of section cell (i, h); row 0 is at the top.
    QRgb sectionPixel(int i, int h) const
    {
        const QImage& image = window->Picture1[2]->surface().image();
        return image.pixel(static_cast<int>((i + 0.5) * image.width() / 200.0),
                           static_cast<int>((h + 0.5) * image.height() / SectionSteps));
    }

    // Fills the grid and layer 1 of the section with the same function of (column, row).
    void fillBoth(const std::function<double(int, int)>& cell)
    {
        for (int i = 0; i <= 200; ++i) {
            for (int j = 0; j <= 200; ++j)
                window->probabilityGrid(i, j) = cell(i, j);
            for (int h = 0; h <= SectionSteps; ++h)
                window->sectionMatrix(1, i, h) = cell(i, h);
        }
        window->Drawn[1] = true;
        window->Drawn[2] = true;
    }

    // Both figures show the band colours, in every row.
    void expectBands(const std::array<QRgb, 3>& colours)
    {
        for (int n = 0; n < 3; ++n) {
            for (int row : {0, 57, 99}) {
                EXPECT_EQ(gridPixel(columnOfBand(n), row), colours[n]) << BandCells[n] << " row " << row;
                EXPECT_EQ(sectionPixel(columnOfBand(n), row), colours[n]) << BandCells[n] << " row " << row;
            }
        }
    }

    // Imports the matrix through "Import Corvane file".
    void import(const CorvaneFileBuilder& builder)
    {
        const QString path = folder.filePath(QStringLiteral("matrix.csv"));
        builder.writeTo(QFileInfo(path).filesystemFilePath());
        platform.dialogBackend.queueFile(path);
        window->Command1_Click(1);
    }

    // The distinct colours of a figure's image.
    static std::set<QRgb> coloursOf(const PictureBox& figure)
    {
        const QImage image = figure.surface().image().convertToFormat(QImage::Format_RGB32);
        std::set<QRgb> colours;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                colours.insert(image.pixel(x, y));
        return colours;
    }
};

// ---- The view switch -----------------------------------------------------------------------
// The colour of every kind of cell is pinned by render/CellPlotTest.ColoursOfBothViewsInTheFigure and
// the tiling by render/CellPlotTest.CellsTileTheFigureInTheirPlaces; here, which view and settings the
// window draws both figures with.

TEST_F(DisplayTest, BothViewsColourBothFiguresWithTheWindowsRamp)
{
    struct View {
        bool grey;
        bool probability;
        std::array<QRgb, 3> colours;
    };
    const View views[] = {
        {false, true, {At04, At04, White}},
        {false, false, {LowerClass, UpperClass, White}},
        {true, true, {At04Grey, At04Grey, White}},
        {true, false, {LowerClassGrey, UpperClassGrey, White}},
    };
    for (const View& view : views) {
        SCOPED_TRACE(std::string(view.grey ? "grey " : "") + (view.probability ? "probability" : "confidence"));
        window->Settings.greyScale = view.grey;
        window->Settings.colourRamp.points = view.grey ? ColourRamp::greyScale() : ColourRamp::defaults();
        fillBoth(bandCell);
        if (view.probability)
            window->SwitchToProb();
        else
            window->SwitchToConfi();
        expectBands(view.colours);
    }
}

TEST_F(DisplayTest, ViewProceduresSetTheModeAndTheEnhancementControls)
{
    const std::array<QWidget*, 3> enhancementControls{window->Slider4, window->Label9, window->Label11};
    window->SwitchToConfi();
    EXPECT_TRUE(window->Settings.confidenceMode);
    EXPECT_FALSE(window->Settings.probabilityMode);
    for (QWidget* control : enhancementControls)
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    // Nothing drawn: the curves still run (and find no marks), the figures stay empty.
    EXPECT_EQ(window->calls, (Calls{"DrawModeCurves", "DrawAverageCurves"}));
    EXPECT_EQ(coloursOf(*window->Picture1[1]), std::set<QRgb>{window->BackColor()});

    window->calls.clear();
    platform.pointer.set(MousePointer::Pointer::Hourglass);
    window->SwitchToProb();
    EXPECT_TRUE(window->Settings.probabilityMode);
    EXPECT_FALSE(window->Settings.confidenceMode);
    for (QWidget* control : enhancementControls)
        EXPECT_TRUE(control->isEnabled()) << control->objectName().toStdString();
    EXPECT_TRUE(window->calls.empty());
    EXPECT_EQ(platform.pointer.current(), MousePointer::Pointer::Default);
}

TEST_F(DisplayTest, ViewSwitchDrawsOnlyTheFiguresThatHoldData)
{
    fillBoth([](int, int) { return 2.02; });
    window->Drawn[2] = false;
    window->SwitchToConfi();
    EXPECT_EQ(gridPixel(50, 50), UpperClass);
    EXPECT_EQ(coloursOf(*window->Picture1[2]), std::set<QRgb>{window->BackColor()});

    window->Drawn = {false, false, true};
    window->SwitchToProb();
    EXPECT_EQ(sectionPixel(50, 50), At04);
    EXPECT_EQ(gridPixel(50, 50), UpperClass) << "the matrix figure keeps its confidence cells";
}

TEST_F(DisplayTest, EnhancementSliderRedrawsTheCellsAtOnce)
{
    fillBoth(bandCell);
    window->SwitchToProb();

    // At 0 every coloured cell takes the ramp's colour at 0 (all channels still rising: black).
    window->Slider4->setValue(0);
    expectBands({Black, Black, White});
    // At 125 % the probability 0.02 enters as 0.5: red full, green on its fall.
    window->Slider4->setValue(125);
    expectBands({qRgb(255, 191, 0), qRgb(255, 191, 0), White});
}

TEST_F(DisplayTest, SingleCellPlotsDrawOnTheirOwnFigure)
{
    window->probabilityGrid(11, 20) = -1.5;
    float v = -10.0f;
    window->PlotGridProbability(v, 11, 20);
    EXPECT_EQ(v, 10.0f);
    EXPECT_EQ(gridPixel(11, 20), Black);
    v = -2.0f;
    window->PlotGridConfidence(v, 12, 20);
    EXPECT_EQ(gridPixel(12, 20), UpperClass);
    v = 1.0f;
    window->PlotSectionConfidence(v, 3, 4);
    EXPECT_EQ(sectionPixel(3, 4), LowerClass);
    window->sectionMatrix(1, 5, 6) = 1.02;
    v = 0.4f;
    window->PlotSectionProbability(v, 5, 6);
    EXPECT_EQ(sectionPixel(5, 6), At04);
    EXPECT_EQ(coloursOf(*window->Picture1[2]).size(), 3u) << "the grid plots stayed off the section";
}

// ---- Freezing and RedrawFigures ------------------------------------------------------------

TEST_F(DisplayTest, DrawnCellsAreFrozenSoClsRemovesOnlyOverlays)
{
    fillBoth([](int, int) { return 1.5; });
    window->SwitchToConfi();
    for (int figure : {1, 2}) {
        DrawingSurface& surface = window->Picture1[figure]->surface();
        surface.line(0, 0, surface.scaleWidth(), surface.scaleHeight(), Black);
        surface.cls();
        EXPECT_EQ(coloursOf(*window->Picture1[figure]), std::set<QRgb>{LowerClass}) << figure;
    }

    // The full redraw erases the old overlays first and freezes its new cells too.
    fillBoth([](int, int) { return 2.5; });
    window->Picture1[1]->surface().line(0, 0, 500, 500, Black);
    window->RedrawFigures();
    for (int figure : {1, 2}) {
        EXPECT_EQ(coloursOf(*window->Picture1[figure]), std::set<QRgb>{UpperClass}) << figure;
        window->Picture1[figure]->surface().cls();
        EXPECT_EQ(coloursOf(*window->Picture1[figure]), std::set<QRgb>{UpperClass}) << figure;
    }
}

TEST_F(DisplayTest, RedrawDrawsEveryFigureInTheCurrentViewAndTheSectionView)
{
    fillBoth(bandCell);
    window->Settings.confidenceMode = true;
    window->Drawn[0] = true;
    window->Command3->setText(QStringLiteral("OK"));
    window->RedrawFigures();
    expectBands({LowerClass, UpperClass, White});
    EXPECT_EQ(window->calls, (Calls{"DrawDataCurve", "DrawRunningMean", "DrawModeCurves", "DrawAverageCurves",
                                    "DrawRowProfile", "DrawColourScale", "DrawRowMarker"}));

    // A colour change reaches the probability view through the same redraw.
    window->calls.clear();
    window->Settings.confidenceMode = false;
    window->Settings.probabilityMode = true;
    window->Settings.colourRamp.points = ColourRamp::greyScale();
    window->Command3->setText(QStringLiteral("Show section"));
    window->RedrawFigures();
    expectBands({At04Grey, At04Grey, White});
    EXPECT_EQ(window->calls, (Calls{"DrawDataCurve", "DrawRunningMean", "DrawModeCurves", "DrawAverageCurves"}));
    EXPECT_TRUE(window->Drawn[1]);
    EXPECT_TRUE(window->Drawn[2]);
}

TEST_F(DisplayTest, RedrawEmptiesFiguresThatHoldNothingOrHaveNoView)
{
    // Before any matrix was shown neither view is chosen: nothing is drawn, nothing forgotten.
    fillBoth([](int, int) { return 2.5; });
    window->RedrawFigures();
    for (int figure : {1, 2})
        EXPECT_EQ(coloursOf(*window->Picture1[figure]), std::set<QRgb>{window->BackColor()}) << figure;
    EXPECT_TRUE(window->Drawn[1]);
    EXPECT_TRUE(window->Drawn[2]);

    window->SwitchToConfi();
    for (int figure : {0, 1, 2}) {
        DrawingSurface& surface = window->Picture1[figure]->surface();
        surface.filledBox(0, 0, surface.scaleWidth(), surface.scaleHeight(), Black);
        surface.freeze();
    }
    window->calls.clear();
    window->Drawn = {false, false, false};
    window->RedrawFigures();
    for (int figure : {0, 1, 2}) {
        EXPECT_EQ(coloursOf(*window->Picture1[figure]), std::set<QRgb>{window->BackColor()}) << figure;
        window->Picture1[figure]->surface().cls();
        EXPECT_EQ(coloursOf(*window->Picture1[figure]), std::set<QRgb>{window->BackColor()})
            << figure << ": Cls brought the old drawing back";
    }
    EXPECT_EQ(window->Drawn, (std::array<bool, 3>{false, false, false}));
    EXPECT_EQ(window->calls, (Calls{"DrawModeCurves", "DrawAverageCurves"}));
}

TEST_F(DisplayTest, ViewSwitchAndRedrawRunTheBarOnceOverBothFigures)
{
    struct Step {
        int value;
        int maximum;
        bool visible;
    };
    std::vector<Step> steps;
    window->show();
    QObject::connect(window->ProgressBar1, &QProgressBar::valueChanged, [&](int value) {
        steps.push_back({value, window->ProgressBar1->maximum(), window->ProgressBar1->isVisible()});
    });
    // The bar starts at 0, so the first column raises no change; it ends hidden at 0.
    std::vector<int> onePass;
    for (int v = 1; v <= 200; ++v)
        onePass.push_back(v);
    onePass.push_back(0);
    const auto valuesShown = [&] {
        std::vector<int> values;
        for (std::size_t n = 0; n < steps.size(); ++n) {
            values.push_back(steps[n].value);
            if (n + 1 < steps.size()) {
                EXPECT_EQ(steps[n].maximum, 200) << n;
                EXPECT_TRUE(steps[n].visible) << n;
            }
        }
        steps.clear();
        EXPECT_TRUE(window->ProgressBar1->isHidden());
        return values;
    };
    struct Case {
        const char* name;
        std::array<bool, 3> drawn;
        void (DisplayWindow::*run)();
        bool moves;
    };
    const Case cases[] = {
        {"switch, both figures", {false, true, true}, &DisplayWindow::SwitchToProb, true},
        {"switch, matrix only", {false, true, false}, &DisplayWindow::SwitchToConfi, true},
        {"switch, nothing drawn", {false, false, false}, &DisplayWindow::SwitchToConfi, false},
        // The matrix column i shows i / 2, the section column i shows (i + 200) / 2.
        {"redraw, both figures", {false, true, true}, &DisplayWindow::RedrawFigures, true},
        {"redraw, section only", {false, false, true}, &DisplayWindow::RedrawFigures, true},
    };
    fillBoth([](int, int) { return 2.5; });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        window->Drawn = c.drawn;
        (window.get()->*c.run)();
        EXPECT_EQ(valuesShown(), c.moves ? onePass : std::vector<int>{});
    }
}

// ---- Imported matrices ---------------------------------------------------------------------

TEST_F(DisplayTest, PackedMatrixShowsItsCellsInEitherViewAndSwitches)
{
    const CorvaneFileBuilder builder;
    // Cells of each class of column 60, away from the mode and average marks.
    const int i = 60;
    std::vector<int> rows;
    for (int code : {0, 1, 2}) {
        for (int j = 0; j <= 200; ++j) {
            if (CorvaneFileBuilder::classCode(i, j) == code && std::abs(j - CorvaneFileBuilder::modeRow(i)) > 2 &&
                std::abs(j - CorvaneFileBuilder::averageRow(i)) > 2) {
                rows.push_back(j);
                break;
            }
        }
    }
    ASSERT_EQ(rows.size(), 3u);
    const auto probabilityColour = [&](int j) {
        return cellColour(window->Settings, CorvaneFileBuilder::packedCell(i, j), CellView::Probability,
                          ProbabilitySource::PackedFraction);
    };

    import(builder);
    ASSERT_TRUE(window->Drawn[1]);
    EXPECT_TRUE(window->Settings.probabilityMode);
    EXPECT_EQ(gridPixel(i, rows[0]), White);
    for (int j : {rows[1], rows[2]}) {
        EXPECT_EQ(gridPixel(i, j), probabilityColour(j)) << j;
        EXPECT_NE(gridPixel(i, j), White) << j;
    }

    window->Option1[1]->setChecked(true);
    EXPECT_TRUE(window->Settings.confidenceMode);
    EXPECT_EQ(gridPixel(i, rows[0]), White);
    EXPECT_EQ(gridPixel(i, rows[1]), LowerClass);
    EXPECT_EQ(gridPixel(i, rows[2]), UpperClass);
    EXPECT_EQ(gridPixel(i, CorvaneFileBuilder::modeRow(i)), UpperClass);

    window->Option1[0]->setChecked(true);
    EXPECT_EQ(gridPixel(i, rows[2]), probabilityColour(rows[2]));

    // Imported while the confidence view is selected, it shows the classes at once.
    window->Option1[1]->setChecked(true);
    window->SwitchToProb();
    ASSERT_NE(gridPixel(i, rows[1]), LowerClass);
    import(builder);
    EXPECT_EQ(gridPixel(i, rows[1]), LowerClass);
    EXPECT_EQ(gridPixel(i, rows[2]), UpperClass);
}

TEST_F(DisplayTest, SingleKindMatricesBlockTheSwitch)
{
    import(CorvaneFileBuilder::confidenceMatrix());
    ASSERT_TRUE(window->Settings.legacyMatrix);
    EXPECT_EQ(gridPixel(100, CorvaneFileBuilder::modeRow(100)), UpperClass);
    EXPECT_EQ(coloursOf(*window->Picture1[1]), (std::set<QRgb>{White, LowerClass, UpperClass}));
    const QImage before = window->Picture1[1]->surface().image();
    window->Option1[1]->setChecked(true);
    window->Option1[0]->setChecked(true);
    EXPECT_EQ(window->Picture1[1]->surface().image(), before);
    EXPECT_TRUE(window->Settings.confidenceMode);
    EXPECT_FALSE(window->Settings.probabilityMode);

    // A probability-only matrix holds probabilities below 1, and the white rule tests the cell itself.
    import(CorvaneFileBuilder::probabilityMatrix());
    ASSERT_TRUE(window->Drawn[1]);
    ASSERT_TRUE(window->Settings.legacyMatrix);
    EXPECT_EQ(coloursOf(*window->Picture1[1]), std::set<QRgb>{White});
    window->Option1[1]->setChecked(true);
    EXPECT_TRUE(window->Settings.probabilityMode);
    EXPECT_EQ(coloursOf(*window->Picture1[1]), std::set<QRgb>{White});
}

} // namespace
} // namespace brimvale
