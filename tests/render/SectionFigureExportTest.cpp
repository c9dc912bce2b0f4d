// The exported section figure: merged cell blocks, curve strokes, layout, and pixels of a painted image.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "render/SectionFigureExport.h"

namespace brimvale {
namespace {

constexpr QRgb White = 0xffffffff;
constexpr QRgb UpperClass = 0xffc8ffc8; // class 2 and above in the confidence view
constexpr QRgb LowerClass = 0xff327f32; // class 1

const QRectF Plot(10.0, 20.0, 200.0, 100.0);

// Rows 0 and 1 alike: class 2 in columns 0 to 9, class 1 in 10 to 19; row 2 differs.
SectionMatrix twoBandSection()
{
    SectionMatrix section(2);
    for (int h = 0; h <= 1; ++h) {
        for (int j = 0; j <= 9; ++j)
            section(1, j, h) = 2.5;
        for (int j = 10; j <= 19; ++j)
            section(1, j, h) = 1.5;
    }
    section(1, 0, 2) = 1.5;
    return section;
}

TEST(SectionCellBlocksTest, RunsAndRepeatedRowsMergeAndWhiteIsLeftOut)
{
    const std::vector<CellBlock> blocks =
        sectionCellBlocks(twoBandSection(), CellView::Confidence, ProgramSettings{}, Plot);
    // Two rows of two runs become two blocks, each two rows tall; the last row starts at the plot's
    // bottom edge (row 2 of 2 steps) and is cut away entirely.
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[0].rect, QRectF(10.0, 20.0, 10.0, 100.0));
    EXPECT_EQ(blocks[0].colour, UpperClass);
    EXPECT_EQ(blocks[1].rect, QRectF(20.0, 20.0, 10.0, 100.0));
    EXPECT_EQ(blocks[1].colour, LowerClass);
}

TEST(SectionCellBlocksTest, LastColumnLiesBeyondThePlot)
{
    SectionMatrix section(4);
    section(1, 200, 1) = 2.5;
    section(1, 199, 1) = 2.5;
    const std::vector<CellBlock> blocks =
        sectionCellBlocks(section, CellView::Confidence, ProgramSettings{}, Plot);
    // Column 199 spans x 199 to 200 of the plot; column 200 starts at its right edge.
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_EQ(blocks[0].rect, QRectF(209.0, 45.0, 1.0, 25.0));
}

TEST(SectionCellBlocksTest, ProbabilityViewColoursByTheFraction)
{
    SectionMatrix section(1);
    section(1, 5, 0) = 2.01;  // inside a confidence region: a ramp colour
    section(1, 6, 0) = 0.01;  // outside every region: white, whatever its probability
    section(1, 7, 0) = -3.01; // the average mark counts by its magnitude
    const std::vector<CellBlock> blocks =
        sectionCellBlocks(section, CellView::Probability, ProgramSettings{}, Plot);
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[0].rect.left(), 15.0);
    EXPECT_EQ(blocks[1].rect.left(), 17.0);
    EXPECT_EQ(blocks[0].colour,
              cellColour(ProgramSettings{}, 2.01, CellView::Probability, ProbabilitySource::PackedFraction));
    EXPECT_EQ(blocks[0].colour, blocks[1].colour);
    EXPECT_NE(blocks[0].colour, White);
}

TEST(SectionCurveStrokesTest, MarksMapOntoThePlot)
{
    SectionMatrix section(4);
    section(1, 100, 0) = 3.1;
    section(1, 101, 1) = 3.1;
    section(1, 50, 3) = -2.0;
    const std::vector<CurveStroke> mode = sectionCurveStrokes(section, CurveKind::Mode, Plot);
    // Row h at y = 20 + 100 h / 4, position j at x = 10 + 200 j / 200.
    // The line between rows 0 and 1, then row 1's mark alone, its neighbour below having none.
    ASSERT_EQ(mode.size(), 2u);
    EXPECT_EQ(mode[0], (CurveStroke{QPointF(110.0, 20.0), QPointF(111.0, 45.0)}));
    EXPECT_EQ(mode[1], (CurveStroke{QPointF(111.0, 45.0), QPointF(111.0, 45.0)}));
    const std::vector<CurveStroke> average = sectionCurveStrokes(section, CurveKind::Average, Plot);
    // A mark between two rows without marks is a point for each of its two neighbour pairs.
    const CurveStroke point{QPointF(60.0, 95.0), QPointF(60.0, 95.0)};
    EXPECT_EQ(average, (std::vector<CurveStroke>{point, point}));
}

SectionFigure figureOf(const SectionMatrix& section)
{
    SectionFigure figure;
    figure.section = &section;
    figure.view = CellView::Confidence;
    figure.topValue = QStringLiteral("0");
    figure.bottomValue = QStringLiteral("400");
    figure.leftValue = QStringLiteral("-10");
    figure.rightValue = QStringLiteral("20");
    figure.horizontalTitle = QStringLiteral("Mean July temperature (C)");
    figure.verticalTitle = QStringLiteral("Depth (cm)");
    return figure;
}

TEST(SectionFigureLayoutTest, KeepsTheWidthAndTheSectionsProportions)
{
    const SectionMatrix section = twoBandSection();
    for (const int width : {100, 400, 1600}) {
        const SectionFigureLayout layout = layoutSectionFigure(figureOf(section), width);
        EXPECT_EQ(layout.size.width(), width);
        EXPECT_NEAR(layout.plot.height() / layout.plot.width(), SectionFigureLayout::PlotAspect, 1e-9);
        const QRectF whole(QPointF(0, 0), QSizeF(layout.size));
        EXPECT_TRUE(whole.contains(layout.plot)) << width;
        for (const QRectF& text : {layout.topValue, layout.bottomValue, layout.leftValue, layout.rightValue})
            EXPECT_TRUE(whole.contains(text)) << width;
        // The end values stand left of and under the plot.
        EXPECT_LE(layout.topValue.right(), layout.plot.left());
        EXPECT_GE(layout.leftValue.top(), layout.plot.bottom());
        EXPECT_GE(layout.horizontalTitle.top(), layout.leftValue.bottom());
    }
}

TEST(SectionFigurePaintTest, CellsCurvesAndTextsReachTheImage)
{
    SectionMatrix section(4);
    for (int h = 0; h <= 4; ++h) {
        for (int j = 60; j <= 140; ++j)
            section(1, j, h) = 2.2;
        section(1, 100, h) = 3.2;
    }
    const SectionFigure figure = figureOf(section);
    const SectionFigureLayout layout = layoutSectionFigure(figure, 400);
    QImage image(layout.size, QImage::Format_RGB32);
    QPainter painter(&image);
    paintSectionFigure(painter, figure, layout);
    painter.end();

    const QRectF& plot = layout.plot;
    const auto at = [&](double j, double fractionDown) {
        return image.pixel(static_cast<int>(plot.left() + plot.width() * j / 200.0),
                           static_cast<int>(plot.top() + plot.height() * fractionDown));
    };
    EXPECT_EQ(at(70.5, 0.5), UpperClass);
    EXPECT_EQ(at(20.5, 0.5), White);
    // The mode runs straight down column 100 in red.
    EXPECT_EQ(at(100.0, 0.5), 0xffff0000);
    // Some text is printed under the plot.
    bool dark = false;
    for (int y = static_cast<int>(layout.leftValue.top()); y < layout.size.height(); ++y)
        for (int x = 0; x < layout.size.width(); ++x)
            dark = dark || qGray(image.pixel(x, y)) < 100;
    EXPECT_TRUE(dark);
}

} // namespace
} // namespace brimvale
