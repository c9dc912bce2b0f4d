// Speed of the data file reader on a record of the largest accepted size.
#include <benchmark/benchmark.h>

#include <string>

#include "io/DataFileReader.h"

using namespace brimvale;

namespace {

void BM_ReadDataFile(benchmark::State& state)
{
    std::string contents = "Depth (m),Quercus (%)\r\n";
    for (int k = 0; k < DataSeries::Capacity; ++k)
        contents += std::to_string(k * 0.05) + "," + std::to_string(10 + (k * 37 % 200) / 10.0) + "\r\n";
    for (auto _ : state)
        benchmark::DoNotOptimize(DataFileReader::readContents(contents));
}
BENCHMARK(BM_ReadDataFile)->Unit(benchmark::kMicrosecond);

} // namespace
