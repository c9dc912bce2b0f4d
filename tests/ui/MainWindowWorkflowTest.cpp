// The main window step by step: what each step offers and shows, what invalidates a section, and what
// each failure leaves on screen.
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressBar>

#include "ui/FileList.h"
#include "ui/WindowTest.h"

namespace brimvale::test {
namespace {

TEST_F(WindowTest, EachStepOffersTheNextAndShowsWhatItRead)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Brimvale 2.5"));
    for (const char* caption :
         {"Import data", "Import Corvane file", "Import Brimvale file", "Colour settings"})
        EXPECT_TRUE(offered(QString::fromLatin1(caption))) << caption;
    EXPECT_FALSE(offered(QStringLiteral("Show section")));
    EXPECT_FALSE(window->SaveMatrix->isEnabled());

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
    EXPECT_EQ(window->Slider5->value(), 170);
    EXPECT_EQ(window->Label14[2]->text(), QStringLiteral("Mean July temperature (C)"));
    EXPECT_EQ(window->Label15[2]->text(), QStringLiteral("Depth (cm)"));
    EXPECT_TRUE(window->ProgressBar1->isHidden());
    EXPECT_TRUE(messages().empty());
}

TEST_F(WindowTest, WhatChangesTheSectionsInputClearsItAndOffersCalibrateAgain)
{
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"a new smoothing level", [this] { window->Slider3->setValue(3); }},
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

// The range boxes keep the texts they held at the last click into the top box; a range that cannot be
// drawn or calibrated is refused and they go back to those, the larger value to the bottom and equal ones
// exchanged.
TEST_F(WindowTest, ARangeThatCannotBeUsedIsRefusedAndTheBoxesGoBack)
{
    struct Case {
        const char* name;
        bool calibrate;              // refused by Calibrate; else by the box, as the record is drawn at once
        QString bottom, top;         // typed before the click
        std::function<void()> spoil; // makes the range unusable
        QString bottomAfter, topAfter;
    };
    const Case cases[] = {
        {"an empty range", false, "150", "0", [this] { window->Text2->setText("150"); }, "150", "0"},
        {"a reversed range", true, "150", "0", [this] { window->Text2->setText("200"); }, "150", "0"},
        {"no rows", true, "5", "5.0", [this] { window->Slider2->setValue(0); }, "5.0", "5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        window = std::make_unique<MainWindow>(platform.services());
        importData();
        importMatrix();
        // A cancelled data import leaves its import open: the boxes then take a text without drawing it.
        if (c.calibrate)
            click(QStringLiteral("Import data"));
        window->Text1->setText(c.bottom);
        window->Text2->setText(c.top);
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(3, 3), window->Text2->mapToGlobal(QPointF(3, 3)),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window->Text2, &press);
        platform.pointer.set(MousePointer::Pointer::Hourglass);
        const std::size_t before = messages().size();

        c.spoil();
        if (c.calibrate)
            click(QStringLiteral("Calibrate"));

        ASSERT_EQ(messages().size(), before + 1);
        EXPECT_EQ(messages().back().text, QStringLiteral("Please set valid range."));
        EXPECT_EQ(messages().back().title, QStringLiteral("Error"));
        EXPECT_EQ(messages().back().icon, MessageService::Icon::Exclamation);
        EXPECT_EQ(window->Text1->text(), c.bottomAfter);
        EXPECT_EQ(window->Text2->text(), c.topAfter);
        if (!c.calibrate) {
            EXPECT_GT(count(*window->Picture1[0], Blue), 0) << "the record drawn in the restored range";
        }
        EXPECT_TRUE(offered(QStringLiteral("Calibrate")));
        EXPECT_FALSE(window->SaveMatrix->isEnabled());
        EXPECT_TRUE(window->ProgressBar1->isHidden());
        EXPECT_EQ(platform.pointer.current(), MousePointer::Pointer::Default);
    }
}

TEST_F(WindowTest, SaveAsksBeforeOverwritingAndAFailedSaveNamesTheFile)
{
    calibrated();
    platform.dialogBackend.queueFile(pathOf("section.csv"));
    window->SaveMatrix->trigger();
    EXPECT_TRUE(QFile::exists(pathOf("section.csv")));
    EXPECT_TRUE(platform.dialogBackend.fileRequests().back().confirmOverwrite);
    window->SaveMatrix->trigger(); // cancelled
    EXPECT_TRUE(messages().empty());

    platform.dialogBackend.queueFile(pathOf("missing/new.csv"));
    window->SaveMatrix->trigger();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].title, QStringLiteral("Error"));
    EXPECT_TRUE(messages()[0].text.contains(QDir::toNativeSeparators(pathOf("missing/new.csv"))));
    EXPECT_TRUE(window->ProgressBar1->isHidden());
}

