// The cell plots: cell geometry, colours of both views read back from the figures, per-cell and whole-figure
// drawing alike.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "render/CellPlot.h"
#include "support/FailureKind.h"

namespace brimvale {
namespace {

constexpr QRgb Back = 0xff123456; // a colour no cell takes
const QRgb White = qRgb(255, 255, 255);
const QRgb UpperClass = qRgb(200, 255, 200);
const QRgb LowerClass = qRgb(50, 127, 50);

DrawingSurface makeSurface(QSize size, qreal ratio = 1.0)
{
    DrawingSurface surface(size, ratio);
    surface.setBackColor(Back);
    return surface;
}

// Three classes in a pattern in which every cell differs from its four neighbours.
double patternCell(int i, int j)
{
    static const double classes[] = {0.5, 1.5, 2.5};
    return classes[(i + 2 * j) % 3];
}

QRgb patternColour(int i, int j)
{
    const QRgb colours[] = {White, LowerClass, UpperClass};
    return colours[(i + 2 * j) % 3];
}

TEST(CellPlotTest, CellsTileTheFigureInTheirPlaces)
{
    // Grid sizes in device pixels are multiples of 8 and section row counts odd, so no cell edge falls
    // on half a pixel; fewer pixels than cells (96 and 136) hide some cells but keep the others in place.
    struct Layout {
        QSize size;
        qreal ratio;
        int verticalSteps; // -1: the grid figure
    };
    const Layout layouts[] = {{{136, 136}, 1.0, -1},  {{808, 216}, 1.0, -1}, {{96, 48}, 1.0, -1},
                              {{68, 100}, 2.0, -1},   {{96, 64}, 1.5, -1},   {{136, 365}, 1.0, 511},
                              {{400, 800}, 1.0, 199}, {{296, 64}, 1.0, 0},   {{808, 50}, 1.0, 1},
                              {{48, 30}, 1.0, 63},    {{96, 70}, 1.5, 5}};
    ProbabilityGrid grid;
    for (int i = 0; i < ProbabilityGrid::Steps; ++i)
        for (int j = 0; j < ProbabilityGrid::Steps; ++j)
            grid(i, j) = patternCell(i, j);
    const ProgramSettings settings;
    for (const Layout& layout : layouts) {
        SCOPED_TRACE(testing::Message() << layout.size.width() << "x" << layout.size.height() << " at "
                                        << layout.ratio << ", rows 0.." << layout.verticalSteps);
        DrawingSurface surface = makeSurface(layout.size, layout.ratio);
        const bool isGrid = layout.verticalSteps < 0;
        if (isGrid) {
            plotGridFigure(surface, settings, grid, CellView::Confidence, ProbabilitySource::PackedFraction);
        } else {
            SectionMatrix section(static_cast<std::int16_t>(layout.verticalSteps));
            for (int i = 0; i < SectionMatrix::Columns; ++i)
                for (int h = 0; h <= layout.verticalSteps; ++h)
                    section(1, i, h) = patternCell(i, h);
            plotSectionFigure(surface, settings, section, CellView::Confidence,
                              ProbabilitySource::PackedFraction);
        }
        const QImage& image = surface.image();
        const int w = image.width();
        const int h = image.height();
        // Column i covers x from i * w / 200 to (i + 1) * w / 200; grid row j the same band counted up
        // from the bottom; section row r is h / verticalSteps high from the top, and one row alone fills
        // the height. Column and row 200 (and the section's last row) lie beyond the edges.
        const int rows = isGrid ? 200 : std::max(layout.verticalSteps, 1);
        int wrong = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const int i = static_cast<int>(std::floor((x + 0.5) * 200 / w));
                const int row = static_cast<int>(std::floor((isGrid ? h - y - 0.5 : y + 0.5) * rows / h));
                if (image.pixel(x, y) != patternColour(i, row) && ++wrong <= 5)
                    ADD_FAILURE() << "pixel " << x << "," << y << " should show cell " << i << "," << row;
            }
        }
        EXPECT_EQ(wrong, 0);
    }
}

