// The printed page: the figures, the section view, the frames, the labels and the legend, in that order.
#include "print/PageComposition.h"

#include <algorithm>
#include <cmath>

#include "model/Conversions.h"
#include "model/NumberText.h"
#include "print/PageMapping.h"
#include "render/CellPlot.h"
#include "render/ColourLookup.h"
#include "render/ColourRampDrawing.h"
#include "render/DataCurve.h"
#include "render/RowIntervalPanel.h"
#include "render/RowMarker.h"
#include "render/RowSummaryBlock.h"

namespace brimvale {

namespace {

constexpr int LastColumn = SectionMatrix::Columns - 1;
constexpr QRgb FrameColour = 0xff7f7f7f; // RGB(127, 127, 127)
constexpr QRgb Black = 0xff000000;
constexpr QRgb Red = 0xffff0000;
constexpr QRgb Blue = 0xff0000ff;
// Confidence classes on paper: light, dark and the mode, in colour and in grey scale.
constexpr QRgb Light = 0xffc8ffc8;     // RGB(200, 255, 200)
constexpr QRgb Dark = 0xff327f32;      // RGB(50, 127, 50)
constexpr QRgb LightGrey = 0xffc8c8c8; // RGB(200, 200, 200)
constexpr QRgb DarkGrey = 0xff646464;  // RGB(100, 100, 100)
// A printed label is estimated at this many twips per character and point of font size.
constexpr double CharacterWidth = 10.8;
// Detail lines of the legend stand this far right of its headings (twips on the window).
constexpr double DetailIndent = 60.0;
// The frames stand this many times the frame thickness (twips) outside the figures.
constexpr double FrameDistance = 3.0;

int penWidth(float width)
{
    return std::max<int>(toInteger(width), 1);
}

// The pen widths of the page, all computed before anything is printed.
struct PenWidths {
    int dot;
    int runningMean;
    int frame;

    static PenWidths of(const PrintOptions& options)
    {
        return PenWidths{dotWidth(options), runningMeanWidth(options), frameWidth(options)};
    }
};

class Composer {
public:
    Composer(const PageSnapshot& snapshot, PrintPage& page)
        : m_snapshot(snapshot), m_settings(*snapshot.settings), m_options(m_settings.printOptions),
          m_map(PageMapping::forZoom(m_options.zoom)), m_widths(PenWidths::of(m_options)), m_page(page)
    {
    }

    void compose()
    {
        m_page.setDrawWidth(m_widths.dot);
        if (m_snapshot.drawn[0])
            printDataFigure();
        if (m_snapshot.drawn[1] && m_snapshot.probabilityFigureShown)
            printGrid();
        if (m_snapshot.drawn[2])
            printSection();
        if (m_snapshot.sectionView) {
            printSectionPanels(*m_snapshot.sectionView);
            printSummaryBlock(*m_snapshot.sectionView);
        }
        printFrames();
        printLabels();
        printLegend();
        m_page.endDocument();
    }

private:
    // Joins points n and n + 1 for n below `segments` when VerticalMin <= Y(n) and Y(n + 1) < VerticalMax:
    // the page has no figure box that would cut a curve running beyond the range.
    void printCurve(const std::vector<float>& xs, const std::vector<float>& ys, int segments, QRgb colour)
    {
        const DataSeries& data = *m_snapshot.data;
        const QRectF& figure = m_snapshot.figures[0];
        const double spanX = static_cast<double>(data.horizontalMax) - data.horizontalMin;
        const double spanY = static_cast<double>(data.verticalMax) - data.verticalMin;
        const auto point = [&](int n) {
            const std::size_t k = static_cast<std::size_t>(n);
            return m_map(QPointF(
                (xs[k] - static_cast<double>(data.horizontalMin)) * figure.width() / spanX + figure.left(),
                (ys[k] - static_cast<double>(data.verticalMin)) * figure.height() / spanY + figure.top()));
        };
        const int last = std::min(segments, DataSeries::Capacity - 1);
        for (int n = 0; n < last; ++n) {
            const std::size_t k = static_cast<std::size_t>(n);
            if (!(data.verticalMin <= ys[k] && ys[k + 1] < data.verticalMax))
                continue;
            const QPointF from = point(n);
            const QPointF to = point(n + 1);
            // An empty range leaves no place to print at.
            if (std::isfinite(from.x()) && std::isfinite(from.y()) && std::isfinite(to.x()) &&
                std::isfinite(to.y()))
                m_page.line(from, to, colour);
        }
    }

    void printDataFigure()
    {
        const DataSeries& data = *m_snapshot.data;
        const bool grey = m_settings.greyScale;
        printCurve(data.x, data.y, static_cast<int>(data.lastIndex), dataCurveColour(grey));
        if (m_snapshot.smoothing && m_snapshot.runningMeanPoints > 1) {
            m_page.setDrawWidth(m_widths.runningMean);
            printCurve(data.sx, data.sy, m_snapshot.runningMeanPoints - 1, runningMeanColour(grey));
            m_page.setDrawWidth(m_widths.dot);
        }
    }

