// The panels of the section view: row profile bars, interval bars and the row marker.
#include <gtest/gtest.h>

#include "render/RowIntervalPanel.h"
#include "render/RowMarker.h"
#include "render/RowProfile.h"
#include "render/SurfaceProbe.h"

namespace brimvale {
namespace {

using test::Black;
using test::Blue;
using test::pixelsOf;
using test::Red;
using test::rowsOf;
using test::span;
using test::White;
using test::whiteSurface;

TEST(RowProfileTest, BarsStandOnTheBottomAndTallOnesAreCut)
{
    // 200 x 100 pixels: class j stands on pixel column j, a height of 1 is the whole panel.
    DrawingSurface panel = whiteSurface(200, 100);
    panel.filledBox(0, 0, 3000, 1500, qRgb(7, 7, 7));
    ProfileBars bars{};
    bars[100] = 0.025f; // half the panel
    bars[20] = 0.2f;    // four panels high: cut by the top edge
    bars[150] = 0.0025f;
    drawProfileBars(bars, 1.0f, false, panel);
    EXPECT_EQ(rowsOf(panel.image(), 100, Blue), span(50, 99));
    EXPECT_EQ(rowsOf(panel.image(), 20, Blue), span(0, 99));
    EXPECT_EQ(rowsOf(panel.image(), 150, Blue), span(95, 99));
    // A zero probability still sets the bottom end of its line, just below the panel.
    EXPECT_TRUE(rowsOf(panel.image(), 60, Blue).empty());
    EXPECT_EQ(panel.image().pixel(101, 10), White); // filled white first

    DrawingSurface doubled = whiteSurface(200, 100);
    drawProfileBars(bars, 2.0f, true, doubled);
    EXPECT_EQ(rowsOf(doubled.image(), 100, Black), span(0, 99));
    EXPECT_EQ(rowsOf(doubled.image(), 150, Black), span(90, 99));
}

TEST(RowProfileTest, RowProfileRefreshesAndDrawsNothingWithoutAnInputColumn)
{
    DrawingSurface panel = whiteSurface(200, 100);
    panel.filledBox(0, 0, 3000, 1500, qRgb(7, 7, 7));
    panel.setDrawWidth(3);
    int immediateRepaints = 0;
    panel.setChangeListener([&](DrawingSurface::Repaint repaint) {
        immediateRepaints += repaint == DrawingSurface::Repaint::Now ? 1 : 0;
    });
    drawRowProfile(std::nullopt, 1.0f, false, panel);
    EXPECT_EQ(immediateRepaints, 1);
    EXPECT_EQ(panel.drawWidth(), 1);
    EXPECT_EQ(test::inkedPixels(panel.image()), 0);

    ProfileBars bars{};
    bars[40] = 0.05f;
    drawRowProfile(bars, 1.0f, false, panel);
    EXPECT_EQ(rowsOf(panel.image(), 40, Blue), span(0, 99));
    EXPECT_EQ(rowsOf(panel.image(), 41, Blue), std::vector<int>{}); // one pixel wide
}

TEST(RowIntervalPanelTest, BarsTicksAndMarks)
{
    // A panel 200 pixels wide and 40 high: class j at pixel x = j, 600 twips high, so the bar of class 0
    // lies at 330 twips (pixel 22), that of class 1 at 450 (pixel 30); ticks of class 1 reach from 500 to
    // 440 twips (pixels 33 down to 29), the mode and average lines from 530 to 230 (pixels 35 to 15).
    RowSummary summary;
    summary.classes[0].intervals = {{60, 80}};
    summary.classes[1].intervals = {{0, 10}, {50, 90}};
    summary.classes[1].openLeft = true;
    summary.modeMarks = {70};
    summary.averageMarks = {75};
    DrawingSurface panel = whiteSurface(200, 40);
    panel.filledBox(0, 0, 3000, 600, qRgb(7, 7, 7)); // cleared first: the background is white
    drawRowIntervals(summary, panel);
    const QImage& image = panel.image();
    EXPECT_EQ(image.pixel(100, 5), White);

    // Columns 60 to 80 lie in both classes: the bar of class 1 runs below them at pixel 30.
    EXPECT_EQ(rowsOf(image, 65, Black), (std::vector<int>{22, 30}));                 // bar of class 0
    EXPECT_EQ(rowsOf(image, 60, Black), (std::vector<int>{21, 22, 23, 24, 25, 30})); // its start tick
    EXPECT_EQ(rowsOf(image, 80, Black), (std::vector<int>{21, 22, 23, 24, 25, 30})); // its end tick
    EXPECT_EQ(rowsOf(image, 5, Black), std::vector<int>{30});                        // bar of class 1
    EXPECT_EQ(rowsOf(image, 0, Black), std::vector<int>{30}); // open to the left: no start tick
    EXPECT_EQ(rowsOf(image, 10, Black), span(29, 33));        // but an end tick
    EXPECT_EQ(rowsOf(image, 50, Black), span(29, 33));        // the second interval has both
    EXPECT_EQ(rowsOf(image, 90, Black), span(29, 33));

    EXPECT_EQ(rowsOf(image, 70, Red), span(15, 35));
    EXPECT_EQ(rowsOf(image, 75, Blue), span(15, 35));
    EXPECT_EQ(panel.drawWidth(), 1);
}

TEST(RowIntervalPanelTest, AnIntervalCutByTheRightEdgeHasNoEndTick)
{
    // With a pen of three pixels the tick at the right edge (pixel 200) reaches into pixel 199.
    RowSummary summary;
    summary.classes[1].intervals = {{150, 200}};
    DrawingSurface closed = whiteSurface(200, 40);
    closed.setDrawWidth(3);
    drawRowIntervals(summary, closed);
    EXPECT_EQ(closed.image().pixel(199, 34), Black);

    summary.classes[1].openRight = true;
    DrawingSurface open = whiteSurface(200, 40);
    open.setDrawWidth(3);
    drawRowIntervals(summary, open);
    EXPECT_EQ(open.image().pixel(199, 34), White);
    EXPECT_EQ(open.image().pixel(199, 30), Black); // the bar itself reaches the edge
    EXPECT_EQ(open.image().pixel(149, 34), Black); // and the start tick is there
}

TEST(RowMarkerTest, MarkerCrossesBothFiguresAtTheRow)
{
    DrawingSurface data = whiteSurface(100, 200);
    data.setDrawWidth(2);
    DrawingSurface section = whiteSurface(100, 100);
    section.setScale(0, 0, 10, 10); // the section scale of ten steps
    EXPECT_TRUE(drawRowMarker(data, section, 3, 0, 10, false));
    EXPECT_EQ(data.drawWidth(), 1);
    EXPECT_EQ(pixelsOf(section.image(), Red).size(), 100u);
    EXPECT_EQ(rowsOf(section.image(), 40, Red), std::vector<int>{30});
    EXPECT_EQ(pixelsOf(data.image(), Red).size(), 100u);
    EXPECT_EQ(rowsOf(data.image(), 40, Red), std::vector<int>{60});

    DrawingSurface grey = whiteSurface(100, 100);
    EXPECT_TRUE(drawRowMarker(grey, section, 5, 0, 10, true));
    EXPECT_EQ(rowsOf(grey.image(), 0, Black), std::vector<int>{50});
}

TEST(RowMarkerTest, NoMarkerAtTheEndsNorInASectionOfOneRow)
{
    DrawingSurface data = whiteSurface(50, 50);
    DrawingSurface section = whiteSurface(50, 50);
    EXPECT_FALSE(drawRowMarker(data, section, 0, 0, 10, false));
    EXPECT_FALSE(drawRowMarker(data, section, 10, 0, 10, false));
    EXPECT_FALSE(drawRowMarker(data, section, 0, 0, 0, false));
    EXPECT_EQ(test::inkedPixels(data.image()) + test::inkedPixels(section.image()), 0);
    // The panels of a one-row section stand at its top instead of dividing by zero steps.
    EXPECT_EQ(rowFraction(0, 0), 0.0);
    EXPECT_EQ(rowFraction(3, 6), 0.5);
}

} // namespace
} // namespace brimvale
