// The printed page as the page composition sees it: a page in twips with a pen, a font and the end of the
// document.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QRgb>
#include <QString>

namespace brimvale {

// Positions are twips from the top left of the page's printable area. The pen width is in printer
// pixels, the font size in points; both hold until set again.
class PrintPage {
public:
    virtual ~PrintPage() = default;

    virtual void setDrawWidth(int printerPixels) = 0;
    // A line of the pen's width between the two points, with round ends.
    virtual void line(QPointF from, QPointF to, QRgb colour) = 0;
    // The outline of the rectangle, drawn with the pen.
    virtual void box(const QRectF& rectangle, QRgb colour) = 0;
    // A square dot as wide as the pen, centred on the point.
    virtual void dot(QPointF centre, QRgb colour) = 0;
    virtual void setFont(double points, bool bold) = 0;
    // The height of one printed line of the current font, in twips.
    virtual double lineHeight() const = 0;
    // The text with the top left of its line at the point.
    virtual void text(QPointF topLeft, const QString& text) = 0;
    // Ends the document: the page goes to the printer or the file.
    virtual void endDocument() = 0;
};

} // namespace brimvale
