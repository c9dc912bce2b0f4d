// The figure size sliders.
#include "ui/MainWindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include "ui/PictureBox.h"
#include "ui/TwipsGeometry.h"

namespace brimvale {

namespace {

// Design sizes of the figures in twips, which the sliders scale in percent.
constexpr int DesignWidth = 2175;
constexpr int DesignHeight = 5535;
// Narrower figures leave no room for their cells and labels.
constexpr int SmallestWidthPercent = 10;

// Offsets in twips of the labels and controls that follow the figures' edges.
constexpr double RightLabelInset = 375; // right-end labels stand this far left of the right edge
constexpr double BelowFigure = 105;     // labels under a figure
constexpr double BottomLabelRise = 135; // bottom label of a vertical axis, above the bottom edge
constexpr double RangeBoxRise = 255;    // Text1 above the data figure's bottom edge
constexpr double RangeBoxHeight = 285;
constexpr double WidthSliderBelow = 465; // Slider1 under the data figure

} // namespace

void MainWindow::Slider1_Change()
{
    // Setting the value runs this handler nested with the corrected value; the steps below then run
    // once more with it.
    if (Slider1->value() < SmallestWidthPercent)
        Slider1->setValue(SmallestWidthPercent);

    ClearSectionFigure();
    Picture1[0]->surface().cls();
    Picture1[2]->surface().cls();

    // The product is whole; the width in twips need not be.
    const double width = static_cast<double>(Slider1->value() * DesignWidth) / 100.0;
    setTwipsWidth(*Picture1[0], width);
    setTwipsWidth(*Picture1[2], width);
    setTwipsWidth(*Picture1[1], width);
    setTwipsHeight(*Picture1[1], width);

    const TwipsRect data = twipsGeometry(*Picture1[0]);
    const TwipsRect matrix = twipsGeometry(*Picture1[1]);
    const TwipsRect section = twipsGeometry(*Picture1[2]);
    setTwipsLeft(*Label2[0], data.left + data.width - RightLabelInset);
    setTwipsLeft(*Label2[3], section.left + section.width - RightLabelInset);
    setTwipsTop(*Label1[1], matrix.top + matrix.height + BelowFigure);
    setTwipsTop(*Label2[1], matrix.top + matrix.height + BelowFigure);
    setTwipsLeft(*Label2[1], matrix.left + matrix.width - RightLabelInset);
    setTwipsTop(*Label1[2], matrix.top + matrix.height - BottomLabelRise);

    // The section view's panels span the section's width.
    setTwipsWidth(*Picture2, section.width);
    setTwipsWidth(*Picture4, section.width);

    if (Drawn[0]) {
        DrawDataCurve();
        DrawRunningMean();
    }
    // A section on screen was computed for the old size.
    if (Drawn[2]) {
        ClearSectionFigure();
        Command2->setEnabled(true);
    }

    if (NowImportingData[2])
        return;
    if (!Drawn[0]) {
        Command1[0]->setEnabled(true);
        Command1[0]->setFocus();
        Picture1[0]->surface().cls();
    } else if (!Drawn[1]) {
        Command1[1]->setFocus();
    } else {
        Command2->setEnabled(true);
        Command2->setFocus();
    }
    RedrawFigures();
}

void MainWindow::Slider2_Change()
{
    // No lower limit: a height of 0 is accepted.
    const double height = static_cast<double>(Slider2->value() * DesignHeight) / 100.0;
    setTwipsHeight(*Picture1[0], height);
    setTwipsHeight(*Picture1[2], height);

    ClearSectionFigure();
    Picture1[0]->surface().cls();
    Picture1[2]->surface().cls();

    // The data figure and the section have the same height.
    const double b = twipsGeometry(*Picture1[0]).height;
    const double bottomOfData = twipsGeometry(*Picture1[0]).top + b;
    const double bottomOfSection = twipsGeometry(*Picture1[2]).top + b;
    setTwipsTop(*Label1[0], bottomOfData + BelowFigure);
    setTwipsTop(*Label2[0], bottomOfData + BelowFigure);
    setTwipsTop(*Label1[3], bottomOfSection + BelowFigure);
    setTwipsTop(*Label2[3], bottomOfSection + BelowFigure);
    setTwipsTop(*Label1[4], bottomOfSection - BottomLabelRise);
    setTwipsTop(*Text1, bottomOfData - RangeBoxRise);
    setTwipsHeight(*Text1, RangeBoxHeight);
    setTwipsTop(*Slider1, bottomOfData + WidthSliderBelow);

    if (Drawn[0]) {
        DrawDataCurve();
        DrawRunningMean();
    }
    if (Drawn[2]) {
        ClearSectionFigure();
        Command2->setEnabled(true);
    }

    if (NowImportingData[0])
        Command1[0]->setFocus();
    if (NowImportingData[1] || NowImportingData[2])
        return;
    if (!Drawn[0]) {
        Command1[0]->setFocus();
        DrawingSurface& figure = Picture1[0]->surface();
        figure.filledBox(figure.scaleLeft(), figure.scaleTop(), figure.scaleLeft() + figure.scaleWidth(),
                         figure.scaleTop() + figure.scaleHeight(), BackColor());
    } else if (!Drawn[1]) {
        Command1[1]->setFocus();
    } else {
        Command2->setEnabled(true);
        Command2->setFocus();
    }
    // Unlike the width, the height does not redraw the figures: the section keeps its frozen picture
    // until the next calibration.
}

} // namespace brimvale
