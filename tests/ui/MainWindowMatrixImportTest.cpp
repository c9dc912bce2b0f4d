// Importing a Corvane matrix into the main window: both layouts, the controls that follow the kind,
// and the one failure path. The reading itself is pinned by io/CorvaneMatrixReaderTest and the kind
// decision by io/MatrixKindDecisionTest.
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

    // Writes the matrix, queues it as the dialog's answer and imports it through "Import Corvane file".
    QString import(const CorvaneFileBuilder& builder)
    {
        const QString path = folder.filePath(QStringLiteral("matrix.csv"));
        builder.writeTo(QFileInfo(path).filesystemFilePath());
        platform.dialogBackend.queueFile(path);
        window->Command1_Click(1);
        return path;
    }

    std::ptrdiff_t count(const std::string& name) const
    {
        return std::count(window->calls.begin(), window->calls.end(), name);
    }

    std::vector<QWidget*> frameControls() const
    {
        return {window->Check4, window->Check8, window->Label9, window->Label11,
                window->Label3, window->Label4, window->Label7};
    }

    // Enables every control that the failure path disables and forgets the calls and plots.
    void prepareForFailure()
    {
        for (QWidget* control : frameControls())
            control->setEnabled(true);
        window->Drawn[1] = true;
        window->Settings.probabilityMode = true;
        window->calls.clear();
        window->plots.clear();
    }

    // The state every failed import leaves.
    void expectFailurePath()
    {
        EXPECT_FALSE(window->Drawn[1]);
        EXPECT_FALSE(window->Settings.probabilityMode);
        EXPECT_FALSE(window->Settings.confidenceMode);
        for (QWidget* control : frameControls())
            EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
        EXPECT_GE(count("ClearSectionFigure"), 1);
        EXPECT_TRUE(window->plots.empty());
        EXPECT_TRUE(platform.messages.messages().empty());
        EXPECT_EQ(platform.pointer.current(), Pointer::Default);
    }
};

