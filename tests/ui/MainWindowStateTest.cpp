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

using test::RecordingWindowFixture;
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

class StateTest : public RecordingWindowFixture {
protected:
    void SetUp() override { window->takeCalls(); }
};

// ---- Clearing the figures ---------------------------------------------------------------------

TEST_F(StateTest, ClearDataFigureEmptiesTheFigureItsBoxesAndLabels)
{
    paintFrozen(*window->Picture1[0], Red);
    window->Drawn[0] = true;
    window->NowImportingData[0] = true; // keeps the nested range-box handlers from redrawing
    window->Text1->setText(QStringLiteral("150"));
    window->Text2->setText(QStringLiteral("0"));
    window->Label1[0]->setText(QStringLiteral("5"));
    window->Label2[0]->setText(QStringLiteral("25"));
    window->Label14[0]->setText(QStringLiteral("value"));
    window->Label15[0]->setText(QStringLiteral("depth"));
    window->Command3->setEnabled(true);

    window->ClearDataFigure();

    EXPECT_EQ(pixelsOtherThan(*window->Picture1[0], window->BackColor()), 0);
    // Frozen empty: a later Cls returns to the empty figure.
    window->Picture1[0]->surface().cls();
    EXPECT_EQ(pixelsOtherThan(*window->Picture1[0], window->BackColor()), 0);
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
    for (QLabel* label : {window->Label1[1], window->Label2[1], window->Label1[2], window->Label2[2],
                          window->Label6[0], window->Label6[1], window->Label14[1], window->Label15[1]})
        label->setText(QStringLiteral("x"));
    for (QWidget* control : {static_cast<QWidget*>(window->Command3), static_cast<QWidget*>(window->Check4),
                             static_cast<QWidget*>(window->Check8), static_cast<QWidget*>(window->Label5[0]),
                             static_cast<QWidget*>(window->Label5[1])})
        control->setEnabled(true);

    window->ClearProbabilityFigure();

    EXPECT_EQ(pixelsOtherThan(*window->Picture1[1], window->BackColor()), 0);
    for (QLabel* label : {window->Label1[1], window->Label2[1], window->Label1[2], window->Label2[2],
                          window->Label6[0], window->Label6[1], window->Label14[1], window->Label15[1]})
        EXPECT_TRUE(label->text().isEmpty()) << label->objectName().toStdString();
    EXPECT_FALSE(window->Drawn[1]);
    EXPECT_FALSE(window->Command3->isEnabled());
    EXPECT_FALSE(window->Check4->isEnabled());
    EXPECT_FALSE(window->Check8->isEnabled());
    EXPECT_FALSE(window->Label5[0]->isEnabled());
    EXPECT_FALSE(window->Label5[1]->isEnabled());
    // The boxes keep their ticks.
    EXPECT_TRUE(window->Check4->isChecked());
}

TEST_F(StateTest, ClearSectionFigureClearsTheWholeFigureWhateverItsScale)
{
    PictureBox& section = *window->Picture1[2];
    paintFrozen(section, Red);
    // The curves leave the section in a scale of one unit per row; a section of 512 rows reaches
    // far below the calibration panel's extent.
    section.surface().setScale(0, 0, 511, 511);
    section.surface().filledBox(0, 0, 511, 511, Green);

    window->ClearSectionFigure();

    EXPECT_EQ(pixelsOtherThan(section, window->BackColor()), 0);
    section.surface().cls();
    EXPECT_EQ(pixelsOtherThan(section, window->BackColor()), 0);
}

