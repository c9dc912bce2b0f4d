// The import workflow: the three import commands, the file browser and the Corvane matrix import.
#include "ui/MainWindow.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include <initializer_list>
#include <memory>

#include "io/CorvaneMatrixReader.h"
#include "io/DataFileReader.h"
#include "io/MatrixKindDecision.h"
#include "model/Conversions.h"
#include "model/RuntimeFailure.h"
#include "ui/DriveList.h"
#include "ui/FileList.h"
#include "ui/FileText.h"
#include "ui/FolderList.h"
#include "ui/PictureBox.h"
#include "ui/PointerReset.h"
#include "ui/TwipsGeometry.h"

namespace brimvale {

namespace {

const QString FileFilter = QStringLiteral("DataFile(*.csv)|*.csv");

// The folder followed by the platform's separator, unless it already ends in one.
QString withSeparator(const QString& folder)
{
    const QChar separator = QDir::separator();
    return folder.endsWith(separator) ? folder : folder + separator;
}

} // namespace

void MainWindow::takeMatrixAxis()
{
    dataSeries.horizontalMax = toSingle(numericValueOf(Label2[1]->text()));
    dataSeries.horizontalMin = toSingle(numericValueOf(Label1[1]->text()));
}

void MainWindow::Command1_Click(int index)
{
    // While the browser picks a profile matrix, Command1(1) is its "OK".
    if (ImportingProbabilityMatrix) {
        CloseProbabilityMatrixBrowser();
        return;
    }

    // Removes the overlay curves from the probability figure.
    Picture1[1]->surface().cls();
    NowImportingData = {false, false, false};
    NowImportingData[index] = true;

    const auto finish = [this, index] {
        DrawModeCurves();
        DrawAverageCurves();
        Label10[index]->setText(m_services.dialog.fileName());
        Command1[index]->setEnabled(true);
        Command1[index]->setFocus();

        Slider1->setEnabled(true);
        Slider2->setEnabled(true);
        Frame1->show();
        NowImportingData = {false, false, false};
        for (QPushButton* button : Command1)
            button->setEnabled(true);
        Text1->setEnabled(true);
        Text2->setEnabled(true);

        if (Drawn[0])
            Check3->setEnabled(true);

        if (Drawn[0] && Drawn[1]) {
            if (!Drawn[2]) {
                Command2->setEnabled(true);
                Command2->setFocus();
            }
        } else {
            if (index != 2)
                ClearSectionFigure();
            Command2->setEnabled(false);
            if (Drawn[0] && !Drawn[1])
                Command1[1]->setFocus();
            if (Drawn[1] && !Drawn[0])
                Command1[0]->setFocus();
        }

        if (index == 2) {
            EndResultImport();
            if (Drawn[2])
                Command3->setEnabled(true);
        }
    };

    switch (index) {
    case 0:
        // Any failure from here on, a cancelled dialog included, ends the command silently and leaves
        // NowImportingData(0) set, so a click in the browser loads into the data figure.
        try {
            CommonDialog& dialog = m_services.dialog;
            dialog.setCancelError(true);
            dialog.setFilter(FileFilter);
            dialog.showOpen();
            ImportDataFile(dialog.fileName(), true);
            finish();
        } catch (const RuntimeFailure& failure) {
            m_services.failures.handled(m_services.dialog.fileName(), failure);
        }
        return;
    case 1:
        ImportMatrixFile();
        break;
    default:
        BeginResultImport();
        ReadResultFile();
        EndResultImport();
        if (Drawn[2])
            Command3->setEnabled(true);
        break;
    }
    finish();
}

void MainWindow::CloseProbabilityMatrixBrowser()
{
    Command1[1]->setText(QStringLiteral("Import Corvane file"));
    Command1[1]->hide();
    setTwipsTop(*Command1[1], twipsGeometry(*Command1[0]).top);

    Drive1->hide();
    Dir1->hide();
    File1->hide();
    ImportingProbabilityMatrix = false;

    Command3->setEnabled(true);
    Command3->setFocus();

    // No profile was taken: offer the import again.
    if (!ProfileLoaded) {
        Command6->show();
        Command6->setFocus();
    }
}

void MainWindow::Command6_Click()
{
    ImportingProbabilityMatrix = true;
    Dir1->show();
    Drive1->show();
    File1->show();

    // The browser's "OK" stands 60 twips above the drive list.
    const TwipsRect ok = twipsGeometry(*Command1[1]);
    setTwipsTop(*Command1[1], twipsGeometry(*Drive1).top - ok.height - 60);
    Command1[1]->show();
    Command1[1]->setEnabled(true);
    Command1[1]->setFocus();
    Command1[1]->setText(QStringLiteral("OK"));

    Command6->hide();
    Command3->setEnabled(false);
}

void MainWindow::File1_Click()
{
    if (ImportingProbabilityMatrix) {
        LoadProfileFile();
        return;
    }

    int figure = -1;
    for (int i = 0; i < 3 && figure < 0; ++i) {
        if (NowImportingData[i])
            figure = i;
    }

    const QString name = File1->fileName();
    if (!name.isEmpty()) {
        if (figure >= 0)
            Label10[figure]->setText(withSeparator(Dir1->path()) + name);
    } else {
        m_services.messages.show(QStringLiteral("Please chose file"), QString::fromLatin1(ProgramTitle),
                                 MessageService::Icon::None);
    }

    if (figure >= 0) {
        // A file already loaded is not loaded again.
        if (Label10[figure]->text() == LastBrowsedFile)
            return;
        LastBrowsedFile = Label10[figure]->text();
        switch (figure) {
        case 0:
            ClearDataFigure();
            break;
        case 1:
            ClearProbabilityFigure();
            break;
        default:
            ClearSectionFigure();
            break;
        }
        Drawn[figure] = false;
    }

    if (NowImportingData[0]) {
        try {
            ImportDataFile(Label10[0]->text(), false);
        } catch (const RuntimeFailure& failure) {
            // The reading is abandoned; the focus still goes back to the import button.
            m_services.failures.handled(Label10[0]->text(), failure);
        }
    } else if (NowImportingData[1]) {
        ImportMatrixFile();
        Label1[0]->setText(Label1[1]->text());
        Label2[0]->setText(Label2[1]->text());
        if (Drawn[0] && Drawn[1]) {
            takeMatrixAxis();
            DrawDataCurve();
            DrawRunningMean();
        }
    } else if (NowImportingData[2]) {
        ReadResultFile();
    }

    for (int i = 0; i < 3; ++i) {
        if (NowImportingData[i])
            Command1[i]->setFocus();
    }
}

void MainWindow::File1_DblClick()
{
    if (ImportingProbabilityMatrix) {
        CloseProbabilityMatrixBrowser();
        return;
    }

    Frame1->show();
    NowImportingData = {false, false, false};
    for (QPushButton* button : Command1)
        button->setEnabled(true);
    Command1[0]->setText(QStringLiteral("Import data"));
    Command1[1]->setText(QStringLiteral("Import Corvane file"));
    Command1[2]->setText(QStringLiteral("Import Brimvale file"));

    Slider1->setEnabled(true);
    Slider2->setEnabled(true);
    Text1->setEnabled(true);
    Text2->setEnabled(true);
    if (Drawn[0])
        Check3->setEnabled(true);

    if (Drawn[0] && Drawn[1]) {
        Command2->setEnabled(true);
        Command2->setFocus();
    } else {
        if (!Drawn[2])
            ClearSectionFigure();
        Command2->setEnabled(false);
        if (Drawn[0] && !Drawn[1])
            Command1[1]->setFocus();
        if (Drawn[1] && !Drawn[0])
            Command1[0]->setFocus();
    }

    if (Drawn[2])
        EndResultImport();
}

void MainWindow::Drive1_Change()
{
    const QString drive = Drive1->drive();
    try {
        Dir1->setPath(drive);
    } catch (const RuntimeFailure&) {
        m_services.messages.show(QStringLiteral("Disk not found"), QStringLiteral("Error"),
                                 MessageService::Icon::None);
        if (NowImportingData[0])
            Label10[0]->clear();
        else if (NowImportingData[1])
            Label10[1]->clear();
        return;
    }
    if (NowImportingData[0])
        Label10[0]->setText(withSeparator(drive));
    else if (NowImportingData[1])
        Label10[1]->setText(withSeparator(drive));
    for (int i = 0; i < 3; ++i) {
        if (NowImportingData[i])
            Command1[i]->setFocus();
    }
}

void MainWindow::Dir1_Change()
{
    File1->setPath(Dir1->path());
    if (NowImportingData[0])
        Label10[0]->setText(withSeparator(Dir1->path()));
    else if (NowImportingData[1])
        Label10[1]->setText(withSeparator(Dir1->path()));
    for (int i = 0; i < 3; ++i) {
        if (NowImportingData[i])
            Command1[i]->setFocus();
    }
}

void MainWindow::ImportDataFile(const QString& path, bool fromImportButton)
{
    // A file that cannot be read in full changes nothing: the failure goes to the caller before any
    // title, record or range of the previous file is replaced.
    const DataFile file = DataFileReader::readFile(QFileInfo(path).filesystemFilePath());
    Label15[0]->setText(textFromFile(file.verticalTitle));
    Label14[0]->setText(textFromFile(file.horizontalTitle));
    file.applyTo(dataSeries);

    DrawingSurface& figure = Picture1[0]->surface();
    figure.filledBox(0.0, 0.0, figure.scaleWidth(), figure.scaleHeight(), qRgb(255, 255, 255));

    // With a matrix shown, the data figure shares the probability figure's horizontal axis.
    if (Drawn[1]) {
        takeMatrixAxis();
    }

    DrawDataCurve();
    // The browser leaves the smoothing labels as they are.
    if (fromImportButton) {
        Label3->setEnabled(true);
        Label4->setEnabled(true);
        Label7->setEnabled(true);
    }
    DrawRunningMean();
}

void MainWindow::ImportMatrixFile()
{
    const PointerReset busy(m_services.pointer, MousePointer::Pointer::Hourglass);
    // The whole figure rather than Cls alone: Cls would bring back a matrix frozen by an earlier
    // import, and a cancelled or failed import leaves the figure empty.
    clearFigure(*Picture1[1]);
    try {
        CommonDialog& dialog = m_services.dialog;
        dialog.setCancelError(true);
        dialog.setFilter(FileFilter);
        dialog.showOpen();
    } catch (const RuntimeFailure& failure) {
        m_services.failures.handled(m_services.dialog.fileName(), failure);
        matrixImportFailed();
        return;
    }
    importMatrixFrom(m_services.dialog.fileName());
}

void MainWindow::importMatrixFrom(const QString& path)
{
    const PointerReset busy(m_services.pointer, MousePointer::Pointer::Hourglass);
    try {
        // A newer-layout file enables the view buttons as soon as its first field is read, even
        // when the rest of it turns out to be faulty.
        const auto layoutSeen = [this](CorvaneMatrix::Layout layout) {
            if (layout == CorvaneMatrix::Layout::Newer) {
                Option1[0]->setEnabled(true);
                Option1[1]->setEnabled(true);
            }
        };
        const std::unique_ptr<CorvaneMatrix> matrix =
            readCorvaneMatrix(QFileInfo(path).filesystemFilePath(), layoutSeen);
        applyMatrix(*matrix);
    } catch (const RuntimeFailure& failure) {
        m_services.failures.handled(path, failure);
        matrixImportFailed();
    }
}

void MainWindow::applyMatrix(const CorvaneMatrix& matrix)
{
    // The kind is decided before anything of the file is taken: a file whose kind is refused leaves the
    // titles, coefficients, grid and axis of the window as they were.
    const MatrixKindDecision decision = decideMatrixKind(matrix.kindText, gridMaximum(matrix.grid));
    Label14[1]->setText(textFromFile(matrix.horizontalTitle));
    Label15[1]->setText(textFromFile(matrix.verticalTitle));
    Settings.confidenceCoefficient1 = matrix.coefficient1;
    Settings.confidenceCoefficient2 = matrix.coefficient2;
    probabilityGrid = matrix.grid;
    axisValues = matrix.axisValues;
    switch (decision.kind) {
    case MatrixKindDecision::Kind::Probability:
        Settings.legacyMatrix = true;
        Settings.probabilityMode = true;
        Settings.confidenceMode = false;
        Slider4->setEnabled(true);
        Label9->setEnabled(true);
        Label11->setEnabled(true);
        showProgress(200);
        for (int i = 0; i <= 200; ++i) {
            ProgressBar1->setValue(i);
            for (int j = 0; j <= 200; ++j) {
                // Twenty times the probability, computed in double precision and passed as a Single.
                float v = toSingle(200.0 / 10.0 * probabilityGrid(i, j));
                PlotGridProbability(v, i, j);
            }
        }
        Label5[0]->setEnabled(false);
        Label5[1]->setEnabled(false);
        Drawn[1] = true;
        break;
    case MatrixKindDecision::Kind::Confidence:
        Settings.legacyMatrix = decision.legacy;
        Settings.confidenceMode = true;
        Settings.probabilityMode = false;
        Slider4->setEnabled(false);
        Label9->setEnabled(false);
        Label11->setEnabled(false);
        showProgress(200);
        for (int i = 0; i <= 200; ++i) {
            ProgressBar1->setValue(i);
            for (int j = 0; j <= 200; ++j) {
                float v = toSingle(probabilityGrid(i, j));
                PlotGridConfidence(v, i, j);
            }
        }
        Label5[0]->setEnabled(true);
        Label5[1]->setEnabled(true);
        Drawn[1] = true;
        break;
    case MatrixKindDecision::Kind::Packed:
        // The view stays the one the option buttons select.
        Settings.legacyMatrix = false;
        Drawn[1] = true;
        if (Option1[0]->isChecked()) {
            SwitchToProb();
            Option1[0]->setEnabled(true);
            Option1[1]->setEnabled(true);
        } else if (Option1[1]->isChecked()) {
            SwitchToConfi();
            Option1[0]->setEnabled(true);
            Option1[1]->setEnabled(true);
        }
        if (Drawn[0])
            Command2->setEnabled(true);
        break;
    }

    hideProgress();
    m_services.pointer.set(MousePointer::Pointer::Default);
    // A new matrix invalidates any computed section.
    ClearSectionFigure();
    // The cells become the background that Cls returns to under the overlay curves; the view switch of a
    // packed matrix has frozen them already, with its curves over them.
    DrawingSurface& figure = Picture1[1]->surface();
    if (decision.kind != MatrixKindDecision::Kind::Packed)
        figure.freeze();
    figure.cls();
    // The curves go over the frozen cells, so that "Show mode" and "Show average" can take them away.
    if (decision.kind != MatrixKindDecision::Kind::Probability) {
        DrawModeCurves();
        DrawAverageCurves();
    }

    if (Drawn[0] && Drawn[1]) {
        const QString left = singleCaption(axisValues[0]);
        const QString right = singleCaption(axisValues[200]);
        for (int i = 0; i <= 3; ++i) {
            Label1[i]->setText(left);
            Label2[i]->setText(right);
        }
        takeMatrixAxis();
        DrawDataCurve();
        Label5[0]->setEnabled(true);
        Label5[1]->setEnabled(true);
        Label6[0]->setEnabled(true);
        Label6[1]->setEnabled(true);
        DrawRunningMean();
    }

    Label6[0]->setText(coefficientCaption(Settings.confidenceCoefficient1));
    Label6[1]->setText(coefficientCaption(Settings.confidenceCoefficient2));
    Check4->setEnabled(true);
    Check8->setEnabled(true);
}

void MainWindow::matrixImportFailed()
{
    Settings.probabilityMode = false;
    Settings.confidenceMode = false;
    for (QWidget* control :
         std::initializer_list<QWidget*>{Check4, Check8, Label9, Label11, Label3, Label4, Label7})
        control->setEnabled(false);
    ClearSectionFigure();
    Drawn[1] = false;
    m_services.pointer.set(MousePointer::Pointer::Default);
}

} // namespace brimvale
