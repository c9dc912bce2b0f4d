// The section figure for export: colour cells, mode and average curves, axis end values and titles,
// painted at any size on any paint device (an image, a PDF or an SVG generator).
#include "render/SectionFigureExport.h"

#include <QFont>
#include <QFontMetricsF>
#include <QList>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <map>

#include "render/DrawingSurface.h"
#include "render/OverlayCurves.h"

namespace brimvale {

namespace {

constexpr QRgb White = 0xffffffff;
constexpr QRgb FrameColour = 0xff808080;
constexpr QRgb TextColour = 0xff000000;
constexpr int LastStep = SectionMatrix::Columns - 1;
// Text height as a share of the figure's width, and the smallest height that stays legible.
constexpr double FontShare = 0.028;
constexpr int SmallestFontPixels = 9;
// Space around and between the texts, in text heights.
constexpr double PaddingShare = 0.6;
constexpr double GapShare = 0.4;
// The plot never gets narrower than this share of the figure, however long the end values are.
constexpr double SmallestPlotShare = 0.25;

QFont figureFont(int pixels)
{
    QFont font(QString::fromLatin1(DrawingSurface::FontFamily));
    font.setPixelSize(pixels);
    return font;
}

// The row's top edge in the plot's height, as the window's cell plots place it.
double rowEdge(const SectionMatrix& section, double height, int h)
{
    return sectionCellRect(1.0, height, section.verticalSteps(), 0, h).y1;
}

} // namespace

SectionFigureLayout layoutSectionFigure(const SectionFigure& figure, int width)
{
    SectionFigureLayout layout;
    layout.fontPixels = std::max(SmallestFontPixels, static_cast<int>(std::lround(width * FontShare)));
    const QFontMetricsF metrics(figureFont(layout.fontPixels));
    const double line = metrics.height();
    const double pad = layout.fontPixels * PaddingShare;
    const double gap = layout.fontPixels * GapShare;

    const double valueWidth =
        std::max(metrics.horizontalAdvance(figure.topValue), metrics.horizontalAdvance(figure.bottomValue));
    const double titleColumn = figure.verticalTitle.isEmpty() ? 0.0 : line + gap;
    double left = pad + titleColumn + valueWidth + gap;
    const double right = pad;
    double plotWidth = width - left - right;
    if (plotWidth < width * SmallestPlotShare) {
        plotWidth = width * SmallestPlotShare;
        left = width - right - plotWidth;
    }
    const double top = pad;
    const double plotHeight = plotWidth * SectionFigureLayout::PlotAspect;
    layout.plot = QRectF(left, top, plotWidth, plotHeight);

    const double valuesTop = layout.plot.bottom() + gap;
    const double titleTop = valuesTop + line + gap;
    const double bottom = (figure.horizontalTitle.isEmpty() ? valuesTop + line : titleTop + line) + pad;
    layout.size = QSize(width, static_cast<int>(std::ceil(bottom)));

    const double valuesLeft = layout.plot.left() - gap - valueWidth;
    layout.topValue = QRectF(valuesLeft, layout.plot.top(), valueWidth, line);
    layout.bottomValue = QRectF(valuesLeft, layout.plot.bottom() - line, valueWidth, line);
    const double half = plotWidth / 2.0;
    layout.leftValue = QRectF(layout.plot.left(), valuesTop, half, line);
    layout.rightValue = QRectF(layout.plot.center().x(), valuesTop, half, line);
    layout.horizontalTitle = QRectF(layout.plot.center().x() - width, titleTop, 2.0 * width, line);
    const QPointF titleCentre(pad + line / 2.0, layout.plot.center().y());
    layout.verticalTitle =
        QRectF(titleCentre.x() - plotHeight / 2.0, titleCentre.y() - line / 2.0, plotHeight, line);

    layout.curveWidth = std::max(1.0, plotWidth / SectionFigureLayout::WindowFigurePixels);
    return layout;
}

std::vector<CellBlock> sectionCellBlocks(const SectionMatrix& section, CellView view,
                                         const ProgramSettings& settings, const QRectF& plot)
{
    struct Run {
        int first;
        int last;
        QRgb colour;
    };
    const double w = plot.width();
    const double h = plot.height();
    const int steps = section.verticalSteps();

    std::vector<CellBlock> blocks;
    std::vector<QRgb> previous;
    std::vector<QRgb> colours(SectionMatrix::Columns);
    // The blocks of the rows that repeat the current row; they grow downward while rows repeat.
    std::size_t groupStart = 0;
    for (int row = 0; row <= steps; ++row) {
        for (int i = 0; i <= LastStep; ++i)
            colours[i] = cellColour(settings, section(1, i, row), view, ProbabilitySource::PackedFraction);
        const double rowBottom = plot.top() + rowEdge(section, h, row + 1);
        if (colours == previous) {
            for (std::size_t b = groupStart; b < blocks.size(); ++b)
                blocks[b].rect.setBottom(rowBottom);
            continue;
        }
        previous = colours;
        groupStart = blocks.size();
        const double rowTop = plot.top() + rowEdge(section, h, row);
        std::vector<Run> runs;
        for (int i = 0; i <= LastStep; ++i) {
            if (!runs.empty() && runs.back().colour == colours[i])
                runs.back().last = i;
            else
                runs.push_back({i, i, colours[i]});
        }
        for (const Run& run : runs) {
            if (run.colour == White)
                continue;
            const double x1 = plot.left() + sectionCellRect(w, h, steps, run.first, row).x1;
            const double x2 = plot.left() + sectionCellRect(w, h, steps, run.last, row).x2;
            blocks.push_back({QRectF(QPointF(x1, rowTop), QPointF(x2, rowBottom)), run.colour});
        }
    }
    // Cut at the plot's edge, as the picture box cuts its last column and row.
    std::vector<CellBlock> visible;
    visible.reserve(blocks.size());
    for (const CellBlock& block : blocks) {
        const QRectF inside = block.rect.intersected(plot);
        if (inside.width() > 0.0 && inside.height() > 0.0)
            visible.push_back({inside, block.colour});
    }
    return visible;
}

std::vector<CurveStroke> sectionCurveStrokes(const SectionMatrix& section, CurveKind kind, const QRectF& plot)
{
    const int steps = section.verticalSteps();
    const auto pointOf = [&](CurvePiece::Mark mark) {
        const double y = steps > 0 ? plot.height() * mark.column / steps : 0.0;
        return QPointF(plot.left() + plot.width() * mark.position / LastStep, plot.top() + y);
    };
    std::vector<CurveStroke> strokes;
    for (const CurvePiece& piece : sectionCurve(section, kind))
        strokes.push_back({pointOf(piece.from), pointOf(piece.to)});
    return strokes;
}

void paintSectionFigure(QPainter& painter, const SectionFigure& figure, const SectionFigureLayout& layout)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRectF(QPointF(0, 0), QSizeF(layout.size)), QColor::fromRgb(White));

    // Antialiased neighbours would leave seams between the cells. The blocks do not overlap, so they
    // are drawn colour by colour: vector output then sets each colour once.
    if (figure.section) {
        std::map<QRgb, QList<QRectF>> byColour;
        for (const CellBlock& block :
             sectionCellBlocks(*figure.section, figure.view, figure.settings, layout.plot))
            byColour[block.colour].append(block.rect);
        painter.setPen(Qt::NoPen);
        for (const auto& [colour, rects] : byColour) {
            painter.setBrush(QColor::fromRgb(colour));
            painter.drawRects(rects.constData(), static_cast<int>(rects.size()));
        }
    }
    painter.setPen(QPen(QColor::fromRgb(FrameColour), 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(layout.plot);

    painter.setRenderHint(QPainter::Antialiasing, true);
    const auto drawCurve = [&](CurveKind kind) {
        QPen pen(QColor::fromRgb(curveColour(kind, figure.settings.greyScale)), layout.curveWidth);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        painter.setPen(pen);
        for (const CurveStroke& stroke : sectionCurveStrokes(*figure.section, kind, layout.plot)) {
            if (stroke.from == stroke.to)
                painter.drawPoint(stroke.from);
            else
                painter.drawLine(stroke.from, stroke.to);
        }
    };
    if (figure.section && figure.showMode)
        drawCurve(CurveKind::Mode);
    if (figure.section && figure.showAverage)
        drawCurve(CurveKind::Average);

    painter.setFont(figureFont(layout.fontPixels));
    painter.setPen(QColor::fromRgb(TextColour));
    painter.drawText(layout.topValue, Qt::AlignRight | Qt::AlignTop, figure.topValue);
    painter.drawText(layout.bottomValue, Qt::AlignRight | Qt::AlignBottom, figure.bottomValue);
    painter.drawText(layout.leftValue, Qt::AlignLeft | Qt::AlignTop, figure.leftValue);
    painter.drawText(layout.rightValue, Qt::AlignRight | Qt::AlignTop, figure.rightValue);
    painter.drawText(layout.horizontalTitle, Qt::AlignHCenter | Qt::AlignTop, figure.horizontalTitle);
    const QPointF centre = layout.verticalTitle.center();
    painter.translate(centre);
    painter.rotate(-90.0);
    painter.drawText(layout.verticalTitle.translated(-centre), Qt::AlignCenter, figure.verticalTitle);
    painter.restore();
}

} // namespace brimvale
