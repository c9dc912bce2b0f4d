// The calibration: the section computed from the data curve and the matrix.
#include "ui/MainWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>

#include <string>

#include "engine/SectionReconstruction.h"
#include "model/Conversions.h"
#include "model/RuntimeFailure.h"
#include "render/CellPlot.h"
#include "ui/FileText.h"
#include "ui/PictureBox.h"
#include "ui/RowByRowScreen.h"

namespace brimvale {

namespace {

constexpr int ColumnIntervals = SectionMatrix::Columns - 1;

// The row and value steps are computed before the hourglass shows, so a section of no row spacing
// fails there, as the rasterising would divide by them.
void checkSteps(const DataSeries& series, std::int16_t verticalSteps)
{
    toSingle(checkedDivide(static_cast<double>(series.verticalMax) - series.verticalMin, verticalSteps));
    toSingle(
        checkedDivide(static_cast<double>(series.horizontalMax) - series.horizontalMin, ColumnIntervals));
}

} // namespace

void MainWindow::Command2_Click()
{
    Picture1[1]->surface().refresh();
    DrawingSurface& section = Picture1[2]->surface();
    section.cls();

    const auto failed = [this](const RuntimeFailure& failure) {
        m_services.failures.handled(rangeSubject(), failure);
        restoreRangeTexts();
        m_services.messages.show(QStringLiteral("Please set valid range."), QStringLiteral("Error"),
                                 MessageService::Icon::Exclamation);
        m_services.pointer.set(MousePointer::Pointer::Default);
        ProgressBar1->hide();
        Command2->setEnabled(true);
        Command2->setFocus();
    };

    // Equal ends pass here; the zero row step then fails below.
    if (numericValueOf(Text2->text()) > numericValueOf(Text1->text())) {
        failed(RuntimeFailure(RuntimeFailure::Kind::InvalidData, "the top lies below the bottom"));
        return;
    }

    try {
        Command2->setEnabled(false);
        const bool smoothing = Check3->isChecked();
        if (!smoothing)
            copyUnsmoothedCurve(dataSeries);

        const std::int16_t steps = verticalStepsFor(Slider1->value(), Slider2->value());
        if (steps < 0)
            raiseFailure(RuntimeFailure::Kind::SubscriptOutOfRange,
                         "Subscript out of range: section of " + std::to_string(steps) + " rows");
        sectionMatrix = SectionMatrix(steps);
        checkSteps(dataSeries, steps);

        m_services.pointer.set(MousePointer::Pointer::Hourglass);
        showProgress(steps);

        const int level = Slider3->value();
        const int window = smoothing ? level : 1;
        rasteriseCurveInto(sectionMatrix, dataSeries, window, level);

        section.setDrawWidth(1);
        ClearSectionFigure();

        // Without a view the rows are neither calibrated nor drawn and layer 1 stays zero.
        const bool probability = Settings.probabilityMode;
        const bool confidence = Settings.confidenceMode;
        if (probability || confidence) {
            RowByRowScreen screen(*ProgressBar1, &section);
            SectionRowPlot probabilityRows(section, Settings, sectionMatrix, CellView::Probability,
                                           ProbabilitySource::PackedFraction);
            SectionRowPlot confidenceRows(section, Settings, sectionMatrix, CellView::Confidence,
                                          ProbabilitySource::PackedFraction);
            for (int h = steps; h >= 0; --h) {
                ProgressBar1->setValue(steps - h);
                calibrateRow(sectionMatrix, probabilityGrid, h);
                if (probability)
                    probabilityRows.plot(h);
                if (confidence)
                    confidenceRows.plot(h);
                screen.rowDone(h == steps || h == 0);
            }
        }

        section.freeze();

        Check4->setEnabled(true);
        Check8->setEnabled(true);
        for (int i = 0; i < 2; ++i) {
            Label5[i]->setEnabled(true);
            Label6[i]->setEnabled(true);
        }

        Drawn[2] = true;
        SaveMatrix->setEnabled(true);
        Command3->setEnabled(true);
        Command3->setFocus();

        // The section view shows a third of the way down first. The slider would clamp the row to
        // its start-up range, so the range grows first; the section view sets it to the rows anyway.
        const int firstRow = steps / 3;
        if (Slider5->maximum() < firstRow)
            Slider5->setMaximum(firstRow);
        Slider5->setValue(firstRow);

        Label14[2]->setText(Label15[1]->text());
        Label15[2]->setText(Label15[0]->text());

        hideProgress();
        ProgressBar1->setMaximum(200);
        m_services.pointer.set(MousePointer::Pointer::Default);

        DrawModeCurves();
        DrawAverageCurves();
    } catch (const RuntimeFailure& failure) {
        failed(failure);
    }
}

} // namespace brimvale
