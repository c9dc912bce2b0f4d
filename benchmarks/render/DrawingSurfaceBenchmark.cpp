// Cost of the dense drawing of a section figure: 201 columns by 512 rows of points or cells.
#include <benchmark/benchmark.h>

#include <QPainter>

#include "render/DrawingSurface.h"

namespace {

using brimvale::DrawingSurface;

constexpr int Columns = 201;
constexpr int Rows = 512;
constexpr int LastRow = Rows - 1;

QRgb colourOf(int i, int h)
{
    return qRgb(i, h & 0xff, 128);
}

// The section figure at its default size (2175 x 5535 twips less the frame) or a larger one.
DrawingSurface sectionSurface(const benchmark::State& state)
{
    return DrawingSurface(QSize(static_cast<int>(state.range(0)), static_cast<int>(state.range(1))),
                          static_cast<qreal>(state.range(2)));
}

void sectionArguments(benchmark::internal::Benchmark* benchmark)
{
    benchmark->Args({141, 365, 1})->Args({400, 800, 2})->Unit(benchmark::kMillisecond);
}

// One PSet per cell, in the default twips scale, as the cell plots address the figure.
void BM_PSetSection(benchmark::State& state)
{
    DrawingSurface surface = sectionSurface(state);
    // The picture box's listener: a flag test per change.
    bool pending = false;
    surface.setChangeListener([&](DrawingSurface::Repaint) { pending = true; });
    for (auto _ : state) {
        const double w = surface.scaleWidth();
        const double h = surface.scaleHeight();
        for (int i = 0; i < Columns; ++i)
            for (int row = 0; row <= LastRow; ++row)
                surface.pset(i * w / 200, row * h / LastRow, colourOf(i, row));
        benchmark::DoNotOptimize(surface.image().constBits());
    }
    benchmark::DoNotOptimize(pending);
    state.SetItemsProcessed(state.iterations() * Columns * Rows);
}
BENCHMARK(BM_PSetSection)->Apply(sectionArguments);

// Filled cells from position(i) to position(i + 1), in a user scale of one unit per cell.
void BM_FillCellSection(benchmark::State& state)
{
    DrawingSurface surface = sectionSurface(state);
    surface.setScale(0, 0, Columns, Rows);
    for (auto _ : state) {
        for (int i = 0; i < Columns; ++i)
            for (int row = 0; row < Rows; ++row)
                surface.fillCell(i, row, i + 1, row + 1, colourOf(i, row));
        benchmark::DoNotOptimize(surface.image().constBits());
    }
    state.SetItemsProcessed(state.iterations() * Columns * Rows);
}
BENCHMARK(BM_FillCellSection)->Apply(sectionArguments);

// A data curve of 10 000 segments at DrawWidth 1 and 2, as the data figure draws it.
void BM_LineCurve(benchmark::State& state)
{
    DrawingSurface surface(QSize(141, 365));
    surface.setScale(0, 0, 1, 10000);
    surface.setDrawWidth(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        for (int n = 0; n < 10000; ++n)
            surface.line(0.5 + 0.4 * ((n * 37) % 100) / 100.0, n, 0.5 + 0.4 * (((n + 1) * 37) % 100) / 100.0,
                         n + 1, qRgb(0, 0, 255));
        benchmark::DoNotOptimize(surface.image().constBits());
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_LineCurve)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// For comparison: the same section with one QPainter per point, which the surface avoids.
void BM_QPainterPerPointSection(benchmark::State& state)
{
    QImage image(141, 365, QImage::Format_RGB32);
    for (auto _ : state) {
        for (int i = 0; i < Columns; ++i) {
            for (int row = 0; row <= LastRow; ++row) {
                QPainter painter(&image);
                painter.setPen(QColor::fromRgb(colourOf(i, row)));
                painter.drawPoint(QPointF(i * 141.0 / 200, row * 365.0 / LastRow));
            }
        }
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetItemsProcessed(state.iterations() * Columns * Rows);
}
BENCHMARK(BM_QPainterPerPointSection)->Unit(benchmark::kMillisecond);

} // namespace
