// The cells of the probability and section figures as the main window draws them: after an import, after
// the view switch, after a full redraw and under the enhancement slider, read back from the figures.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

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

// ---- Cell colours ---------------------------------------------------------------------------

struct CellCase {
    double cell;
    QRgb probability;     // default ramp, enhancement 1
    QRgb probabilityGrey; // grey ramp
    QRgb confidence;
    QRgb confidenceGrey;
};

// Probability colours worked out on the ramps: 1.02 has probability 0.02 and enters the lookup as
// 0.4, where red rises (0.4 - 0.3) / 0.15 of the way to full, green is full and blue has fallen to
// 0; the grey ramp falls from white at 0 to black at 0.6, so 0.4 gives a third of 255.
const CellCase CellCases[] = {
    {1.02, qRgb(170, 255, 0), qRgb(85, 85, 85), LowerClass, LowerClassGrey},
    // Same probability, other class: the probability view sees the fraction only.
    {2.02, qRgb(170, 255, 0), qRgb(85, 85, 85), UpperClass, UpperClassGrey},
    // Average marks are drawn by their magnitude.
    {-1.02, qRgb(170, 255, 0), qRgb(85, 85, 85), LowerClass, LowerClassGrey},
    // 0.2: green halfway up its rise from 0.15 to 0.3, blue full.
    {1.01, qRgb(0, 85, 255), qRgb(170, 170, 170), LowerClass, LowerClassGrey},
    // 0.5 on the mode: red full, green on its fall from 0.45 to 0.65.
    {3.025, qRgb(255, 191, 0), qRgb(43, 43, 43), UpperClass, UpperClassGrey},
    // Probability one half: 10, beyond every ramp.
    {-2.5, Black, Black, UpperClass, UpperClassGrey},
    // Outside every confidence region: white whatever the fraction.
    {0.5, White, White, White, White},
    {0.99, White, White, White, White},
    {0.0, White, White, White, White},
};
constexpr int CaseCount = static_cast<int>(std::size(CellCases));

// Case n fills a band of 20 columns, so each case's cells lie well inside its band.
int caseOfColumn(int i)
{
    return std::min(i / 20, CaseCount - 1);
}
int columnOfCase(int n)
{
    return 20 * n + 10;
}

TEST_F(DisplayTest, BothViewsColourEveryCellByItsClassAndProbability)
{
    struct View {
        bool grey;
        bool probability;
    };
    for (const View view : {View{false, true}, View{false, false}, View{true, true}, View{true, false}}) {
        window->Settings.greyScale = view.grey;
        window->Settings.colourRamp.points = view.grey ? ColourRamp::greyScale() : ColourRamp::defaults();
        fillBoth([](int i, int) { return CellCases[caseOfColumn(i)].cell; });
        if (view.probability)
            window->SwitchToProb();
        else
            window->SwitchToConfi();

        for (int n = 0; n < CaseCount; ++n) {
            const CellCase& c = CellCases[n];
            const QRgb expected = view.probability ? (view.grey ? c.probabilityGrey : c.probability)
                                                   : (view.grey ? c.confidenceGrey : c.confidence);
            for (int row : {0, 57, 99}) {
                EXPECT_EQ(gridPixel(columnOfCase(n), row), expected)
                    << c.cell << " grey " << view.grey << " probability " << view.probability;
                EXPECT_EQ(sectionPixel(columnOfCase(n), row), expected)
                    << c.cell << " grey " << view.grey << " probability " << view.probability;
            }
        }
    }
}

TEST_F(DisplayTest, ViewProceduresSetTheModeAndTheEnhancementControls)
{
    window->SwitchToConfi();
    EXPECT_TRUE(window->Settings.confidenceMode);
    EXPECT_FALSE(window->Settings.probabilityMode);
    for (QWidget* control : {static_cast<QWidget*>(window->Slider4), static_cast<QWidget*>(window->Label9),
                             static_cast<QWidget*>(window->Label11)})
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    // Nothing drawn: the curves still run (and find no marks), the figures stay empty.
    EXPECT_EQ(window->calls, (Calls{"DrawModeCurves", "DrawAverageCurves"}));
    EXPECT_EQ(coloursOf(*window->Picture1[1]), std::set<QRgb>{window->BackColor()});

    window->calls.clear();
    platform.pointer.set(MousePointer::Pointer::Hourglass);
    window->SwitchToProb();
    EXPECT_TRUE(window->Settings.probabilityMode);
    EXPECT_FALSE(window->Settings.confidenceMode);
    for (QWidget* control : {static_cast<QWidget*>(window->Slider4), static_cast<QWidget*>(window->Label9),
                             static_cast<QWidget*>(window->Label11)})
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
    EXPECT_EQ(sectionPixel(50, 50), qRgb(170, 255, 0));
    // The matrix figure keeps its confidence cells.
    EXPECT_EQ(gridPixel(50, 50), UpperClass);
}

