// The data figure: the record as a polyline on white, and its running mean on top.
#include "render/DataCurve.h"

#include <algorithm>
#include <string>

#include "model/Conversions.h"
#include "model/RuntimeFailure.h"

namespace brimvale {

namespace {

constexpr QRgb White = 0xffffffff;
constexpr int RunningMeanWidth = 2;

// The index of the last point, checked against the arrays of the record.
int lastPointOf(const DataSeries& data)
{
    const double last = data.lastIndex;
    // Written so that a NaN index fails as well.
    if (!(last < static_cast<double>(std::min(data.x.size(), data.y.size()))))
        raiseFailure(RuntimeFailure::Kind::SubscriptOutOfRange,
                     "Subscript out of range: last index " + std::to_string(last));
    return last < 0.0 ? -1 : static_cast<int>(last);
}

void joinPoints(const DataSeries& data, const std::vector<float>& xs, const std::vector<float>& ys,
                int lastPoint, DrawingSurface& figure, QRgb colour)
{
    const double w = figure.scaleWidth();
    const double h = figure.scaleHeight();
    for (int k = 0; k < lastPoint; ++k) {
        const auto a = static_cast<std::size_t>(k);
        const QPointF from = dataCurvePoint(data, w, h, xs[a], ys[a]);
        const QPointF to = dataCurvePoint(data, w, h, xs[a + 1], ys[a + 1]);
        figure.line(from.x(), from.y(), to.x(), to.y(), colour);
    }
}

} // namespace

QRgb dataCurveColour(bool greyScale)
{
    return greyScale ? qRgb(100, 100, 100) : qRgb(0, 0, 255);
}

QRgb runningMeanColour(bool greyScale)
{
    return greyScale ? qRgb(0, 0, 0) : qRgb(255, 0, 0);
}

QPointF dataCurvePoint(const DataSeries& data, double w, double h, float x, float y)
{
    // The ranges and coordinates are 32-bit floats; an absurd range overflows them.
    const float horizontalRange =
        toSingle(static_cast<double>(data.horizontalMax) - static_cast<double>(data.horizontalMin));
    const float verticalRange =
        toSingle(static_cast<double>(data.verticalMax) - static_cast<double>(data.verticalMin));
    const double px = checkedDivide((static_cast<double>(x) - data.horizontalMin) * w, horizontalRange);
    const double py = checkedDivide((static_cast<double>(y) - data.verticalMin) * h, verticalRange);
    return QPointF(toSingle(px), toSingle(py));
}

void drawDataCurve(const DataSeries& data, DrawingSurface& figure, bool greyScale)
{
    const int lastPoint = lastPointOf(data);
    figure.filledBox(0.0, 0.0, figure.scaleWidth(), figure.scaleHeight(), White);
    joinPoints(data, data.x, data.y, lastPoint, figure, dataCurveColour(greyScale));
}

void drawRunningMean(const DataSeries& data, int pointCount, DrawingSurface& figure, bool greyScale)
{
    struct WidthBack {
        DrawingSurface& figure;
        ~WidthBack() { figure.setDrawWidth(1); }
    };
    figure.setDrawWidth(RunningMeanWidth);
    const WidthBack widthBack{figure};
    const int lastPoint =
        std::min(pointCount, static_cast<int>(std::min(data.sx.size(), data.sy.size()))) - 1;
    joinPoints(data, data.sx, data.sy, lastPoint, figure, runningMeanColour(greyScale));
}

void redrawDataFigure(const DataSeries& data, bool showRunningMean, int runningMeanPoints,
                      DrawingSurface& figure, bool greyScale)
{
    drawDataCurve(data, figure, greyScale);
    if (showRunningMean)
        drawRunningMean(data, runningMeanPoints, figure, greyScale);
}

} // namespace brimvale
