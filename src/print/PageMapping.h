// The page mapping: where a point of the main window lands on the printed page.
#pragma once

#include <QPointF>
#include <QRectF>

namespace brimvale {

// A window point (x, y) in twips goes to (x * zoom + x0, y * zoom + y0) on the page, with x0 = -500 *
// zoom, so the empty strip left of the figures is dropped, and y0 = 1000, which leaves room for the
// title above them.
struct PageMapping {
    double zoom = 1.0;
    double x0 = -500.0;
    double y0 = 1000.0;

    static PageMapping forZoom(double zoom) { return PageMapping{zoom, -500.0 * zoom, 1000.0}; }

    double x(double windowX) const { return windowX * zoom + x0; }
    double y(double windowY) const { return windowY * zoom + y0; }
    QPointF operator()(QPointF window) const { return QPointF(x(window.x()), y(window.y())); }
    QRectF operator()(const QRectF& window) const
    {
        return QRectF((*this)(window.topLeft()), (*this)(window.bottomRight()));
    }
};

} // namespace brimvale