TEST_F(DisplayTest, EnhancementSliderRedrawsTheCellsAtOnce)
{
    fillBoth([](int i, int) { return CellCases[caseOfColumn(i)].cell; });
    window->SwitchToProb();

    // At 0 every coloured cell takes the ramp's colour at 0 (all channels still rising: black);
    // the white cells stay white.
    window->Slider4->setValue(0);
    for (int n = 0; n < CaseCount; ++n) {
        const QRgb expected = CellCases[n].probability == White ? White : Black;
        EXPECT_EQ(gridPixel(columnOfCase(n), 30), expected) << CellCases[n].cell;
        EXPECT_EQ(sectionPixel(columnOfCase(n), 30), expected) << CellCases[n].cell;
    }

    // At 125 % the probability 0.02 enters as 0.5: red full, green on its fall.
    window->Slider4->setValue(125);
    EXPECT_EQ(gridPixel(columnOfCase(0), 30), qRgb(255, 191, 0));
    EXPECT_EQ(sectionPixel(columnOfCase(0), 30), qRgb(255, 191, 0));
}

// ---- Geometry ------------------------------------------------------------------------------

// The lengths of the runs of one colour along a line of pixels, the last (cut by the edge) left out.
std::vector<int> runLengths(const std::vector<QRgb>& line)
{
    std::vector<int> runs;
    int length = 1;
    for (std::size_t n = 1; n < line.size(); ++n) {
        if (line[n] == line[n - 1]) {
            ++length;
        } else {
            runs.push_back(length);
            length = 1;
        }
    }
    return runs;
}

TEST_F(DisplayTest, CellsTileFiguresOfAnySizeWithoutGapsOrOverlaps)
{
    // Cells of 2.5 by 2.5 pixels in the matrix, about 2.2 by 3.65 in the section.
    window->Picture1[1]->resize(500 + 4, 500 + 4);
    window->Picture1[2]->resize(437 + 4, 365 + 4);
    // A checkerboard of the two classes: a gap would show the background, and a cell overlapping its
    // neighbour would leave that neighbour a shorter run of pixels than the cell size allows.
    fillBoth([](int i, int j) { return (i + j) % 2 == 0 ? 2.5 : 1.5; });
    window->SwitchToConfi();

    for (int figure : {1, 2}) {
        const QImage image = window->Picture1[figure]->surface().image();
        EXPECT_EQ(coloursOf(*window->Picture1[figure]), (std::set<QRgb>{UpperClass, LowerClass})) << figure;
        const double cellWidth = image.width() / 200.0;
        const double cellHeight = figure == 1 ? image.height() / 200.0 : image.height() / double(SectionSteps);
        std::vector<QRgb> across;
        for (int x = 0; x < image.width(); ++x)
            across.push_back(image.pixel(x, image.height() / 2));
        std::vector<QRgb> down;
        for (int y = 0; y < image.height(); ++y)
            down.push_back(image.pixel(image.width() / 2, y));
        const std::vector<int> columns = runLengths(across);
        const std::vector<int> rows = runLengths(down);
        EXPECT_GE(columns.size(), 199u) << figure;
        for (int run : columns) {
            EXPECT_GE(run, std::floor(cellWidth)) << figure;
            EXPECT_LE(run, std::ceil(cellWidth)) << figure;
        }
        for (int run : rows) {
            EXPECT_GE(run, std::floor(cellHeight)) << figure;
            EXPECT_LE(run, std::ceil(cellHeight)) << figure;
        }
    }
}

TEST_F(DisplayTest, GridRowsRunUpwardAndSectionRowsDownward)
{
    fillBoth([](int i, int j) { return i < 100 ? (j < 50 ? 2.5 : 0.0) : 1.5; });
    window->SwitchToConfi();
    EXPECT_EQ(gridPixel(20, 10), UpperClass);
    EXPECT_EQ(gridPixel(20, 150), White);
    EXPECT_EQ(gridPixel(150, 150), LowerClass);
    // The grid's row 10 lies near the bottom of the figure, the section's near the top.
    const QImage& grid = window->Picture1[1]->surface().image();
    EXPECT_EQ(grid.pixel(20 * CellPixels, grid.height() - 2), UpperClass);
    EXPECT_EQ(grid.pixel(20 * CellPixels, 2), White);
    const QImage& section = window->Picture1[2]->surface().image();
    EXPECT_EQ(section.pixel(20 * CellPixels, 2), UpperClass);
    EXPECT_EQ(section.pixel(20 * CellPixels, section.height() - 2), White);
}

// ---- Freezing ------------------------------------------------------------------------------