TEST_F(WindowTest, AResultFileShowsItsSectionAndLocksTheSmoothingUnlessTheImportMovesTheWidthSlider)
{
    struct Case {
        int rows;
        const char* bottom;
        int firstRow;       // a third of the rows, taken down: 500 / 3 = 166.67 gives 166
        bool smoothingFree; // 1000 rows halve the width, whose nested handler frees the smoothing slider
    };
    for (const Case& c : {Case{500, "5000", 166, false}, Case{1000, "10000", 333, true}}) {
        SCOPED_TRACE(c.rows);
        window = std::make_unique<MainWindow>(platform.services());
        importResult(resultFile(c.rows));
        EXPECT_TRUE(offered(QStringLiteral("Show section")));
        EXPECT_FALSE(offered(QStringLiteral("Calibrate")));
        EXPECT_FALSE(window->SaveMatrix->isEnabled());
        // The range from the first and the last row; the axis from the axis row.
        EXPECT_EQ(window->Text2->text(), QStringLiteral("0"));
        EXPECT_EQ(window->Text1->text(), QString::fromLatin1(c.bottom));
        EXPECT_EQ(window->Label1[4]->text(), QString::fromLatin1(c.bottom));
        EXPECT_EQ(window->Label1[3]->text(), QStringLiteral("-5"));
        EXPECT_EQ(window->Label2[3]->text(), QStringLiteral("45"));
        EXPECT_EQ(window->Label6[0]->text(), QStringLiteral("95 %"));
        EXPECT_EQ(window->Label6[1]->text(), QStringLiteral("68 %"));
        EXPECT_EQ(window->Slider5->value(), c.firstRow);
        EXPECT_FALSE(blank(*window->Picture1[2]));
        EXPECT_TRUE(window->Check3->isChecked());
        EXPECT_EQ(window->Slider3->value(), 3);
        EXPECT_EQ(window->Label4->text(), QStringLiteral("3"));
        EXPECT_FALSE(window->Label4->isEnabled());
        EXPECT_EQ(window->Slider3->isEnabled(), c.smoothingFree);
    }
    EXPECT_TRUE(messages().empty());
}

TEST_F(WindowTest, AConfidenceSectionOfClassesOnlySaysSoAndStillShowsIt)
{
    click(QStringLiteral("Confidence "));
    importResult(resultFile(20, [](int i, int j) { return i == 100 && j == 2 ? 3.5 : 2.25; }));
    EXPECT_TRUE(messages().empty()) << "a probability above 3";
    importResult(resultFile(20, [](int i, int j) { return i == 100 && j == 2 ? 3.0 : 2.25; }));
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, QStringLiteral("This diagram is constructed using Corvane 2.0 output file. "
                                                 "Brimvale 2.1 cannot draw section."));
    EXPECT_EQ(messages()[0].title, QStringLiteral("Version information"));
    EXPECT_TRUE(offered(QStringLiteral("Show section")));
}

TEST_F(WindowTest, AResultFileThatFailsLeavesNoSectionAndNoMatrixCaptions)
{
    importData();
    importMatrix();
    importResult(resultFile(250));
    ASSERT_TRUE(offered(QStringLiteral("Show section")));

    // Not a result file: the section shown before is abandoned without a word.
    importResult("\"Corvane output file\"\r\n");
    expectSectionCleared();
    EXPECT_TRUE(offered(QStringLiteral("Import Brimvale file")));
    // A file that breaks off after its head takes its smoothing level before it is abandoned.
    const std::string whole = resultFile(20);
    importResult(whole.substr(0, whole.find("\r\n20,")));
    expectSectionCleared();
    EXPECT_EQ(window->Label4->text(), QStringLiteral("3"));

    // A cell no view can show breaks off the drawing, after the matrix was taken off the screen.
    importMatrix();
    click(QStringLiteral("Confidence "));
    importResult(resultFile(250, [](int i, int j) { return i == 50 && j == 1 ? -1e300 : 2.5; }));
    expectSectionCleared();
    EXPECT_TRUE(blank(*window->Picture1[1]));
    for (int i = 0; i < 2; ++i) {
        EXPECT_FALSE(window->Label5[i]->isEnabled()) << i;
        EXPECT_TRUE(window->Label6[i]->text().isEmpty()) << i;
    }
    EXPECT_TRUE(messages().empty());
}

TEST_F(WindowTest, AMatrixThatCannotBeReadLeavesNoMatrixAndNoSection)
{
    calibrated();
    platform.pointer.set(MousePointer::Pointer::Hourglass);
    window->importMatrixFrom(write("broken.csv", "\"Corvane output file\"\r\n1,2\r\n"));
    expectSectionCleared();
    for (QWidget* control : std::initializer_list<QWidget*>{window->Check4, window->Check8, window->Label9})
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    EXPECT_EQ(platform.pointer.current(), MousePointer::Pointer::Default);

    // A matrix whose kind is refused takes nothing of its file: titles, coefficients and grid stay.
    const QString title = window->Label15[1]->text();
    const double cell = window->probabilityGrid(60, 80);
    importMatrix(CorvaneFileBuilder::confidenceMatrix().kindText("Other").titles("x", "y").cells(
        [](int, int) { return 2.5; }));
    EXPECT_EQ(window->Label15[1]->text(), title);
    EXPECT_EQ(window->probabilityGrid(60, 80), cell);
    EXPECT_FALSE(window->Settings.confidenceCoefficient1.isNumber()) << "the refused file's coefficient is one";

    // Through the button a cancelled dialog leaves the same.
    click(QStringLiteral("Import Corvane file"));
    EXPECT_TRUE(blank(*window->Picture1[1]));
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
