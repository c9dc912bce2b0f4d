// The panels of the section view: row profile bars, interval bars and the text block.
#include <gtest/gtest.h>

#include "render/RowIntervalPanel.h"
#include "render/RowProfile.h"
#include "render/RowSummaryBlock.h"
#include "render/SurfaceProbe.h"

namespace brimvale {
namespace {

using namespace test;

TEST(RowProfileTest, BarsStandOnTheBottomTwentyTimesTheProbabilityHigh)
{
    // 200 x 100 pixels: class j stands on pixel column j; a height of 1 (probability 0.05) fills the panel,
    // a taller bar is cut by the top edge, a zero bar lies below the panel. The profile is drawn one pixel
    // wide over whatever the panel held.
    DrawingSurface panel = whiteSurface(200, 100, 1.0, qRgb(7, 7, 7));
    panel.setDrawWidth(3);
    ProfileBars bars{};
    bars[100] = 0.025f;
    bars[20] = 0.2f;
    bars[150] = 0.0025f;
    drawRowProfile(bars, 1.0f, false, panel);
    const Pixels blue = unite({block(100, 50, 100, 99), block(20, 0, 20, 99), block(150, 95, 150, 99)});
    EXPECT_TRUE(panel.drawWidth() == 1 && inkedPixels(panel.image()) == int(blue.size()));
    EXPECT_EQ(pixelsOf(panel.image(), Blue), blue);
    drawProfileBars(bars, 2.0f, true, panel);
    EXPECT_EQ(pixelsOf(panel.image(), Black),
              unite({block(100, 0, 100, 99), block(20, 0, 20, 99), block(150, 90, 150, 99)}));
    drawRowProfile(std::nullopt, 1.0f, false, panel); // a row without an input column: white only
    EXPECT_EQ(inkedPixels(panel.image()), 0);
}

TEST(RowIntervalPanelTest, BarsTicksAndMarks)
{
    // 200 x 40 pixels, 600 twips high, class j at pixel x = j: the bar of class 0 lies at 330 twips (pixel
    // 22), that of class 1 at 450 (pixel 30); ticks reach from 50 twips below a bar to 10 above it (pixels
    // 21..25 and 29..33), none at an end cut by the edge of the climate range; the mode and average lines
    // run from 530 to 230 twips (pixels 35 to 15), one pixel wide, the average over a mode of the same
    // column.
    RowSummary summary;
    summary.classes[0] = {{{60, 80}}, false, true};
    summary.classes[1] = {{{0, 10}, {50, 90}}, true, false};
    summary.modeMarks = {40, 100};
    summary.averageMarks = {100};
    DrawingSurface panel = whiteSurface(200, 40);
    panel.filledBox(0, 0, 3000, 600, qRgb(7, 7, 7)); // cleared first
    drawRowIntervals(summary, panel);
    const Pixels black =
        unite({block(60, 22, 80, 22), block(60, 21, 60, 25), block(0, 30, 10, 30), block(50, 30, 90, 30),
               block(10, 29, 10, 33), block(50, 29, 50, 33), block(90, 29, 90, 33)});
    EXPECT_EQ(pixelsOf(panel.image(), Black), black);
    EXPECT_EQ(inkedPixels(panel.image()), int(black.size()) + 2 * 21); // the rest is white
    panel.setDrawWidth(3); // the bars take the pen, the marks do not
    drawRowIntervals(summary, panel);
    EXPECT_EQ(panel.drawWidth(), 1);
    EXPECT_EQ(pixelsOf(panel.image(), Red), block(40, 15, 40, 35));
    EXPECT_EQ(pixelsOf(panel.image(), Blue), block(100, 15, 100, 35));
}

// The text of a row with an input value (unless left out) and the given numbers of interval lines.
RowSummaryText sampleText(int class0Lines, int class1Lines, bool withInput = true)
{
    RowSummaryText text{std::nullopt, "C = 95%", "C = 68%", {}, "14.6", "Out of range"};
    if (withInput)
        text.inputValue = "12.5";
    for (int k = 0; k < class0Lines + class1Lines; ++k)
        text.intervalLines[k < class0Lines ? 0 : 1].push_back(std::string("b").append(std::to_string(k)));
    return text;
}

// The block's lines for a rectangle at (1000, 2000) of the height, each as "text x,y", bold ones starred.
std::vector<std::string> blockLines(const RowSummaryText& text, double height)
{
    std::vector<std::string> lines;
    for (const SummaryLine& line : rowSummaryBlock(text, 1000, 2000, height))
        lines.push_back((line.bold ? "*" : "") + line.text + " " +
                        QString("%1,%2").arg(line.x).arg(QString::number(line.y, 'g', 8)).toStdString());
    return lines;
}

TEST(RowSummaryBlockTest, LinesTheirPlacesAndTheCutOfALongBlock)
{
    // Headings at left + 120, values at left + 180; the interval lines begin 1140 twips below the top, one
    // per 240 twips, and the lines after them move down with the numbers of intervals (here 1 and 2): by
    // 1.3, 2.3, 3.3, 4.6, 5.6, 6.9 and 7.9 lines.
    using Lines = std::vector<std::string>;
    EXPECT_EQ(blockLines(sampleText(1, 2), 5000),
              (Lines{"*Input value 1120,2120", "12.5 1120,2360", "*Calibrated value 1120,2660",
                     "C = 95% 1120,2900", "b0 1180,3140", "C = 68% 1120,3452", "b1 1180,3692", "b2 1180,3932",
                     "Mode 1120,4244", "14.6 1180,4484", "Average 1120,4796", "Out of range 1180,5036"}));
    EXPECT_EQ(blockLines(sampleText(0, 0, false), 5000)[1], "*Calibrated value 1120,2660"); // no input column
    // Too long for 3000 twips: of the 30 second-class lines at 1452 + 240 k below the top the first six
    // fit, and the sixth gives way to "..."; just tall enough for the whole block, no dots; a twip less, and
    // the average's heading gives way.
    Lines lines = blockLines(sampleText(0, 30), 3000);
    EXPECT_EQ(Lines(lines.begin() + 8, lines.end()),
              (Lines{"b3 1180,4172", "b4 1180,4412", "... 1180,4652"}));
    const double whole = 1140 + 240 * (30 + 4.9) + 240;
    EXPECT_EQ(blockLines(sampleText(0, 30), whole).back(), "Out of range 1180,11516");
    EXPECT_EQ(blockLines(sampleText(0, 30), whole - 1).back(), "... 1120,11276");
    EXPECT_TRUE(blockLines(sampleText(0, 30), 100).empty());
}

TEST(RowSummaryBlockTest, PrintingPutsEachLineBelowItsPlaceBoldAsSaid)
{
    // A line at (150, 3000) twips prints right of and below pixel (10, 200); a bold one has more ink.
    DrawingSurface window = whiteSurface(300, 300);
    printRowSummaryBlock({{"Mode", 150, 3000, false}}, window);
    const int plain = inkedPixels(window.image());
    EXPECT_TRUE(plain > 0 && inkedPixels(window.image(), {10, 200, 290, 20}) == plain);
    eraseRowSummaryBlock(window, QRectF(0, 0, 4500, 4500), White);
    EXPECT_EQ(inkedPixels(window.image()), 0);
    printRowSummaryBlock({{"Mode", 150, 3000, true}}, window);
    EXPECT_GT(inkedPixels(window.image(), {10, 200, 290, 20}), plain);
}

} // namespace
} // namespace brimvale
