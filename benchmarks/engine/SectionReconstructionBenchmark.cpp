// Speed of the running mean, the rasterised curve and the row-by-row calibration of a section.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "engine/RunningMean.h"
#include "engine/SectionReconstruction.h"

using namespace brimvale;

namespace {

// A record of the given number of horizons going down 0 to 1000 m while the value zig-zags between
// 5 and 25 on an axis from 0 to 30, as pollen curves do.
DataSeries zigZagRecord(int points)
{
    DataSeries series;
    for (int k = 0; k < points; ++k) {
        series.y[k] = 1000.0f * k / (points - 1);
        series.x[k] = (k % 2 == 0 ? 5.0f : 25.0f) + static_cast<float>(k % 7);
    }
    series.lastIndex = static_cast<float>(points - 1);
    series.verticalMin = 0.0f;
    series.verticalMax = 1000.0f;
    series.horizontalMin = 0.0f;
    series.horizontalMax = 30.0f;
    copyUnsmoothedCurve(series);
    return series;
}

// Every cell holds a packed value (class code and probability, some negative), as a Corvane matrix
// with both kinds does.
ProbabilityGrid packedGrid()
{
    ProbabilityGrid grid;
    for (int i = 0; i < ProbabilityGrid::Steps; ++i) {
        for (int j = 0; j < ProbabilityGrid::Steps; ++j) {
            const double value = (i + j) % 4 + ((i * 7919 + j * 104729) % 10000 + 1) / 10001.0;
            grid(i, j) = (i + j) % 13 == 0 ? -value : value;
        }
    }
    return grid;
}

void BM_RunningMean(benchmark::State& state)
{
    DataSeries series = zigZagRecord(DataSeries::Capacity);
    for (auto _ : state) {
        computeRunningMean(series, 10);
        benchmark::DoNotOptimize(series.sx.data());
    }
}
BENCHMARK(BM_RunningMean);

void BM_RasteriseCurve(benchmark::State& state)
{
    const DataSeries series = zigZagRecord(static_cast<int>(state.range(1)));
    const auto steps = static_cast<std::int16_t>(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(rasteriseCurve(series, steps, 1, 1));
}
BENCHMARK(BM_RasteriseCurve)
    ->ArgNames({"steps", "points"})
    ->Args({511, 200})
    ->Args({5110, 200})
    ->Args({5110, 10001});

void BM_CalibrateSection(benchmark::State& state)
{
    const DataSeries series = zigZagRecord(200);
    SectionMatrix section = rasteriseCurve(series, static_cast<std::int16_t>(state.range(0)), 1, 1);
    const ProbabilityGrid grid = packedGrid();
    for (auto _ : state) {
        calibrateSection(section, grid);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CalibrateSection)->ArgName("steps")->Arg(511)->Arg(5110)->Unit(benchmark::kMicrosecond);

// The worst case of one row: every cell of layer 0 marked, 201 x 201 multiply-adds.
void BM_CalibrateFullyMarkedRow(benchmark::State& state)
{
    SectionMatrix section(0);
    for (int j = 0; j < SectionMatrix::Columns; ++j)
        section(0, j, 0) = 1.0;
    const ProbabilityGrid grid = packedGrid();
    for (auto _ : state) {
        calibrateRow(section, grid, 0);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CalibrateFullyMarkedRow)->Unit(benchmark::kMicrosecond);

} // namespace
