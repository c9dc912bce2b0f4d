// brimvale-batch render: PNG, PDF and SVG files of the requested width, in either view, and one line for
// each failure. What the figure shows is render/SectionFigureExportTest's.
#include <gtest/gtest.h>

#include <QImage>
#include <QRegularExpression>
#include <QSvgRenderer>

#include <sstream>

#include "BatchTestFiles.h"
#include "cli/ReconstructCommand.h"
#include "cli/RenderCommand.h"

namespace brimvale {
namespace {

using Format = RenderOptions::Format;
using View = RenderOptions::View;

class RenderCommandTest : public ::testing::Test {
protected:
    test::ScratchFolder folder;
    std::ostringstream errors;
    std::filesystem::path result = folder.file("result.csv");

    void SetUp() override
    {
        ReconstructOptions options;
        options.matrix = folder.file("matrix.csv");
        test::CorvaneFileBuilder().writeTo(options.matrix);
        options.data = {test::writeBytes(folder.file("core.csv"), test::dataFileText(test::wavyRecord(60)))};
        options.out = result;
        ASSERT_EQ(runReconstruct(options, errors), ExitCode::Success) << errors.str();
    }

    // The file written, after checking the command succeeded.
    QByteArray rendered(Format format, const std::string& name, int width, View view = View::Probability)
    {
        const RenderOptions options{result, format, folder.file(name), view, width};
        EXPECT_EQ(runRender(options, errors), ExitCode::Success) << errors.str();
        return QByteArray::fromStdString(test::readBytes(options.out));
    }
};

TEST_F(RenderCommandTest, WritesEachFormatAtTheRequestedWidthInEitherView)
{
    // The probability view has no class colour; the confidence view shows the inner region's.
    const auto classPixels = [](const QImage& image) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += image.pixel(x, y) == 0xffc8ffc8u;
        return count;
    };
    const QImage probability = QImage::fromData(rendered(Format::Png, "p.png", 300), "PNG");
    EXPECT_EQ(probability.width(), 300);
    EXPECT_GT(probability.height(), 2 * probability.width()); // taller than wide, as on screen
    EXPECT_EQ(classPixels(probability), 0);
    EXPECT_GT(classPixels(QImage::fromData(rendered(Format::Png, "c.png", 400, View::Confidence), "PNG")),
              1000);

    const QByteArray pdf = rendered(Format::Pdf, "f.pdf", 500);
    EXPECT_TRUE(pdf.startsWith("%PDF-") && pdf.trimmed().endsWith("%%EOF"));
    const QRegularExpressionMatch box =
        QRegularExpression(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]"))
            .match(QString::fromLatin1(pdf));
    ASSERT_TRUE(box.hasMatch());
    EXPECT_DOUBLE_EQ(box.captured(1).toDouble(), 500.0);

    // Vector output: the cells are rectangles, not an embedded picture.
    const QByteArray svg = rendered(Format::Svg, "f.svg", 640);
    const QSvgRenderer drawn(svg);
    EXPECT_TRUE(drawn.isValid());
    EXPECT_EQ(drawn.viewBox().width(), 640);
    EXPECT_TRUE(svg.contains("<rect") && !svg.contains("<image"));
}

TEST_F(RenderCommandTest, AMissingResultOrAnUnwritableOutputIsOneLine)
{
    RenderOptions options{folder.file("missing.csv"), Format::Png, folder.file("f.png"), View::Probability,
                          300};
    EXPECT_EQ(runRender(options, errors), ExitCode::Failure);
    EXPECT_EQ(errors.str(), "brimvale-batch: " + options.result.string() + ": no such file\n");
    EXPECT_FALSE(std::filesystem::exists(options.out));

    errors.str({});
    options = {result, Format::Svg, folder.file("missing/f.svg"), View::Probability, 300};
    EXPECT_EQ(runRender(options, errors), ExitCode::Failure);
    EXPECT_TRUE(errors.str().starts_with("brimvale-batch: " + options.out.string() + ": cannot be written: "))
        << errors.str();
}

} // namespace
} // namespace brimvale
