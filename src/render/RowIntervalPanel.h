// The interval panel of the section view: a row's confidence intervals as bars, its mode and average.
#pragma once

#include <array>

#include "engine/RowSummary.h"
#include "render/DrawingSurface.h"

namespace brimvale {

struct RowIntervalPanel {
    // Heights in twips above the panel's bottom: the bars of class 0 and 1, and the foot of the mode
    // and average lines.
    static constexpr std::array<int, 3> BarHeights{270, 150, 120};
    static constexpr int TickBelow = 50; // a tick reaches this far below its bar...
    static constexpr int TickAbove = 10; // ...and this far above it
    static constexpr int MarkTop = 100;  // the mode and average lines reach this far above the top bar
};

// Clears the panel, then draws in its default scale (twips): each interval as a black horizontal bar at
// its class's height with a tick at each end (none at an end cut by the edge of the climate range), at
// the current DrawWidth; then at DrawWidth 1 a red vertical line for every mode mark and a blue one for
// every average mark.
void drawRowIntervals(const RowSummary& summary, DrawingSurface& panel);

} // namespace brimvale
