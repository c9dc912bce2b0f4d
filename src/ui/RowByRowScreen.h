// Shows work that advances row by row (or column by column) with its progress bar, without repainting
// after every step.
#pragma once

#include <QElapsedTimer>

class QProgressBar;

namespace brimvale {

class DrawingSurface;

// The bar, and the figure that grows when there is one, reach the screen at most once a frame: a
// synchronous repaint after every row would cost several times the work itself and show nothing
// more. Every row still goes into the figure's image and the bar's value at once. The bar paints
// itself again when this ends.
class RowByRowScreen {
public:
    explicit RowByRowScreen(QProgressBar& bar, DrawingSurface* figure = nullptr);
    ~RowByRowScreen();
    RowByRowScreen(const RowByRowScreen&) = delete;
    RowByRowScreen& operator=(const RowByRowScreen&) = delete;

    // Paints both now when a frame has passed since they were last shown, or when asked to.
    void rowDone(bool showNow);

private:
    QProgressBar& m_bar;
    DrawingSurface* m_figure;
    QElapsedTimer m_sinceShown;
};

} // namespace brimvale
