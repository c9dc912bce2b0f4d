// The main window as the program starts: every control's place, caption and state, and the defaults.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include "ui/DriveList.h"
#include "ui/FileList.h"
#include "ui/FolderList.h"
#include "ui/MainWindowFixture.h"
#include "ui/PictureBox.h"
#include "ui/TwipsGeometry.h"

namespace brimvale {
namespace {

using test::MainWindowFixture;

QString shownText(const QWidget& widget)
{
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget))
        return button->text();
    if (const auto* label = qobject_cast<const QLabel*>(&widget))
        return label->text();
    if (const auto* edit = qobject_cast<const QLineEdit*>(&widget))
        return edit->text();
    return QString();
}

struct ControlAtStart {
    const char* name;
    const char* parent; // "FormSurface" or "Frame1"
    TwipsRect place;
    const char* text;
    bool hidden;
    bool enabled;
};

// Positions, captions and start states of the window's layout, frame controls relative to the frame.
const ControlAtStart StartTable[] = {
    {"Picture1_0", "FormSurface", {1440, 840, 2175, 5535}, "", false, true},
    {"Picture1_1", "FormSurface", {4440, 840, 2175, 2175}, "", false, true},
    {"Picture1_2", "FormSurface", {7440, 840, 2175, 5535}, "", false, true},
    {"Command1_0", "FormSurface", {1440, 300, 2175, 315}, "Import data", false, true},
    {"Command1_1", "FormSurface", {4440, 300, 2175, 315}, "Import Corvane file", false, true},
    {"Command1_2", "FormSurface", {7440, 6840, 2175, 315}, "Import Brimvale file", false, true},
    {"Command2", "FormSurface", {7440, 300, 2175, 315}, "Calibrate", false, false},
    {"Command3", "FormSurface", {10320, 5820, 1695, 375}, "Show section", false, false},
    {"Command5", "FormSurface", {10320, 6300, 1695, 375}, "Colour settings", false, true},
    {"Command4", "FormSurface", {10320, 6780, 1695, 375}, "Quit", false, true},
    {"Command6", "FormSurface", {4440, 6600, 2175, 615}, "Import probability matrix", true, true},
    {"Frame1", "FormSurface", {4440, 3360, 2175, 3795}, "", false, true},
    {"Drive1", "FormSurface", {4440, 3480, 2175, 300}, "", false, true},
    {"Dir1", "FormSurface", {4440, 3840, 2175, 1350}, "", false, true},
    {"File1", "FormSurface", {4420, 5160, 2205, 1890}, "", false, true},
    {"Slider1", "FormSurface", {1335, 6960, 2370, 255}, "", false, true},
    {"Slider2", "FormSurface", {345, 765, 255, 5700}, "", false, true},
    {"Slider5", "FormSurface", {3960, 765, 255, 5700}, "", false, true},
    {"Text1", "FormSurface", {600, 6120, 735, 330}, "", false, true},
    {"Text2", "FormSurface", {600, 720, 735, 330}, "", false, true},
    {"Picture2", "FormSurface", {4440, 6600, 2175, 615}, "", true, true},
    {"Picture3", "FormSurface", {6720, 6600, 255, 615}, "", true, true},
    {"Picture4", "FormSurface", {4440, 6600, 2175, 615}, "", false, true},
    {"ProgressBar1", "FormSurface", {0, 7395, 12585, 225}, "", true, true},
    {"Label12", "FormSurface", {600, 3240, 735, 255}, "", true, true},
    {"Shape1", "FormSurface", {10320, 840, 1695, 4575}, "", false, true},
    {"Shape2", "FormSurface", {10320, 840, 1710, 4590}, "", false, true},
    {"Shape3", "FormSurface", {10335, 855, 1695, 4575}, "", false, true},
    {"Label1_0", "FormSurface", {1440, 6480, 735, 255}, "", false, true},
    {"Label2_0", "FormSurface", {3240, 6480, 735, 255}, "", false, true},
    {"Label1_1", "FormSurface", {4440, 3120, 735, 255}, "", false, true},
    {"Label2_1", "FormSurface", {6240, 3120, 735, 255}, "", false, true},
    {"Label1_2", "FormSurface", {3600, 2880, 345, 255}, "", false, true},
    {"Label2_2", "FormSurface", {3600, 840, 345, 255}, "", false, true},
    {"Label1_3", "FormSurface", {7440, 6480, 735, 255}, "", false, true},
    {"Label2_3", "FormSurface", {9240, 6480, 735, 255}, "", false, true},
    {"Label1_4", "FormSurface", {6600, 6240, 735, 255}, "", false, true},
    {"Label2_4", "FormSurface", {6600, 720, 735, 255}, "", false, true},
    {"Label3", "Frame1", {240, 560, 1575, 255}, "Smoothing level:", false, false},
    {"Label4", "Frame1", {1680, 560, 375, 255}, "1", false, false},
    {"Label7", "Frame1", {120, 800, 1935, 255}, "(No. of averaged levels)", false, false},
    {"Slider3", "Frame1", {120, 320, 1935, 255}, "", false, true},
    {"Option1_0", "Frame1", {240, 1160, 1695, 255}, "Probability", false, true},
    {"Option1_1", "Frame1", {240, 1400, 1695, 255}, "Confidence ", false, true},
    {"Slider4", "Frame1", {120, 1760, 1935, 255}, "", false, true},
    {"Label9", "Frame1", {240, 2000, 1935, 255}, "Z-axis enhancement:", false, false},
    {"Label11", "Frame1", {240, 2240, 1215, 255}, "100 %", false, false},
    {"Check4", "Frame1", {240, 2600, 1455, 255}, "Show mode", false, false},
    {"Check8", "Frame1", {240, 2880, 1815, 255}, "Show average", false, false},
    {"Check3", "Frame1", {1440, 3360, 1215, 255}, "Smoothing", true, false},
    {"Label5_0", "Frame1", {240, 3200, 375, 255}, "C1:", false, false},
    {"Label6_0", "Frame1", {600, 3200, 855, 255}, "", false, true},
    {"Label5_1", "Frame1", {240, 3440, 375, 255}, "C2:", false, false},
    {"Label6_1", "Frame1", {600, 3440, 855, 255}, "", false, true},
};

