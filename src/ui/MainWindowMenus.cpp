// The menus: the menu bar, the right-click pop-ups, copying figures, the pointer read-out, the dialogs and
// quitting.
#include "ui/MainWindow.h"

#include <QAction>
#include <QCoreApplication>
#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "ui/AboutDialog.h"
#include "ui/ColourDialog.h"
#include "ui/DialogPlacement.h"
#include "ui/PictureBox.h"
#include "ui/PrintSetupDialog.h"

namespace brimvale {

namespace {

QAction* named(QAction* action, const char* name, QKeySequence shortcut = {})
{
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    return action;
}

QMenu* namedMenu(QMenu* menu, const char* name)
{
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

} // namespace

void MainWindow::createMenus()
{
    QMenuBar* bar = menuBar();
    File = namedMenu(bar->addMenu(QStringLiteral("File(&F)")), "File");
    SaveMatrix = named(File->addAction(QStringLiteral("&Save Matrix")), "SaveMatrix", Qt::CTRL | Qt::Key_S);
    SaveMatrix->setEnabled(false);
    File->addSeparator();
    PrintOptions = named(File->addAction(QStringLiteral("Print &Options")), "PrintOptions");
    Print = named(File->addAction(QStringLiteral("&Print")), "Print", Qt::CTRL | Qt::Key_P);
    File->addSeparator();
    Quit = named(File->addAction(QStringLiteral("&Quit")), "Quit");

    Edit = namedMenu(bar->addMenu(QStringLiteral("Edit(&E)")), "Edit");
    ColourSetting = named(Edit->addAction(QStringLiteral("Colour Settings")), "ColourSetting");
    Edit->addSeparator();
    Copy = namedMenu(Edit->addMenu(QStringLiteral("&Copy")), "Copy");
    CopyFig1 = named(Copy->addAction(QStringLiteral("Fig.&1")), "CopyFig1", Qt::CTRL | Qt::Key_F1);
    CopyFig2 = named(Copy->addAction(QStringLiteral("Fig.&2")), "CopyFig2", Qt::CTRL | Qt::Key_F2);
    CopyFig3 = named(Copy->addAction(QStringLiteral("Fig.&3")), "CopyFig3", Qt::CTRL | Qt::Key_F3);
    Copy->addSeparator();
    mnuSection = named(Copy->addAction(QStringLiteral("&Section")), "mnuSection");

    AboutBrimvale = namedMenu(bar->addMenu(QStringLiteral("About Brimvale(&A)")), "AboutBrimvale");
    About = named(AboutBrimvale->addAction(QStringLiteral("&About Brimvale 2.5")), "About");

    // The right-click pop-ups are the submenus of a menu the bar never shows.
    RB = namedMenu(bar->addMenu(QStringLiteral("RightButton")), "RB");
    RB->menuAction()->setVisible(false);
    Fig1 = namedMenu(RB->addMenu(QStringLiteral("Fig1")), "Fig1");
    Copy1 = named(Fig1->addAction(QStringLiteral("Copy")), "Copy1");
    Fig2 = namedMenu(RB->addMenu(QStringLiteral("Fig2")), "Fig2");
    Copy2 = named(Fig2->addAction(QStringLiteral("Copy")), "Copy2");
    Fig3 = namedMenu(RB->addMenu(QStringLiteral("Fig3")), "Fig3");
    Copy3 = named(Fig3->addAction(QStringLiteral("&Copy")), "Copy3");
    Fig3->addSeparator();
    SaveMatrix2 = named(Fig3->addAction(QStringLiteral("&Save matrix")), "SaveMatrix2");
    CopySection = namedMenu(RB->addMenu(QStringLiteral("Section")), "CopySection");
    mnuCopySection = named(CopySection->addAction(QStringLiteral("Copy")), "mnuCopySection");
    CopyScale = namedMenu(RB->addMenu(QStringLiteral("Scale")), "CopyScale");
    mnuCopyScale = named(CopyScale->addAction(QStringLiteral("Copy")), "mnuCopyScale");
}

void MainWindow::copyToClipboard(const PictureBox& picture)
{
    // The image of what is drawn on the box, at the screen's pixel density; the labels around a figure are
    // controls of their own and not part of it.
    m_services.clipboard.clear();
    m_services.clipboard.setImage(picture.surface().image());
}

void MainWindow::Copy_Click()
{
    CopyFig1->setEnabled(Drawn[0]);
    CopyFig2->setEnabled(Drawn[1] && Picture1[1]->isVisibleTo(this));
    CopyFig3->setEnabled(Drawn[2]);
    // The calibration panel shows a profile.
    mnuSection->setEnabled(!Picture1[1]->isVisibleTo(this) && !Command6->isVisibleTo(this));
}

void MainWindow::CopyFig1_Click()
{
    copyToClipboard(*Picture1[0]);
}
void MainWindow::CopyFig2_Click()
{
    copyToClipboard(*Picture1[1]);
}
void MainWindow::CopyFig3_Click()
{
    copyToClipboard(*Picture1[2]);
}
void MainWindow::mnuSection_Click()
{
    copyToClipboard(*Picture2);
}
void MainWindow::Copy1_Click()
{
    copyToClipboard(*Picture1[0]);
}
void MainWindow::Copy2_Click()
{
    copyToClipboard(*Picture1[1]);
}
void MainWindow::Copy3_Click()
{
    copyToClipboard(*Picture1[2]);
}
void MainWindow::mnuCopySection_Click()
{
    copyToClipboard(*Picture2);
}
void MainWindow::mnuCopyScale_Click()
{
    copyToClipboard(*Picture3);
}

void MainWindow::Picture1_MouseDown(int index, Qt::MouseButton button)
{
    if (button != Qt::RightButton)
        return;
    const std::array<QMenu*, 3> menus{Fig1, Fig2, Fig3};
    switch (index) {
    case 0:
        Copy1->setEnabled(Drawn[0]);
        break;
    case 1:
        Copy2->setEnabled(Drawn[1]);
        break;
    default:
        Copy3->setEnabled(Drawn[2]);
        SaveMatrix2->setEnabled(Drawn[2]);
        break;
    }
    menus[static_cast<std::size_t>(index)]->popup(QCursor::pos());
}

void MainWindow::Picture2_MouseDown(Qt::MouseButton button)
{
    if (button == Qt::RightButton)
        CopySection->popup(QCursor::pos());
}

void MainWindow::Picture3_MouseDown(Qt::MouseButton button)
{
    if (button == Qt::RightButton)
        CopyScale->popup(QCursor::pos());
}

void MainWindow::Picture1_MouseMove(int index)
{
    const auto i = static_cast<std::size_t>(index);
    Picture1[i]->setToolTip(Drawn[i] ? QStringLiteral("X: ") + Label14[i]->text() + QStringLiteral(" / Y: ") +
                                           Label15[i]->text()
                                     : QString());
}

void MainWindow::ColourSetting_Click()
{
    Command5_Click();
}

void MainWindow::About_Click()
{
    if (!m_about)
        m_about = new AboutDialog(this);
    showModeless(*m_about);
}

void MainWindow::Quit_Click()
{
    // Ends the program at once: nothing is saved and nothing asked.
    close();
    QCoreApplication::quit();
}

} // namespace brimvale
