// The main window (frmMain): three figures, the options frame, the file browser and the commands.
#pragma once

#include <QImage>
#include <QMainWindow>
#include <QRgb>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "io/ExportGrid.h"
#include "model/DataSeries.h"
#include "model/ProbabilityGrid.h"
#include "model/ProgramSettings.h"
#include "model/SectionMatrix.h"
#include "print/PageSnapshot.h"
#include "ui/PlatformServices.h"

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPrinter;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSlider;

namespace brimvale {

class ColourDialog;
class DriveList;
class FolderList;
class FileList;
class PictureBox;
class PrintSetupDialog;
class AboutDialog;
class ShapeFrame;
struct CorvaneMatrix;

// Controls keep the names the program's documents give them; arrays are indexed 0 data, 1 matrix,
// 2 section. Event handlers are named after their control and event, procedures after their role.
// Everything is public so tests can drive the handlers and read the controls directly; handlers and
// procedures are virtual so tests can record the order in which nested events run them.
// No RuntimeFailure leaves an event handler: each procedure catches it where it installs its
// failure path, and every connection catches what is left.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // The caption of the window and the title of its plain message boxes.
    static constexpr const char* WindowCaption = "Brimvale 2.5";
    static constexpr const char* ProgramTitle = "Brimvale";

    explicit MainWindow(PlatformServices services, QWidget* parent = nullptr);
    ~MainWindow() override;

