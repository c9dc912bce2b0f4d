// Cost of the overlays that are redrawn on every row change of the section view: curves, data figure.
#include <benchmark/benchmark.h>

#include <cmath>

#include "engine/RowSummary.h"
#include "render/DataCurve.h"
#include "render/OverlayCurves.h"

namespace {

using namespace brimvale;

constexpr int LastRow = 511;

// A section whose rows hold a bell of probabilities around a mode that wanders by up to 40 classes
// from row to row, so that most neighbours go through the valley test over a long stretch.
SectionMatrix wanderingSection()
{
    SectionMatrix section(LastRow);
    for (int h = 0; h <= LastRow; ++h) {
        const int mode = 100 + static_cast<int>(std::lround(80.0 * std::sin(h * 0.7)));
        for (int j = 0; j <= 200; ++j) {
            const double distance = std::abs(j - mode) / 20.0;
            const double p = 0.04 * std::exp(-distance * distance);
            const double code = j == mode ? 3.0 : distance < 1.0 ? 2.0 : distance < 2.0 ? 1.0 : 0.0;
            section(1, j, h) = (j == mode + 7 ? -1.0 : 1.0) * (code + p);
        }
    }
    return section;
}

void BM_SectionModeAndAverageCurves(benchmark::State& state)
{
    const SectionMatrix section = wanderingSection();
    const ProbabilityGrid grid;
    DrawingSurface probability(QSize(141, 141));
    DrawingSurface figure(QSize(141, 365));
    const CurveOptions options{true, false, true, false};
    for (auto _ : state) {
        figure.cls();
        drawModeCurves(grid, section, probability, figure, options);
        drawAverageCurves(grid, section, probability, figure, options);
        benchmark::DoNotOptimize(figure.image().constBits());
    }
    state.SetItemsProcessed(state.iterations() * (LastRow + 1));
}
BENCHMARK(BM_SectionModeAndAverageCurves)->Unit(benchmark::kMicrosecond);

void BM_SummariseEveryRow(benchmark::State& state)
{
    const SectionMatrix section = wanderingSection();
    for (auto _ : state) {
        for (int h = 0; h <= LastRow; ++h)
            benchmark::DoNotOptimize(summariseRow(section, h).modeColumn);
    }
    state.SetItemsProcessed(state.iterations() * (LastRow + 1));
}
BENCHMARK(BM_SummariseEveryRow)->Unit(benchmark::kMicrosecond);

// The data figure as the row-marker erase redraws it: 10 001 points and a running mean of 9 992.
void BM_RedrawDataFigure(benchmark::State& state)
{
    DataSeries data;
    data.lastIndex = DataSeries::Capacity - 1;
    data.horizontalMax = 1.0f;
    data.verticalMax = static_cast<float>(DataSeries::Capacity);
    for (int k = 0; k < DataSeries::Capacity; ++k) {
        const auto n = static_cast<std::size_t>(k);
        data.x[n] = 0.5f + 0.4f * static_cast<float>((k * 37) % 100) / 100.0f;
        data.y[n] = static_cast<float>(k);
        data.sx[n] = data.x[n];
        data.sy[n] = data.y[n];
    }
    DrawingSurface figure(QSize(141, 365));
    for (auto _ : state) {
        redrawDataFigure(data, true, DataSeries::Capacity - 9, figure, false);
        benchmark::DoNotOptimize(figure.image().constBits());
    }
    state.SetItemsProcessed(state.iterations() * DataSeries::Capacity);
}
BENCHMARK(BM_RedrawDataFigure)->Unit(benchmark::kMillisecond);

} // namespace
