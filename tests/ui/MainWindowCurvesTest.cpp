// The mode and average curves of the main window: which figures receive them, their colours, and the
// "Show mode" / "Show average" boxes that redraw them. Where the marks land is pinned by
// render/OverlayCurvesTest.
#include <gtest/gtest.h>

#include <QCheckBox>

#include "ui/MainWindowFixture.h"
#include "ui/PictureBox.h"

namespace brimvale {
namespace {

using test::colourCount;

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

int pixelCount(const PictureBox& figure)
{
    return figure.surface().image().width() * figure.surface().image().height();
}

class CurvesTest : public test::MainWindowFixture {
protected:
    void SetUp() override
    {
        // The cells: frozen, so that Cls returns to them.
        paintFrozen(*window->Picture1[1], Green);
        paintFrozen(*window->Picture1[2], Green);
    }

    void drawBoth()
    {
        window->DrawModeCurves();
        window->DrawAverageCurves();
    }
};

TEST_F(CurvesTest, OnlyTheFiguresHoldingAnImageReceiveCurvesInTheColoursOfTheScale)
{
    window->probabilityGrid(100, 100) = 3.25;
    window->sectionMatrix = SectionMatrix(4);
    window->sectionMatrix(1, 100, 2) = 3.5;
    window->Picture1[1]->surface().setDrawWidth(3);
    window->Picture1[2]->surface().setDrawWidth(3);

    drawBoth();

    // Neither figure holds an image: nothing drawn, but both pens are back at 1.
    EXPECT_EQ(colourCount(*window->Picture1[1], Red), 0);
    EXPECT_EQ(colourCount(*window->Picture1[2], Red), 0);
    EXPECT_EQ(window->Picture1[1]->surface().drawWidth(), 1);
    EXPECT_EQ(window->Picture1[2]->surface().drawWidth(), 1);

    window->Drawn[2] = true;
    drawBoth();

    EXPECT_EQ(colourCount(*window->Picture1[1], Red), 0);
    EXPECT_EQ(colourCount(*window->Picture1[2], Red), 1);

    window->Picture1[2]->surface().cls();
    window->Settings.greyScale = true;
    window->Drawn[1] = true;
    window->probabilityGrid(50, 100) = -0.5;
    drawBoth();

    for (const PictureBox* figure : {window->Picture1[1], window->Picture1[2]}) {
        SCOPED_TRACE(figure->objectName().toStdString());
        EXPECT_EQ(colourCount(*figure, Red), 0);
        EXPECT_EQ(colourCount(*figure, Blue), 0);
    }
    EXPECT_EQ(colourCount(*window->Picture1[1], Black), 2);
    EXPECT_EQ(colourCount(*window->Picture1[2], Black), 1);
}

TEST_F(CurvesTest, UntickingABoxRemovesItsCurveAndKeepsTheCells)
{
    window->probabilityGrid(60, 100) = 3.25;
    window->probabilityGrid(140, 100) = -0.5;
    window->sectionMatrix = SectionMatrix(10);
    window->sectionMatrix(1, 40, 3) = 3.5;
    window->sectionMatrix(1, 160, 7) = -0.5;
    window->Drawn[1] = true;
    window->Drawn[2] = true;
    drawBoth();
    for (const PictureBox* figure : {window->Picture1[1], window->Picture1[2]}) {
        ASSERT_EQ(colourCount(*figure, Red), 1);
        ASSERT_EQ(colourCount(*figure, Blue), 1);
    }

    window->Check4->setChecked(false);

    for (const PictureBox* figure : {window->Picture1[1], window->Picture1[2]}) {
        SCOPED_TRACE(figure->objectName().toStdString());
        EXPECT_EQ(colourCount(*figure, Red), 0);
        EXPECT_EQ(colourCount(*figure, Blue), 1);
        EXPECT_EQ(colourCount(*figure, Green), pixelCount(*figure) - 1);
    }

    window->Check8->setChecked(false);

    for (const PictureBox* figure : {window->Picture1[1], window->Picture1[2]})
        EXPECT_EQ(colourCount(*figure, Green), pixelCount(*figure));

    window->Check4->setChecked(true);

    for (const PictureBox* figure : {window->Picture1[1], window->Picture1[2]}) {
        EXPECT_EQ(colourCount(*figure, Red), 1);
        EXPECT_EQ(colourCount(*figure, Blue), 0);
    }
}

} // namespace
} // namespace brimvale
