// Reads Brimvale's result file back into a section, keeping what was read when the file fails part way.
#include "io/ResultFileReader.h"

#include <string_view>

#include "io/CsvFieldReader.h"
#include "io/ResultFileWriter.h"
#include "model/Conversions.h"

namespace brimvale {

namespace {

using Kind = RuntimeFailure::Kind;

constexpr int columns = SectionMatrix::Columns;
// The least and the most width of the figure sliders: the most rows any section holds.
constexpr std::int32_t narrowestWidth = 10;
constexpr std::int32_t fullHeight = 100;
constexpr std::int16_t steadySteps = 500;

constexpr std::string_view currentFirstField = "Brimvale common output format";
constexpr std::string_view olderFirstField = "Brimvale output file";
// Enough of the first field to tell it from both first lines, and to show it in a failure message.
constexpr std::size_t firstFieldBytes = 64;

// Where reading stopped, for failure messages.
struct Place {
    const char* part = "first field";
    int row = -1;

    std::string describe() const { return row < 0 ? std::string(part) : "data row " + std::to_string(row); }
};

void readRows(CsvFieldReader& reader, ResultFileOutcome& outcome, Place& place)
{
    ResultFileData& data = outcome.data;
    const int steps = data.verticalSteps;
    if (steps < 0)
        raiseFailure(Kind::SubscriptOutOfRange, "Subscript out of range: " + std::to_string(steps) + " rows");
    const std::size_t rows = static_cast<std::size_t>(steps) + 1;
    // A count beyond the largest section the figure sliders can make comes from no section; it is refused
    // before the rows are allocated. A file that ends before its rows do keeps the rows it holds.
    const std::int16_t largest = resultVerticalSteps(narrowestWidth, fullHeight);
    if (steps > largest)
        raiseFailure(Kind::InvalidData, std::to_string(rows) + " data rows are more than any section holds (" +
                                            std::to_string(largest + 1) + ")");
    data.verticalValues.assign(rows, 0.0f);
    data.section = SectionMatrix(data.verticalSteps);
    outcome.stage = ResultFileOutcome::Stage::SectionAllocated;

    place.part = "axis row";
    reader.readText();
    for (float& value : data.axisValues) {
        value = reader.readSingle();
        ++outcome.axisValuesRead;
    }
    for (int j = 0; j <= steps; ++j) {
        place.row = j;
        data.verticalValues[j] = reader.readSingle();
        for (int i = 0; i < columns; ++i)
            data.section(1, i, j) = reader.readDouble();
        ++outcome.rowsRead;
    }
    outcome.holdsMore = !reader.atEnd();
}

void readContents(CsvFieldReader& reader, ResultFileOutcome& outcome, Place& place)
{
    ResultFileData& data = outcome.data;
    const std::string first = reader.readText(firstFieldBytes);
    if (first != currentFirstField && first != olderFirstField)
        raiseFailure(Kind::InvalidData,
                     "Not a Brimvale result file: it begins with \"" + first.substr(0, 40) + '"');

    place.part = "head note";
    // Lines 2 to 9: label and value; only the two Y titles are kept.
    for (int line = 2; line <= 9; ++line) {
        reader.readText();
        std::string value = reader.readText();
        if (line == 6)
            data.sectionVerticalTitle = std::move(value);
        else if (line == 9)
            data.sectionHorizontalTitle = std::move(value);
    }
    // The horizontal step count is always 200; it is checked for being a number and nothing else.
    reader.readText();
    reader.readSingle();
    reader.readText();
    data.verticalSteps = reader.readInteger();
    outcome.stage = ResultFileOutcome::Stage::VerticalStepsRead;
    reader.readText();
    data.smoothingLevel = reader.readSingle();
    reader.readText();
    data.confidenceCoefficient1 = reader.readNumberOrText();
    reader.readText();
    data.confidenceCoefficient2 = reader.readNumberOrText();
    outcome.stage = ResultFileOutcome::Stage::HeadRead;

    readRows(reader, outcome, place);
    outcome.stage = ResultFileOutcome::Stage::Complete;
}

} // namespace

ResultFileOutcome readResultFile(const std::filesystem::path& path)
{
    std::optional<CsvFieldReader> reader;
    try {
        reader.emplace(CsvFieldReader::fromFile(path));
    } catch (const RuntimeFailure& failure) {
        ResultFileOutcome outcome;
        outcome.failure = failure;
        return outcome;
    }
    return readResult(*reader);
}

ResultFileOutcome readResultContents(std::string contents)
{
    CsvFieldReader reader(std::move(contents));
    return readResult(reader);
}

ResultFileOutcome readResult(CsvFieldReader& reader)
{
    ResultFileOutcome outcome;
    Place place;
    try {
        readContents(reader, outcome, place);
    } catch (const RuntimeFailure& failure) {
        outcome.failure = RuntimeFailure(failure.kind(), place.describe() + ": " + failure.what());
    }
    return outcome;
}

ViewSliders viewSlidersForSteps(std::int16_t verticalSteps)
{
    if (verticalSteps == steadySteps)
        return {100, 100};
    if (verticalSteps < steadySteps)
        return {100,
                toLong(static_cast<std::int32_t>(verticalSteps) * 100 / static_cast<double>(steadySteps))};
    return {static_cast<std::int32_t>(intOf(static_cast<double>(steadySteps) / verticalSteps * 100.0)), 100};
}

float largestSectionValue(const SectionMatrix& section)
{
    // The maximum does not depend on the order of the scan, so the cells are taken in memory order.
    float largest = 0.0f;
    for (int j = 0; j < section.rows(); ++j) {
        for (int i = 0; i < columns; ++i) {
            const double value = section(1, i, j);
            if (value > largest)
                largest = toSingle(value);
        }
    }
    return largest;
}

} // namespace brimvale
