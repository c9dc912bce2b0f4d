// Importing a data file into the main window and drawing its curve and running mean: the captions,
// the shared horizontal axis, the nested range-box pass and the range failure.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>

#include <string>
#include <utility>
#include <vector>

#include "support/CorvaneFileBuilder.h"
#include "ui/FileList.h"
#include "ui/FolderList.h"
#include "ui/MainWindowFixture.h"
#include "ui/PictureBox.h"

namespace brimvale {
namespace {

using Calls = std::vector<std::string>;
using test::colourCount;
using test::colourNear;
using Records = std::vector<std::pair<double, double>>;
using Pointer = MousePointer::Pointer;
using Icon = MessageService::Icon;

constexpr QRgb White = 0xffffffff;
constexpr QRgb Blue = 0xff0000ff;
constexpr QRgb Red = 0xffff0000;
constexpr QRgb Grey = 0xff646464;
constexpr QRgb Black = 0xff000000;

// The workflow's recording window, with the data import and the data figure's procedures run for real.
class DataWindow : public test::RecordingMainWindow {
public:
    using RecordingMainWindow::RecordingMainWindow;

    void ImportDataFile(const QString& path, bool fromImportButton) override
    {
        calls.push_back("ImportDataFile");
        MainWindow::ImportDataFile(path, fromImportButton);
    }
    void DrawDataCurve() override
    {
        calls.push_back("DrawDataCurve");
        MainWindow::DrawDataCurve();
    }
    void DrawRunningMean() override
    {
        calls.push_back("DrawRunningMean");
        MainWindow::DrawRunningMean();
    }
};

// A data file's text: the header pair, then one (vertical, horizontal) record per line.
QByteArray dataFile(const Records& records)
{
    QByteArray text = "\"Depth (cm)\",\"Quercus (%)\"\r\n";
    for (const auto& [vertical, horizontal] : records)
        text +=
            QByteArray::number(vertical, 'g', 10) + ',' + QByteArray::number(horizontal, 'g', 10) + "\r\n";
    return text;
}

class DataTest : public test::MainWindowFixtureOf<DataWindow> {
protected:
    void SetUp() override { window->takeCalls(); }

    // Writes the records and imports them through "Import data".
    QString importData(const Records& records, const QString& name = QStringLiteral("core.csv"))
    {
        const QString path = writeFile(name, dataFile(records));
        platform.dialogBackend.queueFile(path);
        window->Command1_Click(0);
        return path;
    }

    void importMatrix()
    {
        const QString path = folder.filePath(QStringLiteral("matrix.csv"));
        test::CorvaneFileBuilder().writeTo(QFileInfo(path).filesystemFilePath());
        platform.dialogBackend.queueFile(path);
        window->Command1_Click(1);
    }

    void expectRangeMessage()
    {
        ASSERT_EQ(platform.messages.messages().size(), 1u);
        const auto& message = platform.messages.messages()[0];
        EXPECT_EQ(message.text, QStringLiteral("Please set valid range."));
        EXPECT_EQ(message.title, QStringLiteral("Error"));
        EXPECT_EQ(message.icon, Icon::Exclamation);
    }