TEST_F(StateTest, ClearSectionFigureWithdrawsTheSectionCommands)
{
    window->Text1->setText(QStringLiteral("150"));
    window->Text2->setText(QStringLiteral("10"));
    window->Drawn = {true, true, true};
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

    EXPECT_FALSE(window->Drawn[2]);
    EXPECT_FALSE(window->SaveMatrix->isEnabled());
    EXPECT_FALSE(window->Command3->isEnabled());
    EXPECT_TRUE(window->Slider3->isEnabled());
    EXPECT_FALSE(window->ProfileLoaded);
    EXPECT_EQ(window->Label10[2]->text(), QStringLiteral("/data/site.csv"));
    EXPECT_TRUE(window->Label14[2]->text().isEmpty());
    EXPECT_TRUE(window->Label15[2]->text().isEmpty());
    // With data and matrix present the axis ends and range boxes stay.
    EXPECT_EQ(window->Label1[3]->text(), QStringLiteral("low"));
    EXPECT_EQ(window->Label2[4]->text(), QStringLiteral("high"));
    EXPECT_EQ(window->Text1->text(), QStringLiteral("150"));
    EXPECT_EQ(window->takeCalls(), Calls{"ClearSectionFigure"});
}

TEST_F(StateTest, ClearSectionFigureEmptiesTheAxesWhoseFigureIsMissing)
{
    for (int i : {3, 4}) {
        window->Label1[i]->setText(QStringLiteral("low"));
        window->Label2[i]->setText(QStringLiteral("high"));
    }
    window->Drawn = {true, false, true};
    window->ClearSectionFigure();
    EXPECT_TRUE(window->Label1[3]->text().isEmpty());
    EXPECT_TRUE(window->Label2[3]->text().isEmpty());
    EXPECT_EQ(window->Label1[4]->text(), QStringLiteral("low"));

    window->Drawn = {false, true, false};
    window->Text1->setText(QStringLiteral("150"));
    window->Text2->setText(QStringLiteral("10"));
    window->Drawn[2] = true;
    window->Label1[3]->setText(QStringLiteral("low"));
    window->Label1[4]->setText(QStringLiteral("low"));
    window->Label2[4]->setText(QStringLiteral("high"));
    window->takeCalls();
    window->ClearSectionFigure();
    EXPECT_EQ(window->Label1[3]->text(), QStringLiteral("low"));
    EXPECT_TRUE(window->Label1[4]->text().isEmpty());
    EXPECT_TRUE(window->Label2[4]->text().isEmpty());
    EXPECT_TRUE(window->Text1->text().isEmpty());
    EXPECT_TRUE(window->Text2->text().isEmpty());
    // Emptying the boxes runs their change handlers inside the clearing.
    EXPECT_EQ(window->takeCalls(), (Calls{"ClearSectionFigure", "Text1_Change", "Text2_Change"}));
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
    EXPECT_FALSE(window->Slider1->isHidden());
    EXPECT_FALSE(window->Slider2->isHidden());
    EXPECT_FALSE(window->Frame1->isHidden());
    EXPECT_TRUE(window->Text1->isEnabled());
    EXPECT_TRUE(window->Text2->isEnabled());
    EXPECT_TRUE(window->Command3->isEnabled());
    EXPECT_EQ(window->focusWidget(), window->Command3);
}

TEST_F(StateTest, EndResultImportWithoutSectionOrDataGoesBackToTheImportButton)
{
    window->Command1[2]->setEnabled(false);
    for (int i = 0; i <= 2; ++i) {
        window->Label1[i]->setText(QStringLiteral("1"));
        window->Label2[i]->setText(QStringLiteral("2"));
    }
    window->Label1[3]->setText(QStringLiteral("3"));
    window->Label10[0]->setText(QStringLiteral("a.csv"));
    window->Label10[1]->setText(QStringLiteral("b.csv"));
    window->Label10[2]->setText(QStringLiteral("c.csv"));

    window->EndResultImport();

    EXPECT_TRUE(window->Command1[2]->isEnabled());
    EXPECT_EQ(window->focusWidget(), window->Command1[2]);
    EXPECT_FALSE(window->Command3->isEnabled());
    EXPECT_FALSE(window->Text1->isEnabled());
    EXPECT_FALSE(window->Text2->isEnabled());
    for (int i = 0; i <= 2; ++i) {
        EXPECT_TRUE(window->Label1[i]->text().isEmpty()) << i;
        EXPECT_TRUE(window->Label2[i]->text().isEmpty()) << i;
    }
    EXPECT_EQ(window->Label1[3]->text(), QStringLiteral("3"));
    EXPECT_TRUE(window->Label10[0]->text().isEmpty());
    EXPECT_TRUE(window->Label10[1]->text().isEmpty());
    EXPECT_EQ(window->Label10[2]->text(), QStringLiteral("c.csv"));
}

