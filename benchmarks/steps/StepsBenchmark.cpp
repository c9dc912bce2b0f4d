// The steps a user waits for, each through the main window's own handlers on the offscreen platform, and
// the batch tool's run of many records; at the end a table of each step's figure beside its target.
// Run: tools/build.sh bench (or build/benchmarks/steps/bench_steps).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QProcess>
#include <QPushButton>
#include <QSlider>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

#include "ui/MainWindow.h"

namespace {

using namespace brimvale;
namespace fs = std::filesystem;

const fs::path Examples = BRIMVALE_EXAMPLES_FOLDER;

fs::path scratch(const std::string& name)
{
    const fs::path folder = fs::temp_directory_path() / ("brimvale-steps-" + name);
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

// File dialogs answer with the path given last; nothing else is ever shown.
struct QuietServices {
    struct Dialogs : DialogBackend {
        QString next;
        std::optional<QString> chooseFile(const FileRequest&) override { return next; }
        std::optional<PrinterChoice> choosePrinter(QPrinter&, const PrinterRequest&) override { return {}; }
    } backend;
    CommonDialog dialog{backend};
    struct : MessageService {
        void show(const QString&, const QString&, Icon) override {}
    } messages;
    struct : ClipboardService {
        void clear() override {}
        void setImage(const QImage&) override {}
    } clipboard;
    struct : MousePointer {
        void set(Pointer) override {}
        Pointer current() const override { return Pointer::Default; }
    } pointer;
    DiscardedFailures failures;
    PlatformServices services() { return PlatformServices{dialog, messages, clipboard, pointer, failures}; }
};

// A pollen-like record of the given length going down 500 cm, its values within the example matrix's axis.
fs::path writeRecord(const fs::path& path, int points, int seed)
{
    std::mt19937 generator(static_cast<unsigned>(seed));
    std::uniform_real_distribution<double> noise(-1.0, 1.0);
    std::ofstream text(path, std::ios::binary);
    text << "\"Depth (cm)\",\"Quercus pollen (%)\"\r\n";
    for (int k = 0; k < points; ++k) {
        const double depth = 500.0 * k / (points - 1);
        text << depth << ',' << 20.0 + 9.0 * std::sin(depth / (40.0 + seed)) + noise(generator) << "\r\n";
    }
    return path;
}

// A window with the record and the example matrix imported, smoothing 3, the width slider at width percent.
struct Session {
    QuietServices platform;
    MainWindow window{platform.services()};

    Session(int width, const fs::path& record = Examples / "core-record.csv")
    {
        window.Slider1->setValue(width);
        open(record, 0);
        open(Examples / "corvane-matrix.csv", 1);
        window.Slider3->setValue(3);
    }
    void open(const fs::path& file, int figure)
    {
        platform.backend.next = QString::fromStdString(file.string());
        window.Command1[figure]->click();
    }
    void calibrate()
    {
        window.Command2->setEnabled(true);
        window.Command2_Click();
    }
};

void BM_Calibrate(benchmark::State& state, int width, int points)
{
    const fs::path folder = scratch("calibrate");
    Session session(width, points ? writeRecord(folder / "record.csv", points, 1) : Examples / "core-record.csv");
    for (auto _ : state)
        session.calibrate();
    state.counters["rows"] = session.window.VerticalSteps() + 1;
}

void BM_ImportResult(benchmark::State& state, int width)
{
    const fs::path folder = scratch("import");
    Session saved(width);
    saved.calibrate();
    saved.platform.backend.next = QString::fromStdString((folder / "section.csv").string());
    saved.window.SaveMatrix_Click();
    Session session(100);
    for (auto _ : state)
        session.open(folder / "section.csv", 2);
    if (!session.window.Drawn[2])
        state.SkipWithError("the section was not read");
    state.counters["rows"] = session.window.VerticalSteps() + 1;
}

void BM_RowSliderStep(benchmark::State& state, int width, int points)
{
    const fs::path folder = scratch("slider");
    Session session(width, points ? writeRecord(folder / "record.csv", points, 2) : Examples / "core-record.csv");
    session.calibrate();
    session.window.Command3->click();
    const int last = session.window.VerticalSteps();
    int row = last / 3;
    for (auto _ : state) {
        row = row + 1 < last ? row + 1 : 1;
        session.window.Slider5->setValue(row);
    }
}

void BM_RedrawFigures(benchmark::State& state)
{
    Session session(100);
    session.calibrate();
    for (auto _ : state)
        session.window.RedrawFigures();
}

void BM_SaveMatrix(benchmark::State& state)
{
    const fs::path folder = scratch("save");
    Session session(100);
    session.calibrate();
    session.platform.backend.next = QString::fromStdString((folder / "section.csv").string());
    for (auto _ : state)
        session.window.SaveMatrix_Click();
}

void BM_ReconstructHundredRecords(benchmark::State& state)
{
    const fs::path folder = scratch("hundred");
    QStringList arguments = {"reconstruct", "--matrix", QString::fromStdString((Examples / "corvane-matrix.csv").string()),
                             "--out-dir", QString::fromStdString((folder / "results").string())};
    for (int r = 0; r < 100; ++r)
        arguments << "--data" << QString::fromStdString(writeRecord(folder / ("record-" + std::to_string(r) + ".csv"), 1000, r).string());
    for (auto _ : state) {
        QProcess process;
        process.start(QStringLiteral(BRIMVALE_BATCH_PROGRAM), arguments);
        process.waitForFinished(-1);
        if (process.exitCode() != 0)
            state.SkipWithError(process.readAllStandardError().constData());
    }
}

// Each step: its benchmark, its target in milliseconds, and whether the target is wall-clock time.
struct Step {
    std::string name;
    double targetMs;
    bool wall;
};

const std::vector<Step>& steps()
{
    static const std::vector<Step> all = {
        {"Calibrate, 512 rows", 5, false},
        {"Calibrate, 512 rows, 10001-point record", 5, false},
        {"Calibrate, 5110 rows", 30, false},
        {"Import Brimvale file, 512 rows", 10, false},
        {"Import Brimvale file, 5110 rows", 60, false},
        {"Slider5 step, 5110 rows", 2, false},
        {"Slider5 step, 10001-point record", 2, false},
        {"RedrawFigures, probability view, 512 rows", 5, false},
        {"Save Matrix, 512 rows", 10, true},
        {"reconstruct, 100 records x 1000 points", 600, true},
    };
    return all;
}

void registerSteps()
{
    const auto add = [](const Step& step, auto function) {
        auto* benchmark = benchmark::RegisterBenchmark(step.name.c_str(), function)->Unit(benchmark::kMillisecond);
        if (step.wall)
            benchmark->UseRealTime();
        if (step.targetMs >= 100)
            benchmark->Iterations(3);
    };
    const std::vector<Step>& all = steps();
    add(all[0], [](benchmark::State& s) { BM_Calibrate(s, 100, 0); });
    add(all[1], [](benchmark::State& s) { BM_Calibrate(s, 100, 10001); });
    add(all[2], [](benchmark::State& s) { BM_Calibrate(s, 10, 0); });
    add(all[3], [](benchmark::State& s) { BM_ImportResult(s, 100); });
    add(all[4], [](benchmark::State& s) { BM_ImportResult(s, 10); });
    add(all[5], [](benchmark::State& s) { BM_RowSliderStep(s, 10, 0); });
    add(all[6], [](benchmark::State& s) { BM_RowSliderStep(s, 100, 10001); });
    add(all[7], BM_RedrawFigures);
    add(all[8], BM_SaveMatrix);
    add(all[9], BM_ReconstructHundredRecords);
}

// With --growth: "Calibrate" over the widths that give 512 to 5111 rows and records of 1000 to 10001
// points, and "Import Brimvale file" over the same rows, to show how each grows.
void registerGrowth()
{
    for (const int width : {100, 50, 20, 10}) {
        for (const int points : {1000, 3000, 10001}) {
            const std::string name = "Growth: Calibrate, width " + std::to_string(width) + ", " +
                                     std::to_string(points) + " points";
            benchmark::RegisterBenchmark(name.c_str(), [=](benchmark::State& s) { BM_Calibrate(s, width, points); })
                ->Unit(benchmark::kMillisecond);
        }
        const std::string name = "Growth: Import Brimvale file, width " + std::to_string(width);
        benchmark::RegisterBenchmark(name.c_str(), [=](benchmark::State& s) { BM_ImportResult(s, width); })
            ->Unit(benchmark::kMillisecond);
    }
}

// Keeps the median of each step's repetitions for the table.
class TableReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> medians; // milliseconds

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                const Step* step = nullptr;
                for (const Step& candidate : steps())
                    if (run.run_name.function_name == candidate.name)
                        step = &candidate;
                if (step)
                    medians[step->name] = (step->wall ? run.GetAdjustedRealTime() : run.GetAdjustedCPUTime());
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    std::vector<char*> arguments;
    bool growth = false;
    for (int i = 0; i < argc; ++i) {
        if (std::string(argv[i]) == "--growth")
            growth = true;
        else
            arguments.push_back(argv[i]);
    }
    std::string repetitions = "--benchmark_repetitions=5";
    std::string aggregates = "--benchmark_report_aggregates_only=true";
    arguments.push_back(repetitions.data());
    arguments.push_back(aggregates.data());
    int count = static_cast<int>(arguments.size());
    benchmark::Initialize(&count, arguments.data());
    registerSteps();
    if (growth)
        registerGrowth();
    TableReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    std::printf("\n%-44s %12s %12s\n", "Step (median, CPU time unless wall)", "target ms", "measured ms");
    int missed = 0;
    for (const Step& step : steps()) {
        const auto found = reporter.medians.find(step.name);
        if (found == reporter.medians.end())
            continue;
        const bool met = found->second <= step.targetMs;
        missed += met ? 0 : 1;
        std::printf("%-44s %12.1f %12.2f %s%s\n", step.name.c_str(), step.targetMs, found->second,
                    step.wall ? "wall " : "", met ? "" : "ABOVE TARGET");
    }
    benchmark::Shutdown();
    return missed == 0 ? 0 : 1;
}
