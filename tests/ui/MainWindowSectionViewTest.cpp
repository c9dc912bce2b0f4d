// The section view of the main window: entering and leaving it, the row slider with its panels and
// marker, the printed row summary, and the profile matrix of single-kind matrices.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidgetItem>
#include <QPushButton>
#include <QSlider>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "engine/RowSummary.h"
#include "render/RowSummaryBlock.h"
#include "support/CorvaneFileBuilder.h"
#include "ui/DriveList.h"
#include "ui/FileList.h"
#include "ui/FolderList.h"
#include "ui/MainWindowFixture.h"
#include "ui/PictureBox.h"
#include "ui/ShapeFrame.h"
#include "ui/TwipsGeometry.h"

namespace brimvale {
namespace {

using test::CorvaneFileBuilder;
using Pointer = MousePointer::Pointer;

constexpr QRgb White = 0xffffffff;
constexpr QRgb Red = 0xffff0000;
constexpr QRgb Blue = 0xff0000ff;

// Shape1, the frame of the printed block (twips on the window).
constexpr double BlockLeft = 10320;
constexpr double BlockTop = 840;
constexpr double BlockWidth = 1695;
constexpr double BlockHeight = 4575;

QImage imageOf(const DrawingSurface& surface)
{
    return surface.image().convertToFormat(QImage::Format_ARGB32);
}

int pixelsOf(const PictureBox& box, QRgb colour)
{
    const QImage image = imageOf(box.surface());
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == colour ? 1 : 0;
    }
    return count;
}

int pixelsOtherThan(const PictureBox& box, QRgb colour)
{
    const QImage image = imageOf(box.surface());
    return image.width() * image.height() - pixelsOf(box, colour);
}

// The pixel rows of the figure that are red from edge to edge: the row marker.
std::vector<int> markerRows(const PictureBox& figure)
{
    const QImage image = imageOf(figure.surface());
    std::vector<int> rows;
    for (int y = 0; y < image.height(); ++y) {
        bool full = true;
        for (int x = 0; x < image.width() && full; ++x)
            full = image.pixel(x, y) == Red;
        if (full)
            rows.push_back(y);
    }
    return rows;
}

// The part of a surface of the window's size that Shape1 frames.
QImage blockPart(const DrawingSurface& surface)
{
    const QPointF topLeft = surface.toDevice(BlockLeft, BlockTop);
    const QPointF bottomRight = surface.toDevice(BlockLeft + BlockWidth, BlockTop + BlockHeight);
    return imageOf(surface).copy(QRectF(topLeft, bottomRight).toAlignedRect());
}

// The block printed for the text, alone on an empty window layer.
QImage expectedBlock(const MainWindow& window, const RowSummaryText& text)
{
    DrawingSurface reference(window.FormSurface->surface().size());
    reference.filledBox(0, 0, reference.scaleWidth(), reference.scaleHeight(), window.BackColor());
    printRowSummaryBlock(rowSummaryBlock(text, BlockLeft, BlockTop, BlockHeight), reference);
    return blockPart(reference);
}

// Row h of the test section is a bell around column centre(h): the input column, the mode there, class
// 2 within 10 columns, class 1 within 20, and the average 2 columns right of the mode.
int centre(int h)
{
    return 60 + 8 * h;
}

// What the window must print for row h of the test section on the axis 0 to 200, where column j has
// the value j and the axis values are j + 0.25.
RowSummaryText bellText(int h)
{
    const int c = centre(h);
    RowSummaryText text;
    text.inputValue = std::to_string(c) + ".25";
    text.coefficient1 = "C = 95%";
    text.coefficient2 = "C = 68%";
    text.intervalLines[0] = {std::to_string(c - 10) + " - " + std::to_string(c + 10)};
    text.intervalLines[1] = {std::to_string(c - 20) + " - " + std::to_string(c + 20)};
    text.mode = std::to_string(c);
    text.average = std::to_string(c + 2);
    return text;
}

class SectionViewTest : public test::MainWindowFixture {
protected:
    static constexpr std::int16_t Steps = 10;

    void SetUp() override { buildSection(Steps); }

