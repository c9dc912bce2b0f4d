// The section view of the main window: entering and leaving it, the row slider, and the probability
// matrix that single-kind calibrations take their profiles from.
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>
#include <map>
#include <tuple>

#include "ui/DriveList.h"
#include "ui/FileList.h"
#include "ui/FolderList.h"
#include "ui/WindowTest.h"

namespace brimvale::test {
namespace {

// What the user sees of a control: whether it is hidden, whether enabled, its place when shown, its text.
using ControlState = std::tuple<bool, bool, QRect, QString>;

// The states of every control of the window and of its options frame.
std::map<QString, ControlState> snapshot(const MainWindow& window)
{
    std::map<QString, ControlState> states;
    for (const QWidget* parent :
         {static_cast<const QWidget*>(window.FormSurface), static_cast<const QWidget*>(window.Frame1)}) {
        for (const QWidget* control : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            const QVariant text = control->property("text");
            states[control->objectName()] = {control->isHidden(), control->isEnabled(),
                                             control->isHidden() ? QRect() : control->geometry(),
                                             text.isValid() ? text.toString() : QString()};
        }
    }
    return states;
}

TEST_F(WindowTest, TheSectionViewTakesTheImportsAwayAndLeavingItRestoresTheWindow)
{
    calibrated();
    const std::map<QString, ControlState> before = snapshot(*window);

    click(QStringLiteral("Show section"));

    for (QWidget* away :
         std::initializer_list<QWidget*>{window->Frame1, window->Drive1, window->Dir1, window->File1,
                                         window->Picture1[1], window->Slider1, window->Slider2})
        EXPECT_TRUE(away->isHidden()) << away->objectName().toStdString();
    for (const char* caption : {"Import data", "Import Brimvale file", "Calibrate"})
        EXPECT_FALSE(offered(QString::fromLatin1(caption))) << caption;
    for (QWidget* shown : std::initializer_list<QWidget*>{window->Picture2, window->Picture3,
                                                          window->Picture4, window->Slider5, window->Label12})
        EXPECT_FALSE(shown->isHidden()) << shown->objectName().toStdString();
    EXPECT_FALSE(window->Command6->isVisibleTo(window.get())) << "a packed matrix holds its own profiles";
    EXPECT_EQ(window->Slider5->maximum(), 511);
    EXPECT_GT(count(*window->Picture1[0], Red), 0) << "the row marker";

    window->Slider5->setValue(400);
    click(QStringLiteral("OK"));

    EXPECT_EQ(count(*window->Picture1[0], Red), 0);
    std::map<QString, ControlState> after = snapshot(*window);
    // The row slider and the interval panel belong to the section view and end hidden; the row value
    // keeps the last row's text.
    for (const char* own : {"Slider5", "Picture4"})
        EXPECT_TRUE(std::get<0>(after.at(QString::fromLatin1(own)))) << own;
    for (const char* own : {"Slider5", "Picture4", "Label12"})
        after[QString::fromLatin1(own)] = before.at(QString::fromLatin1(own));
    for (const auto& [name, state] : before)
        EXPECT_TRUE(after.at(name) == state) << name.toStdString();
}

TEST_F(WindowTest, TheRowValueBesideTheDataFigureFollowsTheRowSlider)
{
    // Rows 0 to 251 at depths 0 to 2510: the view opens at row 83, a third of the way down.
    importResult(resultFile(251));
    click(QStringLiteral("Show section"));
    EXPECT_EQ(window->Label12->text(), QStringLiteral("830"));

    window->Slider5->setValue(100);
    EXPECT_EQ(window->Label12->text(), QStringLiteral("1000"));
    EXPECT_FALSE(window->Label12->isHidden());

    // At either end of the slider no row value is shown.
    window->Slider5->setValue(251);
    EXPECT_TRUE(window->Label12->isHidden());
}

TEST_F(WindowTest, EachStepOfTheRowSliderShowsWhatAWholeRedrawShows)
{
    calibrated(3);
    click(QStringLiteral("Show section"));
    // Each step puts back what the erase before it drew.
    for (int row : {40, 300, 120}) {
        window->Slider5->setValue(row);
        const QImage data = imageOf(*window->Picture1[0]);
        const QImage section = imageOf(*window->Picture1[2]);
        window->RedrawFigures();
        EXPECT_EQ(imageOf(*window->Picture1[0]), data) << row;
        EXPECT_EQ(imageOf(*window->Picture1[2]), section) << row;
    }
}

// A single-kind calibration takes its profiles from a probability matrix picked in the browser, which its
// "OK" closes; a matrix of classes takes only one that says it holds probabilities.
TEST_F(WindowTest, TheBrowserOfASingleKindCalibrationTakesOnlyAProbabilityMatrixAsProfile)
{
    const auto upTo2 = [](int i, int j) { return std::min(CorvaneFileBuilder::confidenceCell(i, j), 2.0); };
    struct Case {
        const char* name;
        CorvaneFileBuilder matrix;
        const char* profileKind;
        bool taken;
    };
    const Case cases[] = {
        {"classes, probability profile", CorvaneFileBuilder::confidenceMatrix(), "Probability", true},
        {"classes, class profile", CorvaneFileBuilder::confidenceMatrix(), "Confidence", false},
        {"classes up to 2, class profile", CorvaneFileBuilder::confidenceMatrix().cells(upTo2), "Confidence",
         false},
        {"probabilities, any profile", CorvaneFileBuilder::probabilityMatrix(), "Confidence", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        window = std::make_unique<MainWindow>(platform.services());
        window->show(); // the browser lists what it shows
        importData();
        importMatrix(c.matrix);
        click(QStringLiteral("Calibrate"));
        click(QStringLiteral("Show section"));
        EXPECT_TRUE(window->Picture3->isHidden()) << "no colour scale without profiles";
        click(QStringLiteral("Import probability matrix"));
        for (QWidget* list : std::initializer_list<QWidget*>{window->Drive1, window->Dir1, window->File1})
            EXPECT_FALSE(list->isHidden()) << list->objectName().toStdString();
        EXPECT_FALSE(window->Command3->isEnabled());

        // A click on the file's name in the browser's file list.
        CorvaneFileBuilder::probabilityMatrix().kindText(c.profileKind).writeTo(folder.file("profile.csv"));
        window->Dir1->setPath(QString::fromStdString(folder.path().string()));
        const QList<QListWidgetItem*> found = window->File1->findItems("profile.csv", Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        window->File1->setCurrentItem(found.first());
        emit window->File1->itemClicked(found.first());
        EXPECT_EQ(count(*window->Picture2, Blue) > 0, c.taken) << "the profile drawn";
        EXPECT_EQ(window->Command1[1]->text(), QStringLiteral("OK"));
        window->Command1[1]->click();

        EXPECT_TRUE(window->File1->isHidden());
        EXPECT_TRUE(window->Command1[1]->isHidden());
        EXPECT_TRUE(window->Command3->isEnabled());
        EXPECT_EQ(window->Command6->isVisibleTo(window.get()), !c.taken) << "the import is offered again";
        // Back in the normal view the import button has its caption again.
        click(QStringLiteral("OK"));
        EXPECT_TRUE(offered(QStringLiteral("Import Corvane file")));
    }
}

} // namespace
} // namespace brimvale::test
