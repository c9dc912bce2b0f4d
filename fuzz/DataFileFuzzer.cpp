// The data file reader: a file it takes holds at most 10001 records in two columns of equal length and
// finite ranges; any other file raises the program's one failure.
#include <cmath>

#include "FuzzInput.h"
#include "io/DataFileReader.h"

using namespace brimvale;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        const DataFile file = DataFileReader::readContents(std::string(fuzz::textOf(data, size)));
        fuzz::require(file.x.size() == file.y.size(), "a record has both values");
        fuzz::require(file.x.size() <= static_cast<std::size_t>(DataSeries::Capacity),
                      "at most the records a series holds");
        fuzz::require(file.lastIndex == static_cast<float>(file.y.size()) - 1.0f,
                      "the last index counts them");
        for (const float end : {file.verticalMin, file.verticalMax, file.horizontalMin, file.horizontalMax})
            fuzz::require(std::isfinite(end), "the ranges are finite");
        static DataSeries series;
        file.applyTo(series);
    } catch (const RuntimeFailure& failure) {
        placedMessage(failure);
    }
    return 0;
}
