// The Corvane matrix reader, both layouts: a matrix it takes has a known layout and kind text, and the
// kind decision has an answer for its grid; any other file raises the program's one failure.
#include "FuzzInput.h"
#include "io/CorvaneMatrixReader.h"
#include "io/CsvFieldReader.h"
#include "io/MatrixKindDecision.h"

using namespace brimvale;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CsvFieldReader reader{std::string(fuzz::textOf(data, size))};
    try {
        bool told = false;
        const auto matrix = readCorvaneMatrix(reader, [&](CorvaneMatrix::Layout) { told = true; });
        fuzz::require(told, "the layout is told before the matrix is read");
        fuzz::require(matrix->layout == CorvaneMatrix::Layout::Older ||
                          matrix->kindText == CorvaneNewerFirstField,
                      "the newer layout's kind is its first field");
        decideMatrixKind(matrix->kindText, gridMaximum(matrix->grid));
    } catch (const RuntimeFailure& failure) {
        placedMessage(failure);
    }
    return 0;
}
