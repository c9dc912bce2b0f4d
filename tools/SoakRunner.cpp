// Imports, calibrates, saves and imports the result again, cycle after cycle, in one main window run
// without a screen, and prints the memory the process holds as it goes; fails when it keeps growing.
// brimvale-soak DATA MATRIX FOLDER [CYCLES [fresh]]: "fresh" takes a new window for every cycle.
#include <QApplication>

#include <malloc.h>

#include <fstream>
#include <iostream>
#include <string>

#include "cli/HeadlessWindow.h"

namespace {

long residentKiB()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("VmRSS:"))
            return std::stol(line.substr(6));
    return -1;
}

long heapInUseKiB()
{
    const struct mallinfo2 info = mallinfo2();
    return static_cast<long>((info.uordblks + info.hblkhd) / 1024);
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 4) {
        std::cerr << "usage: brimvale-soak DATA MATRIX FOLDER [CYCLES [fresh]]\n";
        return 2;
    }
    const std::filesystem::path data = argv[1];
    const std::filesystem::path matrix = argv[2];
    const std::filesystem::path result = std::filesystem::path(argv[3]) / "soak-result.csv";
    const int cycles = argc > 4 ? std::stoi(argv[4]) : 1000;
    const bool fresh = argc > 5 && std::string(argv[5]) == "fresh";
    constexpr int WarmUpCycles = 100; // caches, fonts and the allocator's pools settle in these
    constexpr int ReportEvery = 100;
    constexpr long AllowedGrowthKiB = 2048;

    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    auto window = std::make_unique<brimvale::HeadlessWindow>();
    long settledResident = 0;
    long settledHeap = 0;
    std::cout << "cycle  resident KiB  heap in use KiB\n";
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        if (fresh)
            window = std::make_unique<brimvale::HeadlessWindow>();
        const auto failed = [&](const std::optional<brimvale::StepProblem>& problem, const char* step) {
            if (!problem)
                return false;
            std::cerr << "cycle " << cycle << ": " << step << " failed: " << problem->message.toStdString()
                      << (problem->failure ? std::string(" ") + problem->failure->what() : std::string())
                      << '\n';
            return true;
        };
        // A result file read back sets the figure sliders from its rows by another factor than the one that
        // gives rows from the sliders; set back, they keep the section the same size from cycle to cycle.
        if (failed(window->setWidth(100), "width") || failed(window->setHeight(100), "height") ||
            failed(window->importData(data), "import data") ||
            failed(window->importMatrix(matrix), "import matrix") ||
            failed(window->calibrate(), "calibrate") || failed(window->saveMatrix(result), "save") ||
            failed(window->importResult(result), "import result"))
            return 1;
        if (cycle == WarmUpCycles) {
            settledResident = residentKiB();
            settledHeap = heapInUseKiB();
        }
        if (cycle % ReportEvery == 0 || cycle == 1)
            std::cout << cycle << "  " << residentKiB() << "  " << heapInUseKiB() << std::endl;
    }
    if (cycles <= WarmUpCycles)
        return 0;
    const long grownResident = residentKiB() - settledResident;
    const long grownHeap = heapInUseKiB() - settledHeap;
    std::cout << "after cycle " << WarmUpCycles << ": resident grew " << grownResident << " KiB, heap in use "
              << grownHeap << " KiB\n";
    return grownResident > AllowedGrowthKiB || grownHeap > AllowedGrowthKiB ? 1 : 0;
}
