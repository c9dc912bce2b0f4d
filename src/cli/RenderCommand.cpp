// brimvale-batch render: the section figure of a result file as PNG, PDF or SVG.
#include "cli/RenderCommand.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include "cli/BatchReport.h"
#include "cli/SectionView.h"
#include "cli/TableCommands.h"
#include "render/SectionFigureExport.h"

namespace brimvale {

namespace {

// PDF pages are laid out in points, so one unit of the figure is one point.
constexpr int PdfResolution = 72;
// SVG sizes are given in millimetres; at this resolution a unit is one CSS pixel.
constexpr int SvgResolution = 96;

QString textOf(const std::string& utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

SectionFigure figureOf(const SectionView& view, RenderOptions::View cellView)
{
    SectionFigure figure;
    figure.section = &view.section;
    figure.view = cellView == RenderOptions::View::Confidence ? CellView::Confidence : CellView::Probability;
    figure.topValue = textOf(view.topText);
    figure.bottomValue = textOf(view.bottomText);
    figure.leftValue = textOf(view.leftCaption);
    figure.rightValue = textOf(view.rightCaption);
    figure.horizontalTitle = textOf(view.horizontalTitle);
    figure.verticalTitle = textOf(view.verticalTitle);
    return figure;
}

QByteArray pngBytes(const SectionFigure& figure, const SectionFigureLayout& layout)
{
    QImage image(layout.size, QImage::Format_RGB32);
    QPainter painter(&image);
    paintSectionFigure(painter, figure, layout);
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray pdfBytes(const SectionFigure& figure, const SectionFigureLayout& layout)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(PdfResolution);
        pdf.setCreator(QStringLiteral("brimvale-batch"));
        pdf.setTitle(figure.horizontalTitle);
        pdf.setPageLayout(QPageLayout(QPageSize(QSizeF(layout.size), QPageSize::Point), QPageLayout::Portrait,
                                      QMarginsF(0, 0, 0, 0), QPageLayout::Point));
        QPainter painter(&pdf);
        paintSectionFigure(painter, figure, layout);
    }
    return bytes;
}

QByteArray svgBytes(const SectionFigure& figure, const SectionFigureLayout& layout)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setResolution(SvgResolution);
    svg.setSize(layout.size);
    svg.setViewBox(QRect(QPoint(0, 0), layout.size));
    svg.setTitle(figure.horizontalTitle);
    svg.setDescription(QStringLiteral("Section figure written by brimvale-batch"));
    QPainter painter(&svg);
    paintSectionFigure(painter, figure, layout);
    painter.end();
    return bytes;
}

} // namespace

RenderedFigure renderSectionFigure(const SectionView& view, const RenderOptions& options)
{
    const SectionFigure figure = figureOf(view, options.view);
    const SectionFigureLayout layout = layoutSectionFigure(figure, options.width);
    const std::int64_t pixels = std::int64_t{layout.size.width()} * layout.size.height();
    if (options.format == RenderOptions::Format::Png && pixels > RenderOptions::LargestPngPixels)
        raiseFailure(RuntimeFailure::Kind::InvalidData,
                     "a PNG " + std::to_string(options.width) + " pixels wide has " +
                         std::to_string(layout.size.width()) + " x " + std::to_string(layout.size.height()) +
                         " pixels, more than the " + std::to_string(RenderOptions::LargestPngPixels) +
                         " it may have; give a smaller --width");
    RenderedFigure rendered;
    rendered.size = layout.size;
    switch (options.format) {
    case RenderOptions::Format::Png:
        rendered.bytes = pngBytes(figure, layout);
        break;
    case RenderOptions::Format::Pdf:
        rendered.bytes = pdfBytes(figure, layout);
        break;
    case RenderOptions::Format::Svg:
        rendered.bytes = svgBytes(figure, layout);
        break;
    }
    return rendered;
}

ExitCode runRender(const RenderOptions& options, std::ostream& errors)
{
    BatchReport report(errors);
    if (!outputSparesInput(options.result, options.out, report))
        return ExitCode::Failure;
    const std::optional<SectionView> view = readSection(options.result, report);
    if (!view)
        return ExitCode::Failure;
    RenderedFigure figure;
    try {
        figure = renderSectionFigure(*view, options);
    } catch (const RuntimeFailure& failure) {
        report.fail(options.result, std::string("cannot be drawn: ") + failure.what());
        return ExitCode::Failure;
    }
    const std::string_view bytes(figure.bytes.constData(), static_cast<std::size_t>(figure.bytes.size()));
    return report.writeFile(options.out, bytes) ? ExitCode::Success : ExitCode::Failure;
}

} // namespace brimvale
