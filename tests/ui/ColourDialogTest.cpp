// The colour settings dialog: controls, load rules, dragging break points, the buttons and the threshold.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>

#include <utility>
#include <vector>

#include "support/RecordingMousePointer.h"
#include "ui/ColourDialog.h"
#include "ui/PictureBox.h"

namespace brimvale {
namespace {

using Pointer = MousePointer::Pointer;

const QRgb White = qRgb(255, 255, 255);

// The widget position of a point given in the box's scale units.
QPointF widgetPosition(PictureBox& box, double x, double y)
{
    const DrawingSurface& surface = box.surface();
    return QPointF(box.frameWidth() + x * surface.size().width() / surface.scaleWidth(),
                   box.frameWidth() + y * surface.size().height() / surface.scaleHeight());
}

void sendMouse(PictureBox& box, QEvent::Type type, double x, double y, Qt::MouseButtons buttons)
{
    const QPointF position = widgetPosition(box, x, y);
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, position, box.mapToGlobal(position), button, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(&box, &event);
}

struct Fixture {
    ProgramSettings settings;
    test::RecordingMousePointer pointer;
};

// The horizontal centre of a label in the editor's scale units.
double labelCentre(const QLabel& label, PictureBox& box)
{
    const double pixels = label.x() + label.width() / 2.0 - box.x() - box.frameWidth();
    return pixels * box.surface().scaleWidth() / box.surface().size().width();
}

TEST(ColourDialogTest, ControlsAreNamedAndCaptioned)
{
    Fixture f;
    ColourDialog dialog(f.settings, f.pointer);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Colour settings"));
    EXPECT_FALSE(dialog.isModal());
    std::vector<std::pair<QWidget*, QString>> named = {
        {&dialog.picture1(), "Picture1"}, {&dialog.label3(), "Label3"},     {&dialog.slider1(), "Slider1"},
        {&dialog.command1(), "Command1"}, {&dialog.command2(), "Command2"}, {&dialog.command3(), "Command3"}};
    for (int k = 0; k < 3; ++k)
        named.emplace_back(&dialog.picture2(k), QStringLiteral("Picture2_%1").arg(k));
    for (int p = 0; p < 4; ++p) {
        named.emplace_back(&dialog.label0(p), QStringLiteral("Label0_%1").arg(p));
        named.emplace_back(&dialog.label1(p), QStringLiteral("Label1_%1").arg(p));
        named.emplace_back(&dialog.label2(p), QStringLiteral("Label2_%1").arg(p));
    }
    for (const auto& [control, name] : named)
        EXPECT_EQ(dialog.findChild<QWidget*>(name), control) << name.toStdString();
    EXPECT_EQ(dialog.slider1().maximum(), 100);
    EXPECT_EQ(dialog.command1().text(), QStringLiteral("Grey scale"));
    EXPECT_EQ(dialog.command2().text(), QStringLiteral("OK"));
    EXPECT_EQ(dialog.command3().text(), QStringLiteral("Reset"));
}

TEST(ColourDialogTest, LoadFollowsTheSettings)
{
    Fixture fresh;
    ColourDialog dialog(fresh.settings, fresh.pointer);
    EXPECT_EQ(dialog.slider1().value(), 0);
    EXPECT_FALSE(dialog.picture2(0).isHidden());
    EXPECT_FALSE(dialog.label1(2).isHidden());

    Fixture grey;
    grey.settings.greyScale = true;
    grey.settings.colourRamp.points = ColourRamp::greyScale();
    grey.settings.whiteThreshold = 0.2f;
    ColourDialog greyDialog(grey.settings, grey.pointer);
    EXPECT_EQ(greyDialog.slider1().value(), 20);
    EXPECT_TRUE(greyDialog.picture2(0).isHidden());
    EXPECT_TRUE(greyDialog.picture2(1).isHidden());
    EXPECT_FALSE(greyDialog.picture2(2).isHidden());
    for (int p = 0; p < 4; ++p) {
        EXPECT_TRUE(greyDialog.label0(p).isHidden());
        EXPECT_TRUE(greyDialog.label1(p).isHidden());
        EXPECT_FALSE(greyDialog.label2(p).isHidden());
    }
    EXPECT_FALSE(grey.settings.colourSettingsChanged);
}

TEST(ColourDialogTest, ActivationDrawsEditorsPreviewAndLabels)
{
    Fixture f;
    ColourDialog dialog(f.settings, f.pointer);
    dialog.Form_Activate();
    // Red's plateau (0.45..0.65) at 0.2 of the editor's height.
    PictureBox& red = dialog.picture2(0);
    const QImage& editor = red.surface().image();
    const QPoint plateau(static_cast<int>(0.55 * editor.width()), static_cast<int>(0.2 * editor.height()));
    EXPECT_EQ(editor.pixel(plateau), qRgb(255, 0, 0));
    EXPECT_EQ(editor.pixel(plateau.x(), editor.height() / 2), White);

    const QString red0[] = {"30", "45", "65", "95"};
    const QString blue[] = {"0", "15", "25", "35"};
    const float redPoints[] = {0.3f, 0.45f, 0.65f, 0.95f};
    for (int p = 0; p < 4; ++p) {
        EXPECT_EQ(dialog.label0(p).text(), red0[p]);
        EXPECT_EQ(dialog.label2(p).text(), blue[p]);
        // Centred under its point within a pixel (15 twips), the frame allowance included.
        EXPECT_NEAR(labelCentre(dialog.label0(p), red), redPoints[p] * red.surface().scaleWidth(), 15.0) << p;
    }
    EXPECT_EQ(dialog.label1(3).text(), QStringLiteral("65"));
    EXPECT_EQ(dialog.label3().text(), QStringLiteral("0"));

    // Threshold 0: the preview starts with the colour of 0, black on the default ramp.
    const QImage& preview = dialog.picture1().surface().image();
    EXPECT_EQ(preview.pixel(0, preview.height() / 2), qRgb(0, 0, 0));
}

TEST(ColourDialogTest, DraggingMovesABreakPoint)
{
    Fixture f;
    ColourDialog dialog(f.settings, f.pointer);
    dialog.Form_Activate();
    PictureBox& green = dialog.picture2(1);
    const double w = green.surface().scaleWidth();
    const double h = green.surface().scaleHeight();

    // Hovering near green's point 1 (0.3 at the plateau height) shows the sizing pointer; away, the default.
    sendMouse(green, QEvent::MouseMove, 0.3 * w + 40, 0.2 * h - 40, Qt::NoButton);
    EXPECT_EQ(f.pointer.current(), Pointer::LeftRightSizing);
    sendMouse(green, QEvent::MouseMove, 0.3 * w + 70, 0.2 * h, Qt::NoButton);
    EXPECT_EQ(f.pointer.current(), Pointer::Default);
    sendMouse(green, QEvent::MouseMove, 0.3 * w, 0.8 * h, Qt::NoButton); // right x, wrong height
    EXPECT_EQ(f.pointer.current(), Pointer::Default);

    sendMouse(green, QEvent::MouseButtonPress, 0.3 * w + 30, 0.2 * h + 20, Qt::LeftButton);
    EXPECT_TRUE(dialog.isGrabbed(1, 1));
    EXPECT_FALSE(dialog.isGrabbed(1, 0));
    EXPECT_FALSE(dialog.isGrabbed(1, 2));
    sendMouse(green, QEvent::MouseMove, 0.4 * w, 0.2 * h, Qt::LeftButton);
    EXPECT_FLOAT_EQ(f.settings.colourRamp[4], 0.4f);
    EXPECT_EQ(dialog.label1(1).text(), QStringLiteral("40"));
    EXPECT_NEAR(labelCentre(dialog.label1(1), green), 0.4 * w, 15.0);
    EXPECT_FALSE(f.settings.colourSettingsChanged); // only the release counts as an edit
    // Past its neighbour (0.45) and beyond the editor: the points stay unordered and unclamped.
    sendMouse(green, QEvent::MouseMove, 1.25 * w, 0.5 * h, Qt::LeftButton);
    EXPECT_FLOAT_EQ(f.settings.colourRamp[4], 1.25f);
    sendMouse(green, QEvent::MouseButtonRelease, 0.5 * w, 0.5 * h, Qt::NoButton);
    EXPECT_FLOAT_EQ(f.settings.colourRamp[4], 0.5f);
    EXPECT_FALSE(dialog.isGrabbed(1, 1));
    EXPECT_TRUE(f.settings.colourSettingsChanged);
    EXPECT_EQ(f.pointer.current(), Pointer::Default);
    EXPECT_EQ(dialog.focusWidget(), &dialog.command2());
    // Only green's point 1 moved.
    ColourRamp expected;
    expected[4] = 0.5f;
    EXPECT_EQ(f.settings.colourRamp.points, expected.points);

    // The editor is redrawn: the plateau now runs back from 0.5 to 0.45, and where it was (0.3..0.45)
    // its row is white.
    const QImage& editor = green.surface().image();
    const int plateauRow = static_cast<int>(0.2 * editor.height());
    EXPECT_EQ(editor.pixel(static_cast<int>(0.35 * editor.width()), plateauRow), White);
    EXPECT_EQ(editor.pixel(static_cast<int>(0.475 * editor.width()), plateauRow), qRgb(0, 255, 0));

    // A press away from every point grabs nothing, and moving then changes nothing.
    sendMouse(green, QEvent::MouseButtonPress, 0.9 * w, 0.5 * h, Qt::LeftButton);
    sendMouse(green, QEvent::MouseMove, 0.7 * w, 0.5 * h, Qt::LeftButton);
    EXPECT_EQ(f.settings.colourRamp.points, expected.points);
}

TEST(ColourDialogTest, DraggingInGreyScaleMovesAllChannelsAndCoincidentPoints)
{
    Fixture f;
    ColourDialog dialog(f.settings, f.pointer);
    dialog.Command1_Click();
    PictureBox& blue = dialog.picture2(2);
    const double w = blue.surface().scaleWidth();
    const double h = blue.surface().scaleHeight();
    // Points 1 and 2 both lie at 0 on the plateau height and are grabbed together.
    sendMouse(blue, QEvent::MouseButtonPress, 10, 0.2 * h, Qt::LeftButton);
    EXPECT_TRUE(dialog.isGrabbed(2, 1));
    EXPECT_TRUE(dialog.isGrabbed(2, 2));
    EXPECT_FALSE(dialog.isGrabbed(2, 0));
    sendMouse(blue, QEvent::MouseButtonRelease, 0.1 * w, 0.2 * h, Qt::NoButton);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(f.settings.colourRamp[k], 0.0f) << k;
        EXPECT_FLOAT_EQ(f.settings.colourRamp[3 + k], 0.1f) << k;
        EXPECT_FLOAT_EQ(f.settings.colourRamp[6 + k], 0.1f) << k;
        EXPECT_FLOAT_EQ(f.settings.colourRamp[9 + k], 0.6f) << k;
    }
}

TEST(ColourDialogTest, GreyScaleAndResetSetValuesAndVisibility)
{
    Fixture f;
    ColourDialog dialog(f.settings, f.pointer);
    dialog.Form_Activate();
    dialog.slider1().setValue(35);

    dialog.command1().click();
    EXPECT_EQ(f.settings.colourRamp.points, ColourRamp::greyScale());
    EXPECT_TRUE(f.settings.greyScale);
    EXPECT_EQ(f.settings.whiteThreshold, 0.0f);
    EXPECT_EQ(dialog.slider1().value(), 0);
    EXPECT_TRUE(f.settings.colourSettingsChanged);
    EXPECT_TRUE(dialog.picture2(0).isHidden());
    EXPECT_TRUE(dialog.picture2(1).isHidden());
    EXPECT_TRUE(dialog.label0(0).isHidden());
    EXPECT_TRUE(dialog.label1(3).isHidden());
    EXPECT_FALSE(dialog.label2(3).isHidden());
    EXPECT_EQ(dialog.label2(3).text(), QStringLiteral("60"));
    // The blue editor is drawn in black; the preview fades from white to black.
    PictureBox& blue = dialog.picture2(2);
    const QImage& editor = blue.surface().image();
    EXPECT_EQ(editor.pixel(editor.width() - 3, static_cast<int>(0.8 * editor.height())), qRgb(0, 0, 0));
    const QImage& preview = dialog.picture1().surface().image();
    EXPECT_EQ(preview.pixel(0, 0), White);
    EXPECT_EQ(preview.pixel(preview.width() - 1, 0), qRgb(0, 0, 0));

    f.settings.colourSettingsChanged = false;
    dialog.command3().click();
    EXPECT_EQ(f.settings.colourRamp.points, ColourRamp::defaults());
    EXPECT_FALSE(f.settings.greyScale);
    EXPECT_EQ(dialog.slider1().value(), 10);
    EXPECT_EQ(f.settings.whiteThreshold, 0.1f);
    EXPECT_EQ(dialog.label3().text(), QStringLiteral("10"));
    EXPECT_TRUE(f.settings.colourSettingsChanged);
    EXPECT_FALSE(dialog.picture2(0).isHidden());
    EXPECT_FALSE(dialog.picture2(1).isHidden());
    EXPECT_FALSE(dialog.label0(0).isHidden());
    EXPECT_FALSE(dialog.label1(3).isHidden());

    // Reset with the slider already at 10 still sets the threshold from it.
    f.settings.whiteThreshold = 0.5f;
    dialog.command3().click();
    EXPECT_EQ(f.settings.whiteThreshold, 0.1f);
}

TEST(ColourDialogTest, ThresholdWhitensThePreviewBelowIt)
{
    Fixture f;
    ColourDialog dialog(f.settings, f.pointer);
    dialog.Form_Activate();
    dialog.slider1().setValue(30);
    EXPECT_EQ(f.settings.whiteThreshold, 0.3f);
    EXPECT_EQ(dialog.label3().text(), QStringLiteral("30"));
    EXPECT_NEAR(labelCentre(dialog.label3(), dialog.picture1()),
                0.3 * dialog.picture1().surface().scaleWidth(), 15.0);
    EXPECT_FALSE(f.settings.colourSettingsChanged);
    // The strip itself is pinned by render/ColourRampDrawingTest; here it is redrawn with the threshold.
    const QImage& preview = dialog.picture1().surface().image();
    EXPECT_EQ(preview.pixel(static_cast<int>(0.25 * preview.width()), preview.height() / 2), White);
    EXPECT_NE(preview.pixel(static_cast<int>(0.35 * preview.width()), preview.height() / 2), White);

    emit dialog.slider1().sliderReleased();
    EXPECT_TRUE(f.settings.colourSettingsChanged);
    EXPECT_EQ(dialog.focusWidget(), &dialog.command2());
}

TEST(ColourDialogTest, OkClosesAndEscapeDoesNot)
{
    Fixture f;
    ColourDialog dialog(f.settings, f.pointer);
    dialog.show();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(&dialog, &escape);
    EXPECT_TRUE(dialog.isVisible());
    dialog.command2().click();
    EXPECT_FALSE(dialog.isVisible());
}

} // namespace
} // namespace brimvale
