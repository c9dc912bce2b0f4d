// What one section row says: its confidence intervals, mode, average and input column, and their texts.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "model/NumberOrText.h"
#include "model/ProbabilityGrid.h"
#include "model/SectionMatrix.h"

namespace brimvale {

// A run of neighbouring columns start to end (both included) inside a confidence interval.
struct RowInterval {
    int start = 0;
    int end = 0;
    bool operator==(const RowInterval&) const = default;
};

// The intervals of one confidence class, left to right; a row may hold any number of them.
struct IntervalClass {
    std::vector<RowInterval> intervals;
    bool openLeft = false;  // the first interval reaches column 0
    bool openRight = false; // the last interval reaches column 200
};

struct RowSummary {
    // Class 0 (magnitude 2 or more) belongs to the first confidence coefficient, class 1 (magnitude 1
    // or more) to the second.
    static constexpr std::array<float, 2> Thresholds{2.0f, 1.0f};
    static constexpr float ModeThreshold = 3.0f;

    std::array<IntervalClass, 2> classes;
    std::vector<int> modeMarks;     // every column whose magnitude is 3 or more
    std::vector<int> averageMarks;  // every column with a negative cell
    int modeColumn = 0;             // the last mode mark, 0 when there is none
    int averageColumn = 0;          // the last average mark, 0 when there is none
    std::optional<int> inputColumn; // the last column whose layer-0 cell is 1.0
    int inputColumnCount = 0;       // how many columns of layer 0 hold 1.0
};

// The texts of the summary, ready to be laid out.
struct RowSummaryText {
    std::optional<std::string> inputValue; // the axis value of the input column, when there is one
    std::string coefficient1;              // "C = 95%"
    std::string coefficient2;
    std::array<std::vector<std::string>, 2> intervalLines; // "lower - upper" per interval and class
    std::string mode;                                      // a value, or "Out of range"
    std::string average;
};

// The summary of section row `row` (0 to verticalSteps()); magnitudes are compared as 32-bit floats.
RowSummary summariseRow(const SectionMatrix& section, int row);

// The probability of each column of the row: its magnitude (as a 32-bit float) less its class code,
// 1 from 1 up to 2, 2 from 2 up to 3, 3 from 3 up.
std::array<float, SectionMatrix::Columns> rowProbabilities(const SectionMatrix& section, int row);

// The value of column j on the section's value axis, leftEnd + j * (rightEnd - leftEnd) / 200, as a
// 32-bit float (an infinity when it does not fit).
float columnValue(int j, double leftEnd, double rightEnd);

// "C = " & coefficient & "%", a number in the default form of a double, nothing for an empty one.
std::string coefficientText(const NumberOrText& coefficient);

// The texts of the summary. leftEnd and rightEnd are the numeric values of the section's own axis
// captions (left and right end): both ends of one axis, so that the values agree with the section even
// when the probability figure's axis is empty or differs. The input value is axisValues at the input
// column, in the default form of a 32-bit float.
RowSummaryText summaryText(const RowSummary& summary, double leftEnd, double rightEnd,
                           const NumberOrText& coefficient1, const NumberOrText& coefficient2,
                           const AxisValues& axisValues);

} // namespace brimvale