TEST_F(DisplayTest, CellsAreFrozenSoClsRemovesOnlyOverlays)
{
    fillBoth([](int, int) { return 1.5; });
    window->SwitchToConfi();
    for (int figure : {1, 2}) {
        DrawingSurface& surface = window->Picture1[figure]->surface();
        surface.line(0, 0, surface.scaleWidth(), surface.scaleHeight(), Black);
        ASSERT_TRUE(coloursOf(*window->Picture1[figure]).count(Black)) << figure;
        surface.cls();
        EXPECT_EQ(coloursOf(*window->Picture1[figure]), std::set<QRgb>{LowerClass}) << figure;
    }

    // The full redraw freezes its new cells too, and erases the old overlays first.
    fillBoth([](int, int) { return 2.5; });
    window->Picture1[1]->surface().line(0, 0, 500, 500, Black);
    window->RedrawFigures();
    for (int figure : {1, 2}) {
        EXPECT_EQ(coloursOf(*window->Picture1[figure]), std::set<QRgb>{UpperClass}) << figure;
        window->Picture1[figure]->surface().cls();
        EXPECT_EQ(coloursOf(*window->Picture1[figure]), std::set<QRgb>{UpperClass}) << figure;
    }
}

// ---- RedrawFigures -------------------------------------------------------------------------

TEST_F(DisplayTest, RedrawDrawsEveryFigureInTheCurrentView)
{
    fillBoth([](int i, int) { return CellCases[caseOfColumn(i)].cell; });
    window->Settings.confidenceMode = true;
    window->Drawn[0] = true;
    window->Command3->setText(QStringLiteral("OK"));
    window->RedrawFigures();
    for (int n = 0; n < CaseCount; ++n) {
        EXPECT_EQ(gridPixel(columnOfCase(n), 80), CellCases[n].confidence) << CellCases[n].cell;
        EXPECT_EQ(sectionPixel(columnOfCase(n), 80), CellCases[n].confidence) << CellCases[n].cell;
    }
    EXPECT_EQ(window->calls, (Calls{"DrawDataCurve", "DrawRunningMean", "DrawModeCurves", "DrawAverageCurves",
                                    "DrawRowProfile", "DrawColourScale", "DrawRowMarker"}));
    EXPECT_TRUE(window->Drawn[1]);
    EXPECT_TRUE(window->Drawn[2]);

    // A colour change reaches the probability view through the same redraw.
    window->calls.clear();
    window->Settings.confidenceMode = false;
    window->Settings.probabilityMode = true;
    window->Settings.colourRamp.points = ColourRamp::greyScale();
    window->Command3->setText(QStringLiteral("Show section"));
    window->RedrawFigures();
    for (int n = 0; n < CaseCount; ++n) {
        EXPECT_EQ(gridPixel(columnOfCase(n), 80), CellCases[n].probabilityGrey) << CellCases[n].cell;
        EXPECT_EQ(sectionPixel(columnOfCase(n), 80), CellCases[n].probabilityGrey) << CellCases[n].cell;
    }
    EXPECT_EQ(window->calls, (Calls{"DrawDataCurve", "DrawRunningMean", "DrawModeCurves", "DrawAverageCurves"}));
}

TEST_F(DisplayTest, RedrawEmptiesFiguresThatHoldNothing)
{
    fillBoth([](int, int) { return 2.5; });
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
        // Emptied for good: Cls does not bring the old drawing back.
        window->Picture1[figure]->surface().cls();
        EXPECT_EQ(coloursOf(*window->Picture1[figure]), std::set<QRgb>{window->BackColor()}) << figure;
    }
    EXPECT_EQ(window->Drawn, (std::array<bool, 3>{false, false, false}));
    EXPECT_EQ(window->calls, (Calls{"DrawModeCurves", "DrawAverageCurves"}));
}

TEST_F(DisplayTest, RedrawWithoutAViewLeavesTheFiguresEmpty)
{
    // Before any matrix was shown neither view is chosen.
    fillBoth([](int, int) { return 2.5; });
    window->RedrawFigures();
    for (int figure : {1, 2})
        EXPECT_EQ(coloursOf(*window->Picture1[figure]), std::set<QRgb>{window->BackColor()}) << figure;
    EXPECT_TRUE(window->Drawn[1]);
    EXPECT_TRUE(window->Drawn[2]);
}

// ---- Progress bar --------------------------------------------------------------------------

class ProgressTest : public DisplayTest {
protected:
    struct Step {
        int value;
        int maximum;
        bool visible;
    };
    std::vector<Step> steps;

    void SetUp() override
    {
        DisplayTest::SetUp();
        window->show();
        QObject::connect(window->ProgressBar1, &QProgressBar::valueChanged, [this](int value) {
            steps.push_back({value, window->ProgressBar1->maximum(), window->ProgressBar1->isVisible()});
        });
    }

