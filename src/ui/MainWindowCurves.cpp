// The data curve with its running mean, and the mode and average curves over the cells.
#include "ui/MainWindow.h"

namespace brimvale {

void MainWindow::DrawDataCurve()
{
    // Not built yet.
}

void MainWindow::DrawRunningMean()
{
    // Not built yet.
}

void MainWindow::DrawModeCurves()
{
    // Not built yet.
}

void MainWindow::DrawAverageCurves()
{
    // Not built yet.
}

} // namespace brimvale
