// The matrix and section cells on screen, and the section figure exported at any size.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "render/CellPlot.h"
#include "render/ColourLookup.h"
#include "render/SectionFigureExport.h"
#include "render/SurfaceProbe.h"
#include "support/FailureKind.h"

namespace brimvale {
namespace {

using namespace test;

constexpr QRgb Back = 0xff123456;   // a colour no cell takes
const QRgb At02 = qRgb(0, 85, 255); // the default ramp at 0.2: green a third up its rise, blue full
const auto P = CellView::Probability, C = CellView::Confidence;
const auto Packed = ProbabilitySource::PackedFraction;

TEST(CellPlotTest, CellsColumnsRowsAndFiguresFillTheirCellsInTheirPlaces)
{
    // Column i spans x = i * w / 200 to (i + 1) * w / 200; grid row j runs down from y = (1 - j / 200) * h
    // to the point of row j - 1, and section row h from h / verticalSteps of the height, like its curve
    // points. On 400 x 400, grid cell (7, 50) covers pixels 14..15 by 300..301, row 200 the top two pixel
    // rows, and row 0 lies below the bottom edge. The one-cell probability plot looks up the caller's value and applies the
    // white rule to the matrix cell; the one-cell confidence plot takes the value itself as the class.
    ProgramSettings settings;
    ProbabilityGrid grid;
    grid(7, 50) = -1.5;
    DrawingSurface column = whiteSurface(400, 400, 1.0, Back);
    float v = -0.2f;
    plotGridProbability(column, settings, grid, v, 7, 50);
    EXPECT_TRUE(v == 0.2f && rgbOf(settings.colourComponents) == At02);
    EXPECT_EQ(pixelsOf(column.image(), At02), block(14, 300, 15, 301));
    plotGridConfidence(column, settings, v = -2.0f, 7, 50);
    EXPECT_TRUE(v == 2.0f && pixelsOf(column.image(), UpperClass) == block(14, 300, 15, 301));
    grid(7, 50) = 0.5;
    plotGridProbability(column, settings, grid, v, 7, 50);
    EXPECT_EQ(pixelsOf(column.image(), White), block(14, 300, 15, 301));
    const auto outOfRange = RuntimeFailure::Kind::SubscriptOutOfRange;
    EXPECT_EQ(failureKind([&] { plotGridProbability(column, settings, grid, v, 0, 201); }), outOfRange);
    EXPECT_EQ(failureKind([&] { plotGridColumn(column, settings, grid, C, Packed, 201); }), outOfRange);
    // The column's other cells are white and the rest untouched; read raw, 2.5 looks up 50, beyond the
    // ramp's end: black. Rows of ten steps on 400 x 100 are 10 pixels high; one row fills the height.
    grid(7, 50) = 2.5;
    plotGridColumn(column, settings, grid, C, Packed, 7);
    EXPECT_EQ(pixelsOf(column.image(), UpperClass), block(14, 300, 15, 301));
    EXPECT_EQ(pixelsOf(column.image(), White), block(14, 0, 15, 399, block(14, 300, 15, 301)));
    plotGridColumn(column, settings, grid, P, ProbabilitySource::RawValue, 7);
    EXPECT_EQ(pixelsOf(column.image(), Black), block(14, 300, 15, 301));
    plotGridFigure(column, settings, grid, C, Packed);
    EXPECT_EQ(pixelsOf(column.image(), White), block(0, 0, 399, 399, block(14, 300, 15, 301)));
    grid = ProbabilityGrid();
    grid(0, 200) = grid(1, 0) = 2.5;
    plotGridFigure(column, settings, grid, C, Packed);
    EXPECT_EQ(pixelsOf(column.image(), UpperClass), block(0, 0, 1, 1));
    SectionMatrix section(10);
    section(1, 100, 3) = 2.5;
    DrawingSurface rows = whiteSurface(400, 100, 1.0, Back);
    plotSectionRow(rows, settings, section, C, Packed, 3);
    EXPECT_EQ(pixelsOf(rows.image(), UpperClass), block(200, 30, 201, 39));
    EXPECT_EQ(pixelsOf(rows.image(), White), block(0, 30, 399, 39, block(200, 30, 201, 39)));
    plotSectionFigure(rows, settings, section, P, Packed); // 2.5 looks up 10, beyond the ramp: black
    EXPECT_EQ(pixelsOf(rows.image(), White), block(0, 0, 399, 99, block(200, 30, 201, 39)));
    SectionMatrix one(0);
    one(1, 7, 0) = 2.5;
    plotSectionColumn(rows, settings, one, C, Packed, 7);
    EXPECT_EQ(pixelsOf(rows.image(), UpperClass), block(14, 0, 15, 99));
}

const QRectF Plot(10.0, 20.0, 200.0, 100.0); // one unit per column

TEST(SectionFigureExportTest, CellBlocksMergeRunsAndRepeatedRowsAndLeaveWhiteOut)
{
    // Rows 0 and 1 alike: class 2 in columns 0 to 9, class 1 in 190 to 200, whose last column is cut away;
    // row 2 differs but starts at the plot's bottom edge and is cut away too.
    SectionMatrix section(2);
    for (int h = 0; h <= 2; ++h)
        for (int j = 0; j <= 200; ++j)
            section(1, j, h) = j <= 9 ? 2.5 : j >= 190 ? 1.5 : 0.0;
    section(1, 0, 2) = 1.5;
    std::vector<CellBlock> blocks = sectionCellBlocks(section, CellView::Confidence, ProgramSettings{}, Plot);
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_TRUE(blocks[0].rect == QRectF(10, 20, 10, 100) && blocks[0].colour == UpperClass);
    EXPECT_TRUE(blocks[1].rect == QRectF(200, 20, 10, 100) && blocks[1].colour == LowerClass);
    // One row fills the plot. In the probability view 2.01 and the average mark -3.01 both look up 0.2; the
    // mark is a point on the top edge at x = 10 + j.
    SectionMatrix one(0);
    one(1, 5, 0) = 2.01;
    one(1, 7, 0) = -3.01;
    blocks = sectionCellBlocks(one, CellView::Probability, ProgramSettings{}, Plot);
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_TRUE(blocks[0].rect == QRectF(15, 20, 1, 100) && blocks[0].colour == At02);
    EXPECT_TRUE(blocks[1].rect == QRectF(17, 20, 1, 100) && blocks[1].colour == At02);
    EXPECT_EQ(sectionCurveStrokes(one, CurveKind::Average, Plot),
              (std::vector<CurveStroke>{{{17, 20}, {17, 20}}}));
}

// The confidence view with both curves, the end values 0 and 400 on both axes, and both titles.
SectionFigure figureOf(const SectionMatrix& section)
{
    return {&section, CellView::Confidence, {}, true, true, "0", "400", "0", "400", "July (C)", "Depth (cm)"};
}

TEST(SectionFigureExportTest, LayoutKeepsTheWidthAndTheSectionsProportions)
{
    // The plot has the proportions of the window's section figure (2175 x 5535 twips); the text is 2.8 % of
    // the width high, rounded, and never below 9 pixels; everything lies inside the figure.
    const SectionMatrix section(4);
    for (const auto& [width, fontPixels] : {std::pair{100, 9}, {400, 11}, {600, 17}, {1600, 45}}) {
        const SectionFigureLayout layout = layoutSectionFigure(figureOf(section), width);
        EXPECT_TRUE(layout.fontPixels == fontPixels && layout.size.width() == width) << width;
        EXPECT_NEAR(layout.plot.height() / layout.plot.width(), 5535.0 / 2175.0, 1e-9);
        const QRectF whole(QPointF(0, 0), QSizeF(layout.size));
        for (const QRectF& part : {layout.plot, layout.topValue, layout.bottomValue, layout.leftValue})
            EXPECT_TRUE(whole.contains(part)) << width;
    }
}

TEST(SectionFigureExportTest, CellsCurvesAndTextsReachTheImage)
{
    SectionMatrix section(4);
    for (int h = 0; h <= 4; ++h) {
        for (int j = 60; j <= 140; ++j)
            section(1, j, h) = 2.2;
        section(1, 100, h) = 3.2;  // the mode straight down column 100
        section(1, 120, h) = -2.2; // the average down column 120
    }
    const SectionFigure figure = figureOf(section);
    const SectionFigureLayout layout = layoutSectionFigure(figure, 400);
    QImage image(layout.size, QImage::Format_RGB32);
    QPainter painter(&image);
    paintSectionFigure(painter, figure, layout);
    painter.end();
    const QRectF& plot = layout.plot;
    const auto at = [&](double j) {
        return image.pixel(int(plot.left() + plot.width() * j / 200), int(plot.center().y()));
    };
    EXPECT_TRUE(at(70.5) == UpperClass && at(20.5) == White && at(100) == Red && at(120) == Blue);
    const QRect underThePlot(0, int(layout.leftValue.top()), layout.size.width(), layout.size.height());
    EXPECT_GT(inkedPixels(image, underThePlot), 0); // the end values and the title
}

} // namespace
} // namespace brimvale
