// Saving the section in a result file and reading one back.
#include "ui/MainWindow.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QSlider>

#include <algorithm>
#include <initializer_list>
#include <string>

#include "io/ResultFileReader.h"
#include "io/ResultFileWriter.h"
#include "model/Conversions.h"
#include "model/RuntimeFailure.h"
#include "render/CellPlot.h"
#include "ui/FileText.h"
#include "ui/PictureBox.h"
#include "ui/PointerReset.h"
#include "ui/RowByRowScreen.h"

namespace brimvale {

namespace {

const QString FileFilter = QStringLiteral("DataFile(*.csv)|*.csv");
// The section rows that fill the figure at the sliders' full size when a file is loaded.
constexpr std::int16_t FullSizeSteps = 500;
constexpr int FullSizePercent = 100;
constexpr int IdleProgressMaximum = 200;

std::string fileBytes(const QLabel& label)
{
    return textToFile(label.text());
}

// The grid with the given number of rows: rows it had keep their cells, new rows are zero.
ExportGrid resizedKeeping(const ExportGrid& grid, int rows)
{
    ExportGrid resized(rows);
    const int kept = std::min(rows, grid.rows());
    for (int j = 0; j < kept; ++j) {
        for (int i = 0; i < ExportGrid::Columns; ++i)
            resized(i, j) = grid(i, j);
    }
    return resized;
}

// The composer reads the window's ExportGrid in place and hands it back however composing ends.
class LentExportGrid {
public:
    LentExportGrid(ExportGrid& owner, ResultFileInput& input) : m_owner(owner), m_input(input)
    {
        m_input.exportGrid = std::move(m_owner);
    }
    ~LentExportGrid() { m_owner = std::move(m_input.exportGrid); }
    LentExportGrid(const LentExportGrid&) = delete;
    LentExportGrid& operator=(const LentExportGrid&) = delete;

private:
    ExportGrid& m_owner;
    ResultFileInput& m_input;
};

// The slider takes only values of its range, like the toolkit's slider, which refuses any other.
int checkedSliderValue(const QSlider& slider, int value)
{
    if (value < slider.minimum() || value > slider.maximum())
        raiseFailure(RuntimeFailure::Kind::InvalidData, "Invalid property value: " + std::to_string(value) +
                                                            " for " + slider.objectName().toStdString());
    return value;
}

} // namespace

void MainWindow::SaveMatrix_Click()
{
    // A cancelled dialog, or any failure before the file is written, ends the command quietly.
    try {
        CommonDialog& dialog = m_services.dialog;
        dialog.setCancelError(true);
        dialog.setFilter(FileFilter);
        dialog.setFlags(CommonDialog::OverwritePrompt);
        dialog.showSave();
        exportGrid = ExportGrid::fromSection(sectionMatrix);
        WriteResultFile(dialog.fileName());
    } catch (const RuntimeFailure& failure) {
        m_services.failures.handled(m_services.dialog.fileName(), failure);
        m_services.pointer.set(MousePointer::Pointer::Default);
    }
}

void MainWindow::WriteResultFile(const QString& path)
{
    const PointerReset busy(m_services.pointer, MousePointer::Pointer::Hourglass);
    try {
        ResultFileInput input;
        input.dataFileName = fileBytes(*Label10[0]);
        input.dataXTitle = fileBytes(*Label14[0]);
        input.dataYTitle = fileBytes(*Label15[0]);
        input.matrixFileName = fileBytes(*Label10[1]);
        input.matrixXTitle = fileBytes(*Label14[1]);
        input.matrixYTitle = fileBytes(*Label15[1]);
        input.smoothingCaption = fileBytes(*Label4);
        // The axis of the probability figure; a section read back from a file has no probability figure,
        // and then the section's own axis is saved, so that its climate values are not lost.
        const bool ownAxis = Label1[1]->text().isEmpty() && Label2[1]->text().isEmpty();
        input.axisLeftCaption = fileBytes(*Label1[ownAxis ? 3 : 1]);
        input.axisRightCaption = fileBytes(*Label2[ownAxis ? 3 : 1]);
        input.sectionTopCaption = fileBytes(*Label2[4]);
        input.sectionBottomCaption = fileBytes(*Label1[4]);
        input.confidenceCoefficient1 = Settings.confidenceCoefficient1;
        input.confidenceCoefficient2 = Settings.confidenceCoefficient2;
        input.slider1 = Slider1->value();
        input.slider2 = Slider2->value();

        // The file has as many rows as the sliders give now, which need not be the rows computed.
        const std::int16_t steps = resultVerticalSteps(input.slider1, input.slider2);
        if (steps >= 0 && steps + 1 != exportGrid.rows())
            exportGrid = resizedKeeping(exportGrid, steps + 1);

        std::string bytes;
        {
            const LentExportGrid lent(exportGrid, input);
            bytes = composeResultFile(input);
        }
        showProgress(steps);
        writeResultFile(QFileInfo(path).filesystemFilePath(), bytes);
        ProgressBar1->setValue(steps);
        hideProgress();
        ProgressBar1->setMaximum(IdleProgressMaximum);
    } catch (const RuntimeFailure& failure) {
        m_services.failures.handled(path, failure);
        hideProgress();
        ProgressBar1->setMaximum(IdleProgressMaximum);
        m_services.pointer.set(MousePointer::Pointer::Default);
        // The old file is still there, but the results are not: saying nothing would let the user
        // believe they were saved.
        const QString reason = textFromFile(failure.what());
        const QString text =
            failure.kind() == RuntimeFailure::Kind::FileError
                ? reason
                : QStringLiteral("Cannot save %1: %2").arg(QDir::toNativeSeparators(path), reason);
        m_services.messages.show(text, QStringLiteral("Error"), MessageService::Icon::Exclamation);
    }
}

void MainWindow::ReadResultFile()
{
    const PointerReset busy(m_services.pointer, MousePointer::Pointer::Hourglass);
    try {
        CommonDialog& dialog = m_services.dialog;
        dialog.setCancelError(true);
        dialog.setFilter(FileFilter);
        dialog.showOpen();
        ResultFileOutcome outcome = readResultFile(QFileInfo(dialog.fileName()).filesystemFilePath());

        // Until the section exists the file has given nothing the window keeps: its row count alone
        // would not fit the section still held.
        if (outcome.stage < ResultFileOutcome::Stage::SectionAllocated) {
            m_services.failures.handled(dialog.fileName(), *outcome.failure);
            ClearSectionFigure();
            return;
        }
        ResultFileData& data = outcome.data;
        const std::int16_t steps = data.verticalSteps;

        // Setting the controls runs their change handlers nested; NowImportingData(2) keeps them from
        // redrawing.
        const float smoothing = data.smoothingLevel;
        try {
            if (smoothing == 1.0f) {
                Check3->setChecked(false);
            } else {
                Check3->setChecked(true);
                Label4->setText(singleCaption(smoothing));
                Slider3->setValue(checkedSliderValue(*Slider3, toInteger(smoothing)));
                for (QWidget* control :
                     std::initializer_list<QWidget*>{Slider3, Check3, Label3, Label4, Label7})
                    control->setEnabled(false);
            }
        } catch (const RuntimeFailure&) {
            // The section is created for the file's rows before its level is taken, and the rows are read
            // after it, so a level the slider refuses leaves an empty section of those rows.
            sectionMatrix = SectionMatrix();
            sectionMatrix = SectionMatrix(steps);
            throw;
        }

        std::copy_n(data.axisValues.begin(), outcome.axisValuesRead, axisValues.begin());
        sectionMatrix = std::move(data.section);
        if (!outcome.complete()) {
            m_services.failures.handled(dialog.fileName(), *outcome.failure);
            ClearSectionFigure();
            return;
        }

        Slider2->setValue(FullSizePercent);
        const ViewSliders view = viewSlidersForSteps(steps);
        if (steps == FullSizeSteps) {
            Slider2->setValue(view.slider2);
            Slider1->setValue(view.slider1);
        } else if (steps < FullSizeSteps) {
            Slider1->setValue(view.slider1);
            Slider2->setValue(view.slider2);
        } else {
            Slider1->setValue(view.slider1);
        }
        // The sliders' handlers clear the section figure, titles included: the file's titles go in after.
        Label14[2]->setText(textFromFile(data.sectionHorizontalTitle));
        Label15[2]->setText(textFromFile(data.sectionVerticalTitle));

        const float largest = largestSectionValue(sectionMatrix);

        ClearDataFigure();
        ClearProbabilityFigure();

        // Rows beyond the slider's design range stay reachable: the section view takes every row.
        const int firstRow = static_cast<int>(intOf(steps / 3.0));
        if (firstRow > Slider5->maximum())
            Slider5->setMaximum(steps);
        Slider5->setValue(firstRow);

        CellView cellView = CellView::Probability;
        if (Option1[0]->isChecked()) {
            Settings.probabilityMode = true;
            Settings.confidenceMode = false;
            Settings.legacyMatrix = false;
            for (QWidget* control : std::initializer_list<QWidget*>{Slider4, Check4, Check8, Label9, Label11})
                control->setEnabled(true);
        } else if (Option1[1]->isChecked()) {
            cellView = CellView::Confidence;
            Settings.confidenceMode = true;
            Settings.probabilityMode = false;
            // A largest class of exactly 3 marks a section from a matrix of confidence classes only.
            if (largest == 3.0f) {
                Settings.legacyMatrix = true;
                m_services.messages.show(QStringLiteral("This diagram is constructed using Corvane 2.0 "
                                                        "output file. Brimvale 2.1 cannot draw section."),
                                         QStringLiteral("Version information"),
                                         MessageService::Icon::Information);
            }
            Slider4->setEnabled(false);
            Check4->setEnabled(true);
            Check8->setEnabled(true);
            Label9->setEnabled(false);
            Label11->setEnabled(false);
        } else {
            ClearSectionFigure();
            return;
        }

        // From the bottom row up, while the bar counts up. The bar and the rows drawn so far reach the
        // screen once per frame: repainting both after every row would take longer than the drawing.
        showProgress(steps);
        DrawingSurface& figure = Picture1[2]->surface();
        {
            RowByRowScreen screen(*ProgressBar1, &figure);
            SectionRowPlot rows(figure, Settings, sectionMatrix, cellView, ProbabilitySource::PackedFraction);
            for (int j = steps; j >= 0; --j) {
                ProgressBar1->setValue(steps - j);
                rows.plot(j);
                screen.rowDone(j == steps || j == 0);
            }
        }

        Label5[0]->setEnabled(true);
        Label5[1]->setEnabled(true);
        Label6[0]->setText(coefficientCaption(data.confidenceCoefficient1) + QStringLiteral(" %"));
        Label6[1]->setText(coefficientCaption(data.confidenceCoefficient2) + QStringLiteral(" %"));
        // The section's coefficients go with it: the section view's text, the printed legend and a save
        // of this section take them, not those of a matrix imported before.
        Settings.confidenceCoefficient1 = data.confidenceCoefficient1;
        Settings.confidenceCoefficient2 = data.confidenceCoefficient2;
        Drawn[2] = true;
        figure.freeze();

        DrawModeCurves();
        DrawAverageCurves();
        ProgressBar1->setMaximum(IdleProgressMaximum);
        Text1->setText(singleCaption(data.verticalValues[steps]));
        Text2->setText(singleCaption(data.verticalValues[0]));
        Label1[3]->setText(singleCaption(axisValues[0]));
        Label2[3]->setText(singleCaption(axisValues[200]));
        Label1[4]->setText(Text1->text());
        Label2[4]->setText(Text2->text());
        hideProgress();
        if (outcome.holdsMore)
            m_services.failures.noticed(dialog.fileName(),
                                        QStringLiteral("holds more than its head announces: %1 data rows "
                                                       "are read, the rest is left unread")
                                            .arg(steps + 1));
    } catch (const RuntimeFailure& failure) {
        m_services.failures.handled(m_services.dialog.fileName(), failure);
        ClearSectionFigure();
    }
}

} // namespace brimvale