TEST(CellPlotTest, ColoursOfBothViewsInTheFigure)
{
    // 400 x 400 pixels: grid cell (i, j) covers pixels 2i..2i+1 by 398-2j..399-2j.
    struct Case {
        const char* name;
        double cell;
        CellView view;
        bool grey;
        float zEnhancement;
        ProbabilitySource source;
        QRgb expected;
    };
    const auto P = CellView::Probability;
    const auto C = CellView::Confidence;
    const auto Packed = ProbabilitySource::PackedFraction;
    const auto Raw = ProbabilitySource::RawValue;
    // The packed probability 0.02 enters the default ramp at 20 * 0.02 = 0.4: red two thirds up
    // 0.3..0.45 (170), green full, blue past 0.35.
    const QRgb at04 = qRgb(170, 255, 0);
    const Case cases[] = {
        {"class 1, probability 0.02", 1.02, P, false, 1.0f, Packed, at04},
        {"class 2, same probability", 2.02, P, false, 1.0f, Packed, at04},
        {"mode mark, same probability", 3.02, P, false, 1.0f, Packed, at04},
        {"average mark by magnitude", -1.02, P, false, 1.0f, Packed, at04},
        {"class 0 is white", 0.5, P, false, 1.0f, Packed, White},
        {"class 0 near 1 is white", 0.999, P, false, 1.0f, Packed, White},
        {"half enhancement", 1.04, P, false, 0.5f, Packed, at04},
        {"no enhancement: colour of 0", 1.3, P, false, 0.0f, Packed, qRgb(0, 0, 0)},
        {"no enhancement, class 0", 0.3, P, false, 0.0f, Packed, White},
        // Grey ramp at 0.4: (0.6 - 0.4) / 0.6 * 255 = 85.
        {"grey scale", 1.02, P, true, 1.0f, Packed, qRgb(85, 85, 85)},
        // A raw probability is twenty times the cell; the white rule still tests the cell itself.
        {"raw probability below 1", 0.02, P, false, 1.0f, Raw, White},
        {"raw value 1: 20 is beyond the ramp", 1.0, P, false, 1.0f, Raw, qRgb(0, 0, 0)},
        {"confidence class 1", 1.02, C, false, 1.0f, Packed, LowerClass},
        {"confidence class 2", 2.02, C, false, 1.0f, Packed, UpperClass},
        {"confidence class 2 from 2", 2.0, C, false, 1.0f, Packed, UpperClass},
        {"confidence class 1 from 1", 1.0, C, false, 1.0f, Packed, LowerClass},
        {"confidence class 0 below 1", 0.99, C, false, 1.0f, Packed, White},
        {"confidence average mark", -2.5, C, false, 1.0f, Packed, UpperClass},
        {"confidence class 0", 0.5, C, false, 1.0f, Packed, White},
        {"grey class 1", 1.999, C, true, 1.0f, Packed, qRgb(100, 100, 100)},
        {"grey class 2", 2.02, C, true, 1.0f, Packed, qRgb(200, 200, 200)},
        {"grey class 0", 0.7, C, true, 1.0f, Packed, White},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProgramSettings settings;
        settings.greyScale = c.grey;
        if (c.grey)
            settings.colourRamp.points = ColourRamp::greyScale();
        settings.zEnhancement = c.zEnhancement;
        ProbabilityGrid grid;
        grid(57, 123) = c.cell;
        DrawingSurface surface = makeSurface(QSize(400, 400));
        plotGridFigure(surface, settings, grid, c.view, c.source);
        EXPECT_EQ(surface.image().pixel(114, 398 - 246), c.expected);
        EXPECT_EQ(surface.image().pixel(115, 399 - 246), c.expected);

        SectionMatrix section(100);
        section(1, 57, 42) = c.cell;
        DrawingSurface sectionSurface = makeSurface(QSize(400, 400)); // rows 4 pixels high
        plotSectionFigure(sectionSurface, settings, section, c.view, c.source);
        EXPECT_EQ(sectionSurface.image().pixel(114, 168), c.expected);
        EXPECT_EQ(sectionSurface.image().pixel(115, 171), c.expected);
    }
}

TEST(CellPlotTest, CellByCellDrawsTheSameFigureAsAtOnce)
{
    ProgramSettings settings;
    ProbabilityGrid grid;
    SectionMatrix section(99);
    for (int i = 0; i <= 200; ++i) {
        for (int j = 0; j <= 200; ++j)
            grid(i, j) =
                ((i + j) % 5 == 0 ? -1 : 1) * ((i * 7 + j * 13) % 4 + ((i * 31 + j * 17) % 50) / 1000.0);
        for (int h = 0; h <= 99; ++h)
            section(1, i, h) = ((i + h) % 3 == 0 ? -1 : 1) * ((i + h) % 4 + ((i * 3 + h * 11) % 50) / 1000.0);
    }
    for (const CellView view : {CellView::Probability, CellView::Confidence}) {
        SCOPED_TRACE(view == CellView::Probability ? "probability" : "confidence");
        DrawingSurface atOnce = makeSurface(QSize(283, 197));
        DrawingSurface byCell = makeSurface(QSize(283, 197));
        DrawingSurface sectionAtOnce = makeSurface(QSize(150, 355));
        DrawingSurface sectionByCell = makeSurface(QSize(150, 355));
        plotGridFigure(atOnce, settings, grid, view, ProbabilitySource::PackedFraction);
        plotSectionFigure(sectionAtOnce, settings, section, view, ProbabilitySource::PackedFraction);
        // The caller passes twenty times the fraction of a packed cell in the probability view, else the
        // cell.
        const auto valueOf = [&](double cell) {
            const double m = std::fabs(cell);
            return view == CellView::Probability ? static_cast<float>((m - std::floor(m)) * 20.0)
                                                 : static_cast<float>(cell);
        };
        for (int i = 0; i <= 200; ++i) {
            for (int j = 0; j <= 200; ++j) {
                float v = valueOf(grid(i, j));
                if (view == CellView::Probability)
                    plotGridProbability(byCell, settings, grid, v, i, j);
                else
                    plotGridConfidence(byCell, settings, v, i, j);
            }
            for (int h = 0; h <= 99; ++h) {
                float v = valueOf(section(1, i, h));
                if (view == CellView::Probability)
                    plotSectionProbability(sectionByCell, settings, section, v, i, h);
                else
                    plotSectionConfidence(sectionByCell, settings, section, v, i, h);
            }
        }
        EXPECT_EQ(atOnce.image(), byCell.image());
        EXPECT_EQ(sectionAtOnce.image(), sectionByCell.image());
    }
}

