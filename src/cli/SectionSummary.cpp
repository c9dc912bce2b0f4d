// The section view's row summary of every row, as a table: one CSV line per section row.
#include "cli/SectionSummary.h"

#include "engine/RowSummary.h"
#include "io/CsvFieldWriter.h"
#include "model/FormatValue.h"
#include "model/NumericValue.h"

namespace brimvale {

namespace {

constexpr const char* IntervalSeparator = "; ";

std::string joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) {
        if (!text.empty())
            text += IntervalSeparator;
        text += line;
    }
    return text;
}

// A value the view prints as a number is written bare, its "Out of range" as a text.
void writeValue(CsvFieldWriter& writer, const std::string& value)
{
    if (wholeNumber(value))
        writer.bare(value);
    else
        writer.text(value);
}

} // namespace

SummaryRow summariseSectionRow(const SectionView& view, int row)
{
    const RowSummary summary = summariseRow(view.section, row);
    // Both ends of the value axis come from the section's own captions, as the view reads them. The table
    // has no column for the coefficients' captions.
    const RowSummaryText text = summaryText(summary, numericValue(view.leftCaption),
                                            numericValue(view.rightCaption), {}, {}, view.axisValues);
    SummaryRow result;
    result.row = row;
    result.verticalValue = FormatValue(view.verticalValue(row));
    result.inputValue = text.inputValue.value_or(std::string());
    result.intervals1 = joined(text.intervalLines[0]);
    result.intervals2 = joined(text.intervalLines[1]);
    result.mode = text.mode;
    result.average = text.average;
    return result;
}

std::string composeSectionSummary(const SectionView& view)
{
    CsvFieldWriter writer;
    for (const char* name :
         {"Row", "Vertical value", "Input value", "C1 intervals", "C2 intervals", "Mode", "Average"})
        writer.text(name);
    writer.endLine();
    for (int row = 0; row <= view.lastRow(); ++row) {
        const SummaryRow summary = summariseSectionRow(view, row);
        writer.integer(summary.row);
        writer.bare(summary.verticalValue);
        writer.bare(summary.inputValue);
        writer.text(summary.intervals1);
        writer.text(summary.intervals2);
        writeValue(writer, summary.mode);
        writeValue(writer, summary.average);
        writer.endLine();
    }
    return writer.takeContents();
}

} // namespace brimvale