    // ---- Controls --------------------------------------------------------------------------
    PictureBox* FormSurface = nullptr;      // the window's own drawing layer under its controls
    std::array<PictureBox*, 3> Picture1{};  // figures: data curve, probability matrix, section
    std::array<QPushButton*, 3> Command1{}; // "Import data", "Import Corvane file", "Import Brimvale file"
    QPushButton* Command2 = nullptr;        // "Calibrate"
    QPushButton* Command3 = nullptr;        // "Show section" / "OK" in the section view
    QPushButton* Command4 = nullptr;        // "Quit"
    QPushButton* Command5 = nullptr;        // "Colour settings"
    QPushButton* Command6 = nullptr;        // "Import probability matrix"
    QGroupBox* Frame1 = nullptr;            // options frame
    DriveList* Drive1 = nullptr;            // file browser: drives
    FolderList* Dir1 = nullptr;             // file browser: folders
    FileList* File1 = nullptr;              // file browser: *.csv files
    QSlider* Slider1 = nullptr;             // figure width in percent
    QSlider* Slider2 = nullptr;             // figure height in percent
    QSlider* Slider3 = nullptr;             // smoothing level
    QSlider* Slider4 = nullptr;             // Z-axis enhancement in percent
    QSlider* Slider5 = nullptr;             // section row of the section view
    QLineEdit* Text1 = nullptr;             // bottom of the data figure's vertical range
    QLineEdit* Text2 = nullptr;             // top of the data figure's vertical range
    PictureBox* Picture2 = nullptr;         // calibration panel: row profile
    PictureBox* Picture3 = nullptr;         // calibration panel: colour scale
    PictureBox* Picture4 = nullptr;         // calibration panel: row intervals
    QProgressBar* ProgressBar1 = nullptr;   // progress of long work
    std::array<QLabel*, 3> Label10{};       // hidden: full file name of each figure
    std::array<QLabel*, 3> Label14{};       // hidden: horizontal axis title of each figure
    std::array<QLabel*, 3> Label15{};       // hidden: vertical axis title of each figure
    std::array<QLabel*, 5> Label1{};        // axis end labels: left or bottom ends
    std::array<QLabel*, 5> Label2{};        // axis end labels: right or top ends
    QLabel* Label12 = nullptr;              // vertical value of the section view's row
    ShapeFrame* Shape1 = nullptr;           // sunken frame around the row summary text: dark edge
    ShapeFrame* Shape2 = nullptr;           // sunken frame: light outer edge
    ShapeFrame* Shape3 = nullptr;           // sunken frame: light inner edge
    QLabel* Label3 = nullptr;               // "Smoothing level:"
    QLabel* Label4 = nullptr;               // smoothing level value
    QLabel* Label7 = nullptr;               // "(No. of averaged levels)"
    std::array<QRadioButton*, 2> Option1{}; // "Probability", "Confidence "
    QLabel* Label9 = nullptr;               // "Z-axis enhancement:"
    QLabel* Label11 = nullptr;              // Z-axis enhancement value with " %"
    QCheckBox* Check4 = nullptr;            // "Show mode"
    QCheckBox* Check8 = nullptr;            // "Show average"
    QCheckBox* Check3 = nullptr;            // hidden "Smoothing", ticked while the level is above 1
    std::array<QLabel*, 2> Label5{};        // "C1:", "C2:"
    std::array<QLabel*, 2> Label6{};        // confidence coefficients
    QMenu* File = nullptr;                  // menu "File(&F)"
    QAction* SaveMatrix = nullptr;          // File > "&Save Matrix"
    QAction* PrintOptions = nullptr;        // File > "Print &Options"
    QAction* Print = nullptr;               // File > "&Print"
    QAction* Quit = nullptr;                // File > "&Quit"
    QMenu* Edit = nullptr;                  // menu "Edit(&E)"
    QAction* ColourSetting = nullptr;       // Edit > "Colour Settings"
    QMenu* Copy = nullptr;                  // Edit > "&Copy": copies a figure to the clipboard
    QAction* CopyFig1 = nullptr;            // Edit > Copy > "Fig.&1": the data figure
    QAction* CopyFig2 = nullptr;            // Edit > Copy > "Fig.&2": the probability figure
    QAction* CopyFig3 = nullptr;            // Edit > Copy > "Fig.&3": the section figure
    QAction* mnuSection = nullptr;          // Edit > Copy > "&Section": the calibration panel's profile
    QMenu* AboutBrimvale = nullptr;         // menu "About Brimvale(&A)"
    QAction* About = nullptr;               // "&About Brimvale 2.5"
    QMenu* RB = nullptr;                    // "RightButton", never shown: holds the right-click pop-ups
    QMenu* Fig1 = nullptr;                  // pop-up of the data figure
    QAction* Copy1 = nullptr;               // Fig1 > "Copy"
    QMenu* Fig2 = nullptr;                  // pop-up of the probability figure
    QAction* Copy2 = nullptr;               // Fig2 > "Copy"
    QMenu* Fig3 = nullptr;                  // pop-up of the section figure
    QAction* Copy3 = nullptr;               // Fig3 > "&Copy"
    QAction* SaveMatrix2 = nullptr;         // Fig3 > "&Save matrix": saves as File > "&Save Matrix"
    QMenu* CopySection = nullptr;           // "Section": pop-up of the calibration panel's profile
    QAction* mnuCopySection = nullptr;      // Section > "Copy"
    QMenu* CopyScale = nullptr;             // "Scale": pop-up of the calibration panel's colour scale
    QAction* mnuCopyScale = nullptr;        // Scale > "Copy"

    // ---- StateFlags -----------------------------------------------------------------------
    std::array<bool, 3> Drawn{};             // figure i holds data
    std::array<bool, 3> NowImportingData{};  // an import into figure i is under way
    bool LoadColourSetting = false;          // the colour dialog was opened from this window
    bool ImportingProbabilityMatrix = false; // the file browser picks a profile matrix

    // ---- Data owned by the window ---------------------------------------------------------
    ProgramSettings Settings;               // program-wide values shared with the dialogs
    ProbabilityGrid probabilityGrid;        // ProbabilityGrid
    AxisValues axisValues{};                // AxisValues
    DataSeries dataSeries;                  // DataSeries with its smoothed copy
    SectionMatrix sectionMatrix;            // SectionMatrix; VerticalSteps is its last row
    std::array<float, 201> ProfileValues{}; // value of each row of the profile matrix
    std::vector<float> ProfileGrid = std::vector<float>(201 * 201, 0.0f); // (r, c) at r * 201 + c
    std::int16_t ProfileColumn = 0;         // column of ProfileGrid drawn as the row profile
    bool ProfileLoaded = false;             // LoadProfileFile drew a profile
    std::int16_t MarkedRow = 0;             // section row of the last row marker
    QString SavedSectionCaption;            // caption of Command3 before the section view
    std::array<QString, 2> SavedRangeTexts; // texts of Text1 and Text2 at the last click into either
    QString LastBrowsedFile;                // full name of the file last loaded from the browser
    ExportGrid exportGrid;                  // ExportGrid: the section layer handed to the result file
    int RunningMeanPoints = 0;              // smoothed points of the running mean last computed

