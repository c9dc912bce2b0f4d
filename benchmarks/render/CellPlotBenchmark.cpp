// Cost of a full redraw of the calibration matrix (201 x 201 cells) and a section of 201 x 512 cells.
#include <benchmark/benchmark.h>

#include <cmath>

#include "render/CellPlot.h"

namespace {

using namespace brimvale;

constexpr int LastRow = 511;

struct Figures {
    ProgramSettings settings;
    ProbabilityGrid grid;
    SectionMatrix section{static_cast<std::int16_t>(LastRow)};

    Figures()
    {
        // Packed cells of every class with probabilities spread over the ramp.
        for (int i = 0; i <= 200; ++i) {
            for (int j = 0; j <= 200; ++j)
                grid(i, j) = (i + j) % 4 + ((i * 37 + j * 11) % 50) / 1000.0;
            for (int h = 0; h <= LastRow; ++h)
                section(1, i, h) = (i + h) % 4 + ((i * 13 + h * 7) % 50) / 1000.0;
        }
    }
};

// Both figures at their default size on screen (141 x 365 pixels) or a larger one at double density.
void figureArguments(benchmark::internal::Benchmark* benchmark)
{
    benchmark->Args({141, 365, 1})->Args({400, 800, 2})->Unit(benchmark::kMillisecond);
}

void BM_RedrawBothFigures(benchmark::State& state, CellView view)
{
    Figures figures;
    const QSize size(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const auto ratio = static_cast<qreal>(state.range(2));
    DrawingSurface gridSurface(size, ratio);
    DrawingSurface sectionSurface(size, ratio);
    int progress = 0;
    for (auto _ : state) {
        plotGridFigure(gridSurface, figures.settings, figures.grid, view, ProbabilitySource::PackedFraction,
                       [&](int i) { progress = i; });
        plotSectionFigure(sectionSurface, figures.settings, figures.section, view,
                          ProbabilitySource::PackedFraction, [&](int i) { progress = i; });
        benchmark::DoNotOptimize(gridSurface.image().constBits());
        benchmark::DoNotOptimize(sectionSurface.image().constBits());
    }
    benchmark::DoNotOptimize(progress);
    state.SetItemsProcessed(state.iterations() * 201 * (201 + LastRow + 1));
}
BENCHMARK_CAPTURE(BM_RedrawBothFigures, probability, CellView::Probability)->Apply(figureArguments);
BENCHMARK_CAPTURE(BM_RedrawBothFigures, confidence, CellView::Confidence)->Apply(figureArguments);

// The same probability redraw through the per-cell plots, which read the scale at every call.
void BM_RedrawBothFiguresCellByCell(benchmark::State& state)
{
    Figures figures;
    const QSize size(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const auto ratio = static_cast<qreal>(state.range(2));
    DrawingSurface gridSurface(size, ratio);
    DrawingSurface sectionSurface(size, ratio);
    for (auto _ : state) {
        for (int i = 0; i <= 200; ++i) {
            for (int j = 0; j <= 200; ++j) {
                float v = probabilityValue(figures.grid(i, j), ProbabilitySource::PackedFraction);
                plotGridProbability(gridSurface, figures.settings, figures.grid, v, i, j);
            }
            for (int h = 0; h <= LastRow; ++h) {
                float v = probabilityValue(figures.section(1, i, h), ProbabilitySource::PackedFraction);
                plotSectionProbability(sectionSurface, figures.settings, figures.section, v, i, h);
            }
        }
        benchmark::DoNotOptimize(gridSurface.image().constBits());
        benchmark::DoNotOptimize(sectionSurface.image().constBits());
    }
    state.SetItemsProcessed(state.iterations() * 201 * (201 + LastRow + 1));
}
BENCHMARK(BM_RedrawBothFiguresCellByCell)->Apply(figureArguments);

} // namespace
