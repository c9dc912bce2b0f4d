// The section reconstruction: the data curve rasterised into section rows, then calibrated row by row.
#pragma once

#include <cstdint>

#include "model/DataSeries.h"
#include "model/ProbabilityGrid.h"
#include "model/SectionMatrix.h"

namespace brimvale {

// Rows per unit of the slider ratio: the double just above 511, so that a ratio meant to give a whole
// number of rows is never truncated to the integer below.
inline constexpr double RowsPerSliderRatio = 511.00000000000006;

// Returns the index of the last section row for the size sliders, Int(slider2 * 511 / slider1) in
// double precision; raises DivisionByZero when slider1Value is 0 and Overflow beyond 16 bits.
std::int16_t verticalStepsFor(int slider1Value, int slider2Value);

// Copies x and y of records 0 to lastIndex into sx and sy, so that an unsmoothed record is
// calibrated unchanged; raises SubscriptOutOfRange when lastIndex lies beyond the arrays.
void copyUnsmoothedCurve(DataSeries& series);

// Returns a new all-zero section of rows 0 to verticalSteps whose layer 0 holds 1.0 in each cell the
// curve (sx, sy) passes through, mapped onto the series' ranges: every segment from point p to p + 1,
// p = 0 to lastIndex - window, that goes down the section marks its start row and the rows before its
// end row, at the column interpolated for each row; then the point lastIndex - smoothingLevel + 1
// marks its own cell. Cells outside the section are skipped, except that the last point raises
// SubscriptOutOfRange when its column or row is negative. Raises DivisionByZero for a zero row or
// value step (verticalSteps 0, equal vertical or equal horizontal ends), Overflow for a row, column or
// segment beyond 32 bits, and SubscriptOutOfRange for a negative verticalSteps or a point index
// outside the fixed arrays.
SectionMatrix rasteriseCurve(const DataSeries& series, std::int16_t verticalSteps, int window,
                             int smoothingLevel);
// The same marks set in layer 0 of a section of all zeros, for its verticalSteps(), without a second
// section being made.
void rasteriseCurveInto(SectionMatrix& section, const DataSeries& series, int window, int smoothingLevel);

// Sets layer 1 of row h to the sum over the marked cells (j, h) of layer 0 of mark * grid column j,
// accumulated term by term as a 32-bit float; with one mark the row is that grid column, each cell
// rounded to a 32-bit float. Raises SubscriptOutOfRange for a row outside the section and Overflow when
// a sum leaves the 32-bit float range.
void calibrateRow(SectionMatrix& section, const ProbabilityGrid& grid, int h);

// Calibrates every row of the section, from the bottom row up to row 0, as calibrateRow.
void calibrateSection(SectionMatrix& section, const ProbabilityGrid& grid);

} // namespace brimvale