    std::int16_t VerticalSteps() const { return sectionMatrix.verticalSteps(); }
    // The window's background colour, in which cleared figures are filled.
    QRgb BackColor() const;

    // ---- Start-up, state and small handlers -----------------------------------------------
    virtual void Form_Load();
    virtual void Form_Activate();
    virtual void ClearDataFigure();
    virtual void ClearProbabilityFigure();
    virtual void ClearSectionFigure();
    virtual void BeginResultImport();
    virtual void EndResultImport();
    virtual void Slider3_Change();
    virtual void Check3_Click();
    virtual void Check4_Click();
    virtual void Check8_Click();
    virtual void Option1_Click(int index);
    virtual void Slider4_Change();
    virtual void Text1_Change();
    virtual void Text2_Change();
    virtual void Text1_Click();
    virtual void Text2_Click();

    // ---- Import workflow and file browser -------------------------------------------------
    virtual void Command1_Click(int index);
    virtual void Command6_Click();
    virtual void File1_Click();
    virtual void File1_DblClick();
    virtual void Drive1_Change();
    virtual void Dir1_Change();
    virtual void CloseProbabilityMatrixBrowser();

    // ---- Readers --------------------------------------------------------------------------
    virtual void ImportDataFile(const QString& path, bool fromImportButton);
    // Asks for a Corvane file and imports it; a cancelled dialog takes the import's failure path.
    virtual void ImportMatrixFile();
    // The import after the dialog: reads the file and applies it, or takes the failure path.
    void importMatrixFrom(const QString& path);
    virtual void ReadResultFile();
    virtual void LoadProfileFile();

    // ---- Cell display ---------------------------------------------------------------------
    virtual void PlotGridProbability(float& v, int i, int j);
    virtual void PlotSectionProbability(float& v, int i, int h);
    virtual void PlotGridConfidence(float& v, int i, int j);
    virtual void PlotSectionConfidence(float& v, int i, int h);
    virtual void SwitchToProb();
    virtual void SwitchToConfi();
    virtual void RedrawFigures();

    // ---- Reconstruction -------------------------------------------------------------------
    virtual void Command2_Click();

    // ---- Curves ---------------------------------------------------------------------------
    virtual void DrawDataCurve();
    virtual void DrawRunningMean();
    virtual void DrawModeCurves();
    virtual void DrawAverageCurves();

    // ---- Section view ---------------------------------------------------------------------
    virtual void Command3_Click();
    virtual void Slider5_Change();
    virtual void Slider5_MouseMove();
    virtual void PlaceSectionPanels(bool includeLabel12);
    virtual void DrawRowMarker();
    virtual void EraseRowMarker();
    virtual void DrawRowProfile();
    virtual void DrawColourScale();
    virtual void DrawRowSummary();

    // ---- Figure sizes ---------------------------------------------------------------------
    virtual void Slider1_Change();
    virtual void Slider2_Change();

    // ---- Result files ---------------------------------------------------------------------
    virtual void SaveMatrix_Click();
    virtual void WriteResultFile(const QString& path);

