// brimvale-batch reconstruct: the example as a whole program run, and a batch of 100 records of 1000
// points against one matrix.
#include <benchmark/benchmark.h>

#include <QProcess>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path Examples = BRIMVALE_EXAMPLES_FOLDER;

fs::path scratchFolder(const std::string& name)
{
    const fs::path folder = fs::temp_directory_path() / ("brimvale-bench-" + name);
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

// A pollen-like record of the given length going down 500 cm, values within the example matrix's axis.
void writeRecord(const fs::path& path, int points, int seed)
{
    std::mt19937 generator(static_cast<unsigned>(seed));
    std::uniform_real_distribution<double> noise(-1.0, 1.0);
    std::ostringstream text;
    text << "\"Depth (cm)\",\"Quercus pollen (%)\"\r\n";
    for (int k = 0; k < points; ++k) {
        const double depth = 500.0 * k / (points - 1);
        text << depth << ',' << 20.0 + 9.0 * std::sin(depth / (40.0 + seed)) + noise(generator) << "\r\n";
    }
    std::ofstream(path, std::ios::binary) << text.str();
}

// The program measured: this build's, or with BRIMVALE_BATCH_BASELINE set, another build's (the same
// benchmarks run for both, "/baseline" added to the name), so that two versions are compared in one run.
const QString Program = QStringLiteral(BRIMVALE_BATCH_PROGRAM);
const QString Baseline = qEnvironmentVariable("BRIMVALE_BATCH_BASELINE");

// Runs the program as a user does, start-up included; reports a failure to the benchmark.
void runProgram(benchmark::State& state, const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(-1);
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        state.SkipWithError(process.readAllStandardError().constData());
}

QString text(const fs::path& path)
{
    return QString::fromStdString(path.string());
}

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
    QStringList arguments = {QStringLiteral("reconstruct"), QStringLiteral("--matrix"),
                             text(Examples / "corvane-matrix.csv"), QStringLiteral("--out-dir"),
                             text(folder / "results")};
    for (int r = 0; r < 100; ++r) {
        const fs::path record = folder / ("record-" + std::to_string(r) + ".csv");
        writeRecord(record, 1000, r);
        arguments << QStringLiteral("--data") << text(record);
    }
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
