// The main window step by step: what each step offers and shows, what invalidates a section, and what
// each failure leaves on screen.
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include "ui/FileList.h"
#include "ui/WindowTest.h"

namespace brimvale::test {
namespace {

using Pointer = MousePointer::Pointer;
using Icon = MessageService::Icon;

void expectRangeMessage(const RecordingMessageService::Message& message)
{
    EXPECT_EQ(message.text, QStringLiteral("Please set valid range."));
    EXPECT_EQ(message.title, QStringLiteral("Error"));
    EXPECT_EQ(message.icon, Icon::Exclamation);
}

// A press of the left mouse button into a range box, as a user clicks before typing.
void pressInto(QLineEdit& box)
{
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(3, 3), box.mapToGlobal(QPointF(3, 3)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&box, &press);
}

TEST_F(WindowTest, EachStepOffersTheNextAndShowsWhatItRead)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Brimvale 2.5"));
    for (const char* caption :
         {"Import data", "Import Corvane file", "Import Brimvale file", "Colour settings"})
        EXPECT_TRUE(offered(QString::fromLatin1(caption))) << caption;
    EXPECT_FALSE(offered(QStringLiteral("Calibrate")));
    EXPECT_FALSE(offered(QStringLiteral("Show section")));
    EXPECT_FALSE(window->SaveMatrix->isEnabled());
    EXPECT_EQ(window->Label11->text(), QStringLiteral("100 %"));

    importData();
    EXPECT_FALSE(offered(QStringLiteral("Calibrate"))) << "no matrix yet";
    EXPECT_TRUE(window->Label3->isEnabled()) << "the smoothing level applies to the record";

    importMatrix();
    EXPECT_TRUE(offered(QStringLiteral("Calibrate")));
    // The matrix's value axis, -10 to 20, becomes the axis of the data, profile and section figures.
    for (int i = 0; i <= 3; ++i) {
        EXPECT_EQ(window->Label1[i]->text(), QStringLiteral("-10")) << i;
        EXPECT_EQ(window->Label2[i]->text(), QStringLiteral("20")) << i;
    }
    EXPECT_EQ(window->Label6[0]->text(), QStringLiteral("95"));
    EXPECT_EQ(window->Label6[1]->text(), QStringLiteral("68"));
    EXPECT_TRUE(window->Label5[1]->isEnabled());

    click(QStringLiteral("Calibrate"));
    EXPECT_TRUE(window->SaveMatrix->isEnabled());
    EXPECT_TRUE(offered(QStringLiteral("Show section")));
    EXPECT_FALSE(offered(QStringLiteral("Calibrate")));
    // Rows 0 to 511 at the sliders' full size; the section view starts a third of the way down.
    EXPECT_EQ(window->VerticalSteps(), 511);
    EXPECT_EQ(window->Slider5->value(), 170);
    EXPECT_EQ(window->Label14[2]->text(), QStringLiteral("Mean July temperature (C)"));
    EXPECT_EQ(window->Label15[2]->text(), QStringLiteral("Depth (cm)"));
    EXPECT_GT(count(*window->Picture1[2], White), 0);
    EXPECT_LT(count(*window->Picture1[2], White), pixels(*window->Picture1[2]));
    EXPECT_EQ(platform.pointer.current(), Pointer::Default);
    EXPECT_TRUE(window->ProgressBar1->isHidden());
    EXPECT_TRUE(messages().empty());
}

TEST_F(WindowTest, WhatChangesTheSectionsInputClearsItAndOffersCalibrateAgain)
{
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"a new smoothing level", [this] { window->Slider3->setValue(3); }},
        // The one place that checks it: a new matrix invalidates the section computed with the old one.
        {"another matrix", [this] { importMatrix(); }},
        {"a narrower figure", [this] { window->Slider1->setValue(80); }},
        {"a lower figure", [this] { window->Slider2->setValue(80); }},
        {"a typed range end", [this] { window->Text1->setText(QStringLiteral("120")); }},
    };
    for (const auto& [name, change] : changes) {
        SCOPED_TRACE(name);
        window = std::make_unique<MainWindow>(platform.services());
        calibrated(2);
        change();
        expectSectionCleared();
        EXPECT_TRUE(offered(QStringLiteral("Calibrate")));
    }
}

TEST_F(WindowTest, ARangeTheFigureCannotDrawIsRefusedAndTheBoxesGoBack)
{
    importData();
    ASSERT_EQ(window->Text1->text(), QStringLiteral("150"));
    pressInto(*window->Text2);
    platform.pointer.set(Pointer::Hourglass);

    window->Text2->setText(QStringLiteral("150"));

    ASSERT_EQ(messages().size(), 1u);
    expectRangeMessage(messages()[0]);
    EXPECT_EQ(window->Text1->text(), QStringLiteral("150"));
    EXPECT_EQ(window->Text2->text(), QStringLiteral("0"));
    EXPECT_GT(count(*window->Picture1[0], Blue), 0) << "the curve is drawn in the restored range";
    EXPECT_EQ(platform.pointer.current(), Pointer::Default);
}