// ---- Smoothing -----------------------------------------------------------------------------

TEST_F(StateTest, FirstSmoothingStepRunsTheBoxHandlerBeforeTheSliderRedraws)
{
    window->Drawn[0] = true;

    window->Slider3->setValue(2);

    EXPECT_EQ(window->takeCalls(),
              (Calls{"Slider3_Change", "Check3_Click", "DrawRunningMean", "ClearSectionFigure",
                     "DrawDataCurve", "DrawRunningMean", "ClearSectionFigure"}));
    EXPECT_TRUE(window->Check3->isChecked());
    EXPECT_EQ(window->Label4->text(), QStringLiteral("2"));
    EXPECT_TRUE(window->Label3->isEnabled());
    EXPECT_TRUE(window->Label4->isEnabled());
    EXPECT_TRUE(window->Label7->isEnabled());
    // Without a matrix there is nothing to calibrate.
    EXPECT_FALSE(window->Command2->isEnabled());

    window->Slider3->setValue(3);
    EXPECT_EQ(window->takeCalls(),
              (Calls{"Slider3_Change", "DrawDataCurve", "DrawRunningMean", "ClearSectionFigure"}));
    EXPECT_EQ(window->Label4->text(), QStringLiteral("3"));
}

TEST_F(StateTest, SmoothingWithDataAndMatrixOffersCalibrate)
{
    window->Drawn = {true, true, false};
    window->Slider3->setValue(4);
    EXPECT_TRUE(window->Command2->isEnabled());
    EXPECT_EQ(window->focusWidget(), window->Command2);
}

TEST_F(StateTest, SmoothingWithoutDataOnlyClearsTheSection)
{
    window->Slider3->setValue(2);
    EXPECT_EQ(window->takeCalls(), (Calls{"Slider3_Change", "Check3_Click", "ClearSectionFigure"}));
    EXPECT_TRUE(window->Check3->isChecked());
    EXPECT_FALSE(window->Label3->isEnabled());
}

TEST_F(StateTest, SmoothingBackToOneRedrawsTheCurveAloneAndKeepsTheLabelsEnabled)
{
    window->Drawn[0] = true;
    window->Slider3->setValue(5);
    window->takeCalls();

    window->Slider3->setValue(1);

    EXPECT_EQ(window->takeCalls(),
              (Calls{"Slider3_Change", "Check3_Click", "DrawDataCurve", "ClearSectionFigure"}));
    EXPECT_FALSE(window->Check3->isChecked());
    EXPECT_EQ(window->Label4->text(), QStringLiteral("1"));
    EXPECT_TRUE(window->Label3->isEnabled());
    EXPECT_TRUE(window->Label7->isEnabled());
}

