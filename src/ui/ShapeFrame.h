// A rectangle shape: a one-pixel outline drawn over the window, transparent inside and to the mouse.
#pragma once

#include <QColor>
#include <QWidget>

namespace brimvale {

// Three of them, offset by a pixel in dark and light colours, form the sunken frame beside the
// section figure; the window draws text inside it on its own surface, which shows through.
class ShapeFrame : public QWidget {
    Q_OBJECT
public:
    explicit ShapeFrame(QWidget* parent = nullptr, QColor borderColor = QColor(Qt::black));

    QColor borderColor() const { return m_borderColor; }
    void setBorderColor(QColor colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_borderColor;
};

} // namespace brimvale