    void printCell(double cell, double x, double y)
    {
        if (const std::optional<QRgb> colour = cellDotColour(cell, m_settings, m_snapshot.showMode))
            m_page.dot(m_map(QPointF(x, y)), *colour);
    }

    void printGrid()
    {
        const QRectF& figure = m_snapshot.figures[1];
        for (int i = 0; i <= LastColumn; ++i)
            for (int j = 0; j <= LastColumn; ++j)
                printCell((*m_snapshot.grid)(i, j), figure.width() * i / LastColumn + figure.left(),
                          (1.0 - static_cast<double>(j) / LastColumn) * figure.height() + figure.top());
    }

    void printSection()
    {
        const SectionMatrix& section = *m_snapshot.section;
        const QRectF& figure = m_snapshot.figures[2];
        const int steps = section.verticalSteps();
        for (int i = 0; i <= LastColumn; ++i)
            for (int h = 0; h <= steps; ++h)
                printCell(section(1, i, h), figure.width() * i / LastColumn + figure.left(),
                          figure.height() * rowFraction(h, steps) + figure.top());
    }

    // The row profile, colour scale, row marker and interval panel as the section view draws them.
    void printSectionPanels(const PageSectionView& view)
    {
        const bool grey = m_settings.greyScale;
        const QRectF& profile = view.profilePanel;
        if (view.profile) {
            for (int j = 0; j <= LastColumn; ++j) {
                const double height =
                    profileBarHeight((*view.profile)[static_cast<std::size_t>(j)], m_settings.zEnhancement);
                // A bar taller than the panel is cut by its edge; an empty one prints nothing.
                const double top = std::max(profile.top(), profile.bottom() - height * profile.height());
                if (!(top < profile.bottom()))
                    continue;
                const double x = profile.left() + j * profile.width() / LastColumn;
                m_page.line(m_map(QPointF(x, profile.bottom())), m_map(QPointF(x, top)),
                            profileBarColour(grey));
            }
        }
        if (view.colourScale) {
            const QRectF& scale = *view.colourScale;
            const int units = static_cast<int>(scale.height());
            for (int k = 0; k <= units; ++k) {
                const double y = scale.bottom() - k;
                const QRgb colour = rgbOf(
                    colourScaleComponents(m_settings.colourRamp, static_cast<double>(k) / scale.height()));
                m_page.line(m_map(QPointF(scale.left(), y)), m_map(QPointF(scale.right(), y)), colour);
            }
        }
        if (view.markerFraction) {
            for (int figure : {2, 0}) {
                const QRectF& place = m_snapshot.figures[static_cast<std::size_t>(figure)];
                const double y = place.top() + place.height() * *view.markerFraction;
                m_page.line(m_map(QPointF(place.left(), y)), m_map(QPointF(place.right(), y)),
                            rowMarkerColour(grey));
            }
        }
        if (view.intervalPanel)
            printIntervals(view.summary, *view.intervalPanel);
    }

    void printIntervals(const RowSummary& summary, const QRectF& panel)
    {
        const auto x = [&](int j) { return panel.left() + j * panel.width() / LastColumn; };
        const auto at = [&](double px, double above) { return m_map(QPointF(px, panel.bottom() - above)); };
        const auto& heights = RowIntervalPanel::BarHeights;
        for (std::size_t s = 0; s < summary.classes.size(); ++s) {
            const IntervalClass& intervals = summary.classes[s];
            const double bar = heights[s];
            const double tickBottom = heights[s] - RowIntervalPanel::TickBelow;
            const double tickTop = heights[s] + RowIntervalPanel::TickAbove;
            const std::size_t count = intervals.intervals.size();
            for (std::size_t k = 0; k < count; ++k) {
                const double start = x(intervals.intervals[k].start);
                const double end = x(intervals.intervals[k].end);
                m_page.line(at(start, bar), at(end, bar), Black);
                if (!(k == 0 && intervals.openLeft))
                    m_page.line(at(start, tickBottom), at(start, tickTop), Black);
                if (!(k + 1 == count && intervals.openRight))
                    m_page.line(at(end, tickBottom), at(end, tickTop), Black);
            }
        }
        const double markBottom = heights[2] - RowIntervalPanel::TickBelow;
        const double markTop = heights[0] + RowIntervalPanel::MarkTop;
        for (int j : summary.modeMarks)
            m_page.line(at(x(j), markBottom), at(x(j), markTop), Red);
        for (int j : summary.averageMarks)
            m_page.line(at(x(j), markBottom), at(x(j), markTop), Blue);
    }

    // The text block at the places the window prints it, mapped.
    void printSummaryBlock(const PageSectionView& view)
    {
        const QRectF& frame = view.summaryFrame;
        for (const SummaryLine& line :
             rowSummaryBlock(view.summaryText, frame.left(), frame.top(), frame.height())) {
            m_page.setFont(m_options.fontSize, line.bold);
            m_page.text(m_map(QPointF(line.x, line.y)), QString::fromStdString(line.text));
        }
    }

