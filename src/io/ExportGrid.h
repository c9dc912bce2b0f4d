// The matrix handed to the result file writer: layer 1 of the section, 201 columns by a number of rows.
#pragma once

#include <cstddef>
#include <vector>

#include "model/SectionMatrix.h"

namespace brimvale {

// Cell (i, j): column i 0 to 200, row j 0 to rows() - 1.
class ExportGrid {
public:
    static constexpr int Columns = SectionMatrix::Columns;

    ExportGrid() = default;
    // A grid of the given number of rows, all zero; rows must not be negative.
    explicit ExportGrid(int rows) : m_rows(rows), m_cells(static_cast<std::size_t>(rows) * Columns, 0.0) {}

    // The calibrated layer of the section, rows 0 to its last row, as the save command copies it.
    static ExportGrid fromSection(const SectionMatrix& section)
    {
        ExportGrid grid(section.rows());
        // Row by row, as both hold their cells.
        for (int j = 0; j < section.rows(); ++j) {
            for (int i = 0; i < Columns; ++i)
                grid(i, j) = section(1, i, j);
        }
        return grid;
    }

    int rows() const { return m_rows; }

    double& operator()(int i, int j) { return m_cells[index(i, j)]; }
    double operator()(int i, int j) const { return m_cells[index(i, j)]; }
    // The Columns cells of row j, column 0 first.
    const double* row(int j) const { return m_cells.data() + index(0, j); }

    bool operator==(const ExportGrid&) const = default;

private:
    // Row by row, the order in which the writer takes the cells.
    static std::size_t index(int i, int j)
    {
        return static_cast<std::size_t>(j) * Columns + static_cast<std::size_t>(i);
    }

    int m_rows = 0;
    std::vector<double> m_cells;
};

} // namespace brimvale
