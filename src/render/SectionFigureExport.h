// The section figure for export: colour cells, mode and average curves, axis end values and titles,
// painted at any size on any paint device (an image, a PDF or an SVG generator).
#pragma once

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QRgb>
#include <QSize>
#include <QString>

#include <vector>

#include "engine/CurveTrack.h"
#include "model/ProgramSettings.h"
#include "model/SectionMatrix.h"
#include "render/CellPlot.h"

class QPainter;

namespace brimvale {

// What the figure shows; the captions are those the section figure carries on the main window.
struct SectionFigure {
    const SectionMatrix* section = nullptr;
    CellView view = CellView::Probability;
    ProgramSettings settings; // the colour ramp, grey scale and Z-axis enhancement
    bool showMode = true;     // "Show mode"
    bool showAverage = true;  // "Show average"
    QString topValue;         // Label2(4): the vertical value of the first row
    QString bottomValue;      // Label1(4): the vertical value of the last row
    QString leftValue;        // Label1(3): the left end of the value axis
    QString rightValue;       // Label2(3): the right end
    QString horizontalTitle;  // Label14(2)
    QString verticalTitle;    // Label15(2)
};

// Where everything goes, in device units (pixels, or points for PDF) of a figure of the given width.
struct SectionFigureLayout {
    // The section's cells fill the plot with the proportions of the window's section figure.
    static constexpr double PlotAspect = 5535.0 / 2175.0; // height over width
    // The window draws its curves one pixel wide on a figure about this many pixels wide.
    static constexpr double WindowFigurePixels = 141.0;

    QSize size;         // the whole figure
    QRectF plot;        // the cells
    int fontPixels = 0; // text height
    double curveWidth = 1.0;
    QRectF topValue; // text rectangles, each text aligned in its own
    QRectF bottomValue;
    QRectF leftValue;
    QRectF rightValue;
    QRectF horizontalTitle;
    QRectF verticalTitle; // before rotation: centred on the rotated title's centre
};

// The layout for a figure `width` units wide; the height follows from the plot's proportions and the
// texts. Measuring the texts needs a running QGuiApplication.
SectionFigureLayout layoutSectionFigure(const SectionFigure& figure, int width);

// A rectangle of cells of one colour: runs of equal neighbours in a row, and rows repeated below it,
// are merged, so vector output stays small and shows no seams.
struct CellBlock {
    QRectF rect;
    QRgb colour;
};

// The cells that are not white (white is the background), mapped into plot as the window maps a
// section cell into its figure: column i from x = i * W / 200, row h from y = h * H / VerticalSteps,
// each reaching to where the next begins (so the last column and row lie beyond the plot's edge and are
// cut off by it, as on screen).
std::vector<CellBlock> sectionCellBlocks(const SectionMatrix& section, CellView view,
                                         const ProgramSettings& settings, const QRectF& plot);

// A piece of a curve in device units: a line, or a single point when from equals to.
struct CurveStroke {
    QPointF from;
    QPointF to;
    bool operator==(const CurveStroke&) const = default;
};

// The pieces of the section's mode or average curve mapped into plot: mark (row h, position j) at
// x = W * j / 200, y = H * h / VerticalSteps (row 0 at the top edge for a one-row section).
std::vector<CurveStroke> sectionCurveStrokes(const SectionMatrix& section, CurveKind kind,
                                             const QRectF& plot);

// Paints the whole figure: white background, the cells without antialiasing, a frame, the curves (mode
// first, then average on top), the end values and the titles.
void paintSectionFigure(QPainter& painter, const SectionFigure& figure, const SectionFigureLayout& layout);

} // namespace brimvale