    // ---- Menus, clipboard, pointer read-out and dialogs -----------------------------------
    // Opening Edit > Copy enables each copy command whose picture holds something to copy.
    virtual void Copy_Click();
    virtual void CopyFig1_Click();
    virtual void CopyFig2_Click();
    virtual void CopyFig3_Click();
    virtual void mnuSection_Click();
    virtual void Copy1_Click();
    virtual void Copy2_Click();
    virtual void Copy3_Click();
    virtual void mnuCopySection_Click();
    virtual void mnuCopyScale_Click();
    // A right-button press on figure index pops up its menu at the mouse; other buttons do nothing.
    virtual void Picture1_MouseDown(int index, Qt::MouseButton button);
    virtual void Picture2_MouseDown(Qt::MouseButton button);
    virtual void Picture3_MouseDown(Qt::MouseButton button);
    // The figure's tooltip names its axes while it holds data.
    virtual void Picture1_MouseMove(int index);
    virtual void Command5_Click();
    virtual void ColourSetting_Click();
    virtual void About_Click();
    virtual void Command4_Click();
    virtual void Quit_Click();

    // ---- Printing -------------------------------------------------------------------------
    // Opens the print options dialog, loading it anew unless it is already open.
    virtual void PrintOptions_Click();
    // Asks for a printer and prints the page; a cancelled dialog or a printer that fails ends the
    // command without a message.
    virtual void Print_Click();
    // Prints the page of pageSnapshot() on the printer, with the hourglass pointer while it runs.
    // Fails with the page's failure when the printer cannot be opened or written.
    void printPage(QPrinter& printer);
    // What the window shows, with the print options as they stand now.
    PageSnapshot pageSnapshot() const;
    // The calibration panel and row of the section view; none while the view is closed.
    std::optional<PageSectionView> sectionViewPage() const;

    const PlatformServices& services() const { return m_services; }

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void createMenus();
    // Where a dialog of the given frame size opens: beside this window's frame, right of it or else left
    // of it, where the screen has room; nothing where it has none.
    std::optional<QPoint> besideThisWindow(QSize dialogFrame) const;
    // Clears the clipboard and puts the box's image on it.
    void copyToClipboard(const PictureBox& picture);
    void connectHandlers();
    // Runs an event handler so that no RuntimeFailure leaves it: one that its procedures did not
    // catch ends the handler with the default mouse pointer.
    void runGuarded(const std::function<void()>& handler);
    // Cls, a filled box over the whole scale area in the window's background colour, and freezing,
    // so that later Cls calls return to the empty figure.
    void clearFigure(PictureBox& figure);
    // The data figure's horizontal axis becomes the probability figure's, read from its end captions.
    void takeMatrixAxis();
    // Shows a new matrix: the kind decision, the cells, and the controls that follow the kind.
    void applyMatrix(const CorvaneMatrix& matrix);
    // The failure path of the matrix import.
    void matrixImportFailed();
    // The data figure's ranges as the window holds them, naming a range it could not use.
    QString rangeSubject() const;
    // Puts SavedRangeTexts back into the range boxes, the larger value into Text1 (the bottom).
    void restoreRangeTexts();
    // Shows and resets ProgressBar1 around long work.
    void showProgress(int maximum);
    void hideProgress();

    // What EraseRowMarker drew last, put back instead of drawn again when the row slider moves on and
    // nothing else changed: the figures without the marker, and with it as DrawRowMarker left them.
    // What the overlays and the data figure are drawn from.
    struct MarkerEraseState {
        std::array<bool, 3> drawn{};
        bool runningMean = false;
        bool modeBox = false;
        bool averageBox = false;
        bool greyScale = false;
        int runningMeanPoints = 0;
        int verticalSteps = 0;
        float lastIndex = 0.0f;
        float verticalMin = 0.0f;
        float verticalMax = 0.0f;
        float horizontalMin = 0.0f;
        float horizontalMax = 0.0f;
        QRgb backColour = 0;

        bool operator==(const MarkerEraseState&) const = default;
    };
    struct MarkerErase {
        MarkerEraseState state;
        QImage sectionClean, dataClean, grid, sectionPicture, sectionMarked, dataMarked;
        QPointF sectionPosition, dataPosition;
        bool valid = false;
    };
    MarkerEraseState markerEraseState() const;

    PlatformServices m_services;
    MarkerErase m_markerErase;
    ColourDialog* m_colourDialog = nullptr;
    PrintSetupDialog* m_printSetup = nullptr;
    AboutDialog* m_about = nullptr;
};

} // namespace brimvale