    // A calibrated section of the packed kind, as "Calibrate" leaves it, with a data curve and a matrix.
    void buildSection(std::int16_t steps)
    {
        MainWindow& w = *window;
        // Typed before the flags are set, so the range boxes' handlers only copy them to the section axis.
        w.Text1->setText(QStringLiteral("100"));
        w.Text2->setText(QStringLiteral("0"));
        for (int i : {1, 3}) {
            w.Label1[i]->setText(QStringLiteral("0"));
            w.Label2[i]->setText(QStringLiteral("200"));
        }
        for (int j = 0; j <= 200; ++j)
            w.axisValues[static_cast<std::size_t>(j)] = static_cast<float>(j) + 0.25f;
        w.Settings.confidenceCoefficient1 = NumberOrText::fromNumber(95);
        w.Settings.confidenceCoefficient2 = NumberOrText::fromNumber(68);

        w.sectionMatrix = SectionMatrix(steps);
        for (int h = 0; h <= steps; ++h) {
            const int c = centre(h);
            for (int j = 0; j <= 200; ++j) {
                const int d = std::abs(j - c);
                const double p = d < 25 ? 0.04 * (1.0 - d / 25.0) : 0.0;
                const double code = d <= 10 ? 2.0 : d <= 20 ? 1.0 : 0.0;
                w.sectionMatrix(1, j, h) = code + p;
            }
            w.sectionMatrix(1, c, h) = 3.0 + 0.04;
            w.sectionMatrix(1, c + 2, h) = -w.sectionMatrix(1, c + 2, h);
            w.sectionMatrix(0, c, h) = 1.0;
        }

        DataSeries& data = w.dataSeries;
        data.lastIndex = 10;
        for (int k = 0; k <= 10; ++k) {
            data.x[static_cast<std::size_t>(k)] = static_cast<float>(20 * k);
            data.y[static_cast<std::size_t>(k)] = static_cast<float>(10 * k);
        }
        data.horizontalMin = 0;
        data.horizontalMax = 200;
        data.verticalMin = 0;
        data.verticalMax = 100;

        for (PictureBox* figure : w.Picture1) {
            DrawingSurface& surface = figure->surface();
            surface.filledBox(0, 0, surface.scaleWidth(), surface.scaleHeight(), White);
            surface.freeze();
        }
        w.Drawn = {true, true, true};
        w.Command3->setEnabled(true);
    }

    void enterAt(int row)
    {
        window->Slider5->setValue(row);
        window->Command3_Click();
    }

