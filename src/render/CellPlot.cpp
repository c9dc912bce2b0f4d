// The cell plots of the calibration matrix and section figures, cell by cell or a column, row or figure at
// once.
#include "render/CellPlot.h"

#include <cmath>
#include <vector>

#include "model/Conversions.h"
#include "model/RuntimeFailure.h"
#include "render/ColourLookup.h"

namespace brimvale {

namespace {

constexpr int LastColumn = ProbabilityGrid::Steps - 1; // 200, also the last grid row
// A probability p enters the lookup as 200 / 10 * p.
constexpr double ProbabilityScale = 200.0 / 10.0;

void checkIndex(int index, int last)
{
    if (index < 0 || index > last)
        raiseFailure(RuntimeFailure::Kind::SubscriptOutOfRange, "Subscript out of range");
}

double columnEdge(double scaleWidth, int i)
{
    return i * scaleWidth / LastColumn;
}

double gridRowEdge(double scaleHeight, int j)
{
    return (1.0 - static_cast<double>(j) / LastColumn) * scaleHeight;
}

double sectionRowEdge(double scaleHeight, int verticalSteps, int h)
{
    // A section of one row (verticalSteps 0, as a result file may hold) has no row spacing to divide by.
    return verticalSteps > 0 ? h * scaleHeight / verticalSteps : h * scaleHeight;
}

// The cell edges of one figure, computed once for a whole column, row or figure.
struct Edges {
    std::vector<double> x; // x[i] .. x[i + 1] is column i
    std::vector<double> y; // y[r] .. y[r + 1] is row r

    // Row j of the grid runs down from its point, (1 - j / 200) * H, to the point of row j - 1.
    static Edges ofGrid(const DrawingSurface& surface)
    {
        Edges edges;
        const double w = surface.scaleWidth();
        const double h = surface.scaleHeight();
        for (int i = 0; i <= LastColumn + 1; ++i) {
            edges.x.push_back(columnEdge(w, i));
            edges.y.push_back(gridRowEdge(h, i - 1));
        }
        return edges;
    }

    static Edges ofSection(const DrawingSurface& surface, int verticalSteps)
    {
        Edges edges;
        const double w = surface.scaleWidth();
        const double h = surface.scaleHeight();
        for (int i = 0; i <= LastColumn + 1; ++i)
            edges.x.push_back(columnEdge(w, i));
        for (int r = 0; r <= verticalSteps + 1; ++r)
            edges.y.push_back(sectionRowEdge(h, verticalSteps, r));
        return edges;
    }