    // The values the bar showed, in order; all while visible with maximum 200 except the final 0.
    std::vector<int> valuesShown()
    {
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
        EXPECT_EQ(window->ProgressBar1->value(), 0);
        return values;
    }

    static std::vector<int> range(int first, int last)
    {
        std::vector<int> values;
        for (int v = first; v <= last; ++v)
            values.push_back(v);
        return values;
    }
    static std::vector<int> then(std::vector<int> values, int last)
    {
        values.push_back(last);
        return values;
    }
};

TEST_F(ProgressTest, ViewSwitchRunsTheBarOnceOverBothFigures)
{
    fillBoth([](int, int) { return 2.5; });
    window->SwitchToProb();
    // The bar starts at 0, so the first column raises no change.
    EXPECT_EQ(valuesShown(), then(range(1, 200), 0));

    window->Drawn[2] = false;
    window->SwitchToConfi();
    EXPECT_EQ(valuesShown(), then(range(1, 200), 0));

    // Nothing drawn: the bar is shown and hidden without moving.
    window->Drawn = {false, false, false};
    window->SwitchToConfi();
    EXPECT_TRUE(valuesShown().empty());
}

TEST_F(ProgressTest, RedrawOfBothFiguresSharesTheBar)
{
    fillBoth([](int, int) { return 2.5; });
    window->Settings.confidenceMode = true;
    window->RedrawFigures();
    // The matrix column i shows i / 2, the section column i shows (i + 200) / 2: one pass to 200.
    EXPECT_EQ(valuesShown(), then(range(1, 200), 0));

    window->Drawn[1] = false;
    window->RedrawFigures();
    EXPECT_EQ(valuesShown(), then(range(1, 200), 0));
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
    // The colours of the lookup, whose rules the render tests pin down.
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

TEST_F(DisplayTest, ConfidenceMatrixShowsItsClassesAndBlocksTheSwitch)
{
    import(CorvaneFileBuilder::confidenceMatrix());
    ASSERT_TRUE(window->Settings.legacyMatrix);
    EXPECT_EQ(gridPixel(100, CorvaneFileBuilder::modeRow(100)), UpperClass);
    const std::set<QRgb> classes{White, LowerClass, UpperClass};
    EXPECT_EQ(coloursOf(*window->Picture1[1]), classes);

    const QImage before = window->Picture1[1]->surface().image();
    window->Option1[1]->setChecked(true);
    window->Option1[0]->setChecked(true);
    EXPECT_EQ(window->Picture1[1]->surface().image(), before);
    EXPECT_TRUE(window->Settings.confidenceMode);
    EXPECT_FALSE(window->Settings.probabilityMode);
}

TEST_F(DisplayTest, ProbabilityOnlyMatrixDrawsWhite)
{
    // Its cells are probabilities below 1, and the white rule tests the cell itself.
    import(CorvaneFileBuilder::probabilityMatrix());
    ASSERT_TRUE(window->Drawn[1]);
    ASSERT_TRUE(window->Settings.legacyMatrix);
    EXPECT_EQ(coloursOf(*window->Picture1[1]), std::set<QRgb>{White});

    // The view switch is blocked, so the confidence view cannot replace it either.
    window->Option1[1]->setChecked(true);
    EXPECT_TRUE(window->Settings.probabilityMode);
    EXPECT_EQ(coloursOf(*window->Picture1[1]), std::set<QRgb>{White});
}

TEST_F(DisplayTest, PerCellPlotsTestTheirCellAndStoreTheMagnitude)
{
    window->probabilityGrid(10, 20) = 0.5;
    window->probabilityGrid(11, 20) = -1.5;
    float v = -10.0f; // a probability of one half, for a cell that fails the white rule
    window->PlotGridProbability(v, 10, 20);
    EXPECT_EQ(v, 10.0f);
    EXPECT_EQ(gridPixel(10, 20), White);
    v = -10.0f;
    window->PlotGridProbability(v, 11, 20);
    EXPECT_EQ(gridPixel(11, 20), Black);
    EXPECT_EQ(window->Settings.colourComponents, (std::array<float, 3>{0.0f, 0.0f, 0.0f}));

    // The confidence plots test v itself, whatever the grid holds there.
    v = -2.0f;
    window->PlotGridConfidence(v, 10, 20);
    EXPECT_EQ(v, 2.0f);
    EXPECT_EQ(gridPixel(10, 20), UpperClass);
    v = 1.0f;
    window->PlotSectionConfidence(v, 3, 4);
    EXPECT_EQ(sectionPixel(3, 4), LowerClass);
    window->sectionMatrix(1, 5, 6) = 1.02;
    v = 0.4f;
    window->PlotSectionProbability(v, 5, 6);
    EXPECT_EQ(sectionPixel(5, 6), qRgb(170, 255, 0));
}

} // namespace
} // namespace brimvale
