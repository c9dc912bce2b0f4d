// Saving the section in a result file and importing one through the main window: what the window reads
// and sets, the failures it reports or abandons, and a save followed by an import.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "support/CrLfLines.h"
#include "ui/MainWindowFixture.h"
#include "ui/PictureBox.h"

namespace brimvale {
namespace {

using Calls = std::vector<std::string>;
using Pointer = MousePointer::Pointer;
using Icon = MessageService::Icon;
using test::split;

constexpr int Columns = SectionMatrix::Columns;

// Exact binary fractions, every third column negative, so that every text reads back exactly.
double packedCell(int i, int j)
{
    const double magnitude = 1 + (i + j) % 4 + (i % 8) / 16.0;
    return i % 3 == 0 ? -magnitude : magnitude;
}

SectionMatrix sectionOf(int steps, const std::function<double(int, int)>& cell)
{
    SectionMatrix section(static_cast<std::int16_t>(steps));
    for (int j = 0; j <= steps; ++j) {
        for (int i = 0; i < Columns; ++i) {
            section(0, i, j) = i == j % Columns ? 1.0 : 0.0;
            section(1, i, j) = cell(i, j);
        }
    }
    return section;
}

std::string numberText(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

float axisValue(int i)
{
    return -5.0f + 0.25f * static_cast<float>(i);
}

// A result file as written by hand, every field given as it stands in the file; row j has the value 10 j.
struct ResultText {
    std::string firstField = "\"Brimvale common output format\"";
    std::string steps = "4";
    std::string smoothing = "1";
    int rowsWritten = -1; // all rows that the step count announces
    std::function<double(int, int)> cell = packedCell;
    std::string rowOverride; // replaces data row 1 when not empty

    std::string text() const
    {
        std::string text = firstField + "\r\n";
        text += "\"Head note length (lines): \",\"14\"\r\n\"Version: \",\"2.5.0\"\r\n";
        text += "\"Original curve: \",\"/data/core.csv\"\r\n\"X: \",\"Pinus (%)\"\r\n\"Y: \",\"Depth (cm)\"\r\n";
        text += "\"Calibration matrix (Corvane file): \",\"/data/july.csv\"\r\n\"X: \",\"Pinus\"\r\n";
        text += "\"Y: \",\"T July\"\r\n\"Horizontal resolution (steps): \",200\r\n";
        text += "\"Vertical resolution (steps): \"," + steps + "\r\n";
        text += "\"Smoothing level (No. of averaged horizons): \"," + smoothing + "\r\n";
        text += "\"Confidence coefficient1 (%):\",95\r\n\"Confidence coefficient2 (%):\",\"68\"\r\n";
        for (int i = 0; i < Columns; ++i)
            text.append(",").append(numberText(axisValue(i)));
        text += "\r\n";
        const int rows = rowsWritten >= 0 ? rowsWritten : std::stoi(steps) + 1;
        for (int j = 0; j < rows; ++j) {
            if (j == 1 && !rowOverride.empty()) {
                text += rowOverride + "\r\n";
                continue;
            }
            text += numberText(10.0 * j);
            for (int i = 0; i < Columns; ++i)
                text.append(",").append(numberText(cell(i, j)));
            text += "\r\n";
        }
        return text;
    }
};

// The CR LF lines of the file at path.
std::vector<std::string> linesOf(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return test::crLfLines(file.readAll().toStdString());
}

template <class Window> class ResultsFixture : public test::MainWindowFixtureOf<Window> {
protected:
    using Base = test::MainWindowFixtureOf<Window>;
    using Base::folder;
    using Base::platform;
    using Base::window;

    // The state a calibration leaves: the section, the captions the file takes and the coefficients.
    // The sliders are set first, since moving them clears the section's captions.
    void computedSection(int steps, int slider1 = 100, int slider2 = 100)
    {
        window->Slider1->setValue(slider1);
        window->Slider2->setValue(slider2);
        window->sectionMatrix = sectionOf(steps, packedCell);
        window->Label10[0]->setText(QStringLiteral("/data/core.csv"));
        window->Label14[0]->setText(QStringLiteral("Pinus (%)"));
        window->Label15[0]->setText(QStringLiteral("Depth (cm)"));
        window->Label10[1]->setText(QStringLiteral("/data/july.csv"));
        window->Label14[1]->setText(QStringLiteral("Pinus"));
        window->Label15[1]->setText(QStringLiteral("T July"));
        for (int i = 1; i <= 3; ++i) {
            window->Label1[i]->setText(QStringLiteral("-5"));
            window->Label2[i]->setText(QStringLiteral("45"));
        }
        // Row 0 is the top of the section; one unit per row.
        window->Label2[4]->setText(QStringLiteral("0"));
        window->Label1[4]->setText(QString::number(steps));
        window->Settings.confidenceCoefficient1 = NumberOrText::fromNumber(95);
        window->Settings.confidenceCoefficient2 = NumberOrText::fromText("68");
        window->Drawn[2] = true;
        window->SaveMatrix->setEnabled(true);
    }

    QString inFolder(const QString& name) const { return QDir(folder.path()).absoluteFilePath(name); }

    QStringList folderEntries() const
    {
        return QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QString save(const QString& name)
    {
        const QString path = inFolder(name);
        platform.dialogBackend.queueFile(path);
        window->SaveMatrix->trigger();
        return path;
    }

    // Runs "Import Brimvale file" on the file, as the user does.
    void importFile(const ResultText& file)
    {
        const QString path =
            this->writeFile(QStringLiteral("result.csv"), QByteArray::fromStdString(file.text()));
        platform.dialogBackend.queueFile(path);
        window->Command1[2]->click();
    }

    // Layer 1 of the window's section against the cells of the file, the rows not read being zero.
    void expectSectionRows(int steps, int rowsRead, const std::function<double(int, int)>& cell)
    {
        ASSERT_EQ(window->VerticalSteps(), steps);
        for (int j = 0; j <= steps; ++j) {
            for (int i = 0; i < Columns; ++i) {
                const double expected = j < rowsRead ? cell(i, j) : 0.0;
                if (window->sectionMatrix(1, i, j) != expected) {
                    ADD_FAILURE() << "cell " << i << ", " << j << ": " << window->sectionMatrix(1, i, j);
                    return;
                }
            }
        }
    }

    void expectIdleAfterwards()
    {
        EXPECT_EQ(platform.pointer.current(), Pointer::Default);
        EXPECT_FALSE(window->ProgressBar1->isVisibleTo(window.get()));
    }
};

// ---- Saving ----------------------------------------------------------------------------------------
// The file's texts, numbers and row counts are pinned by io/ResultFileWriterTest; here, which of the
// window's captions, sliders and cells reach the file.

using ResultSaveTest = ResultsFixture<MainWindow>;

TEST_F(ResultSaveTest, SaveMatrixWritesTheWindowsCaptionsAndSection)
{
    computedSection(511);
    const QString path = save(QStringLiteral("section.csv"));

    ASSERT_EQ(platform.dialogBackend.fileRequests().size(), 1u);
    const auto& request = platform.dialogBackend.fileRequests().front();
    EXPECT_EQ(request.kind, DialogBackend::FileDialogKind::Save);
    EXPECT_TRUE(request.confirmOverwrite);
    EXPECT_EQ(request.nameFilter, QStringLiteral("DataFile (*.csv)"));

    const std::vector<std::string> lines = linesOf(path);
    ASSERT_EQ(lines.size(), 16u + 511u);
    const std::vector<std::string> head(lines.begin(), lines.begin() + 14);
    EXPECT_EQ(head, (std::vector<std::string>{
                        "\"Brimvale common output format\"",
                        "\"Head note length (lines): \",\"14\"",
                        "\"Version: \",\"2.5.0\"",
                        "\"Original curve: \",\"/data/core.csv\"",
                        "\"X: \",\"Pinus (%)\"",
                        "\"Y: \",\"Depth (cm)\"",
                        "\"Calibration matrix (Corvane file): \",\"/data/july.csv\"",
                        "\"X: \",\"Pinus\"",
                        "\"Y: \",\"T July\"",
                        "\"Horizontal resolution (steps): \",200",
                        "\"Vertical resolution (steps): \",511",
                        "\"Smoothing level (No. of averaged horizons): \",1",
                        "\"Confidence coefficient1 (%):\",95",
                        "\"Confidence coefficient2 (%):\",\"68\"",
                    }));
    // The axis from the captions -5 and 45, the rows from the range 0 to 511.
    const std::vector<std::string> axis = split(lines[14], ",");
    ASSERT_EQ(axis.size(), 202u);
    EXPECT_EQ(std::stod(axis[1]), -5);
    EXPECT_EQ(std::stod(axis[101]), 20);
    EXPECT_EQ(std::stod(axis[201]), 45);
    EXPECT_EQ(std::stod(split(lines[15], ",")[0]), 0);
    EXPECT_EQ(std::stod(split(lines[15 + 511], ",")[0]), 511);

    EXPECT_TRUE(platform.messages.messages().empty());
    EXPECT_EQ(platform.pointer.history(), (std::vector<Pointer>{Pointer::Hourglass, Pointer::Default}));
    expectIdleAfterwards();
    EXPECT_EQ(window->ProgressBar1->maximum(), 200);
}

TEST_F(ResultSaveTest, TheSlidersAtSavingSetTheRowsWritten)
{
    struct Case {
        int slider1;
        int slider2;
        int steps; // Int(slider2 * 511.00000000000006 / slider1)
    };
    // Half the height drops the computed rows past 255; half the width adds zero rows up to 1022.
    for (const Case c : {Case{100, 50, 255}, Case{50, 100, 1022}, Case{99, 100, 516}, Case{77, 77, 511}}) {
        SCOPED_TRACE(c.steps);
        computedSection(511);
        window->Slider1->setValue(c.slider1);
        window->Slider2->setValue(c.slider2);
        // Moving the sliders cleared the captions; the new range spans one unit per written row.
        window->Label2[4]->setText(QStringLiteral("0"));
        window->Label1[4]->setText(QString::number(c.steps));
        window->Label1[1]->setText(QStringLiteral("-5"));
        window->Label2[1]->setText(QStringLiteral("45"));

        platform.dialogBackend.queueFile(inFolder(QStringLiteral("moved.csv")));
        window->SaveMatrix_Click();

        const std::vector<std::string> lines = linesOf(inFolder(QStringLiteral("moved.csv")));
        ASSERT_EQ(lines.size(), 16u + c.steps) << "no file or wrong rows";
        for (int j = 0; j <= c.steps; ++j) {
            const std::vector<std::string> fields = split(lines[15 + j], ",");
            ASSERT_EQ(fields.size(), 202u);
            ASSERT_EQ(std::stod(fields[0]), j);
            for (int i = 0; i < Columns; ++i)
                ASSERT_EQ(std::stod(fields[i + 1]), j <= 511 ? packedCell(i, j) : 0.0) << i << ", " << j;
        }
        ASSERT_EQ(window->exportGrid.rows(), c.steps + 1);
    }
}

TEST_F(ResultSaveTest, AFailedSaveKeepsTheOldFileAndNamesIt)
{
    struct Case {
        const char* name;
        QString target;
        int slider2;
    };
    const QString old = writeFile(QStringLiteral("old.csv"), "results of last week");
    QDir(folder.path()).mkdir(QStringLiteral("folder.csv"));
    const Case cases[] = {
        // No rows to write: the sliders give a last row of 0.
        {"nothing to write", old, 0},
        {"a folder", inFolder(QStringLiteral("folder.csv")), 100},
        {"a missing folder", inFolder(QStringLiteral("missing/new.csv")), 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::size_t shownBefore = platform.messages.messages().size();
        computedSection(511, 100, c.slider2);
        platform.dialogBackend.queueFile(c.target);
        window->SaveMatrix_Click();

        ASSERT_EQ(platform.messages.messages().size(), shownBefore + 1);
        const auto& message = platform.messages.messages().back();
        EXPECT_EQ(message.title, QStringLiteral("Error"));
        EXPECT_EQ(message.icon, Icon::Exclamation);
        EXPECT_TRUE(message.text.contains(QDir::toNativeSeparators(c.target))) << message.text.toStdString();
        QFile oldFile(old);
        ASSERT_TRUE(oldFile.open(QIODevice::ReadOnly));
        EXPECT_EQ(oldFile.readAll(), QByteArray("results of last week"));
        // No temporary file is left behind.
        EXPECT_EQ(folderEntries(), (QStringList{QStringLiteral("folder.csv"), QStringLiteral("old.csv")}));
        expectIdleAfterwards();
        EXPECT_EQ(window->ProgressBar1->maximum(), 200);
    }

    // Cancelling the dialog writes nothing and says nothing.
    platform.dialogBackend.queueFileCancel();
    window->SaveMatrix->trigger();
    EXPECT_EQ(platform.messages.messages().size(), 3u);
    EXPECT_EQ(folderEntries(), (QStringList{QStringLiteral("folder.csv"), QStringLiteral("old.csv")}));
    EXPECT_EQ(platform.pointer.current(), Pointer::Default);
}

// ---- Importing ---------------------------------------------------------------------------------
// The reading of every field, the slider rule and the hostile files are pinned by
// io/ResultFileReaderTest; here, what the window shows and enables, and what a failure leaves.

using ResultImportTest = ResultsFixture<MainWindow>;

TEST_F(ResultImportTest, BothFirstLinesLoadTheSectionAndItsCaptions)
{
    for (const char* first : {"\"Brimvale common output format\"", "Brimvale output file"}) {
        SCOPED_TRACE(first);
        ResultText file;
        file.firstField = first;
        importFile(file);
        EXPECT_TRUE(window->Drawn[2]);
        expectSectionRows(4, 5, packedCell);
        for (int i = 0; i < Columns; ++i)
            ASSERT_EQ(window->axisValues[i], axisValue(i));
        // The curve layer is not in the file.
        EXPECT_EQ(window->sectionMatrix(0, 0, 0), 0.0);
        for (const auto& [label, text] :
             {std::pair{window->Text1, "40"}, std::pair{window->Text2, "0"}})
            EXPECT_EQ(label->text(), QString::fromLatin1(text)) << label->objectName().toStdString();
        for (const auto& [label, text] :
             {std::pair{window->Label1[4], "40"}, std::pair{window->Label2[4], "0"},
              std::pair{window->Label1[3], "-5"}, std::pair{window->Label2[3], "45"},
              std::pair{window->Label6[0], "95 %"}, std::pair{window->Label6[1], "68 %"}})
            EXPECT_EQ(label->text(), QString::fromLatin1(text)) << label->objectName().toStdString();
        EXPECT_TRUE(window->Label5[0]->isEnabled());
        EXPECT_TRUE(window->Command3->isEnabled());
        // The coefficients shown are the file's; those of the matrix stay.
        EXPECT_TRUE(window->Settings.confidenceCoefficient1.isEmpty());
        expectIdleAfterwards();
        EXPECT_EQ(window->ProgressBar1->maximum(), 200);
    }
}

TEST_F(ResultImportTest, SmoothingLevelSetsTheSmoothingControls)
{
    struct Case {
        int before;            // Slider3 before the import
        const char* smoothing; // as in the file
        bool ticked;
        int slider;
        const char* label;
        bool locked; // the smoothing controls are disabled
    };
    const Case cases[] = {
        // Level 1 leaves the controls as they are.
        {3, "1", false, 3, "3", false},
        {1, "3", true, 3, "3", true},
        // The label shows the file's level until the slider's own handler shows the rounded one.
        {1, "2.5", true, 2, "2", true},
        {2, "2.5", true, 2, "2.5", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.smoothing + std::string(" after ") + std::to_string(c.before));
        window->Slider3->setEnabled(true);
        window->Slider3->setValue(c.before);
        ResultText file;
        file.smoothing = c.smoothing;
        // 500 rows fit the sliders at 100, which then stay, so no slider handler clears the section.
        file.steps = "500";
        importFile(file);

        EXPECT_TRUE(window->Drawn[2]);
        EXPECT_EQ(window->Check3->isChecked(), c.ticked);
        EXPECT_EQ(window->Slider3->value(), c.slider);
        EXPECT_EQ(window->Label4->text(), QString::fromLatin1(c.label));
        EXPECT_EQ(window->Slider3->isEnabled(), !c.locked);
        for (QWidget* control :
             std::initializer_list<QWidget*>{window->Check3, window->Label3, window->Label4, window->Label7})
            EXPECT_TRUE(!c.locked || !control->isEnabled()) << control->objectName().toStdString();
    }
}

TEST_F(ResultImportTest, ConfidenceViewOfAClassOnlySectionSaysSoOnceAndStillDraws)
{
    struct Case {
        bool confidence;
        double largest;
        bool legacyBefore;
        bool message;
        bool legacyAfter;
    };
    const Case cases[] = {
        {true, 3.0, false, true, true},
        {true, 3.5, false, false, false},
        {true, 4.0, true, false, true},
        {false, 3.0, true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.largest) + (c.confidence ? " confidence" : " probability"));
        window->Settings.legacyMatrix = false;
        window->Option1[c.confidence ? 1 : 0]->setChecked(true);
        window->Settings.legacyMatrix = c.legacyBefore;
        const std::size_t shownBefore = platform.messages.messages().size();
        ResultText file;
        file.steps = "500";
        file.cell = [&c](int i, int j) { return i == 100 && j == 2 ? c.largest : 2.25; };
        importFile(file);

        ASSERT_EQ(platform.messages.messages().size(), shownBefore + (c.message ? 1 : 0));
        if (c.message) {
            const auto& message = platform.messages.messages().back();
            EXPECT_EQ(message.text,
                      QStringLiteral("This diagram is constructed using Corvane 2.0 output file. "
                                     "Brimvale 2.1 cannot draw section."));
            EXPECT_EQ(message.title, QStringLiteral("Version information"));
            EXPECT_EQ(message.icon, Icon::Information);
        }
        EXPECT_EQ(window->Settings.legacyMatrix, c.legacyAfter);
        EXPECT_EQ(window->Settings.confidenceMode, c.confidence);
        EXPECT_EQ(window->Settings.probabilityMode, !c.confidence);
        EXPECT_EQ(window->Slider4->isEnabled(), !c.confidence);
        EXPECT_TRUE(window->Check4->isEnabled());
        EXPECT_TRUE(window->Drawn[2]);
        const QImage picture = window->Picture1[2]->surface().picture();
        ASSERT_FALSE(picture.isNull()) << "the cells are frozen";
        EXPECT_NE(picture.pixel(picture.width() / 2, picture.height() / 4), window->BackColor());
    }
}

TEST_F(ResultImportTest, RowsAreDrawnFromTheLastUpWhileTheBarCountsUp)
{
    constexpr int steps = 400;
    std::vector<int> values;
    std::vector<int> topmostDrawn;
    PictureBox& figure = *window->Picture1[2];
    QObject::connect(window->ProgressBar1, &QProgressBar::valueChanged, window.get(), [&](int value) {
        if (value <= 0)
            return;
        values.push_back(value);
        const QImage image = figure.surface().image().convertToFormat(QImage::Format_ARGB32);
        int top = image.height();
        for (int y = image.height() - 1; y >= 0; --y) {
            if (image.pixel(image.width() / 2, y) != window->BackColor())
                top = y;
        }
        topmostDrawn.push_back(top);
    });
    ResultText file;
    file.steps = std::to_string(steps);
    file.cell = [](int, int) { return 1.5; };
    importFile(file);

    ASSERT_TRUE(window->Drawn[2]);
    ASSERT_GE(values.size(), static_cast<std::size_t>(steps));
    const int height = figure.surface().image().height();
    for (int v = 1; v <= steps; ++v) {
        ASSERT_EQ(values[v - 1], v);
        // Before the bar shows v, rows steps - v + 1 to steps are drawn; row r starts at r / steps of the
        // height, and the last row lies below the figure.
        const double expectedTop = (steps - v + 1.0) * height / steps;
        ASSERT_NEAR(topmostDrawn[v - 1], std::min<double>(expectedTop, height), 1.0) << v;
    }
}

TEST_F(ResultImportTest, HostileFilesTakeTheAbandonStep)
{
    struct Case {
        const char* name;
        void (*change)(ResultText&);
        int steps;    // VerticalSteps afterwards
        int rowsKept; // rows of the file in the section afterwards; -1 for the section held before
    };
    const Case cases[] = {
        {"wrong first field", [](ResultText& f) { f.firstField = "\"Corvane output file\""; }, 2, -1},
        {"negative row count", [](ResultText& f) { f.steps = "-5"; }, 2, -1},
        {"row count beyond the file",
         [](ResultText& f) {
             f.steps = "32000";
             f.rowsWritten = 5;
         },
         2, -1},
        {"cell not a number", [](ResultText& f) { f.rowOverride = "abc,1,2"; }, 4, 1},
        {"missing rows",
         [](ResultText& f) {
             f.steps = "10";
             f.rowsWritten = 4;
         },
         10, 4},
        // The slider refuses the level before any row is taken over.
        {"smoothing beyond the slider", [](ResultText& f) { f.smoothing = "12"; }, 4, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        window->sectionMatrix = sectionOf(2, [](int, int) { return 7.0; });
        window->Drawn[2] = true;
        ResultText file;
        c.change(file);
        importFile(file);

        EXPECT_FALSE(window->Drawn[2]);
        if (c.rowsKept < 0)
            expectSectionRows(2, 3, [](int, int) { return 7.0; });
        else
            expectSectionRows(c.steps, c.rowsKept, packedCell);
        if (c.rowsKept > 0) {
            for (int i = 0; i < Columns; ++i)
                ASSERT_EQ(window->axisValues[i], axisValue(i));
        }
        EXPECT_FALSE(window->Command3->isEnabled());
        EXPECT_TRUE(window->Label14[2]->text().isEmpty());
        EXPECT_TRUE(platform.messages.messages().empty());
        expectIdleAfterwards();
        EXPECT_TRUE(window->Command1[2]->isEnabled()) << "the import button is offered again";
    }
}

TEST_F(ResultImportTest, ASectionOfOneRowLoadsAndOpensInTheSectionView)
{
    ResultText file;
    file.steps = "0";
    importFile(file);

    ASSERT_TRUE(window->Drawn[2]);
    expectSectionRows(0, 1, packedCell);
    EXPECT_TRUE(window->Command3->isEnabled());

    window->Command3_Click();
    EXPECT_EQ(window->Command3->text(), QStringLiteral("OK"));
    window->Slider5->setValue(0);
    window->Command3_Click();
    EXPECT_EQ(window->Command3->text(), QStringLiteral("Show section"));
    expectIdleAfterwards();
}

TEST_F(ResultImportTest, ACellNoViewCanShowAbandonsTheDrawing)
{
    // A class beyond a Single's range fails in the confidence view, part way through the rows.
    window->Option1[1]->setChecked(true);
    ResultText file;
    file.cell = [](int i, int j) { return i == 50 && j == 1 ? -1e300 : 2.5; };
    importFile(file);

    EXPECT_FALSE(window->Drawn[2]);
    expectSectionRows(4, 5, file.cell);
    EXPECT_EQ(platform.pointer.current(), Pointer::Default);
    EXPECT_TRUE(window->ProgressBar1->updatesEnabled()) << "the bar paints itself again";
}

TEST_F(ResultImportTest, ACancelledDialogClearsTheSectionQuietly)
{
    window->sectionMatrix = sectionOf(2, packedCell);
    window->Drawn[2] = true;
    platform.dialogBackend.queueFileCancel();
    window->Command1[2]->click();
    EXPECT_FALSE(window->Drawn[2]);
    expectSectionRows(2, 3, packedCell);
    EXPECT_TRUE(platform.messages.messages().empty());
    EXPECT_EQ(platform.pointer.current(), Pointer::Default);
}

// Records the calls like the recording window and runs the reader and the sliders' own handlers.
class ImportingWindow : public test::RecordingMainWindow {
public:
    using RecordingMainWindow::RecordingMainWindow;

    void ReadResultFile() override
    {
        calls.push_back("ReadResultFile");
        MainWindow::ReadResultFile();
    }
    void Slider1_Change() override
    {
        calls.push_back("Slider1_Change");
        MainWindow::Slider1_Change();
    }
    void Slider2_Change() override
    {
        calls.push_back("Slider2_Change");
        MainWindow::Slider2_Change();
    }
};

using ResultImportOrderTest = ResultsFixture<ImportingWindow>;

TEST_F(ResultImportOrderTest, ControlsSetByTheImportRunTheirHandlersNested)
{
    ResultText file;
    file.steps = "1000";
    file.smoothing = "3";
    const QString path = writeFile(QStringLiteral("result.csv"), QByteArray::fromStdString(file.text()));
    platform.dialogBackend.queueFile(path);
    window->takeCalls();

    window->BeginResultImport();
    window->ReadResultFile();

    EXPECT_EQ(
        window->takeCalls(),
        (Calls{"BeginResultImport", "ReadResultFile", "Check3_Click", "ClearSectionFigure", "Slider3_Change",
               "Slider1_Change", "ClearSectionFigure", "ClearDataFigure", "ClearProbabilityFigure",
               "Slider5_Change", "DrawModeCurves", "DrawAverageCurves", "Text1_Change", "Text2_Change"}));
    EXPECT_TRUE(window->Drawn[2]);
    // The sliders fit the 1000 rows, and the row slider starts a third of the way down.
    EXPECT_EQ(window->Slider1->value(), 50);
    EXPECT_EQ(window->Slider5->value(), 333);
    // The width slider's handler, nested, clears the section figure; the file's titles stay.
    EXPECT_FALSE(window->Label14[2]->text().isEmpty());
}

} // namespace
} // namespace brimvale
