// The calibrated section: the rasterised data curve and the calibrated distributions, row by row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace brimvale {

// Cell (layer, i, h): layer 0 holds 1.0 where the data curve passes, layer 1 the calibrated cell values;
// i is the value column 0 to 200, h the section row 0 (top) to verticalSteps() (bottom).
class SectionMatrix {
public:
    static constexpr int Columns = 201;

    SectionMatrix() : SectionMatrix(0) {}
    // A matrix of rows 0 to verticalSteps, all zero; verticalSteps must not be negative.
    explicit SectionMatrix(std::int16_t verticalSteps)
        : m_verticalSteps(verticalSteps),
          m_cells(2 * static_cast<std::size_t>(Columns) * (static_cast<std::size_t>(verticalSteps) + 1), 0.0)
    {
    }

    std::int16_t verticalSteps() const { return m_verticalSteps; }
    int rows() const { return m_verticalSteps + 1; }

    double& operator()(int layer, int i, int h) { return m_cells[index(layer, i, h)]; }
    double operator()(int layer, int i, int h) const { return m_cells[index(layer, i, h)]; }

    bool operator==(const SectionMatrix&) const = default;

private:
    std::size_t index(int layer, int i, int h) const
    {
        return (static_cast<std::size_t>(layer) * rows() + static_cast<std::size_t>(h)) * Columns +
               static_cast<std::size_t>(i);
    }

    std::int16_t m_verticalSteps;
    std::vector<double> m_cells;
};

} // namespace brimvale
