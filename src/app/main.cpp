// Program entry: creates the application and the platform services, and shows the main window.
#include <QApplication>

#include "ui/MainWindow.h"
#include "ui/QtPlatformServices.h"

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brimvale"));
    brimvale::QtPlatformServices platform;
    brimvale::MainWindow window(platform.services());
    platform.setParentWidget(&window);
    window.show();
    return QApplication::exec();
}
