// The data figure: the mapping of value pairs, its failures, the polyline and the running mean.
#include <gtest/gtest.h>

#include <limits>

#include "render/DataCurve.h"
#include "render/SurfaceProbe.h"
#include "support/FailureKind.h"

namespace brimvale {
namespace {

using test::failureKind;
using test::Pixels;
using test::pixelsOf;
using test::whiteSurface;
using Kind = RuntimeFailure::Kind;

constexpr QRgb Grey = 0xff646464;

// A record with the given ranges and points.
DataSeries series(float hMin, float hMax, float vMin, float vMax,
                  std::initializer_list<std::pair<float, float>> points)
{
    DataSeries data;
    data.horizontalMin = hMin;
    data.horizontalMax = hMax;
    data.verticalMin = vMin;
    data.verticalMax = vMax;
    std::size_t k = 0;
    for (const auto& [x, y] : points) {
        data.x[k] = x;
        data.y[k] = y;
        ++k;
    }
    data.lastIndex = static_cast<float>(k) - 1.0f;
    return data;
}

// The record with the smoothed points set.
DataSeries smoothed(DataSeries data, std::initializer_list<std::pair<float, float>> points)
{
    std::size_t k = 0;
    for (const auto& [x, y] : points) {
        data.sx[k] = x;
        data.sy[k++] = y;
    }
    return data;
}

TEST(DataCurveTest, PointsMapTheRangesOntoTheScale)
{
    const DataSeries data = series(0, 10, 100, 200, {});
    EXPECT_EQ(dataCurvePoint(data, 1000, 2000, 5, 150), QPointF(500, 1000));
    EXPECT_EQ(dataCurvePoint(data, 1000, 2000, 0, 100), QPointF(0, 0));        // minima at the top left
    EXPECT_EQ(dataCurvePoint(data, 1000, 2000, 10, 200), QPointF(1000, 2000)); // maxima at the bottom right
    EXPECT_EQ(dataCurvePoint(data, 1000, 2000, -5, 250), QPointF(-500, 3000)); // outside stays outside
    // A larger minimum turns the axis over.
    const DataSeries flipped = series(10, 0, 200, 100, {});
    EXPECT_EQ(dataCurvePoint(flipped, 1000, 2000, 2, 110), QPointF(800, 1800));
}

TEST(DataCurveTest, EmptyOrAbsurdRangesAndNonFiniteValuesFail)
{
    struct Case {
        DataSeries data;
        double width;
        float x, y;
        Kind expected;
    };
    const Case cases[] = {
        {series(0, 10, 5, 5, {}), 100, 1, 5, Kind::DivisionByZero},
        {series(3, 3, 0, 5, {}), 100, 3, 1, Kind::DivisionByZero},
        {series(-3e38f, 3e38f, 0, 5, {}), 100, 1, 1, Kind::Overflow},
        {series(0, 10, 0, 5, {}), 100, std::numeric_limits<float>::quiet_NaN(), 1, Kind::Overflow},
        {series(0, 10, 0, 5, {}), 100, 1, std::numeric_limits<float>::infinity(), Kind::Overflow},
        // A coordinate beyond the range of a float.
        {series(0, 1e-30f, 0, 5, {}), 1e10, 3e30f, 1, Kind::Overflow},
    };
    for (const Case& c : cases)
        EXPECT_EQ(failureKind([&] { dataCurvePoint(c.data, c.width, 100, c.x, c.y); }), c.expected)
            << c.x << "," << c.y;
}

TEST(DataCurveTest, CurveOnWhiteAndUpsideDownWhenTheVerticalMinimumIsLarger)
{
    // 100 pixels a side: value 1 of the horizontal range 0..10 is pixel 10, value 10 of 0..100 is pixel 10.
    DrawingSurface figure = whiteSurface(100, 100);
    figure.setBackColor(qRgb(1, 2, 3));
    drawDataCurve(series(0, 10, 0, 100, {{1, 10}, {9, 90}}), figure, false);
    const Pixels blue = pixelsOf(figure.image(), test::Blue);
    EXPECT_EQ(blue.size(), 81u);
    EXPECT_TRUE(blue.count({10, 10}) && blue.count({50, 50}) && blue.count({90, 90}));
    EXPECT_EQ(figure.image().pixel(90, 10), test::White); // the whole figure was filled white
    EXPECT_EQ(figure.image().pixel(99, 99), test::White);

    DrawingSurface flipped = whiteSurface(100, 100);
    drawDataCurve(series(0, 10, 100, 0, {{1, 10}, {9, 90}}), flipped, true);
    const Pixels grey = pixelsOf(flipped.image(), Grey);
    EXPECT_TRUE(grey.count({10, 90}) && grey.count({90, 10}));
    EXPECT_FALSE(grey.count({10, 10}));
}

TEST(DataCurveTest, EqualRangeFailsOnceALineIsDrawnButASinglePointCannotFail)
{
    DrawingSurface figure = whiteSurface(50, 50);
    EXPECT_EQ(failureKind([&] {
                  drawDataCurve(series(0, 10, 7, 7, {{1, 7}, {2, 7}}), figure, false);
              }),
              Kind::DivisionByZero);
    EXPECT_NO_THROW(drawDataCurve(series(0, 10, 7, 7, {{1, 7}}), figure, false));
    EXPECT_EQ(test::inkedPixels(figure.image()), 0);

    DataSeries beyond = series(0, 10, 0, 10, {{1, 1}, {2, 2}});
    beyond.lastIndex = DataSeries::Capacity; // one past the last element
    EXPECT_EQ(failureKind([&] { drawDataCurve(beyond, figure, false); }), Kind::SubscriptOutOfRange);
}

TEST(DataCurveTest, RunningMeanIsDrawnTwoPixelsWideAndLeavesTheWidthAtOne)
{
    DrawingSurface figure = whiteSurface(100, 100);
    // The third point lies beyond the point count: not drawn.
    const DataSeries data = smoothed(series(0, 10, 0, 100, {}), {{1, 50}, {9, 50}, {9, 90}});
    drawRunningMean(data, 1, figure, false); // too few points: nothing
    EXPECT_EQ(test::inkedPixels(figure.image()), 0);
    drawRunningMean(data, 2, figure, false);
    EXPECT_EQ(figure.drawWidth(), 1);
    const Pixels red = pixelsOf(figure.image(), test::Red);
    // The two-pixel pen covers the anchor pixel and the one below it (and to its right).
    EXPECT_TRUE(red.count({50, 50}) && red.count({50, 51}));
    EXPECT_FALSE(red.count({50, 49}) || red.count({50, 52}) || red.count({90, 70}));

    DrawingSurface grey = whiteSurface(100, 100);
    drawRunningMean(data, 2, grey, true);
    EXPECT_TRUE(pixelsOf(grey.image(), test::Black).count({50, 51}));

    // A failure still resets the width.
    EXPECT_THROW(drawRunningMean(series(0, 10, 4, 4, {}), 3, figure, false), RuntimeFailure);
    EXPECT_EQ(figure.drawWidth(), 1);
}

TEST(DataCurveTest, RedrawingTheFigureUsesTheStoredPointsOnly)
{
    const DataSeries data = smoothed(series(0, 10, 0, 100, {{1, 20}, {9, 20}}), {{1, 60}, {9, 60}});
    DrawingSurface figure = whiteSurface(100, 100);
    figure.filledBox(0, 0, 1500, 1500, qRgb(9, 9, 9)); // the old marker and anything else
    redrawDataFigure(data, true, 2, figure, false);
    EXPECT_EQ(figure.image().pixel(50, 20), test::Blue);
    EXPECT_EQ(figure.image().pixel(50, 60), test::Red);
    EXPECT_EQ(figure.image().pixel(50, 40), test::White);
    DrawingSurface plain = whiteSurface(100, 100);
    redrawDataFigure(data, false, 2, plain, false);
    EXPECT_EQ(plain.image().pixel(50, 60), test::White);
}

} // namespace
} // namespace brimvale
