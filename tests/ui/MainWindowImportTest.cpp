// The import workflow of the main window: the three import commands, the probability-matrix browser
// and the file browser's handlers, with their order of steps.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

#include <algorithm>

#include "model/RuntimeFailure.h"
#include "support/CorvaneFileBuilder.h"
#include "ui/DriveList.h"
#include "ui/FileList.h"
#include "ui/FolderList.h"
#include "ui/MainWindowFixture.h"
#include "ui/PictureBox.h"
#include "ui/TwipsGeometry.h"

namespace brimvale {
namespace {

using Calls = std::vector<std::string>;
using Pointer = MousePointer::Pointer;

constexpr QRgb Red = 0xffff0000;

class ImportTest : public test::RecordingWindowFixture {
protected:
    void SetUp() override { window->takeCalls(); }

    std::ptrdiff_t count(const std::string& name) const
    {
        return std::count(window->calls.begin(), window->calls.end(), name);
    }

    // Lists the temporary folder in the browser and selects the named file.
    void selectInBrowser(const QString& name)
    {
        window->File1->setPath(folder.path());
        window->Dir1->blockSignals(true);
        window->Dir1->setPath(folder.path());
        window->Dir1->blockSignals(false);
        const QList<QListWidgetItem*> found = window->File1->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        window->File1->clearSelection();
        found.first()->setSelected(true);
    }

