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

QImage filledRed(PictureBox& box, int width, int height)
{
    box.resize(width, height);
    box.surface().filledBox(0, 0, box.surface().scaleWidth(), box.surface().scaleHeight(), Red);
    return box.grab().toImage().convertToFormat(QImage::Format_RGB32);
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

    QWidget window;
    PictureBox figure(&window);
    figure.setTwipsGeometry(1440, 840, 2175, 5535);
    EXPECT_EQ(figure.geometry(), QRect(96, 56, 145, 369));
    EXPECT_EQ(figure.surface().size(), QSize(141, 365));
    figure.setTwipsGeometry(4420, 5160, 2205, 1890); // rounded to the nearest pixel: 294.67 and 147
    EXPECT_EQ(figure.geometry(), QRect(295, 344, 147, 126));
}

TEST(PictureBoxTest, PaintsTheSurfaceInsideASunkenFrame)
{
    PictureBox box;
    const QImage shown = filledRed(box, 30, 20);
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
    const QImage plain = filledRed(layer, 30, 20);
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
    struct Report {
        QEvent::Type type;
        int button; // the button of a press or release, the buttons held for a move
        Qt::KeyboardModifiers modifiers;
        double x, y;
    };
    PictureBox box;
    box.resize(149, 104); // surface 145 x 100
    std::vector<Report> reports;
    const auto record = [&reports](QEvent::Type type) {
        return [&reports, type](auto button, Qt::KeyboardModifiers m, double x, double y) {
            reports.push_back({type, int(button), m, x, y});
        };
    };
    QObject::connect(&box, &PictureBox::mousePressed, record(QEvent::MouseButtonPress));
    QObject::connect(&box, &PictureBox::mouseMoved, record(QEvent::MouseMove));
    QObject::connect(&box, &PictureBox::mouseReleased, record(QEvent::MouseButtonRelease));
    const auto send = [&box](QEvent::Type type, QPointF position, Qt::MouseButton button,
                             Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
        QMouseEvent event(type, position, box.mapToGlobal(position), button, buttons, modifiers);
        QCoreApplication::sendEvent(&box, &event);
    };

    // Widget pixel (12, 22) is surface pixel (10, 20): 150 and 300 twips.
    send(QEvent::MouseButtonPress, QPointF(12, 22), Qt::RightButton, Qt::RightButton, Qt::ShiftModifier);
    // In a flipped user scale of 145 by 100 units, y counts up from the bottom of the surface.
    box.surface().setScale(0, 100, 145, -100);
    send(QEvent::MouseMove, QPointF(12, 22), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    send(QEvent::MouseButtonRelease, QPointF(2, 102), Qt::LeftButton, Qt::NoButton, Qt::ControlModifier);

    const Report expected[] = {
        {QEvent::MouseButtonPress, int(Qt::RightButton), Qt::ShiftModifier, 150.0, 300.0},
        {QEvent::MouseMove, int(Qt::LeftButton), Qt::NoModifier, 10.0, 80.0},
        {QEvent::MouseButtonRelease, int(Qt::LeftButton), Qt::ControlModifier, 0.0, 0.0},
    };
    ASSERT_EQ(reports.size(), 3u);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(reports[k].type, expected[k].type) << k;
        EXPECT_EQ(reports[k].button, expected[k].button) << k;
        EXPECT_EQ(reports[k].modifiers, expected[k].modifiers) << k;
        EXPECT_DOUBLE_EQ(reports[k].x, expected[k].x) << k;
        EXPECT_DOUBLE_EQ(reports[k].y, expected[k].y) << k;
    }
}

} // namespace
} // namespace brimvale
