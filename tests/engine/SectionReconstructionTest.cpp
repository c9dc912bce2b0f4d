// The section reconstruction: the curve rasterised into layer 0, then calibrated row by row into layer 1.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "engine/SectionReconstruction.h"
#include "support/FailureKind.h"

using namespace brimvale;
using brimvale::test::failureKind;
using Kind = RuntimeFailure::Kind;

namespace {

constexpr std::int16_t tenRows = 10;

struct Point {
    float x;
    float y;
};

struct Ranges {
    float verticalMin = 0;
    float verticalMax = 10;
    float horizontalMin = 0;
    float horizontalMax = 200;
};

// A smoothed curve of the given points. With the default ranges and 10 vertical steps, every row and
// column is one unit wide, so a point (x, y) falls in column x and row y.
DataSeries curve(const std::vector<Point>& points, Ranges ranges = {})
{
    DataSeries series;
    for (std::size_t k = 0; k < points.size(); ++k) {
        series.sx[k] = points[k].x;
        series.sy[k] = points[k].y;
    }
    series.lastIndex = static_cast<float>(points.size()) - 1.0f;
    series.verticalMin = ranges.verticalMin;
    series.verticalMax = ranges.verticalMax;
    series.horizontalMin = ranges.horizontalMin;
    series.horizontalMax = ranges.horizontalMax;
    return series;
}

using Cell = std::pair<int, int>; // (row, column)

// Rows first to last, the column moving by step from column on each row.
std::vector<Cell> diagonal(int first, int last, int column, int step)
{
    std::vector<Cell> cells;
    for (int h = first; h <= last; ++h)
        cells.emplace_back(h, column + step * (h - first));
    return cells;
}

// The marked cells of layer 0, by row then column; any value other than 0 and 1 is a defect.
std::vector<Cell> marks(const SectionMatrix& section)
{
    std::vector<Cell> cells;
    for (int h = 0; h < section.rows(); ++h) {
        for (int i = 0; i < SectionMatrix::Columns; ++i) {
            const double value = section(0, i, h);
            if (value == 1.0)
                cells.emplace_back(h, i);
            else
                EXPECT_EQ(value, 0.0) << "row " << h << " column " << i;
        }
    }
    return cells;
}

std::vector<Cell> marksOf(const std::vector<Point>& points, Ranges ranges = {}, std::int16_t steps = tenRows)
{
    return marks(rasteriseCurve(curve(points, ranges), steps, 1, 1));
}

ProbabilityGrid uniformGrid(double value)
{
    ProbabilityGrid grid;
    for (int i = 0; i < ProbabilityGrid::Steps; ++i)
        for (int j = 0; j < ProbabilityGrid::Steps; ++j)
            grid(i, j) = value;
    return grid;
}

} // namespace

TEST(SectionReconstructionTest, VerticalStepsFollowTheSliderRatio)
{
    const int cases[][3] = {
        {100, 100, 511}, {100, 50, 255}, {100, 1000, 5110}, {100, 1, 5}, {3, 1, 170}, {10, 641, 32755},
    };
    for (const auto& c : cases)
        EXPECT_EQ(verticalStepsFor(c[0], c[1]), c[2]) << c[0] << " " << c[1];
    EXPECT_EQ(failureKind([] { verticalStepsFor(0, 100); }), Kind::DivisionByZero);
    // 642 * 5.11 = 3280.6... * 10 is beyond 16 bits.
    EXPECT_EQ(failureKind([] { verticalStepsFor(10, 642); }), Kind::Overflow);
}

TEST(SectionReconstructionTest, CopiesTheUnsmoothedRecord)
{
    DataSeries series;
    std::fill(series.sx.begin(), series.sx.end(), -1.0f);
    for (int k = 0; k < 4; ++k) {
        series.x[k] = 10.0f * k;
        series.y[k] = 0.5f * k;
    }
    series.lastIndex = 3;
    copyUnsmoothedCurve(series);
    EXPECT_EQ(std::vector<float>(series.sx.begin(), series.sx.begin() + 5),
              (std::vector<float>{0, 10, 20, 30, -1}));
    EXPECT_EQ(series.sy[3], 1.5f);

    series.lastIndex = DataSeries::Capacity;
    EXPECT_EQ(failureKind([&] { copyUnsmoothedCurve(series); }), Kind::SubscriptOutOfRange);
    series.lastIndex = 40000;
    EXPECT_EQ(failureKind([&] { copyUnsmoothedCurve(series); }), Kind::Overflow);
}

