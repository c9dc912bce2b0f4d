// What the section view reads for the section a window holds: the rows, the axis and the captions.
#pragma once

#include <string>

#include "model/ProbabilityGrid.h"
#include "model/SectionMatrix.h"

namespace brimvale {

class MainWindow;

// Captions hold the UTF-8 text the window's labels and boxes show.
struct SectionView {
    SectionMatrix section;
    AxisValues axisValues{};     // AxisValues: the climate value of each calibrated step
    std::string topText;         // Text2, also Label2(4): the vertical value of row 0
    std::string bottomText;      // Text1, also Label1(4): the vertical value of the last row
    std::string leftCaption;     // Label1(3): left end of the section's value axis
    std::string rightCaption;    // Label2(3): right end
    std::string horizontalTitle; // Label14(2): the matrix's calibrated-value title
    std::string verticalTitle;   // Label15(2): the data file's depth or age title

    // The section the window shows: after "Calibrate" layer 0 marks the input column of each row; after
    // "Import Brimvale file" layer 0 is empty, so no row has an input value.
    static SectionView fromWindow(const MainWindow& window);

    int lastRow() const { return section.verticalSteps(); }

    // The vertical value of row r as the section view shows it beside the data figure.
    float verticalValue(int row) const;

    // The value of column j on the section's value axis, from the numeric values of its end captions.
    float columnValue(int j) const;
};

} // namespace brimvale
