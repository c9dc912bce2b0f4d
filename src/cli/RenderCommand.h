// brimvale-batch render: the section figure of a result file as PNG, PDF or SVG.
#pragma once

#include <QByteArray>
#include <QSize>

#include <ostream>

#include "cli/BatchArguments.h"
#include "cli/ExitCodes.h"

namespace brimvale {

struct SectionView;

// Writes the figure of the result file in the requested format and width; needs a running
// QGuiApplication (any platform, the offscreen one included) for its fonts.
ExitCode runRender(const RenderOptions& options, std::ostream& errors);

// The figure of a section in the format, view and width of the options.
struct RenderedFigure {
    QByteArray bytes; // the whole file
    QSize size;       // in pixels, or points for PDF
};

// Draws the view's figure; raises RuntimeFailure (Overflow) for a cell no colour can be found for, and
// (InvalidData) for a PNG of more than RenderOptions::LargestPngPixels, before any pixel is drawn.
RenderedFigure renderSectionFigure(const SectionView& view, const RenderOptions& options);

} // namespace brimvale
