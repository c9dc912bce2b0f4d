// Speed of reading a full 201 x 201 Corvane matrix file and of deciding its kind.
#include <benchmark/benchmark.h>

#include <string>

#include "io/CorvaneMatrixReader.h"
#include "io/CsvFieldReader.h"
#include "io/MatrixKindDecision.h"
#include "io/ProfileFileReader.h"
#include "support/CorvaneFileBuilder.h"
#include "support/ScratchFolder.h"

using namespace brimvale;
using brimvale::test::CorvaneFileBuilder;

namespace {

// Every cell with a class code and four decimals, the densest file Corvane writes.
double denseCell(int i, int j)
{
    return ((i + j) % 4) + ((i * 7919 + j * 104729) % 10000) / 10000.0;
}

// The default bell matrix (mostly zeros away from the bells) and the dense one.
void readCorvaneMatrixFromMemory(benchmark::State& state)
{
    CorvaneFileBuilder builder;
    if (state.range(0) != 0)
        builder.cells(denseCell);
    const std::string contents = builder.contents();
    for (auto _ : state) {
        CsvFieldReader reader(contents);
        const auto matrix = readCorvaneMatrix(reader);
        benchmark::DoNotOptimize(matrix->grid(100, 100));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * contents.size()));
    state.counters["file_bytes"] = static_cast<double>(contents.size());
}
BENCHMARK(readCorvaneMatrixFromMemory)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// What the import costs the window before it draws: open, read, take the maximum, decide the kind.
void importCorvaneMatrixFile(benchmark::State& state)
{
    test::ScratchFolder folder;
    const auto path = folder.file("packed.csv");
    CorvaneFileBuilder().writeTo(path);
    for (auto _ : state) {
        const auto matrix = readCorvaneMatrix(path);
        const auto decision = decideMatrixKind(matrix->kindText, gridMaximum(matrix->grid));
        benchmark::DoNotOptimize(decision);
    }
}
BENCHMARK(importCorvaneMatrixFile)->Unit(benchmark::kMillisecond);

void readProfileFromMemory(benchmark::State& state)
{
    const std::string contents = CorvaneFileBuilder::probabilityMatrix().contents();
    for (auto _ : state) {
        CsvFieldReader reader(contents);
        const ProfileMatrix profile = readProfileFile(reader);
        benchmark::DoNotOptimize(profile(100, 100));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * contents.size()));
}
BENCHMARK(readProfileFromMemory)->Unit(benchmark::kMillisecond);

} // namespace
