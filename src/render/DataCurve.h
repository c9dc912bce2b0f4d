// The data figure: the record as a polyline on white, and its running mean on top.
#pragma once

#include <QPointF>
#include <QRgb>

#include "model/DataSeries.h"
#include "render/DrawingSurface.h"

namespace brimvale {

// Blue, or mid grey in grey scale.
QRgb dataCurveColour(bool greyScale);
// Red, or black in grey scale.
QRgb runningMeanColour(bool greyScale);

// The point of the value pair (x, y) in a figure of scale width w and height h: horizontalMin at the
// left edge, verticalMin at the top, verticalMax at the bottom (a larger verticalMin turns the curve
// upside down). Fails with DivisionByZero when either range is empty and with Overflow when a range
// or a coordinate does not fit a 32-bit float (a non-finite value included).
QPointF dataCurvePoint(const DataSeries& data, double w, double h, float x, float y);

// Fills the figure's whole scale white and joins the record's points 0 to lastIndex in order at the
// current DrawWidth. A failure of dataCurvePoint ends the drawing; a single point draws no line and
// so cannot fail. Fails with SubscriptOutOfRange when lastIndex lies beyond the record's arrays.
void drawDataCurve(const DataSeries& data, DrawingSurface& figure, bool greyScale);

// Joins the first pointCount smoothed points (sx, sy) in order at DrawWidth 2 and leaves DrawWidth at
// 1, also when it fails; fewer than two points draw nothing. The points are not computed here.
void drawRunningMean(const DataSeries& data, int pointCount, DrawingSurface& figure, bool greyScale);

// The data figure again from the stored points, as the row-marker erase needs it: the curve, then the
// running mean of runningMeanPoints smoothed points when it is shown (pass 0 when none is stored).
void redrawDataFigure(const DataSeries& data, bool showRunningMean, int runningMeanPoints,
                      DrawingSurface& figure, bool greyScale);

} // namespace brimvale
