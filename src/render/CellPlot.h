// The cell plots of the calibration matrix and section figures, cell by cell or a column, row or figure at
// once.
#pragma once

#include <QRgb>

#include <functional>
#include <memory>

#include "model/ProbabilityGrid.h"
#include "model/ProgramSettings.h"
#include "model/SectionMatrix.h"
#include "render/DrawingSurface.h"

namespace brimvale {

// Which view the cells are drawn in.
enum class CellView {
    Probability, // the ramp colour of the cell's probability
    Confidence,  // the fixed colour of the cell's confidence class
};

// How the probability view reads a cell's probability.
enum class ProbabilitySource {
    PackedFraction, // the fractional part of the magnitude (packed matrices and their sections)
    RawValue,       // the cell itself (matrices that hold probabilities only)
};

// The rectangle a cell fills, corners in the figure's scale; a cell spans from its own position to
// the position of the next cell, so the cells of a figure tile it without gaps or overlaps.
struct CellRect {
    double x1;
    double y1;
    double x2;
    double y2;
};

// Grid cell (i, j) at x = i * W / 200, y = (1 - j / 200) * H, filled down to the next row's point, as the
// section's cells are: row 200 at the top edge, row 0 on the bottom edge (and so below the figure).
CellRect gridCellRect(double scaleWidth, double scaleHeight, int i, int j);
// Section cell (i, h) at x = i * W / 200, y = h * H / verticalSteps; row 0 at the top. With
// verticalSteps 0 the one row fills the whole height.
CellRect sectionCellRect(double scaleWidth, double scaleHeight, int verticalSteps, int i, int h);

// The value the probability view looks up for a cell: twenty times its probability, as a Single.
float probabilityValue(double cell, ProbabilitySource source);

// The colour of a cell in a view, computed as the per-cell plots compute it.
QRgb cellColour(const ProgramSettings& settings, double cell, CellView view, ProbabilitySource source);

// --- one cell ---------------------------------------------------------------------------------
// Each fills the cell's rectangle in the figure's current scale, stores |v| back into v, and, in the
// probability view, leaves the three intensities in settings.colourComponents. The probability plots
// test the matrix cell (i, j) or (i, h) for the white rule, the confidence plots v itself. Indices
// outside the matrix fail with SubscriptOutOfRange.
void plotGridProbability(DrawingSurface& surface, ProgramSettings& settings, const ProbabilityGrid& grid,
                         float& v, int i, int j);
void plotSectionProbability(DrawingSurface& surface, ProgramSettings& settings, const SectionMatrix& section,
                            float& v, int i, int h);
void plotGridConfidence(DrawingSurface& surface, const ProgramSettings& settings, float& v, int i, int j);
void plotSectionConfidence(DrawingSurface& surface, const ProgramSettings& settings,
                           const SectionMatrix& section, float& v, int i, int h);

// --- many cells -------------------------------------------------------------------------------
// Called after each column (i) or row (h) is drawn, so the caller can advance its progress bar.
using CellProgress = std::function<void(int index)>;

// Column i (rows 0 to 200) of the grid figure, each cell's colour computed once from the grid.
void plotGridColumn(DrawingSurface& surface, const ProgramSettings& settings, const ProbabilityGrid& grid,
                    CellView view, ProbabilitySource source, int i);
// The whole grid figure, column by column from 0 to 200.
void plotGridFigure(DrawingSurface& surface, const ProgramSettings& settings, const ProbabilityGrid& grid,
                    CellView view, ProbabilitySource source, const CellProgress& columnDone = {});

// Column i (rows 0 to verticalSteps) of layer 1 of the section.
void plotSectionColumn(DrawingSurface& surface, const ProgramSettings& settings, const SectionMatrix& section,
                       CellView view, ProbabilitySource source, int i);
// Row h (columns 0 to 200) of layer 1 of the section, as the reconstruction and the result file
// reader draw it.
void plotSectionRow(DrawingSurface& surface, const ProgramSettings& settings, const SectionMatrix& section,
                    CellView view, ProbabilitySource source, int h);
class DeviceCells;
class CellColours;

// The rows of one section drawn one after another, the figure's cell edges mapped once for them all.
// The figure's size and scale, and the colour settings, must not change while it plots.
class SectionRowPlot {
public:
    SectionRowPlot(DrawingSurface& surface, const ProgramSettings& settings, const SectionMatrix& section,
                   CellView view, ProbabilitySource source);
    ~SectionRowPlot();
    SectionRowPlot(const SectionRowPlot&) = delete;
    SectionRowPlot& operator=(const SectionRowPlot&) = delete;
    // Row h, as plotSectionRow draws it.
    void plot(int h);

private:
    DrawingSurface& m_surface;
    const SectionMatrix& m_section;
    std::unique_ptr<DeviceCells> m_cells;
    std::unique_ptr<CellColours> m_colours;
};

// The columns of one figure, the grid's or the section's, drawn one after another, the figure's cell edges
// mapped once for them all; each column as plotGridColumn or plotSectionColumn draws it. The figure's size
// and scale, and the colour settings, must not change while it plots.
class ColumnPlot {
public:
    ColumnPlot(DrawingSurface& surface, const ProgramSettings& settings, const ProbabilityGrid& grid,
               CellView view, ProbabilitySource source);
    ColumnPlot(DrawingSurface& surface, const ProgramSettings& settings, const SectionMatrix& section,
               CellView view, ProbabilitySource source);
    ~ColumnPlot();
    ColumnPlot(const ColumnPlot&) = delete;
    ColumnPlot& operator=(const ColumnPlot&) = delete;
    void plot(int i);

private:
    DrawingSurface& m_surface;
    const ProbabilityGrid* m_grid = nullptr;
    const SectionMatrix* m_section = nullptr;
    std::unique_ptr<DeviceCells> m_cells;
    std::unique_ptr<CellColours> m_colours;
};
// The whole section figure, column by column from 0 to 200.
void plotSectionFigure(DrawingSurface& surface, const ProgramSettings& settings, const SectionMatrix& section,
                       CellView view, ProbabilitySource source, const CellProgress& columnDone = {});

} // namespace brimvale
