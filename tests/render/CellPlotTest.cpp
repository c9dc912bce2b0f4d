// The cell plots: the colour a view gives a cell, the cells' places in whole figures, and the per-cell,
// column and row plots.
#include <gtest/gtest.h>

#include <cmath>

#include "render/CellPlot.h"
#include "render/ColourLookup.h"
#include "render/SurfaceProbe.h"
#include "support/FailureKind.h"

namespace brimvale {
namespace {

using namespace test;

constexpr QRgb Back = 0xff123456;    // a colour no cell takes
const QRgb At02 = qRgb(0, 85, 255);  // the default ramp at 0.2: green a third up its rise, blue full
const QRgb At04 = qRgb(170, 255, 0); // at 0.4: red two thirds up its rise, green full, blue off
const auto P = CellView::Probability, C = CellView::Confidence;
const auto Packed = ProbabilitySource::PackedFraction;

DrawingSurface backSurface(int width, int height, qreal ratio = 1.0)
{
    DrawingSurface surface(QSize(width, height), ratio);
    surface.setBackColor(Back);
    return surface;
}

TEST(CellPlotTest, CellColourLooksUpTheValueOfItsViewAndSource)
{
    // The probability view looks up 20 times the probability, times the enhancement: the fraction of a
    // packed cell's magnitude, or a raw cell itself (20.4 lies beyond the ramp); the grey ramp at 0.4 gives
    // (0.6 - 0.4) / 0.6 * 255. The grey scale flag greys the confidence classes.
    ProgramSettings settings;
    EXPECT_EQ(cellColour(settings, -1.02, P, Packed), At04);
    EXPECT_EQ(cellColour(settings, 1.02, P, ProbabilitySource::RawValue), qRgb(0, 0, 0));
    settings.zEnhancement = 0.5f;
    EXPECT_EQ(cellColour(settings, 3.04, P, Packed), At04);
    settings.zEnhancement = 1.0f;
    settings.colourRamp.points = ColourRamp::greyScale();
    settings.greyScale = true;
    EXPECT_EQ(cellColour(settings, 1.02, P, Packed), qRgb(85, 85, 85));
    EXPECT_EQ(cellColour(settings, 1.02, C, Packed), LowerGrey);
}

TEST(CellPlotTest, CellsTileTheFigureInTheirPlaces)
{
    // Grid row j counts up from the bottom, section row h down from the top; one section row fills it all.
    const auto rectOf = [](const CellRect& r) { return QRectF(QPointF(r.x1, r.y1), QPointF(r.x2, r.y2)); };
    EXPECT_EQ(rectOf(gridCellRect(400, 200, 57, 100)), QRectF(QPointF(114, 100), QPointF(116, 99)));
    EXPECT_EQ(rectOf(sectionCellRect(400, 300, 100, 57, 42)), QRectF(114, 126, 2, 3));
    EXPECT_EQ(rectOf(sectionCellRect(400, 300, 0, 200, 0)), QRectF(400, 0, 2, 300));
    // Three kinds of cell in a pattern in which every cell differs from its four neighbours. Device sizes
    // keep cell edges off half pixels; fewer pixels than cells (96) hide some cells but keep the others. A
    // pixel shows the cell its centre lies in: column i from x = i * w / 200, grid row j the same band
    // counted up from the bottom, section row r of h / verticalSteps from the top.
    const auto kindOf = [](int i, int row) { return (i + 2 * row) % 3; };
    const double cells[] = {0.5, 1.01, 2.02};
    const struct {
        int width, height;
        qreal ratio;
        int verticalSteps; // -1: the grid figure
        CellView view;
    } layouts[] = {{136, 136, 1.0, -1, C},  {96, 48, 1.0, -1, P}, {96, 64, 1.5, -1, C},
                   {136, 365, 1.0, 511, C}, {296, 64, 1.0, 0, P}, {96, 70, 1.5, 5, C}};
    ProbabilityGrid grid;
    for (int i = 0; i <= 200; ++i)
        for (int j = 0; j <= 200; ++j)
            grid(i, j) = cells[kindOf(i, j)];
    for (const auto& layout : layouts) {
        DrawingSurface surface = backSurface(layout.width, layout.height, layout.ratio);
        const bool isGrid = layout.verticalSteps < 0;
        SectionMatrix section(static_cast<std::int16_t>(std::max(layout.verticalSteps, 0)));
        for (int i = 0; i <= 200; ++i)
            for (int h = 0; h <= section.verticalSteps(); ++h)
                section(1, i, h) = cells[kindOf(i, h)];
        if (isGrid)
            plotGridFigure(surface, ProgramSettings{}, grid, layout.view, Packed);
        else
            plotSectionFigure(surface, ProgramSettings{}, section, layout.view, Packed);
        const QRgb colours[] = {White, layout.view == P ? At02 : LowerClass,
                                layout.view == P ? At04 : UpperClass};
        const QImage& image = surface.image();
        const int w = image.width(), h = image.height(),
                  rows = isGrid ? 200 : std::max(layout.verticalSteps, 1);
        int wrong = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const int i = int(std::floor((x + 0.5) * 200 / w));
                const int row = int(std::floor((isGrid ? h - y - 0.5 : y + 0.5) * rows / h));
                if (image.pixel(x, y) != colours[kindOf(i, row)] && ++wrong <= 3)
                    ADD_FAILURE() << layout.width << "x" << layout.height << "@" << layout.ratio << ", rows "
                                  << layout.verticalSteps << ": pixel " << x << "," << y << " not cell " << i
                                  << "," << row;
            }
        }
    }
}

