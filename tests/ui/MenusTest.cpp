// The menus on the window: which copy commands are offered, the right-click pop-ups, the clipboard, the
// pointer read-out and quitting.
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QMouseEvent>

#include "WindowTest.h"

namespace brimvale::test {
namespace {

using MenusTest = WindowTest;

void press(QWidget& box, Qt::MouseButton button, QEvent::Type type = QEvent::MouseButtonPress)
{
    const QPointF inside(3.0, 3.0);
    QMouseEvent event(type, inside, box.mapToGlobal(inside), button, button, Qt::NoModifier);
    QApplication::sendEvent(&box, &event);
}

std::vector<bool> enabledStates(std::initializer_list<const QAction*> actions)
{
    std::vector<bool> enabled;
    for (const QAction* action : actions)
        enabled.push_back(action->isEnabled());
    return enabled;
}

TEST_F(MenusTest, CopyCommandsAndPopUpsAreOfferedForWhatTheFiguresHold)
{
    MainWindow& w = *window;
    // Nothing imported: only "Section" can be offered, and only while the panel shows a profile.
    emit w.Copy->aboutToShow();
    EXPECT_EQ(enabledStates({w.CopyFig1, w.CopyFig2, w.CopyFig3, w.mnuSection}), std::vector<bool>(4, false));
    w.Picture1[1]->hide();
    emit w.Copy->aboutToShow();
    EXPECT_EQ(enabledStates({w.CopyFig1, w.CopyFig2, w.CopyFig3, w.mnuSection}),
              std::vector<bool>({false, false, false, true}));
    w.Picture1[1]->show();

    // A left click pops up nothing; a right click on an empty figure pops up its menu with nothing to do.
    press(*w.Picture1[2], Qt::LeftButton);
    EXPECT_FALSE(w.Fig3->isVisible());
    press(*w.Picture1[2], Qt::RightButton);
    EXPECT_TRUE(w.Fig3->isVisible());
    EXPECT_EQ(enabledStates({w.Copy3, w.SaveMatrix2}), std::vector<bool>(2, false));
    w.Fig3->hide();

    calibrated();
    emit w.Copy->aboutToShow();
    EXPECT_EQ(enabledStates({w.CopyFig1, w.CopyFig2, w.CopyFig3, w.mnuSection}),
              std::vector<bool>({true, true, true, false}));
    for (int i = 0; i < 3; ++i)
        press(*w.Picture1[i], Qt::RightButton);
    EXPECT_EQ(enabledStates({w.Copy1, w.Copy2, w.Copy3, w.SaveMatrix2}), std::vector<bool>(4, true));

    // Copying empties the clipboard, then puts the figure's image on it, the labels around it not included.
    for (int i = 0; i < 3; ++i) {
        const int clears = platform.clipboard.clears;
        std::array{w.CopyFig1, w.Copy2, w.Copy3}[i]->trigger();
        EXPECT_EQ(platform.clipboard.clears, clears + 1);
        EXPECT_EQ(platform.clipboard.image, w.Picture1[i]->surface().image());
    }

    // The Fig3 pop-up saves as File > Save Matrix does.
    platform.dialogBackend.queueFile(pathOf("saved.csv"));
    w.SaveMatrix2->trigger();
    EXPECT_TRUE(QFile::exists(pathOf("saved.csv")));
}

TEST_F(MenusTest, TheTooltipNamesTheAxesOfAFigureThatHoldsData)
{
    press(*window->Picture1[0], Qt::NoButton, QEvent::MouseMove);
    EXPECT_EQ(window->Picture1[0]->toolTip(), QString());
    importData();
    press(*window->Picture1[0], Qt::NoButton, QEvent::MouseMove);
    EXPECT_EQ(window->Picture1[0]->toolTip(), QStringLiteral("X: Quercus (%) / Y: Depth (cm)"));
}

TEST_F(MenusTest, BothQuitCommandsEndWithoutAQuestionTheButtonClosingTheDialogsFirst)
{
    calibrated();
    window->show();
    window->About->trigger();
    window->PrintOptions->trigger();
    click(QStringLiteral("Colour settings"));
    const std::vector<QWidget*> dialogs = {window->findChild<QWidget*>(QStringLiteral("frmAbout")),
                                           window->findChild<QWidget*>(QStringLiteral("frmColor")),
                                           window->findChild<QWidget*>(QStringLiteral("frmPrintSetup"))};
    for (QWidget* dialog : dialogs)
        ASSERT_TRUE(dialog && dialog->isVisible());
    click(QStringLiteral("Quit"));
    for (QWidget* dialog : dialogs)
        EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(window->isVisible());

    window->show();
    window->Quit->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(messages().empty());
}

} // namespace
} // namespace brimvale::test
