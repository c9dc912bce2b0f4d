// The print options dialog (frmPrintSetup): dot size, frame thickness, zoom, font size and title.
#pragma once

#include <QDialog>

#include "model/ProgramSettings.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace brimvale {

// Modeless. Each box changes its print option at once, on every keystroke, so a print started while
// the dialog is open uses the values typed so far; no text is refused (one without a leading number
// gives 0). "OK" and the close box keep the values, "Cancel" restores those held when it was loaded.
class PrintSetupDialog : public QDialog {
    Q_OBJECT
public:
    PrintSetupDialog(PrintOptions& options, QWidget* parent = nullptr);

    QGroupBox* Frame1 = nullptr;     // frame around the boxes
    QLineEdit* Text1 = nullptr;      // DotSize
    QLineEdit* Text2 = nullptr;      // FrameThickness
    QLineEdit* Text3 = nullptr;      // Zoom in percent
    QLineEdit* Text4 = nullptr;      // FontSize in points
    QLineEdit* Text5 = nullptr;      // Title
    QLabel* Label1 = nullptr;        // "Dot Size:"
    QLabel* Label2 = nullptr;        // "Picture Frame Thickness:"
    QLabel* Label3 = nullptr;        // "Zoom (%):"
    QLabel* Label4 = nullptr;        // "Font Size:"
    QLabel* Label5 = nullptr;        // "Title:"
    QPushButton* Command1 = nullptr; // "OK"
    QPushButton* Command2 = nullptr; // "Cancel"

    // Loading: keeps a copy of the options for "Cancel" and shows them in the boxes.
    void Form_Load();
    void Text1_Change();
    void Text2_Change();
    void Text3_Change();
    void Text4_Change();
    void Text5_Change();
    void Command1_Click();
    void Command2_Click();

private:
    PrintOptions& m_options;
    PrintOptions m_saved; // the options as they were when the dialog was loaded
};

} // namespace brimvale
