// The printed page drawn with a QPainter on a printer or a PDF writer.
#include "print/PainterPrintPage.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>

#include <algorithm>
#include <cmath>

#include "model/RuntimeFailure.h"

namespace brimvale {

namespace {

constexpr double TwipsPerInch = 1440.0;
// The font sizes the printer draws; a size outside them (none, or one no page could hold) is taken as the
// nearest of them.
constexpr double SmallestPoints = 1.0;
constexpr double LargestPoints = 1000.0;

} // namespace

PainterPrintPage::PainterPrintPage(QPagedPaintDevice& device, const QString& fontFamily)
    : m_device(device), m_font(fontFamily), m_deviceX(device.logicalDpiX() / TwipsPerInch),
      m_deviceY(device.logicalDpiY() / TwipsPerInch), m_penWidth(device.logicalDpiX() / PrinterDpi)
{
}

QPainter& PainterPrintPage::painter()
{
    if (!m_painter.isActive()) {
        if (!m_painter.begin(&m_device))
            raiseFailure(RuntimeFailure::Kind::FileError, "The printer could not be opened");
        m_painter.setFont(m_font);
    }
    return m_painter;
}

QPointF PainterPrintPage::toDevice(QPointF twips) const
{
    return QPointF(twips.x() * m_deviceX, twips.y() * m_deviceY);
}

QPen PainterPrintPage::pen(QRgb colour, Qt::PenJoinStyle join) const
{
    return QPen(QColor::fromRgb(colour), m_penWidth, Qt::SolidLine, Qt::RoundCap, join);
}

void PainterPrintPage::setDrawWidth(int printerPixels)
{
    // The printer draws nothing thinner than one of its pixels.
    m_penWidth = std::max(printerPixels, 1) * m_device.logicalDpiX() / PrinterDpi;
}

void PainterPrintPage::line(QPointF from, QPointF to, QRgb colour)
{
    QPainter& page = painter();
    page.setPen(pen(colour, Qt::RoundJoin));
    page.drawLine(QLineF(toDevice(from), toDevice(to)));
}

void PainterPrintPage::box(const QRectF& rectangle, QRgb colour)
{
    QPainter& page = painter();
    page.setPen(pen(colour, Qt::MiterJoin));
    page.setBrush(Qt::NoBrush);
    page.drawRect(QRectF(toDevice(rectangle.topLeft()), toDevice(rectangle.bottomRight())));
}

void PainterPrintPage::dot(QPointF centre, QRgb colour)
{
    const QPointF at = toDevice(centre);
    const double half = m_penWidth / 2.0;
    painter().fillRect(QRectF(at.x() - half, at.y() - half, m_penWidth, m_penWidth), QColor::fromRgb(colour));
}

void PainterPrintPage::setFont(double points, bool bold)
{
    m_font.setPointSizeF(std::isnan(points) ? SmallestPoints
                                            : std::clamp(points, SmallestPoints, LargestPoints));
    m_font.setBold(bold);
    if (m_painter.isActive())
        m_painter.setFont(m_font);
}

double PainterPrintPage::lineHeight() const
{
    return QFontMetricsF(m_font, &m_device).height() / m_deviceY;
}

void PainterPrintPage::text(QPointF topLeft, const QString& text)
{
    QPainter& page = painter();
    // A text placed with an estimated width of an absurd font size has no place on the page.
    if (!std::isfinite(topLeft.x()) || !std::isfinite(topLeft.y()))
        return;
    page.setPen(QColor(Qt::black));
    const QPointF at = toDevice(topLeft);
    page.drawText(QPointF(at.x(), at.y() + QFontMetricsF(m_font, &m_device).ascent()), text);
}

void PainterPrintPage::endDocument()
{
    if (!painter().end())
        raiseFailure(RuntimeFailure::Kind::FileError, "The page could not be printed");
}

} // namespace brimvale
