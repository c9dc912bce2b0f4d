// The mode and average curves laid over the probability figure and the section figure.
#pragma once

#include <QPointF>
#include <QRgb>
#include <vector>

#include "engine/CurveTrack.h"
#include "model/ProbabilityGrid.h"
#include "model/SectionMatrix.h"
#include "render/DrawingSurface.h"

namespace brimvale {

// What the curve procedures read besides the data.
struct CurveOptions {
    bool shown = false;            // the curve's check box ("Show mode" resp. "Show average") is ticked
    bool probabilityDrawn = false; // the probability figure holds an image
    bool sectionDrawn = false;     // the section figure holds an image
    bool greyScale = false;
};

// Pure red for the mode and pure blue for the average, black for both in grey scale.
QRgb curveColour(CurveKind kind, bool greyScale);

// The point of a grid mark in the probability figure's default scale: both coordinates are scaled by
// its ScaleWidth (the figure is square), column i from the left, j = 200 at the top edge.
QPointF gridCurvePoint(const DrawingSurface& figure, CurvePiece::Mark mark);

// Gives the section figure the scale (0, 0) to (verticalSteps, verticalSteps), so that row h lies at
// y = h; a section of a single row (verticalSteps 0) gets (0, 0) to (1, 1), its row at the top edge.
void setSectionCurveScale(DrawingSurface& figure, int verticalSteps);

// The point of a section mark in the section scale: x = ScaleWidth * j / 200, y = the row.
QPointF sectionCurvePoint(const DrawingSurface& figure, CurvePiece::Mark mark);

// Draws the pieces as lines and single points in the colour, at the figure's current DrawWidth.
void drawGridCurve(const std::vector<CurvePiece>& pieces, DrawingSurface& figure, QRgb colour);
// Sets the section scale for verticalSteps, then draws the pieces.
void drawSectionCurve(const std::vector<CurvePiece>& pieces, int verticalSteps, DrawingSurface& figure,
                      QRgb colour);

// Sets DrawWidth 1 on both figures; then, when the curve is shown, draws it on the probability figure
// (if it holds an image) and on the section figure (if it holds an image, leaving the section scale
// set). Nothing is cleared: the caller clears the figures first.
void drawCurves(CurveKind kind, const ProbabilityGrid& grid, const SectionMatrix& section,
                DrawingSurface& probabilityFigure, DrawingSurface& sectionFigure,
                const CurveOptions& options);

// drawCurves for the mode, resp. the average; call the mode first so that the average lies on top.
void drawModeCurves(const ProbabilityGrid& grid, const SectionMatrix& section,
                    DrawingSurface& probabilityFigure, DrawingSurface& sectionFigure,
                    const CurveOptions& options);
void drawAverageCurves(const ProbabilityGrid& grid, const SectionMatrix& section,
                       DrawingSurface& probabilityFigure, DrawingSurface& sectionFigure,
                       const CurveOptions& options);

} // namespace brimvale
