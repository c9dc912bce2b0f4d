// The field reader: the same fields from memory as from a stream read a few bytes at a time, lines that
// never go back, and typed reads that either give a value or raise the program's one failure.
#include <memory>
#include <sstream>
#include <vector>

#include "FuzzInput.h"
#include "io/CsvFieldReader.h"

using namespace brimvale;

namespace {

struct Reading {
    std::vector<CsvFieldReader::Field> fields;
    std::string failure; // placed message, empty when the reader reached the end
};

Reading readAll(CsvFieldReader reader)
{
    Reading reading;
    int line = reader.line();
    try {
        while (!reader.atEnd()) {
            reading.fields.push_back(reader.nextField());
            fuzz::require(reader.line() >= line,
                          "a field never begins on an earlier line than the one before");
            line = reader.line();
        }
        reader.nextField();
        fuzz::require(false, "a read at the end raises");
    } catch (const RuntimeFailure& failure) {
        reading.failure = placedMessage(failure);
    }
    return reading;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string contents(fuzz::textOf(data, size));
    // The chunk size comes from the input itself, so that chunk borders fall everywhere.
    const std::size_t chunk = size == 0 ? 1 : 1 + data[size - 1] % 7;

    const Reading fromMemory = readAll(CsvFieldReader(contents));
    const Reading fromStream =
        readAll(CsvFieldReader(std::make_unique<std::istringstream>(contents), "input", size, chunk));
    fuzz::require(fromMemory.failure == fromStream.failure, "a stream fails as its contents do");
    fuzz::require(fromMemory.fields.size() == fromStream.fields.size(), "a stream has its contents' fields");
    for (std::size_t k = 0; k < fromMemory.fields.size(); ++k) {
        fuzz::require(fromMemory.fields[k].text == fromStream.fields[k].text,
                      "a stream's field has its text");
        fuzz::require(fromMemory.fields[k].quoted == fromStream.fields[k].quoted, "and its quotes");
    }

    // Every typed read, in turn, on the fields of the contents.
    CsvFieldReader reader(contents);
    try {
        for (int read = 0; !reader.atEnd(); ++read) {
            switch (read % 7) {
            case 0:
                reader.readInteger();
                break;
            case 1:
                reader.readLong();
                break;
            case 2:
                reader.readSingle();
                break;
            case 3:
                reader.readDouble();
                break;
            case 4:
                reader.readNumberOrText();
                break;
            case 5:
                reader.readNumericValue();
                break;
            default:
                fuzz::require(reader.readText(8).size() <= 8, "a text cut short is no longer than asked");
                break;
            }
        }
    } catch (const RuntimeFailure&) {
    }
    return 0;
}
