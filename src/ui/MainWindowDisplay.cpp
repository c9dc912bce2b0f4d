// The cell plots of the probability and section figures, the view switch and the full redraw.
#include "ui/MainWindow.h"

namespace brimvale {

void MainWindow::PlotGridProbability(float&, int, int)
{
    // Not built yet.
}

void MainWindow::PlotSectionProbability(float&, int, int)
{
    // Not built yet.
}

void MainWindow::PlotGridConfidence(float&, int, int)
{
    // Not built yet.
}

void MainWindow::PlotSectionConfidence(float&, int, int)
{
    // Not built yet.
}

void MainWindow::SwitchToProb()
{
    // Not built yet.
}

void MainWindow::SwitchToConfi()
{
    // Not built yet.
}

void MainWindow::RedrawFigures()
{
    // Not built yet.
}

} // namespace brimvale