    QString inFolder(const QString& name) const
    {
        return QDir::toNativeSeparators(QDir(folder.path()).absoluteFilePath(name));
    }
};

TEST_F(ImportTest, ImportDataReadsTheChosenFileAndAsksForTheMatrixNext)
{
    const QString path = writeFile(QStringLiteral("core.csv"), "depth,value\r\n");
    platform.dialogBackend.queueFile(path);
    window->effects["ImportDataFile"] = [this] { window->Drawn[0] = true; };
    window->Slider1->setEnabled(false);
    window->Frame1->hide();
    window->Text1->setEnabled(false);

    window->Command1_Click(0);

    ASSERT_EQ(window->importedDataFiles.size(), 1u);
    EXPECT_EQ(window->importedDataFiles[0].path, path);
    EXPECT_TRUE(window->importedDataFiles[0].fromImportButton);
    EXPECT_EQ(window->takeCalls(), (Calls{"Command1_Click(0)", "ImportDataFile", "DrawModeCurves",
                                          "DrawAverageCurves", "ClearSectionFigure"}));
    EXPECT_EQ(window->Label10[0]->text(), path);
    EXPECT_EQ(window->NowImportingData, (std::array<bool, 3>{false, false, false}));
    EXPECT_TRUE(window->Slider1->isEnabled());
    EXPECT_FALSE(window->Frame1->isHidden());
    EXPECT_TRUE(window->Text1->isEnabled());
    EXPECT_TRUE(window->Check3->isEnabled());
    EXPECT_FALSE(window->Command2->isEnabled());
    EXPECT_EQ(window->focusWidget(), window->Command1[1]);
    ASSERT_EQ(platform.dialogBackend.fileRequests().size(), 1u);
    EXPECT_EQ(platform.dialogBackend.fileRequests()[0].nameFilter, QStringLiteral("DataFile (*.csv)"));
    EXPECT_TRUE(platform.dialog.cancelError());
}

TEST_F(ImportTest, CancelledOrFailedDataImportEndsSilentlyAndKeepsItsFlag)
{
    window->Label10[0]->setText(QStringLiteral("before.csv"));
    DrawingSurface& matrix = window->Picture1[1]->surface();
    matrix.filledBox(0, 0, 300, 300, Red); // an overlay curve

    platform.dialogBackend.queueFileCancel();
    window->Command1_Click(0);
    EXPECT_EQ(window->takeCalls(), Calls{"Command1_Click(0)"});
    EXPECT_EQ(window->NowImportingData, (std::array<bool, 3>{true, false, false}));
    EXPECT_EQ(window->Label10[0]->text(), QStringLiteral("before.csv"));
    // The overlay went with the Cls at the start.
    EXPECT_EQ(matrix.image().convertToFormat(QImage::Format_ARGB32).pixel(2, 2), window->BackColor());

    platform.dialogBackend.queueFile(QStringLiteral("/nowhere/core.csv"));
    window->effects["ImportDataFile"] = [] { raiseFailure(RuntimeFailure::Kind::FileError, "cannot open"); };
    window->Command1_Click(0);
    EXPECT_EQ(window->takeCalls(), (Calls{"Command1_Click(0)", "ImportDataFile"}));
    EXPECT_TRUE(window->NowImportingData[0]);
    EXPECT_TRUE(platform.messages.messages().empty());
}

TEST_F(ImportTest, DataWithAMatrixOffersCalibrateUnlessASectionIsDrawn)
{
    window->effects["ImportDataFile"] = [this] { window->Drawn[0] = true; };
    window->Drawn[1] = true;
    platform.dialogBackend.queueFile(writeFile(QStringLiteral("core.csv"), "depth,value\r\n"));
    window->Command1_Click(0);
    EXPECT_TRUE(window->Command2->isEnabled());
    EXPECT_EQ(window->focusWidget(), window->Command2);

    window->Drawn = {true, true, true};
    window->SaveMatrix->setEnabled(true);
    window->Command2->setEnabled(false);
    platform.dialogBackend.queueFile(writeFile(QStringLiteral("core.csv"), "depth,value\r\n"));
    window->Command1_Click(0);
    EXPECT_TRUE(window->Drawn[2]);
    EXPECT_FALSE(window->Command2->isEnabled());
    EXPECT_TRUE(window->SaveMatrix->isEnabled());
    EXPECT_EQ(count("ClearSectionFigure"), 0);
}

TEST_F(ImportTest, ResultImportIsBracketedAndNeverClearsTheSection)
{
    // Unread, the import goes back to its button.
    window->Command1_Click(2);
    EXPECT_FALSE(window->Drawn[2]);
    EXPECT_FALSE(window->Command3->isEnabled());
    EXPECT_EQ(window->focusWidget(), window->Command1[2]);
    // No data curve: the range boxes are of no use.
    EXPECT_FALSE(window->Text1->isEnabled());
    window->takeCalls();

    window->effects["ReadResultFile"] = [this] {
        EXPECT_TRUE(window->NowImportingData[2]);
        window->Drawn[2] = true;
    };
    window->Command1_Click(2);
    EXPECT_EQ(window->takeCalls(),
              (Calls{"Command1_Click(2)", "BeginResultImport", "ReadResultFile", "EndResultImport",
                     "DrawModeCurves", "DrawAverageCurves", "EndResultImport"}));
    EXPECT_TRUE(window->Command3->isEnabled());
    EXPECT_FALSE(window->Command2->isEnabled());
    EXPECT_EQ(window->focusWidget(), window->Command3);
    EXPECT_EQ(window->NowImportingData, (std::array<bool, 3>{false, false, false}));
}

TEST_F(ImportTest, ProbabilityMatrixBrowserOpensWithAnOkButtonAndOkWithoutAProfileCloses)
{
    window->Drive1->hide();
    window->Dir1->hide();
    window->File1->hide();
    window->Command1[1]->hide();
    window->Command6->show();
    window->Command3->setEnabled(true);
    const std::array<QWidget*, 3> lists{window->Drive1, window->Dir1, window->File1};

    window->Command6_Click();

    EXPECT_TRUE(window->ImportingProbabilityMatrix);
    for (QWidget* list : lists)
        EXPECT_FALSE(list->isHidden()) << list->objectName().toStdString();
    // 60 twips between the button's bottom and the drive list: 3480 - 315 - 60.
    EXPECT_EQ(twipsGeometry(*window->Command1[1]).top, 3105.0);
    EXPECT_FALSE(window->Command1[1]->isHidden());
    EXPECT_TRUE(window->Command1[1]->isEnabled());
    EXPECT_EQ(window->Command1[1]->text(), QStringLiteral("OK"));
    EXPECT_EQ(window->focusWidget(), window->Command1[1]);
    EXPECT_TRUE(window->Command6->isHidden());
    EXPECT_FALSE(window->Command3->isEnabled());
    window->takeCalls();

    window->Command1_Click(1);

    EXPECT_EQ(window->takeCalls(), (Calls{"Command1_Click(1)", "CloseProbabilityMatrixBrowser"}));
    EXPECT_FALSE(window->ImportingProbabilityMatrix);
    EXPECT_EQ(window->Command1[1]->text(), QStringLiteral("Import Corvane file"));
    EXPECT_TRUE(window->Command1[1]->isHidden());
    EXPECT_EQ(twipsGeometry(*window->Command1[1]).top, 300.0);
    for (QWidget* list : lists)
        EXPECT_TRUE(list->isHidden()) << list->objectName().toStdString();
    EXPECT_TRUE(window->Command3->isEnabled());
    EXPECT_FALSE(window->Command6->isHidden());
    EXPECT_EQ(window->focusWidget(), window->Command6);
}

TEST_F(ImportTest, BrowserClicksLoadProfilesAndADoubleClickClosesIt)
{
    window->Command6_Click();
    writeFile(QStringLiteral("profile.csv"), "x");
    selectInBrowser(QStringLiteral("profile.csv"));
    window->effects["LoadProfileFile"] = [this] { window->ProfileLoaded = true; };
    window->takeCalls();

    emit window->File1->fileClicked();
    emit window->File1->fileDoubleClicked();

    EXPECT_EQ(window->takeCalls(),
              (Calls{"File1_Click", "LoadProfileFile", "File1_DblClick", "CloseProbabilityMatrixBrowser"}));
    EXPECT_FALSE(window->ImportingProbabilityMatrix);
    EXPECT_TRUE(window->Command6->isHidden());
    EXPECT_EQ(window->focusWidget(), window->Command3);
}

TEST_F(ImportTest, BrowserClickLoadsIntoTheFigureBeingImportedOnce)
{
    writeFile(QStringLiteral("core.csv"), "depth,value\r\n");
    window->NowImportingData[0] = true;
    window->Drawn[0] = true;
    selectInBrowser(QStringLiteral("core.csv"));

    emit window->File1->fileClicked();

    const QString path = inFolder(QStringLiteral("core.csv"));
    EXPECT_EQ(window->Label10[0]->text(), path);
    EXPECT_EQ(window->LastBrowsedFile, path);
    EXPECT_EQ(window->takeCalls(), (Calls{"File1_Click", "ClearDataFigure", "ImportDataFile"}));
    ASSERT_EQ(window->importedDataFiles.size(), 1u);
    EXPECT_EQ(window->importedDataFiles[0].path, path);
    EXPECT_FALSE(window->importedDataFiles[0].fromImportButton);
    EXPECT_FALSE(window->Drawn[0]);
    EXPECT_EQ(window->focusWidget(), window->Command1[0]);

    // The same file again is already loaded.
    emit window->File1->fileClicked();
    EXPECT_EQ(window->takeCalls(), Calls{"File1_Click"});
    EXPECT_EQ(window->importedDataFiles.size(), 1u);

    // A file that fails to read still gives the focus back, silently.
    writeFile(QStringLiteral("bad.csv"), "");
    selectInBrowser(QStringLiteral("bad.csv"));
    window->effects["ImportDataFile"] = [] { raiseFailure(RuntimeFailure::Kind::ReadPastEnd, "end"); };
    window->Command5->setFocus();
    ASSERT_EQ(window->focusWidget(), window->Command5);
    window->File1_Click();
    EXPECT_EQ(window->focusWidget(), window->Command1[0]);
    EXPECT_TRUE(platform.messages.messages().empty());
}

TEST_F(ImportTest, BrowserClickWithoutASelectionAsksForAFile)
{
    window->NowImportingData[1] = true;
    window->Label10[1]->setText(QStringLiteral("/data/"));
    window->File1->clearSelection();

    window->File1_Click();

    ASSERT_EQ(platform.messages.messages().size(), 1u);
    EXPECT_EQ(platform.messages.messages()[0].text, QStringLiteral("Please chose file"));
    EXPECT_EQ(platform.messages.messages()[0].title, QStringLiteral("Brimvale"));
    EXPECT_EQ(platform.messages.messages()[0].icon, MessageService::Icon::None);
    // It goes on with the caption as it stood.
    EXPECT_EQ(window->LastBrowsedFile, QStringLiteral("/data/"));
    EXPECT_EQ(count("ClearProbabilityFigure"), 1);
    EXPECT_EQ(count("ImportMatrixFile"), 1);
}

TEST_F(ImportTest, BrowserMatrixImportHandsItsAxisToTheDataCurve)
{
    const QString path = folder.filePath(QStringLiteral("matrix.csv"));
    test::CorvaneFileBuilder().writeTo(QFileInfo(path).filesystemFilePath());
    window->NowImportingData[1] = true;
    window->Drawn[0] = true;
    selectInBrowser(QStringLiteral("matrix.csv"));
    // The matrix import asks for its file itself.
    platform.dialogBackend.queueFile(path);

    window->File1_Click();

    EXPECT_TRUE(window->Drawn[1]);
    EXPECT_EQ(window->dataSeries.horizontalMin, -10.0f);
    EXPECT_EQ(window->takeCalls(), (Calls{"File1_Click", "ClearProbabilityFigure", "ImportMatrixFile",
                                          "SwitchToProb", "ClearSectionFigure", "DrawDataCurve",
                                          "DrawRunningMean", "DrawDataCurve", "DrawRunningMean"}));
    EXPECT_EQ(window->Label10[1]->text(), inFolder(QStringLiteral("matrix.csv")));
    EXPECT_EQ(window->focusWidget(), window->Command1[1]);
}

TEST_F(ImportTest, BrowserMatrixImportCancelledEmptiesTheDataAxisEnds)
{
    writeFile(QStringLiteral("matrix.csv"), "x");
    window->NowImportingData[1] = true;
    window->Drawn[0] = true;
    window->Label1[0]->setText(QStringLiteral("5"));
    window->Label2[0]->setText(QStringLiteral("25"));
    selectInBrowser(QStringLiteral("matrix.csv"));

    window->File1_Click();

    EXPECT_FALSE(window->Drawn[1]);
    EXPECT_TRUE(window->Label1[0]->text().isEmpty());
    EXPECT_TRUE(window->Label2[0]->text().isEmpty());
    EXPECT_EQ(window->takeCalls(),
              (Calls{"File1_Click", "ClearProbabilityFigure", "ImportMatrixFile", "ClearSectionFigure"}));
}

TEST_F(ImportTest, BrowserClickIntoTheSectionReadsAResultFile)
{
    writeFile(QStringLiteral("section.csv"), "x");
    window->NowImportingData[2] = true;
    selectInBrowser(QStringLiteral("section.csv"));
    window->File1_Click();
    EXPECT_EQ(window->takeCalls(), (Calls{"File1_Click", "ClearSectionFigure", "ReadResultFile"}));
    EXPECT_EQ(window->Label10[2]->text(), inFolder(QStringLiteral("section.csv")));
}

TEST_F(ImportTest, BrowserDoubleClickFinishesTheImport)
{
    window->NowImportingData = {true, false, false};
    window->Command1[0]->setText(QStringLiteral("x"));
    window->Command1[2]->setEnabled(false);
    window->Frame1->hide();
    window->Drawn = {true, true, false};

    window->File1_DblClick();

    EXPECT_FALSE(window->Frame1->isHidden());
    EXPECT_EQ(window->NowImportingData, (std::array<bool, 3>{false, false, false}));
    EXPECT_EQ(window->Command1[0]->text(), QStringLiteral("Import data"));
    EXPECT_EQ(window->Command1[1]->text(), QStringLiteral("Import Corvane file"));
    EXPECT_EQ(window->Command1[2]->text(), QStringLiteral("Import Brimvale file"));
    EXPECT_TRUE(window->Command1[2]->isEnabled());
    EXPECT_TRUE(window->Check3->isEnabled());
    EXPECT_TRUE(window->Command2->isEnabled());
    EXPECT_EQ(window->focusWidget(), window->Command2);
    EXPECT_EQ(window->takeCalls(), Calls{"File1_DblClick"});

    // With a section loaded, the double click ends the result import.
    window->Drawn = {false, false, true};
    window->File1_DblClick();
    EXPECT_EQ(window->takeCalls(), (Calls{"File1_DblClick", "EndResultImport"}));
    EXPECT_FALSE(window->Command2->isEnabled());
    EXPECT_EQ(window->focusWidget(), window->Command3);
}

// ---- Drive and folder lists ----------------------------------------------------------------

TEST_F(ImportTest, ChoosingADriveOpensItsRootOrReportsDiskNotFound)
{
    const QString root = QDir::rootPath();
    const QString missing = folder.filePath(QStringLiteral("unplugged"));
    window->Drive1->setDrives({folder.path(), root, missing});
    window->NowImportingData[0] = true;

    window->Drive1->setCurrentIndex(1);

    EXPECT_EQ(window->takeCalls(), (Calls{"Drive1_Change", "Dir1_Change"}));
    EXPECT_EQ(window->Dir1->path(), QDir::toNativeSeparators(root));
    EXPECT_EQ(window->File1->path(), window->Dir1->path());
    // The root already ends in the separator, so none is added.
    EXPECT_EQ(window->Label10[0]->text(), QDir::toNativeSeparators(root));
    EXPECT_EQ(window->focusWidget(), window->Command1[0]);

    window->Drive1->setCurrentIndex(2);

    ASSERT_EQ(platform.messages.messages().size(), 1u);
    EXPECT_EQ(platform.messages.messages()[0].text, QStringLiteral("Disk not found"));
    EXPECT_EQ(platform.messages.messages()[0].title, QStringLiteral("Error"));
    EXPECT_TRUE(window->Label10[0]->text().isEmpty());
    EXPECT_EQ(window->Dir1->path(), QDir::toNativeSeparators(root));
    EXPECT_EQ(window->takeCalls(), Calls{"Drive1_Change"});
}

TEST_F(ImportTest, OpeningAFolderListsItsFilesAndNamesItWithTheSeparator)
{
    ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("cores")));
    writeFile(QStringLiteral("cores/a.csv"), "");
    window->NowImportingData[1] = true;

    window->Dir1->setPath(folder.filePath(QStringLiteral("cores")));

    const QString opened = inFolder(QStringLiteral("cores"));
    EXPECT_EQ(window->File1->path(), opened);
    EXPECT_EQ(window->File1->count(), 1);
    EXPECT_EQ(window->Label10[1]->text(), opened + QDir::separator());
    EXPECT_EQ(window->focusWidget(), window->Command1[1]);
}

} // namespace
} // namespace brimvale
