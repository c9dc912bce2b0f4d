// The printed page drawn with a QPainter on a printer or a PDF writer.
#pragma once

#include <QFont>
#include <QPainter>

#include "print/PrintPage.h"

class QPagedPaintDevice;

namespace brimvale {

// Printer pixels are taken at PrinterDpi whatever the device's own resolution: at 300 dpi a dot of
// the default width 2 is 9.6 twips, about one cell of a figure (10.9 twips), so printed figures look
// as solid as on screen. The painter begins with the first drawing, so a failure found before it
// leaves no page behind. A device that cannot be opened or written fails with FileError.
class PainterPrintPage : public PrintPage {
public:
    static constexpr double PrinterDpi = 300.0;

    PainterPrintPage(QPagedPaintDevice& device, const QString& fontFamily);

    void setDrawWidth(int printerPixels) override;
    void line(QPointF from, QPointF to, QRgb colour) override;
    void box(const QRectF& rectangle, QRgb colour) override;
    void dot(QPointF centre, QRgb colour) override;
    void setFont(double points, bool bold) override;
    double lineHeight() const override;
    void text(QPointF topLeft, const QString& text) override;
    void endDocument() override;

private:
    QPainter& painter();
    QPointF toDevice(QPointF twips) const;
    QPen pen(QRgb colour, Qt::PenJoinStyle join) const;

    QPagedPaintDevice& m_device;
    QPainter m_painter;
    QFont m_font;
    double m_deviceX;  // device units per twip, across
    double m_deviceY;  // device units per twip, down
    double m_penWidth; // in device units
};

} // namespace brimvale
