// brimvale-batch reconstruct: the example as a whole program run, and a batch of 100 records of 1000
// points against one matrix.
#include <benchmark/benchmark.h>

#include <string>
#include <utility>
#include <vector>

#include "support/BatchRuns.h"

namespace {

using namespace brimvale::bench;

// The program measured: this build's, or with BRIMVALE_BATCH_BASELINE set, another build's (the same
// benchmarks run for both, "/baseline" added to the name), so that two versions are compared in one run.
const QString Program = QStringLiteral(BRIMVALE_BATCH_PROGRAM);
const QString Baseline = qEnvironmentVariable("BRIMVALE_BATCH_BASELINE");

void BM_ReconstructExampleProgram(benchmark::State& state, const QString& program)
{
    const fs::path folder = scratchFolder("example");
    const QStringList arguments = {QStringLiteral("reconstruct"),
                                   QStringLiteral("--data"),
                                   text(Examples / "core-record.csv"),
                                   QStringLiteral("--matrix"),
                                   text(Examples / "corvane-matrix.csv"),
                                   QStringLiteral("--out"),
                                   text(folder / "section.csv"),
                                   QStringLiteral("--smoothing"),
                                   QStringLiteral("3")};
    for (auto _ : state)
        runProgram(state, program, arguments);
    fs::remove_all(folder);
}

void BM_ReconstructHundredRecordsProgram(benchmark::State& state, const QString& program)
{
    const fs::path folder = scratchFolder("hundred");
    const QStringList arguments = hundredRecordsArguments(folder);
    for (auto _ : state)
        runProgram(state, program, arguments);
    state.SetItemsProcessed(state.iterations() * 100);
    fs::remove_all(folder);
}

const bool Registered = [] {
    std::vector<std::pair<std::string, QString>> programs = {{"", Program}};
    if (!Baseline.isEmpty())
        programs.emplace_back("/baseline", Baseline);
    for (const auto& [suffix, program] : programs) {
        benchmark::RegisterBenchmark(("BM_ReconstructExampleProgram" + suffix).c_str(),
                                     BM_ReconstructExampleProgram, program)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark(("BM_ReconstructHundredRecordsProgram" + suffix).c_str(),
                                     BM_ReconstructHundredRecordsProgram, program)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Iterations(3);
    }
    return true;
}();

} // namespace
