// File > Print: the printer dialog and the printed page of what the window shows.
#include "ui/MainWindow.h"

#include <QCheckBox>
#include <QLabel>
#include <QPrinter>
#include <QSlider>

#include <initializer_list>

#include "print/PageComposition.h"
#include "print/PainterPrintPage.h"
#include "ui/PictureBox.h"
#include "ui/PointerReset.h"
#include "ui/TwipsGeometry.h"

namespace brimvale {

namespace {

// The labels among these that the window shows with a caption.
std::vector<PageLabel> shownLabels(const MainWindow& window, std::initializer_list<const QLabel*> labels)
{
    std::vector<PageLabel> shown;
    for (const QLabel* label : labels) {
        if (label->isVisibleTo(&window) && !label->text().isEmpty())
            shown.push_back({twipsRectangle(*label), label->text()});
    }
    return shown;
}

} // namespace

void MainWindow::Print_Click()
{
    QPrinter printer(QPrinter::HighResolution);
    CommonDialog& dialog = m_services.dialog;
    try {
        dialog.setFlags(CommonDialog::DisablePrintToFile | CommonDialog::NoSelection);
        dialog.setCancelError(true);
        dialog.showPrinter(printer);
        printPage(printer);
    } catch (const RuntimeFailure& failure) {
        const QString output = printer.outputFileName();
        m_services.failures.handled(output.isEmpty() ? printer.printerName() : output, failure);
    }
}

void MainWindow::printPage(QPrinter& printer)
{
    // The pointer comes back also when the printer fails, rather than staying the hourglass.
    const PointerReset busy(m_services.pointer, MousePointer::Pointer::Hourglass);
    PainterPrintPage page(printer, font().family());
    composePage(pageSnapshot(), page);
}

PageSnapshot MainWindow::pageSnapshot() const
{
    PageSnapshot page;
    for (std::size_t i = 0; i < 3; ++i) {
        page.figures[i] = twipsRectangle(*Picture1[i]);
        page.fileNames[i] = Label10[i]->text();
        page.horizontalTitles[i] = Label14[i]->text();
        page.verticalTitles[i] = Label15[i]->text();
    }
    page.probabilityFigureShown = Picture1[1]->isVisibleTo(this);
    page.slider2Height = twipsGeometry(*Slider2).height;
    page.drawn = Drawn;
    page.smoothing = Check3->isChecked();
    page.showMode = Check4->isChecked();
    page.horizontalAxisLabels =
        shownLabels(*this, {Label1[0], Label2[0], Label1[1], Label2[1], Label1[3], Label2[3]});
    page.verticalAxisLabels = shownLabels(*this, {Label1[2], Label2[2], Label1[4], Label2[4], Label12});
    page.smoothingLevel = Label4->text();
    page.coefficients = {Label6[0]->text(), Label6[1]->text()};
    page.settings = &Settings;
    page.data = &dataSeries;
    page.runningMeanPoints = RunningMeanPoints;
    page.grid = &probabilityGrid;
    page.section = &sectionMatrix;
    page.sectionView = sectionViewPage();
    return page;
}

} // namespace brimvale