TEST_F(MainWindowFixture, EveryControlStartsAtItsPlaceWithItsCaptionAndState)
{
    for (const ControlAtStart& row : StartTable) {
        SCOPED_TRACE(row.name);
        const auto* control = window->findChild<QWidget*>(QString::fromLatin1(row.name));
        ASSERT_NE(control, nullptr);
        ASSERT_NE(control->parentWidget(), nullptr);
        EXPECT_EQ(control->parentWidget()->objectName(), QString::fromLatin1(row.parent));
        EXPECT_EQ(twipsGeometry(*control), row.place);
        EXPECT_EQ(shownText(*control), QString::fromUtf8(row.text));
        EXPECT_EQ(control->isHidden(), row.hidden);
        EXPECT_EQ(control->isEnabled(), row.enabled);
    }
}

TEST_F(MainWindowFixture, ControlArraysHoldTheNamedControlsAndTheHiddenLabelsStartEmpty)
{
    std::vector<std::pair<QWidget*, QString>> named;
    for (int i = 0; i < 5; ++i) {
        named.emplace_back(window->Label1[i], QStringLiteral("Label1_%1").arg(i));
        named.emplace_back(window->Label2[i], QStringLiteral("Label2_%1").arg(i));
    }
    for (int i = 0; i < 3; ++i) {
        named.emplace_back(window->Picture1[i], QStringLiteral("Picture1_%1").arg(i));
        named.emplace_back(window->Command1[i], QStringLiteral("Command1_%1").arg(i));
        for (QLabel* label : {window->Label10[i], window->Label14[i], window->Label15[i]}) {
            EXPECT_TRUE(label->isHidden()) << label->objectName().toStdString();
            EXPECT_TRUE(label->text().isEmpty()) << label->objectName().toStdString();
        }
        named.emplace_back(window->Label10[i], QStringLiteral("Label10_%1").arg(i));
        named.emplace_back(window->Label15[i], QStringLiteral("Label15_%1").arg(i));
    }
    for (int i = 0; i < 2; ++i) {
        named.emplace_back(window->Option1[i], QStringLiteral("Option1_%1").arg(i));
        named.emplace_back(window->Label5[i], QStringLiteral("Label5_%1").arg(i));
        named.emplace_back(window->Label6[i], QStringLiteral("Label6_%1").arg(i));
    }
    for (const auto& [control, name] : named)
        EXPECT_EQ(control->objectName(), name);
}

