// The About box (frmAbout): the program's name and version and what it does.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace brimvale {

// Modeless; its one button closes it.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* Caption = "About Brimvale 2.5";

    explicit AboutDialog(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;        // "Brimvale 2.5"
    QLabel* Label2 = nullptr;        // what the program does
    QPushButton* Command1 = nullptr; // "OK": closes the box
};

} // namespace brimvale
