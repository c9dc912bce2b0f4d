// The printed page: mapping, pens, dots and legend, what is printed where and in what order, and a PDF page.
#include <gtest/gtest.h>

#include <QFile>
#include <QPdfWriter>

#include <algorithm>
#include <iterator>

#include "print/PageComposition.h"
#include "print/PageMapping.h"
#include "print/PainterPrintPage.h"
#include "print/RecordingPrintPage.h"
#include "support/PdfStream.h"
#include "support/ScratchFolder.h"

namespace brimvale {
namespace {

using test::Calls;

TEST(PageMappingTest, ZoomScalesTheWindowAndDropsItsLeftStrip)
{
    EXPECT_EQ(PageMapping::forZoom(1.0)(QPointF(1000, 500)), QPointF(500, 1500));
    EXPECT_EQ(PageMapping::forZoom(0.5)(QPointF(1000, 500)), QPointF(250, 1250));
}

TEST(PenWidthTest, RoundsHalvesToEvenAndNeverBelowOnePixel)
{
    // At zoom 1: dots DotSize / 4, the running mean 2 DotSize / 3 and frames FrameThickness wide.
    const std::tuple<float, float, int, int, int> cases[] = {
        {6, 3, 2, 4, 3}, {5, 2.5f, 1, 3, 2}, {10, 3.5f, 2, 7, 4}, {1, 0, 1, 1, 1}};
    for (const auto& [dotSize, thickness, dot, mean, frame] : cases) {
        const PrintOptions o{dotSize, thickness, 1.0f, 10.0f, {}};
        EXPECT_EQ(std::tuple(dotWidth(o), runningMeanWidth(o), frameWidth(o)), std::tuple(dot, mean, frame));
    }
}

TEST(CellDotTest, ConfidenceClassesAndTheScreensProbabilityColours)
{
    // A probability cell below 1 is white on screen, so nothing on paper; 1.02 and 2.02 look up 0.4.
    ProgramSettings confidence, grey, probability;
    confidence.confidenceMode = grey.confidenceMode = probability.probabilityMode = true;
    grey.greyScale = true;
    const std::tuple<const ProgramSettings&, double, bool, std::optional<QRgb>> cases[] = {
        {confidence, 0.5, true, std::nullopt},         {confidence, 3.0, true, qRgb(255, 0, 0)},
        {confidence, 3.0, false, qRgb(200, 255, 200)}, {confidence, -2.5, true, qRgb(50, 127, 50)},
        {confidence, 1.5, true, qRgb(200, 255, 200)},  {grey, 3.0, true, qRgb(0, 0, 0)},
        {grey, 2.5, true, qRgb(100, 100, 100)},        {probability, 0.5, true, std::nullopt},
        {probability, 1.02, true, qRgb(170, 255, 0)},  {probability, -2.02, false, qRgb(170, 255, 0)}};
    for (const auto& [settings, cell, showMode, dot] : cases)
        EXPECT_EQ(cellDotColour(cell, settings, showMode), dot) << cell << " " << settings.greyScale;
}

// The window's layout, two axis labels, a record of three points, a cell in the matrix and in a section.
class PageTest : public ::testing::Test {
protected:
    ProgramSettings settings;
    DataSeries data;
    ProbabilityGrid grid;
    SectionMatrix section{4};
    PageSnapshot snapshot;

