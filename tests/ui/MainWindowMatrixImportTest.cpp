// Importing a Corvane matrix into the main window: both layouts, the kind decision, the controls
// that follow the kind, and the one failure path.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include <algorithm>

#include "support/CorvaneFileBuilder.h"
#include "ui/MainWindowFixture.h"
#include "ui/PictureBox.h"

namespace brimvale {
namespace {

using test::CorvaneFileBuilder;
using Calls = std::vector<std::string>;
using Pointer = MousePointer::Pointer;

constexpr QRgb Red = 0xffff0000;

class MatrixImportTest : public test::RecordingWindowFixture {
protected:
    void SetUp() override { window->takeCalls(); }

    // Writes the matrix and queues it as the dialog's answer.
    QString offer(const CorvaneFileBuilder& builder, const QString& name = QStringLiteral("matrix.csv"))
    {
        const QString path = folder.filePath(name);
        builder.writeTo(QFileInfo(path).filesystemFilePath());
        platform.dialogBackend.queueFile(path);
        return path;
    }

    // Imports the matrix through "Import Corvane file".
    QString import(const CorvaneFileBuilder& builder)
    {
        const QString path = offer(builder);
        window->Command1_Click(1);
        return path;
    }

    std::ptrdiff_t count(const std::string& name) const
    {
        return std::count(window->calls.begin(), window->calls.end(), name);
    }

    // The state every failed import leaves.
    void expectFailurePath()
    {
        EXPECT_FALSE(window->Drawn[1]);
        EXPECT_FALSE(window->Settings.probabilityMode);
        EXPECT_FALSE(window->Settings.confidenceMode);
        for (QWidget* control :
             {static_cast<QWidget*>(window->Check4), static_cast<QWidget*>(window->Check8),
              static_cast<QWidget*>(window->Label9), static_cast<QWidget*>(window->Label11),
              static_cast<QWidget*>(window->Label3), static_cast<QWidget*>(window->Label4),
              static_cast<QWidget*>(window->Label7)})
            EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
        EXPECT_GE(count("ClearSectionFigure"), 1);
        EXPECT_TRUE(platform.messages.messages().empty());
        EXPECT_EQ(platform.pointer.current(), Pointer::Default);
    }

