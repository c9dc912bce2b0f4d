#include "ui/PictureBox.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

#include "ui/TwipsGeometry.h"

namespace brimvale {

namespace {

// The edge colours of the toolkit's sunken client edge.
constexpr QRgb OuterShadow = 0xffa0a0a0;
constexpr QRgb OuterLight = 0xffffffff;
constexpr QRgb InnerShadow = 0xff696969;
constexpr QRgb InnerLight = 0xffe3e3e3;

} // namespace

PictureBox::PictureBox(QWidget* parent, BorderStyle border) : QWidget(parent), m_border(border)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    m_surface.setChangeListener([this](DrawingSurface::Repaint repaint) { surfaceChanged(repaint); });
    syncSurface();
}

void PictureBox::setBorderStyle(BorderStyle border)
{
    if (border == m_border)
        return;
    m_border = border;
    syncSurface();
    update();
}

void PictureBox::setTwipsGeometry(double left, double top, double width, double height)
{
    brimvale::setTwipsGeometry(*this, left, top, width, height);
}

void PictureBox::syncSurface() const
{
    const int inset = 2 * frameWidth();
    m_surface.setDevicePixelRatio(devicePixelRatioF());
    m_surface.resize(QSize(std::max(width() - inset, 0), std::max(height() - inset, 0)));
}

void PictureBox::surfaceChanged(DrawingSurface::Repaint repaint)
{
    if (repaint == DrawingSurface::Repaint::Now) {
        m_updatePending = false;
        this->repaint();
        return;
    }
    // Dense plots change the image many thousand times between two screen updates.
    if (!m_updatePending) {
        m_updatePending = true;
        update();
    }
}

bool PictureBox::event(QEvent* event)
{
    const bool handled = QWidget::event(event);
    // Moving to a screen of another density changes the device pixel ratio.
    if (event->type() == QEvent::ScreenChangeInternal)
        syncSurface();
    return handled;
}

void PictureBox::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    syncSurface();
}

void PictureBox::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    syncSurface();
}

void PictureBox::paintEvent(QPaintEvent*)
{
    m_updatePending = false;
    QPainter painter(this);
    const int w = width();
    const int h = height();
    if (m_border == BorderStyle::Sunken) {
        painter.fillRect(0, 0, w - 1, 1, QColor::fromRgb(OuterShadow));
        painter.fillRect(0, 0, 1, h - 1, QColor::fromRgb(OuterShadow));
        painter.fillRect(0, h - 1, w, 1, QColor::fromRgb(OuterLight));
        painter.fillRect(w - 1, 0, 1, h, QColor::fromRgb(OuterLight));
        painter.fillRect(1, 1, w - 3, 1, QColor::fromRgb(InnerShadow));
        painter.fillRect(1, 1, 1, h - 3, QColor::fromRgb(InnerShadow));
        painter.fillRect(1, h - 2, w - 2, 1, QColor::fromRgb(InnerLight));
        painter.fillRect(w - 2, 1, 1, h - 2, QColor::fromRgb(InnerLight));
    }
    const QImage& image = m_surface.image();
    if (!image.isNull())
        painter.drawImage(QPoint(frameWidth(), frameWidth()), image);
}

QPointF PictureBox::toScale(QPointF widgetPosition) const
{
    const double inset = frameWidth();
    return m_surface.toScale(widgetPosition - QPointF(inset, inset));
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    const QPointF position = toScale(event->position());
    emit mousePressed(event->button(), event->modifiers(), position.x(), position.y());
}

void PictureBox::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF position = toScale(event->position());
    emit mouseMoved(event->buttons(), event->modifiers(), position.x(), position.y());
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    const QPointF position = toScale(event->position());
    emit mouseReleased(event->button(), event->modifiers(), position.x(), position.y());
}

} // namespace brimvale
