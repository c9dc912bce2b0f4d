// The text block of the section view: the row summary as lines printed inside the rectangle Shape1.
#include "render/RowSummaryBlock.h"

#include <QString>

namespace brimvale {

std::vector<SummaryLine> rowSummaryBlock(const RowSummaryText& text, double left, double top, double height)
{
    constexpr double line = RowSummaryBlock::LineHeight;
    const double heading = left + RowSummaryBlock::HeadingIndent;
    const double value = left + RowSummaryBlock::ValueIndent;
    // The interval lines start three and a quarter lines below the first coefficient's heading.
    const double intervals = top + 360.0 + 780.0;
    const double n0 = static_cast<double>(text.intervalLines[0].size());
    const double n1 = static_cast<double>(text.intervalLines[1].size());

    std::vector<SummaryLine> lines;
    lines.push_back({"Input value", heading, top + 120.0, true});
    if (text.inputValue)
        lines.push_back({*text.inputValue, heading, top + 360.0, false});
    lines.push_back({"Calibrated value", heading, top + 660.0, true});
    lines.push_back({text.coefficient1, heading, top + 900.0, false});
    for (std::size_t k = 0; k < text.intervalLines[0].size(); ++k)
        lines.push_back({text.intervalLines[0][k], value, intervals + line * static_cast<double>(k), false});
    lines.push_back({text.coefficient2, heading, intervals + line * (n0 + 0.3), false});
    for (std::size_t k = 0; k < text.intervalLines[1].size(); ++k)
        lines.push_back(
            {text.intervalLines[1][k], value, intervals + line * (n0 + 1.3 + static_cast<double>(k)), false});
    lines.push_back({"Mode", heading, intervals + line * (n0 + n1 + 1.6), false});
    lines.push_back({text.mode, value, intervals + line * (n0 + n1 + 2.6), false});
    lines.push_back({"Average", heading, intervals + line * (n0 + n1 + 3.9), false});
    lines.push_back({text.average, value, intervals + line * (n0 + n1 + 4.9), false});

    const double bottom = top + height;
    const auto fits = [&](const SummaryLine& candidate) { return candidate.y + line <= bottom; };
    if (fits(lines.back()))
        return lines;
    // A noisy row can hold more intervals than the rectangle has lines; the first line that leaves no
    // room for the "..." below it gives its place to the "...".
    std::size_t kept = 0;
    while (kept + 1 < lines.size() && fits(lines[kept + 1]))
        ++kept;
    std::vector<SummaryLine> shown(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(kept));
    if (kept < lines.size() && fits(lines[kept]))
        shown.push_back({RowSummaryBlock::Continued, lines[kept].x, lines[kept].y, false});
    return shown;
}

void printRowSummaryBlock(const std::vector<SummaryLine>& lines, DrawingSurface& window)
{
    for (const SummaryLine& line : lines) {
        window.setCurrentX(line.x);
        window.setCurrentY(line.y);
        window.setFontBold(line.bold);
        window.print(QString::fromStdString(line.text));
    }
}

void eraseRowSummaryBlock(DrawingSurface& window, const QRectF& rectangle, QRgb colour)
{
    window.filledBox(rectangle.left(), rectangle.top(), rectangle.right(), rectangle.bottom(), colour);
}

} // namespace brimvale