TEST_F(WindowTest, CalibrateRefusesARangeItCannotUseAndPutsBackTheTextsSavedAtTheLastClick)
{
    struct Case {
        const char* name;
        QString bottom, top;           // typed, then saved by a click into the top box
        std::function<void()> spoil;   // makes the range unusable
        QString bottomAfter, topAfter; // the larger value goes to the bottom, equal ones change places
    };
    const Case cases[] = {
        {"a reversed range", "150", "0", [this] { window->Text2->setText(QStringLiteral("200")); }, "150",
         "0"},
        {"no rows", "5", "5.0", [this] { window->Slider2->setValue(0); }, "5.0", "5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        window = std::make_unique<MainWindow>(platform.services());
        importData();
        importMatrix();
        // A cancelled data import leaves its import open: the boxes then take a text without drawing it.
        platform.dialogBackend.queueFileCancel();
        click(QStringLiteral("Import data"));
        window->Text1->setText(c.bottom);
        window->Text2->setText(c.top);
        pressInto(*window->Text2);
        c.spoil();
        const std::size_t before = messages().size();

        click(QStringLiteral("Calibrate"));

        ASSERT_EQ(messages().size(), before + 1);
        expectRangeMessage(messages().back());
        EXPECT_EQ(window->Text1->text(), c.bottomAfter);
        EXPECT_EQ(window->Text2->text(), c.topAfter);
        EXPECT_TRUE(offered(QStringLiteral("Calibrate")));
        EXPECT_FALSE(window->SaveMatrix->isEnabled());
        EXPECT_EQ(platform.pointer.current(), Pointer::Default);
        EXPECT_TRUE(window->ProgressBar1->isHidden());
    }
}

TEST_F(WindowTest, SaveAsksBeforeOverwritingAndAFailedSaveSaysSo)
{
    calibrated();
    platform.dialogBackend.queueFile(pathOf("section.csv"));
    window->SaveMatrix->trigger();
    EXPECT_TRUE(QFile::exists(pathOf("section.csv")));
    ASSERT_EQ(platform.dialogBackend.fileRequests().size(), 3u);
    EXPECT_TRUE(platform.dialogBackend.fileRequests().back().confirmOverwrite);
    EXPECT_TRUE(messages().empty());

    ASSERT_TRUE(QDir(QString::fromStdString(folder.path().string())).mkdir(QStringLiteral("folder.csv")));
    for (const std::string& target : {std::string("folder.csv"), std::string("missing/new.csv")}) {
        SCOPED_TRACE(target);
        const std::size_t before = messages().size();
        platform.dialogBackend.queueFile(pathOf(target));
        window->SaveMatrix->trigger();
        ASSERT_EQ(messages().size(), before + 1);
        EXPECT_EQ(messages().back().title, QStringLiteral("Error"));
        EXPECT_TRUE(messages().back().text.contains(QDir::toNativeSeparators(pathOf(target))));
        EXPECT_EQ(platform.pointer.current(), Pointer::Default);
        EXPECT_TRUE(window->ProgressBar1->isHidden());
    }

    platform.dialogBackend.queueFileCancel();
    window->SaveMatrix->trigger();
    EXPECT_EQ(messages().size(), 2u) << "a cancelled save says nothing";
}

TEST_F(WindowTest, AResultFileShowsItsSectionRangeAndCoefficients)
{
    importResult(resultFile(
        251, [](int, int) { return 2.25; }, "3"));

    EXPECT_TRUE(offered(QStringLiteral("Show section")));
    EXPECT_FALSE(offered(QStringLiteral("Calibrate")));
    EXPECT_FALSE(window->SaveMatrix->isEnabled());
    // The range from the first and the last row, depths 0 and 2510; the axis from the axis row.
    EXPECT_EQ(window->Text2->text(), QStringLiteral("0"));
    EXPECT_EQ(window->Text1->text(), QStringLiteral("2510"));
    EXPECT_EQ(window->Label1[4]->text(), QStringLiteral("2510"));
    EXPECT_EQ(window->Label1[3]->text(), QStringLiteral("-5"));
    EXPECT_EQ(window->Label2[3]->text(), QStringLiteral("45"));
    EXPECT_EQ(window->Label6[0]->text(), QStringLiteral("95 %"));
    EXPECT_EQ(window->Label6[1]->text(), QStringLiteral("68 %"));
    EXPECT_EQ(window->Label4->text(), QStringLiteral("3"));
    // A third of 251 rows, taken down: row 83.
    EXPECT_EQ(window->Slider5->value(), 83);
    EXPECT_LT(count(*window->Picture1[2], window->BackColor()), pixels(*window->Picture1[2]));
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(platform.pointer.current(), Pointer::Default);
}

TEST_F(WindowTest, AResultFileLocksTheSmoothingUnlessTheImportMovesTheWidthSlider)
{
    // 500 rows fit the sliders at full size; 1000 halve the width, whose nested handler frees the slider.
    for (const auto& [rows, sliderFree] : {std::pair{500, false}, std::pair{1000, true}}) {
        SCOPED_TRACE(rows);
        window = std::make_unique<MainWindow>(platform.services());
        importResult(resultFile(
            rows, [](int, int) { return 2.25; }, "3"));
        EXPECT_TRUE(window->Check3->isChecked());
        EXPECT_EQ(window->Slider3->value(), 3);
        EXPECT_FALSE(window->Label4->isEnabled());
        EXPECT_EQ(window->Slider3->isEnabled(), sliderFree);
        EXPECT_TRUE(offered(QStringLiteral("Show section")));
    }
}

TEST_F(WindowTest, AConfidenceSectionOfClassesOnlySaysSoOnce)
{
    for (const double largest : {3.0, 3.5}) {
        SCOPED_TRACE(largest);
        window = std::make_unique<MainWindow>(platform.services());
        const std::size_t before = messages().size();
        click(QStringLiteral("Confidence "));
        importResult(resultFile(20, [largest](int i, int j) { return i == 100 && j == 2 ? largest : 2.25; }));
        ASSERT_EQ(messages().size(), before + (largest == 3.0 ? 1 : 0));
        if (largest == 3.0) {
            EXPECT_EQ(messages().back().text,
                      QStringLiteral("This diagram is constructed using Corvane 2.0 "
                                     "output file. Brimvale 2.1 cannot draw section."));
            EXPECT_EQ(messages().back().title, QStringLiteral("Version information"));
        }
        EXPECT_TRUE(offered(QStringLiteral("Show section")));
    }
}

TEST_F(WindowTest, AResultFileThatFailsLeavesNoSectionAndNoMatrixCaptions)
{
    importData();
    importMatrix();
    // 250 rows: the figures at half their height.
    importResult(resultFile(250, [](int, int) { return 2.25; }));
    ASSERT_TRUE(offered(QStringLiteral("Show section")));

    // Not a result file: the section shown before is abandoned without a word.
    importResult("\"Corvane output file\"\r\n");
    expectSectionCleared();
    EXPECT_TRUE(offered(QStringLiteral("Import Brimvale file")));

    // A cell no view can show breaks off the drawing, after the matrix was taken off the screen.
    importMatrix();
    click(QStringLiteral("Confidence "));
    importResult(resultFile(250, [](int i, int j) { return i == 50 && j == 1 ? -1e300 : 2.5; }));
    expectSectionCleared();
    EXPECT_EQ(count(*window->Picture1[1], window->BackColor()), pixels(*window->Picture1[1]));
    for (int i = 0; i < 2; ++i) {
        EXPECT_FALSE(window->Label5[i]->isEnabled()) << i;
        EXPECT_TRUE(window->Label6[i]->text().isEmpty()) << i;
    }
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(platform.pointer.current(), Pointer::Default);
}

TEST_F(WindowTest, AMatrixThatCannotBeReadLeavesNoMatrixAndNoSection)
{
    calibrated();
    platform.pointer.set(Pointer::Hourglass);

    window->importMatrixFrom(write("broken.csv", "\"Corvane output file\"\r\n1,2\r\n"));

    expectSectionCleared();
    for (QWidget* control : std::initializer_list<QWidget*>{window->Check4, window->Check8, window->Label9})
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(platform.pointer.current(), Pointer::Default);

    // Through the button a cancelled dialog leaves the same, and says nothing either.
    platform.dialogBackend.queueFileCancel();
    click(QStringLiteral("Import Corvane file"));
    EXPECT_EQ(count(*window->Picture1[1], window->BackColor()), pixels(*window->Picture1[1]));
    EXPECT_FALSE(offered(QStringLiteral("Calibrate")));
    EXPECT_TRUE(messages().empty());
}

TEST_F(WindowTest, ABrowserClickBesideTheFilesAsksForOne)
{
    emit window->File1->fileClicked();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, QStringLiteral("Please chose file"));
    EXPECT_EQ(messages()[0].title, QStringLiteral("Brimvale"));
}

} // namespace
} // namespace brimvale::test
