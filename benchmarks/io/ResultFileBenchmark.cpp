// Speed of composing, saving and reading result files of 512 and 5111 rows.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "io/ResultFileReader.h"
#include "io/ResultFileWriter.h"

using namespace brimvale;

namespace {

// Slider1 100 gives 511 steps (512 rows), slider1 10 the most the sliders allow, 5110 steps.
ResultFileInput inputFor(std::int32_t slider1)
{
    ResultFileInput input{
        .dataFileName = "core_A.csv",
        .dataXTitle = "Pinus (%)",
        .dataYTitle = "Depth (cm)",
        .matrixFileName = "july.csv",
        .matrixXTitle = "Pinus",
        .matrixYTitle = "July temperature",
        .smoothingCaption = "3",
        .axisLeftCaption = "-5",
        .axisRightCaption = "25",
        .sectionTopCaption = "120",
        .sectionBottomCaption = "1380",
        .confidenceCoefficient1 = NumberOrText::fromNumber(95),
        .confidenceCoefficient2 = NumberOrText::fromNumber(68),
        .slider1 = slider1,
        .slider2 = 100,
        .exportGrid = {},
    };
    const int rows = resultVerticalSteps(slider1, 100) + 1;
    // Cells as the calibration leaves them: row j is the matrix column where the data curve crosses the
    // row, its packed values (a class code and a four-digit probability, the average negative) summed as
    // 32-bit floats, so that a cell's text runs to 15 digits.
    const auto matrixCell = [](int column, int i) {
        const int code = std::abs(i - column / 2 - 50) < 12 ? 1 + (std::abs(i - column / 2 - 50) < 4) : 0;
        const double cell = code + ((column * 7919 + i * 104729) % 10000) / 10000.0;
        return static_cast<float>(i == column / 2 + 50 ? -cell : cell);
    };
    input.exportGrid = ExportGrid(rows);
    for (int j = 0; j < rows; ++j) {
        const int column = 100 + static_cast<int>(90.0 * std::sin(j / 40.0) * std::cos(j / 170.0));
        for (int i = 0; i < ExportGrid::Columns; ++i)
            input.exportGrid(i, j) = matrixCell(column, i);
    }
    return input;
}

std::filesystem::path benchmarkPath()
{
    return std::filesystem::temp_directory_path() /
           ("brimvale_result_bench_" + std::to_string(::getpid()) + ".csv");
}

void composeResult(benchmark::State& state)
{
    const ResultFileInput input = inputFor(static_cast<std::int32_t>(state.range(0)));
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string contents = composeResultFile(input);
        bytes = contents.size();
        benchmark::DoNotOptimize(contents.data());
    }
    state.counters["rows"] = input.exportGrid.rows();
    state.counters["file_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(composeResult)->Arg(100)->Arg(10)->Unit(benchmark::kMillisecond);

// Composing and saving, flushed to the disk, as the save command does.
void composeAndSaveResult(benchmark::State& state)
{
    const ResultFileInput input = inputFor(static_cast<std::int32_t>(state.range(0)));
    const auto path = benchmarkPath();
    for (auto _ : state)
        writeResultFile(path, composeResultFile(input));
    std::filesystem::remove(path);
    state.counters["rows"] = input.exportGrid.rows();
}
BENCHMARK(composeAndSaveResult)->Arg(100)->Arg(10)->Unit(benchmark::kMillisecond);

void readResultFromMemory(benchmark::State& state)
{
    const ResultFileInput input = inputFor(static_cast<std::int32_t>(state.range(0)));
    const std::string contents = composeResultFile(input);
    for (auto _ : state) {
        const ResultFileOutcome outcome = readResultContents(contents);
        if (!outcome.complete())
            state.SkipWithError("the result file did not read back");
        benchmark::DoNotOptimize(outcome.data.section(1, 0, 0));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * contents.size()));
    state.counters["rows"] = input.exportGrid.rows();
}
BENCHMARK(readResultFromMemory)->Arg(100)->Arg(10)->Unit(benchmark::kMillisecond);

void readResultFromFile(benchmark::State& state)
{
    const ResultFileInput input = inputFor(static_cast<std::int32_t>(state.range(0)));
    const auto path = benchmarkPath();
    writeResultFile(path, composeResultFile(input));
    for (auto _ : state) {
        const ResultFileOutcome outcome = readResultFile(path);
        if (!outcome.complete())
            state.SkipWithError("the result file did not read back");
        benchmark::DoNotOptimize(outcome.data.section(1, 0, 0));
    }
    std::filesystem::remove(path);
    state.counters["rows"] = input.exportGrid.rows();
}
BENCHMARK(readResultFromFile)->Arg(100)->Arg(10)->Unit(benchmark::kMillisecond);

} // namespace