    PictureBox& dataFigure() { return *window->Picture1[0]; }
    double scaleWidth() { return dataFigure().surface().scaleWidth(); }
    double scaleHeight() { return dataFigure().surface().scaleHeight(); }
};

// The rounding itself is pinned by io/DataFileReaderTest.RoundsTheRangesOutward; here the rounded
// ranges reach the captions, the titles the hidden labels, and the curve is drawn in their scale.
TEST_F(DataTest, ImportShowsTheRangesTitlesAndCurve)
{
    struct Case {
        Records records; // (vertical, horizontal)
        QString left, right, top, bottom;
    };
    const Case cases[] = {
        {{{0, 10}, {100, 20}}, "5", "25", "0", "150"},
        {{{350, 0}, {-12, 100}, {40, 50}}, "-50", "150", "-50", "400"},
        // Header only: the extremes stay at +-999999, and large numbers are written in full.
        {{}, "1000000", "-1000000", "950000", "-950000"},
    };
    for (const Case& c : cases) {
        window->Drawn[0] = false;
        importData(c.records);
        EXPECT_EQ(window->Label1[0]->text(), c.left);
        EXPECT_EQ(window->Label2[0]->text(), c.right);
        EXPECT_EQ(window->Text2->text(), c.top);
        EXPECT_EQ(window->Text1->text(), c.bottom);
        EXPECT_EQ(window->dataSeries.verticalMax, c.bottom.toFloat());
        EXPECT_EQ(window->dataSeries.lastIndex, static_cast<float>(c.records.size()) - 1.0f);
        EXPECT_EQ(window->Label15[0]->text(), QStringLiteral("Depth (cm)"));
        EXPECT_EQ(window->Label14[0]->text(), QStringLiteral("Quercus (%)"));
        EXPECT_TRUE(window->Drawn[0]);
        EXPECT_EQ(colourCount(dataFigure(), Blue) > 0, !c.records.empty());
    }
    EXPECT_TRUE(platform.messages.messages().empty());

    // Values 10 to 20 over 5 to 25 and depths 0 to 100 over 0 to 150: from a quarter of the width at
    // the top to three quarters at two thirds of the height.
    importData({{0, 10}, {100, 20}});
    const double w = scaleWidth();
    const double h = scaleHeight();
    EXPECT_TRUE(colourNear(dataFigure(), w / 4, 0.5, Blue));
    EXPECT_TRUE(colourNear(dataFigure(), 3 * w / 4, 2 * h / 3, Blue));
    EXPECT_FALSE(colourNear(dataFigure(), 3 * w / 4, h / 6, Blue));
    // The import button enables the smoothing labels.
    EXPECT_TRUE(window->Label3->isEnabled());
    EXPECT_TRUE(window->Label7->isEnabled());
}

// The record limit itself is pinned by io/DataFileReaderTest.AcceptsAtMost10001Records.
TEST_F(DataTest, AFailedReadEndsSilentlyAndChangesNothing)
{
    importData({{0, 10}, {100, 20}}, QStringLiteral("small.csv"));
    const QImage before = dataFigure().surface().image();
    window->takeCalls();

    Records records;
    for (int k = 0; k < 10002; ++k)
        records.emplace_back(k, k % 7);
    QByteArray text = dataFile(records);
    text.replace("\"Depth (cm)\"", "\"Age (years)\"");
    platform.dialogBackend.queueFile(writeFile(QStringLiteral("long.csv"), text));
    window->Command1_Click(0);

    EXPECT_EQ(window->takeCalls(), (Calls{"Command1_Click(0)", "ImportDataFile"}));
    EXPECT_TRUE(window->NowImportingData[0]);
    EXPECT_EQ(window->dataSeries.lastIndex, 1.0f);
    EXPECT_EQ(window->Label15[0]->text(), QStringLiteral("Depth (cm)"));
    EXPECT_EQ(window->Text1->text(), QStringLiteral("150"));
    EXPECT_EQ(dataFigure().surface().image(), before);
    EXPECT_TRUE(platform.messages.messages().empty());
}

TEST_F(DataTest, DataAfterAMatrixTakesTheMatrixAxis)
{
    importData({{0, 10}, {100, 20}});
    importMatrix();
    ASSERT_EQ(window->Label1[1]->text(), QStringLiteral("-10"));
    ASSERT_EQ(window->Label2[1]->text(), QStringLiteral("20"));

    importData({{0, 0}, {50, 2}}, QStringLiteral("second.csv"));
    EXPECT_EQ(window->dataSeries.horizontalMin, -10.0f);
    EXPECT_EQ(window->dataSeries.horizontalMax, 20.0f);
    EXPECT_EQ(window->Label1[0]->text(), QStringLiteral("-10"));
    EXPECT_EQ(window->Label2[0]->text(), QStringLiteral("20"));
    // The vertical range is still the file's own.
    EXPECT_EQ(window->Text1->text(), QStringLiteral("55"));
    EXPECT_TRUE(window->Drawn[0]);
    EXPECT_TRUE(window->Command2->isEnabled());
    // The curve starts at value 0, a third of the way from -10 to 20.
    EXPECT_TRUE(colourNear(dataFigure(), scaleWidth() / 3, 0.5, Blue));
}

TEST_F(DataTest, DataAfterAMatrixWithoutDataFailsWithTheRangeMessage)
{
    importMatrix();
    ASSERT_TRUE(window->Label1[1]->text().isEmpty());
    ASSERT_TRUE(platform.messages.messages().empty());

    importData({{0, 10}, {100, 20}});

    expectRangeMessage();
    EXPECT_FALSE(window->Drawn[0]);
    EXPECT_EQ(window->dataSeries.horizontalMin, 0.0f);
    EXPECT_EQ(window->dataSeries.horizontalMax, 0.0f);
    // The figure was filled white before the drawing failed.
    EXPECT_TRUE(colourNear(dataFigure(), scaleWidth() / 2, scaleHeight() / 2, White));
    EXPECT_EQ(colourCount(dataFigure(), Blue), 0);
    EXPECT_FALSE(window->Command2->isEnabled());
    EXPECT_EQ(platform.pointer.current(), Pointer::Default);
}

TEST_F(DataTest, BrowserImportLeavesTheSmoothingLabelsAlone)
{
    writeFile(QStringLiteral("core.csv"), dataFile({{0, 10}, {100, 20}}));
    window->NowImportingData[0] = true;
    window->File1->setPath(folder.path());
    window->Dir1->blockSignals(true);
    window->Dir1->setPath(folder.path());
    window->Dir1->blockSignals(false);
    const QList<QListWidgetItem*> found =
        window->File1->findItems(QStringLiteral("core.csv"), Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    found.first()->setSelected(true);
    window->takeCalls();

    window->File1_Click();

    EXPECT_TRUE(window->Drawn[0]);
    EXPECT_EQ(window->Text1->text(), QStringLiteral("150"));
    EXPECT_FALSE(window->Label3->isEnabled());
    EXPECT_FALSE(window->Label4->isEnabled());
    EXPECT_FALSE(window->Label7->isEnabled());
    // The range boxes change while the import runs, so their handlers do not draw again.
    EXPECT_EQ(window->takeCalls(), (Calls{"File1_Click", "ClearDataFigure", "ImportDataFile", "DrawDataCurve",
                                          "Text1_Change", "Text2_Change", "DrawRunningMean"}));
}

TEST_F(DataTest, TypedRangeIsRewrittenByANestedPassAndEqualEndsRestoreTheSavedTexts)
{
    importData({{0, 10}, {100, 20}});
    window->takeCalls();

    // The handler draws with 150 and writes "150" back, which raises the handler once more; that pass
    // writes the same texts and the recursion ends.
    window->Text1->setText(QStringLiteral("150.0"));

    EXPECT_EQ(window->Text1->text(), QStringLiteral("150"));
    EXPECT_EQ(window->takeCalls(), (Calls{"Text1_Change", "DrawDataCurve", "Text1_Change", "DrawDataCurve",
                                          "DrawRunningMean", "DrawRunningMean"}));
    EXPECT_TRUE(platform.messages.messages().empty());

    window->Text2_Click();
    ASSERT_EQ(window->SavedRangeTexts, (std::array<QString, 2>{QStringLiteral("150"), QStringLiteral("0")}));
    window->ProgressBar1->show();
    platform.pointer.set(Pointer::Hourglass);

    window->Text2->setText(QStringLiteral("150"));

    expectRangeMessage();
    // Restoring the top box redraws the figure with the saved range.
    EXPECT_EQ(window->takeCalls(), (Calls{"Text2_Click", "Text2_Change", "DrawDataCurve", "Text2_Change",
                                          "DrawDataCurve", "DrawRunningMean", "DrawRunningMean"}));
    EXPECT_EQ(window->Text1->text(), QStringLiteral("150"));
    EXPECT_EQ(window->Text2->text(), QStringLiteral("0"));
    EXPECT_EQ(window->dataSeries.verticalMin, 0.0f);
    EXPECT_TRUE(window->Drawn[0]);
    EXPECT_TRUE(colourNear(dataFigure(), scaleWidth() / 2, scaleHeight() / 3, Blue));
    EXPECT_EQ(platform.pointer.current(), Pointer::Default);
    EXPECT_TRUE(window->ProgressBar1->isHidden());
}

TEST_F(DataTest, RestoredTextsAreOrderedByValueAndEqualOnesExchanged)
{
    struct Case {
        std::array<QString, 2> saved;
        QString bottom, top;
    };
    const Case cases[] = {
        {{"0", "150"}, "150", "0"},
        {{"1e2", "99.5"}, "1e2", "99.5"},
        {{"5", "5.0"}, "5.0", "5"},
        {{"", "abc"}, "abc", ""},
    };
    for (const Case& c : cases) {
        // No curve: the boxes only follow, and a range with equal ends cannot be drawn.
        window->Drawn[0] = false;
        window->NowImportingData[0] = true;
        window->Text1->setText(QStringLiteral("7"));
        window->Text2->setText(QStringLiteral("7"));
        window->NowImportingData[0] = false;
        window->dataSeries.lastIndex = 1.0f;
        window->dataSeries.verticalMin = window->dataSeries.verticalMax = 7.0f;
        window->SavedRangeTexts = c.saved;

        window->DrawDataCurve();

        EXPECT_EQ(window->Text1->text(), c.bottom);
        EXPECT_EQ(window->Text2->text(), c.top);
    }
}

// The averages are pinned by engine/RunningMeanTest and the pens by render/DataCurveTest; here the
// slider ticks the box, counts the points and draws the mean, in grey scale when it is set.
TEST_F(DataTest, SmoothingSliderDrawsTheRunningMean)
{
    window->Slider3->setValue(3);
    EXPECT_EQ(window->RunningMeanPoints, 0); // no curve yet

    importData({{0, 10}, {10, 12}, {20, 16}, {30, 14}, {40, 18}});
    window->Slider3->setValue(3);
    ASSERT_TRUE(window->Check3->isChecked());
    EXPECT_EQ(window->RunningMeanPoints, 3);
    // Values 10 to 18 give the axis 5 to 20, depths 0 to 40 the axis 0 to 45: the mean's middle point
    // (14, 20) lies in red at 0.6 of the width and 4/9 of the height, away from the blue curve.
    const double w = scaleWidth();
    const double h = scaleHeight();
    EXPECT_TRUE(colourNear(dataFigure(), w * 0.6, h * 4 / 9, Red));
    EXPECT_TRUE(colourNear(dataFigure(), w * 11 / 15, h * 4 / 9, Blue));
    EXPECT_EQ(dataFigure().surface().drawWidth(), 1);

    // One smoothed point draws no line; a window longer than the record computes none.
    window->Slider3->setValue(5);
    EXPECT_EQ(window->RunningMeanPoints, 1);
    window->Slider3->setValue(6);
    EXPECT_EQ(window->RunningMeanPoints, 0);
    EXPECT_EQ(colourCount(dataFigure(), Red), 0);
    EXPECT_GT(colourCount(dataFigure(), Blue), 0);

    window->Slider3->setValue(4);
    ASSERT_EQ(window->RunningMeanPoints, 2);
    window->Slider3->setValue(1);
    EXPECT_FALSE(window->Check3->isChecked());
    // Unticking the box draws the curve alone; the last mean stays stored for the row marker.
    EXPECT_EQ(colourCount(dataFigure(), Red), 0);
    EXPECT_EQ(window->RunningMeanPoints, 2);

    window->Settings.greyScale = true;
    window->Slider3->setValue(2);
    EXPECT_GT(colourCount(dataFigure(), Grey), 0);
    EXPECT_GT(colourCount(dataFigure(), Black), 0);
    EXPECT_EQ(colourCount(dataFigure(), Blue), 0);
    EXPECT_EQ(colourCount(dataFigure(), Red), 0);
}

} // namespace
} // namespace brimvale
