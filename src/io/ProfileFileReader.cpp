// Reads the probability matrix that the section view draws profiles from: an older-layout Corvane file.
#include "io/ProfileFileReader.h"

#include "io/CorvaneMatrixReader.h"
#include "io/CsvFieldReader.h"
#include "model/RuntimeFailure.h"

namespace brimvale {

namespace {

constexpr int headPairs = 11;

// Unlike the calibration reader, this one takes values 8 and 9 strictly and values 10 and 11 as they
// come; only value 1 is kept.
void readHeadNote(CsvFieldReader& reader, ProfileMatrix& profile)
{
    for (int pair = 1; pair <= headPairs; ++pair) {
        reader.readText();
        if (pair == 1)
            profile.kindText = reader.readText();
        else if (pair <= 7)
            reader.readText();
        else if (pair <= 9)
            reader.readSingle();
        else
            reader.readNumberOrText();
    }
}

} // namespace

ProfileMatrix readProfileFile(const std::filesystem::path& path)
{
    CsvFieldReader reader = CsvFieldReader::fromFile(path);
    return readProfileFile(reader);
}

ProfileMatrix readProfileFile(CsvFieldReader& reader)
{
    // The first field is compared, never shown: a byte more than the expected ones tells it.
    const std::string firstField = reader.readText(CorvaneOlderFirstField.size() + 1);
    if (firstField != CorvaneOlderFirstField)
        raiseFailure(RuntimeFailure::Kind::InvalidData, "Not an older-layout Corvane output file");

    ProfileMatrix profile;
    const char* part = "head note";
    int row = -1;
    try {
        readHeadNote(reader, profile);
        // The heading row fills the row values; the matrix rows then overwrite every one of them.
        part = "heading row";
        reader.readText();
        for (float& value : profile.values)
            value = reader.readSingle();
        for (row = 0; row < ProfileMatrix::Steps; ++row) {
            profile.values[row] = reader.readSingle();
            for (int c = 0; c < ProfileMatrix::Steps; ++c)
                profile(row, c) = reader.readSingle();
        }
    } catch (RuntimeFailure& failure) {
        placeFailure(failure, reader.line(), row < 0 ? std::string(part) : matrixRowPart(row));
        throw;
    }
    return profile;
}

} // namespace brimvale
