// The smoothed curve and the section: the curve rasterised into layer 0, calibrated row by row into layer 1.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <utility>
#include <variant>
#include <vector>

#include "engine/RunningMean.h"
#include "engine/SectionReconstruction.h"
#include "support/FailureKind.h"

namespace brimvale {
namespace {

using Kind = RuntimeFailure::Kind;
using test::failureKind;
using Values = std::vector<float>;
using Cell = std::pair<int, int>; // (row, column)
using Outcome = std::variant<std::vector<Cell>, Kind>;
using Ranges = std::tuple<float, float, float, float>; // vertical min and max, horizontal min and max
constexpr std::int16_t tenRows = 10;
constexpr float u = -777.0f; // an entry the smoothing must leave untouched

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
    const Values x{10, 20, 30, 40, 50}, y{0, 1, 2, 3, 4}, small{0, 1, 2};
    // 2^24 + 1 is not a float: with the sums held as floats each added 1 is lost, so the mean is 2^24 / 3
    // as a float, 5592405.5; sums held in double would give 5592406.
    const Values big{16777216, 1, 1};
    // The record, the window, the smoothed points and the first entry after them.
    const std::tuple<Values, Values, int, Values, Values> cases[] = {
        {x, y, 1, {10, 20, 30, 40, 50, u}, {0, 1, 2, 3, 4, u}},
        {x, y, 2, {15, 25, 35, 45, u}, {0.5f, 1.5f, 2.5f, 3.5f, u}},
        {x, y, 3, {20, 30, 40, u}, {1, 2, 3, u}},
        {x, y, 5, {30, u}, {2, u}},
        {x, y, 6, {u}, {u}},   // a window larger than the record computes nothing
        {{}, {}, 1, {u}, {u}}, // a header-only record
        {big, small, 3, {5592405.5f, u}, {1, u}},
        {small, big, 3, {1, u}, {5592405.5f, u}},
    };
    for (const auto& [x, y, window, sx, sy] : cases) {
        DataSeries series = record(x, y);
        computeRunningMean(series, window);
        const auto n = static_cast<std::ptrdiff_t>(sx.size());
        EXPECT_EQ(Values(series.sx.begin(), series.sx.begin() + n), sx) << window;
        EXPECT_EQ(Values(series.sy.begin(), series.sy.begin() + n), sy) << window;
    }
}

TEST(RunningMeanTest, FailsOnWindowsRecordsAndSumsOutsideTheirRanges)
{
    DataSeries huge = record({3e38f, 3e38f}, {0, 0});
    EXPECT_EQ(failureKind([&] { computeRunningMean(huge, 2); }), Kind::Overflow);
    DataSeries series = record({1, 2, 3}, {4, 5, 6});
    EXPECT_EQ(failureKind([&] { computeRunningMean(series, 0); }), Kind::SubscriptOutOfRange);
    series.lastIndex = DataSeries::Capacity;
    EXPECT_EQ(failureKind([&] { computeRunningMean(series, 2); }), Kind::SubscriptOutOfRange);
    EXPECT_EQ(series.sx[0], u);
}

TEST(SectionReconstructionTest, CopiesTheUnsmoothedRecord)
{
    DataSeries series = record({0, 10, 20, 30}, {0, 0.5f, 1, 1.5f});
    copyUnsmoothedCurve(series);
    EXPECT_EQ(Values(series.sx.begin(), series.sx.begin() + 5), (Values{0, 10, 20, 30, u}));
    EXPECT_EQ(Values(series.sy.begin(), series.sy.begin() + 5), (Values{0, 0.5f, 1, 1.5f, u}));
    series.lastIndex = DataSeries::Capacity;
    EXPECT_EQ(failureKind([&] { copyUnsmoothedCurve(series); }), Kind::SubscriptOutOfRange);
    series.lastIndex = 40000;
    EXPECT_EQ(failureKind([&] { copyUnsmoothedCurve(series); }), Kind::Overflow);
}

// A smoothed curve through the (x, y) points. With the default ranges and 10 vertical steps every row
// and column is one unit wide, so a point (x, y) falls in column x and row y.
DataSeries curve(const std::vector<std::pair<float, float>>& points, Ranges ranges = {0, 10, 0, 200})
{
    DataSeries series;
    for (std::size_t k = 0; k < points.size(); ++k)
        std::tie(series.sx[k], series.sy[k]) = points[k];
    series.lastIndex = static_cast<float>(points.size()) - 1.0f;
    std::tie(series.verticalMin, series.verticalMax, series.horizontalMin, series.horizontalMax) = ranges;
    return series;
}

// The cells of layer 0 that are not zero (the curve marks them with 1), by row then column, or the kind
// of the failure.
Outcome rasterised(const DataSeries& series, std::int16_t steps, int window = 1, int level = 1)
{
    try {
        const SectionMatrix section = rasteriseCurve(series, steps, window, level);
        std::vector<Cell> cells;
        for (int h = 0; h < section.rows(); ++h)
            for (int i = 0; i < SectionMatrix::Columns; ++i)
                if (section(0, i, h) != 0.0)
                    cells.emplace_back(h, i);
        return cells;
    } catch (const RuntimeFailure& failure) {
        return failure.kind();
    }
}

// Rows first to last, the column moving by step from column on each row.
std::vector<Cell> diagonal(int first, int last, int column, int step)
{
    std::vector<Cell> cells;
    for (int h = first; h <= last; ++h)
        cells.emplace_back(h, column + step * (h - first));
    return cells;
}

TEST(SectionReconstructionTest, VerticalStepsFollowTheSliderRatio)
{
    const int cases[][3] = {{100, 100, 511}, {100, 50, 255}, {100, 1000, 5110},
                            {100, 1, 5},     {3, 1, 170},    {10, 641, 32755}};
    for (const auto& c : cases)
        EXPECT_EQ(verticalStepsFor(c[0], c[1]), c[2]) << c[0] << " " << c[1];
    EXPECT_EQ(failureKind([] { verticalStepsFor(0, 100); }), Kind::DivisionByZero);
    EXPECT_EQ(failureKind([] { verticalStepsFor(10, 642); }), Kind::Overflow); // 32806 rows
}

TEST(SectionReconstructionTest, RasterisesSegmentsGoingDownAndTheLastPoint)
{
    struct Case {
        const char* name;
        std::vector<std::pair<float, float>> points;
        Outcome expected;
        Ranges ranges = {0, 10, 0, 200};
        std::int16_t steps = tenRows;
        int window = 1, level = 1;
    };
    const Ranges row51 = {0, 51.1f, 0, 200}, tenUnits = {0, 10, 0, 200};
    // clang-format off
    const Case cases[] = {
        {"down a tenth of the way per row; the end row is the last point's", {{50, 0}, {150, 10}},
         diagonal(0, 10, 50, 10)},
        {"going up marks only the last point", {{50, 10}, {100, 5}, {150, 0}}, std::vector<Cell>{{0, 150}}},
        {"flat marks nothing; 40 + 20/3 and 40 + 40/3 round to 47 and 53", {{20, 2}, {40, 2}, {60, 5}},
         std::vector<Cell>{{2, 40}, {3, 47}, {4, 53}, {5, 60}}},
        {"a fold crosses rows 2 and 3 twice", {{100, 0}, {100, 4}, {120, 2}, {140, 6}},
         std::vector<Cell>{{0, 100}, {1, 100}, {2, 100}, {2, 120}, {3, 100}, {3, 125}, {4, 130}, {5, 135},
                           {6, 140}}},
        {"only -30 + 280 / 2 lies inside; the last point, right of it, is skipped",
         {{-30, 0}, {-30, 4}, {250, 6}, {250, 10}}, std::vector<Cell>{{5, 110}}},
        {"rows -3 to 12 of which 0 to 10 exist; the last point lies below", {{100, -3}, {100, 13}, {100, 20}},
         diagonal(0, 10, 100, 0)},
        // Rows 0.5, 1.5, 2.5, 3.5 go to 0, 2, 2, 4; columns 10.5, 15.25, 35.25 and the last 40.5 to 10, 15,
        // 35 and 40.
        {"halves round to even", {{10.5f, 0.5f}, {20, 1.5f}, {30, 2.5f}, {40.5f, 3.5f}},
         std::vector<Cell>{{0, 10}, {1, 15}, {2, 30}, {3, 35}, {4, 40}}},
        // A row is 51.1f / 511 = 0.099999994 deep: depth 0.45 is 4.50000015 rows, exactly 4.5 once held as
        // a float, so row 4 (not 5); 0.65 likewise row 6.
        {"row quotients are held as floats", {{0, 0.45f}, {200, 0.65f}},
         std::vector<Cell>{{4, 0}, {5, 100}, {6, 200}}, row51, 511},
        {"rows of 25 from 100, columns of 2", {{0, 100}, {400, 200}}, diagonal(0, 4, 0, 50),
         {100, 200, 0, 400}, 4},
        {"a top below the bottom turns it upside down", {{50, 10}, {150, 0}}, diagonal(0, 10, 50, 10),
         {10, 0, 0, 200}},
        {"a window of 2 reaches neither the stale entry 3 nor its segment",
         {{50, 0}, {100, 5}, {150, 10}, {-500, -500}}, diagonal(0, 10, 50, 10), tenUnits, tenRows, 2, 2},
        {"a level above the window takes the last point one earlier", {{50, 0}, {150, 10}},
         diagonal(0, 9, 50, 10), tenUnits, tenRows, 1, 2},
        // Ten million rows of twenty columns: section row h is m = 5e6 + h, at column 2e8 * m / 1e7 - 1e8.
        {"a huge segment marks only its rows inside", {{-1e8f, -5e6f}, {1e8f, 5e6f}}, diagonal(0, 10, 0, 20)},
        // m = 1e9 + h is 1e9 as a float (floats lie 64 apart there): every row takes column 0.
        {"the step along a segment is a float", {{-1e9f, -1e9f}, {1e9f, 1e9f}}, diagonal(0, 10, 0, 0)},
        {"top equal to bottom", {{50, 0}, {150, 10}}, Kind::DivisionByZero, {5, 5, 0, 200}},
        {"left equal to right", {{50, 0}, {150, 10}}, Kind::DivisionByZero, {0, 10, 7, 7}},
        {"no vertical steps", {{50, 0}, {150, 10}}, Kind::DivisionByZero, tenUnits, 0},
        {"negative vertical steps", {{50, 0}, {150, 10}}, Kind::SubscriptOutOfRange, tenUnits, -1},
        {"level beyond the record", {{50, 0}, {150, 10}}, Kind::SubscriptOutOfRange, tenUnits, tenRows, 1, 4},
        {"last point left of the range", {{50, 0}, {-1, 10}}, Kind::SubscriptOutOfRange},
        {"last point above the section", {{50, 0}, {150, -1}}, Kind::SubscriptOutOfRange},
        {"row beyond 32 bits", {{50, 0}, {150, 3e9f}}, Kind::Overflow},
        {"segment beyond 32 bits", {{50, -2e9f}, {150, 2e9f}}, Kind::Overflow},
        // Inside the section the columns are 100 to 130, but 1e9 rows down they are near 3e9.
        {"column beyond 32 bits far outside", {{100, 0}, {3e9f, 1e9f}, {100, 5}}, Kind::Overflow},
    };
    // clang-format on
    for (const Case& c : cases)
        EXPECT_EQ(rasterised(curve(c.points, c.ranges), c.steps, c.window, c.level), c.expected) << c.name;

    DataSeries beyondArrays = curve({{50, 0}, {150, 10}});
    beyondArrays.lastIndex = DataSeries::Capacity;
    EXPECT_EQ(rasterised(beyondArrays, tenRows), Outcome(Kind::SubscriptOutOfRange));
}

TEST(SectionReconstructionTest, CalibratesEachRowFromItsMarksAsFloats)
{
    // The fold marks column 100 alone in rows 0 and 1, columns 100 and 120 in row 2, columns 100 and 125
    // in row 3, and nothing below row 6.
    SectionMatrix section = rasteriseCurve(curve({{100, 0}, {100, 4}, {120, 2}, {140, 6}}), tenRows, 1, 1);
    section(1, 3, 8) = 9.0; // a row without marks, calibrated before, must end all zero
    // Packed cells of every kind: class codes 0 to 4, a fraction that is not a float, and a negative
    // sign (an average mark) on about one cell in seven.
    ProbabilityGrid grid;
    for (int i = 0; i < ProbabilityGrid::Steps; ++i)
        for (int j = 0; j < ProbabilityGrid::Steps; ++j)
            grid(i, j) =
                ((i * 3 + j) % 7 ? 1 : -1) * ((i + 2 * j) % 5 + ((i * 37 + j * 101) % 997 + 1) / 1000.3);
    calibrateSection(section, grid);
    // Each sum is held as a float term by term, marked columns in ascending order.
    const auto sum = [&](int first, int second, int i) {
        return static_cast<float>(static_cast<double>(static_cast<float>(grid(first, i))) + grid(second, i));
    };
    for (int i = 0; i < SectionMatrix::Columns; ++i) {
        ASSERT_EQ(section(1, i, 1), static_cast<float>(grid(100, i))) << "cell " << i;
        ASSERT_EQ(section(1, i, 2), sum(100, 120, i)) << "cell " << i;
        ASSERT_EQ(section(1, i, 3), sum(100, 125, i)) << "cell " << i;
        ASSERT_EQ(section(1, i, 8), 0.0) << "cell " << i;
    }

    // One mark fits a float; two add beyond it.
    ProbabilityGrid huge;
    for (int i = 0; i < ProbabilityGrid::Steps; ++i)
        huge(100, i) = huge(120, i) = 3e38;
    calibrateRow(section, huge, 0);
    EXPECT_EQ(section(1, 0, 0), static_cast<double>(3e38f));
    EXPECT_EQ(failureKind([&] { calibrateRow(section, huge, 2); }), Kind::Overflow);
    EXPECT_EQ(failureKind([&] { calibrateRow(section, huge, -1); }), Kind::SubscriptOutOfRange);
    EXPECT_EQ(failureKind([&] { calibrateRow(section, huge, tenRows + 1); }), Kind::SubscriptOutOfRange);
}

} // namespace
} // namespace brimvale
