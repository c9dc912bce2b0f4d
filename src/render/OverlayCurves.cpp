// The mode and average curves laid over the probability figure and the section figure.
#include "render/OverlayCurves.h"

namespace brimvale {

namespace {

constexpr double LastStep = 200.0;

template <typename PointOf>
void drawPieces(const std::vector<CurvePiece>& pieces, DrawingSurface& figure, QRgb colour, PointOf pointOf)
{
    for (const CurvePiece& piece : pieces) {
        const QPointF from = pointOf(piece.from);
        if (piece.shape == CurvePiece::Shape::Point) {
            figure.pset(from.x(), from.y(), colour);
        } else {
            const QPointF to = pointOf(piece.to);
            figure.line(from.x(), from.y(), to.x(), to.y(), colour);
        }
    }
}

} // namespace

QRgb curveColour(CurveKind kind, bool greyScale)
{
    const int intensity = greyScale ? 0 : 255;
    return kind == CurveKind::Mode ? qRgb(intensity, 0, 0) : qRgb(0, 0, intensity);
}

QPointF gridCurvePoint(const DrawingSurface& figure, CurvePiece::Mark mark)
{
    const double w = figure.scaleWidth();
    return QPointF(w * mark.column / LastStep, w * (LastStep - mark.position) / LastStep);
}

void setSectionCurveScale(DrawingSurface& figure, int verticalSteps)
{
    // A zero-sized scale is refused by the surface; one unit still puts row 0 at the top.
    const double extent = verticalSteps > 0 ? verticalSteps : 1.0;
    figure.setScale(0.0, 0.0, extent, extent);
}

QPointF sectionCurvePoint(const DrawingSurface& figure, CurvePiece::Mark mark)
{
    return QPointF(figure.scaleWidth() * mark.position / LastStep, mark.column);
}

void drawGridCurve(const std::vector<CurvePiece>& pieces, DrawingSurface& figure, QRgb colour)
{
    drawPieces(pieces, figure, colour, [&](CurvePiece::Mark mark) { return gridCurvePoint(figure, mark); });
}

void drawSectionCurve(const std::vector<CurvePiece>& pieces, int verticalSteps, DrawingSurface& figure,
                      QRgb colour)
{
    setSectionCurveScale(figure, verticalSteps);
    drawPieces(pieces, figure, colour,
               [&](CurvePiece::Mark mark) { return sectionCurvePoint(figure, mark); });
}

void drawCurves(CurveKind kind, const ProbabilityGrid& grid, const SectionMatrix& section,
                DrawingSurface& probabilityFigure, DrawingSurface& sectionFigure, const CurveOptions& options)
{
    probabilityFigure.setDrawWidth(1);
    sectionFigure.setDrawWidth(1);
    if (!options.shown)
        return;
    const QRgb colour = curveColour(kind, options.greyScale);
    if (options.probabilityDrawn)
        drawGridCurve(gridCurve(grid, kind), probabilityFigure, colour);
    // The section's own row count: the tracks must never reach past the rows it holds.
    if (options.sectionDrawn)
        drawSectionCurve(sectionCurve(section, kind), section.verticalSteps(), sectionFigure, colour);
}

void drawModeCurves(const ProbabilityGrid& grid, const SectionMatrix& section,
                    DrawingSurface& probabilityFigure, DrawingSurface& sectionFigure,
                    const CurveOptions& options)
{
    drawCurves(CurveKind::Mode, grid, section, probabilityFigure, sectionFigure, options);
}

void drawAverageCurves(const ProbabilityGrid& grid, const SectionMatrix& section,
                       DrawingSurface& probabilityFigure, DrawingSurface& sectionFigure,
                       const CurveOptions& options)
{
    drawCurves(CurveKind::Average, grid, section, probabilityFigure, sectionFigure, options);
}

} // namespace brimvale
