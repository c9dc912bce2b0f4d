// The real main window over test doubles, driven as a user drives it: by the captions it shows.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QImage>
#include <QLabel>
#include <QSlider>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "render/SurfaceProbe.h"
#include "support/CorvaneFileBuilder.h"
#include "support/ScratchFolder.h"
#include "support/TestPlatformServices.h"
#include "ui/MainWindow.h"
#include "ui/PictureBox.h"

namespace brimvale::test {

using Records = std::vector<std::pair<double, double>>; // (depth, value)

// Values 0 to 10 over depths 0 to 100: inside the value axis (-10 to 20) of the default matrix.
inline const Records CoreRecord{{0, 0}, {20, 4}, {40, 10}, {60, 6}, {80, 2}, {100, 8}};

// A result file by hand at smoothing level 3: the axis row -5 to 45, rows 0 to steps, row j at depth 10 j,
// every cell 2.25 unless the cell function says otherwise.
inline std::string resultFile(int steps, const std::function<double(int i, int j)>& cell = {})
{
    std::string text = "\"Brimvale common output format\"\r\n";
    for (const char* value :
         {"14", "2.5.0", "core.csv", "Pinus", "Depth (cm)", "july.csv", "Pinus", "T July"})
        text += std::string("\"head\",\"") + value + "\"\r\n";
    text += "\"head\",200\r\n\"head\"," + std::to_string(steps) + "\r\n\"head\",3\r\n\"head\",95\r\n";
    text += "\"head\",\"68\"\r\n";
    for (int i = 0; i <= 200; ++i)
        text += "," + std::to_string(-5.0 + 0.25 * i);
    for (int j = 0; j <= steps; ++j) {
        text += "\r\n";
        text += std::to_string(10 * j);
        for (int i = 0; i <= 200; ++i)
            text += "," + std::to_string(cell ? cell(i, j) : 2.25);
    }
    return text + "\r\n";
}

class WindowTest : public ::testing::Test {
protected:
    TestPlatformServices platform;
    std::unique_ptr<MainWindow> window = std::make_unique<MainWindow>(platform.services());
    ScratchFolder folder;

    // Every step hands the pointer back, also when it fails.
    void TearDown() override { EXPECT_EQ(platform.pointer.current(), MousePointer::Pointer::Default); }

    QString pathOf(const std::string& name) const
    {
        return QString::fromStdString(folder.file(name).string());
    }

    QString write(const std::string& name, const std::string& contents)
    {
        return QString::fromStdString(writeBytes(folder.file(name), contents).string());
    }

    // The one button of the window (or of its dialogs) that shows the caption.
    QAbstractButton* button(const QString& caption) const
    {
        QAbstractButton* found = nullptr;
        for (QAbstractButton* candidate : window->findChildren<QAbstractButton*>()) {
            const QWidget* shownIn = candidate->window();
            if (candidate->text() == caption && candidate->isVisibleTo(shownIn) &&
                (shownIn == window.get() || shownIn->isVisible())) {
                EXPECT_EQ(found, nullptr) << "two buttons show " << caption.toStdString();
                found = candidate;
            }
        }
        EXPECT_NE(found, nullptr) << "no button shows " << caption.toStdString();
        return found;
    }

    bool offered(const QString& caption) const { return button(caption) && button(caption)->isEnabled(); }

    // Clicks the button as a user can: shown and enabled.
    void click(const QString& caption)
    {
        QAbstractButton* target = button(caption);
        ASSERT_TRUE(target && target->isEnabled()) << caption.toStdString() << " is not offered";
        target->click();
    }

    void importData(const Records& records = CoreRecord)
    {
        std::string text = "\"Depth (cm)\",\"Quercus (%)\"\r\n";
        for (const auto& [depth, value] : records)
            text += std::to_string(depth) + "," + std::to_string(value) + "\r\n";
        platform.dialogBackend.queueFile(write("core.csv", text));
        click(QStringLiteral("Import data"));
    }

    void importMatrix(const CorvaneFileBuilder& builder = {})
    {
        builder.writeTo(folder.file("matrix.csv"));
        platform.dialogBackend.queueFile(pathOf("matrix.csv"));
        click(QStringLiteral("Import Corvane file"));
    }

    void importResult(const std::string& contents)
    {
        platform.dialogBackend.queueFile(write("result.csv", contents));
        click(QStringLiteral("Import Brimvale file"));
    }

    // The record and the default matrix imported and calibrated at the smoothing level.
    void calibrated(int smoothing = 1)
    {
        importData();
        importMatrix();
        window->Slider3->setValue(smoothing);
        click(QStringLiteral("Calibrate"));
        ASSERT_TRUE(window->SaveMatrix->isEnabled());
    }

    // The section is gone from the screen: figure, titles and the commands that need it.
    void expectSectionCleared() const
    {
        EXPECT_FALSE(window->SaveMatrix->isEnabled());
        EXPECT_FALSE(offered(QStringLiteral("Show section")));
        EXPECT_TRUE(blank(*window->Picture1[2]));
        EXPECT_TRUE(window->Label14[2]->text().isEmpty());
        EXPECT_TRUE(window->Label15[2]->text().isEmpty());
    }

    const auto& messages() const { return platform.messages.messages(); }

    static QImage imageOf(const PictureBox& box)
    {
        return box.surface().image().convertToFormat(QImage::Format_ARGB32);
    }
    static int count(const PictureBox& box, QRgb colour)
    {
        return static_cast<int>(pixelsOf(imageOf(box), colour).size());
    }
    // Whether the figure shows nothing but the window's background.
    bool blank(const PictureBox& box) const
    {
        return count(box, window->BackColor()) == imageOf(box).width() * imageOf(box).height();
    }
    // The colour at a point given as fractions of the box's width and height.
    static QRgb pixel(const PictureBox& box, double fx, double fy)
    {
        const QImage image = imageOf(box);
        return image.pixel(static_cast<int>(fx * image.width()), static_cast<int>(fy * image.height()));
    }
};

} // namespace brimvale::test
