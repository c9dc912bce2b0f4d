// Main windows over test doubles of the platform services, shared by the window's test files.
#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "support/TestPlatformServices.h"
#include "ui/MainWindow.h"
#include "ui/PictureBox.h"

namespace brimvale::test {

// A main window that records, in order, every handler and procedure it runs. The workflow's own
// handlers and procedures record and then run. The procedures of the other subsystems (drawing,
// readers, calibration, section view, sizing, result files, dialogs) only record and then run the
// effect a test gave for their name, so the workflow's tests do not depend on how they are built.
class RecordingMainWindow : public MainWindow {
public:
    struct Plot {
        std::string procedure;
        float v;
        int i;
        int j;
    };

    using MainWindow::MainWindow;

    std::vector<std::string> calls;                       // handler and procedure names, in the order run
    std::vector<Plot> plots;                              // every cell plot, in the order run
    std::map<std::string, std::function<void()>> effects; // stands in for a stubbed procedure's body

    // Returns the calls recorded so far and forgets them.
    std::vector<std::string> takeCalls()
    {
        std::vector<std::string> taken;
        taken.swap(calls);
        return taken;
    }

#define BRIMVALE_RECORD_AND_RUN(name)                                                                        \
    void name() override                                                                                     \
    {                                                                                                        \
        calls.push_back(#name);                                                                              \
        MainWindow::name();                                                                                  \
    }
#define BRIMVALE_RECORD_ONLY(name)                                                                           \
    void name() override                                                                                     \
    {                                                                                                        \
        stand(#name);                                                                                        \
    }

    BRIMVALE_RECORD_AND_RUN(Form_Activate)
    BRIMVALE_RECORD_AND_RUN(ClearDataFigure)
    BRIMVALE_RECORD_AND_RUN(ClearProbabilityFigure)
    BRIMVALE_RECORD_AND_RUN(ClearSectionFigure)
    BRIMVALE_RECORD_AND_RUN(BeginResultImport)
    BRIMVALE_RECORD_AND_RUN(EndResultImport)
    BRIMVALE_RECORD_AND_RUN(Slider3_Change)
    BRIMVALE_RECORD_AND_RUN(Check3_Click)
    BRIMVALE_RECORD_AND_RUN(Check4_Click)
    BRIMVALE_RECORD_AND_RUN(Check8_Click)
    BRIMVALE_RECORD_AND_RUN(Slider4_Change)
    BRIMVALE_RECORD_AND_RUN(Text1_Change)
    BRIMVALE_RECORD_AND_RUN(Text2_Change)
    BRIMVALE_RECORD_AND_RUN(Text1_Click)
    BRIMVALE_RECORD_AND_RUN(Text2_Click)
    BRIMVALE_RECORD_AND_RUN(Command6_Click)
    BRIMVALE_RECORD_AND_RUN(File1_Click)
    BRIMVALE_RECORD_AND_RUN(File1_DblClick)
    BRIMVALE_RECORD_AND_RUN(Drive1_Change)
    BRIMVALE_RECORD_AND_RUN(Dir1_Change)
    BRIMVALE_RECORD_AND_RUN(CloseProbabilityMatrixBrowser)
    BRIMVALE_RECORD_AND_RUN(ImportMatrixFile)

    BRIMVALE_RECORD_ONLY(ReadResultFile)
    BRIMVALE_RECORD_ONLY(LoadProfileFile)
    BRIMVALE_RECORD_ONLY(SwitchToProb)
    BRIMVALE_RECORD_ONLY(SwitchToConfi)
    BRIMVALE_RECORD_ONLY(RedrawFigures)
    BRIMVALE_RECORD_ONLY(Command2_Click)
    BRIMVALE_RECORD_ONLY(DrawDataCurve)
    BRIMVALE_RECORD_ONLY(DrawRunningMean)
    BRIMVALE_RECORD_ONLY(DrawModeCurves)
    BRIMVALE_RECORD_ONLY(DrawAverageCurves)
    BRIMVALE_RECORD_ONLY(Command3_Click)
    BRIMVALE_RECORD_ONLY(Slider5_Change)
    BRIMVALE_RECORD_ONLY(Slider5_MouseMove)
    BRIMVALE_RECORD_ONLY(DrawRowMarker)
    BRIMVALE_RECORD_ONLY(EraseRowMarker)
    BRIMVALE_RECORD_ONLY(DrawRowProfile)
    BRIMVALE_RECORD_ONLY(DrawColourScale)
    BRIMVALE_RECORD_ONLY(DrawRowSummary)
    BRIMVALE_RECORD_ONLY(Slider1_Change)
    BRIMVALE_RECORD_ONLY(Slider2_Change)
    BRIMVALE_RECORD_ONLY(SaveMatrix_Click)
    BRIMVALE_RECORD_ONLY(Command5_Click)

#undef BRIMVALE_RECORD_AND_RUN
#undef BRIMVALE_RECORD_ONLY

    void Option1_Click(int index) override
    {
        calls.push_back("Option1_Click(" + std::to_string(index) + ")");
        MainWindow::Option1_Click(index);
    }
    void Command1_Click(int index) override
    {
        calls.push_back("Command1_Click(" + std::to_string(index) + ")");
        MainWindow::Command1_Click(index);
    }
    void ImportDataFile(const QString& path, bool fromImportButton) override
    {
        importedDataFiles.push_back({path, fromImportButton});
        stand("ImportDataFile");
    }
    void WriteResultFile(const QString&) override
    {
        stand("WriteResultFile");
    }
    void PlaceSectionPanels(bool) override
    {
        stand("PlaceSectionPanels");
    }
    void PlotGridProbability(float& v, int i, int j) override
    {
        plots.push_back({"PlotGridProbability", v, i, j});
    }
    void PlotGridConfidence(float& v, int i, int j) override
    {
        plots.push_back({"PlotGridConfidence", v, i, j});
    }
    void PlotSectionProbability(float& v, int i, int h) override
    {
        plots.push_back({"PlotSectionProbability", v, i, h});
    }
    void PlotSectionConfidence(float& v, int i, int h) override
    {
        plots.push_back({"PlotSectionConfidence", v, i, h});
    }

    struct DataImport {
        QString path;
        bool fromImportButton;
    };
    std::vector<DataImport> importedDataFiles;

private:
    void stand(const std::string& name)
    {
        calls.push_back(name);
        const auto effect = effects.find(name);
        if (effect != effects.end())
            effect->second();
    }
};

// Returns how many pixels of the figure have the colour.
inline int colourCount(const PictureBox& figure, QRgb colour)
{
    const QImage image = figure.surface().image().convertToFormat(QImage::Format_ARGB32);
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == colour ? 1 : 0;
    }
    return count;
}

// Whether a pixel of the colour lies within reach device pixels of the point given in the figure's scale.
inline bool colourNear(const PictureBox& figure, double x, double y, QRgb colour, int reach = 2)
{
    const QImage image = figure.surface().image().convertToFormat(QImage::Format_ARGB32);
    const QPointF device = figure.surface().toDevice(x, y);
    for (int dy = -reach; dy <= reach; ++dy) {
        for (int dx = -reach; dx <= reach; ++dx) {
            const QPoint p(static_cast<int>(std::floor(device.x())) + dx,
                           static_cast<int>(std::floor(device.y())) + dy);
            if (image.valid(p) && image.pixel(p) == colour)
                return true;
        }
    }
    return false;
}

// Builds the window over fresh doubles for every test and offers a temporary folder for files.
template <class Window> class MainWindowFixtureOf : public ::testing::Test {
protected:
    TestPlatformServices platform;
    std::unique_ptr<Window> window = std::make_unique<Window>(platform.services());
    QTemporaryDir folder;

    // Writes the bytes into a file of the temporary folder and returns its full path.
    QString writeFile(const QString& name, const QByteArray& contents)
    {
        const QString path = folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
        file.write(contents);
        return path;
    }
};

// The window as the program builds it.
using MainWindowFixture = MainWindowFixtureOf<MainWindow>;
// The window whose procedures of other subsystems only record.
using RecordingWindowFixture = MainWindowFixtureOf<RecordingMainWindow>;

} // namespace brimvale::test
