// The data figure: the mapping of value pairs and its failures, the record's polyline and the running mean.
#include <gtest/gtest.h>

#include <limits>

#include "render/DataCurve.h"
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
    for (std::size_t k = 0; k < std::max(points.size(), smoothed.size()); ++k) {
        const QPointF p = k < points.size() ? points[k] : QPointF(),
                      s = k < smoothed.size() ? smoothed[k] : QPointF();
        std::tie(data.x[k], data.y[k], data.sx[k], data.sy[k]) = std::tuple(p.x(), p.y(), s.x(), s.y());
    }
    return data;
}

TEST(DataCurveTest, PointsMapTheRangesOntoTheScaleOrFail)
{
    // The minima at the top left, the maxima at the bottom right; a larger minimum turns its axis over.
    EXPECT_EQ(dataCurvePoint(series(100, 200, {}), 1000, 2000, 5, 150), QPointF(500, 1000));
    EXPECT_EQ(dataCurvePoint(series(100, 200, {}), 1000, 2000, -5, 250), QPointF(-500, 3000));
    EXPECT_EQ(dataCurvePoint(series(200, 100, {}), 1000, 2000, 2, 110), QPointF(200, 1800));
    // An empty range, a coordinate beyond a 32-bit float or one that is not finite fails.
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(failureKind([] { dataCurvePoint(series(5, 5, {}), 100, 100, 1, 5); }), Kind::DivisionByZero);
    EXPECT_EQ(failureKind([&] { dataCurvePoint(series(0, 5, {}), 100, 100, nan, 1); }), Kind::Overflow);
    EXPECT_EQ(failureKind([] { dataCurvePoint(series(0, 5, {}), 100, 1e30, 1, 4e30f); }), Kind::Overflow);
}

TEST(DataCurveTest, CurveJoinsEveryPointOnWhite)
{
    // 100 pixels a side: value 1 of the range 0..10 is pixel 10, value 10 of 0..100 is pixel 10. Two
    // diagonals of 41 pixels meet at (50, 50); the rest of the figure is filled white.
    DrawingSurface figure = whiteSurface(100, 100);
    figure.setBackColor(qRgb(1, 2, 3));
    drawDataCurve(series(0, 100, {{1, 10}, {5, 50}, {9, 10}}), figure, false);
    const Pixels blue = pixelsOf(figure.image(), Blue);
    EXPECT_TRUE(blue.size() == 81u && blue.count({30, 30}) && blue.count({70, 30}) && blue.count({90, 10}));
    EXPECT_EQ(pixelsOf(figure.image(), White).size(), 100u * 100 - 81);
    drawDataCurve(series(100, 0, {{1, 10}, {9, 90}}), figure, true); // upside down, in grey
    EXPECT_TRUE(pixelsOf(figure.image(), qRgb(100, 100, 100)).count({90, 10}));
    // An empty range fails once a line is drawn; a single point draws no line and cannot fail.
    EXPECT_EQ(failureKind([&] {
                  drawDataCurve(series(7, 7, {{1, 7}, {2, 7}}), figure, false);
              }),
              Kind::DivisionByZero);
    EXPECT_NO_THROW(drawDataCurve(series(7, 7, {{1, 7}}), figure, false));
    DataSeries beyond = series(0, 10, {{1, 1}, {2, 2}});
    beyond.lastIndex = DataSeries::Capacity;
    EXPECT_EQ(failureKind([&] { drawDataCurve(beyond, figure, false); }), Kind::SubscriptOutOfRange);
}

TEST(DataCurveTest, RunningMeanIsTwoPixelsWideAndShownWhenAsked)
{
    // The point count lets one (nothing to join), two or three smoothed points be drawn; the pen of two
    // pixels covers the anchor pixel and those right of and below it; the width is 1 again afterwards.
    const DataSeries data = series(0, 100, {{1, 20}, {9, 20}}, {{1, 50}, {5, 50}, {9, 90}});
    DrawingSurface figure = whiteSurface(100, 100);
    drawRunningMean(data, 1, figure, false);
    EXPECT_EQ(inkedPixels(figure.image()), 0);
    drawRunningMean(data, 2, figure, false);
    EXPECT_EQ(pixelsOf(figure.image(), Red), block(10, 50, 51, 51));
    EXPECT_EQ(figure.drawWidth(), 1);
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

} // namespace
} // namespace brimvale
