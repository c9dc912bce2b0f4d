// Reads a calibration matrix written by Corvane, in either of its two layouts, without touching any window.
#include "io/CorvaneMatrixReader.h"

#include <array>
#include <cmath>

#include "io/CsvFieldReader.h"
#include "model/Conversions.h"
#include "model/RuntimeFailure.h"

namespace brimvale {

namespace {

constexpr int lastStep = ProbabilityGrid::Steps - 1;
constexpr int olderHeadPairs = 11;
// The newer head note is read into a fixed table of 20 pairs; a longer one overruns it.
constexpr int newerHeadPairLimit = 20;
// Enough of the first field to tell it from both first fields, and to show it in a failure message.
constexpr std::size_t firstFieldBytes = 64;

// The numeric value of a head value; a number too large for a Double fails as its conversion would.
double headNumber(CsvFieldReader& reader)
{
    const double value = reader.readNumericValue();
    if (!std::isfinite(value))
        raiseFailure(RuntimeFailure::Kind::Overflow, "Overflow in a head-note number");
    return value;
}

void readOlderHeadNote(CsvFieldReader& reader, CorvaneMatrix& matrix)
{
    for (int pair = 1; pair <= olderHeadPairs; ++pair) {
        reader.readText();
        switch (pair) {
        case 1:
            matrix.kindText = reader.readText();
            break;
        case 3:
            matrix.horizontalTitle = reader.readText();
            break;
        case 7:
            matrix.verticalTitle = reader.readText();
            break;
        case 8:
        case 9:
            headNumber(reader);
            break;
        case 10:
            matrix.coefficient1 = NumberOrText::fromNumber(headNumber(reader));
            break;
        case 11:
            matrix.coefficient2 = NumberOrText::fromNumber(headNumber(reader));
            break;
        default:
            reader.readText();
            break;
        }
    }
}

void readNewerHeadNote(CsvFieldReader& reader, CorvaneMatrix& matrix)
{
    reader.readText();
    // The first value counts the head note's lines, the first field's line included.
    const int lastPair = toInteger(reader.readDouble() - 1.0);
    // Positions the head note does not reach read as empty text.
    std::array<std::string, newerHeadPairLimit + 1> values;
    std::array<int, newerHeadPairLimit + 1> lines{};
    lines.fill(reader.line());
    for (int pair = 2; pair <= lastPair; ++pair) {
        if (pair > newerHeadPairLimit)
            raiseFailure(RuntimeFailure::Kind::SubscriptOutOfRange,
                         "Head note of more than " + std::to_string(newerHeadPairLimit) + " pairs");
        reader.readText();
        values[pair] = reader.readText();
        lines[pair] = reader.line();
    }
    matrix.kindText = std::string(CorvaneNewerFirstField);
    matrix.horizontalTitle = values[4];
    matrix.verticalTitle = values[8];
    // Values 9 and 10 are not used, but a file whose values there are not numbers is refused.
    for (const int pair : {9, 10}) {
        try {
            toSingle(strictNumber(values[pair]));
        } catch (RuntimeFailure& failure) {
            placeFailure(failure, lines[pair], "head note");
            throw;
        }
    }
    matrix.coefficient1 = NumberOrText::fromText(values[13]);
    matrix.coefficient2 = NumberOrText::fromText(values[14]);
}

void readMatrixRows(CsvFieldReader& reader, CorvaneMatrix& matrix)
{
    // The heading row goes into the axis values too; the matrix rows then overwrite every one of them.
    try {
        reader.readText();
        for (float& value : matrix.axisValues)
            value = reader.readSingle();
    } catch (RuntimeFailure& failure) {
        placeFailure(failure, reader.line(), "heading row");
        throw;
    }
    for (int r = 0; r <= lastStep; ++r) {
        try {
            matrix.axisValues[r] = reader.readSingle();
            // Corvane writes each row from the highest input value down.
            for (int k = 0; k <= lastStep; ++k)
                matrix.grid(lastStep - k, r) = reader.readDouble();
        } catch (RuntimeFailure& failure) {
            placeFailure(failure, reader.line(), matrixRowPart(r));
            throw;
        }
    }
}

} // namespace

std::string matrixRowPart(int r)
{
    return "matrix row " + std::to_string(r + 1) + " of " + std::to_string(ProbabilityGrid::Steps);
}

std::unique_ptr<CorvaneMatrix> readCorvaneMatrix(const std::filesystem::path& path,
                                                 const CorvaneLayoutObserver& observer)
{
    CsvFieldReader reader = CsvFieldReader::fromFile(path);
    return readCorvaneMatrix(reader, observer);
}

std::unique_ptr<CorvaneMatrix> readCorvaneMatrix(CsvFieldReader& reader,
                                                 const CorvaneLayoutObserver& observer)
{
    auto matrix = std::make_unique<CorvaneMatrix>();
    const std::string firstField = reader.readText(firstFieldBytes);
    if (firstField == CorvaneOlderFirstField)
        matrix->layout = CorvaneMatrix::Layout::Older;
    else if (firstField == CorvaneNewerFirstField)
        matrix->layout = CorvaneMatrix::Layout::Newer;
    else
        raiseFailure(RuntimeFailure::Kind::InvalidData,
                     "Not a Corvane output file: " + quoteForMessage(firstField));

    if (observer)
        observer(matrix->layout);
    try {
        if (matrix->layout == CorvaneMatrix::Layout::Older)
            readOlderHeadNote(reader, *matrix);
        else
            readNewerHeadNote(reader, *matrix);
    } catch (RuntimeFailure& failure) {
        // Values 9 and 10 of the newer head note have their own lines.
        if (failure.place().empty())
            placeFailure(failure, reader.line(), "head note");
        throw;
    }
    readMatrixRows(reader, *matrix);
    return matrix;
}

} // namespace brimvale