TEST(SectionReconstructionTest, RasterisesSegmentsGoingDown)
{
    // Ten rows at one tenth of the way each; the end row is the last point's.
    EXPECT_EQ(marksOf({{50, 0}, {150, 10}}), diagonal(0, 10, 50, 10));
    EXPECT_EQ(marksOf({{50, 10}, {100, 5}, {150, 0}}), (std::vector<Cell>{{0, 150}})) << "a record going up";
    // The flat segment marks nothing; row 2 is the start of the next segment, at the later point.
    // 40 + 20/3 = 46.7 and 40 + 40/3 = 53.3.
    EXPECT_EQ(marksOf({{20, 2}, {40, 2}, {60, 5}}), (std::vector<Cell>{{2, 40}, {3, 47}, {4, 53}, {5, 60}}));
    // A fold: rows 2 and 3 are crossed on the way down at column 100 and again after it.
    EXPECT_EQ(marksOf({{100, 0}, {100, 4}, {120, 2}, {140, 6}}),
              (std::vector<Cell>{
                  {0, 100}, {1, 100}, {2, 100}, {2, 120}, {3, 100}, {3, 125}, {4, 130}, {5, 135}, {6, 140}}));
    // Only the middle of the crossing segment (-30 + 280 / 2 = 110) lies inside the range; the last
    // point, right of the range, is skipped.
    EXPECT_EQ(marksOf({{-30, 0}, {-30, 4}, {250, 6}, {250, 10}}), (std::vector<Cell>{{5, 110}}));
    // Rows -3 to 12 of the first segment, of which 0 to 10 exist; the last point lies below.
    EXPECT_EQ(marksOf({{100, -3}, {100, 13}, {100, 20}}), diagonal(0, 10, 100, 0));
    // Rows 0.5, 1.5, 2.5, 3.5 round to 0, 2, 2, 4 and columns 10.5, 15.25, 35.75, 41.5 to 10, 15, 36, 42.
    EXPECT_EQ(marksOf({{10.5f, 0.5f}, {20, 1.5f}, {30, 2.5f}, {41.5f, 3.5f}}),
              (std::vector<Cell>{{0, 10}, {1, 15}, {2, 30}, {3, 36}, {4, 42}}));
    // Rows of 25 from 100 and columns of 2.
    EXPECT_EQ(marksOf({{0, 100}, {400, 200}}, {100, 200, 0, 400}, 4), diagonal(0, 4, 0, 50));
    // A top below the bottom turns the figure upside down: depth 10 is row 0.
    EXPECT_EQ(marksOf({{50, 10}, {150, 0}}, {10, 0, 0, 200}), diagonal(0, 10, 50, 10));
}

TEST(SectionReconstructionTest, SmoothingWindowShortensTheCurve)
{
    // Entry 3 is a stale point that a window of 2 must not reach, as a segment end or as the last point.
    const DataSeries stale = curve({{50, 0}, {100, 5}, {150, 10}, {-500, -500}});
    EXPECT_EQ(marks(rasteriseCurve(stale, tenRows, 2, 2)), diagonal(0, 10, 50, 10));
    // Smoothing off but the level slider above 1: the segments run to the end, the last point is taken
    // one earlier, so row 10 stays unmarked.
    const DataSeries twoPoints = curve({{50, 0}, {150, 10}});
    EXPECT_EQ(marks(rasteriseCurve(twoPoints, tenRows, 1, 2)), diagonal(0, 9, 50, 10));
    // A level beyond the record makes the last point's index negative.
    EXPECT_EQ(failureKind([&] { rasteriseCurve(twoPoints, tenRows, 1, 4); }), Kind::SubscriptOutOfRange);
}

TEST(SectionReconstructionTest, RasterisingFailures)
{
    struct Case {
        const char* name;
        DataSeries series;
        std::int16_t steps;
        Kind expected;
    };
    const DataSeries down = curve({{50, 0}, {150, 10}});
    DataSeries beyondArrays = down;
    beyondArrays.lastIndex = DataSeries::Capacity;
    const Case cases[] = {
        {"top equal to bottom", curve({{50, 0}, {150, 10}}, {5, 5, 0, 200}), tenRows, Kind::DivisionByZero},
        {"left equal to right", curve({{50, 0}, {150, 10}}, {0, 10, 7, 7}), tenRows, Kind::DivisionByZero},
        {"no vertical steps", down, 0, Kind::DivisionByZero},
        {"negative vertical steps", down, -1, Kind::SubscriptOutOfRange},
        {"last point left of the range", curve({{50, 0}, {-1, 10}}), tenRows, Kind::SubscriptOutOfRange},
        {"last point above the section", curve({{50, 0}, {150, -1}}), tenRows, Kind::SubscriptOutOfRange},
        {"header only", curve({}), tenRows, Kind::SubscriptOutOfRange},
        {"record beyond the arrays", beyondArrays, tenRows, Kind::SubscriptOutOfRange},
        {"row beyond 32 bits", curve({{50, 0}, {150, 3e9f}}), tenRows, Kind::Overflow},
        {"segment beyond 32 bits", curve({{50, -2e9f}, {150, 2e9f}}), tenRows, Kind::Overflow},
        // Inside the section the columns are 100 to 130, but the far end of the segment, 1e9 rows
        // down, lies about 3e9 columns to the right.
        {"column beyond 32 bits far outside", curve({{100, 0}, {3e9f, 1e9f}, {100, 5}}), tenRows,
         Kind::Overflow},
    };
    for (const auto& c : cases)
        EXPECT_EQ(failureKind([&] { rasteriseCurve(c.series, c.steps, 1, 1); }), c.expected) << c.name;
}

