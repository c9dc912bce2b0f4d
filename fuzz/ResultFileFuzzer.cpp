// The result file reader: never raises, says how far it got and why it stopped, and reads a stream of
// the file's length a few bytes at a time exactly as it reads the file's contents.
#include <memory>
#include <sstream>

#include "FuzzInput.h"
#include "io/CsvFieldReader.h"
#include "io/ResultFileReader.h"

using namespace brimvale;
using Stage = ResultFileOutcome::Stage;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string contents(fuzz::textOf(data, size));
    const ResultFileOutcome outcome = readResultContents(contents);
    fuzz::require(outcome.complete() != outcome.failure.has_value(), "a failure exactly when incomplete");
    fuzz::require(!outcome.holdsMore || outcome.complete(), "only a complete file holds more");
    if (outcome.stage >= Stage::SectionAllocated) {
        const std::size_t rows = static_cast<std::size_t>(outcome.data.verticalSteps) + 1;
        fuzz::require(outcome.data.verticalValues.size() == rows, "a vertical value for each row");
        fuzz::require(outcome.data.section.rows() == static_cast<int>(rows), "a section row for each row");
        fuzz::require(outcome.rowsRead <= static_cast<int>(rows), "no more rows read than announced");
        fuzz::require(outcome.complete() == (outcome.rowsRead == static_cast<int>(rows)),
                      "complete when all are");
        viewSlidersForSteps(outcome.data.verticalSteps);
        try {
            largestSectionValue(outcome.data.section);
        } catch (const RuntimeFailure&) {
        }
    }

    const std::size_t chunk = size == 0 ? 1 : 1 + data[size - 1] % 7;
    CsvFieldReader stream(std::make_unique<std::istringstream>(contents), "input", size, chunk);
    const ResultFileOutcome streamed = readResult(stream);
    fuzz::require(streamed.stage == outcome.stage && streamed.rowsRead == outcome.rowsRead &&
                      streamed.axisValuesRead == outcome.axisValuesRead &&
                      streamed.holdsMore == outcome.holdsMore,
                  "a stream reads as its contents do");
    fuzz::require(streamed.failure.has_value() == outcome.failure.has_value() &&
                      (!outcome.failure || std::string(streamed.failure->what()) == outcome.failure->what()),
                  "and fails as they do");
    return 0;
}
