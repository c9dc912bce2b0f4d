// The record and its running mean on the data figure, and the mode and average curves on the others.
#include <gtest/gtest.h>

#include <cmath>

#include "render/DataCurve.h"
#include "render/OverlayCurves.h"
#include "render/SurfaceProbe.h"
#include "support/FailureKind.h"

namespace brimvale {
namespace {

using namespace test;
using Kind = RuntimeFailure::Kind;

// A record over the ranges 0..10 and vMin..vMax with the given points (x, y) and smoothed points.
DataSeries series(float vMin, float vMax, std::vector<QPointF> points, std::vector<QPointF> smoothed = {})
{
    DataSeries data;
    data.horizontalMax = 10;
    data.verticalMin = vMin;
    data.verticalMax = vMax;
    data.lastIndex = float(points.size()) - 1;
    for (std::size_t k = 0; k < points.size(); ++k)
        std::tie(data.x[k], data.y[k]) = std::pair(points[k].x(), points[k].y());
    for (std::size_t k = 0; k < smoothed.size(); ++k)
        std::tie(data.sx[k], data.sy[k]) = std::pair(smoothed[k].x(), smoothed[k].y());
    return data;
}

TEST(DataCurveTest, CurveJoinsEveryPointOnWhite)
{
    // 100 pixels a side: value 1 of the range 0..10 is pixel 10, value 10 of 0..100 is pixel 10. Two
    // diagonals of 41 pixels meet at (50, 50); the rest of the figure is filled white.
    DrawingSurface figure = whiteSurface(100, 100, 1.0, qRgb(1, 2, 3));
    drawDataCurve(series(0, 100, {{1, 10}, {5, 50}, {9, 10}}), figure, false);
    const Pixels blue = pixelsOf(figure.image(), Blue);
    EXPECT_TRUE(blue.size() == 81u && blue.count({30, 30}) && blue.count({70, 30}) && blue.count({90, 10}));
    EXPECT_EQ(pixelsOf(figure.image(), White).size(), 100u * 100 - 81);
    drawDataCurve(series(100, 0, {{1, 10}, {9, 90}}), figure, true); // upside down, in grey
    EXPECT_TRUE(pixelsOf(figure.image(), qRgb(100, 100, 100)).count({90, 10}));
    // An empty range fails once a line is drawn, a coordinate that is no finite 32-bit float fails; a
    // single point draws no line and cannot fail.
    const DataSeries flat = series(7, 7, {{1, 7}, {2, 7}});
    EXPECT_EQ(failureKind([&] { drawDataCurve(flat, figure, false); }), Kind::DivisionByZero);
    EXPECT_EQ(failureKind([] { dataCurvePoint(series(0, 5, {}), 100, 100, NAN, 1); }), Kind::Overflow);
    EXPECT_NO_THROW(drawDataCurve(series(7, 7, {{1, 7}}), figure, false));
}

TEST(DataCurveTest, RunningMeanIsTwoPixelsWideAndShownWhenAsked)
{
    // The point count lets two or three smoothed points be drawn; the pen of two pixels covers the anchor
    // pixel and those right of and below it; the width is 1 again afterwards.
    const DataSeries data = series(0, 100, {{1, 20}, {9, 20}}, {{1, 50}, {5, 50}, {9, 90}});
    DrawingSurface figure = whiteSurface(100, 100);
    drawRunningMean(data, 2, figure, false);
    EXPECT_TRUE(pixelsOf(figure.image(), Red) == block(10, 50, 51, 51) && figure.drawWidth() == 1);
    drawRunningMean(data, 3, figure, true);
    EXPECT_TRUE(pixelsOf(figure.image(), Black).count({70, 70}));
    EXPECT_THROW(drawRunningMean(series(4, 4, {}, {{1, 4}, {2, 4}}), 2, figure, false), RuntimeFailure);
    EXPECT_EQ(figure.drawWidth(), 1);
    for (const bool shown : {true, false}) { // redrawn from the stored points over whatever the figure held
        figure.filledBox(0, 0, 1500, 1500, qRgb(9, 9, 9));
        redrawDataFigure(data, shown, 2, figure, false);
        EXPECT_EQ(pixelsOf(figure.image(), Blue), block(10, 20, 90, 20));
        EXPECT_EQ(pixelsOf(figure.image(), Red), shown ? block(10, 50, 51, 51) : Pixels{});
    }
}

TEST(OverlayCurvesTest, ModeInRedAndAverageInBlueOnTheFiguresThatHoldAnImage)
{
    // The probability figure, 200 pixels a side: column i on pixel x = i, mark j on pixel y = 200 - j. Two
    // modes one step apart are joined, a mode alone is a point; the average joins any neighbours, here moving
    // to x = 101 halfway down the 21 rows to j = 81. The section, nine steps on 200 x 90 pixels, gets a scale
    // 9 units square: row h on pixel y = 10 h, mark j on x = j; rows 3 and 4 are joined by a steep line (its
    // step halfway down), row 7 stands alone. In a figure that is not square a grid mark goes by the width.
    EXPECT_EQ(gridCurvePoint(whiteSurface(200, 100), {20, 150}), QPointF(300, 750));
    ProbabilityGrid cells;
    cells(10, 150) = cells(11, 151) = 3.2;
    cells(50, 100) = 3.6;
    cells(70, 200) = 3.1;
    cells(100, 60) = cells(101, 81) = -1.5;
    SectionMatrix rows(9);
    rows(1, 50, 3) = rows(1, 51, 4) = rows(1, 120, 7) = 3.3;
    const Pixels mode{{10, 50}, {11, 49}, {50, 100}, {70, 0}};
    const Pixels average = unite({block(100, 130, 100, 140), block(101, 119, 101, 129)});
    for (const bool grey : {false, true}) {
        DrawingSurface grid = whiteSurface(200, 200), section = whiteSurface(200, 90);
        section.setDrawWidth(2);
        drawModeCurves(cells, rows, grid, section, CurveOptions{true, true, true, grey});
        drawAverageCurves(cells, rows, grid, section, CurveOptions{true, true, true, grey});
        EXPECT_EQ(pixelsOf(grid.image(), grey ? Black : Red), grey ? unite({mode, average}) : mode);
        EXPECT_EQ(pixelsOf(grid.image(), Blue), grey ? Pixels{} : average);
        EXPECT_EQ(pixelsOf(section.image(), grey ? Black : Red),
                  unite({block(50, 30, 50, 34), block(51, 35, 51, 40), {{120, 70}}}));
    }
    // Figures that hold no image are left alone, with a pen one pixel wide.
    DrawingSurface grid = whiteSurface(200, 200), section = whiteSurface(200, 90);
    grid.setDrawWidth(3);
    drawModeCurves(cells, rows, grid, section, CurveOptions{true, false, false, false});
    EXPECT_TRUE(inkedPixels(grid.image()) + inkedPixels(section.image()) == 0 && grid.drawWidth() == 1);
    // A section of one row gets a scale of one unit and shows its marks on its top edge.
    SectionMatrix one(0);
    one(1, 100, 0) = 3.4;
    one(1, 150, 0) = -0.4;
    DrawingSurface single = whiteSurface(200, 20);
    drawModeCurves(ProbabilityGrid{}, one, grid, single, CurveOptions{true, false, true, false});
    drawAverageCurves(ProbabilityGrid{}, one, grid, single, CurveOptions{true, false, true, false});
    EXPECT_EQ(single.scaleWidth(), 1.0);
    EXPECT_EQ(pixelsOf(single.image(), Red), (Pixels{{100, 0}}));
    EXPECT_EQ(pixelsOf(single.image(), Blue), (Pixels{{150, 0}}));
}

} // namespace
} // namespace brimvale
