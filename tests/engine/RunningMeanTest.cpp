// The running mean of the data record over a window of consecutive points.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "engine/RunningMean.h"
#include "support/FailureKind.h"

using namespace brimvale;
using brimvale::test::failureKind;
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

} // namespace

TEST(RunningMeanTest, AveragesConsecutivePointsOfBothAxes)
{
    struct Case {
        int window;
        std::vector<float> sx;
        std::vector<float> sy;
    };
    // Five points, so a window of w gives 6 - w smoothed points and leaves the next entry as it was
    // (u); a window larger than the record computes nothing.
    constexpr float u = untouched;
    const Case cases[] = {
        {1, {10, 20, 30, 40, 50, u}, {0, 1, 2, 3, 4, u}},
        {2, {15, 25, 35, 45, u}, {0.5f, 1.5f, 2.5f, 3.5f, u}},
        {3, {20, 30, 40, u}, {1, 2, 3, u}},
        {5, {30, u}, {2, u}},
        {6, {u}, {u}},
        {10, {u}, {u}},
    };
    for (const auto& c : cases) {
        DataSeries series = record({10, 20, 30, 40, 50}, {0, 1, 2, 3, 4});
        computeRunningMean(series, c.window);
        const auto n = static_cast<std::ptrdiff_t>(c.sx.size());
        EXPECT_EQ(std::vector<float>(series.sx.begin(), series.sx.begin() + n), c.sx) << c.window;
        EXPECT_EQ(std::vector<float>(series.sy.begin(), series.sy.begin() + n), c.sy) << c.window;
    }
}

TEST(RunningMeanTest, SumsAreSingles)
{
    // 2^24 + 1 is not a float: each added 1 is lost, so the mean is 2^24 / 3 as a float, 5592405.5;
    // a double sum would give 5592406.
    DataSeries series = record({16777216, 1, 1}, {0, 0, 0});
    computeRunningMean(series, 3);
    EXPECT_EQ(series.sx[0], 5592405.5f);

    DataSeries huge = record({3e38f, 3e38f}, {0, 0});
    EXPECT_EQ(failureKind([&] { computeRunningMean(huge, 2); }), Kind::Overflow);
}

TEST(RunningMeanTest, RefusesWindowsAndRecordsOutsideTheArrays)
{
    DataSeries series = record({1, 2, 3}, {4, 5, 6});
    EXPECT_EQ(failureKind([&] { computeRunningMean(series, 0); }), Kind::SubscriptOutOfRange);
    series.lastIndex = DataSeries::Capacity;
    EXPECT_EQ(failureKind([&] { computeRunningMean(series, 2); }), Kind::SubscriptOutOfRange);
    EXPECT_EQ(series.sx[0], untouched);

    DataSeries headerOnly = record({}, {});
    computeRunningMean(headerOnly, 1);
    EXPECT_EQ(headerOnly.sx[0], untouched);
}
