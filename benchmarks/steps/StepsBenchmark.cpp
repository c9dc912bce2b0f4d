// The steps a user waits for, each through the main window's own handlers on the offscreen platform, and
// the batch tool's run of many records; at the end a table of each step's figure beside its target.
// Run: tools/build.sh bench (or build/benchmarks/steps/bench_steps).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPushButton>
#include <QSlider>

#include <cstdio>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/HeadlessWindow.h"
#include "support/BatchRuns.h"
#include "ui/MainWindow.h"

namespace {

using namespace brimvale;
using namespace brimvale::bench;

// A step that went wrong ends the run: its figure would measure something else.
void done(const std::optional<StepProblem>& problem)
{
    if (problem)
        throw std::runtime_error(problem->message.toStdString());
}

// A window run headless with the record and the example matrix imported, smoothing 3, the width slider at
// width percent.
struct Session {
    HeadlessWindow headless;
    MainWindow& window = headless.window();

    Session(int width, const fs::path& record = Examples / "core-record.csv")
    {
        done(headless.setWidth(width));
        done(headless.importData(record));
        done(headless.importMatrix(Examples / "corvane-matrix.csv"));
        done(headless.setSmoothing(3));
    }
    // "Calibrate", offered again each time as a change of range offers it.
    void calibrate()
    {
        window.Command2->setEnabled(true);
        done(headless.calibrate());
    }
};

void BM_Calibrate(benchmark::State& state, int width, int points)
{
    const fs::path folder = scratchFolder("calibrate");
    Session session(width, points ? writeRecord(folder / "record.csv", points, 1) : Examples / "core-record.csv");
    for (auto _ : state)
        session.calibrate();
    state.counters["rows"] = session.window.VerticalSteps() + 1;
}

void BM_ImportResult(benchmark::State& state, int width)
{
    const fs::path folder = scratchFolder("import");
    Session saved(width);
    saved.calibrate();
    done(saved.headless.saveMatrix(folder / "section.csv"));
    Session session(100);
    for (auto _ : state)
        done(session.headless.importResult(folder / "section.csv"));
    state.counters["rows"] = session.window.VerticalSteps() + 1;
}

void BM_RowSliderStep(benchmark::State& state, int width, int points)
{
    const fs::path folder = scratchFolder("slider");
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
    const fs::path folder = scratchFolder("save");
    Session session(100);
    session.calibrate();
    for (auto _ : state)
        done(session.headless.saveMatrix(folder / "section.csv"));
}

void BM_ReconstructHundredRecords(benchmark::State& state)
{
    const QStringList arguments = hundredRecordsArguments(scratchFolder("hundred"));
    for (auto _ : state)
        runProgram(state, QStringLiteral(BRIMVALE_BATCH_PROGRAM), arguments);
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
