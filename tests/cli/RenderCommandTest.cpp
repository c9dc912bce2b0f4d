// brimvale-batch render: valid PNG, PDF and SVG files of the requested width, in either view.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>

#include <sstream>

#include "BatchTestFiles.h"
#include "cli/ReconstructCommand.h"
#include "cli/RenderCommand.h"
#include "cli/SectionView.h"

namespace brimvale {
namespace {

class RenderCommandTest : public ::testing::Test {
protected:
    test::ScratchFolder folder;
    std::ostringstream errors;
    std::filesystem::path result = folder.file("result.csv");

    void SetUp() override
    {
        test::CorvaneFileBuilder().writeTo(folder.file("matrix.csv"));
        ReconstructOptions options;
        options.data = {test::writeBytes(folder.file("core.csv"), test::dataFileText(test::wavyRecord(60)))};
        options.matrix = folder.file("matrix.csv");
        options.out = result;
        ASSERT_EQ(runReconstruct(options, errors), ExitCode::Success) << errors.str();
    }

    RenderOptions options(RenderOptions::Format format, const std::string& name, int width)
    {
        RenderOptions render;
        render.result = result;
        render.format = format;
        render.out = folder.file(name);
        render.width = width;
        return render;
    }

    // The figure's height for a width, as the command lays it out.
    QSize expectedSize(const RenderOptions& render)
    {
        return renderSectionFigure(SectionView::fromResultFile(result), render).size;
    }
};

TEST_F(RenderCommandTest, PngOfTheRequestedWidth)
{
    const RenderOptions render = options(RenderOptions::Format::Png, "figure.png", 300);
    ASSERT_EQ(runRender(render, errors), ExitCode::Success) << errors.str();
    QImage image;
    ASSERT_TRUE(image.load(QString::fromStdString(render.out.string()), "PNG"));
    EXPECT_EQ(image.width(), 300);
    EXPECT_EQ(image.size(), expectedSize(render));
    // The section is taller than wide, as on screen.
    EXPECT_GT(image.height(), 2 * image.width());
}

TEST_F(RenderCommandTest, ConfidenceViewShowsTheClassColours)
{
    const auto classPixels = [&](RenderOptions::View view) {
        RenderOptions render = options(RenderOptions::Format::Png, "view.png", 400);
        render.view = view;
        EXPECT_EQ(runRender(render, errors), ExitCode::Success) << errors.str();
        const QImage image(QString::fromStdString(render.out.string()));
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += image.pixel(x, y) == 0xffc8ffc8u;
        return count;
    };
    EXPECT_GT(classPixels(RenderOptions::View::Confidence), 1000);
    EXPECT_EQ(classPixels(RenderOptions::View::Probability), 0);
}

TEST_F(RenderCommandTest, PdfPageOfTheRequestedWidth)
{
    const RenderOptions render = options(RenderOptions::Format::Pdf, "figure.pdf", 500);
    ASSERT_EQ(runRender(render, errors), ExitCode::Success) << errors.str();
    const QByteArray bytes = QByteArray::fromStdString(test::readBytes(render.out));
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    EXPECT_TRUE(bytes.trimmed().endsWith("%%EOF"));
    const QRegularExpressionMatch box =
        QRegularExpression(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]"))
            .match(QString::fromLatin1(bytes));
    ASSERT_TRUE(box.hasMatch());
    const QSize size = expectedSize(render);
    EXPECT_DOUBLE_EQ(box.captured(1).toDouble(), 500.0);
    EXPECT_DOUBLE_EQ(box.captured(2).toDouble(), size.height());
}

TEST_F(RenderCommandTest, SvgOfTheRequestedWidth)
{
    const RenderOptions render = options(RenderOptions::Format::Svg, "figure.svg", 640);
    ASSERT_EQ(runRender(render, errors), ExitCode::Success) << errors.str();
    const QByteArray bytes = QByteArray::fromStdString(test::readBytes(render.out));
    QSvgRenderer svg(bytes);
    ASSERT_TRUE(svg.isValid());
    const QSize size = expectedSize(render);
    EXPECT_EQ(svg.viewBox(), QRect(QPoint(0, 0), size));
    EXPECT_EQ(size.width(), 640);
    // Vector output: the cells are rectangles, not an embedded picture.
    EXPECT_TRUE(bytes.contains("<rect"));
    EXPECT_FALSE(bytes.contains("<image"));
    // Drawn back, the SVG shows the same figure as the PNG, up to edge antialiasing.
    QImage drawn(size, QImage::Format_RGB32);
    drawn.fill(Qt::white);
    QPainter painter(&drawn);
    svg.render(&painter);
    painter.end();
    const RenderOptions png = options(RenderOptions::Format::Png, "same.png", 640);
    ASSERT_EQ(runRender(png, errors), ExitCode::Success);
    const QImage image(QString::fromStdString(png.out.string()));
    int different = 0;
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            different += qAbs(qGray(drawn.pixel(x, y)) - qGray(image.pixel(x, y))) > 60;
    EXPECT_LT(different, size.width() * size.height() / 50);
}

TEST_F(RenderCommandTest, ResultFileMissing)
{
    RenderOptions render = options(RenderOptions::Format::Png, "figure.png", 300);
    render.result = folder.file("missing.csv");
    EXPECT_EQ(runRender(render, errors), ExitCode::Failure);
    EXPECT_EQ(errors.str(), "brimvale-batch: " + render.result.string() + ": no such file\n");
    EXPECT_FALSE(std::filesystem::exists(render.out));
}

TEST_F(RenderCommandTest, OutputThatCannotBeWritten)
{
    const RenderOptions render = options(RenderOptions::Format::Svg, "missing/figure.svg", 300);
    EXPECT_EQ(runRender(render, errors), ExitCode::Failure);
    EXPECT_EQ(errors.str().rfind("brimvale-batch: " + render.out.string() + ": cannot be written: ", 0), 0u)
        << errors.str();
}

} // namespace
} // namespace brimvale