    // Enables every control that the failure path disables.
    void enableFrameControls()
    {
        for (QWidget* control :
             {static_cast<QWidget*>(window->Check4), static_cast<QWidget*>(window->Check8),
              static_cast<QWidget*>(window->Label9), static_cast<QWidget*>(window->Label11),
              static_cast<QWidget*>(window->Label3), static_cast<QWidget*>(window->Label4),
              static_cast<QWidget*>(window->Label7)})
            control->setEnabled(true);
    }
};

TEST_F(MatrixImportTest, NewerLayoutIsAPackedMatrixShownInTheSelectedView)
{
    const QString path = import(CorvaneFileBuilder().titles("Quercus (%)", "T July (C)"));

    EXPECT_TRUE(window->Drawn[1]);
    EXPECT_FALSE(window->Settings.legacyMatrix);
    EXPECT_EQ(window->Label14[1]->text(), QStringLiteral("Quercus (%)"));
    EXPECT_EQ(window->Label15[1]->text(), QStringLiteral("T July (C)"));
    // The newer layout holds its coefficients as texts.
    EXPECT_EQ(window->Settings.confidenceCoefficient1, NumberOrText::fromText("95"));
    EXPECT_EQ(window->Settings.confidenceCoefficient2, NumberOrText::fromText("68"));
    EXPECT_EQ(window->Label6[0]->text(), QStringLiteral("95"));
    EXPECT_EQ(window->Label6[1]->text(), QStringLiteral("68"));
    EXPECT_TRUE(window->Check4->isEnabled());
    EXPECT_TRUE(window->Check8->isEnabled());
    EXPECT_EQ(window->Label10[1]->text(), path);
    // Without a data curve the axis captions wait for one, and there is nothing to calibrate.
    EXPECT_TRUE(window->Label1[1]->text().isEmpty());
    EXPECT_FALSE(window->Command2->isEnabled());
    EXPECT_EQ(window->focusWidget(), window->Command1[0]);
    // No plots of its own: the view procedure draws the cells.
    EXPECT_TRUE(window->plots.empty());
    EXPECT_EQ(window->takeCalls(),
              (Calls{"Command1_Click(1)", "ImportMatrixFile", "SwitchToProb", "ClearSectionFigure",
                     "DrawModeCurves", "DrawAverageCurves", "ClearSectionFigure"}));
    EXPECT_EQ(platform.pointer.current(), Pointer::Default);
    ASSERT_EQ(platform.dialogBackend.fileRequests().size(), 1u);
    EXPECT_EQ(platform.dialogBackend.fileRequests()[0].nameFilter, QStringLiteral("DataFile (*.csv)"));
    EXPECT_EQ(platform.dialogBackend.fileRequests()[0].kind, DialogBackend::FileDialogKind::Open);
}

TEST_F(MatrixImportTest, PackedMatrixInTheConfidenceViewSwitchesToIt)
{
    window->Option1[1]->setChecked(true);
    window->Option1[0]->setEnabled(false);
    window->Option1[1]->setEnabled(false);
    window->takeCalls();
    import(CorvaneFileBuilder());
    EXPECT_EQ(count("SwitchToConfi"), 1);
    EXPECT_EQ(count("SwitchToProb"), 0);
    EXPECT_TRUE(window->Option1[0]->isEnabled());
    EXPECT_TRUE(window->Option1[1]->isEnabled());
}

TEST_F(MatrixImportTest, GridTakesRowsBottomUpAndColumnsFromTheRightOfEachFileRow)
{
    // Cell (i, j) of the builder is column i, row j; its file row j lists columns 200 down to 0.
    import(CorvaneFileBuilder()
               .cells([](int i, int j) { return 1000.0 * i + j;
})
               .headingValues([](int) {
    return 777.0f; })
               .axisValues([](int r) {
    return 0.5f * static_cast<float>(r) - 3.0f; }));
ASSERT_TRUE(window->Drawn[1]);
for (const auto& [i, j] : std::vector<std::pair<int, int>>{{0, 0}, {200, 0}, {0, 200}, {17, 163}, {200, 200}})
    EXPECT_EQ(window->probabilityGrid(i, j), 1000.0 * i + j) << i << ", " << j;
// The heading row never survives: each axis value is the leading number of its matrix row.
for (int r : {0, 1, 100, 200})
    EXPECT_EQ(window->axisValues[r], 0.5f * static_cast<float>(r) - 3.0f) << r;
} // namespace

TEST_F(MatrixImportTest, WithADataCurveTheAxesAreSharedAndCalibrateIsOffered)
{
    window->Drawn[0] = true;
    import(CorvaneFileBuilder());

    for (int i = 0; i <= 3; ++i) {
        EXPECT_EQ(window->Label1[i]->text(), QStringLiteral("-10")) << i;
        EXPECT_EQ(window->Label2[i]->text(), QStringLiteral("20")) << i;
    }
    EXPECT_TRUE(window->Label1[4]->text().isEmpty());
    EXPECT_EQ(window->dataSeries.horizontalMin, -10.0f);
    EXPECT_EQ(window->dataSeries.horizontalMax, 20.0f);
    for (QLabel* label : {window->Label5[0], window->Label5[1], window->Label6[0], window->Label6[1]})
        EXPECT_TRUE(label->isEnabled()) << label->objectName().toStdString();
    EXPECT_TRUE(window->Command2->isEnabled());
    EXPECT_EQ(window->focusWidget(), window->Command2);
    EXPECT_EQ(window->takeCalls(),
              (Calls{"Command1_Click(1)", "ImportMatrixFile", "SwitchToProb", "ClearSectionFigure",
                     "DrawDataCurve", "DrawRunningMean", "DrawModeCurves", "DrawAverageCurves"}));
}

TEST_F(MatrixImportTest, OlderProbabilityMatrixIsPlottedCellByCellAsTwentyTimesItsValue)
{
    window->Slider4->setEnabled(false);
    window->Label5[0]->setEnabled(true);
    window->Label5[1]->setEnabled(true);
    window->takeCalls();
    import(CorvaneFileBuilder::probabilityMatrix());

    EXPECT_TRUE(window->Drawn[1]);
    EXPECT_TRUE(window->Settings.legacyMatrix);
    EXPECT_TRUE(window->Settings.probabilityMode);
    EXPECT_FALSE(window->Settings.confidenceMode);
    EXPECT_TRUE(window->Slider4->isEnabled());
    EXPECT_TRUE(window->Label9->isEnabled());
    EXPECT_TRUE(window->Label11->isEnabled());
    EXPECT_FALSE(window->Label5[0]->isEnabled());
    EXPECT_FALSE(window->Label5[1]->isEnabled());
    // The older layout holds its coefficients as numbers.
    EXPECT_EQ(window->Settings.confidenceCoefficient1, NumberOrText::fromNumber(95));
    EXPECT_EQ(window->Label6[0]->text(), QStringLiteral("95"));
    EXPECT_EQ(window->Label6[1]->text(), QStringLiteral("68"));

    ASSERT_EQ(window->plots.size(), 201u * 201u);
    for (std::size_t n :
         {std::size_t{0}, std::size_t{1}, std::size_t{201 * 37 + 52}, std::size_t{201 * 201 - 1}}) {
        const auto& plot = window->plots[n];
        EXPECT_EQ(plot.procedure, "PlotGridProbability");
        EXPECT_EQ(plot.i, static_cast<int>(n / 201));
        EXPECT_EQ(plot.j, static_cast<int>(n % 201));
        EXPECT_EQ(plot.v, static_cast<float>(20.0 * CorvaneFileBuilder::probability(plot.i, plot.j)));
    }
    EXPECT_TRUE(window->ProgressBar1->isHidden());
    EXPECT_EQ(window->ProgressBar1->value(), 0);
    EXPECT_EQ(window->ProgressBar1->maximum(), 200);
    EXPECT_EQ(count("DrawModeCurves"), 1); // from the finish of the import command only
}

TEST_F(MatrixImportTest, NewerLayoutBelowTwoIsAProbabilityMatrix)
{
    import(CorvaneFileBuilder().cells(CorvaneFileBuilder::probabilityCell));
    EXPECT_TRUE(window->Drawn[1]);
    EXPECT_TRUE(window->Settings.legacyMatrix);
    EXPECT_TRUE(window->Settings.probabilityMode);
    EXPECT_EQ(count("SwitchToProb"), 0);
    ASSERT_FALSE(window->plots.empty());
    EXPECT_EQ(window->plots.front().procedure, "PlotGridProbability");
}

TEST_F(MatrixImportTest, OlderConfidenceMatrixIsPlottedAsClassesAndGetsItsCurves)
{
    window->Slider4->setEnabled(true);
    import(CorvaneFileBuilder::confidenceMatrix());

    EXPECT_TRUE(window->Drawn[1]);
    EXPECT_TRUE(window->Settings.legacyMatrix); // the largest cell is exactly 3
    EXPECT_TRUE(window->Settings.confidenceMode);
    EXPECT_FALSE(window->Settings.probabilityMode);
    EXPECT_FALSE(window->Slider4->isEnabled());
    EXPECT_FALSE(window->Label9->isEnabled());
    EXPECT_TRUE(window->Label5[0]->isEnabled());
    EXPECT_TRUE(window->Label5[1]->isEnabled());
    ASSERT_EQ(window->plots.size(), 201u * 201u);
    const auto& plot = window->plots[201 * 100 + CorvaneFileBuilder::modeRow(100)];
    EXPECT_EQ(plot.procedure, "PlotGridConfidence");
    EXPECT_EQ(plot.v, 3.0f);
    // The import draws the curves itself before the tail clears the section.
    const Calls calls = window->takeCalls();
    const Calls head(calls.begin(), calls.begin() + 5);
    EXPECT_EQ(head, (Calls{"Command1_Click(1)", "ImportMatrixFile", "DrawModeCurves", "DrawAverageCurves",
                           "ClearSectionFigure"}));
}

TEST_F(MatrixImportTest, ConfidenceMatrixAboveThreeCanSwitchItsView)
{
    import(CorvaneFileBuilder::confidenceMatrix().cells([](int i, int j) {
        return i == 5 && j == 9 ? 4.0 : CorvaneFileBuilder::confidenceCell(i, j);
}));
EXPECT_TRUE(window->Drawn[1]);
EXPECT_TRUE(window->Settings.confidenceMode);
EXPECT_FALSE(window->Settings.legacyMatrix);
} // namespace brimvale

TEST_F(MatrixImportTest, OlderMatrixOfAnUnknownKindIsJudgedByItsLargestCell)
{
    struct Case {
        double largest;
        bool accepted;
        bool probability;
    };
    for (const Case c : {Case{1.5, true, true}, Case{3.0, true, false}, Case{2.5, false, false}}) {
        SCOPED_TRACE(c.largest);
        enableFrameControls();
        window->calls.clear();
        window->plots.clear();
        import(CorvaneFileBuilder().layout(CorvaneFileBuilder::Layout::Older).kindText("Pollen").cells(
            [&c](int i, int j) { return i == 100 && j == 100 ? c.largest : 0.25;
    }));
    EXPECT_EQ(window->Drawn[1], c.accepted);
    if (c.accepted) {
        EXPECT_TRUE(window->Settings.legacyMatrix);
        EXPECT_EQ(window->Settings.probabilityMode, c.probability);
        EXPECT_EQ(window->Settings.confidenceMode, !c.probability);
    } else {
        expectFailurePath();
        EXPECT_TRUE(window->plots.empty());
    }
}
}

TEST_F(MatrixImportTest, HeadNotesOfElevenToFourteenLinesAreAcceptedWithoutCoefficients)
{
    for (int lines : {11, 12, 13, 14}) {
        SCOPED_TRACE(lines);
        window->Label6[0]->setText(QStringLiteral("old"));
        import(CorvaneFileBuilder().headLineCount(lines));
        EXPECT_TRUE(window->Drawn[1]);
        // Head values 13 and 14 hold the coefficients; a 14-line note stops after value 13.
        EXPECT_EQ(window->Settings.confidenceCoefficient1, NumberOrText::fromText(lines == 14 ? "95" : ""));
        EXPECT_EQ(window->Settings.confidenceCoefficient2, NumberOrText::fromText(""));
        EXPECT_EQ(window->Label6[0]->text(), lines == 14 ? QStringLiteral("95") : QString());
        EXPECT_TRUE(window->Label6[1]->text().isEmpty());
    }
}

TEST_F(MatrixImportTest, HeadNoteShorterThanElevenLinesIsRefused)
{
    enableFrameControls();
    window->Drawn[1] = true;
    import(CorvaneFileBuilder().headLineCount(10));
    expectFailurePath();
}

TEST_F(MatrixImportTest, FaultyFilesTakeTheFailurePathAndKeepTheGridShownBefore)
{
    const std::string good = CorvaneFileBuilder().contents();
    struct Case {
        const char* name;
        std::string contents;
    };
    const Case cases[] = {
        {"truncated", good.substr(0, good.size() / 2)},
        {"non-numeric cell", CorvaneFileBuilder().cellField(5, 7, "abc").contents()},
        {"21st head pair", CorvaneFileBuilder().headLineCount(22).contents()},
        {"wrong first field", CorvaneFileBuilder().firstField("Corvane output").contents()},
    };
    import(CorvaneFileBuilder().cells([](int i, int j) { return i + j / 1000.0;
}));
ASSERT_TRUE(window->Drawn[1]);
const ProbabilityGrid before = window->probabilityGrid;
for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    enableFrameControls();
    window->Drawn[1] = true;
    window->Settings.probabilityMode = true;
    window->calls.clear();
    const QString path = writeFile(QStringLiteral("faulty.csv"), QByteArray::fromStdString(c.contents));
    platform.dialogBackend.queueFile(path);
    window->Command1_Click(1);
    expectFailurePath();
    EXPECT_EQ(window->probabilityGrid, before);
    // The import command's finish still runs.
    EXPECT_EQ(window->Label10[1]->text(), path);
    EXPECT_TRUE(window->Command1[1]->isEnabled());
}
}

TEST_F(MatrixImportTest, CancellingTheDialogClearsAMatrixShownBefore)
{
    import(CorvaneFileBuilder::probabilityMatrix());
    ASSERT_TRUE(window->Drawn[1]);
    // The cells the import drew, frozen as the figure's background.
    DrawingSurface& figure = window->Picture1[1]->surface();
    figure.filledBox(0, 0, figure.scaleWidth(), figure.scaleHeight(), Red);
    figure.freeze();
    window->calls.clear();

    platform.dialogBackend.queueFileCancel();
    window->Command1_Click(1);

    expectFailurePath();
    const QImage image = figure.image().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(image.pixel(0, 0), window->BackColor());
    EXPECT_EQ(image.pixel(image.width() / 2, image.height() / 2), window->BackColor());
    figure.cls();
    EXPECT_EQ(figure.image().convertToFormat(QImage::Format_ARGB32).pixel(5, 5), window->BackColor());
    // The legacy flag is not the failure path's business.
    EXPECT_TRUE(window->Settings.legacyMatrix);
}

TEST_F(MatrixImportTest, NewerFirstFieldEnablesTheViewButtonsEvenWhenTheFileFails)
{
    window->Option1[0]->setEnabled(false);
    window->Option1[1]->setEnabled(false);
    import(CorvaneFileBuilder().cellField(0, 0, "x"));
    EXPECT_FALSE(window->Drawn[1]);
    EXPECT_TRUE(window->Option1[0]->isEnabled());
    EXPECT_TRUE(window->Option1[1]->isEnabled());
}

TEST_F(MatrixImportTest, TitlesThatAreNotUtf8AreReadAsLatin1)
{
    import(CorvaneFileBuilder().titles("Temp\xe9rature", "\xc3\x9c"
                                                         "ber"));
    EXPECT_EQ(window->Label14[1]->text(), QStringLiteral(u"Temp\u00e9rature"));
    EXPECT_EQ(window->Label15[1]->text(), QStringLiteral(u"\u00dcber"));
}

TEST_F(MatrixImportTest, PointerIsTheHourglassWhileReading)
{
    import(CorvaneFileBuilder::probabilityMatrix());
    const std::vector<Pointer>& history = platform.pointer.history();
    ASSERT_FALSE(history.empty());
    EXPECT_EQ(history.front(), Pointer::Hourglass);
    EXPECT_EQ(history.back(), Pointer::Default);
}

} // namespace
} // namespace brimvale
