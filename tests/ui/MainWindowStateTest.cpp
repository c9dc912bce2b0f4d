// The workflow state of the main window: clearing the figures, the result import's bracket, the
// options frame, the range boxes and window activation, with the order of nested events.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include "model/RuntimeFailure.h"
#include "ui/MainWindowFixture.h"
#include "ui/PictureBox.h"

namespace brimvale {
namespace {

using test::RecordingMainWindow;
using Calls = std::vector<std::string>;

constexpr QRgb Red = 0xffff0000;
constexpr QRgb Green = 0xff00ff00;

// Fills the whole figure and freezes it, as drawn cells are.
void paintFrozen(PictureBox& figure, QRgb colour)
{
    DrawingSurface& surface = figure.surface();
    surface.filledBox(0, 0, surface.scaleWidth(), surface.scaleHeight(), colour);
    surface.freeze();
}

// Counts the pixels of the figure's image that are not the colour.
int pixelsOtherThan(const PictureBox& figure, QRgb colour)
{
    const QImage image = figure.surface().image().convertToFormat(QImage::Format_ARGB32);
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) != colour ? 1 : 0;
    }
    return count;
}

// The figure is empty, and stays so after a Cls: it was frozen empty.
void expectEmptyForGood(PictureBox& figure, QRgb back)
{
    EXPECT_EQ(pixelsOtherThan(figure, back), 0) << figure.objectName().toStdString();
    figure.surface().cls();
    EXPECT_EQ(pixelsOtherThan(figure, back), 0) << figure.objectName().toStdString() << " after Cls";
}

class StateTest : public test::RecordingWindowFixture {
protected:
    void SetUp() override { window->takeCalls(); }

    // Table rows start over from a window as the program starts it.
    void freshWindow()
    {
        window = std::make_unique<RecordingMainWindow>(platform.services());
        window->takeCalls();
    }
};

// ---- Clearing the figures ---------------------------------------------------------------------

TEST_F(StateTest, ClearDataFigureEmptiesTheFigureItsBoxesAndLabels)
{
    paintFrozen(*window->Picture1[0], Red);
    window->Drawn[0] = true;
    window->NowImportingData[0] = true; // keeps the nested range-box handlers from redrawing
    window->Text1->setText(QStringLiteral("150"));
    window->Text2->setText(QStringLiteral("0"));
    for (QLabel* label : {window->Label1[0], window->Label2[0], window->Label14[0], window->Label15[0]})
        label->setText(QStringLiteral("x"));
    window->Command3->setEnabled(true);

    window->ClearDataFigure();

    expectEmptyForGood(*window->Picture1[0], window->BackColor());
    EXPECT_TRUE(window->Text1->text().isEmpty());
    EXPECT_TRUE(window->Text2->text().isEmpty());
    for (QLabel* label : {window->Label1[0], window->Label2[0], window->Label14[0], window->Label15[0]})
        EXPECT_TRUE(label->text().isEmpty()) << label->objectName().toStdString();
    EXPECT_FALSE(window->Drawn[0]);
    EXPECT_FALSE(window->Command3->isEnabled());
}

TEST_F(StateTest, ClearProbabilityFigureWithdrawsEverythingThatShowsTheMatrix)
{
    paintFrozen(*window->Picture1[1], Red);
    window->Drawn[1] = true;
    const auto labels = {window->Label1[1], window->Label2[1], window->Label1[2], window->Label2[2],
                         window->Label6[0], window->Label6[1], window->Label14[1], window->Label15[1]};
    for (QLabel* label : labels)
        label->setText(QStringLiteral("x"));
    const auto controls = {static_cast<QWidget*>(window->Command3), static_cast<QWidget*>(window->Check4),
                           static_cast<QWidget*>(window->Check8), static_cast<QWidget*>(window->Label5[0]),
                           static_cast<QWidget*>(window->Label5[1])};
    for (QWidget* control : controls)
        control->setEnabled(true);

    window->ClearProbabilityFigure();

    EXPECT_EQ(pixelsOtherThan(*window->Picture1[1], window->BackColor()), 0);
    for (QLabel* label : labels)
        EXPECT_TRUE(label->text().isEmpty()) << label->objectName().toStdString();
    for (QWidget* control : controls)
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    EXPECT_FALSE(window->Drawn[1]);
    EXPECT_TRUE(window->Check4->isChecked()) << "the boxes keep their ticks";
}

