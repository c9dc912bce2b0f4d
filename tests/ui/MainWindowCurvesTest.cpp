// The mode and average curves of the main window: where they land on both figures, their colours,
// which figures receive them, and the "Show mode" / "Show average" boxes that redraw them.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QImage>

#include <cmath>

#include "ui/MainWindowFixture.h"
#include "ui/PictureBox.h"
#include "ui/TwipsGeometry.h"

namespace brimvale {
namespace {

constexpr QRgb White = 0xffffffff;
constexpr QRgb Black = 0xff000000;
constexpr QRgb Red = 0xffff0000;
constexpr QRgb Blue = 0xff0000ff;
constexpr QRgb Green = 0xff00ff00;

// Fills the whole figure and freezes it, as drawn cells are.
void paintFrozen(PictureBox& figure, QRgb colour)
{
    DrawingSurface& surface = figure.surface();
    surface.filledBox(0, 0, surface.scaleWidth(), surface.scaleHeight(), colour);
    surface.freeze();
}

QImage imageOf(const PictureBox& figure)
{
    return figure.surface().image().convertToFormat(QImage::Format_ARGB32);
}

int pixelsOf(const PictureBox& figure, QRgb colour)
{
    const QImage image = imageOf(figure);
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == colour ? 1 : 0;
    }
    return count;
}

// Whether a pixel of the colour lies within one pixel of the point given in the figure's scale.
bool inkNear(const PictureBox& figure, double x, double y, QRgb colour)
{
    const QPointF device = figure.surface().toDevice(x, y);
    const QImage image = imageOf(figure);
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const int px = static_cast<int>(std::floor(device.x())) + dx;
            const int py = static_cast<int>(std::floor(device.y())) + dy;
            if (image.valid(px, py) && image.pixel(px, py) == colour)
                return true;
        }
    }
    return false;
}

class CurvesTest : public test::MainWindowFixture {
protected:
    void SetUp() override
    {
        // The cells: frozen, so that Cls returns to them.
        paintFrozen(*window->Picture1[1], Green);
        paintFrozen(*window->Picture1[2], Green);
    }

    // Gives column i of the grid a mode mark at j (and a plain cell of class 2 below it).
    void gridMode(int i, int j)
    {
        window->probabilityGrid(i, j) = 3.25;
        if (j > 0)
            window->probabilityGrid(i, j - 1) = 2.1;
    }

    void drawBoth()
    {
        window->DrawModeCurves();
        window->DrawAverageCurves();
    }

    double gridWidth() const { return window->Picture1[1]->surface().scaleWidth(); }
};

TEST_F(CurvesTest, GridMarksAreScaledByTheFigureWidthBothWays)
{
    // A figure taller than wide: both coordinates still follow its width, so the bottom mark (j = 0)
    // lies at one width from the top, well above the figure's bottom edge.
    setTwipsGeometry(*window->Picture1[1], 4440, 840, 2175, 3300);
    paintFrozen(*window->Picture1[1], Green);
    gridMode(40, 0);
    gridMode(120, 200);
    gridMode(160, 100);
    window->Drawn[1] = true;

    window->DrawModeCurves();

    const double w = gridWidth();
    ASSERT_GT(window->Picture1[1]->surface().scaleHeight(), w * 1.3);
    // Three isolated columns: three single pixels, nothing joined.
    EXPECT_EQ(pixelsOf(*window->Picture1[1], Red), 3);
    EXPECT_TRUE(inkNear(*window->Picture1[1], w * 40 / 200, w, Red));
    EXPECT_TRUE(inkNear(*window->Picture1[1], w * 120 / 200, 0, Red));
    EXPECT_TRUE(inkNear(*window->Picture1[1], w * 160 / 200, w / 2, Red));
    EXPECT_EQ(window->Picture1[1]->surface().drawWidth(), 1);
}

TEST_F(CurvesTest, SectionMarksLieOnTheirRowsInTheSectionScale)
{
    window->sectionMatrix = SectionMatrix(20);
    SectionMatrix& section = window->sectionMatrix;
    section(1, 50, 5) = 3.5;   // an isolated mode
    section(1, 100, 10) = 3.5; // two neighbouring modes, joined
    section(1, 101, 11) = 3.5;
    section(1, 150, 15) = -0.25; // an isolated average
    window->Drawn[2] = true;

    drawBoth();

    const DrawingSurface& figure = window->Picture1[2]->surface();
    EXPECT_EQ(figure.scaleLeft(), 0.0);
    EXPECT_EQ(figure.scaleTop(), 0.0);
    EXPECT_EQ(figure.scaleWidth(), 20.0);
    EXPECT_EQ(figure.scaleHeight(), 20.0);
    // Column j at x = 20 * j / 200, row h at y = h.
    EXPECT_TRUE(inkNear(*window->Picture1[2], 5.0, 5.0, Red));
    EXPECT_TRUE(inkNear(*window->Picture1[2], 10.0, 10.0, Red));
    EXPECT_TRUE(inkNear(*window->Picture1[2], 10.1, 10.5, Red));
    EXPECT_TRUE(inkNear(*window->Picture1[2], 10.1, 11.0, Red));
    EXPECT_TRUE(inkNear(*window->Picture1[2], 15.0, 15.0, Blue));
    EXPECT_EQ(pixelsOf(*window->Picture1[2], Blue), 1);
}