TEST(CellPlotTest, CellPlotsReturnTheMagnitudeAndKeepTheComponents)
{
    ProgramSettings settings;
    ProbabilityGrid grid;
    grid(3, 4) = -1.025;
    DrawingSurface surface = makeSurface(QSize(400, 400));
    float v = -0.5f;
    plotGridProbability(surface, settings, grid, v, 3, 4);
    EXPECT_EQ(v, 0.5f);
    EXPECT_EQ(settings.colourComponents[0], 255.0f);
    EXPECT_NEAR(settings.colourComponents[1], 191.25f, 1e-3);
    EXPECT_EQ(settings.colourComponents[2], 0.0f);
    EXPECT_EQ(surface.image().pixel(6, 390), qRgb(255, 191, 0));

    // A class-0 cell is white whatever the value.
    grid(3, 4) = 0.4;
    v = -0.5f;
    plotGridProbability(surface, settings, grid, v, 3, 4);
    EXPECT_EQ(v, 0.5f);
    EXPECT_EQ(settings.colourComponents, (std::array<float, 3>{255.0f, 255.0f, 255.0f}));
    EXPECT_EQ(surface.image().pixel(6, 390), White);

    v = -1.5f;
    plotGridConfidence(surface, settings, v, 3, 4);
    EXPECT_EQ(v, 1.5f);
    EXPECT_EQ(surface.image().pixel(6, 390), LowerClass);
}

TEST(CellPlotTest, RowsAndColumnsDrawOnlyTheirCellsAndFiguresReportProgress)
{
    const ProgramSettings settings;
    const auto packed = ProbabilitySource::PackedFraction;
    SectionMatrix section(10);
    for (int i = 0; i <= 200; ++i)
        for (int h = 0; h <= 10; ++h)
            section(1, i, h) = 2.5;
    DrawingSurface row = makeSurface(QSize(400, 100)); // rows 10 pixels high
    plotSectionRow(row, settings, section, CellView::Confidence, packed, 3);
    DrawingSurface column = makeSurface(QSize(400, 100));
    plotSectionColumn(column, settings, section, CellView::Confidence, packed, 7);
    for (int y = 0; y < 100; ++y)
        EXPECT_EQ(row.image().pixel(200, y), (y >= 30 && y < 40) ? UpperClass : Back) << y;
    for (int x = 0; x < 400; ++x)
        EXPECT_EQ(column.image().pixel(x, 50), (x >= 14 && x < 16) ? UpperClass : Back) << x;

    std::vector<int> reported;
    const auto report = [&](int i) { reported.push_back(i); };
    plotGridFigure(row, settings, ProbabilityGrid{}, CellView::Confidence, packed, report);
    plotSectionFigure(row, settings, section, CellView::Probability, packed, report);
    ASSERT_EQ(reported.size(), 402u);
    for (std::size_t k = 0; k < reported.size(); ++k)
        EXPECT_EQ(reported[k], static_cast<int>(k % 201));
}

TEST(CellPlotTest, IndicesOutsideTheMatricesFail)
{
    ProgramSettings settings;
    ProbabilityGrid grid;
    SectionMatrix section(9);
    DrawingSurface surface = makeSurface(QSize(50, 50));
    float v = 1.0f;
    const auto packed = ProbabilitySource::PackedFraction;
    const std::function<void()> calls[] = {
        [&] { plotGridProbability(surface, settings, grid, v, 0, 201); },
        [&] { plotSectionProbability(surface, settings, section, v, -1, 0); },
        [&] { plotSectionProbability(surface, settings, section, v, 0, 10); },
        [&] { plotGridColumn(surface, settings, grid, CellView::Probability, packed, 201); },
        [&] { plotSectionRow(surface, settings, section, CellView::Confidence, packed, 10); }};
    for (const auto& call : calls)
        EXPECT_EQ(test::failureKind(call), RuntimeFailure::Kind::SubscriptOutOfRange);
}

} // namespace
} // namespace brimvale
