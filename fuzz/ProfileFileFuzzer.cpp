// The profile file reader: an older-layout Corvane file or the program's one failure.
#include "FuzzInput.h"
#include "io/CsvFieldReader.h"
#include "io/ProfileFileReader.h"

using namespace brimvale;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CsvFieldReader reader{std::string(fuzz::textOf(data, size))};
    try {
        const ProfileMatrix profile = readProfileFile(reader);
        fuzz::require(profile.grid.size() == std::size_t{ProfileMatrix::Steps} * ProfileMatrix::Steps,
                      "the grid is whole");
    } catch (const RuntimeFailure& failure) {
        placedMessage(failure);
    }
    return 0;
}
