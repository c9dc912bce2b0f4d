// brimvale-batch render: valid PNG, PDF and SVG files of the requested width, in either view.
#include <gtest/gtest.h>

#include <QImage>
#include <QRegularExpression>
#include <QSvgRenderer>

#include <sstream>

#include "BatchTestFiles.h"
#include "cli/ReconstructCommand.h"
#include "cli/RenderCommand.h"
#include "cli/SectionView.h"
#include "cli/TableCommands.h"

namespace brimvale {
namespace {

using Format = RenderOptions::Format;

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

    RenderOptions options(Format format, const std::string& name, int width,
                          RenderOptions::View view = RenderOptions::View::Probability)
    {
        return RenderOptions{result, format, folder.file(name), view, width};
    }

    // Renders and returns the figure's size as the command lays it out.
    QSize rendered(const RenderOptions& render)
    {
        EXPECT_EQ(runRender(render, errors), ExitCode::Success) << errors.str();
        BatchReport report(errors);
        return renderSectionFigure(*readSection(result, report), render).size;
    }

    QImage png(const std::string& name, int width, RenderOptions::View view)
    {
        const RenderOptions render = options(Format::Png, name, width, view);
        const QSize size = rendered(render);
        QImage image;
        EXPECT_TRUE(image.load(QString::fromStdString(render.out.string()), "PNG"));
        EXPECT_EQ(image.size(), size);
        return image;
    }
};

TEST_F(RenderCommandTest, PngOfTheRequestedWidthInEitherView)
{
    const auto classPixels = [](const QImage& image) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += image.pixel(x, y) == 0xffc8ffc8u;
        return count;
    };
    const QImage probability = png("probability.png", 300, RenderOptions::View::Probability);
    EXPECT_EQ(probability.width(), 300);
    // The section is taller than wide, as on screen.
    EXPECT_GT(probability.height(), 2 * probability.width());
    EXPECT_EQ(classPixels(probability), 0);
    EXPECT_GT(classPixels(png("confidence.png", 400, RenderOptions::View::Confidence)), 1000);
}

TEST_F(RenderCommandTest, PdfPageOfTheRequestedWidth)
{
    const RenderOptions render = options(Format::Pdf, "figure.pdf", 500);
    const QSize size = rendered(render);
    const QByteArray bytes = QByteArray::fromStdString(test::readBytes(render.out));
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    EXPECT_TRUE(bytes.trimmed().endsWith("%%EOF"));
    const QRegularExpressionMatch box =
        QRegularExpression(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]"))
            .match(QString::fromLatin1(bytes));
    ASSERT_TRUE(box.hasMatch());
    EXPECT_DOUBLE_EQ(box.captured(1).toDouble(), 500.0);
    EXPECT_DOUBLE_EQ(box.captured(2).toDouble(), size.height());
}

TEST_F(RenderCommandTest, SvgOfTheRequestedWidthIsVectorOutput)
{
    const RenderOptions render = options(Format::Svg, "figure.svg", 640);
    const QSize size = rendered(render);
    EXPECT_EQ(size.width(), 640);
    const QByteArray bytes = QByteArray::fromStdString(test::readBytes(render.out));
    QSvgRenderer svg(bytes);
    ASSERT_TRUE(svg.isValid());
    EXPECT_EQ(svg.viewBox(), QRect(QPoint(0, 0), size));
    // The cells are rectangles, not an embedded picture.
    EXPECT_TRUE(bytes.contains("<rect"));
    EXPECT_FALSE(bytes.contains("<image"));
}

TEST_F(RenderCommandTest, MissingResultOrUnwritableOutputIsOneLine)
{
    RenderOptions render = options(Format::Png, "figure.png", 300);
    render.result = folder.file("missing.csv");
    EXPECT_EQ(runRender(render, errors), ExitCode::Failure);
    EXPECT_EQ(errors.str(), "brimvale-batch: " + render.result.string() + ": no such file\n");
    EXPECT_FALSE(std::filesystem::exists(render.out));

    errors.str({});
    render = options(Format::Svg, "missing/figure.svg", 300);
    EXPECT_EQ(runRender(render, errors), ExitCode::Failure);
    EXPECT_TRUE(errors.str().starts_with("brimvale-batch: " + render.out.string() + ": cannot be written: "))
        << errors.str();
}

} // namespace
} // namespace brimvale
