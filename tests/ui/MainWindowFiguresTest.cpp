// The main window's figures as the user changes the view, the colours, the smoothing and the sizes.
#include <QApplication>
#include <QLineEdit>
#include <QProgressBar>

#include <array>

#include "ui/ColourDialog.h"
#include "ui/WindowTest.h"

namespace brimvale::test {
namespace {

// Probability 0.02 enters the default ramp at 0.4: red two thirds up its rise from 0.3 to 0.45, green on
// its plateau, blue gone.
const QRgb RampAt04 = qRgb(170, 255, 0);

// A row of column i of the default matrix inside the class, with its neighbours in the same class and no
// mode or average mark near: the figure has less than a pixel per cell.
int steadyRow(int i, int code)
{
    for (int j = 2; j <= 198; ++j) {
        bool steady = true;
        for (int di = -2; di <= 2; ++di)
            for (int dj = -3; dj <= 3; ++dj)
                steady = steady && CorvaneFileBuilder::classCode(i + di, j + dj) == code &&
                         j + dj != CorvaneFileBuilder::modeRow(i + di) &&
                         j + dj != CorvaneFileBuilder::averageRow(i + di);
        if (steady)
            return j;
    }
    ADD_FAILURE() << "no steady row of class " << code;
    return 0;
}

class FiguresTest : public WindowTest {
protected:
    // A section of one row: its last row is its only one and fills the figure. (In a section of more rows
    // the last row starts at the figure's bottom edge, below the image; a result file of one row sets the
    // height slider to 0.) Every cell is of class 1 with probability 0.02.
    void oneRowSection()
    {
        window->sectionMatrix = SectionMatrix(0);
        for (int i = 0; i <= 200; ++i)
            window->sectionMatrix(1, i, 0) = 1.02;
        window->Drawn[2] = true;
    }

    QRgb sectionCentre() const { return pixel(*window->Picture1[2], 0.5, 0.5); }

    void activate()
    {
        window->show();
        window->activateWindow();
        QApplication::setActiveWindow(window.get());
        QCoreApplication::processEvents();
        ASSERT_TRUE(window->isActiveWindow());
    }

