// What the benchmarks that run brimvale-batch share: scratch folders, generated records, and the program
// run as a user runs it.
#pragma once

#include <benchmark/benchmark.h>

#include <QProcess>
#include <QStringList>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace brimvale::bench {

namespace fs = std::filesystem;

inline const fs::path Examples = BRIMVALE_EXAMPLES_FOLDER;

// An empty folder of that name under the system's temporary folder.
inline fs::path scratchFolder(const std::string& name)
{
    const fs::path folder = fs::temp_directory_path() / ("brimvale-bench-" + name);
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

// A pollen-like record of the given length going down 500 cm, its values within the example matrix's axis.
inline fs::path writeRecord(const fs::path& path, int points, int seed)
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

inline QString text(const fs::path& path)
{
    return QString::fromStdString(path.string());
}

// The arguments of reconstruct for 100 records of 1000 points, written into the folder, against the
// example matrix, the results going to the folder's "results".
inline QStringList hundredRecordsArguments(const fs::path& folder)
{
    QStringList arguments = {QStringLiteral("reconstruct"), QStringLiteral("--matrix"),
                             text(Examples / "corvane-matrix.csv"), QStringLiteral("--out-dir"),
                             text(folder / "results")};
    for (int r = 0; r < 100; ++r)
        arguments << QStringLiteral("--data")
                  << text(writeRecord(folder / ("record-" + std::to_string(r) + ".csv"), 1000, r));
    return arguments;
}

// Runs the program as a user does, start-up included; reports a failure to the benchmark.
inline void runProgram(benchmark::State& state, const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(-1);
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        state.SkipWithError(process.readAllStandardError().constData());
}

} // namespace brimvale::bench
