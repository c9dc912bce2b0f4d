// Cost of the main window's full redraw and view switch over a 201 x 201 matrix and a section of 201 x 512.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "ui/MainWindow.h"
#include "ui/PictureBox.h"
#include "ui/QtPlatformServices.h"

namespace {

using namespace brimvale;

constexpr std::int16_t LastRow = 511;

// The window at its start size, holding a packed matrix and a section of every class with probabilities
// spread over the ramp. On screen, every step of the progress bar repaints the bar at once, and with it
// the columns drawn since the last step; hidden, only the cells are drawn.
struct Figures {
    QtPlatformServices platform;
    MainWindow window{platform.services()};

    Figures(bool probability, bool onScreen)
    {
        window.sectionMatrix = SectionMatrix(LastRow);
        for (int i = 0; i <= 200; ++i) {
            for (int j = 0; j <= 200; ++j)
                window.probabilityGrid(i, j) = (i + j) % 4 + ((i * 37 + j * 11) % 50) / 1000.0;
            for (int h = 0; h <= LastRow; ++h)
                window.sectionMatrix(1, i, h) = (i + h) % 4 + ((i * 13 + h * 7) % 50) / 1000.0;
        }
        window.Drawn[1] = true;
        window.Drawn[2] = true;
        window.Settings.probabilityMode = probability;
        window.Settings.confidenceMode = !probability;
        if (onScreen)
            window.show();
        QCoreApplication::processEvents();
    }
};

void BM_RedrawFigures(benchmark::State& state, bool probability, bool onScreen)
{
    Figures figures(probability, onScreen);
    for (auto _ : state) {
        figures.window.RedrawFigures();
        benchmark::DoNotOptimize(figures.window.Picture1[2]->surface().image().constBits());
    }
    state.SetItemsProcessed(state.iterations() * 201 * (201 + LastRow + 1));
}
BENCHMARK_CAPTURE(BM_RedrawFigures, probability_on_screen, true, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RedrawFigures, confidence_on_screen, false, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RedrawFigures, probability_hidden, true, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RedrawFigures, confidence_hidden, false, false)->Unit(benchmark::kMillisecond);

void BM_SwitchToProb(benchmark::State& state, bool onScreen)
{
    Figures figures(true, onScreen);
    for (auto _ : state) {
        figures.window.SwitchToProb();
        benchmark::DoNotOptimize(figures.window.Picture1[2]->surface().image().constBits());
    }
    state.SetItemsProcessed(state.iterations() * 201 * (201 + LastRow + 1));
}
BENCHMARK_CAPTURE(BM_SwitchToProb, on_screen, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SwitchToProb, hidden, false)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