    void printFrames()
    {
        m_page.setDrawWidth(m_widths.frame);
        const double d = static_cast<double>(m_options.frameThickness) * m_options.zoom * FrameDistance;
        const auto frame = [&](const QRectF& window) {
            m_page.box(m_map(window).adjusted(-d, -d, d, d), FrameColour);
        };
        frame(m_snapshot.figures[0]);
        frame(m_snapshot.figures[2]);
        if (m_snapshot.probabilityFigureShown)
            frame(m_snapshot.figures[1]);
        if (m_snapshot.sectionView) {
            frame(m_snapshot.sectionView->profilePanel);
            if (m_snapshot.sectionView->colourScale)
                frame(*m_snapshot.sectionView->colourScale);
        }
        m_page.setDrawWidth(m_widths.dot);
    }

    double estimatedWidth(const QString& text) const
    {
        return static_cast<double>(m_options.fontSize) * CharacterWidth * static_cast<double>(text.size());
    }

    void printLabels()
    {
        m_page.setFont(m_options.fontSize, false);
        const QString title = QString::fromStdString(m_options.title);
        if (!title.isEmpty())
            m_page.text(QPointF(m_map.x(m_snapshot.figures[0].left()), m_map.y0), title);
        for (const PageLabel& label : m_snapshot.verticalAxisLabels)
            m_page.text(QPointF(m_map.x(label.place.right()) - estimatedWidth(label.caption),
                                m_map.y(label.place.top())),
                        label.caption);
        for (const PageLabel& label : m_snapshot.horizontalAxisLabels)
            m_page.text(QPointF(m_map.x(label.place.center().x()) - estimatedWidth(label.caption) / 2.0,
                                m_map.y(label.place.top())),
                        label.caption);
    }

    void printLegend()
    {
        const QRectF& data = m_snapshot.figures[0];
        const double heading = m_map.x(data.left());
        const double detail = m_map.x(data.left() + DetailIndent);
        double y = m_map.y(data.bottom() + m_snapshot.slider2Height / 5.0);
        for (const LegendLine& line : legendLines(m_snapshot)) {
            if (!line.text.isEmpty())
                m_page.text(QPointF(line.detail ? detail : heading, y), line.text);
            y += m_page.lineHeight();
        }
    }

    const PageSnapshot& m_snapshot;
    const ProgramSettings& m_settings;
    const PrintOptions& m_options;
    const PageMapping m_map;
    const PenWidths m_widths;
    PrintPage& m_page;
};

} // namespace

int dotWidth(const PrintOptions& options)
{
    return penWidth(options.dotSize * options.zoom / 4.0f);
}

int runningMeanWidth(const PrintOptions& options)
{
    return penWidth(2.0f * options.dotSize * options.zoom / 3.0f);
}

int frameWidth(const PrintOptions& options)
{
    return penWidth(options.frameThickness * options.zoom);
}

std::optional<QRgb> cellDotColour(double cell, const ProgramSettings& settings, bool showMode)
{
    if (settings.probabilityMode) {
        if (!(std::fabs(cell) >= 1.0))
            return std::nullopt;
        return cellColour(settings, cell, CellView::Probability, ProbabilitySource::PackedFraction);
    }
    const float magnitude = std::fabs(static_cast<float>(cell));
    if (!(magnitude >= 1.0f))
        return std::nullopt;
    const bool grey = settings.greyScale;
    if (magnitude >= 3.0f && showMode)
        return grey ? Black : Red;
    if (magnitude >= 2.0f && magnitude < 3.0f)
        return grey ? DarkGrey : Dark;
    return grey ? LightGrey : Light;
}

std::vector<LegendLine> legendLines(const PageSnapshot& snapshot)
{
    std::vector<LegendLine> lines;
    const auto figure = [&](int k) {
        const std::size_t i = static_cast<std::size_t>(k);
        lines.push_back({QStringLiteral("Figure %1").arg(k + 1), false});
        lines.push_back({QStringLiteral("File: ") + snapshot.fileNames[i], true});
        lines.push_back({QStringLiteral("X: ") + snapshot.horizontalTitles[i], true});
        lines.push_back({QStringLiteral("Y: ") + snapshot.verticalTitles[i], true});
    };
    if (snapshot.drawn[0])
        figure(0);
    if (snapshot.drawn[1])
        figure(1);
    else if (snapshot.drawn[2])
        figure(2);
    lines.push_back({QString(), false});
    if (snapshot.smoothing)
        lines.push_back(
            {QStringLiteral("Smoothing level (Number of averaged horizons):  ") + snapshot.smoothingLevel,
             false});
    lines.push_back({QStringLiteral("Confidence coefficient 1:  ") + snapshot.coefficients[0], false});
    lines.push_back({QStringLiteral("Confidence coefficient 2:  ") + snapshot.coefficients[1], false});
    const float percent = snapshot.settings->zEnhancement * 100.0f;
    lines.push_back({QStringLiteral("Z-axis enhancement:  ") + QString::fromStdString(singleText(percent)) +
                         QStringLiteral(" %"),
                     false});
    return lines;
}

void composePage(const PageSnapshot& snapshot, PrintPage& page)
{
    Composer(snapshot, page).compose();
}

} // namespace brimvale
