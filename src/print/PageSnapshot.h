// What the main window shows, as the printed page needs it: places, captions, flags, data and settings.
#pragma once

#include <QRectF>
#include <QString>

#include <array>
#include <optional>
#include <vector>

#include "engine/RowSummary.h"
#include "model/DataSeries.h"
#include "model/ProbabilityGrid.h"
#include "model/ProgramSettings.h"
#include "model/SectionMatrix.h"
#include "render/RowProfile.h"

namespace brimvale {

// An axis label as it stands on the window: its place in twips and its caption.
struct PageLabel {
    QRectF place;
    QString caption;
};

// The section view's calibration panel and row, while the view is open.
struct PageSectionView {
    QRectF profilePanel;                  // Picture2
    std::optional<QRectF> colourScale;    // Picture3, when shown
    std::optional<QRectF> intervalPanel;  // Picture4, when shown
    QRectF summaryFrame;                  // Shape1, where the text block is printed
    std::optional<double> markerFraction; // height of the row marker in the tall figures; none at the ends
    std::optional<ProfileBars> profile;   // the bars of the row profile; none for an empty panel
    RowSummary summary;
    RowSummaryText summaryText;
};

// Every place is in twips on the window. The data pointers refer to the window's own data, which must
// stay unchanged while the page is composed; a figure's data is read only when its drawn flag is set.
struct PageSnapshot {
    std::array<QRectF, 3> figures;               // Picture1(0..2): data, probability, section
    bool probabilityFigureShown = true;          // Picture1(1) is not hidden by the section view
    double slider2Height = 0.0;                  // the legend starts a fifth of it below the data figure
    std::array<bool, 3> drawn{};                 // Drawn(0..2)
    bool smoothing = false;                      // Check3
    bool showMode = false;                       // Check4
    std::vector<PageLabel> horizontalAxisLabels; // shown end labels under the figures, centred
    std::vector<PageLabel> verticalAxisLabels;   // shown end labels beside the figures, right-aligned
    std::array<QString, 3> fileNames;            // Label10(0..2)
    std::array<QString, 3> horizontalTitles;     // Label14(0..2)
    std::array<QString, 3> verticalTitles;       // Label15(0..2)
    QString smoothingLevel;                      // Label4
    std::array<QString, 2> coefficients;         // Label6(0..1)

    const ProgramSettings* settings = nullptr; // colours, view, enhancement and the print options
    const DataSeries* data = nullptr;
    int runningMeanPoints = 0; // smoothed points of the running mean shown
    const ProbabilityGrid* grid = nullptr;
    const SectionMatrix* section = nullptr;
    std::optional<PageSectionView> sectionView;
};

} // namespace brimvale
