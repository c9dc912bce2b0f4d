// The printed page: the figures, the section view, the frames, the labels and the legend, in that order.
#pragma once

#include <QRgb>
#include <QString>

#include <optional>
#include <vector>

#include "model/ProgramSettings.h"
#include "print/PageSnapshot.h"
#include "print/PrintPage.h"

namespace brimvale {

// Pen widths in printer pixels, each rounded to a whole number with halves to even and never below 1
// (a printer cannot draw thinner): dots and curves DotSize * Zoom / 4, the running mean 2 * DotSize *
// Zoom / 3, the frames FrameThickness * Zoom. A width beyond the 16-bit range fails with Overflow.
int dotWidth(const PrintOptions& options);
int runningMeanWidth(const PrintOptions& options);
int frameWidth(const PrintOptions& options);

// The colour of the dot printed for a cell of the probability or section figure, or none. In the
// probability view it is the cell's colour on screen, and a cell outside every confidence region
// (magnitude below 1), white on screen, prints nothing. In the confidence view a magnitude from 1 up
// to 2 is light, from 2 up to 3 dark, and 3 or more (the mode) red while "Show mode" is ticked and
// light otherwise; greys in grey scale.
std::optional<QRgb> cellDotColour(double cell, const ProgramSettings& settings, bool showMode);

// One line of the legend; a detail line stands a little right of the headings.
struct LegendLine {
    QString text;
    bool detail = false;
    bool operator==(const LegendLine&) const = default;
};

// The legend: the data figure, then the probability figure or else the section figure (each with its
// file and axis titles), an empty line, the smoothing level while smoothing is on, both confidence
// coefficients and the Z-axis enhancement.
std::vector<LegendLine> legendLines(const PageSnapshot& snapshot);

// Prints the page of the snapshot with its print options and ends the document: the data curve and
// running mean, the probability and section cells as dots, the section view's panels, marker and text
// block, the frames, the title and axis labels, and the legend. Fails with Overflow before printing
// anything when the print options give a width beyond range.
void composePage(const PageSnapshot& snapshot, PrintPage& page);

} // namespace brimvale
