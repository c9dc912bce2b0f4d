// The data curve with its running mean.
#include "ui/MainWindow.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QSlider>

#include <algorithm>

#include "engine/RunningMean.h"
#include "model/RuntimeFailure.h"
#include "render/DataCurve.h"
#include "ui/FileText.h"
#include "ui/PictureBox.h"

namespace brimvale {

void MainWindow::DrawDataCurve()
{
    try {
        drawDataCurve(dataSeries, Picture1[0]->surface(), Settings.greyScale);

        Label1[0]->setText(singleCaption(dataSeries.horizontalMin));
        Label2[0]->setText(singleCaption(dataSeries.horizontalMax));
        // Each box raises its change handler when its text changes; the handler reads the number back
        // and draws again, and that nested pass writes the same texts, which ends it.
        Text1->setText(singleCaption(dataSeries.verticalMax));
        Text2->setText(singleCaption(dataSeries.verticalMin));
        Drawn[0] = true;

        if (Check3->isChecked()) {
            Label3->setEnabled(true);
            Label4->setEnabled(true);
            Label7->setEnabled(true);
        }
        if (Label1[1]->text().isEmpty())
            Label1[3]->clear();
        if (Label2[1]->text().isEmpty())
            Label2[3]->clear();
    } catch (const RuntimeFailure& failure) {
        m_services.failures.handled(rangeSubject(), failure);
        m_services.messages.show(QStringLiteral("Please set valid range."), QStringLiteral("Error"),
                                 MessageService::Icon::Exclamation);
        restoreRangeTexts();
        m_services.pointer.set(MousePointer::Pointer::Default);
        ProgressBar1->hide();
    }
}

void MainWindow::DrawRunningMean()
{
    const int window = Slider3->value();
    if (!Drawn[0] || !Check3->isChecked() || window == 1)
        return;

    computeRunningMean(dataSeries, window);
    // LastIndex - w + 2 smoothed points; none when the window is longer than the record.
    RunningMeanPoints = std::max(0, static_cast<int>(dataSeries.lastIndex) - window + 2);
    drawRunningMean(dataSeries, RunningMeanPoints, Picture1[0]->surface(), Settings.greyScale);
}

QString MainWindow::rangeSubject() const
{
    return QStringLiteral("vertical %1 to %2, horizontal %3 to %4")
        .arg(singleCaption(dataSeries.verticalMin), singleCaption(dataSeries.verticalMax),
             singleCaption(dataSeries.horizontalMin), singleCaption(dataSeries.horizontalMax));
}

void MainWindow::restoreRangeTexts()
{
    // Copies: the change handlers that the boxes raise may fail and restore again.
    const QString bottom = SavedRangeTexts[0];
    const QString top = SavedRangeTexts[1];
    const double bottomValue = numericValueOf(bottom);
    const double topValue = numericValueOf(top);
    // The larger value goes to the bottom; equal values exchange the two texts.
    const bool bottomStays = bottomValue > topValue;
    Text1->setText(bottomStays ? bottom : top);
    Text2->setText(bottomStays ? top : bottom);
}

} // namespace brimvale
