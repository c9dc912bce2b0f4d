// What the section view reads for a computed or loaded section: the rows, the axis and the captions.
#pragma once

#include <filesystem>
#include <string>

#include "model/NumberOrText.h"
#include "model/ProbabilityGrid.h"
#include "model/SectionMatrix.h"

namespace brimvale {

class WindowReplay;

// Captions hold the UTF-8 bytes the window's labels and boxes show.
struct SectionView {
    SectionMatrix section;
    AxisValues axisValues{};     // AxisValues: the climate value of each calibrated step
    std::string topText;         // Text2, also Label2(4): the vertical value of row 0
    std::string bottomText;      // Text1, also Label1(4): the vertical value of the last row
    std::string leftCaption;     // Label1(3): left end of the section's value axis
    std::string rightCaption;    // Label2(3): right end
    std::string horizontalTitle; // Label14(2): the matrix's calibrated-value title
    std::string verticalTitle;   // Label15(2): the data file's depth or age title
    NumberOrText confidenceCoefficient1;
    NumberOrText confidenceCoefficient2;

    // The section as the window holds it after "Calibrate": layer 0 marks the input column of each row.
    static SectionView fromReplay(const WindowReplay& replay);

    // The section as "Import Brimvale file" leaves the window: layer 0 is empty, so no row has an input
    // value. Raises RuntimeFailure with the reader's failure when the file is not read completely.
    static SectionView fromResultFile(const std::filesystem::path& path);

    int lastRow() const { return section.verticalSteps(); }

    // The vertical value of row r as the section view computes it from the range boxes (Label12):
    // Val(Text2) + (Val(Text1) - Val(Text2)) * r / VerticalSteps; row 0 alone for a one-row section.
    double verticalValue(int row) const;

    // The value of column j on the section's value axis, from the numeric values of its end captions.
    float columnValue(int j) const;
};

} // namespace brimvale
