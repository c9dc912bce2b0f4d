// Every row's full distribution in long form: one CSV line per section row and climate step.
#include "cli/SectionProfiles.h"

#include <array>
#include <cmath>

#include "engine/RowSummary.h"
#include "io/CsvFieldWriter.h"
#include "model/Conversions.h"
#include "model/NumberText.h"
#include "model/RuntimeFailure.h"

namespace brimvale {

namespace {

// A line of the table is at most this many bytes; reserving it up front spares regrowth.
constexpr std::size_t LongestLine = 96;

// The cell's magnitude as a Single, as the view compares it; the table has no text for one beyond that
// range.
float singleMagnitude(double cell, int row, int column)
{
    try {
        return toSingle(std::fabs(cell));
    } catch (RuntimeFailure& failure) {
        failure.setPlace("row " + std::to_string(row) + ", column " + std::to_string(column));
        throw;
    }
}

} // namespace

CellParts splitMagnitude(float magnitude)
{
    const std::string text = fileTextSingle(magnitude);
    if (!std::isfinite(magnitude))
        return {text, text};
    const bool exponent = text.find('E') != std::string::npos;
    if (exponent) {
        // Exponent forms are below 1E-4, all probability, or at least 1E7, whole numbers.
        if (magnitude < 1.0f)
            return {"0", text};
        return {doubleText(std::floor(static_cast<double>(magnitude))), "0"};
    }
    const std::size_t point = text.find('.');
    if (point == std::string::npos)
        return {text, "0"};
    std::string probability = "0";
    probability.append(text, point, std::string::npos);
    return {text.substr(0, point), probability};
}

std::string composeSectionProfiles(const SectionView& view)
{
    CsvFieldWriter writer;
    writer.reserve(static_cast<std::size_t>(view.section.rows()) * SectionMatrix::Columns * LongestLine);
    for (const char* name :
         {"Row", "Vertical value", "Climate value", "Probability", "Class", "Mode", "Average"})
        writer.text(name);
    writer.endLine();

    std::array<std::string, SectionMatrix::Columns> climate;
    for (int j = 0; j < SectionMatrix::Columns; ++j)
        climate[j] = fileTextSingle(view.columnValue(j));
    for (int row = 0; row <= view.lastRow(); ++row) {
        const std::string vertical = fileTextSingle(view.verticalValue(row));
        for (int j = 0; j < SectionMatrix::Columns; ++j) {
            const double cell = view.section(1, j, row);
            const float magnitude = singleMagnitude(cell, row, j);
            const CellParts parts = splitMagnitude(magnitude);
            writer.integer(row);
            writer.bare(vertical);
            writer.bare(climate[j]);
            writer.bare(parts.probability);
            writer.bare(parts.classCode);
            writer.integer(magnitude >= RowSummary::ModeThreshold ? 1 : 0);
            writer.integer(cell < 0.0 ? 1 : 0);
            writer.endLine();
        }
    }
    return writer.takeContents();
}

} // namespace brimvale
