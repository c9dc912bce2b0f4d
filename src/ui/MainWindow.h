// The main window of Brimvale.
#pragma once

#include <QMainWindow>

namespace brimvale {

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
};

} // namespace brimvale
