// The data curve with its running mean.
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

} // namespace brimvale
