// What one section row says: its confidence intervals, mode, average and input column, and their texts.
#include "engine/RowSummary.h"

#include <cmath>
#include <limits>

#include "model/FormatValue.h"
#include "model/NumberText.h"

namespace brimvale {

namespace {

constexpr int LastColumn = SectionMatrix::Columns - 1;
const char* const OpenBound = "?";
const char* const OutOfRange = "Out of range";

// A cell's magnitude as the 32-bit float the view compares; one beyond the range of a float is infinite,
// as it compares with every class threshold, where a plain conversion would be undefined.
float cellMagnitude(double cell)
{
    // From the midpoint between the largest float and 2^128 on, a magnitude rounds to infinity.
    constexpr double firstInfinite = 0x1.ffffffp127;
    const double magnitude = std::abs(cell);
    return magnitude >= firstInfinite ? std::numeric_limits<float>::infinity()
                                      : static_cast<float>(magnitude);
}

} // namespace

RowSummary summariseRow(const SectionMatrix& section, int row)
{
    std::array<float, SectionMatrix::Columns> magnitude{};
    for (int j = 0; j <= LastColumn; ++j)
        magnitude[static_cast<std::size_t>(j)] = cellMagnitude(section(1, j, row));

    RowSummary summary;
    for (std::size_t s = 0; s < RowSummary::Thresholds.size(); ++s) {
        const float threshold = RowSummary::Thresholds[s];
        // "Not below the threshold" rather than a test for "below", so that a NaN cell ends an interval.
        const auto inside = [&](int j) { return magnitude[static_cast<std::size_t>(j)] >= threshold; };
        IntervalClass& intervals = summary.classes[s];
        RowInterval current;
        for (int j = 0; j <= LastColumn; ++j) {
            if (!inside(j))
                continue;
            if (j == 0 || !inside(j - 1)) {
                current.start = j;
                if (j == 0)
                    intervals.openLeft = true;
            }
            if (j == LastColumn || !inside(j + 1)) {
                current.end = j;
                if (j == LastColumn)
                    intervals.openRight = true;
                intervals.intervals.push_back(current);
            }
        }
    }

    for (int j = 0; j <= LastColumn; ++j) {
        if (magnitude[static_cast<std::size_t>(j)] >= RowSummary::ModeThreshold) {
            summary.modeMarks.push_back(j);
            summary.modeColumn = j;
        }
        if (section(1, j, row) < 0.0) {
            summary.averageMarks.push_back(j);
            summary.averageColumn = j;
        }
        if (section(0, j, row) == 1.0) {
            summary.inputColumn = j;
            ++summary.inputColumnCount;
        }
    }
    return summary;
}

std::array<float, SectionMatrix::Columns> rowProbabilities(const SectionMatrix& section, int row)
{
    std::array<float, SectionMatrix::Columns> probabilities{};
    for (int j = 0; j <= LastColumn; ++j) {
        const float a = cellMagnitude(section(1, j, row));
        float p = a;
        if (a >= 3.0f)
            p = a - 3.0f;
        else if (a >= 2.0f)
            p = a - 2.0f;
        else if (a >= 1.0f)
            p = a - 1.0f;
        probabilities[static_cast<std::size_t>(j)] = p;
    }
    return probabilities;
}

float columnValue(int j, double leftEnd, double rightEnd)
{
    return static_cast<float>(leftEnd + j * (rightEnd - leftEnd) / 200.0);
}

std::string coefficientText(const NumberOrText& coefficient)
{
    std::string text = "C = ";
    if (coefficient.isNumber())
        text += doubleText(coefficient.number);
    else if (coefficient.isText())
        text += coefficient.text;
    return text + "%";
}

RowSummaryText summaryText(const RowSummary& summary, double leftEnd, double rightEnd,
                           const NumberOrText& coefficient1, const NumberOrText& coefficient2,
                           const AxisValues& axisValues)
{
    const auto valueText = [&](int j) { return FormatValue(columnValue(j, leftEnd, rightEnd)); };
    RowSummaryText text;
    if (summary.inputColumn)
        text.inputValue = singleText(axisValues[static_cast<std::size_t>(*summary.inputColumn)]);
    text.coefficient1 = coefficientText(coefficient1);
    text.coefficient2 = coefficientText(coefficient2);
    for (std::size_t s = 0; s < summary.classes.size(); ++s) {
        const IntervalClass& intervals = summary.classes[s];
        const std::size_t count = intervals.intervals.size();
        for (std::size_t k = 0; k < count; ++k) {
            const RowInterval& interval = intervals.intervals[k];
            const std::string lower =
                k == 0 && intervals.openLeft ? std::string(OpenBound) : valueText(interval.start);
            const std::string upper =
                k + 1 == count && intervals.openRight ? std::string(OpenBound) : valueText(interval.end);
            text.intervalLines[s].push_back(lower + " - " + upper);
        }
    }
    // Column 0 stands both for "no mark" and for a mark in the first class: neither has a value to show.
    text.mode = summary.modeColumn > 0 ? valueText(summary.modeColumn) : OutOfRange;
    text.average = summary.averageColumn > 0 ? valueText(summary.averageColumn) : OutOfRange;
    return text;
}

} // namespace brimvale
