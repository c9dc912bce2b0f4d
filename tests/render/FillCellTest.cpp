// Cell fills of the dense colour plots: cells that share an edge tile the surface exactly.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "render/DrawingSurface.h"

namespace brimvale {
namespace {

constexpr QRgb Back = 0xff000000;

// A colour that tells the cell (column < 256, row < 1024) apart from every other cell and from
// the background.
QRgb cellColour(int column, int row)
{
    return qRgb(column, row & 0xff, 0x80 | (row >> 8));
}

int columnOf(QRgb colour)
{
    return qRed(colour);
}

struct Layout {
    const char* name;
    QSize size;
    qreal ratio;
    int columns;
    int rows;
    bool userScale; // a scale of (columns, rows) units, flipped vertically; otherwise the default twips
};

// Draws every cell from position(i) to position(i + 1), in the order given.
void drawCells(DrawingSurface& surface, const Layout& layout, bool reverse)
{
    const double w = surface.scaleWidth();
    const double h = surface.scaleHeight();
    const double top = surface.scaleTop();
    const auto x = [&](int i) { return surface.scaleLeft() + w * i / layout.columns; };
    const auto y = [&](int j) { return top + h * j / layout.rows; };
    for (int n = 0; n < layout.columns * layout.rows; ++n) {
        const int k = reverse ? layout.columns * layout.rows - 1 - n : n;
        const int i = k % layout.columns;
        const int j = k / layout.columns;
        surface.fillCell(x(i), y(j), x(i + 1), y(j + 1), cellColour(i, j));
    }
}

DrawingSurface makeSurface(const Layout& layout)
{
    DrawingSurface surface(layout.size, layout.ratio);
    surface.setBackColor(Back);
    if (layout.userScale)
        surface.setScale(0, layout.rows, layout.columns, -layout.rows);
    return surface;
}

TEST(FillCellTest, CellsTileWithoutGapsOrOverlaps)
{
    const Layout layouts[] = {
        {"201 columns over 141 pixels", QSize(141, 20), 1.0, 201, 3, false},
        {"201 columns over 400 pixels", QSize(400, 20), 1.0, 201, 3, false},
        {"201 x 512 section over 141 x 365", QSize(141, 365), 1.0, 201, 512, true},
        {"201 x 201 grid over 400 x 400", QSize(400, 400), 1.0, 201, 201, false},
        {"201 columns over 283 pixels at ratio 1.5", QSize(283, 10), 1.5, 201, 7, true},
        {"201 x 201 grid at ratio 2", QSize(141, 141), 2.0, 201, 201, true},
    };
    for (const Layout& layout : layouts) {
        SCOPED_TRACE(layout.name);
        DrawingSurface forward = makeSurface(layout);
        drawCells(forward, layout, false);
        DrawingSurface backward = makeSurface(layout);
        drawCells(backward, layout, true);
        const QImage& image = forward.image();

        // Overlapping cells would show a different winner when drawn in the other order.
        EXPECT_EQ(image, backward.image());

        // No gaps; the cells appear in order along each line and the edge cells reach the edges.
        bool gap = false;
        bool disordered = false;
        for (int y = 0; y < image.height(); ++y) {
            int previous = -1;
            for (int x = 0; x < image.width(); ++x) {
                const QRgb c = image.pixel(x, y);
                gap |= c == Back;
                const int column = columnOf(c);
                disordered |= column < previous;
                previous = column;
            }
            EXPECT_EQ(columnOf(image.pixel(0, y)), 0);
            EXPECT_EQ(columnOf(image.pixel(image.width() - 1, y)), layout.columns - 1);
        }
        EXPECT_FALSE(gap);
        EXPECT_FALSE(disordered);

        // Where there are at least as many pixels as cells, every cell is visible and all cells
        // differ in width by at most one pixel.
        if (image.width() >= layout.columns) {
            std::vector<int> widths(static_cast<std::size_t>(layout.columns), 0);
            for (int x = 0; x < image.width(); ++x)
                ++widths[static_cast<std::size_t>(columnOf(image.pixel(x, 0)))];
            const auto [narrowest, widest] = std::minmax_element(widths.begin(), widths.end());
            EXPECT_GE(*narrowest, 1);
            EXPECT_LE(*widest - *narrowest, 1);
        }
    }
}

TEST(FillCellTest, EdgesRoundToTheNearestPixelEdgeAndCornersComeInEitherOrder)
{
    // 0.49 pixel rounds down, 0.5 pixel up: a cell narrower than half a pixel may vanish.
    DrawingSurface surface(QSize(10, 4));
    surface.setBackColor(Back);
    surface.setScale(0, 0, 10, 4);
    surface.fillCell(3.5, 2.5, 1.49, 0.5, qRgb(9, 9, 9)); // pixels 1..3 by 1..2
    surface.fillCell(6.2, 0, 6.45, 4, qRgb(7, 7, 7));     // nothing
    const QImage& image = surface.image();
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(image.pixel(x, y), (x >= 1 && x <= 3 && y >= 1 && y <= 2) ? qRgb(9, 9, 9) : Back)
                << x << "," << y;
}

} // namespace
} // namespace brimvale
