// The text block of the section view: the row summary as lines printed inside the rectangle Shape1.
#pragma once

#include <QRectF>
#include <QRgb>
#include <string>
#include <vector>

#include "engine/RowSummary.h"
#include "render/DrawingSurface.h"

namespace brimvale {

// One printed line: its text, the print position of its top left in twips on the window, and whether
// it is bold.
struct SummaryLine {
    std::string text;
    double x = 0.0;
    double y = 0.0;
    bool bold = false;
    bool operator==(const SummaryLine&) const = default;
};

struct RowSummaryBlock {
    static constexpr double LineHeight = 240.0; // twips
    static constexpr double HeadingIndent = 120.0;
    static constexpr double ValueIndent = 180.0;
    static constexpr const char* Continued = "...";
};

// The lines of the block for a rectangle with its top left at (left, top) and the given height: the
// input value, both confidence coefficients with their intervals, the mode and the average. When the
// last line would reach below the rectangle, the lines stop at the last one that leaves room for a
// line "..." below it, which ends the block.
std::vector<SummaryLine> rowSummaryBlock(const RowSummaryText& text, double left, double top, double height);

// Prints each line at its position with the surface's print operation, bold as the line says.
void printRowSummaryBlock(const std::vector<SummaryLine>& lines, DrawingSurface& window);

// Fills the rectangle (twips) with the colour, removing a block printed before.
void eraseRowSummaryBlock(DrawingSurface& window, const QRectF& rectangle, QRgb colour);

} // namespace brimvale
