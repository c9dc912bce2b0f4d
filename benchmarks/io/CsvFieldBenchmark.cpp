// Speed of the comma-separated field reader and writer and of the result file's number forms.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "io/CsvFieldReader.h"
#include "io/CsvFieldWriter.h"
#include "model/NumberText.h"

using namespace brimvale;

namespace {

constexpr int matrixSize = 201;
constexpr int valueCount = 100'000;

// A heading row of 202 fields, then 201 rows of 202 numbers shaped like packed cell values
// (a class code and a four-digit probability, "2.0473").
std::string matrixFile()
{
    CsvFieldWriter writer;
    writer.text("Corvane output file");
    for (int i = 0; i < matrixSize; ++i)
        writer.number(static_cast<float>(-5.0 + 0.25 * i));
    writer.endLine();
    for (int j = 0; j < matrixSize; ++j) {
        writer.number(static_cast<float>(j * 0.1));
        for (int i = 0; i < matrixSize; ++i)
            writer.number(((i + j) % 4) + ((i * 7919 + j * 104729) % 10000) / 10000.0);
        writer.endLine();
    }
    return writer.takeContents();
}

// Values as the section computes them: axis steps, probabilities and packed cells in full precision.
std::vector<double> computedValues()
{
    std::vector<double> values;
    values.reserve(valueCount);
    for (int k = 0; k < valueCount; ++k) {
        const int i = k % matrixSize;
        const int j = k / matrixSize;
        switch (k % 3) {
        case 0:
            values.push_back(-12.5 + 37.25 / 200.0 * i);
            break;
        case 1:
            values.push_back((j % 5) + static_cast<double>(i + 1) / (i + j + 3));
            break;
        default:
            values.push_back(((i * 7919 + j) % 10000) / 10000.0);
            break;
        }
    }
    return values;
}

void readMatrixFile(benchmark::State& state)
{
    const std::string contents = matrixFile();
    for (auto _ : state) {
        CsvFieldReader reader(contents);
        reader.readText();
        double sum = 0.0;
        for (int i = 0; i < matrixSize; ++i)
            sum += reader.readSingle();
        for (int j = 0; j < matrixSize; ++j) {
            sum += reader.readSingle();
            for (int i = 0; i < matrixSize; ++i)
                sum += reader.readDouble();
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * contents.size()));
    state.counters["file_bytes"] = static_cast<double>(contents.size());
}
BENCHMARK(readMatrixFile)->Unit(benchmark::kMillisecond);

void readMatrixFileLeniently(benchmark::State& state)
{
    const std::string contents = matrixFile();
    for (auto _ : state) {
        CsvFieldReader reader(contents);
        double sum = 0.0;
        while (!reader.atEnd())
            sum += reader.readNumericValue();
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * contents.size()));
}
BENCHMARK(readMatrixFileLeniently)->Unit(benchmark::kMillisecond);

void fileTextSingleOf100000(benchmark::State& state)
{
    std::vector<float> values;
    for (const double v : computedValues())
        values.push_back(static_cast<float>(v));
    for (auto _ : state) {
        std::size_t length = 0;
        for (const float v : values)
            length += fileTextSingle(v).size();
        benchmark::DoNotOptimize(length);
    }
    state.SetItemsProcessed(state.iterations() * valueCount);
}
BENCHMARK(fileTextSingleOf100000)->Unit(benchmark::kMillisecond);

void fileTextDoubleOf100000(benchmark::State& state)
{
    const std::vector<double> values = computedValues();
    for (auto _ : state) {
        std::size_t length = 0;
        for (const double v : values)
            length += fileTextDouble(v).size();
        benchmark::DoNotOptimize(length);
    }
    state.SetItemsProcessed(state.iterations() * valueCount);
}
BENCHMARK(fileTextDoubleOf100000)->Unit(benchmark::kMillisecond);

// The body of a result file of 512 rows: a Single and 201 Doubles per row.
void writeResultRows512(benchmark::State& state)
{
    const std::vector<double> values = computedValues();
    constexpr int rows = 512;
    for (auto _ : state) {
        CsvFieldWriter writer;
        writer.reserve(rows * (matrixSize + 1) * 24);
        std::size_t k = 0;
        for (int j = 0; j < rows; ++j) {
            writer.number(static_cast<float>(j * 0.37));
            for (int i = 0; i < matrixSize; ++i)
                writer.number(values[k++ % values.size()]);
            writer.endLine();
        }
        benchmark::DoNotOptimize(writer.contents().data());
    }
    state.SetItemsProcessed(state.iterations() * rows * (matrixSize + 1));
}
BENCHMARK(writeResultRows512)->Unit(benchmark::kMillisecond);

} // namespace
