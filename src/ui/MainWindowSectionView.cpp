// The section view: the row slider, the calibration panel, the row marker and summary, the profile matrix.
#include "ui/MainWindow.h"

namespace brimvale {

void MainWindow::Command3_Click()
{
    // Not built yet.
}

void MainWindow::Slider5_Change()
{
    // Not built yet.
}

void MainWindow::Slider5_MouseMove()
{
    // Not built yet.
}

void MainWindow::PlaceSectionPanels(bool)
{
    // Not built yet.
}

void MainWindow::DrawRowMarker()
{
    // Not built yet.
}

void MainWindow::EraseRowMarker()
{
    // Not built yet.
}

void MainWindow::DrawRowProfile()
{
    // Not built yet.
}

void MainWindow::DrawColourScale()
{
    // Not built yet.
}

void MainWindow::DrawRowSummary()
{
    // Not built yet.
}

void MainWindow::LoadProfileFile()
{
    // Not built yet.
}

} // namespace brimvale
