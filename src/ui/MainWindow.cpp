#include "ui/MainWindow.h"

namespace brimvale {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Brimvale 2.5"));
    // Client area of 12585 x 7620 twips at 15 twips per pixel.
    setFixedSize(839, 508);
}

} // namespace brimvale
