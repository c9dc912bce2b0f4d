// The section reconstruction: the data curve rasterised into section rows, then calibrated row by row.
#include "engine/SectionReconstruction.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <string>

#include "model/Conversions.h"
#include "model/RuntimeFailure.h"

namespace brimvale {

namespace {

constexpr int lastColumn = SectionMatrix::Columns - 1;
constexpr int columnIntervals = SectionMatrix::Columns - 1;

// Maps curve values onto section cells. Each quotient is stored as a 32-bit float and then rounded to
// a whole cell, halves to even; the arithmetic before the division runs in double precision.
class Raster {
public:
    Raster(const DataSeries& series, std::int16_t verticalSteps)
        : m_verticalMin(series.verticalMin), m_horizontalMin(series.horizontalMin),
          m_rowStep(toSingle(
              checkedDivide(static_cast<double>(series.verticalMax) - series.verticalMin, verticalSteps))),
          m_valueStep(toSingle(checkedDivide(static_cast<double>(series.horizontalMax) - series.horizontalMin,
                                             columnIntervals)))
    {
    }

    std::int32_t row(float y) const
    {
        return toLong(toSingle(checkedDivide(static_cast<double>(y) - m_verticalMin, m_rowStep)));
    }

    std::int32_t column(float x) const
    {
        return toLong(toSingle(checkedDivide(static_cast<double>(x) - m_horizontalMin, m_valueStep)));
    }

    // The column m / d of the way from x0 to x1, with m and d taken as 32-bit floats.
    std::int32_t column(float x0, float x1, std::int64_t m, std::int64_t d) const
    {
        const double along = (static_cast<double>(x1) - x0) * static_cast<float>(m) / static_cast<float>(d);
        return toLong(toSingle(checkedDivide(along + x0 - m_horizontalMin, m_valueStep)));
    }

private:
    float m_verticalMin;
    float m_horizontalMin;
    float m_rowStep;
    float m_valueStep;
};

// Returns sum + term stored as a 32-bit float, failing as toSingle does; the common case stays inline.
float addAsSingle(float sum, double term)
{
    const double exact = static_cast<double>(sum) + term;
    if (!(std::fabs(exact) <= std::numeric_limits<float>::max()))
        return toSingle(exact);
    return static_cast<float>(exact);
}

// Marks rows r0 to r0 + d - 1 of a segment going down from (x0, r0); d is positive.
void markSegment(SectionMatrix& section, const Raster& raster, float x0, float x1, std::int32_t r0,
                 std::int64_t d)
{
    // A segment may span millions of rows far outside the section; only the rows inside can be marked,
    // so the loop visits just those. The column is linear in m, so it leaves the 32-bit range, if
    // anywhere, at an end of the segment: computing both ends fails whenever walking every row would.
    raster.column(x0, x1, 0, d);
    raster.column(x0, x1, d - 1, d);
    const std::int64_t first = std::max<std::int64_t>(0, -static_cast<std::int64_t>(r0));
    const std::int64_t last =
        std::min<std::int64_t>(d - 1, static_cast<std::int64_t>(section.verticalSteps()) - r0);
    for (std::int64_t m = first; m <= last; ++m) {
        const std::int32_t c = raster.column(x0, x1, m, d);
        if (c >= 0 && c <= lastColumn)
            section(0, c, static_cast<int>(r0 + m)) = 1.0;
    }
}

} // namespace

std::int16_t verticalStepsFor(int slider1Value, int slider2Value)
{
    const double rows = checkedDivide(static_cast<double>(slider2Value) * RowsPerSliderRatio, slider1Value);
    return toInteger(intOf(rows));
}

void copyUnsmoothedCurve(DataSeries& series)
{
    const std::int16_t last = toInteger(series.lastIndex);
    if (last < 0)
        return;
    DataSeries::checkIndex(last);
    std::copy_n(series.x.begin(), last + 1, series.sx.begin());
    std::copy_n(series.y.begin(), last + 1, series.sy.begin());
}

SectionMatrix rasteriseCurve(const DataSeries& series, std::int16_t verticalSteps, int window,
                             int smoothingLevel)
{
    if (verticalSteps < 0)
        raiseFailure(RuntimeFailure::Kind::SubscriptOutOfRange,
                     "Subscript out of range: section of " + std::to_string(verticalSteps) + " rows");
    SectionMatrix section(verticalSteps);
    rasteriseCurveInto(section, series, window, smoothingLevel);
    return section;
}

void rasteriseCurveInto(SectionMatrix& section, const DataSeries& series, int window, int smoothingLevel)
{
    const std::int16_t verticalSteps = section.verticalSteps();
    const Raster raster(series, verticalSteps);

    const std::int16_t lastSegment = toInteger(static_cast<double>(series.lastIndex) - window);
    if (lastSegment >= 0)
        DataSeries::checkIndex(static_cast<std::int64_t>(lastSegment) + 1);
    for (int p = 0; p <= lastSegment; ++p) {
        const std::int32_t r0 = raster.row(series.sy[p]);
        const std::int32_t r1 = raster.row(series.sy[p + 1]);
        const std::int64_t d = static_cast<std::int64_t>(r1) - r0;
        if (d < std::numeric_limits<std::int32_t>::min() || d > std::numeric_limits<std::int32_t>::max())
            raiseFailure(RuntimeFailure::Kind::Overflow,
                         "Overflow: segment " + std::to_string(p) + " spans " + std::to_string(d) + " rows");
        // A segment that stays on its row or goes up marks nothing; its end row is marked as the start
        // of the next segment going down, or as the last point.
        if (d > 0)
            markSegment(section, raster, series.sx[p], series.sx[p + 1], r0, d);
    }

    const std::int32_t q = toLong(static_cast<double>(series.lastIndex) - smoothingLevel + 1.0);
    DataSeries::checkIndex(q);
    const std::int32_t c = raster.column(series.sx[q]);
    const std::int32_t row = raster.row(series.sy[q]);
    // Only the upper limits are tested: a last point left of the range or above the section is an
    // index out of range, one to the right or below is skipped.
    if (c <= lastColumn && row <= verticalSteps) {
        if (c < 0 || row < 0)
            raiseFailure(RuntimeFailure::Kind::SubscriptOutOfRange,
                         "Subscript out of range: last point at column " + std::to_string(c) + ", row " +
                             std::to_string(row));
        section(0, c, row) = 1.0;
    }
}

void calibrateRow(SectionMatrix& section, const ProbabilityGrid& grid, int h)
{
    if (h < 0 || h > section.verticalSteps())
        raiseFailure(RuntimeFailure::Kind::SubscriptOutOfRange,
                     "Subscript out of range: row " + std::to_string(h));
    // Each sum is taken over j in ascending order; an unmarked cell adds a zero product that leaves the
    // sum unchanged, so only marked cells are visited, and by grid column so that reads stay contiguous.
    std::array<float, SectionMatrix::Columns> sums{};
    for (int j = 0; j < SectionMatrix::Columns; ++j) {
        const double mark = section(0, j, h);
        if (mark == 0.0)
            continue;
        for (int i = 0; i < SectionMatrix::Columns; ++i)
            sums[i] = addAsSingle(sums[i], mark * grid(j, i));
    }
    for (int i = 0; i < SectionMatrix::Columns; ++i)
        section(1, i, h) = sums[i];
}

void calibrateSection(SectionMatrix& section, const ProbabilityGrid& grid)
{
    for (int h = section.verticalSteps(); h >= 0; --h)
        calibrateRow(section, grid, h);
}

} // namespace brimvale
