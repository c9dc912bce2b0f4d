// Placing widgets with positions and sizes given in twips, and reading those twips back exactly.
#pragma once

#include <QRectF>

class QWidget;

namespace brimvale {

// A position and size in twips on the widget's parent.
struct TwipsRect {
    double left = 0.0;
    double top = 0.0;
    double width = 0.0;
    double height = 0.0;

    bool operator==(const TwipsRect&) const = default;
};

// Stores the geometry in twips with the widget and places it, each value rounded to whole
// device-independent pixels (halves to even). Twips need not be whole pixels: what is stored is
// what twipsGeometry() returns, never a value converted back from pixels.
void setTwipsGeometry(QWidget& widget, double left, double top, double width, double height);
void setTwipsGeometry(QWidget& widget, const TwipsRect& rect);

// Returns the geometry last set in twips; a widget never placed in twips reports its pixel
// geometry converted to twips.
TwipsRect twipsGeometry(const QWidget& widget);
// The same geometry as a rectangle in twips.
QRectF twipsRectangle(const QWidget& widget);

// Each setter changes one value, keeps the other three as stored and places the widget anew.
void setTwipsLeft(QWidget& widget, double left);
void setTwipsTop(QWidget& widget, double top);
void setTwipsWidth(QWidget& widget, double width);
void setTwipsHeight(QWidget& widget, double height);

} // namespace brimvale
