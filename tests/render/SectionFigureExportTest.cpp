// The exported section figure: merged cell blocks, curve strokes, layout, and pixels of a painted image.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "render/SectionFigureExport.h"
#include "render/SurfaceProbe.h"

namespace brimvale {
namespace {

const QRectF Plot(10.0, 20.0, 200.0, 100.0); // one unit per column

TEST(SectionFigureExportTest, CellBlocksMergeRunsAndRepeatedRowsAndLeaveWhiteOut)
{
    // Rows 0 and 1 alike: class 2 in columns 0 to 9, class 1 in 10 to 19; row 2 differs but starts at the
    // plot's bottom edge and is cut away, as are the cells of column 200.
    SectionMatrix section(2);
    for (int h = 0; h <= 2; ++h)
        for (int j = 0; j <= 200; ++j)
            section(1, j, h) = j <= 9 || j == 200 ? 2.5 : j <= 19 ? 1.5 : 0.0;
    section(1, 0, 2) = 1.5;
    std::vector<CellBlock> blocks = sectionCellBlocks(section, CellView::Confidence, ProgramSettings{}, Plot);
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_TRUE(blocks[0].rect == QRectF(10, 20, 10, 100) && blocks[0].colour == test::UpperClass);
    EXPECT_TRUE(blocks[1].rect == QRectF(20, 20, 10, 100) && blocks[1].colour == test::LowerClass);

    // One row fills the plot. In the probability view 2.01 and the average mark -3.01 both look up 0.2
    // (green a third up its rise, blue full); 0.01 lies outside every region and stays white.
    SectionMatrix one(0);
    one(1, 5, 0) = 2.01;
    one(1, 6, 0) = 0.01;
    one(1, 7, 0) = -3.01;
    blocks = sectionCellBlocks(one, CellView::Probability, ProgramSettings{}, Plot);
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_TRUE(blocks[0].rect == QRectF(15, 20, 1, 100) && blocks[0].colour == qRgb(0, 85, 255));
    EXPECT_TRUE(blocks[1].rect == QRectF(17, 20, 1, 100) && blocks[1].colour == qRgb(0, 85, 255));
}

TEST(SectionFigureExportTest, CurveMarksMapOntoThePlot)
{
    // Row h at y = 20 + 100 h / 4, position j at x = 10 + j: the line between rows 0 and 1, then row 1's
    // mark alone, its neighbour below having none; a mark between two rows without marks is a point for
    // each of its two neighbour pairs; the one row of a section of one row lies on the top edge.
    SectionMatrix section(4);
    section(1, 100, 0) = 3.1;
    section(1, 101, 1) = 3.1;
    section(1, 50, 3) = -2.0;
    using Strokes = std::vector<CurveStroke>;
    EXPECT_EQ(sectionCurveStrokes(section, CurveKind::Mode, Plot),
              (Strokes{{QPointF(110, 20), QPointF(111, 45)}, {QPointF(111, 45), QPointF(111, 45)}}));
    const CurveStroke point{QPointF(60, 95), QPointF(60, 95)};
    EXPECT_EQ(sectionCurveStrokes(section, CurveKind::Average, Plot), (Strokes{point, point}));
    SectionMatrix one(0);
    one(1, 100, 0) = 3.1;
    EXPECT_EQ(sectionCurveStrokes(one, CurveKind::Mode, Plot),
              (Strokes{{QPointF(110, 20), QPointF(110, 20)}}));
}

SectionFigure figureOf(const SectionMatrix& section)
{
    SectionFigure figure;
    figure.section = &section;
    figure.view = CellView::Confidence;
    figure.topValue = figure.leftValue = QStringLiteral("0");
    figure.bottomValue = figure.rightValue = QStringLiteral("400");
    figure.horizontalTitle = QStringLiteral("Mean July temperature (C)");
    figure.verticalTitle = QStringLiteral("Depth (cm)");
    return figure;
}

TEST(SectionFigureExportTest, LayoutKeepsTheWidthAndTheSectionsProportions)
{
    // The plot has the proportions of the window's section figure (2175 x 5535 twips); the text is 2.8 % of
    // the width high, rounded, and never below 9 pixels; the end values stand left of and under the plot.
    const SectionMatrix section(4);
    for (const auto& [width, fontPixels] : {std::pair{100, 9}, {400, 11}, {600, 17}, {1600, 45}}) {
        const SectionFigureLayout layout = layoutSectionFigure(figureOf(section), width);
        EXPECT_EQ(layout.fontPixels, fontPixels);
        EXPECT_EQ(layout.size.width(), width);
        EXPECT_NEAR(layout.plot.height() / layout.plot.width(), 5535.0 / 2175.0, 1e-9);
        const QRectF whole(QPointF(0, 0), QSizeF(layout.size));
        for (const QRectF& part : {layout.plot, layout.topValue, layout.bottomValue, layout.leftValue})
            EXPECT_TRUE(whole.contains(part)) << width;
        EXPECT_LE(layout.topValue.right(), layout.plot.left());
        EXPECT_GE(layout.leftValue.top(), layout.plot.bottom());
        EXPECT_GE(layout.horizontalTitle.top(), layout.leftValue.bottom());
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
    EXPECT_TRUE(at(70.5) == test::UpperClass && at(20.5) == test::White && at(100) == test::Red &&
                at(120) == test::Blue);
    const QRect underThePlot(0, int(layout.leftValue.top()), layout.size.width(), layout.size.height());
    EXPECT_GT(test::inkedPixels(image, underThePlot), 0); // the end values and the title
}

} // namespace
} // namespace brimvale
