// The mode and average curves as data: the marked position of every column or row, and how they join.
#include "engine/CurveTrack.h"

#include <cmath>

namespace brimvale {

bool carriesMark(double cell, CurveKind kind)
{
    return kind == CurveKind::Mode ? cell >= 3.0 : cell < 0.0;
}

CellColumn gridColumn(const ProbabilityGrid& grid, int i)
{
    CellColumn cells{};
    for (int j = 0; j < ProbabilityGrid::Steps; ++j)
        cells[static_cast<std::size_t>(j)] = grid(i, j);
    return cells;
}

CellColumn sectionRow(const SectionMatrix& section, int h)
{
    CellColumn cells{};
    for (int j = 0; j < SectionMatrix::Columns; ++j)
        cells[static_cast<std::size_t>(j)] = section(1, j, h);
    return cells;
}

CurveTrack gridTrack(const ProbabilityGrid& grid, CurveKind kind)
{
    // The mark of a column is its highest cell that carries one: sought from the top down.
    CurveTrack track(ProbabilityGrid::Steps, NoMark);
    for (int i = 0; i < ProbabilityGrid::Steps; ++i) {
        for (int j = ProbabilityGrid::Steps - 1; j >= 0; --j) {
            if (carriesMark(grid(i, j), kind)) {
                track[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(j);
                break;
            }
        }
    }
    return track;
}

CurveTrack sectionTrack(const SectionMatrix& section, CurveKind kind)
{
    // The mark of a row is its rightmost cell that carries one: sought from the right.
    CurveTrack track(static_cast<std::size_t>(section.rows()), NoMark);
    for (int h = 0; h < section.rows(); ++h) {
        for (int j = SectionMatrix::Columns - 1; j >= 0; --j) {
            if (carriesMark(section(1, j, h), kind)) {
                track[static_cast<std::size_t>(h)] = static_cast<std::int16_t>(j);
                break;
            }
        }
    }
    return track;
}

bool modesJoined(int a, int b, const CellColumn& earlier, const CellColumn& later)
{
    const int d = a - b;
    if (d >= -1 && d <= 1)
        return true;
    // The column whose mode is higher is the one examined, from the lower mode up to its own.
    const CellColumn& higher = d < -1 ? later : earlier;
    const int low = d < -1 ? a : b;
    const int high = d < -1 ? b : a;
    double rise = 0.0;     // S1: the signed steps of the magnitudes
    double distance = 0.0; // S2: the same steps without their signs
    for (int k = low; k < high; ++k) {
        const double step =
            std::abs(higher[static_cast<std::size_t>(k + 1)]) - std::abs(higher[static_cast<std::size_t>(k)]);
        rise += step;
        distance += std::abs(step);
    }
    // Equal exactly when no step went down.
    return rise == distance;
}

std::vector<CurvePiece> gridCurve(const ProbabilityGrid& grid, CurveKind kind)
{
    return curvePieces(gridTrack(grid, kind), kind, [&](int i) { return gridColumn(grid, i); });
}

std::vector<CurvePiece> sectionCurve(const SectionMatrix& section, CurveKind kind)
{
    return curvePieces(sectionTrack(section, kind), kind, [&](int h) { return sectionRow(section, h); });
}

} // namespace brimvale
