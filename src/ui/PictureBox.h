// A picture box: a widget that shows a drawing surface inside a sunken frame and reports the mouse in its
// scale.
#pragma once

#include <QWidget>

#include "render/DrawingSurface.h"

namespace brimvale {

// All drawing goes to surface(); the widget only copies the surface's image to the screen. Mouse
// positions are reported in the surface's current scale, as the event handlers read X and Y.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    enum class BorderStyle {
        None,   // the surface fills the widget (the window's own drawing layer)
        Sunken, // a 3D frame of FrameWidth pixels on each side
    };
    static constexpr int FrameWidth = 2;

    explicit PictureBox(QWidget* parent = nullptr, BorderStyle border = BorderStyle::Sunken);

    // The surface, sized to the widget's current inner size (also while the widget is hidden,
    // when Qt delivers no resize events).
    DrawingSurface& surface()
    {
        syncSurface();
        return m_surface;
    }
    const DrawingSurface& surface() const
    {
        syncSurface();
        return m_surface;
    }

    BorderStyle borderStyle() const { return m_border; }
    // Changing the border keeps what is drawn; the surface is cropped or extended to the new inner size.
    void setBorderStyle(BorderStyle border);
    // The width of the frame on each side: FrameWidth for a sunken box, 0 without a frame.
    int frameWidth() const { return m_border == BorderStyle::Sunken ? FrameWidth : 0; }

    // Places the box with a position and size in twips on its parent.
    void setTwipsGeometry(double left, double top, double width, double height);

signals:
    void mousePressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, double x, double y);
    void mouseMoved(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, double x, double y);
    void mouseReleased(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, double x, double y);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void syncSurface() const;
    void surfaceChanged(DrawingSurface::Repaint repaint);
    QPointF toScale(QPointF widgetPosition) const;

    mutable DrawingSurface m_surface; // follows the widget's size and density
    BorderStyle m_border;
    bool m_updatePending = false; // an update() is scheduled and not yet painted
};

} // namespace brimvale
