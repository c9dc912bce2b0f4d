// The panels of the section view: row profile bars, interval bars, the row marker and the text block.
#include <gtest/gtest.h>

#include "render/RowIntervalPanel.h"
#include "render/RowMarker.h"
#include "render/RowProfile.h"
#include "render/RowSummaryBlock.h"
#include "render/SurfaceProbe.h"
#include "support/Tolerance.h"

namespace brimvale {
namespace {

using namespace test;

TEST(RowProfileTest, BarsStandOnTheBottomTwentyTimesTheProbabilityHigh)
{
    // 200 x 100 pixels: class j stands on pixel column j; a height of 1 (probability 0.05) fills the panel,
    // a taller bar is cut by the top edge, a zero bar lies below the panel.
    DrawingSurface panel = whiteSurface(200, 100);
    panel.filledBox(0, 0, 3000, 1500, qRgb(7, 7, 7));
    panel.setDrawWidth(3);
    int immediateRepaints = 0;
    panel.setChangeListener(
        [&](DrawingSurface::Repaint r) { immediateRepaints += r == DrawingSurface::Repaint::Now; });
    drawRowProfile(std::nullopt, 1.0f, false, panel); // a row without an input column: white only
    EXPECT_TRUE(immediateRepaints == 1 && panel.drawWidth() == 1 && inkedPixels(panel.image()) == 0);
    ProfileBars bars{};
    bars[100] = 0.025f;
    bars[20] = 0.2f;
    bars[150] = 0.0025f;
    panel.filledBox(0, 0, 3000, 1500, qRgb(7, 7, 7));
    drawRowProfile(bars, 1.0f, false, panel);
    const Pixels blue = unite({block(100, 50, 100, 99), block(20, 0, 20, 99), block(150, 95, 150, 99)});
    EXPECT_EQ(pixelsOf(panel.image(), Blue), blue);
    EXPECT_EQ(inkedPixels(panel.image()), int(blue.size()));
    drawProfileBars(bars, 2.0f, true, panel);
    EXPECT_EQ(pixelsOf(panel.image(), Black),
              unite({block(100, 0, 100, 99), block(20, 0, 20, 99), block(150, 90, 150, 99)}));
}

TEST(RowIntervalPanelTest, BarsTicksAndMarks)
{
    // 200 x 40 pixels, 600 twips high, class j at pixel x = j: the bar of class 0 lies at 330 twips (pixel
    // 22), that of class 1 at 450 (pixel 30); ticks reach from 50 twips below a bar to 10 above it (pixels
    // 21..25 and 29..33), none at an open end; the mode and average lines run from 530 to 230 twips (pixels
    // 35 to 15), the average over a mode of the same column.
    RowSummary summary;
    summary.classes[0].intervals = {{60, 80}};
    summary.classes[1] = {{{0, 10}, {50, 90}}, true, false};
    summary.modeMarks = {40, 100};
    summary.averageMarks = {100};
    DrawingSurface panel = whiteSurface(200, 40);
    panel.filledBox(0, 0, 3000, 600, qRgb(7, 7, 7)); // cleared first
    drawRowIntervals(summary, panel);
    const Pixels black =
        unite({block(60, 22, 80, 22), block(60, 21, 60, 25), block(80, 21, 80, 25), block(0, 30, 10, 30),
               block(50, 30, 90, 30), block(10, 29, 10, 33), block(50, 29, 50, 33), block(90, 29, 90, 33)});
    EXPECT_EQ(pixelsOf(panel.image(), Black), black);
    EXPECT_EQ(pixelsOf(panel.image(), Red), block(40, 15, 40, 35));
    EXPECT_EQ(pixelsOf(panel.image(), Blue), block(100, 15, 100, 35));
    EXPECT_EQ(inkedPixels(panel.image()), int(black.size()) + 2 * 21); // the rest is white
    // An interval cut by the right edge has no end tick: with a pen of three pixels the tick at pixel 200
    // would reach into pixel 199. The marks are then drawn one pixel wide.
    for (const bool open : {false, true}) {
        summary = RowSummary{};
        summary.classes[1] = {{{150, 200}}, false, open};
        panel.setDrawWidth(3);
        drawRowIntervals(summary, panel);
        EXPECT_EQ(panel.drawWidth(), 1);
        EXPECT_TRUE(panel.image().pixel(199, 30) == Black &&
                    panel.image().pixel(199, 34) == (open ? White : Black));
    }
}

TEST(RowMarkerTest, MarkerCrossesBothFiguresAtTheRowButNotAtTheEnds)
{
    DrawingSurface data = whiteSurface(100, 200);
    data.setDrawWidth(2);
    DrawingSurface section = whiteSurface(100, 100);
    section.setScale(0, 0, 10, 10); // the section scale of ten steps
    EXPECT_TRUE(drawRowMarker(data, section, 3, 0, 10, false));
    EXPECT_EQ(data.drawWidth(), 1);
    EXPECT_EQ(pixelsOf(section.image(), Red), block(0, 30, 99, 30));
    EXPECT_EQ(pixelsOf(data.image(), Red), block(0, 60, 99, 60));
    DrawingSurface grey = whiteSurface(100, 100);
    EXPECT_TRUE(drawRowMarker(grey, grey, 5, 0, 10, true));
    EXPECT_EQ(pixelsOf(grey.image(), Black), block(0, 50, 99, 50));
    DrawingSurface untouched = whiteSurface(50, 50);
    for (const auto& [value, maximum] : {std::pair{0, 10}, {10, 10}, {0, 0}})
        EXPECT_FALSE(drawRowMarker(untouched, untouched, value, 0, maximum, false)) << value;
    EXPECT_EQ(inkedPixels(untouched.image()), 0);
    // A section of one row stands at the top; vertical values run from the top of the range down.
    EXPECT_TRUE(rowFraction(0, 0) == 0.0 && rowFraction(3, 6) == 0.5);
    EXPECT_TRUE(rowVerticalValue(100, 200, 3, 4) == 175.0f && rowVerticalValue(100, 200, 0, 0) == 100.0f);
}

RowSummaryText sampleText(int class0Lines, int class1Lines, bool withInput = true)
{
    RowSummaryText text{std::nullopt, "C = 95%", "C = 68%", {}, "14.6", "Out of range"};
    if (withInput)
        text.inputValue = "12.5";
    for (int k = 0; k < class0Lines + class1Lines; ++k)
        text.intervalLines[k < class0Lines ? 0 : 1].push_back(std::string("b").append(std::to_string(k)));
    return text;
}

TEST(RowSummaryBlockTest, LinesTheirPlacesAndTheCutOfALongBlock)
{
    // Headings at left + 120, values at left + 180; the interval lines begin 1140 twips below the top, one
    // per 240 twips, and the lines after them move down with the numbers of intervals (here 1 and 2).
    const std::vector<SummaryLine> expected{
        {"Input value", 1120, 2120, true},
        {"12.5", 1120, 2360, false},
        {"Calibrated value", 1120, 2660, true},
        {"C = 95%", 1120, 2900, false},
        {"b0", 1180, 3140, false},
        {"C = 68%", 1120, 3140 + 240 * 1.3, false},
        {"b1", 1180, 3140 + 240 * 2.3, false},
        {"b2", 1180, 3140 + 240 * 3.3, false},
        {"Mode", 1120, 3140 + 240 * 4.6, false},
        {"14.6", 1180, 3140 + 240 * 5.6, false},
        {"Average", 1120, 3140 + 240 * 6.9, false},
        {"Out of range", 1180, 3140 + 240 * 7.9, false},
    };
    std::vector<SummaryLine> lines = rowSummaryBlock(sampleText(1, 2), 1000, 2000, 5000);
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t k = 0; k < expected.size(); ++k) {
        EXPECT_TRUE(nearlyEqual(lines[k].y, expected[k].y, 1e-12)) << expected[k].text;
        lines[k].y = expected[k].y;
        EXPECT_EQ(lines[k], expected[k]) << "line " << k << ": " << lines[k].text;
    }
    lines = rowSummaryBlock(sampleText(0, 0, false), 1000, 2000, 5000); // without an input column
    EXPECT_TRUE(lines.size() == 8u && lines[1].text == "Calibrated value");
    // Too long for 3000 twips: of the 30 second-class lines at 1452 + 240 k below the top the first six
    // fit, and the sixth gives way to "..."; just tall enough for the whole block, no dots.
    lines = rowSummaryBlock(sampleText(0, 30), 1000, 2000, 3000);
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_TRUE(lines[9].text == "b4" && lines[10].text == "..." && lines[10].x == 1180 && !lines[10].bold);
    EXPECT_TRUE(nearlyEqual(lines[10].y, 2000 + 1452 + 240 * 5));
    const double whole = 1140 + 240 * (30 + 4.9) + 240;
    EXPECT_EQ(rowSummaryBlock(sampleText(0, 30), 1000, 2000, whole).back().text, "Out of range");
    lines = rowSummaryBlock(sampleText(0, 30), 1000, 2000, whole - 1);
    EXPECT_TRUE(lines.back().text == "..." && lines[lines.size() - 2].text == "14.6");
    EXPECT_TRUE(rowSummaryBlock(sampleText(0, 30), 1000, 2000, 100).empty());
}

TEST(RowSummaryBlockTest, PrintingPutsEachLineAtItsPlaceBoldAsSaidAndEraseFillsTheRectangle)
{
    DrawingSurface window = whiteSurface(300, 300);
    printRowSummaryBlock({{"Mode", 150, 150, false}, {"14.6", 150, 3000, false}}, window);
    const auto inkIn = [&](int top, int bottom) {
        return inkedPixels(window.image(), QRect(0, top, 300, bottom - top));
    };
    EXPECT_TRUE(inkIn(0, 10) == 0 && inkIn(10, 30) > 0 && inkIn(30, 200) == 0 && inkIn(200, 220) > 0);
    const int plain = inkIn(10, 30);
    eraseRowSummaryBlock(window, QRectF(0, 0, 4500, 4500), White);
    EXPECT_EQ(inkedPixels(window.image()), 0);
    printRowSummaryBlock({{"Mode", 150, 150, true}}, window);
    EXPECT_GT(inkIn(10, 30), plain);
}

} // namespace
} // namespace brimvale
