// The section view's row summary of every row, as a table: one CSV line per section row.
#pragma once

#include <string>
#include <vector>

#include "cli/SectionView.h"

namespace brimvale {

// One row of the summary table, each field the text the section view shows.
struct SummaryRow {
    int row = 0;
    std::string verticalValue; // Label12, through FormatValue
    std::string inputValue;    // empty when the row's input column is not known
    std::string intervals1;    // the first coefficient's intervals, "lower - upper" joined by "; "
    std::string intervals2;    // the second coefficient's
    std::string mode;          // a value, or "Out of range"
    std::string average;
};

// The summary of row `row` of the view's section.
SummaryRow summariseSectionRow(const SectionView& view, int row);

// The whole table: a header line, then one line per row from row 0 down; texts quoted, numbers bare,
// CR LF line ends, as the program writes every file.
std::string composeSectionSummary(const SectionView& view);

} // namespace brimvale
