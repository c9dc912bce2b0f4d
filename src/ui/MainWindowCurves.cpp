// The mode and average curves over the cells.
#include "ui/MainWindow.h"

namespace brimvale {

void MainWindow::DrawModeCurves()
{
    // Not built yet.
}

void MainWindow::DrawAverageCurves()
{
    // Not built yet.
}

} // namespace brimvale
