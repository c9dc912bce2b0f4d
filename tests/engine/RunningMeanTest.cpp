// The running mean of the data record over a window of consecutive points.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "engine/RunningMean.h"
#include "support/FailureKind.h"

namespace brimvale {
namespace {

using Kind = RuntimeFailure::Kind;
using Values = std::vector<float>;
constexpr float u = -777.0f; // an entry the running mean must leave untouched

// A record of the points (x[k], y[k]) whose smoothed arrays hold u.
DataSeries record(const Values& x, const Values& y)
{
    DataSeries series;
    std::copy(x.begin(), x.end(), series.x.begin());
    std::copy(y.begin(), y.end(), series.y.begin());
    series.lastIndex = static_cast<float>(x.size()) - 1.0f;
    std::fill(series.sx.begin(), series.sx.end(), u);
    std::fill(series.sy.begin(), series.sy.end(), u);
    return series;
}

TEST(RunningMeanTest, AveragesWindowsOfBothAxesAsSingles)
{
    struct Case {
        Values x, y;
        int window;
        Values sx, sy; // the smoothed points and the first entry after them
    };
    const Values x{10, 20, 30, 40, 50}, y{0, 1, 2, 3, 4}, small{0, 1, 2};
    // 2^24 + 1 is not a float: with the sums held as floats each added 1 is lost, so the mean is 2^24 / 3
    // as a float, 5592405.5; sums held in double would give 5592406.
    const Values big{16777216, 1, 1};
    const Case cases[] = {
        {x, y, 1, {10, 20, 30, 40, 50, u}, {0, 1, 2, 3, 4, u}},
        {x, y, 2, {15, 25, 35, 45, u}, {0.5f, 1.5f, 2.5f, 3.5f, u}},
        {x, y, 3, {20, 30, 40, u}, {1, 2, 3, u}},
        {x, y, 5, {30, u}, {2, u}},
        {x, y, 6, {u}, {u}},   // a window larger than the record computes nothing
        {{}, {}, 1, {u}, {u}}, // a header-only record
        {big, small, 3, {5592405.5f, u}, {1, u}},
        {small, big, 3, {1, u}, {5592405.5f, u}},
    };
    for (const Case& c : cases) {
        DataSeries series = record(c.x, c.y);
        computeRunningMean(series, c.window);
        const auto n = static_cast<std::ptrdiff_t>(c.sx.size());
        EXPECT_EQ(Values(series.sx.begin(), series.sx.begin() + n), c.sx) << c.window;
        EXPECT_EQ(Values(series.sy.begin(), series.sy.begin() + n), c.sy) << c.window;
    }
}

TEST(RunningMeanTest, FailsOnWindowsRecordsAndSumsOutsideTheirRanges)
{
    DataSeries huge = record({3e38f, 3e38f}, {0, 0});
    EXPECT_EQ(test::failureKind([&] { computeRunningMean(huge, 2); }), Kind::Overflow);
    DataSeries series = record({1, 2, 3}, {4, 5, 6});
    EXPECT_EQ(test::failureKind([&] { computeRunningMean(series, 0); }), Kind::SubscriptOutOfRange);
    series.lastIndex = DataSeries::Capacity;
    EXPECT_EQ(test::failureKind([&] { computeRunningMean(series, 2); }), Kind::SubscriptOutOfRange);
    EXPECT_EQ(series.sx[0], u);
}

} // namespace
} // namespace brimvale
