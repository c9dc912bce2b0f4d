// The calibration matrix: 201 input-value columns by 201 calibrated-value rows of packed cell values.
#pragma once

#include <array>
#include <cstddef>

namespace brimvale {

// Cell (i, j): column i is the input-value step, row j the calibrated-value step, both 0 to 200.
// The integer part of a cell's magnitude is its confidence class code, the fraction its probability,
// a negative sign marks the average of its column; class 3 or more marks the mode.
class ProbabilityGrid {
public:
    static constexpr int Steps = 201;

    double& operator()(int i, int j) { return m_cells[index(i, j)]; }
    double operator()(int i, int j) const { return m_cells[index(i, j)]; }

    void clear() { m_cells.fill(0.0); }

    bool operator==(const ProbabilityGrid&) const = default;

private:
    static std::size_t index(int i, int j) { return static_cast<std::size_t>(i) * Steps + j; }

    std::array<double, Steps * Steps> m_cells{};
};

// The climate value of each calibrated-value step.
using AxisValues = std::array<float, ProbabilityGrid::Steps>;

} // namespace brimvale
