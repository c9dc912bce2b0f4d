// The picture box widget: frame, size, painting and mouse positions in the surface's scale.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMouseEvent>

#include <vector>

#include "ui/PictureBox.h"

namespace brimvale {
namespace {

constexpr QRgb Red = 0xffff0000;

// Counts the paint events it receives.
class CountingPictureBox : public PictureBox {
public:
    using PictureBox::PictureBox;
    int paints = 0;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        ++paints;
        PictureBox::paintEvent(event);
    }
};

struct MouseReport {
    int button; // the button of a press or release, the buttons held for a move
    Qt::KeyboardModifiers modifiers;
    double x;
    double y;
};

void send(QWidget& widget, QEvent::Type type, QPointF position, Qt::MouseButton button,
          Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    QMouseEvent event(type, position, widget.mapToGlobal(position), button, buttons, modifiers);
    QCoreApplication::sendEvent(&widget, &event);
}

TEST(PictureBoxTest, TheSurfaceIsTheWidgetLessItsFrame)
{
    PictureBox box;
    box.resize(149, 104);
    EXPECT_EQ(box.surface().size(), QSize(145, 100));
    EXPECT_EQ(box.surface().scaleWidth(), 2175.0);
    EXPECT_EQ(box.surface().scaleHeight(), 1500.0);

    PictureBox layer(nullptr, PictureBox::BorderStyle::None);
    layer.resize(149, 104);
    EXPECT_EQ(layer.surface().size(), QSize(149, 104));
    layer.setBorderStyle(PictureBox::BorderStyle::Sunken);
    EXPECT_EQ(layer.surface().size(), QSize(145, 100));
}

TEST(PictureBoxTest, TwipsGeometryPlacesTheBoxOnItsParent)
{
    QWidget window;
    PictureBox box(&window);
    box.setTwipsGeometry(1440, 840, 2175, 5535); // the data figure
    EXPECT_EQ(box.geometry(), QRect(96, 56, 145, 369));
    EXPECT_EQ(box.surface().size(), QSize(141, 365));
    EXPECT_EQ(box.surface().scaleWidth(), 2115.0);
    box.setTwipsGeometry(4420, 5160, 2205, 1890); // rounded to the nearest pixel: 294.67 and 147
    EXPECT_EQ(box.geometry(), QRect(295, 344, 147, 126));
}

TEST(PictureBoxTest, PaintsTheSurfaceInsideASunkenFrame)
{
    PictureBox box;
    box.resize(30, 20);
    box.surface().filledBox(0, 0, box.surface().scaleWidth(), box.surface().scaleHeight(), Red);
    const QImage shown = box.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), QSize(30, 20));
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 30; ++x) {
            const bool inside = x >= 2 && x < 28 && y >= 2 && y < 18;
            EXPECT_EQ(shown.pixel(x, y) == Red, inside) << x << "," << y;
        }
    }
    // Shadow at the top left, light at the bottom right.
    EXPECT_LT(qGray(shown.pixel(0, 5)), qGray(shown.pixel(29, 5)));
    EXPECT_LT(qGray(shown.pixel(5, 1)), qGray(shown.pixel(5, 18)));

    PictureBox layer(nullptr, PictureBox::BorderStyle::None);
    layer.resize(30, 20);
    layer.surface().filledBox(0, 0, layer.surface().scaleWidth(), layer.surface().scaleHeight(), Red);
    const QImage plain = layer.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(plain.pixel(0, 0), Red);
    EXPECT_EQ(plain.pixel(29, 19), Red);
}

TEST(PictureBoxTest, DrawingSchedulesOneRepaintAndRefreshRepaintsAtOnce)
{
    CountingPictureBox box;
    box.resize(60, 60);
    box.show();
    QCoreApplication::processEvents();
    const int settled = box.paints;
    for (int i = 0; i < 1000; ++i)
        box.surface().pset(i % 50 * 15, i / 50 * 15, Red);
    EXPECT_EQ(box.paints, settled); // nothing painted while drawing
    QCoreApplication::processEvents();
    EXPECT_EQ(box.paints, settled + 1);
    box.surface().pset(0, 0, Red);
    box.surface().refresh();
    EXPECT_EQ(box.paints, settled + 2);
}

TEST(PictureBoxTest, ReportsMousePositionsInTheSurfaceScale)
{
    PictureBox box;
    box.resize(149, 104); // surface 145 x 100
    std::vector<MouseReport> pressed;
    std::vector<MouseReport> moved;
    std::vector<MouseReport> released;
    QObject::connect(&box, &PictureBox::mousePressed,
                     [&](Qt::MouseButton b, Qt::KeyboardModifiers m, double x, double y) {
                         pressed.push_back({int(b), m, x, y});
                     });
    QObject::connect(&box, &PictureBox::mouseMoved,
                     [&](Qt::MouseButtons b, Qt::KeyboardModifiers m, double x, double y) {
                         moved.push_back({int(b), m, x, y});
                     });
    QObject::connect(&box, &PictureBox::mouseReleased,
                     [&](Qt::MouseButton b, Qt::KeyboardModifiers m, double x, double y) {
                         released.push_back({int(b), m, x, y});
                     });

    // Widget pixel (12, 22) is surface pixel (10, 20): 150 and 300 twips.
    send(box, QEvent::MouseButtonPress, QPointF(12, 22), Qt::RightButton, Qt::RightButton, Qt::ShiftModifier);
    ASSERT_EQ(pressed.size(), 1u);
    EXPECT_EQ(pressed[0].button, int(Qt::RightButton));
    EXPECT_EQ(pressed[0].modifiers, Qt::ShiftModifier);
    EXPECT_DOUBLE_EQ(pressed[0].x, 150.0);
    EXPECT_DOUBLE_EQ(pressed[0].y, 300.0);

    // In a flipped user scale of 145 by 100 units, y counts up from the bottom of the surface.
    box.surface().setScale(0, 100, 145, -100);
    send(box, QEvent::MouseMove, QPointF(12, 22), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    ASSERT_EQ(moved.size(), 1u);
    EXPECT_EQ(moved[0].button, int(Qt::LeftButton));
    EXPECT_DOUBLE_EQ(moved[0].x, 10.0);
    EXPECT_DOUBLE_EQ(moved[0].y, 80.0);

    send(box, QEvent::MouseButtonRelease, QPointF(2, 102), Qt::LeftButton, Qt::NoButton, Qt::ControlModifier);
    ASSERT_EQ(released.size(), 1u);
    EXPECT_EQ(released[0].button, int(Qt::LeftButton));
    EXPECT_EQ(released[0].modifiers, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(released[0].x, 0.0);
    EXPECT_DOUBLE_EQ(released[0].y, 0.0);
}

TEST(PictureBoxTest, KeepsTheDrawingAcrossResizes)
{
    PictureBox box;
    box.resize(24, 24);
    box.surface().pset(150, 150, Red);
    box.resize(54, 44);
    EXPECT_EQ(box.surface().image().pixel(10, 10), Red);
    EXPECT_EQ(box.surface().scaleWidth(), 750.0);
}

} // namespace
} // namespace brimvale
