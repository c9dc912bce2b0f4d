// Mode and average curves on the probability figure and the section figure.
#include <gtest/gtest.h>

#include "render/OverlayCurves.h"
#include "render/SurfaceProbe.h"

namespace brimvale {
namespace {

using namespace test;

TEST(OverlayCurvesTest, ModeInRedAndAverageInBlueOnTheProbabilityFigure)
{
    // The grid's marks are scaled by the width on both axes (the figure is square), j = 200 on the top edge.
    EXPECT_EQ(gridCurvePoint(whiteSurface(200, 100), {20, 150}), QPointF(300, 750));
    // 200 pixels a side: column i falls on pixel x = i, mark j on pixel y = 200 - j. Two modes one step apart
    // are joined, a mode alone is a point; the average joins any neighbours, here moving to x = 101 halfway
    // down the 21 rows to j = 81.
    ProbabilityGrid cells;
    cells(10, 150) = cells(11, 151) = 3.2;
    cells(50, 100) = 3.6;
    cells(70, 200) = 3.1;
    cells(100, 60) = cells(101, 81) = -1.5;
    const Pixels mode{{10, 50}, {11, 49}, {50, 100}, {70, 0}};
    const Pixels average = unite({block(100, 130, 100, 140), block(101, 119, 101, 129)});
    for (const bool grey : {false, true}) {
        DrawingSurface grid = whiteSurface(200, 200);
        DrawingSurface section = whiteSurface(50, 50);
        drawModeCurves(cells, SectionMatrix(4), grid, section, CurveOptions{true, true, true, grey});
        drawAverageCurves(cells, SectionMatrix(4), grid, section, CurveOptions{true, true, true, grey});
        EXPECT_EQ(pixelsOf(grid.image(), grey ? Black : Red), grey ? unite({mode, average}) : mode);
        EXPECT_EQ(pixelsOf(grid.image(), Blue), grey ? Pixels{} : average);
        EXPECT_EQ(inkedPixels(section.image()), 0); // the section holds no marks
    }
}

TEST(OverlayCurvesTest, SectionCurvesKeepTheRowScaleAndOnlyFiguresWithImagesAreDrawn)
{
    // Nine steps on 200 x 90 pixels: the scale is 9 units square, row h falls on pixel y = 10 h, mark j on
    // pixel x = j. Rows 3 and 4 are joined by a steep line (its step halfway down), row 7 stands alone.
    SectionMatrix rows(9);
    rows(1, 50, 3) = rows(1, 51, 4) = rows(1, 120, 7) = 3.3;
    ProbabilityGrid cells;
    cells(5, 5) = 3.5;
    DrawingSurface grid = whiteSurface(200, 200);
    DrawingSurface section = whiteSurface(200, 90);
    grid.setDrawWidth(3);
    section.setDrawWidth(2);
    drawModeCurves(cells, rows, grid, section, CurveOptions{true, false, true, false});
    EXPECT_EQ(inkedPixels(grid.image()), 0); // the probability figure holds no image
    EXPECT_EQ(grid.drawWidth(), 1);
    EXPECT_EQ(pixelsOf(section.image(), Red),
              unite({block(50, 30, 50, 34), block(51, 35, 51, 40), {{120, 70}}}));
    EXPECT_EQ(QRectF(section.scaleLeft(), section.scaleTop(), section.scaleWidth(), section.scaleHeight()),
              QRectF(0, 0, 9, 9));
    EXPECT_EQ(sectionCurvePoint(section, {3, 50}), QPointF(2.25, 3));
    DrawingSurface hidden = whiteSurface(200, 90);
    hidden.setDrawWidth(2);
    drawAverageCurves(cells, rows, grid, hidden, CurveOptions{false, true, true, false});
    EXPECT_TRUE(hidden.drawWidth() == 1 && !hidden.hasUserScale());

    // A section of one row gets a scale of one unit and shows its marks on its top edge.
    SectionMatrix one(0);
    one(1, 100, 0) = 3.4;
    one(1, 150, 0) = -0.4;
    DrawingSurface single = whiteSurface(200, 20);
    drawModeCurves(ProbabilityGrid{}, one, grid, single, CurveOptions{true, true, true, false});
    drawAverageCurves(ProbabilityGrid{}, one, grid, single, CurveOptions{true, true, true, false});
    EXPECT_EQ(single.scaleWidth(), 1.0);
    EXPECT_EQ(pixelsOf(single.image(), Red), (Pixels{{100, 0}}));
    EXPECT_EQ(pixelsOf(single.image(), Blue), (Pixels{{150, 0}}));
}

} // namespace
} // namespace brimvale
