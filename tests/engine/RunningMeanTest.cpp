#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "engine/RunningMean.h"
#include "model/RuntimeFailure.h"

using namespace brimvale;
using Kind = RuntimeFailure::Kind;

namespace {

constexpr float untouched = -777.0f;

// A record of the given points (x, y) whose smoothed arrays hold a marker value.
DataSeries record(const std::vector<float>& x, const std::vector<float>& y)
{
    DataSeries series;
    std::copy(x.begin(), x.end(), series.x.begin());
    std::copy(y.begin(), y.end(), series.y.begin());
    series.lastIndex = static_cast<float>(x.size()) - 1.0f;
    std::fill(series.sx.begin(), series.sx.end(), untouched);
    std::fill(series.sy.begin(), series.sy.end(), untouched);
    return series;
}

std::vector<float> head(const std::vector<float>& values, int n)
{
    return {values.begin(), values.begin() + n};
}

} // namespace

TEST(RunningMeanTest, AveragesConsecutivePointsOfBothAxes)
{
    struct Case {
        int window;
        std::vector<float> sx;
        std::vector<float> sy;
    };
    // Five points, so a window of w gives 6 - w smoothed points and leaves the next entry alone.
    const Case cases[] = {
        {1, {10, 20, 30, 40, 50}, {0, 1, 2, 3, 4}},
        {2, {15, 25, 35, 45}, {0.5f, 1.5f, 2.5f, 3.5f}},
        {3, {20, 30, 40}, {1, 2, 3}},
        {5, {30}, {2}},
    };
    for (const auto& c : cases) {
        DataSeries series = record({10, 20, 30, 40, 50}, {0, 1, 2, 3, 4});
        computeRunningMean(series, c.window);
        const int n = static_cast<int>(c.sx.size());
        EXPECT_EQ(head(series.sx, n), c.sx) << c.window;
        EXPECT_EQ(head(series.sy, n), c.sy) << c.window;
        EXPECT_EQ(series.sx[n], untouched) << c.window;
        EXPECT_EQ(series.sy[n], untouched) << c.window;
    }
}

TEST(RunningMeanTest, WindowLargerThanTheRecordComputesNothing)
{
    for (const int window : {4, 10}) {
        DataSeries series = record({1, 2, 3}, {4, 5, 6});
        computeRunningMean(series, window);
        EXPECT_EQ(series.sx[0], untouched) << window;
        EXPECT_EQ(series.sy[0], untouched) << window;
    }
    DataSeries empty = record({}, {});
    computeRunningMean(empty, 2);
    EXPECT_EQ(empty.sx[0], untouched);
}

TEST(RunningMeanTest, SumsAreSingles)
{
    // 2^24 + 1 is not a float: each added 1 is lost, so the mean is 2^24 / 3 as a float, 5592405.5;
    // a double sum would give 5592406.
    DataSeries series = record({16777216, 1, 1}, {0, 0, 0});
    computeRunningMean(series, 3);
    EXPECT_EQ(series.sx[0], 5592405.5f);

    DataSeries huge = record({3e38f, 3e38f}, {0, 0});
    try {
        computeRunningMean(huge, 2);
        ADD_FAILURE() << "a sum beyond the float range must fail";
    } catch (const RuntimeFailure& failure) {
        EXPECT_EQ(failure.kind(), Kind::Overflow);
    }
}

TEST(RunningMeanTest, RefusesWindowsAndRecordsOutsideTheArrays)
{
    DataSeries series = record({1, 2, 3}, {4, 5, 6});
    EXPECT_THROW(computeRunningMean(series, 0), RuntimeFailure);

    series.lastIndex = DataSeries::Capacity;
    try {
        computeRunningMean(series, 2);
        ADD_FAILURE() << "a record past the arrays must fail";
    } catch (const RuntimeFailure& failure) {
        EXPECT_EQ(failure.kind(), Kind::SubscriptOutOfRange);
    }
    EXPECT_EQ(series.sx[0], untouched);
}