TEST_F(StateTest, SmoothingBackToOneWithoutDataClearsTheDataFigure)
{
    window->Slider3->setValue(5);
    window->takeCalls();
    window->Slider3->setValue(1);
    EXPECT_EQ(window->takeCalls(),
              (Calls{"Slider3_Change", "Check3_Click", "ClearDataFigure", "ClearSectionFigure"}));
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

TEST_F(StateTest, RangeBoxesSetTheDataRangeAndRedrawTheCurve)
{
    window->Drawn[0] = true;
    window->Text1->setText(QStringLiteral("12.5abc"));
    EXPECT_EQ(window->dataSeries.verticalMax, 12.5f);
    EXPECT_EQ(window->Label1[4]->text(), QStringLiteral("12.5abc"));
    EXPECT_EQ(window->takeCalls(), (Calls{"Text1_Change", "DrawDataCurve", "DrawRunningMean"}));

    window->Text2->setText(QStringLiteral(" -3e1"));
    EXPECT_EQ(window->dataSeries.verticalMin, -30.0f);
    EXPECT_EQ(window->Label2[4]->text(), QStringLiteral(" -3e1"));
    EXPECT_EQ(window->takeCalls(), (Calls{"Text2_Change", "DrawDataCurve", "DrawRunningMean"}));

    // A text without a leading number is 0.
    window->Text2->setText(QStringLiteral("top"));
    EXPECT_EQ(window->dataSeries.verticalMin, 0.0f);
    // Without a section there is nothing to recalibrate.
    EXPECT_FALSE(window->Command2->isEnabled());
}

TEST_F(StateTest, RangeBoxesWithASectionClearItAndOfferCalibrate)
{
    window->Drawn = {true, true, true};
    window->Text1->setText(QStringLiteral("100"));
    EXPECT_EQ(window->takeCalls(),
              (Calls{"Text1_Change", "DrawDataCurve", "DrawRunningMean", "ClearSectionFigure"}));
    EXPECT_TRUE(window->Command2->isEnabled());
    EXPECT_FALSE(window->Drawn[2]);
    EXPECT_EQ(window->Text1->text(), QStringLiteral("100"));
}

TEST_F(StateTest, RangeBoxWithASectionButNoCurveIsEmptiedByTheClearing)
{
    // A section read from a result file, no data curve: clearing the section empties the range
    // boxes, which runs the box's handler once more inside the first.
    window->Drawn = {false, false, true};
    window->Text1->setText(QStringLiteral("100"));
    EXPECT_EQ(window->takeCalls(), (Calls{"Text1_Change", "ClearSectionFigure", "Text1_Change"}));
    EXPECT_TRUE(window->Text1->text().isEmpty());
    EXPECT_TRUE(window->Label1[4]->text().isEmpty());
    EXPECT_TRUE(window->Command2->isEnabled());
    // The data range belongs to a curve; without one it stays.
    EXPECT_EQ(window->dataSeries.verticalMax, 0.0f);
}

TEST_F(StateTest, RangeBoxesChangeNothingWhileAResultFileIsRead)
{
    window->Drawn = {true, true, true};
    window->NowImportingData[2] = true;
    window->Text1->setText(QStringLiteral("100"));
    window->Text2->setText(QStringLiteral("5"));
    EXPECT_EQ(window->takeCalls(), (Calls{"Text1_Change", "Text2_Change"}));
    EXPECT_TRUE(window->Label1[4]->text().isEmpty());
    EXPECT_TRUE(window->Label2[4]->text().isEmpty());
    EXPECT_EQ(window->dataSeries.verticalMax, 0.0f);
    EXPECT_TRUE(window->Drawn[2]);
    EXPECT_FALSE(window->Command2->isEnabled());
}

TEST_F(StateTest, RangeBoxesDuringADataImportOnlyFollowInTheSectionAxis)
{
    window->Drawn[0] = true;
    window->NowImportingData[0] = true;
    window->Text1->setText(QStringLiteral("100"));
    EXPECT_EQ(window->takeCalls(), Calls{"Text1_Change"});
    EXPECT_EQ(window->Label1[4]->text(), QStringLiteral("100"));
    EXPECT_EQ(window->dataSeries.verticalMax, 0.0f);
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

TEST_F(StateTest, ActivationAfterAColourChangeRedrawsOnce)
{
    window->LoadColourSetting = true;
    window->Settings.colourSettingsChanged = true;
    window->Form_Activate();
    EXPECT_EQ(window->takeCalls(), (Calls{"Form_Activate", "RedrawFigures"}));
    EXPECT_FALSE(window->Settings.colourSettingsChanged);
    EXPECT_FALSE(window->LoadColourSetting);
}

TEST_F(StateTest, ActivationWithoutAColourChangeOnlyForgetsTheDialog)
{
    window->LoadColourSetting = true;
    window->Form_Activate();
    EXPECT_EQ(window->takeCalls(), Calls{"Form_Activate"});
    EXPECT_FALSE(window->LoadColourSetting);

    // A colour change made without the dialog of this window waits.
    window->Settings.colourSettingsChanged = true;
    window->Form_Activate();
    EXPECT_EQ(window->takeCalls(), Calls{"Form_Activate"});
    EXPECT_TRUE(window->Settings.colourSettingsChanged);
}

TEST_F(StateTest, BecomingTheActiveWindowRunsTheActivationHandler)
{
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
