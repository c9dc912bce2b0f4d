// The marker of the chosen section row across the data figure and the section figure.
#include "render/RowMarker.h"

namespace brimvale {

QRgb rowMarkerColour(bool greyScale)
{
    return greyScale ? qRgb(0, 0, 0) : qRgb(255, 0, 0);
}

std::optional<double> rowMarkerFraction(int value, int minimum, int maximum)
{
    const int range = maximum - minimum;
    if (value == minimum || value == maximum || range == 0)
        return std::nullopt;
    // The slider's minimum is always 0 in the section view; the value itself is the row.
    return static_cast<double>(value) / range;
}

double rowFraction(int row, int verticalSteps)
{
    return verticalSteps != 0 ? static_cast<double>(row) / verticalSteps : 0.0;
}

float rowVerticalValue(double top, double bottom, int row, int verticalSteps)
{
    return static_cast<float>(top + (bottom - top) * rowFraction(row, verticalSteps));
}

bool drawRowMarker(DrawingSurface& dataFigure, DrawingSurface& sectionFigure, int value, int minimum,
                   int maximum, bool greyScale)
{
    const std::optional<double> fraction = rowMarkerFraction(value, minimum, maximum);
    if (!fraction)
        return false;
    dataFigure.setDrawWidth(1);
    const QRgb colour = rowMarkerColour(greyScale);
    const double sectionY = sectionFigure.scaleHeight() * *fraction;
    sectionFigure.line(0.0, sectionY, sectionFigure.scaleWidth(), sectionY, colour);
    const double dataY = dataFigure.scaleHeight() * *fraction;
    dataFigure.line(0.0, dataY, dataFigure.scaleWidth(), dataY, colour);
    return true;
}

} // namespace brimvale