    void expectBlock(const RowSummaryText& text)
    {
        EXPECT_TRUE(blockPart(window->FormSurface->surface()) == expectedBlock(*window, text));
    }
};

// ---- Entering and leaving ----------------------------------------------------------------------

TEST_F(SectionViewTest, EnteringHidesTheImportsAndShowsTheCalibrationPanel)
{
    enterAt(3);

    MainWindow& w = *window;
    EXPECT_EQ(w.Command3->text(), QStringLiteral("OK"));
    EXPECT_EQ(w.SavedSectionCaption, QStringLiteral("Show section"));
    for (QWidget* hidden : std::initializer_list<QWidget*>{w.Text1, w.Text2, w.Label1[2], w.Label2[2],
                                                           w.Slider1, w.Slider2, w.Frame1, w.Dir1, w.Drive1,
                                                           w.File1, w.Picture1[1], w.Command1[1], w.Command6})
        EXPECT_TRUE(hidden->isHidden()) << hidden->objectName().toStdString();
    for (QWidget* disabled :
         std::initializer_list<QWidget*>{w.Text1, w.Text2, w.Command1[0], w.Command1[2], w.Command2})
        EXPECT_FALSE(disabled->isEnabled()) << disabled->objectName().toStdString();
    for (QWidget* shown :
         std::initializer_list<QWidget*>{w.Slider5, w.Picture2, w.Picture3, w.Picture4, w.Label12})
        EXPECT_FALSE(shown->isHidden()) << shown->objectName().toStdString();

    EXPECT_EQ(w.Slider5->maximum(), Steps);
    EXPECT_EQ(w.Slider5->value(), 3);
    EXPECT_EQ(twipsGeometry(*w.Slider5).height, 5535.0 + 160.0);
    EXPECT_EQ(w.MarkedRow, 3);

    // The marker of row 3 stands at 840 + 5535 * 3 / 10 = 2500.5 twips; the panels stand on it.
    EXPECT_DOUBLE_EQ(twipsGeometry(*w.Picture2).top, 2500.5 - 615);
    EXPECT_DOUBLE_EQ(twipsGeometry(*w.Picture3).top, 2500.5 - 615);
    EXPECT_DOUBLE_EQ(twipsGeometry(*w.Picture4).top, 2500.5 - 615 - 615);
    EXPECT_DOUBLE_EQ(twipsGeometry(*w.Command6).top, 2500.5 - 615);
    EXPECT_DOUBLE_EQ(twipsGeometry(*w.Label1[1]).top, 2500.5 + 105);
    EXPECT_DOUBLE_EQ(twipsGeometry(*w.Label2[1]).top, 2500.5 + 105);
    EXPECT_EQ(twipsGeometry(*w.Picture3).left, 4440.0 + 2175.0 + 60.0);
    // Label12: 720 + 5535 * 3 / 10 down, as far left of the data figure as Label1(4) is of the section.
    EXPECT_DOUBLE_EQ(twipsGeometry(*w.Label12).top, 720 + 1660.5);
    EXPECT_EQ(twipsGeometry(*w.Label12).left, 6600.0 - (7440.0 - 1440.0));
    EXPECT_EQ(w.Label12->text(), QStringLiteral("30"));

    // The row's profile, scale, intervals and marker are drawn.
    EXPECT_GT(pixelsOf(*w.Picture2, Blue), 0);
    EXPECT_EQ(pixelsOf(*w.Picture3, White), 0);
    EXPECT_GT(pixelsOf(*w.Picture4, 0xff000000), 0);
    EXPECT_EQ(markerRows(*w.Picture1[0]).size(), 1u);
    expectBlock(bellText(3));

    // The confidence kind has no colour scale.
    w.Command3_Click();
    w.Settings.confidenceMode = true;
    enterAt(3);
    EXPECT_TRUE(w.Picture3->isHidden());
    EXPECT_FALSE(w.Picture2->isHidden());
    EXPECT_FALSE(w.Picture4->isHidden());
}

TEST_F(SectionViewTest, LeavingRestoresEveryControl)
{
    struct State {
        bool hidden;
        bool enabled;
        TwipsRect place;
        QString text;
    };
    const auto snapshot = [this] {
        std::map<QString, State> states;
        for (QWidget* control : window->findChildren<QWidget*>()) {
            const QWidget* parent = control->parentWidget();
            if (control->objectName().isEmpty() || parent == nullptr ||
                (parent != window->FormSurface && parent != window->Frame1))
                continue;
            QString text;
            if (const auto* label = qobject_cast<QLabel*>(control))
                text = label->text();
            else if (const auto* button = qobject_cast<QAbstractButton*>(control))
                text = button->text();
            else if (const auto* box = qobject_cast<QLineEdit*>(control))
                text = box->text();
            states[control->objectName()] = {control->isHidden(), control->isEnabled(),
                                             twipsGeometry(*control), text};
        }
        return states;
    };
    window->Text1->setEnabled(true);
    window->Text2->setEnabled(true);
    window->Slider5->setValue(3);
    const std::map<QString, State> before = snapshot();

    window->Command3_Click();
    window->Slider5->setValue(6);
    window->Command3_Click();

    const std::map<QString, State> after = snapshot();
    ASSERT_EQ(after.size(), before.size());
    for (const auto& [name, was] : before) {
        SCOPED_TRACE(name.toStdString());
        const State& now = after.at(name);
        // The row slider and the interval panel belong to the section view and end hidden.
        if (name == QStringLiteral("Slider5") || name == QStringLiteral("Picture4")) {
            EXPECT_TRUE(now.hidden);
            continue;
        }
        EXPECT_EQ(now.hidden, was.hidden);
        EXPECT_EQ(now.enabled, was.enabled);
        if (!now.hidden) {
            EXPECT_EQ(now.place, was.place);
        }
        if (name != QStringLiteral("Label12")) {
            EXPECT_EQ(now.text, was.text);
        }
    }

    // The marker and the text block are gone.
    EXPECT_TRUE(markerRows(*window->Picture1[0]).empty());
    EXPECT_TRUE(markerRows(*window->Picture1[2]).empty());
    const QImage block = blockPart(window->FormSurface->surface());
    QImage empty(block.size(), QImage::Format_ARGB32);
    empty.fill(window->BackColor());
    EXPECT_TRUE(block == empty);
}

TEST_F(SectionViewTest, LeavingWithoutAMatrixEmptiesTheProfileAxisAndOffersCalibrationOnlyWithoutASection)
{
    window->Drawn[1] = false;
    window->Settings.probabilityMode = true;
    window->Label1[1]->clear();
    window->Label2[1]->clear();
    enterAt(3);

    // The section's axis ends stand under the row profile.
    EXPECT_EQ(window->Label1[1]->text(), QStringLiteral("0"));
    EXPECT_EQ(window->Label2[1]->text(), QStringLiteral("200"));

    window->Command3_Click();

    EXPECT_TRUE(window->Label1[1]->text().isEmpty());
    EXPECT_TRUE(window->Label2[1]->text().isEmpty());
    EXPECT_FALSE(window->Command2->isEnabled());
    EXPECT_EQ(twipsGeometry(*window->Label1[1]).top, 840.0 + 2175.0 + 105.0);
}

TEST_F(SectionViewTest, AOneRowSectionEntersWithoutACrash)
{
    buildSection(0);
    window->Slider5->setValue(50);

    window->Command3_Click();

    EXPECT_EQ(window->Slider5->maximum(), 0);
    EXPECT_EQ(window->Slider5->value(), 0);
    // Its row stands at the top of the data figure.
    EXPECT_EQ(twipsGeometry(*window->Picture2).top, 840.0 - 615.0);
    EXPECT_EQ(window->Label12->text(), QStringLiteral("0"));
    EXPECT_GT(pixelsOf(*window->Picture2, Blue), 0);
    EXPECT_TRUE(markerRows(*window->Picture1[0]).empty());
    expectBlock(bellText(0));

    window->Slider5_Change();
    window->Command3_Click();
    EXPECT_EQ(window->Command3->text(), QStringLiteral("Show section"));
}

// ---- The row slider -----------------------------------------------------------------------------

TEST_F(SectionViewTest, MovingTheSliderMovesThePanelsTheMarkerAndTheBlock)
{
    enterAt(3);

    window->Slider5->setValue(6);

    MainWindow& w = *window;
    // 840 + 5535 * 6 / 10 = 4161.
    EXPECT_DOUBLE_EQ(twipsGeometry(*w.Picture2).top, 4161.0 - 615);
    EXPECT_DOUBLE_EQ(twipsGeometry(*w.Picture4).top, 4161.0 - 1230);
    EXPECT_DOUBLE_EQ(twipsGeometry(*w.Label12).top, 720 + 3321.0);
    EXPECT_EQ(w.Label12->text(), QStringLiteral("60"));
    EXPECT_FALSE(w.Label12->isHidden());
    EXPECT_EQ(w.MarkedRow, 6);

    // One marker, at six tenths of each figure.
    for (const PictureBox* figure : {w.Picture1[0], w.Picture1[2]}) {
        SCOPED_TRACE(figure->objectName().toStdString());
        const std::vector<int> rows = markerRows(*figure);
        ASSERT_EQ(rows.size(), 1u);
        const double expected = imageOf(figure->surface()).height() * 0.6;
        EXPECT_NEAR(rows.front(), expected, 1.0);
    }
    // The block of row 6 alone: the block of row 3 was erased first.
    expectBlock(bellText(6));
    EXPECT_EQ(w.focusWidget(), w.Command3);
}

TEST_F(SectionViewTest, NoMarkerAtTheSliderEndsButTheRowIsStillSummarised)
{
    for (int end : {0, static_cast<int>(Steps)}) {
        SCOPED_TRACE(end);
        enterAt(5);
        ASSERT_EQ(markerRows(*window->Picture1[0]).size(), 1u);

        window->Slider5->setValue(end);

        EXPECT_TRUE(markerRows(*window->Picture1[0]).empty());
        EXPECT_EQ(window->MarkedRow, 5);
        EXPECT_TRUE(window->Label12->isHidden());
        EXPECT_GT(pixelsOf(*window->Picture2, Blue), 0);
        expectBlock(bellText(end));

        window->Command3_Click();
    }
}

TEST_F(SectionViewTest, DraggingMovesOnlyThePanelsUntilTheThumbIsReleased)
{
    // Outside the view a drag leaves the panels and the figure labels alone.
    const double pictureTop = twipsGeometry(*window->Picture4).top;
    const double labelTop1 = twipsGeometry(*window->Label1[1]).top;
    window->Slider5->setSliderDown(true);
    window->Slider5->setSliderPosition(8);
    window->Slider5->setSliderDown(false);
    EXPECT_EQ(twipsGeometry(*window->Picture4).top, pictureTop);
    EXPECT_EQ(twipsGeometry(*window->Label1[1]).top, labelTop1);
    EXPECT_TRUE(window->Picture2->isHidden());

    enterAt(3);
    const double labelTop = twipsGeometry(*window->Label12).top;

    window->Slider5->setSliderDown(true);
    window->Slider5->setSliderPosition(8);

    // 840 + 5535 * 8 / 10 = 5268.
    EXPECT_DOUBLE_EQ(twipsGeometry(*window->Picture2).top, 5268.0 - 615);
    EXPECT_DOUBLE_EQ(twipsGeometry(*window->Command6).top, 5268.0 - 615);
    EXPECT_EQ(twipsGeometry(*window->Label12).top, labelTop);
    EXPECT_EQ(window->Slider5->value(), 3);
    EXPECT_EQ(window->MarkedRow, 3);

    window->Slider5->setSliderDown(false);

    EXPECT_EQ(window->Slider5->value(), 8);
    EXPECT_EQ(window->MarkedRow, 8);
    EXPECT_DOUBLE_EQ(twipsGeometry(*window->Label12).top, 720 + 4428.0);
    expectBlock(bellText(8));
}

// ---- The printed block ------------------------------------------------------------------------

TEST_F(SectionViewTest, ValuesComeFromTheSectionsOwnAxis)
{
    // After a result file is read the probability figure's axis is empty; a different one must not count
    // either.
    window->Label1[1]->setText(QStringLiteral("-50"));
    window->Label2[1]->setText(QStringLiteral("150"));

    enterAt(4);

    expectBlock(bellText(4));
}

TEST_F(SectionViewTest, ANoisyRowPrintsTheIntervalsThatFitAndThenDots)
{
    // Row 2 flickers: every even column from 2 to 100 alone is inside both classes, 50 intervals each.
    for (int j = 0; j <= 200; ++j)
        window->sectionMatrix(1, j, 2) = (j % 2 == 0 && j >= 2 && j <= 100) ? 2.01 : 0.0;

    enterAt(2);

    RowSummaryText text;
    text.inputValue = std::to_string(centre(2)) + ".25";
    text.coefficient1 = "C = 95%";
    text.coefficient2 = "C = 68%";
    for (int j = 2; j <= 100; j += 2) {
        text.intervalLines[0].push_back(std::to_string(j) + " - " + std::to_string(j));
        text.intervalLines[1].push_back(std::to_string(j) + " - " + std::to_string(j));
    }
    text.mode = "Out of range";
    text.average = "Out of range";
    ASSERT_EQ(rowSummaryBlock(text, BlockLeft, BlockTop, BlockHeight).back().text, "...");
    expectBlock(text);
}

// ---- The profile matrix of single-kind matrices -------------------------------------------------

class ProfileMatrixTest : public SectionViewTest {
protected:
    static constexpr int Row = 3;

