// The commands that open the program's dialogs.
#include "ui/MainWindow.h"

namespace brimvale {

void MainWindow::Command5_Click()
{
    // Not built yet.
}

} // namespace brimvale
