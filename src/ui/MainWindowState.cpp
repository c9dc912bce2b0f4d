// The main window's workflow state: clearing the figures, the result import's bracket and the small
// handlers of the options frame and the range boxes.
#include "ui/MainWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include "model/Conversions.h"
#include "ui/FileText.h"
#include "ui/PictureBox.h"

namespace brimvale {

namespace {

} // namespace

void MainWindow::clearFigure(PictureBox& figure)
{
    DrawingSurface& surface = figure.surface();
    surface.cls();
    surface.filledBox(surface.scaleLeft(), surface.scaleTop(), surface.scaleLeft() + surface.scaleWidth(),
                      surface.scaleTop() + surface.scaleHeight(), BackColor());
    surface.freeze();
}

void MainWindow::showProgress(int maximum)
{
    ProgressBar1->setMaximum(maximum);
    ProgressBar1->show();
}

void MainWindow::hideProgress()
{
    ProgressBar1->hide();
    ProgressBar1->setValue(0);
}

void MainWindow::ClearDataFigure()
{
    clearFigure(*Picture1[0]);
    Text1->setText(QString());
    Text2->setText(QString());
    Label1[0]->clear();
    Label2[0]->clear();
    Drawn[0] = false;
    Command3->setEnabled(false);
    Label14[0]->clear();
    Label15[0]->clear();
}

void MainWindow::ClearProbabilityFigure()
{
    clearFigure(*Picture1[1]);
    Label1[1]->clear();
    Label2[1]->clear();
    Label1[2]->clear();
    Label2[2]->clear();
    Drawn[1] = false;
    Command3->setEnabled(false);
    Check4->setEnabled(false);
    Check8->setEnabled(false);
    for (int i = 0; i < 2; ++i) {
        Label5[i]->setEnabled(false);
        Label6[i]->clear();
    }
    Label14[1]->clear();
    Label15[1]->clear();
}

void MainWindow::ClearSectionFigure()
{
    // The whole figure, whatever its scale: a section of more rows than the calibration panel's
    // extent would otherwise leave old cells visible under the cleared band.
    clearFigure(*Picture1[2]);

    Drawn[2] = false;
    SaveMatrix->setEnabled(false);
    Command3->setEnabled(false);
    ProfileLoaded = false;
    Slider3->setEnabled(true);

    Label10[2]->setText(LastBrowsedFile);
    Label14[2]->clear();
    Label15[2]->clear();

    if (!Drawn[1]) {
        Label1[3]->clear();
        Label2[3]->clear();
    }
    if (!Drawn[0]) {
        Label1[4]->clear();
        Label2[4]->clear();
        Text1->setText(QString());
        Text2->setText(QString());
    }
}

void MainWindow::BeginResultImport()
{
    NowImportingData[2] = true;
}

void MainWindow::EndResultImport()
{
    NowImportingData[2] = false;
    Slider1->show();
    Slider2->show();
    Text1->setEnabled(true);
    Text2->setEnabled(true);
    Frame1->show();

    if (!Drawn[2]) {
        Command1[2]->setEnabled(true);
        Command1[2]->setFocus();
    } else {
        Command3->setEnabled(true);
        Command3->setFocus();
    }

    if (!Drawn[0]) {
        Text1->setEnabled(false);
        Text2->setEnabled(false);
        for (int i = 0; i <= 2; ++i) {
            Label1[i]->clear();
            Label2[i]->clear();
        }
        Label10[0]->clear();
        Label10[1]->clear();
    }
}

void MainWindow::Slider3_Change()
{
    const int level = Slider3->value();
    Label4->setText(QString::number(level));
    // Changing the box runs its click handler here, before the steps below.
    Check3->setChecked(level != 1);
    if (Check3->isChecked()) {
        if (Drawn[0]) {
            DrawDataCurve();
            DrawRunningMean();
            // The section no longer matches the smoothing.
            ClearSectionFigure();
        }
        if (Drawn[0] && Drawn[1]) {
            Command2->setEnabled(true);
            Command2->setFocus();
        }
    }
}

void MainWindow::Check3_Click()
{
    if (Check3->isChecked() && Drawn[0]) {
        DrawRunningMean();
        Label3->setEnabled(true);
        Label4->setEnabled(true);
        Label7->setEnabled(true);
    }
    if (!Check3->isChecked()) {
        if (Drawn[0])
            DrawDataCurve();
        else
            ClearDataFigure();
    }
    ClearSectionFigure();
    if (Drawn[0] && Drawn[1]) {
        Command2->setEnabled(true);
        Command2->setFocus();
    }
}

void MainWindow::Check4_Click()
{
    // Cls brings back the frozen cells without the overlays; the curves still ticked are drawn again.
    Picture1[1]->surface().cls();
    Picture1[2]->surface().cls();
    DrawModeCurves();
    DrawAverageCurves();
}

void MainWindow::Check8_Click()
{
    Picture1[1]->surface().cls();
    Picture1[2]->surface().cls();
    DrawModeCurves();
    DrawAverageCurves();
}

void MainWindow::Option1_Click(int)
{
    if (Settings.legacyMatrix)
        return;
    if (Option1[0]->isChecked())
        SwitchToProb();
    else if (Option1[1]->isChecked())
        SwitchToConfi();
}

void MainWindow::Slider4_Change()
{
    const int percent = Slider4->value();
    Label11->setText(QString::number(percent) + QStringLiteral(" %"));
    Settings.zEnhancement = static_cast<float>(percent / 100.0);
    RedrawFigures();
}

void MainWindow::Text1_Change()
{
    // A result file being read fills the box; its own steps draw what follows.
    if (NowImportingData[2])
        return;
    Label1[4]->setText(Text1->text());
    if (Drawn[0] && !NowImportingData[0]) {
        dataSeries.verticalMax = toSingle(numericValueOf(Text1->text()));
        DrawDataCurve();
        DrawRunningMean();
    }
    if (Drawn[2]) {
        ClearSectionFigure();
        Command2->setEnabled(true);
    }
}

void MainWindow::Text2_Change()
{
    if (NowImportingData[2])
        return;
    Label2[4]->setText(Text2->text());
    if (Drawn[0] && !NowImportingData[0]) {
        dataSeries.verticalMin = toSingle(numericValueOf(Text2->text()));
        DrawDataCurve();
        DrawRunningMean();
    }
    if (Drawn[2]) {
        ClearSectionFigure();
        Command2->setEnabled(true);
    }
}

void MainWindow::Text1_Click()
{
    SavedRangeTexts = {Text1->text(), Text2->text()};
}

void MainWindow::Text2_Click()
{
    SavedRangeTexts = {Text1->text(), Text2->text()};
}

} // namespace brimvale