    void SetUp() override
    {
        SectionViewTest::SetUp();
        window->Settings.legacyMatrix = true;
        window->Settings.probabilityMode = true;
        enterAt(Row);
        window->Command6_Click();
    }

    // An older-layout probability matrix over the section's axis (row r has the value r) whose only
    // nonzero cell is value 0.04 at position `position` of row 60.
    static CorvaneFileBuilder profileFile(int position)
    {
        return CorvaneFileBuilder::probabilityMatrix()
            .axisValues([](int r) { return static_cast<float>(r); })
            .cells([position](int i, int j) { return i == 200 - position && j == 60 ? 0.04 : 0.0; });
    }

    void clickFile(const CorvaneFileBuilder& builder)
    {
        const QString path = folder.filePath(QStringLiteral("profile.csv"));
        builder.writeTo(QFileInfo(path).filesystemFilePath());
        window->File1->setPath(folder.path());
        const QList<QListWidgetItem*> found =
            window->File1->findItems(QStringLiteral("profile.csv"), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        window->Dir1->blockSignals(true);
        window->Dir1->setPath(folder.path());
        window->Dir1->blockSignals(false);
        found.first()->setSelected(true);
        window->File1_Click();
    }
};

TEST_F(ProfileMatrixTest, EnteringOffersTheProfileImportInsteadOfAProfile)
{
    window->CloseProbabilityMatrixBrowser();
    window->Command3_Click();
    enterAt(Row);

    EXPECT_FALSE(window->Command6->isHidden());
    EXPECT_EQ(twipsGeometry(*window->Command6).width, twipsGeometry(*window->Picture1[2]).width);
    EXPECT_EQ(window->focusWidget(), window->Command6);
    EXPECT_TRUE(window->Picture3->isHidden());
    EXPECT_FALSE(window->Picture4->isHidden());
    EXPECT_EQ(pixelsOf(*window->Picture2, Blue), 0);
    expectBlock(bellText(Row));
}

TEST_F(ProfileMatrixTest, AClickedFileDrawsTheColumnOfTheRowsInputValue)
{
    const int input = centre(Row);

    clickFile(profileFile(input));

    EXPECT_TRUE(window->ProfileLoaded);
    EXPECT_EQ(window->ProfileColumn, input);
    EXPECT_FLOAT_EQ(window->ProfileGrid[60 * 201 + static_cast<std::size_t>(input)], 0.04f);
    // One bar, at class 60, 0.04 * 20 = 0.8 of the panel tall.
    const QImage image = imageOf(window->Picture2->surface());
    int left = image.width();
    int right = -1;
    int top = image.height();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == Blue) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
            }
        }
    }
    ASSERT_GE(right, 0);
    EXPECT_EQ(left, right);
    EXPECT_NEAR(left, image.width() * 60.0 / 200.0, 1.0);
    EXPECT_NEAR(top, image.height() * 0.2, 1.0);
    EXPECT_EQ(platform.pointer.current(), Pointer::Default);
    EXPECT_EQ(window->focusWidget(), window->Command1[1]);
    expectBlock(bellText(Row));

    // A double click takes the profile and closes the browser; the import is not offered again.
    window->File1_DblClick();
    EXPECT_FALSE(window->ImportingProbabilityMatrix);
    EXPECT_TRUE(window->Command6->isHidden());
    EXPECT_TRUE(window->File1->isHidden());
}