TEST_F(MainWindowFixture, SlidersStartWithTheirRangesValuesAndSteps)
{
    struct SliderAtStart {
        QSlider* slider;
        Qt::Orientation orientation;
        int minimum, maximum, value, smallChange, largeChange;
    };
    const SliderAtStart table[] = {
        {window->Slider1, Qt::Horizontal, 0, 100, 100, 1, 5},
        {window->Slider2, Qt::Vertical, 0, 100, 100, 1, 5},
        {window->Slider3, Qt::Horizontal, 1, 10, 1, 1, 1},
        {window->Slider4, Qt::Horizontal, 0, 200, 100, 1, 5},
        {window->Slider5, Qt::Vertical, 0, 100, 50, 1, 5},
    };
    for (const SliderAtStart& row : table) {
        SCOPED_TRACE(row.slider->objectName().toStdString());
        EXPECT_EQ(row.slider->orientation(), row.orientation);
        EXPECT_EQ(row.slider->minimum(), row.minimum);
        EXPECT_EQ(row.slider->maximum(), row.maximum);
        EXPECT_EQ(row.slider->value(), row.value);
        EXPECT_EQ(row.slider->singleStep(), row.smallChange);
        EXPECT_EQ(row.slider->pageStep(), row.largeChange);
        // The change event comes when the thumb is released, not during a drag.
        EXPECT_FALSE(row.slider->hasTracking());
        // Vertical sliders have their minimum at the top.
        EXPECT_EQ(row.slider->invertedAppearance(), row.orientation == Qt::Vertical);
    }
}

TEST_F(MainWindowFixture, ChoicesFlagsAndProgramWideValuesStartAsDefined)
{
    EXPECT_TRUE(window->Option1[0]->isChecked());
    EXPECT_FALSE(window->Option1[1]->isChecked());
    EXPECT_TRUE(window->Check4->isChecked());
    EXPECT_TRUE(window->Check8->isChecked());
    EXPECT_FALSE(window->Check3->isChecked());
    EXPECT_EQ(window->Drawn, (std::array<bool, 3>{false, false, false}));
    EXPECT_EQ(window->NowImportingData, (std::array<bool, 3>{false, false, false}));
    EXPECT_FALSE(window->LoadColourSetting);
    EXPECT_FALSE(window->ImportingProbabilityMatrix);
    EXPECT_FALSE(window->ProfileLoaded);
    EXPECT_TRUE(window->LastBrowsedFile.isEmpty());
    EXPECT_EQ(window->ProgressBar1->minimum(), 0);
    EXPECT_EQ(window->ProgressBar1->maximum(), 100);

    const ProgramSettings& settings = window->Settings;
    EXPECT_EQ(settings.colourRamp.points, ColourRamp::defaults());
    EXPECT_EQ(settings.printOptions.dotSize, 6.0f);
    EXPECT_EQ(settings.printOptions.frameThickness, 3.0f);
    EXPECT_EQ(settings.printOptions.zoom, 1.0f);
    EXPECT_EQ(settings.printOptions.fontSize, 10.0f);
    EXPECT_TRUE(settings.printOptions.title.empty());
    EXPECT_EQ(settings.whiteThreshold, 0.0f);
    EXPECT_EQ(settings.zEnhancement, 1.0f);
    EXPECT_FALSE(settings.greyScale);
    EXPECT_FALSE(settings.probabilityMode);
    EXPECT_FALSE(settings.confidenceMode);
    EXPECT_FALSE(settings.legacyMatrix);
    EXPECT_EQ(window->probabilityGrid, ProbabilityGrid());
}

TEST_F(MainWindowFixture, WindowIsCaptionedFixedSetInArialWithItsMenuAndBrowser)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Brimvale 2.5"));
    // 12585 x 7620 twips at 15 twips per pixel, below the menu bar.
    EXPECT_EQ(window->FormSurface->size(), QSize(839, 508));
    EXPECT_EQ(window->centralWidget(), window->FormSurface);
    window->adjustSize();
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_EQ(window->font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(window->Label1[0]->font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(window->Label1[0]->font().pointSize(), 8);
    // Pixels follow the twips: the data figure is 145 x 369 pixels at (96, 56).
    EXPECT_EQ(window->Picture1[0]->geometry(), QRect(96, 56, 145, 369));

    const QList<QAction*> menus = window->menuBar()->actions();
    ASSERT_FALSE(menus.isEmpty());
    EXPECT_EQ(menus.first()->text(), QStringLiteral("File(&F)"));
    ASSERT_NE(window->SaveMatrix, nullptr);
    EXPECT_EQ(window->SaveMatrix->text(), QStringLiteral("&Save Matrix"));
    EXPECT_EQ(window->SaveMatrix->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    EXPECT_FALSE(window->SaveMatrix->isEnabled());
    EXPECT_TRUE(window->File->actions().contains(window->SaveMatrix));

    for (QLabel* label : {window->Label1[2], window->Label2[2], window->Label1[4], window->Label2[4]})
        EXPECT_TRUE(label->alignment() & Qt::AlignRight) << label->objectName().toStdString();
    EXPECT_TRUE(window->Label1[0]->alignment() & Qt::AlignLeft);

    EXPECT_EQ(window->File1->pattern(), QStringLiteral("*.csv"));
    EXPECT_EQ(window->File1->path(), window->Dir1->path());
    EXPECT_FALSE(window->Drive1->drive().isEmpty());
}

} // namespace
} // namespace brimvale
