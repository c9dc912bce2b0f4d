// The interval panel of the section view: a row's confidence intervals as bars, its mode and average.
#include "render/RowIntervalPanel.h"

namespace brimvale {

namespace {

constexpr QRgb Black = 0xff000000;
constexpr QRgb Red = 0xffff0000;
constexpr QRgb Blue = 0xff0000ff;

} // namespace

void drawRowIntervals(const RowSummary& summary, DrawingSurface& panel)
{
    panel.cls();
    const double w = panel.scaleWidth();
    const double h = panel.scaleHeight();
    const auto xOf = [&](int j) { return j * w / 200.0; };
    const auto& heights = RowIntervalPanel::BarHeights;

    for (std::size_t s = 0; s < summary.classes.size(); ++s) {
        const IntervalClass& intervals = summary.classes[s];
        const double bar = h - heights[s];
        const double tickBottom = h - (heights[s] - RowIntervalPanel::TickBelow);
        const double tickTop = h - (heights[s] + RowIntervalPanel::TickAbove);
        const std::size_t count = intervals.intervals.size();
        for (std::size_t k = 0; k < count; ++k) {
            const double start = xOf(intervals.intervals[k].start);
            const double end = xOf(intervals.intervals[k].end);
            panel.line(start, bar, end, bar, Black);
            if (!(k == 0 && intervals.openLeft))
                panel.line(start, tickBottom, start, tickTop, Black);
            if (!(k + 1 == count && intervals.openRight))
                panel.line(end, tickBottom, end, tickTop, Black);
        }
    }

    panel.setDrawWidth(1);
    const double markBottom = h - (heights[2] - RowIntervalPanel::TickBelow);
    const double markTop = h - (heights[0] + RowIntervalPanel::MarkTop);
    // Column by column, the mode before the average, so that where lines meet the later column shows.
    auto mode = summary.modeMarks.begin();
    auto average = summary.averageMarks.begin();
    while (mode != summary.modeMarks.end() || average != summary.averageMarks.end()) {
        if (average == summary.averageMarks.end() || (mode != summary.modeMarks.end() && *mode <= *average)) {
            panel.line(xOf(*mode), markBottom, xOf(*mode), markTop, Red);
            ++mode;
        } else {
            panel.line(xOf(*average), markBottom, xOf(*average), markTop, Blue);
            ++average;
        }
    }
}

} // namespace brimvale
