// What the section view reads for a computed or loaded section: the rows, the axis and the captions.
#include "cli/SectionView.h"

#include "cli/WindowReplay.h"
#include "engine/RowSummary.h"
#include "io/FileTextEncoding.h"
#include "io/ResultFileReader.h"
#include "model/NumberText.h"
#include "model/NumericValue.h"
#include "model/RuntimeFailure.h"

namespace brimvale {

SectionView SectionView::fromReplay(const WindowReplay& replay)
{
    SectionView view;
    view.section = replay.section();
    view.axisValues = replay.axisValues();
    view.topText = replay.topText();
    view.bottomText = replay.bottomText();
    view.leftCaption = replay.sectionLeftCaption();
    view.rightCaption = replay.sectionRightCaption();
    view.horizontalTitle = replay.sectionHorizontalTitle();
    view.verticalTitle = replay.sectionVerticalTitle();
    view.confidenceCoefficient1 = replay.settings().confidenceCoefficient1;
    view.confidenceCoefficient2 = replay.settings().confidenceCoefficient2;
    return view;
}

SectionView SectionView::fromResultFile(const std::filesystem::path& path)
{
    ResultFileOutcome outcome = readResultFile(path);
    // An incomplete file takes the reader's abandon step: the window shows no section.
    if (!outcome.complete())
        throw *outcome.failure;
    ResultFileData& data = outcome.data;
    SectionView view;
    view.section = std::move(data.section);
    view.axisValues = data.axisValues;
    view.bottomText = singleText(data.verticalValues.back());
    view.topText = singleText(data.verticalValues.front());
    view.leftCaption = singleText(data.axisValues[0]);
    view.rightCaption = singleText(data.axisValues[200]);
    // The window puts these titles into its hidden title labels, which the figure sliders' handlers
    // empty again while the import resizes the figures; the figure shows them as the file holds them.
    view.horizontalTitle = utf8FromFileBytes(data.sectionHorizontalTitle);
    view.verticalTitle = utf8FromFileBytes(data.sectionVerticalTitle);
    view.confidenceCoefficient1 = data.confidenceCoefficient1;
    view.confidenceCoefficient2 = data.confidenceCoefficient2;
    return view;
}

double SectionView::verticalValue(int row) const
{
    const double top = numericValue(topText);
    const double bottom = numericValue(bottomText);
    const int steps = section.verticalSteps();
    if (steps == 0)
        return top;
    return top + (bottom - top) * row / steps;
}

float SectionView::columnValue(int j) const
{
    return brimvale::columnValue(j, numericValue(leftCaption), numericValue(rightCaption));
}

} // namespace brimvale