TEST_F(StateTest, ClearSectionFigureWithdrawsTheSectionAndTheAxesWhoseFigureIsMissing)
{
    struct Case {
        std::array<bool, 3> drawn;
        bool sectionAxis; // Label1(3), Label2(3) stay
        bool rangeAxis;   // Label1(4), Label2(4) and the range boxes stay
        Calls calls;
    };
    const Case cases[] = {
        {{true, true, true}, true, true, {"ClearSectionFigure"}},
        {{true, false, true}, false, true, {"ClearSectionFigure"}},
        // Emptying the boxes runs their change handlers inside the clearing.
        {{false, true, true}, true, false, {"ClearSectionFigure", "Text1_Change", "Text2_Change"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.drawn[0] << c.drawn[1] << c.drawn[2]);
        freshWindow();
        // The curves leave the section in a scale of one unit per row; a section of 512 rows reaches
        // far below the calibration panel's extent.
        PictureBox& section = *window->Picture1[2];
        paintFrozen(section, Red);
        section.surface().setScale(0, 0, 511, 511);
        section.surface().filledBox(0, 0, 511, 511, Green);
        window->Text1->setText(QStringLiteral("150"));
        window->Text2->setText(QStringLiteral("10"));
        window->Drawn = c.drawn;
        window->SaveMatrix->setEnabled(true);
        window->Command3->setEnabled(true);
        window->Slider3->setEnabled(false);
        window->ProfileLoaded = true;
        window->LastBrowsedFile = QStringLiteral("/data/site.csv");
        window->Label14[2]->setText(QStringLiteral("T July"));
        window->Label15[2]->setText(QStringLiteral("depth"));
        for (int i : {3, 4}) {
            window->Label1[i]->setText(QStringLiteral("low"));
            window->Label2[i]->setText(QStringLiteral("high"));
        }
        window->takeCalls();

        window->ClearSectionFigure();

        expectEmptyForGood(section, window->BackColor());
        EXPECT_FALSE(window->Drawn[2]);
        EXPECT_FALSE(window->SaveMatrix->isEnabled());
        EXPECT_FALSE(window->Command3->isEnabled());
        EXPECT_TRUE(window->Slider3->isEnabled());
        EXPECT_FALSE(window->ProfileLoaded);
        EXPECT_EQ(window->Label10[2]->text(), QStringLiteral("/data/site.csv"));
        EXPECT_TRUE(window->Label14[2]->text().isEmpty());
        EXPECT_TRUE(window->Label15[2]->text().isEmpty());
        EXPECT_EQ(window->Label1[3]->text().isEmpty(), !c.sectionAxis);
        EXPECT_EQ(window->Label2[3]->text().isEmpty(), !c.sectionAxis);
        for (QWidget* kept : std::initializer_list<QWidget*>{window->Label1[4], window->Label2[4], window->Text1,
                                                             window->Text2}) {
            const QString text = kept->property("text").toString();
            EXPECT_EQ(text.isEmpty(), !c.rangeAxis) << kept->objectName().toStdString();
        }
        EXPECT_EQ(window->takeCalls(), c.calls);
    }
}

// ---- The result import's bracket ------------------------------------------------------------

TEST_F(StateTest, EndResultImportWithALoadedSectionOffersShowSection)
{
    window->BeginResultImport();
    EXPECT_TRUE(window->NowImportingData[2]);
    window->Slider1->hide();
    window->Slider2->hide();
    window->Frame1->hide();
    window->Text1->setEnabled(false);
    window->Drawn = {true, false, true};

    window->EndResultImport();

    EXPECT_FALSE(window->NowImportingData[2]);
    for (QWidget* shown : std::initializer_list<QWidget*>{window->Slider1, window->Slider2, window->Frame1})
        EXPECT_FALSE(shown->isHidden()) << shown->objectName().toStdString();
    for (QWidget* enabled : std::initializer_list<QWidget*>{window->Text1, window->Text2, window->Command3})
        EXPECT_TRUE(enabled->isEnabled()) << enabled->objectName().toStdString();
    EXPECT_EQ(window->focusWidget(), window->Command3);
}

TEST_F(StateTest, EndResultImportWithoutSectionOrDataGoesBackToTheImportButton)
{
    window->Command1[2]->setEnabled(false);
    for (int i = 0; i <= 3; ++i) {
        window->Label1[i]->setText(QStringLiteral("1"));
        window->Label2[i]->setText(QStringLiteral("2"));
    }
    for (int i = 0; i <= 2; ++i)
        window->Label10[i]->setText(QStringLiteral("c.csv"));

    window->EndResultImport();

    EXPECT_TRUE(window->Command1[2]->isEnabled());
    EXPECT_EQ(window->focusWidget(), window->Command1[2]);
    for (QWidget* disabled : std::initializer_list<QWidget*>{window->Command3, window->Text1, window->Text2})
        EXPECT_FALSE(disabled->isEnabled()) << disabled->objectName().toStdString();
    for (int i = 0; i <= 2; ++i) {
        EXPECT_TRUE(window->Label1[i]->text().isEmpty()) << i;
        EXPECT_TRUE(window->Label2[i]->text().isEmpty()) << i;
    }
    EXPECT_EQ(window->Label1[3]->text(), QStringLiteral("1"));
    EXPECT_TRUE(window->Label10[0]->text().isEmpty());
    EXPECT_TRUE(window->Label10[1]->text().isEmpty());
    EXPECT_EQ(window->Label10[2]->text(), QStringLiteral("c.csv"));
}

// ---- Smoothing -----------------------------------------------------------------------------

TEST_F(StateTest, SmoothingSliderRunsTheBoxHandlerNestedAndRedrawsWhatThereIs)
{
    struct Case {
        const char* name;
        std::array<bool, 3> drawn;
        int before;
        int after;
        Calls calls;
        int labelsEnabled; // Label3, Label4, Label7: 1 enabled, 0 disabled, -1 not looked at
        bool calibrate;
    };
    const Case cases[] = {
        {"first step with a curve",
         {true, false, false},
         1,
         2,
         {"Slider3_Change", "Check3_Click", "DrawRunningMean", "ClearSectionFigure", "DrawDataCurve",
          "DrawRunningMean", "ClearSectionFigure"},
         1,
         false},
        {"next step", {true, false, false}, 2, 3, {"Slider3_Change", "DrawDataCurve", "DrawRunningMean",
                                                   "ClearSectionFigure"}, 1, false},
        {"first step without a curve", {false, false, false}, 1, 2,
         {"Slider3_Change", "Check3_Click", "ClearSectionFigure"}, 0, false},
        {"back to one with a curve", {true, false, false}, 5, 1,
         {"Slider3_Change", "Check3_Click", "DrawDataCurve", "ClearSectionFigure"}, 1, false},
        {"back to one without a curve", {false, false, false}, 5, 1,
         {"Slider3_Change", "Check3_Click", "ClearDataFigure", "ClearSectionFigure"}, -1, false},
        {"with curve and matrix", {true, true, false}, 1, 4,
         {"Slider3_Change", "Check3_Click", "DrawRunningMean", "ClearSectionFigure", "DrawDataCurve",
          "DrawRunningMean", "ClearSectionFigure"},
         1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        freshWindow();
        window->Drawn = c.drawn;
        window->Slider3->setValue(c.before);
        window->takeCalls();

        window->Slider3->setValue(c.after);

        EXPECT_EQ(window->takeCalls(), c.calls);
        EXPECT_EQ(window->Check3->isChecked(), c.after != 1);
        EXPECT_EQ(window->Label4->text(), QString::number(c.after));
        if (c.labelsEnabled >= 0) {
            for (QLabel* label : {window->Label3, window->Label4, window->Label7})
                EXPECT_EQ(label->isEnabled(), c.labelsEnabled == 1) << label->objectName().toStdString();
        }
        EXPECT_EQ(window->Command2->isEnabled(), c.calibrate) << "calibration needs a curve and a matrix";
        if (c.calibrate) {
            EXPECT_EQ(window->focusWidget(), window->Command2);
        }
    }
}

// ---- Curves, view and enhancement ----------------------------------------------------------

TEST_F(StateTest, ModeAndAverageBoxesEraseTheOverlaysAndDrawTheCurvesAgain)
{
    for (int i : {1, 2}) {
        paintFrozen(*window->Picture1[i], Green);
        window->Picture1[i]->surface().filledBox(0, 0, 300, 300, Red); // an overlay
    }

    window->Check4->setChecked(false);
    EXPECT_EQ(window->takeCalls(), (Calls{"Check4_Click", "DrawModeCurves", "DrawAverageCurves"}));
    for (int i : {1, 2})
        EXPECT_EQ(pixelsOtherThan(*window->Picture1[i], Green), 0) << i;

    window->Check8->setChecked(false);
    EXPECT_EQ(window->takeCalls(), (Calls{"Check8_Click", "DrawModeCurves", "DrawAverageCurves"}));
}

TEST_F(StateTest, OptionButtonsSwitchTheViewUnlessTheMatrixHoldsOneKind)
{
    window->Settings.legacyMatrix = true;
    window->Option1[1]->setChecked(true);
    window->Option1[0]->setChecked(true);
    EXPECT_EQ(window->takeCalls(), (Calls{"Option1_Click(1)", "Option1_Click(0)"}));

    window->Settings.legacyMatrix = false;
    window->Option1[1]->setChecked(true);
    window->Option1[0]->setChecked(true);
    EXPECT_EQ(window->takeCalls(),
              (Calls{"Option1_Click(1)", "SwitchToConfi", "Option1_Click(0)", "SwitchToProb"}));
}

TEST_F(StateTest, EnhancementSliderSetsTheFactorAndRedraws)
{
    struct Case {
        int percent;
        const char* caption;
        float factor;
    };
    for (const Case& c : {Case{0, "0 %", 0.0f}, Case{200, "200 %", 2.0f}, Case{55, "55 %", 0.55f}}) {
        window->Slider4->setValue(c.percent);
        EXPECT_EQ(window->Label11->text(), QString::fromLatin1(c.caption));
        EXPECT_EQ(window->Settings.zEnhancement, c.factor);
        EXPECT_EQ(window->takeCalls(), (Calls{"Slider4_Change", "RedrawFigures"}));
    }
}

// ---- Range boxes -----------------------------------------------------------------------------

TEST_F(StateTest, RangeBoxesFollowInTheAxisAndRedrawOrClearWhatTheyShould)
{
    struct Case {
        const char* name;
        std::array<bool, 3> drawn;
        int importing; // the NowImportingData flag set, -1 for none
        bool bottom;   // Text2 and the range's minimum, else Text1 and its maximum
        const char* typed;
        Calls calls;
        float range;         // the data range's end afterwards
        const char* caption; // the box and the section axis's end afterwards
        bool calibrate;
    };
    const Case cases[] = {
        {"top with a curve", {true, false, false}, -1, false, "12.5abc",
         {"Text1_Change", "DrawDataCurve", "DrawRunningMean"}, 12.5f, "12.5abc", false},
        {"bottom with a curve", {true, false, false}, -1, true, " -3e1",
         {"Text2_Change", "DrawDataCurve", "DrawRunningMean"}, -30.0f, " -3e1", false},
        {"no leading number is 0", {true, false, false}, -1, true, "top",
         {"Text2_Change", "DrawDataCurve", "DrawRunningMean"}, 0.0f, "top", false},
        {"with a section", {true, true, true}, -1, false, "100",
         {"Text1_Change", "DrawDataCurve", "DrawRunningMean", "ClearSectionFigure"}, 100.0f, "100", true},
        // A section read from a result file, no curve: clearing the section empties the box, which runs
        // its handler once more inside the first; the data range belongs to a curve and stays.
        {"section without a curve", {false, false, true}, -1, false, "100",
         {"Text1_Change", "ClearSectionFigure", "Text1_Change"}, 0.0f, "", true},
        {"while a result file is read", {true, true, true}, 2, false, "100", {"Text1_Change"}, 0.0f, nullptr,
         false},
        {"during a data import", {true, false, false}, 0, false, "100", {"Text1_Change"}, 0.0f, "100", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        freshWindow();
        window->Drawn = c.drawn;
        if (c.importing >= 0)
            window->NowImportingData[c.importing] = true;
        QLineEdit* box = c.bottom ? window->Text2 : window->Text1;
        QLabel* axisEnd = c.bottom ? window->Label2[4] : window->Label1[4];

        box->setText(QString::fromLatin1(c.typed));

        EXPECT_EQ(window->takeCalls(), c.calls);
        EXPECT_EQ(c.bottom ? window->dataSeries.verticalMin : window->dataSeries.verticalMax, c.range);
        // While a result file is read the box keeps the text and the axis is left to the import.
        EXPECT_EQ(box->text(), QString::fromLatin1(c.caption ? c.caption : c.typed));
        EXPECT_EQ(axisEnd->text(), QString::fromLatin1(c.caption ? c.caption : ""));
        EXPECT_EQ(window->Command2->isEnabled(), c.calibrate);
        EXPECT_EQ(window->Drawn[2], c.drawn[2] && !c.calibrate);
    }
}

TEST_F(StateTest, ClickingARangeBoxSavesBothTexts)
{
    window->NowImportingData[2] = true;
    window->Text1->setText(QStringLiteral("150"));
    window->Text2->setText(QStringLiteral("0"));
    for (QLineEdit* box : {window->Text2, window->Text1}) {
        window->SavedRangeTexts = {};
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), box->mapToGlobal(QPointF(5, 5)),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(box, &press);
        EXPECT_EQ(window->SavedRangeTexts,
                  (std::array<QString, 2>{QStringLiteral("150"), QStringLiteral("0")}));
    }
    EXPECT_EQ(window->takeCalls(), (Calls{"Text1_Change", "Text2_Change", "Text2_Click", "Text1_Click"}));
}

// ---- Activation ----------------------------------------------------------------------------

TEST_F(StateTest, ActivationRedrawsOnlyAfterAColourChangeFromItsDialog)
{
    struct Case {
        bool dialogShown; // LoadColourSetting
        bool changed;     // ColourSettingsChanged
        Calls calls;
    };
    const Case cases[] = {
        {true, true, {"Form_Activate", "RedrawFigures"}},
        {true, false, {"Form_Activate"}},
        // A colour change made without the dialog of this window waits.
        {false, true, {"Form_Activate"}},
    };
    for (const Case& c : cases) {
        window->LoadColourSetting = c.dialogShown;
        window->Settings.colourSettingsChanged = c.changed;
        window->Form_Activate();
        EXPECT_EQ(window->takeCalls(), c.calls) << c.dialogShown << c.changed;
        EXPECT_EQ(window->Settings.colourSettingsChanged, c.changed && !c.dialogShown);
        EXPECT_FALSE(window->LoadColourSetting);
    }

    // Becoming the active window runs the handler once.
    window->LoadColourSetting = true;
    window->Settings.colourSettingsChanged = true;
    window->show();
    window->activateWindow();
    QApplication::setActiveWindow(window.get());
    QCoreApplication::processEvents();
    ASSERT_TRUE(window->isActiveWindow());
    const Calls calls = window->takeCalls();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "Form_Activate"), 1);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "RedrawFigures"), 1);
    EXPECT_FALSE(window->LoadColourSetting);
}

// ---- Failures no procedure catches ---------------------------------------------------------

TEST_F(StateTest, AFailureNoProcedureCatchesEndsOnlyItsHandler)
{
    window->effects["RedrawFigures"] = [] { raiseFailure(RuntimeFailure::Kind::Overflow, "Overflow"); };
    platform.pointer.set(MousePointer::Pointer::Hourglass);
    window->Slider4->setValue(0);
    EXPECT_EQ(window->Label11->text(), QStringLiteral("0 %"));
    EXPECT_EQ(platform.pointer.current(), MousePointer::Pointer::Default);

    // A nested handler's failure stays in the nested handler; the outer one goes on.
    window->Drawn[0] = true;
    window->effects["DrawRunningMean"] = [] { raiseFailure(RuntimeFailure::Kind::Overflow, "Overflow"); };
    window->takeCalls();
    window->Slider3->setValue(2);
    EXPECT_EQ(window->takeCalls(), (Calls{"Slider3_Change", "Check3_Click", "DrawRunningMean",
                                          "DrawDataCurve", "DrawRunningMean"}));
    EXPECT_EQ(window->Label4->text(), QStringLiteral("2"));
}

} // namespace
} // namespace brimvale
