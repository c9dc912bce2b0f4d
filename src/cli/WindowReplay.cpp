// The main window's state as a user's steps change it, replayed without a window.
#include "cli/WindowReplay.h"

#include <cmath>

#include "engine/RunningMean.h"
#include "engine/SectionReconstruction.h"
#include "io/DataFileReader.h"
#include "io/ExportGrid.h"
#include "io/FileTextEncoding.h"
#include "io/MatrixKindDecision.h"
#include "model/Conversions.h"
#include "model/NumberText.h"
#include "model/NumericValue.h"
#include "model/RuntimeFailure.h"
#include "render/DataCurve.h"
#include "render/Twips.h"

namespace brimvale {

namespace {

// Design size of the data figure in twips at 100 percent, and the sunken border the picture box draws
// inside it in pixels; the drawing's scale is what remains. Only an absurdly narrow range, whose
// coordinates leave the 32-bit float range, depends on it.
constexpr double FigureWidthTwips = 2175.0;
constexpr double FigureHeightTwips = 5535.0;
constexpr int FigureBorderPixels = 2;
constexpr int SmallestWidthPercent = 10;

double innerTwips(double designTwips, int percent)
{
    const int pixels = twipsToPixels(percent * designTwips / 100.0) - 2 * FigureBorderPixels;
    return pixelsToTwips(pixels > 0 ? pixels : 0);
}

std::string captionOf(float value)
{
    return singleText(value);
}

} // namespace

std::string dialogFileName(const std::filesystem::path& path)
{
    return utf8FromFileBytes(std::filesystem::absolute(path).lexically_normal().string());
}

bool isRangeFailure(const RuntimeFailure& failure)
{
    return std::string_view(failure.what()).starts_with(WindowReplay::RangeMessage);
}

WindowReplay::WindowReplay()
{
    // Form_Load: every caption empty, the smoothing level "1", the view "Probability".
}

void WindowReplay::rangeFailure(const std::string& detail) const
{
    raiseFailure(RuntimeFailure::Kind::InvalidData, std::string(RangeMessage) + " (" + detail + ")");
}

// ---- Handlers ---------------------------------------------------------------------------------------

void WindowReplay::setWidth(int percent)
{
    if (percent == m_slider1)
        return;
    m_slider1 = percent;
    Slider1_Change();
}

void WindowReplay::setHeight(int percent)
{
    if (percent == m_slider2)
        return;
    m_slider2 = percent;
    Slider2_Change();
}

void WindowReplay::Slider1_Change()
{
    // The slider springs back to 10, which runs this handler again before the rest of this one.
    if (m_slider1 < SmallestWidthPercent) {
        m_slider1 = SmallestWidthPercent;
        Slider1_Change();
    }
    ClearSectionFigure();
    if (m_drawn[0]) {
        DrawDataCurve();
        DrawRunningMean();
    }
    if (m_drawn[2])
        ClearSectionFigure();
    // RedrawFigures draws the data curve again at the new size.
    if (!m_nowImportingData[2] && m_drawn[0]) {
        DrawDataCurve();
        DrawRunningMean();
    }
}

void WindowReplay::Slider2_Change()
{
    ClearSectionFigure();
    if (m_drawn[0]) {
        DrawDataCurve();
        DrawRunningMean();
    }
    if (m_drawn[2])
        ClearSectionFigure();
}

// Command1_Click(0): the dialog's file goes through ImportDataFile, then the import's finish steps.
void WindowReplay::importData(const std::filesystem::path& path, const std::string& fileName)
{
    m_nowImportingData = {true, false, false};

    // ImportDataFile: titles, records and rounded ranges.
    const DataFile file = DataFileReader::readFile(path);
    m_label15[0] = utf8FromFileBytes(file.verticalTitle);
    m_label14[0] = utf8FromFileBytes(file.horizontalTitle);
    file.applyTo(m_data);
    // A matrix already shown gives the data figure its horizontal axis.
    if (m_drawn[1]) {
        m_data.horizontalMax = toSingle(numericValue(m_label2[1]));
        m_data.horizontalMin = toSingle(numericValue(m_label1[1]));
    }
    DrawDataCurve();
    DrawRunningMean();

    // The finish steps of the import command.
    m_label10[0] = fileName;
    m_nowImportingData = {false, false, false};
    if (!(m_drawn[0] && m_drawn[1]))
        ClearSectionFigure();
}

// Command1_Click(1): ImportMatrixFile with the matrix read, then the import's finish steps.
void WindowReplay::importMatrix(const CorvaneMatrix& matrix, const std::string& fileName)
{
    m_nowImportingData = {false, true, false};

    m_label14[1] = utf8FromFileBytes(matrix.horizontalTitle);
    m_label15[1] = utf8FromFileBytes(matrix.verticalTitle);
    m_settings.confidenceCoefficient1 = matrix.coefficient1;
    m_settings.confidenceCoefficient2 = matrix.coefficient2;
    m_grid = matrix.grid;
    m_axisValues = matrix.axisValues;

    const MatrixKindDecision decision = decideMatrixKind(matrix.kindText, gridMaximum(m_grid));
    switch (decision.kind) {
    case MatrixKindDecision::Kind::Probability:
        m_settings.legacyMatrix = true;
        m_settings.probabilityMode = true;
        m_settings.confidenceMode = false;
        break;
    case MatrixKindDecision::Kind::Confidence:
        m_settings.legacyMatrix = decision.legacy;
        m_settings.confidenceMode = true;
        m_settings.probabilityMode = false;
        break;
    case MatrixKindDecision::Kind::Packed:
        // "Probability" is selected in a fresh window, so SwitchToProb runs.
        m_settings.legacyMatrix = false;
        m_settings.probabilityMode = true;
        m_settings.confidenceMode = false;
        break;
    }
    m_drawn[1] = true;
    ClearSectionFigure();

    // With a data curve present the matrix's value axis becomes the axis of every figure.
    if (m_drawn[0] && m_drawn[1]) {
        const std::string left = captionOf(m_axisValues[0]);
        const std::string right = captionOf(m_axisValues[200]);
        for (int i = 0; i <= 3; ++i) {
            m_label1[i] = left;
            m_label2[i] = right;
        }
        m_data.horizontalMax = toSingle(numericValue(m_label2[1]));
        m_data.horizontalMin = toSingle(numericValue(m_label1[1]));
        DrawDataCurve();
        DrawRunningMean();
    }

    m_label10[1] = fileName;
    m_nowImportingData = {false, false, false};
    if (!(m_drawn[0] && m_drawn[1]))
        ClearSectionFigure();
}

void WindowReplay::setSmoothing(int level)
{
    if (level == m_slider3)
        return;
    m_slider3 = level;
    Slider3_Change();
}

void WindowReplay::Slider3_Change()
{
    m_label4 = std::to_string(m_slider3);
    // Ticking or unticking the box runs its click handler before the steps below.
    setCheck3(m_slider3 != 1);
    if (m_check3 && m_drawn[0]) {
        DrawDataCurve();
        DrawRunningMean();
        ClearSectionFigure();
    }
}

void WindowReplay::setCheck3(bool ticked)
{
    if (ticked == m_check3)
        return;
    m_check3 = ticked;
    Check3_Click();
}

void WindowReplay::Check3_Click()
{
    if (m_check3 && m_drawn[0])
        DrawRunningMean();
    if (!m_check3) {
        if (m_drawn[0]) {
            DrawDataCurve();
        } else {
            // ClearDataFigure
            setText1({});
            setText2({});
            m_label1[0].clear();
            m_label2[0].clear();
            m_drawn[0] = false;
            m_label14[0].clear();
            m_label15[0].clear();
        }
    }
    ClearSectionFigure();
}

void WindowReplay::typeTop(const std::string& text)
{
    setText2(text);
}

void WindowReplay::typeBottom(const std::string& text)
{
    setText1(text);
}

void WindowReplay::setText1(const std::string& text)
{
    // A text box raises its change handler only when its text really changes.
    if (text == m_text1)
        return;
    m_text1 = text;
    Text1_Change();
}

void WindowReplay::setText2(const std::string& text)
{
    if (text == m_text2)
        return;
    m_text2 = text;
    Text2_Change();
}

void WindowReplay::Text1_Change()
{
    if (m_nowImportingData[2])
        return;
    m_label1[4] = m_text1;
    if (m_drawn[0] && !m_nowImportingData[0]) {
        m_data.verticalMax = toSingle(numericValue(m_text1));
        DrawDataCurve();
        DrawRunningMean();
    }
    if (m_drawn[2])
        ClearSectionFigure();
}

void WindowReplay::Text2_Change()
{
    if (m_nowImportingData[2])
        return;
    m_label2[4] = m_text2;
    if (m_drawn[0] && !m_nowImportingData[0]) {
        m_data.verticalMin = toSingle(numericValue(m_text2));
        DrawDataCurve();
        DrawRunningMean();
    }
    if (m_drawn[2])
        ClearSectionFigure();
}

// Command2_Click: the range check, the rasterised curve and the calibrated rows.
void WindowReplay::calibrate()
{
    if (numericValue(m_text2) > numericValue(m_text1))
        rangeFailure("top " + m_text2 + " lies below bottom " + m_text1);
    try {
        if (!m_check3)
            copyUnsmoothedCurve(m_data);
        const std::int16_t steps = verticalStepsFor(m_slider1, m_slider2);
        const int window = m_check3 ? m_slider3 : 1;
        SectionMatrix section = rasteriseCurve(m_data, steps, window, m_slider3);
        ClearSectionFigure();
        // Neither view selected leaves the calibrated layer empty, as the window does.
        if (m_settings.probabilityMode || m_settings.confidenceMode)
            calibrateSection(section, m_grid);
        m_section = std::move(section);
    } catch (const RuntimeFailure& failure) {
        rangeFailure("top " + m_text2 + ", bottom " + m_text1 + ": " + failure.what());
    }
    m_drawn[2] = true;
    m_label14[2] = m_label15[1];
    m_label15[2] = m_label15[0];
}

// SaveMatrix_Click copies layer 1 of the section; WriteResultFile reads the captions and sliders.
ResultFileInput WindowReplay::saveInput() const
{
    ResultFileInput input;
    input.dataFileName = m_label10[0];
    input.dataXTitle = m_label14[0];
    input.dataYTitle = m_label15[0];
    input.matrixFileName = m_label10[1];
    input.matrixXTitle = m_label14[1];
    input.matrixYTitle = m_label15[1];
    input.smoothingCaption = m_label4;
    input.axisLeftCaption = m_label1[1];
    input.axisRightCaption = m_label2[1];
    input.sectionTopCaption = m_label2[4];
    input.sectionBottomCaption = m_label1[4];
    input.confidenceCoefficient1 = m_settings.confidenceCoefficient1;
    input.confidenceCoefficient2 = m_settings.confidenceCoefficient2;
    input.slider1 = m_slider1;
    input.slider2 = m_slider2;
    input.exportGrid = ExportGrid::fromSection(m_section);
    return input;
}

// ---- Procedures -------------------------------------------------------------------------------------

// DrawDataCurve: the curve's points must map into the figure; then the captions and range boxes.
void WindowReplay::DrawDataCurve()
{
    try {
        const double last = m_data.lastIndex;
        if (!(last < static_cast<double>(DataSeries::Capacity)))
            raiseFailure(RuntimeFailure::Kind::SubscriptOutOfRange,
                         "Subscript out of range: last index " + std::to_string(last));
        // A single point draws no line, so nothing is mapped and nothing can fail.
        if (last >= 1.0) {
            const double w = innerTwips(FigureWidthTwips, m_slider1);
            const double h = innerTwips(FigureHeightTwips, m_slider2);
            for (int k = 0; k <= static_cast<int>(last); ++k)
                dataCurvePoint(m_data, w, h, m_data.x[k], m_data.y[k]);
        }
    } catch (const RuntimeFailure&) {
        rangeFailure("vertical " + captionOf(m_data.verticalMin) + " to " + captionOf(m_data.verticalMax) +
                     ", horizontal " + captionOf(m_data.horizontalMin) + " to " +
                     captionOf(m_data.horizontalMax));
    }
    m_label1[0] = captionOf(m_data.horizontalMin);
    m_label2[0] = captionOf(m_data.horizontalMax);
    // Writing the boxes runs their change handlers when the text changes.
    setText1(captionOf(m_data.verticalMax));
    setText2(captionOf(m_data.verticalMin));
    m_drawn[0] = true;
    if (m_label1[1].empty())
        m_label1[3].clear();
    if (m_label2[1].empty())
        m_label2[3].clear();
}

// DrawRunningMean: the smoothed copy that the calibration uses.
void WindowReplay::DrawRunningMean()
{
    if (!m_drawn[0] || !m_check3 || m_slider3 == 1)
        return;
    computeRunningMean(m_data, m_slider3);
}

void WindowReplay::ClearSectionFigure()
{
    m_drawn[2] = false;
    // Label10(2) takes the file last chosen in the browser, which the batch never uses.
    m_label10[2].clear();
    m_label14[2].clear();
    m_label15[2].clear();
    if (!m_drawn[1]) {
        m_label1[3].clear();
        m_label2[3].clear();
    }
    if (!m_drawn[0]) {
        m_label1[4].clear();
        m_label2[4].clear();
        setText1({});
        setText2({});
    }
}

} // namespace brimvale
