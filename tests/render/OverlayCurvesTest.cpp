// Mode and average curves on the probability figure and the section figure.
#include <gtest/gtest.h>

#include "render/OverlayCurves.h"
#include "render/SurfaceProbe.h"

namespace brimvale {
namespace {

using test::Black;
using test::Blue;
using test::Pixels;
using test::pixelsOf;
using test::Red;
using test::whiteSurface;

CurveOptions allShown(bool greyScale = false)
{
    return CurveOptions{true, true, true, greyScale};
}

TEST(OverlayCurvesTest, GridPointsAreScaledByTheWidthOnBothAxes)
{
    // Not square on purpose: the height of the box does not enter.
    const DrawingSurface figure = whiteSurface(200, 100);            // 3000 x 1500 twips
    EXPECT_EQ(gridCurvePoint(figure, {100, 200}), QPointF(1500, 0)); // j = 200 on the top edge
    EXPECT_EQ(gridCurvePoint(figure, {0, 0}), QPointF(0, 3000));     // j = 0 on the bottom edge of a square
    EXPECT_EQ(gridCurvePoint(figure, {200, 100}), QPointF(3000, 1500));
    EXPECT_EQ(gridCurvePoint(figure, {20, 150}), QPointF(300, 750));
}

TEST(OverlayCurvesTest, SectionPointsUseTheRowScale)
{
    DrawingSurface figure = whiteSurface(200, 100);
    setSectionCurveScale(figure, 50);
    EXPECT_TRUE(figure.hasUserScale());
    EXPECT_EQ(QRectF(figure.scaleLeft(), figure.scaleTop(), figure.scaleWidth(), figure.scaleHeight()),
              QRectF(0, 0, 50, 50));
    EXPECT_EQ(sectionCurvePoint(figure, {10, 100}), QPointF(25, 10));
    EXPECT_EQ(sectionCurvePoint(figure, {50, 200}), QPointF(50, 50)); // last row, right edge
    EXPECT_EQ(sectionCurvePoint(figure, {0, 0}), QPointF(0, 0));

    setSectionCurveScale(figure, 0); // a single row
    EXPECT_EQ(figure.scaleWidth(), 1.0);
    EXPECT_EQ(figure.scaleHeight(), 1.0);
    EXPECT_EQ(sectionCurvePoint(figure, {0, 100}), QPointF(0.5, 0));
}

TEST(OverlayCurvesTest, ModeCurveOnTheProbabilityFigure)
{
    // 200 pixels a side: column i falls on pixel x = i, mark j on pixel y = 200 - j.
    DrawingSurface grid = whiteSurface(200, 200);
    DrawingSurface section = whiteSurface(50, 50);
    ProbabilityGrid cells;
    cells(10, 150) = 3.2; // joined to its neighbour, one step higher
    cells(11, 151) = 3.2;
    cells(50, 100) = 3.6; // isolated
    cells(50, 20) = 3.9;  // lower than the other mode of its column: ignored
    cells(70, 200) = 3.1; // on the top edge
    drawModeCurves(cells, SectionMatrix(4), grid, section, allShown());
    EXPECT_EQ(pixelsOf(grid.image(), Red), (Pixels{{10, 50}, {11, 49}, {50, 100}, {70, 0}}));
    EXPECT_EQ(test::inkedPixels(section.image()), 0); // the section holds no marks
}

TEST(OverlayCurvesTest, AValleyLeavesTwoPixelsWhereASteadyRiseDrawsALine)
{
    ProbabilityGrid cells;
    cells(20, 100) = 3.5;
    cells(21, 110) = 3.5; // column 21 is zero up to its mode: it never goes down
    DrawingSurface joined = whiteSurface(200, 200);
    DrawingSurface section = whiteSurface(20, 20);
    drawModeCurves(cells, SectionMatrix(1), joined, section, allShown());
    const Pixels line = pixelsOf(joined.image(), Red);
    EXPECT_EQ(line.size(), 11u); // a steep line from (20, 100) to (21, 90) sets one pixel per row
    EXPECT_TRUE(line.count({20, 100}) && line.count({21, 90}));

    cells(21, 105) = 1.5; // a bump, then down again: a valley between the two modes
    DrawingSurface apart = whiteSurface(200, 200);
    drawModeCurves(cells, SectionMatrix(1), apart, section, allShown());
    EXPECT_EQ(pixelsOf(apart.image(), Red), (Pixels{{20, 100}, {21, 90}}));

    // The average curve knows no valley test.
    cells(20, 60) = -1.5;
    cells(21, 80) = -1.5;
    DrawingSurface averages = whiteSurface(200, 200);
    drawAverageCurves(cells, SectionMatrix(1), averages, section, allShown());
    EXPECT_EQ(pixelsOf(averages.image(), Blue).size(), 21u);
}

TEST(OverlayCurvesTest, ModeCurveOnTheSectionFigureKeepsTheRowScale)
{
    // Nine steps: 90 pixels high, so row h falls on pixel y = 10 h; 200 wide, so j on pixel x = j.
    DrawingSurface grid = whiteSurface(200, 200);
    DrawingSurface section = whiteSurface(200, 90);
    SectionMatrix rows(9);
    rows(1, 50, 3) = 3.3;
    rows(1, 51, 4) = 3.3;
    rows(1, 120, 7) = 3.3; // isolated
    const CurveOptions sectionOnly{true, false, true, false};
    ProbabilityGrid cells;
    cells(5, 5) = 3.5; // the grid figure holds no image: not drawn
    drawModeCurves(cells, rows, grid, section, sectionOnly);
    EXPECT_EQ(test::inkedPixels(grid.image()), 0);
    const Pixels red = pixelsOf(section.image(), Red);
    EXPECT_TRUE(red.count({50, 30}) && red.count({51, 40}) && red.count({120, 70}));
    EXPECT_EQ(red.size(), 12u); // 11 pixels of the steep line and the isolated mark
    EXPECT_EQ(section.scaleWidth(), 9.0);
    EXPECT_EQ(section.scaleHeight(), 9.0);
}

TEST(OverlayCurvesTest, GreyScaleDrawsBlackAndHiddenCurvesOnlyResetTheWidth)
{
    ProbabilityGrid cells;
    cells(100, 100) = -0.5;
    DrawingSurface grid = whiteSurface(200, 200);
    DrawingSurface section = whiteSurface(20, 20);
    drawAverageCurves(cells, SectionMatrix(1), grid, section, allShown(true));
    EXPECT_EQ(pixelsOf(grid.image(), Black), (Pixels{{100, 100}}));

    DrawingSurface hiddenGrid = whiteSurface(200, 200);
    DrawingSurface hiddenSection = whiteSurface(20, 20);
    hiddenGrid.setDrawWidth(3);
    hiddenSection.setDrawWidth(2);
    drawAverageCurves(cells, SectionMatrix(1), hiddenGrid, hiddenSection,
                      CurveOptions{false, true, true, false});
    EXPECT_EQ(test::inkedPixels(hiddenGrid.image()), 0);
    EXPECT_EQ(hiddenGrid.drawWidth(), 1);
    EXPECT_EQ(hiddenSection.drawWidth(), 1);
    EXPECT_FALSE(hiddenSection.hasUserScale());
}

TEST(OverlayCurvesTest, ASectionOfOneRowShowsItsMarksWithoutFailing)
{
    DrawingSurface grid = whiteSurface(200, 200);
    DrawingSurface section = whiteSurface(200, 20);
    SectionMatrix row(0);
    row(1, 100, 0) = 3.4;
    row(1, 150, 0) = -0.4;
    EXPECT_NO_THROW(drawModeCurves(ProbabilityGrid{}, row, grid, section, allShown()));
    EXPECT_NO_THROW(drawAverageCurves(ProbabilityGrid{}, row, grid, section, allShown()));
    EXPECT_EQ(pixelsOf(section.image(), Red), (Pixels{{100, 0}}));
    EXPECT_EQ(pixelsOf(section.image(), Blue), (Pixels{{150, 0}}));
}

} // namespace
} // namespace brimvale