    void fill(DrawingSurface& surface, int i, int r, QRgb colour) const
    {
        const auto column = static_cast<std::size_t>(i);
        const auto row = static_cast<std::size_t>(r);
        surface.fillCell(x[column], y[row], x[column + 1], y[row + 1], colour);
    }
};

void fillRect(DrawingSurface& surface, const CellRect& rect, QRgb colour)
{
    surface.fillCell(rect.x1, rect.y1, rect.x2, rect.y2, colour);
}

void plotProbability(DrawingSurface& surface, ProgramSettings& settings, double testedCell, float& v,
                     const CellRect& rect)
{
    settings.colourComponents =
        probabilityComponents(settings.colourRamp, settings.zEnhancement, v, testedCell);
    v = std::fabs(v);
    fillRect(surface, rect, rgbOf(settings.colourComponents));
}

void plotConfidence(DrawingSurface& surface, const ProgramSettings& settings, float& v, const CellRect& rect)
{
    v = std::fabs(v);
    fillRect(surface, rect, classColour(v, settings.greyScale));
}

} // namespace

CellRect gridCellRect(double scaleWidth, double scaleHeight, int i, int j)
{
    return CellRect{columnEdge(scaleWidth, i), gridRowEdge(scaleHeight, j), columnEdge(scaleWidth, i + 1),
                    gridRowEdge(scaleHeight, j - 1)};
}

CellRect sectionCellRect(double scaleWidth, double scaleHeight, int verticalSteps, int i, int h)
{
    return CellRect{columnEdge(scaleWidth, i), sectionRowEdge(scaleHeight, verticalSteps, h),
                    columnEdge(scaleWidth, i + 1), sectionRowEdge(scaleHeight, verticalSteps, h + 1)};
}

float probabilityValue(double cell, ProbabilitySource source)
{
    if (source == ProbabilitySource::RawValue)
        return toSingle(ProbabilityScale * cell);
    const double magnitude = std::fabs(cell);
    // The fraction of a packed cell is its magnitude less Int of it.
    return toSingle((magnitude - std::floor(magnitude)) * ProbabilityScale);
}

QRgb cellColour(const ProgramSettings& settings, double cell, CellView view, ProbabilitySource source)
{
    if (view == CellView::Confidence)
        return classColour(toSingle(cell), settings.greyScale);
    return rgbOf(probabilityComponents(settings.colourRamp, settings.zEnhancement,
                                       probabilityValue(cell, source), cell));
}

void plotGridProbability(DrawingSurface& surface, ProgramSettings& settings, const ProbabilityGrid& grid,
                         float& v, int i, int j)
{
    checkIndex(i, LastColumn);
    checkIndex(j, LastColumn);
    plotProbability(surface, settings, grid(i, j), v,
                    gridCellRect(surface.scaleWidth(), surface.scaleHeight(), i, j));
}

void plotSectionProbability(DrawingSurface& surface, ProgramSettings& settings, const SectionMatrix& section,
                            float& v, int i, int h)
{
    checkIndex(i, LastColumn);
    checkIndex(h, section.verticalSteps());
    plotProbability(
        surface, settings, section(1, i, h), v,
        sectionCellRect(surface.scaleWidth(), surface.scaleHeight(), section.verticalSteps(), i, h));
}

void plotGridConfidence(DrawingSurface& surface, const ProgramSettings& settings, float& v, int i, int j)
{
    plotConfidence(surface, settings, v, gridCellRect(surface.scaleWidth(), surface.scaleHeight(), i, j));
}

void plotSectionConfidence(DrawingSurface& surface, const ProgramSettings& settings,
                           const SectionMatrix& section, float& v, int i, int h)
{
    plotConfidence(
        surface, settings, v,
        sectionCellRect(surface.scaleWidth(), surface.scaleHeight(), section.verticalSteps(), i, h));
}

void plotGridColumn(DrawingSurface& surface, const ProgramSettings& settings, const ProbabilityGrid& grid,
                    CellView view, ProbabilitySource source, int i)
{
    checkIndex(i, LastColumn);
    const Edges edges = Edges::ofGrid(surface);
    for (int j = 0; j <= LastColumn; ++j)
        edges.fill(surface, i, j, cellColour(settings, grid(i, j), view, source));
}

void plotGridFigure(DrawingSurface& surface, const ProgramSettings& settings, const ProbabilityGrid& grid,
                    CellView view, ProbabilitySource source, const CellProgress& columnDone)
{
    const Edges edges = Edges::ofGrid(surface);
    for (int i = 0; i <= LastColumn; ++i) {
        for (int j = 0; j <= LastColumn; ++j)
            edges.fill(surface, i, j, cellColour(settings, grid(i, j), view, source));
        if (columnDone)
            columnDone(i);
    }
}

void plotSectionColumn(DrawingSurface& surface, const ProgramSettings& settings, const SectionMatrix& section,
                       CellView view, ProbabilitySource source, int i)
{
    checkIndex(i, LastColumn);
    const Edges edges = Edges::ofSection(surface, section.verticalSteps());
    for (int h = 0; h <= section.verticalSteps(); ++h)
        edges.fill(surface, i, h, cellColour(settings, section(1, i, h), view, source));
}

void plotSectionRow(DrawingSurface& surface, const ProgramSettings& settings, const SectionMatrix& section,
                    CellView view, ProbabilitySource source, int h)
{
    checkIndex(h, section.verticalSteps());
    const double w = surface.scaleWidth();
    const double y1 = sectionRowEdge(surface.scaleHeight(), section.verticalSteps(), h);
    const double y2 = sectionRowEdge(surface.scaleHeight(), section.verticalSteps(), h + 1);
    for (int i = 0; i <= LastColumn; ++i)
        surface.fillCell(columnEdge(w, i), y1, columnEdge(w, i + 1), y2,
                         cellColour(settings, section(1, i, h), view, source));
}

void plotSectionFigure(DrawingSurface& surface, const ProgramSettings& settings, const SectionMatrix& section,
                       CellView view, ProbabilitySource source, const CellProgress& columnDone)
{
    const Edges edges = Edges::ofSection(surface, section.verticalSteps());
    for (int i = 0; i <= LastColumn; ++i) {
        for (int h = 0; h <= section.verticalSteps(); ++h)
            edges.fill(surface, i, h, cellColour(settings, section(1, i, h), view, source));
        if (columnDone)
            columnDone(i);
    }
}

} // namespace brimvale
