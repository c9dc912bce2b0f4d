// The colour settings round trip of the main window: opening the dialog, editing the ramp in it, and the
// redraw when the window becomes active again.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>

#include "ui/ColourDialog.h"
#include "ui/MainWindowFixture.h"
#include "ui/PictureBox.h"

namespace brimvale {
namespace {

// The probability 0.02 of cell 1.02 enters the lookup as 0.4; on the default ramp red is rising there.
constexpr double Cell = 1.02;
const QRgb DefaultColour = qRgb(170, 255, 0);
// With red's full band starting at 0.35 instead of 0.45, 0.4 is full red.
const QRgb EditedColour = qRgb(255, 255, 0);
// On the grey ramp 0.4 lies a third of the way from black to white.
const QRgb GreyColour = qRgb(85, 85, 85);

// A window whose other subsystems' drawing only counts, so the figures hold nothing but cells.
class ColourWindow : public MainWindow {
public:
    using MainWindow::MainWindow;

    int redraws = 0;

    void RedrawFigures() override
    {
        ++redraws;
        MainWindow::RedrawFigures();
    }
    void DrawDataCurve() override {}
    void DrawRunningMean() override {}
    void DrawModeCurves() override {}
    void DrawAverageCurves() override {}
};

class ColourRoundTripTest : public test::MainWindowFixtureOf<ColourWindow> {
protected:
    void SetUp() override
    {
        for (int i = 0; i <= 200; ++i)
            for (int j = 0; j <= 200; ++j)
                window->probabilityGrid(i, j) = Cell;
        window->Drawn[1] = true;
        window->SwitchToProb();
        ASSERT_EQ(centre(), DefaultColour);
    }

    QRgb centre() const
    {
        const QImage& image = window->Picture1[1]->surface().image();
        return image.pixel(image.width() / 2, image.height() / 2);
    }

    ColourDialog* dialog() const { return window->findChild<ColourDialog*>(); }

    // Drags a break point of editor k with the mouse, positions in the editor's scale units.
    static void drag(PictureBox& editor, double fromX, double y, double toX)
    {
        const auto send = [&](QEvent::Type type, double x, Qt::MouseButton button, Qt::MouseButtons buttons) {
            const DrawingSurface& surface = editor.surface();
            const QPointF position(editor.frameWidth() + x * surface.size().width() / surface.scaleWidth(),
                                   editor.frameWidth() + y * surface.size().height() / surface.scaleHeight());
            QMouseEvent event(type, position, editor.mapToGlobal(position), button, buttons, Qt::NoModifier);
            QApplication::sendEvent(&editor, &event);
        };
        send(QEvent::MouseButtonPress, fromX, Qt::LeftButton, Qt::LeftButton);
        send(QEvent::MouseMove, (fromX + toX) / 2, Qt::NoButton, Qt::LeftButton);
        send(QEvent::MouseMove, toX, Qt::NoButton, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, toX, Qt::LeftButton, Qt::NoButton);
    }

    // Moves red's second break point (start of its full band) from 0.45 to 0.35 of the editor's width.
    void dragRedPlateauStart()
    {
        PictureBox& red = dialog()->picture2(0);
        const double w = red.surface().scaleWidth();
        const double h = red.surface().scaleHeight();
        drag(red, 0.45 * w, 0.2 * h, 0.35 * w);
    }
};

TEST_F(ColourRoundTripTest, ColourSettingsOpensOneModelessDialogOverTheWindowsSettings)
{
    window->Command5->click();
    EXPECT_TRUE(window->LoadColourSetting);
    ColourDialog* first = dialog();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());

    // "OK" closes it; the button shows the same dialog again, with what was edited in it.
    first->command1().click(); // "Grey scale"
    first->command2().click(); // "OK"
    EXPECT_FALSE(first->isVisible());
    window->LoadColourSetting = false;
    window->Command5->click();
    EXPECT_TRUE(window->LoadColourSetting);
    EXPECT_EQ(window->findChildren<ColourDialog*>().size(), 1);
    EXPECT_EQ(dialog(), first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_TRUE(first->picture2(0).isHidden());
    EXPECT_TRUE(window->Settings.greyScale);
}

TEST_F(ColourRoundTripTest, QuitClosesTheDialogAndTheWindowWithoutAsking)
{
    window->show();
    window->Command5->click();
    ASSERT_TRUE(dialog()->isVisible());

    window->Command4->click();

    EXPECT_FALSE(dialog()->isVisible());
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(platform.messages.messages().empty());
}

TEST_F(ColourRoundTripTest, ReturningRedrawsOnlyAfterAnEditInTheDialogOpenedLast)
{
    window->Command5->click();
    window->Form_Activate();
    EXPECT_EQ(window->redraws, 0);
    EXPECT_FALSE(window->LoadColourSetting);

    // The dialog stays open; an edit made after the first return waits until it is opened again.
    dragRedPlateauStart();
    EXPECT_FLOAT_EQ(window->Settings.colourRamp[3], 0.35f);
    EXPECT_TRUE(window->Settings.colourSettingsChanged);
    window->Form_Activate();
    EXPECT_EQ(window->redraws, 0);
    EXPECT_EQ(centre(), DefaultColour);

    window->Command5->click();
    window->Form_Activate();
    EXPECT_EQ(window->redraws, 1);
    EXPECT_EQ(centre(), EditedColour);
    EXPECT_FALSE(window->LoadColourSetting);
    EXPECT_FALSE(window->Settings.colourSettingsChanged);
}

TEST_F(ColourRoundTripTest, GreyScaleAndResetReachBothViews)
{
    window->Command5->click();
    dialog()->command1().click(); // "Grey scale"
    window->Form_Activate();
    EXPECT_EQ(centre(), GreyColour);

    window->SwitchToConfi();
    EXPECT_EQ(centre(), qRgb(100, 100, 100));

    window->Command5->click();
    dialog()->command3().click(); // "Reset"
    window->Form_Activate();
    EXPECT_EQ(centre(), qRgb(50, 127, 50));
    window->SwitchToProb();
    EXPECT_EQ(centre(), DefaultColour);
}

TEST_F(ColourRoundTripTest, BecomingActiveAfterTheDialogRedraws)
{
    window->show();
    window->Command5->click();
    dragRedPlateauStart();
    dialog()->command2().click(); // "OK"
    window->activateWindow();
    QApplication::setActiveWindow(window.get());
    QCoreApplication::processEvents();
    ASSERT_TRUE(window->isActiveWindow());
    EXPECT_EQ(window->redraws, 1);
    EXPECT_EQ(centre(), EditedColour);
    EXPECT_FALSE(window->LoadColourSetting);
}

} // namespace
} // namespace brimvale
