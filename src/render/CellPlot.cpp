// The cell plots of the calibration matrix and section figures, cell by cell or a column, row or figure at
// once.
#include "render/CellPlot.h"

#include <array>

#include <bit>
#include <cmath>
#include <cstdint>
#include <optional>
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

// The colours of a figure's cell values: a figure holds few distinct values (zeros above all, and a
// section's rows copy matrix columns), whose colour is looked up once and kept, by the value's bits, in a
// small table. A cell that covers no pixel is only checked: a value no view can show breaks off the
// drawing whether or not it would be seen. The settings must not change while the colours are in use.
class CellColours {
public:
    CellColours(const ProgramSettings& settings, CellView view, ProbabilitySource source)
        : m_settings(settings), m_view(view), m_source(source)
    {
    }

    QRgb of(double cell)
    {
        const auto bits = std::bit_cast<std::uint64_t>(cell);
        Entry& entry = m_entries[slot(bits)];
        if (entry.state != State::Coloured || entry.bits != bits) {
            const QRgb colour = cellColour(m_settings, cell, m_view, m_source);
            entry = Entry{bits, colour, State::Coloured};
        }
        return entry.colour;
    }

    // Fails as of(cell) would, without the lookup.
    void check(double cell)
    {
        const auto bits = std::bit_cast<std::uint64_t>(cell);
        Entry& entry = m_entries[slot(bits)];
        if (entry.state != State::Empty && entry.bits == bits)
            return;
        if (m_view == CellView::Confidence)
            toSingle(cell);
        else
            probabilityValue(cell, m_source);
        entry = Entry{bits, 0, State::Checked};
    }

private:
    enum class State : std::uint8_t { Empty, Checked, Coloured };
    struct Entry {
        std::uint64_t bits = 0;
        QRgb colour = 0;
        State state = State::Empty;
    };
    static constexpr int SlotBits = 9;

    static std::size_t slot(std::uint64_t bits) { return (bits * 0x9E3779B97F4A7C15u) >> (64 - SlotBits); }

    const ProgramSettings& m_settings;
    CellView m_view;
    ProbabilitySource m_source;
    std::array<Entry, std::size_t{1} << SlotBits> m_entries{};
};

// The device pixel edges of one figure's cells, computed once for a whole column, row or figure: the
// pixels each cell fills are those fillCell fills for its rectangle. A cell that covers no pixel (rows
// thinner than a pixel mostly do) is skipped before its colour is looked up.
class DeviceCells {
public:
    static DeviceCells ofGrid(const DrawingSurface& surface)
    {
        std::vector<double> x;
        std::vector<double> y;
        for (int i = 0; i <= LastColumn + 1; ++i) {
            x.push_back(columnEdge(surface.scaleWidth(), i));
            // Row j of the grid runs down from its point, (1 - j / 200) * H, to the point of row j - 1.
            y.push_back(gridRowEdge(surface.scaleHeight(), i - 1));
        }
        return DeviceCells(surface, x, y);
    }

    static DeviceCells ofSection(const DrawingSurface& surface, int verticalSteps)
    {
        std::vector<double> x;
        std::vector<double> y;
        for (int i = 0; i <= LastColumn + 1; ++i)
            x.push_back(columnEdge(surface.scaleWidth(), i));
        for (int r = 0; r <= verticalSteps + 1; ++r)
            y.push_back(sectionRowEdge(surface.scaleHeight(), verticalSteps, r));
        return DeviceCells(surface, x, y);
    }

    // Whether row r fills no pixel at all, whatever its columns.
    bool rowEmpty(int r) const { return m_y.empty[static_cast<std::size_t>(r)] != 0; }
    bool columnEmpty(int i) const { return m_x.empty[static_cast<std::size_t>(i)] != 0; }

    // Cell (i, r) of a column and a row that are not empty.
    void fill(DrawingSurface::CellBatch& batch, int i, int r, QRgb colour) const
    {
        const auto column = static_cast<std::size_t>(i);
        const auto row = static_cast<std::size_t>(r);
        batch.fill(m_x.edge[column], m_y.edge[row], m_x.edge[column + 1], m_y.edge[row + 1], colour);
    }

private:
    // The device edges of one direction, and for each cell between two of them whether it is empty: no
    // pixel between its edges, or an edge that maps nowhere (which fillCell leaves undrawn).
    struct Edges {
        std::vector<int> edge; // cell k fills from edge[k] to edge[k + 1]; 0 where an edge maps nowhere
        std::vector<unsigned char> empty;

