// The calibration: the section computed from the data curve and the matrix.
#include "ui/MainWindow.h"

namespace brimvale {

void MainWindow::Command2_Click()
{
    // Not built yet.
}

} // namespace brimvale