TEST_F(CurvesTest, CurveColoursFollowTheGreyScale)
{
    struct Case {
        bool greyScale;
        QRgb mode;
        QRgb average;
    };
    for (const Case& c : {Case{false, Red, Blue}, Case{true, Black, Black}}) {
        SCOPED_TRACE(c.greyScale);
        window->Picture1[1]->surface().cls();
        window->probabilityGrid.clear();
        gridMode(30, 100);
        window->probabilityGrid(90, 100) = -0.5;
        window->Drawn[1] = true;
        window->Settings.greyScale = c.greyScale;

        drawBoth();

        const double w = gridWidth();
        EXPECT_TRUE(inkNear(*window->Picture1[1], w * 30 / 200, w / 2, c.mode));
        EXPECT_TRUE(inkNear(*window->Picture1[1], w * 90 / 200, w / 2, c.average));
        const QImage image = imageOf(*window->Picture1[1]);
        EXPECT_EQ(pixelsOf(*window->Picture1[1], Green), image.width() * image.height() - 2);
    }
}

TEST_F(CurvesTest, OnlyTheFiguresHoldingAnImageReceiveCurves)
{
    gridMode(100, 100);
    window->sectionMatrix = SectionMatrix(4);
    window->sectionMatrix(1, 100, 2) = 3.5;
    window->Picture1[1]->surface().setDrawWidth(3);
    window->Picture1[2]->surface().setDrawWidth(3);

    drawBoth();

    // Neither figure holds an image: nothing drawn, but both pens are back at 1.
    EXPECT_EQ(pixelsOf(*window->Picture1[1], Red), 0);
    EXPECT_EQ(pixelsOf(*window->Picture1[2], Red), 0);
    EXPECT_EQ(window->Picture1[1]->surface().drawWidth(), 1);
    EXPECT_EQ(window->Picture1[2]->surface().drawWidth(), 1);

    window->Drawn[2] = true;
    drawBoth();

    EXPECT_EQ(pixelsOf(*window->Picture1[1], Red), 0);
    EXPECT_EQ(pixelsOf(*window->Picture1[2], Red), 1);
}

TEST_F(CurvesTest, UntickingABoxRemovesItsCurveAndKeepsTheCells)
{
    gridMode(60, 100);
    window->probabilityGrid(140, 100) = -0.5;
    window->sectionMatrix = SectionMatrix(10);
    window->sectionMatrix(1, 40, 3) = 3.5;
    window->sectionMatrix(1, 160, 7) = -0.5;
    window->Drawn[1] = true;
    window->Drawn[2] = true;
    drawBoth();
    for (const PictureBox* figure : {window->Picture1[1], window->Picture1[2]}) {
        ASSERT_EQ(pixelsOf(*figure, Red), 1);
        ASSERT_EQ(pixelsOf(*figure, Blue), 1);
    }

    window->Check4->setChecked(false);

    for (const PictureBox* figure : {window->Picture1[1], window->Picture1[2]}) {
        SCOPED_TRACE(figure->objectName().toStdString());
        EXPECT_EQ(pixelsOf(*figure, Red), 0);
        EXPECT_EQ(pixelsOf(*figure, Blue), 1);
        const QImage image = imageOf(*figure);
        EXPECT_EQ(pixelsOf(*figure, Green), image.width() * image.height() - 1);
    }

    window->Check8->setChecked(false);

    for (const PictureBox* figure : {window->Picture1[1], window->Picture1[2]}) {
        const QImage image = imageOf(*figure);
        EXPECT_EQ(pixelsOf(*figure, Green), image.width() * image.height());
    }

    window->Check4->setChecked(true);

    for (const PictureBox* figure : {window->Picture1[1], window->Picture1[2]}) {
        EXPECT_EQ(pixelsOf(*figure, Red), 1);
        EXPECT_EQ(pixelsOf(*figure, Blue), 0);
    }
}

} // namespace
} // namespace brimvale
