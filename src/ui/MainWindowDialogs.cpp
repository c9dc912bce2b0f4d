// The commands that open the program's dialogs.
#include "ui/MainWindow.h"

#include "ui/AboutDialog.h"
#include "ui/ColourDialog.h"
#include "ui/PrintSetupDialog.h"

#include <QCoreApplication>
#include <QScreen>

#include "ui/DialogPlacement.h"

namespace brimvale {

std::optional<QPoint> MainWindow::besideThisWindow(QSize dialogFrame) const
{
    return besideFrame(screen()->availableGeometry(), frameGeometry(), dialogFrame);
}

void MainWindow::Command5_Click()
{
    // Set first: returning to this window redraws the figures if the dialog changed the colours.
    LoadColourSetting = true;
    // Loaded once and kept, so its grab state and threshold slider live as long as the window. It opens
    // beside the window, so that the figures it recolours stay in view, in the window's font.
    if (!m_colourDialog) {
        m_colourDialog = new ColourDialog(Settings, m_services.pointer, this);
        m_colourDialog->setFont(font());
        if (const std::optional<QPoint> place = besideThisWindow(m_colourDialog->frameGeometry().size()))
            m_colourDialog->move(*place);
    }
    showModeless(*m_colourDialog);
}

void MainWindow::PrintOptions_Click()
{
    if (!m_printSetup)
        m_printSetup = new PrintSetupDialog(Settings.printOptions, this);
    // A closed dialog is loaded again: it takes a new copy of the options for "Cancel".
    if (m_printSetup->isHidden())
        m_printSetup->Form_Load();
    showModeless(*m_printSetup);
}

void MainWindow::Command4_Click()
{
    // "Quit" closes the dialogs first, then ends the program; nothing is saved and nothing asked.
    if (m_about)
        m_about->close();
    if (m_colourDialog)
        m_colourDialog->close();
    if (m_printSetup)
        m_printSetup->close();
    close();
    QCoreApplication::quit();
}

} // namespace brimvale
