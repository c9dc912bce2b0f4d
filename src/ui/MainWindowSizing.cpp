// The figure size sliders.
#include "ui/MainWindow.h"

namespace brimvale {

void MainWindow::Slider1_Change()
{
    // Not built yet.
}

void MainWindow::Slider2_Change()
{
    // Not built yet.
}

} // namespace brimvale