    PageTest()
    {
        snapshot.figures = {QRectF(1440, 840, 2175, 5535), QRectF(4440, 840, 2175, 2175),
                            QRectF(7440, 840, 2175, 5535)};
        snapshot.slider2Height = 5700;
        snapshot.drawn = {true, true, true};
        snapshot.horizontalAxisLabels = {{QRectF(1440, 6480, 735, 255), "0"}};
        snapshot.verticalAxisLabels = {{QRectF(3600, 2880, 345, 255), "20"}};
        snapshot.fileNames = {"/d/core.csv", "/d/matrix.csv", "/d/section.csv"};
        snapshot.horizontalTitles = {"Quercus (%)", "July (C)", "July (C)"};
        snapshot.verticalTitles = {"Depth (cm)", "Quercus (%)", "Depth"};
        snapshot.smoothing = true;
        snapshot.smoothingLevel = "3";
        snapshot.coefficients = {"68", "95"};
        std::tie(snapshot.settings, snapshot.data, snapshot.grid, snapshot.section) =
            std::tuple(&settings, &data, &grid, &section);
        settings.confidenceMode = true;
        settings.printOptions.title = "Core 7";
        data.lastIndex = 2;
        data.horizontalMax = 10;
        data.verticalMax = 100;
        data.x = {0, 5, 10};
        data.y = {0, 50, 120};
        grid(0, 200) = 2.5;
        section(1, 200, 4) = 1.5;
    }
};

TEST_F(PageTest, LegendNamesTheDataFigureThenTheProbabilityOrElseTheSectionFigureThenTheSettings)
{
    const Calls figures[] = {{"Figure 1", "  File: /d/core.csv", "  X: Quercus (%)", "  Y: Depth (cm)"},
                             {"Figure 2", "  File: /d/matrix.csv", "  X: July (C)", "  Y: Quercus (%)"},
                             {"Figure 3", "  File: /d/section.csv", "  X: July (C)", "  Y: Depth"}};
    settings.zEnhancement = 0.57f;
    // Drawn(0), Drawn(1) and Drawn(2): the figures named.
    for (const std::string drawn :
         {"000:", "100:1", "010:2", "001:3", "110:12", "101:13", "011:2", "111:12"}) {
        snapshot.drawn = {drawn[0] == '1', drawn[1] == '1', drawn[2] == '1'};
        Calls expected;
        for (const char k : drawn.substr(4))
            expected.insert(expected.end(), figures[k - '1'].begin(), figures[k - '1'].end());
        expected.insert(expected.end(), {"", "Smoothing level (Number of averaged horizons):  3",
                                         "Confidence coefficient 1:  68", "Confidence coefficient 2:  95",
                                         "Z-axis enhancement:  57 %"});
        Calls printed; // detail lines indented
        for (const LegendLine& line : legendLines(snapshot))
            printed.push_back((line.detail ? "  " : "") + line.text.toStdString());
        EXPECT_EQ(printed, expected) << drawn;
    }
}

TEST_F(PageTest, PrintsCurveDotsFramesLabelsAndLegendInThatOrderAtMappedPlaces)
{
    test::RecordingPrintPage page;
    composePage(snapshot, page);
    std::string kinds; // of the calls in order, a run of one kind written once
    for (const std::string& call : page.calls)
        if (kinds.empty() || kinds.back() != call[0])
            kinds += call[0];
    EXPECT_EQ(kinds, "WLDWBWFTE");
    EXPECT_EQ(page.of('W'), (Calls{"2", "3", "2"}));
    // Only the segment whose points both lie in the vertical range 0 to 100: (0, 0) to (5, 50).
    EXPECT_EQ(page.of('L'), (Calls{"940,1840 2027.5,4607.5 #0000ff"}));
    // Grid cell (0, 200) at the probability figure's top left, section cell (200, 4) at its bottom right.
    EXPECT_EQ(page.of('D'), (Calls{"3940,1840 #327f32", "9115,7375 #c8ffc8"}));
    // 3 * 3 twips outside the data figure's mapped rectangle (940, 1840)-(3115, 7375).
    EXPECT_EQ(page.of('B').front(), "931,1831 3124,7384 #7f7f7f");
    // "20" ends at its label's right edge, "0" is centred on its label (10.8 twips per character and point);
    // the legend starts a fifth of Slider2's height below the data figure.
    const Calls texts = page.of('T');
    EXPECT_EQ(Calls(texts.begin(), texts.begin() + 5),
              (Calls{"940,1000 Core 7", "3229,3880 20", "1253.5,7480 0", "940,8515 Figure 1",
                     "1000,8765 File: /d/core.csv"}));
}

TEST_F(PageTest, TheSectionViewPrintsItsPanelsMarkerAndTextBlockInsteadOfTheProbabilityFigure)
{
    snapshot.probabilityFigureShown = false;
    PageSectionView& view = snapshot.sectionView.emplace();
    view.profilePanel = QRectF(4440, 3000, 2175, 615);
    view.summaryFrame = QRectF(10320, 840, 1695, 4575);
    view.markerFraction = 0.5;
    view.profile.emplace()[100] = 0.025f; // half the panel's height at enhancement 1
    test::RecordingPrintPage page;
    composePage(snapshot, page);
    EXPECT_EQ(page.of('D'), (Calls{"9115,7375 #c8ffc8"}));
    // The data curve, bar 100 of the profile, and the marker across the section and the data figure.
    EXPECT_EQ(page.of('L'), (Calls{"940,1840 2027.5,4607.5 #0000ff", "5027.5,4615 5027.5,4307.5 #0000ff",
                                   "6940,4607.5 9115,4607.5 #ff0000", "940,4607.5 3115,4607.5 #ff0000"}));
    EXPECT_EQ(page.of('B').size(), 3u); // the data and section figures and the row profile
    // The text block where the window prints it, 120 twips inside Shape1, in bold.
    const auto heading = std::ranges::find(page.calls, "T 9940,1960 Input value");
    ASSERT_NE(heading, page.calls.end());
    EXPECT_EQ(*std::prev(heading), "F 10 bold");
}

TEST(PainterPrintPageTest, DrawsInTwipsWithPensInPrinterPixels)
{
    test::ScratchFolder folder; // 1200 PDF units an inch: a twip is 5/6 of one, a printer pixel 4
    const QString file = QString::fromStdString(folder.file("page.pdf").string());
    {
        QPdfWriter writer(file);
        PainterPrintPage page(writer, QStringLiteral("Arial"));
        page.setDrawWidth(2);
        page.dot(QPointF(1440, 1440), qRgb(255, 0, 0));
        page.setDrawWidth(3);
        page.box(QRectF(720, 720, 1440, 1440), qRgb(127, 127, 127));
        page.setFont(10, true);
        page.text(QPointF(1440, 2880), QStringLiteral("Core 7"));
        page.endDocument();
    }
    QFile pdf(file);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_EQ(bytes.count("/Type /Page\n"), 1);
    const QByteArray contents = test::firstPdfStream(bytes);
    EXPECT_TRUE(contents.contains("1 0 0 scn\n/GSa gs\n1196 1196 8 8 re\nf")) << contents.toStdString();
    EXPECT_TRUE(contents.contains("12 w 1 J 2 M 0 j []0  d\n600 600 1200 1200 re\nS") &&
                contents.contains("Tj"));
}

} // namespace
} // namespace brimvale
