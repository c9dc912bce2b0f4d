// The colour settings dialog (frmColor): three break-point editors, a preview strip with its white threshold,
// and the grey scale and reset commands.
#pragma once

#include <QDialog>

#include <array>

#include "model/ProgramSettings.h"
#include "ui/MousePointer.h"

class QLabel;
class QPushButton;
class QSlider;

namespace brimvale {

class PictureBox;

// Modeless: every edit changes the program-wide ramp in place at once and sets colourSettingsChanged;
// there is nothing to cancel. "OK" closes (hides) the dialog; showing it again activates it anew.
class ColourDialog : public QDialog {
    Q_OBJECT
public:
    // Grab tolerance around a break point, in the editor's scale units.
    static constexpr double GrabTolerance = 60.0;
    // Threshold of the preview strip after "Reset", in percent.
    static constexpr int ResetThreshold = 10;

    // Loads the dialog for these settings (the load-time rules: editors hidden in grey scale, the
    // threshold slider set from whiteThreshold); it draws on activation.
    ColourDialog(ProgramSettings& settings, MousePointer& pointer, QWidget* parent = nullptr);

    PictureBox& picture2(int k) { return *m_picture2[static_cast<std::size_t>(k)]; }
    PictureBox& picture1() { return *m_picture1; }
    QLabel& label0(int p) { return *m_label0[static_cast<std::size_t>(p)]; }
    QLabel& label1(int p) { return *m_label1[static_cast<std::size_t>(p)]; }
    QLabel& label2(int p) { return *m_label2[static_cast<std::size_t>(p)]; }
    QLabel& label3() { return *m_label3; }
    QSlider& slider1() { return *m_slider1; }
    QPushButton& command1() { return *m_command1; }
    QPushButton& command2() { return *m_command2; }
    QPushButton& command3() { return *m_command3; }

    // Whether break point p of channel k is held by the mouse.
    bool isGrabbed(int k, int p) const { return m_grabbed[static_cast<std::size_t>(3 * p + k)]; }

public slots:
    // Redraws the preview, the editors and the labels.
    void Form_Activate();
    // "Grey scale": the grey ramp, threshold 0, only the blue editor shown.
    void Command1_Click();
    // "OK".
    void Command2_Click();
    // "Reset": the default ramp, threshold 10 %, all editors shown.
    void Command3_Click();
    void Slider1_Change();
    void Slider1_MouseUp();
    // Mouse events of editor k, positions in the editor's scale units.
    void Picture2_MouseDown(int k, double x, double y);
    void Picture2_MouseMove(int k, double x, double y);
    void Picture2_MouseUp(int k, double x, double y);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void drawEditors();
    void drawPreview();
    void placeLabels();
    void placeLabel(QLabel& label, const PictureBox& box, float fraction);
    void setChannelsVisible(bool visible);
    // Sets the grabbed points of channel k to x / W, copying blue into red and green in grey scale.
    void moveGrabbedPoints(int k, double x, double w);
    // Whether (x, y) lies within the grab tolerance of break point p of channel k in an editor of w by h.
    bool isNear(int k, int p, double x, double y, double w, double h) const;

    ProgramSettings& m_settings;
    MousePointer& m_pointer;
    std::array<bool, 12> m_grabbed{}; // index 3 * p + k, set while the mouse holds the point

    std::array<PictureBox*, 3> m_picture2{}; // Picture2(0..2): editors of red, green and blue
    PictureBox* m_picture1 = nullptr;        // Picture1: preview strip
    std::array<QLabel*, 4> m_label0{};       // Label0(0..3): red break points in percent
    std::array<QLabel*, 4> m_label1{};       // Label1(0..3): green break points in percent
    std::array<QLabel*, 4> m_label2{};       // Label2(0..3): blue break points in percent
    QLabel* m_label3 = nullptr;              // Label3: the white threshold in percent
    QSlider* m_slider1 = nullptr;            // Slider1: the white threshold, 0..100
    QPushButton* m_command1 = nullptr;       // Command1: "Grey scale"
    QPushButton* m_command2 = nullptr;       // Command2: "OK"
    QPushButton* m_command3 = nullptr;       // Command3: "Reset"
};

} // namespace brimvale
