// The mode and average curves over the cells.
#include "ui/MainWindow.h"

#include <QCheckBox>

#include "render/OverlayCurves.h"
#include "ui/PictureBox.h"

namespace brimvale {

void MainWindow::DrawModeCurves()
{
    const CurveOptions options{Check4->isChecked(), Drawn[1], Drawn[2], Settings.greyScale};
    drawModeCurves(probabilityGrid, sectionMatrix, Picture1[1]->surface(), Picture1[2]->surface(), options);
}

void MainWindow::DrawAverageCurves()
{
    const CurveOptions options{Check8->isChecked(), Drawn[1], Drawn[2], Settings.greyScale};
    drawAverageCurves(probabilityGrid, sectionMatrix, Picture1[1]->surface(), Picture1[2]->surface(),
                      options);
}

} // namespace brimvale
