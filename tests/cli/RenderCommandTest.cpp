// brimvale-batch render: PNG, PDF and SVG files of the requested width, in either view, and one line for
// each failure. What the figure shows is render/CellFiguresTest's.
#include <gtest/gtest.h>

#include <QImage>
#include <QRegularExpression>
#include <QSvgRenderer>

#include <cmath>
#include <map>
#include <set>
#include <sstream>

#include "BatchTestFiles.h"
#include "cli/ReconstructCommand.h"
#include "cli/RenderCommand.h"
#include "cli/TableCommands.h"
#include "render/SurfaceProbe.h"
#include "support/PdfStream.h"

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
        return test::pixelsOf(image, test::UpperClass).size();
    };
    const QImage probability = QImage::fromData(rendered(Format::Png, "p.png", 300), "PNG");
    EXPECT_EQ(probability.width(), 300);
    EXPECT_GT(probability.height(), 2 * probability.width()); // taller than wide, as on screen
    EXPECT_EQ(classPixels(probability), 0u);
    EXPECT_GT(classPixels(QImage::fromData(rendered(Format::Png, "c.png", 400, View::Confidence), "PNG")),
              1000u);

    const QByteArray pdf = rendered(Format::Pdf, "f.pdf", 500);
    EXPECT_TRUE(pdf.startsWith("%PDF-") && pdf.trimmed().endsWith("%%EOF"));
    const QRegularExpressionMatch box =
        QRegularExpression(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]"))
            .match(QString::fromLatin1(pdf));
    ASSERT_TRUE(box.hasMatch());
    EXPECT_DOUBLE_EQ(box.captured(1).toDouble(), 500.0);
    // One unit of the figure is one point: its background, through the page's transform, fills the page.
    const QString page = QString::fromLatin1(test::firstPdfStream(pdf));
    const QRegularExpressionMatch background = QRegularExpression(QStringLiteral(
        "([-0-9.]+) 0 0 ([-0-9.]+) 0 [0-9.]+ cm.*?\\n([-0-9.]+) ([-0-9.]+) ([0-9.]+) ([0-9.]+) re\\n"),
        QRegularExpression::DotMatchesEverythingOption).match(page);
    ASSERT_TRUE(background.hasMatch()) << page.left(300).toStdString();
    EXPECT_DOUBLE_EQ(std::abs(background.captured(1).toDouble() * background.captured(5).toDouble()), 500.0);
    EXPECT_DOUBLE_EQ(std::abs(background.captured(2).toDouble() * background.captured(6).toDouble()),
                     box.captured(2).toDouble());

    // Vector output: the cells are rectangles, not an embedded picture.
    const QByteArray svg = rendered(Format::Svg, "f.svg", 640);
    const QSvgRenderer drawn(svg);
    EXPECT_TRUE(drawn.isValid());
    EXPECT_EQ(drawn.viewBox().width(), 640);
    EXPECT_TRUE(svg.contains("<rect") && !svg.contains("<image"));
}

TEST_F(RenderCommandTest, EndValuesSitAtTheEndsTheyName)
{
    // The four end values as the section view reads them from the file, all different here.
    BatchReport report(errors);
    const std::optional<SectionView> view = readSection(result, report);
    ASSERT_TRUE(view) << errors.str();
    const std::vector<std::string> ends = {view->leftCaption, view->rightCaption, view->topText,
                                           view->bottomText};
    ASSERT_EQ(std::set<std::string>(ends.begin(), ends.end()).size(), 4u);

    // Where each text is drawn in the vector output.
    std::map<std::string, QPointF> placed;
    const QString svg = QString::fromUtf8(rendered(Format::Svg, "ends.svg", 400));
    const QRegularExpression text(
        QStringLiteral("<text[^>]* x=\"([-0-9.]+)\" y=\"([-0-9.]+)\"[^>]*>([^<]*)</text>"));
    for (auto match = text.globalMatch(svg); match.hasNext();) {
        const QRegularExpressionMatch found = match.next();
        placed[found.captured(3).toStdString()] = {found.captured(1).toDouble(), found.captured(2).toDouble()};
    }
    for (const std::string& end : ends)
        ASSERT_TRUE(placed.contains(end)) << end;
    EXPECT_LT(placed[view->leftCaption].x(), placed[view->rightCaption].x());
    EXPECT_LT(placed[view->topText].y(), placed[view->bottomText].y());
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