        explicit Edges(const std::vector<std::optional<int>>& mapped)
        {
            for (const std::optional<int>& at : mapped)
                edge.push_back(at.value_or(0));
            for (std::size_t k = 0; k + 1 < mapped.size(); ++k)
                empty.push_back(!mapped[k] || !mapped[k + 1] || *mapped[k] == *mapped[k + 1] ? 1 : 0);
        }
    };

    DeviceCells(const DrawingSurface& surface, const std::vector<double>& x, const std::vector<double>& y)
        : m_x(surface.deviceEdgesX(x)), m_y(surface.deviceEdgesY(y))
    {
    }

    Edges m_x; // columns
    Edges m_y; // rows
};

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

ColumnPlot::ColumnPlot(DrawingSurface& surface, const ProgramSettings& settings, const ProbabilityGrid& grid,
                       CellView view, ProbabilitySource source)
    : m_surface(surface), m_grid(&grid),
      m_cells(std::make_unique<DeviceCells>(DeviceCells::ofGrid(surface))),
      m_colours(std::make_unique<CellColours>(settings, view, source))
{
}

ColumnPlot::ColumnPlot(DrawingSurface& surface, const ProgramSettings& settings, const SectionMatrix& section,
                       CellView view, ProbabilitySource source)
    : m_surface(surface), m_section(&section),
      m_cells(std::make_unique<DeviceCells>(DeviceCells::ofSection(surface, section.verticalSteps()))),
      m_colours(std::make_unique<CellColours>(settings, view, source))
{
}

ColumnPlot::~ColumnPlot() = default;

void ColumnPlot::plot(int i)
{
    checkIndex(i, LastColumn);
    const int lastRow = m_grid ? LastColumn : m_section->verticalSteps();
    DrawingSurface::CellBatch batch(m_surface);
    for (int r = 0; r <= lastRow; ++r) {
        const double cell = m_grid ? (*m_grid)(i, r) : (*m_section)(1, i, r);
        if (m_cells->columnEmpty(i) || m_cells->rowEmpty(r))
            m_colours->check(cell);
        else
            m_cells->fill(batch, i, r, m_colours->of(cell));
    }
}

void plotGridColumn(DrawingSurface& surface, const ProgramSettings& settings, const ProbabilityGrid& grid,
                    CellView view, ProbabilitySource source, int i)
{
    ColumnPlot(surface, settings, grid, view, source).plot(i);
}

void plotGridFigure(DrawingSurface& surface, const ProgramSettings& settings, const ProbabilityGrid& grid,
                    CellView view, ProbabilitySource source, const CellProgress& columnDone)
{
    ColumnPlot columns(surface, settings, grid, view, source);
    for (int i = 0; i <= LastColumn; ++i) {
        columns.plot(i);
        if (columnDone)
            columnDone(i);
    }
}

void plotSectionColumn(DrawingSurface& surface, const ProgramSettings& settings, const SectionMatrix& section,
                       CellView view, ProbabilitySource source, int i)
{
    ColumnPlot(surface, settings, section, view, source).plot(i);
}

SectionRowPlot::SectionRowPlot(DrawingSurface& surface, const ProgramSettings& settings,
                               const SectionMatrix& section, CellView view, ProbabilitySource source)
    : m_surface(surface), m_section(section),
      m_cells(std::make_unique<DeviceCells>(DeviceCells::ofSection(surface, section.verticalSteps()))),
      m_colours(std::make_unique<CellColours>(settings, view, source))
{
}

SectionRowPlot::~SectionRowPlot() = default;

void SectionRowPlot::plot(int h)
{
    checkIndex(h, m_section.verticalSteps());
    const bool rowEmpty = m_cells->rowEmpty(h);
    DrawingSurface::CellBatch batch(m_surface);
    for (int i = 0; i <= LastColumn; ++i) {
        if (rowEmpty || m_cells->columnEmpty(i))
            m_colours->check(m_section(1, i, h));
        else
            m_cells->fill(batch, i, h, m_colours->of(m_section(1, i, h)));
    }
}

void plotSectionRow(DrawingSurface& surface, const ProgramSettings& settings, const SectionMatrix& section,
                    CellView view, ProbabilitySource source, int h)
{
    SectionRowPlot(surface, settings, section, view, source).plot(h);
}

void plotSectionFigure(DrawingSurface& surface, const ProgramSettings& settings, const SectionMatrix& section,
                       CellView view, ProbabilitySource source, const CellProgress& columnDone)
{
    ColumnPlot columns(surface, settings, section, view, source);
    for (int i = 0; i <= LastColumn; ++i) {
        columns.plot(i);
        if (columnDone)
            columnDone(i);
    }
}

} // namespace brimvale
