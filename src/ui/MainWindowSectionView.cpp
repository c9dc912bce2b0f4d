// The section view: the row slider, the calibration panel, the row marker and summary, the profile matrix.
#include "ui/MainWindow.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRectF>
#include <QSlider>

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "engine/RowSummary.h"
#include "io/MatrixKindDecision.h"
#include "io/ProfileFileReader.h"
#include "model/Conversions.h"
#include "model/FormatValue.h"
#include "model/RuntimeFailure.h"
#include "render/ColourRampDrawing.h"
#include "render/DataCurve.h"
#include "render/RowIntervalPanel.h"
#include "render/RowMarker.h"
#include "render/RowProfile.h"
#include "render/RowSummaryBlock.h"
#include "ui/DriveList.h"
#include "ui/FileList.h"
#include "ui/FileText.h"
#include "ui/FolderList.h"
#include "ui/PictureBox.h"
#include "ui/PointerReset.h"
#include "ui/ShapeFrame.h"
#include "ui/TwipsGeometry.h"

namespace brimvale {

namespace {

// The caption of Command3 while the section view is open.
const QString SectionViewCaption = QStringLiteral("OK");
// The axis labels stand this far below the panel or figure above them (twips).
constexpr double LabelGap = 105.0;
// Picture3 stands this far right of Picture2 (twips).
constexpr double ScaleGap = 60.0;
// Slider5 reaches this much beyond the data figure's height (twips).
constexpr double SliderOverhang = 160.0;
constexpr QRgb White = 0xffffffff;

// The folder followed by the platform's separator, unless it already ends in one.
QString withSeparator(const QString& folder)
{
    const QChar separator = QDir::separator();
    return folder.endsWith(separator) ? folder : folder + separator;
}

// Returns the row unchanged when the section holds it; the slider can stand beyond the rows of a
// section read or computed after it was set.
int checkedRow(int row, const SectionMatrix& section)
{
    if (row < 0 || row > section.verticalSteps())
        raiseFailure(RuntimeFailure::Kind::SubscriptOutOfRange,
                     "Subscript out of range: section row " + std::to_string(row));
    return row;
}

ProfileBars profileBarsOf(const std::vector<float>& profileGrid, int column)
{
    ProfileBars bars{};
    for (int j = 0; j < SectionMatrix::Columns; ++j)
        bars[static_cast<std::size_t>(j)] = profileGrid[static_cast<std::size_t>(j) * SectionMatrix::Columns +
                                                        static_cast<std::size_t>(column)];
    return bars;
}

// The bars of the row profile: the row's probabilities or, for a matrix of one kind, the imported
// probability matrix's column of the row's input value (inputColumn, from the row's summary), none when
// the data curve does not cross the row.
std::optional<ProfileBars> rowProfileBars(const MainWindow& window, int row, std::optional<int> inputColumn)
{
    if (!window.Settings.legacyMatrix)
        return rowProbabilities(window.sectionMatrix, row);
    if (!inputColumn)
        return std::nullopt;
    return profileBarsOf(window.ProfileGrid, *inputColumn);
}

// The texts of the text block for the row's summary.
RowSummaryText rowSummaryText(const MainWindow& window, const RowSummary& summary)
{
    // Both ends from the section's own axis: the probability figure's may be empty after a result
    // file was read.
    return summaryText(summary, numericValueOf(window.Label1[3]->text()),
                       numericValueOf(window.Label2[3]->text()), window.Settings.confidenceCoefficient1,
                       window.Settings.confidenceCoefficient2, window.axisValues);
}

void fillWhole(DrawingSurface& surface, QRgb colour)
{
    surface.filledBox(surface.scaleLeft(), surface.scaleTop(), surface.scaleLeft() + surface.scaleWidth(),
                      surface.scaleTop() + surface.scaleHeight(), colour);
}

// Label12's caption for row r: the top of the vertical range at row 0, the bottom at the last row.
QString rowValueText(const MainWindow& window, int row)
{
    const double top = numericValueOf(window.Text2->text());
    const double bottom = numericValueOf(window.Text1->text());
    // Like every value the view shows except the input value, through FormatValue.
    return QString::fromStdString(FormatValue(rowVerticalValue(top, bottom, row, window.VerticalSteps())));
}

// Label12 beside the data figure, as far left of it as Label1(4) is of the section.
void showRowValue(MainWindow& window)
{
    window.Label12->setText(rowValueText(window, window.Slider5->value()));
    const double offset = twipsGeometry(*window.Picture1[2]).left - twipsGeometry(*window.Picture1[0]).left;
    setTwipsLeft(*window.Label12, twipsGeometry(*window.Label1[4]).left - offset);
    window.Label12->show();
}

void enterSectionView(MainWindow& window)
{
    window.SavedSectionCaption = window.Command3->text();
    window.Command3->setText(SectionViewCaption);

    for (QWidget* control : std::initializer_list<QWidget*>{
             window.Text1, window.Text2, window.Label1[2], window.Label2[2], window.Slider1, window.Slider2,
             window.Frame1, window.Dir1, window.Drive1, window.File1, window.Picture1[1], window.Command1[1]})
        control->hide();
    for (QWidget* control : std::initializer_list<QWidget*>{window.Text1, window.Text2, window.Command1[0],
                                                            window.Command1[2], window.Command2})
        control->setEnabled(false);

    setTwipsHeight(*window.Slider5, twipsGeometry(*window.Picture1[0]).height + SliderOverhang);
    // A value beyond the new maximum moves to it and raises the value handler, already in the view.
    window.Slider5->setMaximum(window.VerticalSteps());
    window.Slider5->show();
    window.MarkedRow = static_cast<std::int16_t>(window.Slider5->value());

    window.Picture2->show();
    window.PlaceSectionPanels(true);

    const ProgramSettings& settings = window.Settings;
    // Without a matrix, the section's axis ends stand under the row profile.
    if (settings.probabilityMode && !window.Drawn[1]) {
        window.Label1[1]->setText(window.Label1[3]->text());
        window.Label2[1]->setText(window.Label2[3]->text());
    }

    if (!settings.legacyMatrix) {
        window.Command6->hide();
        if (!settings.confidenceMode) {
            const TwipsRect profile = twipsGeometry(*window.Picture2);
            setTwipsLeft(*window.Picture3, profile.left + profile.width + ScaleGap);
            window.Picture3->show();
        }
        showRowValue(window);
        window.DrawRowProfile();
        window.Picture4->show();
    } else {
        // A matrix of one kind holds no profiles: they come from a separate probability matrix.
        setTwipsWidth(*window.Command6, twipsGeometry(*window.Picture1[2]).width);
        if (window.Drawn[1]) {
            window.Command6->show();
            window.Command6->setFocus();
        }
        showRowValue(window);
        window.Picture4->show();
    }
    window.DrawRowSummary();
    window.EraseRowMarker();
    window.DrawRowMarker();
}

void leaveSectionView(MainWindow& window)
{
    window.Command3->setText(window.SavedSectionCaption);
    for (QWidget* control :
         std::initializer_list<QWidget*>{window.Text1, window.Text2, window.Label1[2], window.Label2[2]})
        control->show();
    if (!window.Drawn[1]) {
        window.Label1[1]->clear();
        window.Label2[1]->clear();
    }
    window.Slider1->show();
    window.Slider2->show();
    if (window.Drawn[0]) {
        window.Text1->setEnabled(true);
        window.Text2->setEnabled(true);
    }
    for (QWidget* control : std::initializer_list<QWidget*>{
             window.Frame1, window.Dir1, window.Drive1, window.File1, window.Picture1[1], window.Command1[1]})
        control->show();
    window.Command1[0]->setEnabled(true);
    window.Command1[2]->setEnabled(true);
    if (window.Drawn[0] && window.Drawn[1] && !window.Drawn[2])
        window.Command2->setEnabled(true);
    for (QWidget* control : std::initializer_list<QWidget*>{window.Slider5, window.Picture2, window.Picture3,
                                                            window.Command6, window.Picture4, window.Label12})
        control->hide();

    window.EraseRowMarker();

    const TwipsRect figure = twipsGeometry(*window.Picture1[1]);
    const double labelTop = figure.top + figure.height + LabelGap;
    setTwipsTop(*window.Label1[1], labelTop);
    setTwipsTop(*window.Label2[1], labelTop);
    eraseRowSummaryBlock(window.FormSurface->surface(), twipsRectangle(*window.Shape1), window.BackColor());
}

} // namespace

void MainWindow::Command3_Click()
{
    if (Command3->text() != SectionViewCaption)
        enterSectionView(*this);
    else
        leaveSectionView(*this);
}

void MainWindow::Slider5_Change()
{
    if (Command3->text() != SectionViewCaption)
        return;
    PlaceSectionPanels(true);
    const int row = Slider5->value();
    Label12->setText(rowValueText(*this, row));
    Label12->setVisible(row != Slider5->minimum() && row != Slider5->maximum());
    fillWhole(Picture3->surface(), White);
    Picture2->surface().cls();
    DrawRowProfile();
    DrawRowSummary();
    EraseRowMarker();
    DrawRowMarker();
    if (!Command6->isHidden())
        Command6->setFocus();
    else if (Command3->isEnabled())
        Command3->setFocus();
    else
        Command1[1]->setFocus();
}

void MainWindow::Slider5_MouseMove()
{
    // Only the panels follow the thumb while it is dragged; the value handler redraws on release.
    // Outside the section view the panels are not shown, and moving them would carry the probability
    // figure's axis labels and the interval panel over the figures.
    if (Drawn[1] && Command3->text() == SectionViewCaption)
        PlaceSectionPanels(false);
}

void MainWindow::PlaceSectionPanels(bool includeLabel12)
{
    // The thumb's position: while it is dragged the value still holds the row it left.
    const double share = rowFraction(Slider5->sliderPosition(), VerticalSteps());
    const TwipsRect data = twipsGeometry(*Picture1[0]);
    const double marker = data.top + data.height * share;

    const double profileHeight = twipsGeometry(*Picture2).height;
    const double profileTop = marker - profileHeight;
    setTwipsTop(*Picture2, profileTop);
    setTwipsTop(*Picture3, profileTop);
    setTwipsTop(*Picture4, profileTop - twipsGeometry(*Picture4).height);
    setTwipsTop(*Command6, marker - twipsGeometry(*Command6).height);
    const double labelTop = profileTop + profileHeight + LabelGap;
    setTwipsTop(*Label1[1], labelTop);
    setTwipsTop(*Label2[1], labelTop);
    if (includeLabel12)
        setTwipsTop(*Label12, twipsGeometry(*Label2[4]).top + twipsGeometry(*Picture1[2]).height * share);
}

void MainWindow::DrawRowMarker()
{
    DrawingSurface& section = Picture1[2]->surface();
    DrawingSurface& data = Picture1[0]->surface();
    // Only a marker drawn right after the erase is one the next erase can take away by putting back what
    // the erase drew.
    MarkerErase& erase = m_markerErase;
    erase.valid = erase.valid && section.image() == erase.sectionClean && data.image() == erase.dataClean;
    const int value = Slider5->value();
    if (drawRowMarker(data, section, value, Slider5->minimum(), Slider5->maximum(), Settings.greyScale))
        MarkedRow = static_cast<std::int16_t>(value);
    erase.sectionMarked = section.image();
    erase.dataMarked = data.image();
}

MainWindow::MarkerEraseState MainWindow::markerEraseState() const
{
    const DataSeries& data = dataSeries;
    return {Drawn,
            Check3->isChecked(),
            Check4->isChecked(),
            Check8->isChecked(),
            Settings.greyScale,
            RunningMeanPoints,
            VerticalSteps(),
            data.lastIndex,
            data.verticalMin,
            data.verticalMax,
            data.horizontalMin,
            data.horizontalMax,
            BackColor()};
}

void MainWindow::EraseRowMarker()
{
    if (MarkedRow >= VerticalSteps())
        return;
    DrawingSurface& section = Picture1[2]->surface();
    DrawingSurface& data = Picture1[0]->surface();
    MarkerErase& erase = m_markerErase;
    // Nothing drawn since the marker and nothing the drawing depends on changed: what the erase drew
    // before is what it would draw again.
    if (erase.valid && section.image() == erase.sectionMarked && data.image() == erase.dataMarked &&
        Picture1[1]->surface().image() == erase.grid && section.picture() == erase.sectionPicture &&
        markerEraseState() == erase.state) {
        section.restoreImage(erase.sectionClean, erase.sectionPosition);
        data.restoreImage(erase.dataClean, erase.dataPosition);
        return;
    }

    // The cells are the section's background picture; only the overlays are drawn again.
    section.cls();
    DrawModeCurves();
    DrawAverageCurves();
    if (Drawn[0]) {
        const bool runningMean = Check3->isChecked();
        // The running mean is redrawn from the points DrawRunningMean stored, not recomputed.
        redrawDataFigure(dataSeries, runningMean, runningMean ? RunningMeanPoints : 0, data,
                         Settings.greyScale);
    } else {
        fillWhole(data, BackColor());
    }
    erase = MarkerErase{markerEraseState(),
                        section.image(),
                        data.image(),
                        Picture1[1]->surface().image(),
                        section.picture(),
                        {},
                        {},
                        QPointF(section.currentX(), section.currentY()),
                        QPointF(data.currentX(), data.currentY()),
                        true};
}

void MainWindow::DrawRowProfile()
{
    const int row = checkedRow(Slider5->value(), sectionMatrix);
    std::optional<int> inputColumn;
    if (Settings.legacyMatrix) {
        inputColumn = summariseRow(sectionMatrix, row).inputColumn;
        if (inputColumn)
            ProfileColumn = static_cast<std::int16_t>(*inputColumn);
    }
    drawRowProfile(rowProfileBars(*this, row, inputColumn), Settings.zEnhancement, Settings.greyScale,
                   Picture2->surface());
    DrawColourScale();
}

void MainWindow::DrawColourScale()
{
    drawColourScale(Picture3->surface(), Settings);
}

void MainWindow::DrawRowSummary()
{
    const int row = checkedRow(Slider5->value(), sectionMatrix);
    const RowSummary summary = summariseRow(sectionMatrix, row);
    drawRowIntervals(summary, Picture4->surface());
    if (summary.inputColumn)
        ProfileColumn = static_cast<std::int16_t>(*summary.inputColumn);

    const RowSummaryText text = rowSummaryText(*this, summary);
    const QRectF frame = twipsRectangle(*Shape1);
    DrawingSurface& form = FormSurface->surface();
    // The block of the row shown before would otherwise stay under the new one.
    eraseRowSummaryBlock(form, frame, BackColor());
    printRowSummaryBlock(rowSummaryBlock(text, frame.left(), frame.top(), frame.height()), form);
}

std::optional<PageSectionView> MainWindow::sectionViewPage() const
{
    if (Command3->text() != SectionViewCaption)
        return std::nullopt;
    PageSectionView view;
    view.profilePanel = twipsRectangle(*Picture2);
    if (Picture3->isVisibleTo(this))
        view.colourScale = twipsRectangle(*Picture3);
    if (Picture4->isVisibleTo(this))
        view.intervalPanel = twipsRectangle(*Picture4);
    view.summaryFrame = twipsRectangle(*Shape1);
    view.markerFraction = rowMarkerFraction(Slider5->value(), Slider5->minimum(), Slider5->maximum());
    const int row = checkedRow(Slider5->value(), sectionMatrix);
    view.summary = summariseRow(sectionMatrix, row);
    view.profile = rowProfileBars(*this, row, view.summary.inputColumn);
    view.summaryText = rowSummaryText(*this, view.summary);
    return view;
}

void MainWindow::LoadProfileFile()
{
    const PointerReset busy(m_services.pointer, MousePointer::Pointer::Hourglass);
    DrawingSurface& panel = Picture2->surface();
    const QString name = File1->fileName();
    const QString path = withSeparator(Dir1->path()) + name;
    try {
        if (name.isEmpty()) {
            m_services.messages.show(QStringLiteral("Pleas chose file"), QString::fromLatin1(ProgramTitle),
                                     MessageService::Icon::None);
            raiseFailure(RuntimeFailure::Kind::FileError, "No file chosen in the file list");
        }
        const ProfileMatrix profile =
            readProfileFile(QFileInfo(path).filesystemFilePath());
        ProfileValues = profile.values;
        ProfileGrid = profile.grid;

        // The kind is decided by the imported calibration grid, not by the profile file.
        const float maximum = gridMaximum(probabilityGrid);
        const float leftEnd = toSingle(numericValueOf(Label1[3]->text()));
        const float rightEnd = toSingle(numericValueOf(Label2[3]->text()));
        if (leftEnd != ProfileValues[0] || rightEnd != ProfileValues[200]) {
            // A matrix over another value axis: nothing is drawn, and an earlier profile counts.
            fillWhole(panel, BackColor());
            return;
        }
        if (maximum >= 2.0f && profile.kindText != "Probability")
            raiseFailure(RuntimeFailure::Kind::InvalidData,
                         "The profile matrix is not of the probability kind");

        const RowSummary summary = summariseRow(sectionMatrix, checkedRow(Slider5->value(), sectionMatrix));
        if (summary.inputColumn)
            ProfileColumn = static_cast<std::int16_t>(*summary.inputColumn);
        drawProfileBars(profileBarsOf(ProfileGrid, ProfileColumn), Settings.zEnhancement, Settings.greyScale,
                        panel);
        DrawRowSummary();
        Command1[1]->setFocus();
        ProfileLoaded = true;
    } catch (const RuntimeFailure& failure) {
        m_services.failures.handled(path, failure);
        fillWhole(panel, BackColor());
        ProfileLoaded = false;
    }
}

} // namespace brimvale