TEST(SectionReconstructionTest, HugeSegmentsMarkOnlyTheirRowsInsideTheSection)
{
    // Ten million rows, twenty columns per row: row h of the section is m = 5e6 + h of the segment, at
    // column 2e8 * m / 1e7 - 1e8 = 20 h.
    EXPECT_EQ(marksOf({{-1e8f, -5e6f}, {1e8f, 5e6f}}), diagonal(0, 10, 0, 20));
    // Two billion rows at one column per row: m = 1e9 + h is 1e9 as a float (floats lie 64 apart there),
    // so every row takes the column of m = 1e9, column 0, where exact arithmetic would step one per row.
    EXPECT_EQ(marksOf({{-1e9f, -1e9f}, {1e9f, 1e9f}}), diagonal(0, 10, 0, 0));
}

TEST(SectionReconstructionTest, OneMarkPerRowCopiesTheGridColumn)
{
    SectionMatrix section = rasteriseCurve(curve({{50, 0}, {150, 10}}), tenRows, 1, 1);
    // Packed cells of every kind: class codes 0 to 4, a probability fraction that is not a float, and a
    // negative sign (an average mark) on about one cell in seven.
    ProbabilityGrid grid;
    for (int i = 0; i < ProbabilityGrid::Steps; ++i) {
        for (int j = 0; j < ProbabilityGrid::Steps; ++j) {
            const double magnitude = (i + 2 * j) % 5 + ((i * 37 + j * 101) % 997 + 1) / 1000.3;
            grid(i, j) = (i * 3 + j) % 7 == 0 ? -magnitude : magnitude;
        }
    }
    calibrateSection(section, grid);
    for (int h = 0; h <= tenRows; ++h) {
        // The sum is a 32-bit float, so the copy is the grid value rounded to a float.
        for (int i = 0; i < SectionMatrix::Columns; ++i)
            ASSERT_EQ(section(1, i, h), static_cast<float>(grid(50 + 10 * h, i)))
                << "row " << h << " cell " << i;
    }
    EXPECT_LT(section(1, 4, 0), -3.0); // column 50, cell 4: an average mark with mode code 3
}

TEST(SectionReconstructionTest, MarksInOneRowAddTheirColumns)
{
    // The fold marks columns 100 and 120 in row 2 and columns 100 and 125 in row 3.
    SectionMatrix section = rasteriseCurve(curve({{100, 0}, {100, 4}, {120, 2}, {140, 6}}), tenRows, 1, 1);
    ProbabilityGrid grid = uniformGrid(0.5);
    for (int i = 0; i < ProbabilityGrid::Steps; ++i) {
        grid(100, i) = 1.25;
        grid(120, i) = 2.5;
    }
    grid(100, 7) = -1.125;
    grid(120, 7) = 3.0625;
    section(1, 3, 8) = 9.0; // a row below the curve, calibrated before, must end all zero

    calibrateSection(section, grid);
    EXPECT_EQ(section(1, 0, 2), 3.75); // class codes 1 and 2 add to 3
    EXPECT_EQ(section(1, 7, 2), 1.9375);
    EXPECT_EQ(section(1, 0, 3), 1.75); // 1.25 + 0.5 from column 125
    EXPECT_EQ(section(1, 0, 1), 1.25);
    EXPECT_EQ(section(1, 3, 8), 0.0);
}

TEST(SectionReconstructionTest, CalibrationFailures)
{
    SectionMatrix section = rasteriseCurve(curve({{100, 0}, {100, 4}, {120, 2}, {140, 6}}), tenRows, 1, 1);
    const ProbabilityGrid grid = uniformGrid(3e38);
    // One mark fits a float; two add beyond it.
    calibrateRow(section, grid, 0);
    EXPECT_EQ(section(1, 0, 0), static_cast<double>(3e38f));
    EXPECT_EQ(failureKind([&] { calibrateRow(section, grid, 2); }), Kind::Overflow);
    EXPECT_EQ(failureKind([&] { calibrateRow(section, grid, -1); }), Kind::SubscriptOutOfRange);
    EXPECT_EQ(failureKind([&] { calibrateRow(section, grid, tenRows + 1); }), Kind::SubscriptOutOfRange);
}
