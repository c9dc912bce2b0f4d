// Saving the section in a result file and reading one back.
#include "ui/MainWindow.h"

namespace brimvale {

void MainWindow::SaveMatrix_Click()
{
    // Not built yet.
}

void MainWindow::WriteResultFile(const QString&)
{
    // Not built yet.
}

void MainWindow::ReadResultFile()
{
    // Not built yet.
}

} // namespace brimvale
