// The commands that open the program's dialogs.
#include "ui/MainWindow.h"

#include "ui/ColourDialog.h"

namespace brimvale {

void MainWindow::Command5_Click()
{
    // Set first: returning to this window redraws the figures if the dialog changed the colours.
    LoadColourSetting = true;
    // Loaded once and kept, so its grab state and threshold slider live as long as the window.
    if (!m_colourDialog)
        m_colourDialog = new ColourDialog(Settings, m_services.pointer, this);
    m_colourDialog->show();
    m_colourDialog->raise();
    m_colourDialog->activateWindow();
}

} // namespace brimvale
