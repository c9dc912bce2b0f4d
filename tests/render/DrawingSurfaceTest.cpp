// Drawing operations of the surface, checked by reading pixels back from its image.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "render/SurfaceProbe.h"
#include "support/FailureKind.h"

namespace brimvale {
namespace {

using test::block;
using test::Blue;
using test::Pixels;
using test::pixelsOf;
using test::Red;
using test::White;
using test::whiteSurface;

TEST(DrawingSurfaceTest, DefaultScaleFollowsResizesAUserScaleStaysUntilReset)
{
    DrawingSurface surface(QSize(100, 60));
    EXPECT_FALSE(surface.hasUserScale());
    EXPECT_EQ(surface.scaleWidth(), 1500.0);
    EXPECT_EQ(surface.scaleHeight(), 900.0);
    surface.resize(QSize(145, 365));
    EXPECT_EQ(surface.scaleWidth(), 2175.0);
    EXPECT_EQ(surface.scaleHeight(), 5475.0);
    EXPECT_EQ(surface.toScale(QPointF(10, 20)), QPointF(150, 300));

    // One property alone switches to a user scale that keeps the other three.
    surface.setScaleHeight(-50);
    surface.setScaleLeft(-3);
    EXPECT_TRUE(surface.hasUserScale());
    EXPECT_EQ(surface.scaleTop(), 0.0);
    EXPECT_EQ(surface.scaleWidth(), 2175.0);
    EXPECT_EQ(surface.scaleLeft(), -3.0);

    surface.setScale(0, 100, 10, -100);
    surface.resize(QSize(200, 50));
    EXPECT_EQ(surface.scaleWidth(), 10.0);
    EXPECT_EQ(surface.toDevice(5, 50), QPointF(100, 25));
    EXPECT_EQ(surface.toScale(QPointF(10, 20)), QPointF(0.5, 60));
    surface.resetScale();
    EXPECT_FALSE(surface.hasUserScale());
    EXPECT_EQ(surface.scaleWidth(), 3000.0);
    EXPECT_EQ(surface.scaleHeight(), 750.0);
}

TEST(DrawingSurfaceTest, ZeroScaleExtentOrPenWidthIsAnInvalidPropertyValue)
{
    DrawingSurface surface(QSize(10, 10));
    const std::function<void()> setters[] = {
        [&] { surface.setScaleWidth(0); }, [&] { surface.setScaleHeight(0); },
        [&] { surface.setScale(0, 0, 1, NAN); }, [&] { surface.setDrawWidth(0); }};
    for (const auto& set : setters)
        EXPECT_EQ(test::failureKind(set), RuntimeFailure::Kind::InvalidData);
    EXPECT_EQ(surface.scaleWidth(), 150.0);
    EXPECT_EQ(surface.drawWidth(), 1);
}

struct PointCase {
    const char* name;
    double left, top, width, height; // width 0: default scale
    double x, y;
    int expectedX, expectedY; // -1: outside the box
};

TEST(DrawingSurfaceTest, PSetLandsOnTheMappedPixel)
{
    const PointCase cases[] = {
        {"twips origin", 0, 0, 0, 0, 0, 0, 0, 0},
        {"twips 10/20 pixels", 0, 0, 0, 0, 150, 300, 10, 20},
        {"twips inside a pixel", 0, 0, 0, 0, 164, 314, 10, 20},
        {"twips last pixel", 0, 0, 0, 0, 1485, 885, 99, 59},
        {"twips right edge is outside", 0, 0, 0, 0, 1500, 0, -1, -1},
        {"user scale", 0, 0, 10, 6, 2.5, 4.5, 25, 45},
        {"user scale with offset", 100, 200, 50, 30, 125, 215, 50, 30},
        {"cell i of 200 on a user scale", 0, 0, 511, 511, 511.0 * 37 / 200, 100, 18, 11},
        {"flipped scale", 0, 6, 10, -6, 2.5, 4.5, 25, 15},
        {"flipped scale bottom row", 0, 6, 10, -6, 0, 0.05, 0, 59},
        {"flipped scale zero is below the box", 0, 6, 10, -6, 0, 0, -1, -1},
        {"negative width mirrors x", 10, 0, -10, 6, 7.5, 0, 25, 0},
    };
    for (const PointCase& c : cases) {
        SCOPED_TRACE(c.name);
        DrawingSurface surface = whiteSurface(100, 60);
        if (c.width != 0)
            surface.setScale(c.left, c.top, c.width, c.height);
        surface.pset(c.x, c.y, Red);
        const Pixels expected = c.expectedX < 0 ? Pixels{} : Pixels{{c.expectedX, c.expectedY}};
        EXPECT_EQ(pixelsOf(surface.image(), Red), expected);
        EXPECT_EQ(surface.currentX(), c.x);
        EXPECT_EQ(surface.currentY(), c.y);
    }
}

TEST(DrawingSurfaceTest, LinesIncludeBothEndsAndFarOnesAreClippedWithoutChangingCourse)
{
    DrawingSurface surface = whiteSurface(100, 50);
    surface.line(0, 150, 1500, 150, Red); // across the whole box at pixel row 10
    surface.line(300, 0, 300, 750, Blue); // down the whole box at pixel column 20
    for (int x = 0; x < 100; ++x) {
        EXPECT_EQ(surface.image().pixel(x, 9), x == 20 ? Blue : White) << x;
        EXPECT_EQ(surface.image().pixel(x, 10), x == 20 ? Blue : Red) << x;
        EXPECT_EQ(surface.image().pixel(x, 11), x == 20 ? Blue : White) << x;
    }
    EXPECT_EQ(pixelsOf(surface.image(), Blue).size(), 50u);
    EXPECT_EQ(surface.currentX(), 300.0);
    EXPECT_EQ(surface.currentY(), 750.0);

    // A diagonal on a flipped scale: from the bottom left pixel up by 10 pixels each way.
    DrawingSurface flipped = whiteSurface(100, 100);
    flipped.setScale(0, 100, 100, -100);
    flipped.line(0, 0.5, 10, 10.5, Red);
    Pixels diagonal;
    for (int k = 0; k <= 10; ++k)
        diagonal.insert({k, 99 - k});
    EXPECT_EQ(pixelsOf(flipped.image(), Red), diagonal);

    // Steep and far: one pixel per row, each within a pixel of the line through (50, 25).
    DrawingSurface far = whiteSurface(100, 50);
    far.line(-1e12, 150, 1e12, 150, Red);
    EXPECT_EQ(pixelsOf(far.image(), Red).size(), 100u);
    far.line(750 - 1e9, 375 - 2e9, 750 + 1e9, 375 + 2e9, Blue);
    const Pixels steep = pixelsOf(far.image(), Blue);
    EXPECT_EQ(steep.size(), 50u);
    for (const auto& [x, y] : steep)
        EXPECT_LE(std::abs(x - (50 + (y - 25) / 2.0)), 1.0) << x << "," << y;
}

TEST(DrawingSurfaceTest, BoxesCoverTheirCornerPixels)
{
    DrawingSurface surface = whiteSurface(100, 50);
    surface.box(600, 450, 150, 150, Red); // pixels 10..40 by 10..30, corners in either order
    const Pixels red = pixelsOf(surface.image(), Red);
    EXPECT_EQ(red.size(), 2u * 31 + 2u * 19);
    for (const auto& [x, y] : red)
        EXPECT_TRUE(x == 10 || x == 40 || y == 10 || y == 30) << x << "," << y;
    EXPECT_TRUE(red.count({10, 30}) && red.count({40, 10}));

    surface.filledBox(150, 150, 600, 450, Blue);
    EXPECT_EQ(pixelsOf(surface.image(), Blue).size(), 31u * 21);
    EXPECT_EQ(surface.image().pixel(41, 30), White);
    EXPECT_EQ(surface.image().pixel(40, 31), White);

    DrawingSurface whole = whiteSurface(37, 23);
    whole.setScale(0, 0, 3, 7);
    whole.filledBox(0, 0, whole.scaleWidth(), whole.scaleHeight(), Red);
    EXPECT_EQ(pixelsOf(whole.image(), Red).size(), 37u * 23);
}

TEST(DrawingSurfaceTest, CellEdgesRoundToTheNearestPixelEdgeAndCornersComeInEitherOrder)
{
    // 0.49 pixel rounds down, 0.5 pixel up: a cell narrower than half a pixel vanishes, and cells that
    // share an edge tile the surface exactly.
    DrawingSurface surface = whiteSurface(10, 4);
    surface.setScale(0, 0, 10, 4);
    surface.fillCell(3.5, 2.5, 1.49, 0.5, Red);
    surface.fillCell(6.2, 0, 6.45, 4, Blue);
    EXPECT_EQ(pixelsOf(surface.image(), Red), block(1, 1, 3, 2));
    EXPECT_EQ(pixelsOf(surface.image(), White).size(), 40u - 6);
}

TEST(DrawingSurfaceTest, DrawWidthWidensPointsLinesAndBoxEdges)
{
    DrawingSurface surface = whiteSurface(60, 60);
    surface.setDrawWidth(3);
    surface.pset(150, 150, Red); // 3 x 3 around pixel (10, 10)
    EXPECT_EQ(pixelsOf(surface.image(), Red), block(9, 9, 11, 11));
    surface.line(0, 600, 900, 600, Blue); // rows 39 to 41
    for (int y = 37; y <= 43; ++y)
        EXPECT_EQ(surface.image().pixel(30, y), (y >= 39 && y <= 41) ? Blue : White) << y;

    // An even pen puts its spare pixel right and below.
    DrawingSurface even = whiteSurface(30, 30);
    even.setDrawWidth(2);
    even.pset(150, 150, Red);
    EXPECT_EQ(pixelsOf(even.image(), Red), block(10, 10, 11, 11));

    // Wide dots are round: the corners of the bounding square stay empty.
    DrawingSurface round = whiteSurface(30, 30);
    round.setDrawWidth(5);
    round.pset(150, 150, Red);
    const Pixels dot = pixelsOf(round.image(), Red);
    EXPECT_TRUE(dot.count({8, 10}) && dot.count({12, 10}) && dot.count({10, 8}) && dot.count({10, 12}));
    EXPECT_FALSE(dot.count({8, 8}) || dot.count({12, 12}) || dot.count({7, 10}) || dot.count({13, 10}));

    DrawingSurface boxed = whiteSurface(60, 60);
    boxed.setDrawWidth(3);
    boxed.box(150, 150, 600, 600, Red); // edges 3 pixels wide centred on rows/columns 10 and 40
    EXPECT_EQ(test::rowsOf(boxed.image(), 25, Red), (std::vector<int>{9, 10, 11, 39, 40, 41}));
    EXPECT_EQ(boxed.image().pixel(41, 25), Red);
    EXPECT_EQ(boxed.image().pixel(42, 25), White);
}

TEST(DrawingSurfaceTest, ClsRestoresTheFrozenPictureOrElseTheBackgroundColour)
{
    DrawingSurface surface = whiteSurface(40, 40);
    surface.filledBox(0, 0, 150, 150, Blue); // the "cells"
    surface.freeze();
    surface.line(0, 300, 600, 300, Red); // an overlay
    surface.setCurrentX(45);
    surface.cls();
    EXPECT_TRUE(pixelsOf(surface.image(), Red).empty());
    EXPECT_EQ(pixelsOf(surface.image(), Blue).size(), 11u * 11);
    EXPECT_EQ(surface.currentX(), 0.0);
    // Drawing after a freeze does not reach back into the picture.
    surface.pset(150, 450, Red);
    EXPECT_EQ(surface.picture().pixel(10, 30), White);

    surface.clearPicture();
    EXPECT_FALSE(surface.hasPicture());
    surface.setBackColor(Red); // like the toolkit, a new background colour erases the drawing
    EXPECT_EQ(pixelsOf(surface.image(), Red).size(), 1600u);
    surface.pset(15, 15, Blue);
    surface.cls();
    EXPECT_EQ(pixelsOf(surface.image(), Red).size(), 1600u);
}

TEST(DrawingSurfaceTest, ResizingKeepsTheDrawingAndCopiesOfTheImageStayAsTheyWere)
{
    DrawingSurface surface = whiteSurface(20, 20);
    const QImage before = surface.image();
    surface.pset(150, 150, Red);   // pixel (10, 10)
    surface.pset(270, 270, Blue);  // pixel (18, 18)
    surface.resize(QSize(15, 30)); // crops (18, 18) away
    surface.resize(QSize(40, 40)); // the new area is background
    EXPECT_EQ(pixelsOf(surface.image(), Red), (Pixels{{10, 10}}));
    EXPECT_TRUE(pixelsOf(surface.image(), Blue).empty());
    EXPECT_EQ(pixelsOf(surface.image(), White).size(), 40u * 40 - 1);
    EXPECT_TRUE(pixelsOf(before, Red).empty());
}

TEST(DrawingSurfaceTest, DevicePixelRatioOfTwoDoublesTheImageNotTheCoordinates)
{
    DrawingSurface surface = whiteSurface(100, 50, 2.0);
    EXPECT_EQ(surface.image().size(), QSize(200, 100));
    EXPECT_EQ(surface.scaleWidth(), 1500.0);
    surface.pset(150, 150, Red); // one device-independent pixel = 2 x 2 device pixels
    EXPECT_EQ(pixelsOf(surface.image(), Red), block(20, 20, 21, 21));
    surface.line(0, 300, 1500, 300, Blue); // two device rows
    EXPECT_EQ(pixelsOf(surface.image(), Blue).size(), 2u * 200);

    DrawingSurface later = whiteSurface(30, 30);
    later.pset(150, 150, Red);
    later.setDevicePixelRatio(2.0);
    EXPECT_EQ(later.image().size(), QSize(60, 60));
    EXPECT_EQ(later.size(), QSize(30, 30));
    EXPECT_EQ(pixelsOf(later.image(), Red), block(20, 20, 21, 21));
}

TEST(DrawingSurfaceTest, PrintingMovesToTheStartOfTheNextLine)
{
    DrawingSurface surface = whiteSurface(200, 100);
    surface.setFontSize(10);
    surface.setCurrentX(300);
    surface.setCurrentY(150);
    const double lineHeight = surface.textHeight();
    // 10 points are 13 pixels; a line is a little taller than the font size.
    EXPECT_GE(lineHeight, 13 * 15.0);
    EXPECT_LE(lineHeight, 13 * 15.0 * 1.5);
    surface.print(QStringLiteral("Mode"));
    EXPECT_EQ(surface.currentX(), 0.0);
    EXPECT_DOUBLE_EQ(surface.currentY(), 150 + lineHeight);
    // The text lies right of and below the position it was printed at, within one line.
    const int ink = test::inkedPixels(surface.image());
    EXPECT_GT(ink, 0);
    EXPECT_EQ(
        test::inkedPixels(surface.image(), QRect(20, 10, 180, static_cast<int>(std::ceil(lineHeight / 15)))),
        ink);
    EXPECT_GT(surface.textWidth(QStringLiteral("Mode Mode")), surface.textWidth(QStringLiteral("Mode")));

    // In a flipped user scale the next line lies upward, and starts at ScaleLeft.
    surface.setScale(10, 0, 100, -50);
    surface.setCurrentY(-5);
    EXPECT_LT(surface.textHeight(), 0.0);
    surface.print(QStringLiteral("Input value"));
    EXPECT_EQ(surface.currentX(), 10.0);
    EXPECT_DOUBLE_EQ(surface.currentY(), -5 + surface.textHeight());
}

TEST(DrawingSurfaceTest, ListenerHearsOfChangesAndRefresh)
{
    DrawingSurface surface(QSize(10, 10));
    std::vector<DrawingSurface::Repaint> heard;
    surface.setChangeListener([&](DrawingSurface::Repaint repaint) { heard.push_back(repaint); });
    surface.pset(15, 15, Red);
    surface.fillCell(0, 0, 30, 30, Red);
    surface.cls();
    EXPECT_EQ(heard, std::vector<DrawingSurface::Repaint>(3, DrawingSurface::Repaint::WhenIdle));
    surface.refresh();
    EXPECT_EQ(heard.back(), DrawingSurface::Repaint::Now);
}

TEST(DrawingSurfaceTest, AnEmptySurfaceAcceptsEveryOperation)
{
    DrawingSurface surface;
    surface.pset(0, 0, Red);
    surface.line(0, 0, 10, 10, Red);
    surface.box(0, 0, 10, 10, Red);
    surface.filledBox(0, 0, 10, 10, Red);
    surface.fillCell(0, 0, 10, 10, Red);
    surface.print(QStringLiteral("x"));
    surface.freeze();
    surface.cls();
    EXPECT_TRUE(surface.image().isNull());
    surface.resize(QSize(5, 5));
    EXPECT_EQ(surface.image().size(), QSize(5, 5));
}

} // namespace
} // namespace brimvale
