// Program entry: creates the application and shows the main window.
#include <QApplication>

#include "ui/MainWindow.h"

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brimvale"));
    brimvale::MainWindow window;
    window.show();
    return QApplication::exec();
}