TEST(CellPlotTest, CellByCellPlotsFillTheirCellAndLeaveTheMagnitude)
{
    // Grid cell (3, 4) of 400 x 400 covers pixels 6..7 by 390..391, section cell (3, 1) of 3 steps on
    // 400 x 300 covers 6..7 by 100..199. The probability plots look up the caller's value and apply the white
    // rule to the matrix cell; the confidence plots take the value itself as the class.
    ProgramSettings settings;
    ProbabilityGrid grid;
    grid(3, 4) = -1.5;
    SectionMatrix section(3);
    section(1, 3, 1) = 1.5;
    DrawingSurface gridFigure = backSurface(400, 400);
    DrawingSurface sectionFigure = backSurface(400, 300);
    float v = -0.2f;
    plotGridProbability(gridFigure, settings, grid, v, 3, 4);
    EXPECT_TRUE(v == 0.2f && rgbOf(settings.colourComponents) == At02);
    EXPECT_EQ(pixelsOf(gridFigure.image(), At02), block(6, 390, 7, 391));
    grid(3, 4) = 0.4;
    plotGridProbability(gridFigure, settings, grid, v, 3, 4);
    EXPECT_EQ(pixelsOf(gridFigure.image(), White), block(6, 390, 7, 391));
    plotGridConfidence(gridFigure, settings, v = -1.5f, 3, 4);
    EXPECT_EQ(v, 1.5f);
    EXPECT_EQ(pixelsOf(gridFigure.image(), LowerClass), block(6, 390, 7, 391));
    plotSectionProbability(sectionFigure, settings, section, v = -0.2f, 3, 1);
    EXPECT_EQ(pixelsOf(sectionFigure.image(), At02), block(6, 100, 7, 199));
    plotSectionConfidence(sectionFigure, settings, section, v = -2.0f, 3, 1);
    EXPECT_TRUE(v == 2.0f && pixelsOf(sectionFigure.image(), UpperClass) == block(6, 100, 7, 199));
    const auto outOfRange = RuntimeFailure::Kind::SubscriptOutOfRange;
    EXPECT_EQ(failureKind([&] { plotGridProbability(gridFigure, settings, grid, v, 0, 201); }), outOfRange);
    EXPECT_EQ(failureKind([&] { plotSectionProbability(gridFigure, settings, section, v, -1, 0); }),
              outOfRange);
    EXPECT_EQ(failureKind([&] { plotSectionRow(gridFigure, settings, section, C, Packed, 4); }), outOfRange);
    EXPECT_EQ(failureKind([&] { plotGridColumn(gridFigure, settings, grid, C, Packed, 201); }), outOfRange);
}

TEST(CellPlotTest, ColumnsAndRowsDrawOnlyTheirCellsAndFiguresReportProgress)
{
    // On 400 x 400, grid cell (7, 50) covers pixels 14..15 by 298..299, the column's other cells are white
    // and the rest untouched. A section of one row fills the height; rows of ten steps on 400 x 100 are 10
    // pixels high.
    const ProgramSettings settings;
    ProbabilityGrid grid;
    grid(7, 50) = 2.5;
    DrawingSurface column = backSurface(400, 400);
    plotGridColumn(column, settings, grid, C, Packed, 7);
    EXPECT_EQ(pixelsOf(column.image(), UpperClass), block(14, 298, 15, 299));
    EXPECT_EQ(pixelsOf(column.image(), White), block(14, 0, 15, 399, block(14, 298, 15, 299)));
    SectionMatrix one(0);
    one(1, 7, 0) = 2.5;
    DrawingSurface tall = backSurface(400, 100);
    plotSectionColumn(tall, settings, one, C, Packed, 7);
    EXPECT_EQ(pixelsOf(tall.image(), UpperClass), block(14, 0, 15, 99));
    SectionMatrix section(10);
    section(1, 100, 3) = 2.5;
    DrawingSurface row = backSurface(400, 100);
    plotSectionRow(row, settings, section, C, Packed, 3);
    EXPECT_EQ(pixelsOf(row.image(), UpperClass), block(200, 30, 201, 39));
    EXPECT_EQ(pixelsOf(row.image(), White), block(0, 30, 399, 39, block(200, 30, 201, 39)));
    std::vector<int> reported;
    const auto report = [&](int i) { reported.push_back(i); };
    plotGridFigure(row, settings, grid, C, Packed, report);
    plotSectionFigure(row, settings, section, P, Packed, report);
    ASSERT_EQ(reported.size(), 402u);
    for (std::size_t k = 0; k < reported.size(); ++k)
        EXPECT_EQ(reported[k], int(k % 201));
}

} // namespace
} // namespace brimvale