TEST_F(ProfileMatrixTest, TheImportedGridDecidesTheKindAndTheSectionsAxisTheDrawing)
{
    struct Case {
        double gridMaximum; // largest cell of the imported calibration grid
        const char* kindText;
        float lastAxisValue; // of the profile file; the section's axis ends at 200
        bool loadedBefore;
        bool loadedAfter;
        bool drawn;
    };
    const Case cases[] = {
        {0.0, "Confidence", 200, false, true, true},  // no matrix imported: any kind text is taken
        {1.5, "Anything", 200, false, true, true},    // a grid of probabilities
        {3.0, "Probability", 200, false, true, true}, // a confidence grid, but the file says probabilities
        // Another axis blanks the panel drawn before and leaves the flag.
        {0.0, "Probability", 201, true, true, false},
        {3.0, "Confidence", 200, true, false, false},
        {2.0, "Confidence", 200, true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.kindText << " over a grid up to " << c.gridMaximum << ", axis to "
                                        << c.lastAxisValue);
        window->probabilityGrid.clear();
        window->probabilityGrid(17, 33) = c.gridMaximum;
        window->ProfileLoaded = c.loadedBefore;
        clickFile(profileFile(centre(Row)).kindText(c.kindText).axisValues([&c](int r) {
            return r == 200 ? c.lastAxisValue : static_cast<float>(r);
        }));

        EXPECT_EQ(window->ProfileLoaded, c.loadedAfter);
        EXPECT_EQ(pixelsOf(*window->Picture2, Blue) > 0, c.drawn);
        if (!c.drawn) {
            EXPECT_EQ(pixelsOtherThan(*window->Picture2, window->BackColor()), 0);
        }
        EXPECT_EQ(platform.pointer.current(), Pointer::Default);
    }
}

TEST_F(ProfileMatrixTest, FilesThatAreNoOlderLayoutMatrixTakeTheFailurePath)
{
    window->ProfileLoaded = true;
    clickFile(profileFile(centre(Row)).layout(CorvaneFileBuilder::Layout::Newer));

    EXPECT_FALSE(window->ProfileLoaded);
    EXPECT_EQ(pixelsOtherThan(*window->Picture2, window->BackColor()), 0);
    EXPECT_TRUE(platform.messages.messages().empty());

    // A click beside the names: the message, then the same failure path.
    window->ProfileLoaded = true;
    window->File1->clearSelection();
    window->File1_Click();

    ASSERT_EQ(platform.messages.messages().size(), 1u);
    EXPECT_EQ(platform.messages.messages()[0].text, QStringLiteral("Pleas chose file"));
    EXPECT_EQ(platform.messages.messages()[0].title, QStringLiteral("Brimvale"));
    EXPECT_FALSE(window->ProfileLoaded);
    EXPECT_EQ(platform.pointer.current(), Pointer::Default);

    // "OK" after the failure offers the import again.
    window->Command1_Click(1);
    EXPECT_FALSE(window->Command6->isHidden());
}

} // namespace
} // namespace brimvale