TEST_F(MatrixImportTest, NewerLayoutIsAPackedMatrixShownInTheSelectedView)
{
    // The horizontal title is not UTF-8 and is read as Latin-1.
    const QString path = import(CorvaneFileBuilder().titles("Temp\xe9rature", "T July (C)"));

    EXPECT_TRUE(window->Drawn[1]);
    EXPECT_FALSE(window->Settings.legacyMatrix);
    EXPECT_EQ(window->Label14[1]->text(), QStringLiteral(u"Temp\u00e9rature"));
    EXPECT_EQ(window->Label15[1]->text(), QStringLiteral("T July (C)"));
    EXPECT_EQ(window->probabilityGrid(17, 163), CorvaneFileBuilder::packedCell(17, 163));
    EXPECT_EQ(window->axisValues[200], CorvaneFileBuilder::axisValue(200));
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
    const std::vector<Pointer>& pointers = platform.pointer.history();
    ASSERT_FALSE(pointers.empty());
    EXPECT_EQ(pointers.front(), Pointer::Hourglass);
    EXPECT_EQ(pointers.back(), Pointer::Default);
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

TEST_F(MatrixImportTest, OlderMatricesArePlottedCellByCell)
{
    import(CorvaneFileBuilder::probabilityMatrix());
    // The older layout holds its coefficients as numbers.
    EXPECT_EQ(window->Settings.confidenceCoefficient1, NumberOrText::fromNumber(95));
    EXPECT_EQ(window->Label6[0]->text(), QStringLiteral("95"));
    EXPECT_EQ(window->Label6[1]->text(), QStringLiteral("68"));
    // A probability is plotted as twenty times its value.
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
    window->takeCalls();
    window->plots.clear();

    import(CorvaneFileBuilder::confidenceMatrix());
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

TEST_F(MatrixImportTest, EachKindSetsTheViewItsControlsAndTheLegacyFlag)
{
    const auto withLargest = [](CorvaneFileBuilder builder, double largest) {
        return builder.cells([largest](int i, int j) { return i == 100 && j == 100 ? largest : 0.25; });
    };
    const auto unknownKind =
        CorvaneFileBuilder().layout(CorvaneFileBuilder::Layout::Older).kindText("Pollen");
    struct Case {
        const char* name;
        CorvaneFileBuilder builder;
        bool accepted;
        bool probability;
        bool legacy;
    };
    const Case cases[] = {
        {"newer below 2", CorvaneFileBuilder().cells(CorvaneFileBuilder::probabilityCell), true, true, true},
        {"older probability", CorvaneFileBuilder::probabilityMatrix(), true, true, true},
        {"older confidence at 3", CorvaneFileBuilder::confidenceMatrix(), true, false, true},
        {"older confidence above 3", withLargest(CorvaneFileBuilder::confidenceMatrix(), 4.0), true, false,
         false},
        {"older unknown kind at 1.5", withLargest(unknownKind, 1.5), true, true, true},
        {"older unknown kind at 3", withLargest(unknownKind, 3.0), true, false, true},
        {"older unknown kind at 2.5", withLargest(unknownKind, 2.5), false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        prepareForFailure();
        // Every setting starts opposite to what the import should leave.
        window->Drawn[1] = !c.accepted;
        window->Settings.probabilityMode = !c.probability;
        window->Settings.confidenceMode = c.probability;
        window->Settings.legacyMatrix = !c.legacy;
        window->Slider4->setEnabled(!c.probability);
        window->Label5[0]->setEnabled(c.probability);
        window->Label5[1]->setEnabled(c.probability);
        import(c.builder);
        if (!c.accepted) {
            expectFailurePath();
            continue;
        }
        EXPECT_TRUE(window->Drawn[1]);
        EXPECT_EQ(window->Settings.legacyMatrix, c.legacy);
        EXPECT_EQ(window->Settings.probabilityMode, c.probability);
        EXPECT_EQ(window->Settings.confidenceMode, !c.probability);
        EXPECT_EQ(window->Slider4->isEnabled(), c.probability);
        EXPECT_EQ(window->Label9->isEnabled(), c.probability);
        EXPECT_EQ(window->Label11->isEnabled(), c.probability);
        EXPECT_EQ(window->Label5[0]->isEnabled(), !c.probability);
        EXPECT_EQ(window->Label5[1]->isEnabled(), !c.probability);
        // Only a packed matrix goes through the view switch; the others are plotted by the import.
        EXPECT_EQ(count("SwitchToProb") + count("SwitchToConfi"), 0);
        ASSERT_FALSE(window->plots.empty());
        EXPECT_EQ(window->plots.front().procedure,
                  c.probability ? "PlotGridProbability" : "PlotGridConfidence");
    }
}

TEST_F(MatrixImportTest, HeadNotesOfElevenToFourteenLinesAreAcceptedAndShorterOnesRefused)
{
    // Head values 13 and 14 hold the coefficients; a 14-line note stops after value 13.
    for (int lines : {11, 14}) {
        SCOPED_TRACE(lines);
        window->Label6[0]->setText(QStringLiteral("old"));
        window->Drawn[1] = false;
        import(CorvaneFileBuilder().headLineCount(lines));
        EXPECT_TRUE(window->Drawn[1]);
        EXPECT_EQ(window->Settings.confidenceCoefficient1, NumberOrText::fromText(lines == 14 ? "95" : ""));
        EXPECT_EQ(window->Settings.confidenceCoefficient2, NumberOrText::fromText(""));
        EXPECT_EQ(window->Label6[0]->text(), lines == 14 ? QStringLiteral("95") : QString());
        EXPECT_TRUE(window->Label6[1]->text().isEmpty());
    }
    prepareForFailure();
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
    prepareForFailure();
    const QString path = writeFile(QStringLiteral("faulty.csv"), QByteArray::fromStdString(c.contents));
    platform.dialogBackend.queueFile(path);
    window->Command1_Click(1);
    expectFailurePath();
    EXPECT_EQ(window->probabilityGrid, before);
    // The import command's finish still runs.
    EXPECT_EQ(window->Label10[1]->text(), path);
    EXPECT_TRUE(window->Command1[1]->isEnabled());
}
} // namespace

TEST_F(MatrixImportTest, CancellingTheDialogClearsAMatrixShownBefore)
{
    import(CorvaneFileBuilder::probabilityMatrix());
    ASSERT_TRUE(window->Drawn[1]);
    // The cells the import drew, frozen as the figure's background.
    DrawingSurface& figure = window->Picture1[1]->surface();
    figure.filledBox(0, 0, figure.scaleWidth(), figure.scaleHeight(), Red);
    figure.freeze();
    prepareForFailure();

    platform.dialogBackend.queueFileCancel();
    window->Command1_Click(1);

    expectFailurePath();
    EXPECT_EQ(test::colourCount(*window->Picture1[1], Red), 0);
    figure.cls();
    EXPECT_EQ(test::colourCount(*window->Picture1[1], Red), 0);
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

} // namespace brimvale
} // namespace brimvale
