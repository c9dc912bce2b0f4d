// The main window's state as a user's steps change it, replayed without a window: the captions, range
// boxes and data that decide the bytes of the result file.
#pragma once

#include <array>
#include <filesystem>
#include <string>

#include "io/CorvaneMatrixReader.h"
#include "io/ResultFileWriter.h"
#include "model/DataSeries.h"
#include "model/ProbabilityGrid.h"
#include "model/ProgramSettings.h"
#include "model/RuntimeFailure.h"
#include "model/SectionMatrix.h"

namespace brimvale {

// Holds a whole calibration grid: create it on the heap. Each step mirrors the window's handler of the same
// action, with the change handlers that setting a control from code raises nested where the window runs them.
// Captions are held as the UTF-8 bytes the window's labels would write. A step raises RuntimeFailure where
// the window's step fails: RangeMessage where the window shows "Please set valid range.", else the reader's
// failure.
class WindowReplay {
public:
    // The message the window shows for a range it cannot draw or calibrate.
    static constexpr const char* RangeMessage = "Please set valid range.";

    // A freshly loaded window (Form_Load).
    WindowReplay();

    // Slider1 moved to percent (0 to 100; below 10 it springs back to 10).
    void setWidth(int percent);
    // Slider2 moved to percent (0 to 100).
    void setHeight(int percent);
    // "Import data" with the file the dialog returns, fileName being the name the dialog gives.
    void importData(const std::filesystem::path& path, const std::string& fileName);
    // "Import Corvane file" with a matrix already read from the file the dialog returns.
    void importMatrix(const CorvaneMatrix& matrix, const std::string& fileName);
    // Slider3 moved to level (1 to 10).
    void setSmoothing(int level);
    // The text typed into Text2 (top of the range), resp. Text1 (bottom).
    void typeTop(const std::string& text);
    void typeBottom(const std::string& text);
    // "Calibrate".
    void calibrate();
    // What "Save Matrix" hands to the result file writer.
    ResultFileInput saveInput() const;

    const SectionMatrix& section() const { return m_section; }
    const AxisValues& axisValues() const { return m_axisValues; }
    const ProgramSettings& settings() const { return m_settings; }
    bool sectionDrawn() const { return m_drawn[2]; }
    // The range boxes: Text2 (top) and Text1 (bottom).
    const std::string& topText() const { return m_text2; }
    const std::string& bottomText() const { return m_text1; }
    // The ends of the section's horizontal axis, Label1(3) and Label2(3).
    const std::string& sectionLeftCaption() const { return m_label1[3]; }
    const std::string& sectionRightCaption() const { return m_label2[3]; }
    // The section's axis titles, Label14(2) and Label15(2).
    const std::string& sectionHorizontalTitle() const { return m_label14[2]; }
    const std::string& sectionVerticalTitle() const { return m_label15[2]; }

private:
    // The window's procedures and change handlers that the steps run.
    void Slider1_Change();
    void Slider2_Change();
    void Slider3_Change();
    void Check3_Click();
    void Text1_Change();
    void Text2_Change();
    void setText1(const std::string& text);
    void setText2(const std::string& text);
    void setCheck3(bool ticked);
    void DrawDataCurve();
    void DrawRunningMean();
    void ClearSectionFigure();
    [[noreturn]] void rangeFailure(const std::string& detail) const;

    int m_slider1 = 100;
    int m_slider2 = 100;
    int m_slider3 = 1;
    bool m_check3 = false;
    std::string m_text1;
    std::string m_text2;
    std::array<std::string, 5> m_label1{};
    std::array<std::string, 5> m_label2{};
    std::string m_label4 = "1";
    std::array<std::string, 3> m_label10{};
    std::array<std::string, 3> m_label14{};
    std::array<std::string, 3> m_label15{};
    std::array<bool, 3> m_drawn{};
    std::array<bool, 3> m_nowImportingData{};

    ProgramSettings m_settings;
    ProbabilityGrid m_grid;
    AxisValues m_axisValues{};
    DataSeries m_data;
    SectionMatrix m_section;
};

// The name the window's file dialog gives for path, which the window keeps as the file's caption: the
// absolute path, lexically normalised ("." and ".." resolved) without resolving symbolic links, as UTF-8.
std::string dialogFileName(const std::filesystem::path& path);

// Whether the failure is one where the window shows RangeMessage.
bool isRangeFailure(const RuntimeFailure& failure);

} // namespace brimvale
