// The drawing surface: the pixels each primitive sets, scales, pictures, sizes and densities.
#include <gtest/gtest.h>

#include "render/SurfaceProbe.h"
#include "support/FailureKind.h"

namespace brimvale {
namespace {

using namespace test;

TEST(DrawingSurfaceTest, PrimitivesSetThePixelsTheyMapTo)
{
    using Op = void (DrawingSurface::*)(double, double, double, double, QRgb);
    const Op Dot = nullptr, Line = &DrawingSurface::line, Box = &DrawingSurface::box;
    const Op Filled = &DrawingSurface::filledBox, Cell = &DrawingSurface::fillCell;
    struct Case {
        const char* name;
        Op op; // null: pset at (x1, y1)
        double x1, y1, x2, y2;
        Pixels expected;
        int pen = 1;
        QRectF scale = {0, 0, 10, 10}; // one unit a pixel of the 10 x 10 surface; null: the default scale
        qreal ratio = 1.0;
    };
    const Case cases[] = {
        {"the right edge is outside", Dot, 10, 3.9, 0, 0, {}},
        {"default scale: 15 twips a pixel", Dot, 45, 74, 0, 0, {{3, 4}}, 1, QRectF()},
        {"scale with an offset", Dot, 101.5, 202.25, 0, 0, {{3, 4}}, 1, {100, 200, 5, 5}},
        {"flipped scale", Dot, 2.5, 0.05, 0, 0, {{2, 9}}, 1, {0, 10, 10, -10}},
        // 0.21 and 0.49 on a scale 0.7 wide map a few ulps short of pixel edges 3 and 7.
        {"a hair short of an edge is on it", Dot, 0.21, 0.49, 0, 0, {{3, 7}}, 1, {0, 0, 0.7, 0.7}},
        // Where the line passes halfway between two pixels it takes the diagonal step.
        {"shallow tie", Line, 0, 0, 2, 1, {{0, 0}, {1, 1}, {2, 1}}},
        {"far ends clipped, course kept", Line, -1e9, 7 - 1e9, 1e9, 7 + 1e9, {{0, 7}, {1, 8}, {2, 9}}},
        {"box, corners in either order", Box, 6, 4, 1, 1, block(1, 1, 6, 4, block(2, 2, 5, 3))},
        {"filled box", Filled, 1, 1, 6, 4, block(1, 1, 6, 4)},
        // Cell edges go to the nearest pixel edge, halves up; the far edge is not included.
        {"cell", Cell, 3.5, 2.5, 1.49, 0.5, block(1, 1, 3, 2)},
        {"cell narrower than half a pixel", Cell, 6.2, 0, 6.45, 10, {}},
        {"cell at a density of 1.5", Cell, 1, 0, 2, 1, block(2, 0, 2, 1), 1, {0, 0, 10, 10}, 1.5},
        {"even pen: spare pixel right and below", Dot, 5, 5, 0, 0, block(5, 5, 6, 6), 2},
        {"wide pen: round dot", Dot, 5, 5, 0, 0, block(3, 3, 7, 7, {{3, 3}, {7, 3}, {3, 7}, {7, 7}}), 5},
    };
    for (const Case& c : cases) {
        DrawingSurface s = whiteSurface(10, 10, c.ratio);
        if (!c.scale.isNull())
            s.setScale(c.scale.x(), c.scale.y(), c.scale.width(), c.scale.height());
        s.setDrawWidth(c.pen);
        if (c.op)
            (s.*c.op)(c.x1, c.y1, c.x2, c.y2, Red);
        else
            s.pset(c.x1, c.y1, Red);
        EXPECT_EQ(pixelsOf(s.image(), Red), c.expected) << c.name;
    }
}

TEST(DrawingSurfaceTest, PicturesSizesDensitiesAndScalesKeepTheDrawing)
{
    DrawingSurface s = whiteSurface(20, 20);
    s.filledBox(0, 0, 30, 30, Blue); // pixels 0..2
    s.freeze();
    s.pset(150, 150, Red);
    s.cls(); // back to the picture, and to (0, 0)
    EXPECT_TRUE(pixelsOf(s.image(), Blue) == block(0, 0, 2, 2) && s.currentX() == 0 && s.currentY() == 0);
    s.pset(150, 150, Red);
    s.pset(270, 270, Red); // cropped away next; the new area is background
    s.resize(QSize(15, 30));
    s.resize(QSize(40, 40));
    EXPECT_EQ(pixelsOf(s.image(), White), block(0, 0, 39, 39, unite({block(0, 0, 2, 2), {{10, 10}}})));
    // The default scale follows the size; drawing reaches no copy of the image.
    EXPECT_TRUE(s.scaleWidth() == 600 && inkedPixels(s.picture()) == 9);
    // At a density of 2 a pixel of the box is 2 x 2 device pixels, and so is the pen.
    s.setDevicePixelRatio(2.0);
    s.pset(300, 300, Red);
    EXPECT_EQ(s.image().size(), QSize(80, 80));
    EXPECT_EQ(pixelsOf(s.image(), Red), unite({block(20, 20, 21, 21), block(40, 40, 41, 41)}));
    s.clearPicture();
    s.setBackColor(Red); // a new background colour erases the drawing; cls then finds no picture
    s.cls();
    EXPECT_EQ(pixelsOf(s.image(), Red).size(), 80u * 80);
    // A user scale stays through resizes; an empty or undefined scale and a pen of no width are refused.
    s.setScale(0, 100, 10, -100);
    s.resize(QSize(200, 50));
    EXPECT_EQ(s.toScale(QPointF(10, 20)), QPointF(0.5, 60));
    for (const auto& [width, height] : {std::pair{0.0, 1.0}, {1.0, 0.0}, {1.0, NAN}})
        EXPECT_EQ(failureKind([&, w = width, h = height] { s.setScale(0, 0, w, h); }), RuntimeFailure::Kind::InvalidData);
    EXPECT_EQ(failureKind([&] { s.setDrawWidth(0); }), RuntimeFailure::Kind::InvalidData);
}

} // namespace
} // namespace brimvale
