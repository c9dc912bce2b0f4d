// Speed of "Calibrate" through the main window: rasterising, the rows, their cell plots and refreshes.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPushButton>

#include <optional>

#include "render/CellPlot.h"
#include "render/DrawingSurface.h"
#include "ui/MainWindow.h"
#include "ui/PictureBox.h"

using namespace brimvale;

namespace {

// Platform services that show nothing and answer every dialog with a cancel.
class SilentDialogBackend : public DialogBackend {
public:
    std::optional<QString> chooseFile(const FileRequest&) override { return std::nullopt; }
    std::optional<PrinterChoice> choosePrinter(QPrinter&, const PrinterRequest&) override
    {
        return std::nullopt;
    }
};

class SilentMessages : public MessageService {
public:
    void show(const QString&, const QString&, Icon) override {}
};

class SilentClipboard : public ClipboardService {
public:
    void clear() override {}
    void setImage(const QImage&) override {}
};

class StillPointer : public MousePointer {
public:
    void set(Pointer pointer) override { m_current = pointer; }
    Pointer current() const override { return m_current; }

private:
    Pointer m_current = Pointer::Default;
};

struct Services {
    SilentDialogBackend backend;
    CommonDialog dialog{backend};
    SilentMessages messages;
    SilentClipboard clipboard;
    StillPointer pointer;
    DiscardedFailures failures;

    PlatformServices services() { return PlatformServices{dialog, messages, clipboard, pointer, failures}; }
};

// A window holding a record of 200 horizons that zig-zags down 0 to 1000 m over the whole value axis,
// and a packed matrix, with "Calibrate" offered for 512 rows (both size sliders at 100).
void prepare(MainWindow& window, bool confidence)
{
    DataSeries& data = window.dataSeries;
    constexpr int points = 200;
    for (int k = 0; k < points; ++k) {
        data.y[k] = 1000.0f * k / (points - 1);
        data.x[k] = (k % 2 == 0 ? 20.0f : 180.0f) + static_cast<float>(k % 7);
    }
    data.lastIndex = points - 1;
    data.verticalMin = 0.0f;
    data.verticalMax = 1000.0f;
    data.horizontalMin = 0.0f;
    data.horizontalMax = 200.0f;
    for (int i = 0; i < ProbabilityGrid::Steps; ++i) {
        for (int j = 0; j < ProbabilityGrid::Steps; ++j)
            window.probabilityGrid(i, j) = (i + j) % 4 + ((i * 7919 + j * 104729) % 10000 + 1) / 10001.0;
    }
    window.NowImportingData[0] = true;
    window.DrawDataCurve();
    window.NowImportingData[0] = false;
    window.Drawn[1] = true;
    window.Settings.probabilityMode = !confidence;
    window.Settings.confidenceMode = confidence;
}

// The whole click; with the window shown each row's refresh paints the section on the (offscreen)
// screen.
void BM_CalibrateThroughTheWindow(benchmark::State& state)
{
    Services services;
    MainWindow window(services.services());
    const bool confidence = state.range(0) != 0;
    const bool shown = state.range(1) != 0;
    if (shown) {
        window.show();
        QApplication::processEvents();
    }
    prepare(window, confidence);
    for (auto _ : state) {
        window.Command2->setEnabled(true);
        window.Command2_Click();
    }
    if (window.VerticalSteps() != 511)
        state.SkipWithError("the section does not have 512 rows");
    state.counters["rows"] = window.VerticalSteps() + 1;
}
BENCHMARK(BM_CalibrateThroughTheWindow)
    ->ArgNames({"confidence", "shown"})
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond);

// The cell plots of the same 512 rows alone, for comparison with the whole click.
void BM_PlotSectionRows(benchmark::State& state)
{
    Services services;
    MainWindow window(services.services());
    prepare(window, false);
    window.Command2_Click();
    DrawingSurface& surface = window.Picture1[2]->surface();
    for (auto _ : state) {
        for (int h = window.VerticalSteps(); h >= 0; --h)
            plotSectionRow(surface, window.Settings, window.sectionMatrix, CellView::Probability,
                           ProbabilitySource::PackedFraction, h);
        benchmark::DoNotOptimize(surface.image().constBits());
    }
}
BENCHMARK(BM_PlotSectionRows)->Unit(benchmark::kMillisecond);

} // namespace
