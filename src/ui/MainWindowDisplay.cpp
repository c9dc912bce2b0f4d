// The cell plots of the probability and section figures, the view switch and the full redraw.
#include "ui/MainWindow.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>

#include <optional>

#include "model/Conversions.h"
#include "render/CellPlot.h"
#include "ui/PictureBox.h"
#include "ui/RowByRowScreen.h"

namespace brimvale {

namespace {

constexpr int LastColumn = ProbabilityGrid::Steps - 1;

// The view the mode flags select; none while neither is set (no matrix has been shown yet).
std::optional<CellView> selectedView(const ProgramSettings& settings)
{
    if (settings.probabilityMode)
        return CellView::Probability;
    if (settings.confidenceMode)
        return CellView::Confidence;
    return std::nullopt;
}

// Plots the figures that hold data in one view as a single pass of the progress bar: column i of the
// matrix, then column i of the section, then the next column. Frozen, the cells are what Cls returns
// to under the overlays.
void plotDrawnFigures(MainWindow& window, CellView view)
{
    const bool grid = window.Drawn[1];
    const bool section = window.Drawn[2];
    if (!grid && !section)
        return;
    DrawingSurface& gridSurface = window.Picture1[1]->surface();
    DrawingSurface& sectionSurface = window.Picture1[2]->surface();
    RowByRowScreen screen(*window.ProgressBar1);
    ColumnPlot gridColumns(gridSurface, window.Settings, window.probabilityGrid, view,
                           ProbabilitySource::PackedFraction);
    ColumnPlot sectionColumns(sectionSurface, window.Settings, window.sectionMatrix, view,
                              ProbabilitySource::PackedFraction);
    for (int i = 0; i <= LastColumn; ++i) {
        window.ProgressBar1->setValue(i);
        screen.rowDone(i == 0 || i == LastColumn);
        if (grid)
            gridColumns.plot(i);
        if (section)
            sectionColumns.plot(i);
    }
    if (grid)
        gridSurface.freeze();
    if (section)
        sectionSurface.freeze();
    if (grid)
        gridSurface.cls();
    if (section)
        sectionSurface.cls();
}

// Advances the progress bar over the columns of a figure that has nothing to plot.
void stepThroughColumns(const CellProgress& columnDone)
{
    for (int i = 0; i <= LastColumn; ++i)
        columnDone(i);
}

} // namespace

void MainWindow::PlotGridProbability(float& v, int i, int j)
{
    plotGridProbability(Picture1[1]->surface(), Settings, probabilityGrid, v, i, j);
}

void MainWindow::PlotSectionProbability(float& v, int i, int h)
{
    plotSectionProbability(Picture1[2]->surface(), Settings, sectionMatrix, v, i, h);
}

void MainWindow::PlotGridConfidence(float& v, int i, int j)
{
    plotGridConfidence(Picture1[1]->surface(), Settings, v, i, j);
}

void MainWindow::PlotSectionConfidence(float& v, int i, int h)
{
    plotSectionConfidence(Picture1[2]->surface(), Settings, sectionMatrix, v, i, h);
}

void MainWindow::SwitchToProb()
{
    showProgress(LastColumn);
    Settings.probabilityMode = true;
    Settings.confidenceMode = false;
    Slider4->setEnabled(true);
    Label9->setEnabled(true);
    Label11->setEnabled(true);
    plotDrawnFigures(*this, CellView::Probability);
    // The curves the ticked boxes ask for, as after the switch to the confidence view.
    DrawModeCurves();
    DrawAverageCurves();
    hideProgress();
    m_services.pointer.set(MousePointer::Pointer::Default);
}

void MainWindow::SwitchToConfi()
{
    showProgress(LastColumn);
    Settings.confidenceMode = true;
    Settings.probabilityMode = false;
    Slider4->setEnabled(false);
    Label9->setEnabled(false);
    Label11->setEnabled(false);
    plotDrawnFigures(*this, CellView::Confidence);
    // The curves run even with no figure drawn; they find no marks then.
    DrawModeCurves();
    DrawAverageCurves();
    hideProgress();
    m_services.pointer.set(MousePointer::Pointer::Default);
}

void MainWindow::RedrawFigures()
{
    if (Drawn[0]) {
        DrawDataCurve();
        DrawRunningMean();
    } else {
        clearFigure(*Picture1[0]);
    }

    showProgress(LastColumn);
    const std::optional<CellView> view = selectedView(Settings);
    // With both figures the bar runs once over the two: the matrix fills its first half, the section
    // its second. The bar takes whole numbers, so the halves round to even.
    const bool both = Drawn[1] && Drawn[2];
    // The screen holds back the bar's repaints until it ends, before the bar is hidden: a bar hidden
    // while its repaints are held stays on screen.
    {
        RowByRowScreen screen(*ProgressBar1);
        const auto progress = [this, both, &screen](int offset) -> CellProgress {
            return [this, both, offset, &screen](int i) {
                ProgressBar1->setValue(both ? toLong((i + offset) / 2.0) : i);
                screen.rowDone(i == 0 || i == LastColumn);
            };
        };

        clearFigure(*Picture1[1]);
        if (Drawn[1]) {
            const CellProgress columnDone = progress(0);
            if (view)
                plotGridFigure(Picture1[1]->surface(), Settings, probabilityGrid, *view,
                               ProbabilitySource::PackedFraction, columnDone);
            else
                stepThroughColumns(columnDone);
            Picture1[1]->surface().freeze();
        }

        clearFigure(*Picture1[2]);
        if (Drawn[2]) {
            const CellProgress columnDone = progress(LastColumn);
            if (view)
                plotSectionFigure(Picture1[2]->surface(), Settings, sectionMatrix, *view,
                                  ProbabilitySource::PackedFraction, columnDone);
            else
                stepThroughColumns(columnDone);
            Picture1[2]->surface().freeze();
        }
    }

    DrawModeCurves();
    DrawAverageCurves();
    hideProgress();
    m_services.pointer.set(MousePointer::Pointer::Default);

    // The open section view follows the new colours.
    if (Command3->text() == QStringLiteral("OK")) {
        DrawRowProfile();
        DrawColourScale();
        DrawRowMarker();
    }
}

} // namespace brimvale
