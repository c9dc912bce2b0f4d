#include "ui/ShapeFrame.h"

#include <QPainter>

namespace brimvale {

ShapeFrame::ShapeFrame(QWidget* parent, QColor borderColor) : QWidget(parent), m_borderColor(borderColor)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void ShapeFrame::setBorderColor(QColor colour)
{
    m_borderColor = colour;
    update();
}

void ShapeFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const int w = width();
    const int h = height();
    if (w <= 0 || h <= 0)
        return;
    // Filled one-pixel strips rather than a pen, so the outline lies exactly on the edge pixels.
    painter.fillRect(0, 0, w, 1, m_borderColor);
    painter.fillRect(0, h - 1, w, 1, m_borderColor);
    painter.fillRect(0, 0, 1, h, m_borderColor);
    painter.fillRect(w - 1, 0, 1, h, m_borderColor);
}

} // namespace brimvale
