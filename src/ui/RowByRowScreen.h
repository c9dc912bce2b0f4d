// Shows a figure that grows row by row, with its progress bar, without repainting after every row.
#pragma once

#include <QElapsedTimer>

class QProgressBar;

namespace brimvale {

class DrawingSurface;

// The figure and the bar reach the screen at most once a frame: a synchronous repaint of both after
// every row would cost several times the work itself and show nothing more. Every row still goes
// into the figure's image and the bar's value at once. The bar paints itself again when this ends.
class RowByRowScreen {
public:
    RowByRowScreen(QProgressBar& bar, DrawingSurface& figure);
    ~RowByRowScreen();
    RowByRowScreen(const RowByRowScreen&) = delete;
    RowByRowScreen& operator=(const RowByRowScreen&) = delete;

    // Paints both now when a frame has passed since they were last shown, or when asked to.
    void rowDone(bool showNow);

private:
    QProgressBar& m_bar;
    DrawingSurface& m_figure;
    QElapsedTimer m_sinceShown;
};

} // namespace brimvale