    // Whether a pixel of the colour lies within two pixels of a point given in the data figure's scale.
    bool dataCurveNear(double depth, double value, QRgb colour) const
    {
        const QImage image = imageOf(*window->Picture1[0]);
        const double left = window->Label1[0]->text().toDouble();
        const double right = window->Label2[0]->text().toDouble();
        const double top = window->Text2->text().toDouble();
        const int cx = static_cast<int>((value - left) / (right - left) * image.width());
        const int cy =
            static_cast<int>((depth - top) / (window->Text1->text().toDouble() - top) * image.height());
        for (int y = cy - 2; y <= cy + 2; ++y)
            for (int x = cx - 2; x <= cx + 2; ++x)
                if (image.valid(x, y) && image.pixel(x, y) == colour)
                    return true;
        return false;
    }
};

TEST_F(FiguresTest, TheViewSwitchRedrawsBothFiguresWithTheirCurvesAndRunsTheBarToItsEnd)
{
    calibrated();
    const int i = 60;
    const std::array<int, 3> rows{steadyRow(i, 0), steadyRow(i, 1), steadyRow(i, 2)};
    const auto matrixCell = [&](int j) {
        return pixel(*window->Picture1[1], (i + 0.5) / 200, 1 - (j + 0.5) / 200);
    };
    const std::array<QRgb, 3> probability{matrixCell(rows[0]), matrixCell(rows[1]), matrixCell(rows[2])};
    bool barAtItsEnd = false;
    QObject::connect(window->ProgressBar1, &QProgressBar::valueChanged, [&](int value) {
        barAtItsEnd = barAtItsEnd || (value == window->ProgressBar1->maximum() && value > 0);
    });

    click(QStringLiteral("Confidence "));

    EXPECT_EQ(matrixCell(rows[0]), White);
    EXPECT_EQ(matrixCell(rows[1]), LowerClass);
    EXPECT_EQ(matrixCell(rows[2]), UpperClass);
    EXPECT_GT(count(*window->Picture1[2], LowerClass), 0);
    EXPECT_GT(count(*window->Picture1[2], UpperClass), 0);
    for (int figure : {1, 2}) {
        EXPECT_GT(count(*window->Picture1[figure], Red), 0) << figure << ": the mode curve";
        EXPECT_GT(count(*window->Picture1[figure], Blue), 0) << figure << ": the average curve";
    }
    EXPECT_TRUE(barAtItsEnd);
    EXPECT_TRUE(window->ProgressBar1->isHidden());
    EXPECT_FALSE(window->Slider4->isEnabled()) << "the enhancement is of no use to classes";

    // "Show mode" takes the mode curves off and keeps the cells and the average curves.
    click(QStringLiteral("Show mode"));
    EXPECT_EQ(count(*window->Picture1[1], Red), 0);
    EXPECT_GT(count(*window->Picture1[1], Blue), 0);
    EXPECT_EQ(matrixCell(rows[2]), UpperClass);

    click(QStringLiteral("Probability"));
    for (int code = 0; code <= 2; ++code)
        EXPECT_EQ(matrixCell(rows[code]), probability[code]) << code;
    EXPECT_NE(probability[1], LowerClass);
    EXPECT_EQ(count(*window->Picture1[2], LowerClass), 0);
    EXPECT_TRUE(window->Slider4->isEnabled());
}

TEST_F(FiguresTest, TheSectionsLastRowFollowsTheViewAndTheEnhancement)
{
    oneRowSection();
    click(QStringLiteral("Confidence "));
    EXPECT_EQ(sectionCentre(), LowerClass);
    click(QStringLiteral("Probability"));
    EXPECT_EQ(sectionCentre(), RampAt04);

    window->Slider4->setValue(125);
    EXPECT_EQ(window->Label11->text(), QStringLiteral("125 %"));
    // At 125 % the probability enters at 0.5: red on its plateau, green a quarter down its fall.
    EXPECT_EQ(sectionCentre(), qRgb(255, 191, 0));
}

// The grey scale leaves only the blue editor, whose scale reads 0 at the white threshold; "Reset" brings the
// ramp back.
TEST_F(FiguresTest, ColourSettingsReachTheFiguresWhenTheWindowIsActiveAgain)
{
    oneRowSection();
    click(QStringLiteral("Confidence "));
    activate();
    click(QStringLiteral("Colour settings"));
    ColourDialog& dialog = *window->findChild<ColourDialog*>();
    EXPECT_EQ(dialog.font(), window->font());
    click(QStringLiteral("Grey scale"));
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(dialog.picture2(k).isHidden(), k < 2) << k;
    EXPECT_TRUE(dialog.label0(1).isHidden());
    EXPECT_FALSE(dialog.label2(1).isHidden());
    EXPECT_EQ(dialog.label3().text(), QStringLiteral("0"));
    EXPECT_EQ(sectionCentre(), LowerClass) << "the figures wait until the window is active again";
    click(QStringLiteral("OK"));
    EXPECT_FALSE(dialog.isVisible());
    activate();
    EXPECT_EQ(sectionCentre(), qRgb(100, 100, 100));

    click(QStringLiteral("Colour settings"));
    click(QStringLiteral("Reset"));
    for (int k = 0; k < 3; ++k)
        EXPECT_FALSE(dialog.picture2(k).isHidden()) << k;
    EXPECT_FALSE(dialog.label0(1).isHidden());
    EXPECT_EQ(dialog.label3().text(), QStringLiteral("10"));
    activate();
    EXPECT_EQ(sectionCentre(), LowerClass);
}

// Whether the progress bar was hidden while its repaints were held back, which leaves it on the screen.
struct HiddenWhileHeld : QObject {
    bool seen = false;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        seen = seen || (event->type() == QEvent::Hide && !static_cast<QWidget*>(watched)->updatesEnabled());
        return false;
    }
};

TEST_F(FiguresTest, CurvesFollowTheBoxesAfterEveryRedrawAndTheBarLeavesTheScreen)
{
    // A matrix of classes only: its curves lie over its frozen cells, so "Show mode" takes them away.
    importMatrix(CorvaneFileBuilder::confidenceMatrix());
    EXPECT_GT(count(*window->Picture1[1], Red), 0);
    click(QStringLiteral("Show mode"));
    EXPECT_EQ(count(*window->Picture1[1], Red), 0);

    // Back from the confidence view, the ticked boxes' curves are drawn again.
    window = std::make_unique<MainWindow>(platform.services());
    calibrated();
    click(QStringLiteral("Confidence "));
    click(QStringLiteral("Probability"));
    for (int figure : {1, 2})
        EXPECT_GT(count(*window->Picture1[figure], Red), 0) << figure;

    window->show();
    HiddenWhileHeld watch;
    window->ProgressBar1->installEventFilter(&watch);
    window->Slider4->setValue(120);
    EXPECT_TRUE(window->ProgressBar1->isHidden());
    EXPECT_FALSE(watch.seen);
}

TEST_F(FiguresTest, TheRunningMeanIsDrawnInRedUpToItsLastPoint)
{
    importData({{0, 10}, {10, 12}, {20, 16}, {30, 14}, {40, 18}});
    window->Slider3->setValue(3);
    EXPECT_TRUE(window->Label4->isEnabled());
    EXPECT_EQ(window->Label4->text(), QStringLiteral("3"));

    // Means of three records: (10, 12.67), (20, 14) and (30, 16); the last lies off the record.
    EXPECT_TRUE(dataCurveNear(30, 16, Red));
    EXPECT_TRUE(dataCurveNear(30, 14, Blue));
    EXPECT_FALSE(dataCurveNear(30, 14, Red));

    window->Slider3->setValue(1);
    EXPECT_EQ(count(*window->Picture1[0], Red), 0);
    EXPECT_GT(count(*window->Picture1[0], Blue), 0);
}

TEST_F(FiguresTest, TheSizeSlidersScaleTheFigures)
{
    const QSize full = window->Picture1[0]->size();
    window->Slider2->setValue(50);
    EXPECT_NEAR(window->Picture1[0]->height(), full.height() / 2.0, 1.0);
    EXPECT_EQ(window->Picture1[2]->height(), window->Picture1[0]->height());
    EXPECT_EQ(window->Picture1[1]->height(), full.width()) << "the matrix figure follows the width only";
    window->Slider1->setValue(0);
    EXPECT_EQ(window->Slider1->value(), 10);
    for (const PictureBox* figure : window->Picture1)
        EXPECT_NEAR(figure->width(), full.width() / 10.0, 1.0) << figure->objectName().toStdString();
    EXPECT_EQ(window->Picture1[1]->height(), window->Picture1[1]->width());
}

} // namespace
} // namespace brimvale::test
