// The printed page: the page mapping, pen widths, cell dots, the legend, and what is printed where and in
// what order, on a recording page.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "print/PageComposition.h"
#include "print/PageMapping.h"
#include "print/RecordingPrintPage.h"

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
    const struct {
        float dotSize, frameThickness;
        int dot, runningMean, frame;
    } cases[] = {{6, 3, 2, 4, 3}, {5, 2.5f, 1, 3, 2}, {10, 3.5f, 2, 7, 4}, {1, 0, 1, 1, 1}};
    for (const auto& c : cases) {
        const PrintOptions options{c.dotSize, c.frameThickness, 1.0f, 10.0f, {}};
        EXPECT_EQ(std::make_tuple(dotWidth(options), runningMeanWidth(options), frameWidth(options)),
                  std::make_tuple(c.dot, c.runningMean, c.frame))
            << c.dotSize << " " << c.frameThickness;
    }
}

TEST(CellDotTest, ConfidenceClassesAndTheScreensProbabilityColours)
{
    ProgramSettings confidence, grey, probability;
    confidence.confidenceMode = grey.confidenceMode = probability.probabilityMode = true;
    grey.greyScale = true;
    // A probability cell below 1 is white on screen, so nothing on paper; 1.02 and 2.02 both look up
    // 20 * 0.02 on the ramp.
    const struct {
        const ProgramSettings* settings;
        double cell;
        bool showMode;
        std::optional<QRgb> dot;
    } cases[] = {
        {&confidence, 0.5, true, std::nullopt},         {&confidence, 3.0, true, qRgb(255, 0, 0)},
        {&confidence, 3.0, false, qRgb(200, 255, 200)}, {&confidence, -2.5, true, qRgb(50, 127, 50)},
        {&confidence, 1.5, true, qRgb(200, 255, 200)},  {&grey, 3.0, true, qRgb(0, 0, 0)},
        {&grey, 2.5, true, qRgb(100, 100, 100)},        {&probability, 0.5, true, std::nullopt},
        {&probability, 1.02, true, qRgb(170, 255, 0)},  {&probability, -2.02, false, qRgb(170, 255, 0)}};
    for (const auto& c : cases)
        EXPECT_EQ(cellDotColour(c.cell, *c.settings, c.showMode), c.dot)
            << c.cell << " " << c.settings->greyScale;
}

// The window's design layout with two axis labels, a record of three points, and one coloured cell in
// the matrix and in a section of four rows.
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
        snapshot.horizontalAxisLabels = {{QRectF(1440, 6480, 735, 255), QStringLiteral("0")}};
        snapshot.verticalAxisLabels = {{QRectF(3600, 2880, 345, 255), QStringLiteral("20")}};
        snapshot.settings = &settings;
        snapshot.data = &data;
        snapshot.grid = &grid;
        snapshot.section = &section;
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

    // The legend as printed, detail lines indented.
    Calls legend() const
    {
        Calls lines;
        for (const LegendLine& line : legendLines(snapshot))
            lines.push_back((line.detail ? "  " : "") + line.text.toStdString());
        return lines;
    }
};

TEST_F(PageTest, LegendNamesTheDataFigureThenTheProbabilityOrElseTheSectionFigure)
{
    // Drawn(0), Drawn(1) and Drawn(2), and the figures named.
    const std::pair<std::string, std::string> cases[] = {
        {"000", ""},         {"100", "Figure 1"},          {"010", "Figure 2"},
        {"001", "Figure 3"}, {"110", "Figure 1 Figure 2"}, {"101", "Figure 1 Figure 3"},
        {"011", "Figure 2"}, {"111", "Figure 1 Figure 2"}};
    for (const auto& [drawn, named] : cases) {
        snapshot.drawn = {drawn[0] == '1', drawn[1] == '1', drawn[2] == '1'};
        std::string figures;
        for (const std::string& line : legend())
            if (line.starts_with("Figure"))
                figures += (figures.empty() ? "" : " ") + line;
        EXPECT_EQ(figures, named) << drawn;
    }
}

TEST_F(PageTest, LegendListsEachFigureAndTheSettingsWithTwoBlanksAfterTheLabels)
{
    snapshot.drawn = {true, false, true};
    snapshot.fileNames = {QStringLiteral("/d/core.csv"), {}, QStringLiteral("/d/section.csv")};
    snapshot.horizontalTitles = {QStringLiteral("Quercus (%)"), {}, QStringLiteral("July (deg C)")};
    snapshot.verticalTitles = {QStringLiteral("Depth (cm)"), {}, QStringLiteral("Depth")};
    snapshot.smoothing = true;
    snapshot.smoothingLevel = QStringLiteral("3");
    snapshot.coefficients = {QStringLiteral("68"), QStringLiteral("95")};
    settings.zEnhancement = 0.57f;
    EXPECT_EQ(legend(),
              (Calls{"Figure 1", "  File: /d/core.csv", "  X: Quercus (%)", "  Y: Depth (cm)", "Figure 3",
                     "  File: /d/section.csv", "  X: July (deg C)", "  Y: Depth", "",
                     "Smoothing level (Number of averaged horizons):  3", "Confidence coefficient 1:  68",
                     "Confidence coefficient 2:  95", "Z-axis enhancement:  57 %"}));
}

TEST_F(PageTest, PrintsCurveDotsFramesLabelsAndLegendInThatOrderAtMappedPlaces)
{
    test::RecordingPrintPage page;
    composePage(snapshot, page);
    EXPECT_EQ(page.outline(), "WLDWBWFTE");
    EXPECT_EQ(page.of('W'), (Calls{"2", "3", "2"}));
    // Only the segment whose points both lie in the vertical range 0 to 100: (0, 0) to (5, 50).
    EXPECT_EQ(page.of('L'), (Calls{"940,1840 2027.5,4607.5 #0000ff"}));
    // Grid cell (0, 200) at the probability figure's top left, section cell (200, 4) at its bottom right.
    EXPECT_EQ(page.of('D'), (Calls{"3940,1840 #327f32", "9115,7375 #c8ffc8"}));
    // 3 * 3 twips outside the data figure's mapped rectangle (940, 1840)-(3115, 7375).
    EXPECT_EQ(page.of('B').front(), "931,1831 3124,7384 #7f7f7f");
    // The title; "20" ends at its label's right edge and "0" is centred on its label, at 10.8 twips per
    // character and point; the legend starts a fifth of Slider2's height below the data figure.
    const Calls texts = page.of('T');
    EXPECT_EQ(
        Calls(texts.begin(), texts.begin() + 5),
        (Calls{"940,1000 Core 7", "3229,3880 20", "1253.5,7480 0", "940,8515 Figure 1", "1000,8765 File: "}));
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

} // namespace
} // namespace brimvale
