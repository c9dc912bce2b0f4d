// What the section view reads for the section a window holds: the rows, the axis and the captions.
#include "cli/SectionView.h"

#include <QLabel>
#include <QLineEdit>

#include "engine/RowSummary.h"
#include "model/NumericValue.h"
#include "render/RowMarker.h"
#include "ui/MainWindow.h"

namespace brimvale {

SectionView SectionView::fromWindow(const MainWindow& window)
{
    SectionView view;
    view.section = window.sectionMatrix;
    view.axisValues = window.axisValues;
    view.topText = window.Text2->text().toStdString();
    view.bottomText = window.Text1->text().toStdString();
    view.leftCaption = window.Label1[3]->text().toStdString();
    view.rightCaption = window.Label2[3]->text().toStdString();
    view.horizontalTitle = window.Label14[2]->text().toStdString();
    view.verticalTitle = window.Label15[2]->text().toStdString();
    return view;
}

float SectionView::verticalValue(int row) const
{
    return rowVerticalValue(numericValue(topText), numericValue(bottomText), row, section.verticalSteps());
}

float SectionView::columnValue(int j) const
{
    return brimvale::columnValue(j, numericValue(leftCaption), numericValue(rightCaption));
}

} // namespace brimvale
