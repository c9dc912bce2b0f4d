// File > Print Options and File > Print on the window: the options edited live, and a page printed to PDF.
#include <QFile>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

#include "WindowTest.h"
#include "print/PageComposition.h"
#include "print/RecordingPrintPage.h"
#include "ui/PrintSetupDialog.h"
#include "ui/QtDialogBackend.h"

namespace brimvale::test {
namespace {

using PrintCommandTest = WindowTest;

TEST_F(PrintCommandTest, OptionsFollowEveryKeystrokeCancelRestoresAllFiveAndAPrintUsesTheTypedValues)
{
    window->PrintOptions->trigger();
    PrintSetupDialog& d = *window->findChild<PrintSetupDialog*>();
    const PrintOptions& options = window->Settings.printOptions;
    EXPECT_EQ(
        (std::vector{d.Text1->text(), d.Text2->text(), d.Text3->text(), d.Text4->text(), d.Text5->text()}),
        (std::vector<QString>{"6", "3", "100", "10", ""}));
    d.Text3->setText("150");
    EXPECT_EQ(options.zoom, 1.5f);
    d.Text4->setText("12abc");
    EXPECT_EQ(options.fontSize, 12.0f);
    d.Text4->setText("abc");
    EXPECT_EQ(options.fontSize, 0.0f);
    d.Text3->setText("50");
    d.Text5->setText("Core 7");
    RecordingPrintPage page;
    composePage(window->pageSnapshot(), page);
    // At half size, without the left strip: the data figure's left edge, 1440 twips, goes to 470.
    EXPECT_EQ(page.of('T').front(), "470,1000 Core 7");
    d.Text1->setText("8");
    d.Text2->setText("1");
    d.Command2->click();
    EXPECT_EQ(
        std::tie(options.dotSize, options.frameThickness, options.zoom, options.fontSize, options.title),
        std::make_tuple(6.0f, 3.0f, 1.0f, 10.0f, std::string()));
}

// The printer dialog of a user who cancels, or prints to a PDF file.
struct PdfPrinterDialog : DialogBackend {
    QString file;
    std::vector<PrinterRequest> requests;
    std::optional<QString> chooseFile(const FileRequest&) override { return std::nullopt; }
    std::optional<PrinterChoice> choosePrinter(QPrinter& printer, const PrinterRequest& request) override
    {
        requests.push_back(request);
        printer.setOutputFileName(file);
        return file.isEmpty() ? std::nullopt : std::optional(PrinterChoice{});
    }
};

TEST_F(PrintCommandTest, PrintWritesThePageChosenInThePrinterDialogAndCancelPrintsNothing)
{
    PdfPrinterDialog printers;
    CommonDialog dialog(printers);
    MainWindow printing({dialog, platform.messages, platform.clipboard, platform.pointer, platform.failures});
    printing.Print->trigger();
    printers.file = pathOf("page.pdf");
    printing.Print->trigger();
    EXPECT_TRUE(printers.requests.at(0).selectionHidden && printers.requests.at(1).printToFileDisabled);
    ASSERT_EQ(platform.failures.entries.size(), 1u);
    EXPECT_EQ(platform.failures.entries[0].second.kind(), RuntimeFailure::Kind::Cancelled);
    QFile page(printers.file);
    EXPECT_TRUE(page.open(QIODevice::ReadOnly) && page.readAll().startsWith("%PDF-"));

    // On screen the selection choice is hidden, but the PDF output stays: without a printer it is the only
    // way to print.
    QPrinter printer;
    QPrintDialog screenDialog(&printer);
    QtDialogBackend::configurePrintDialog(screenDialog, printers.requests.at(1));
    EXPECT_FALSE(screenDialog.testOption(QAbstractPrintDialog::PrintSelection));
    EXPECT_TRUE(screenDialog.testOption(QAbstractPrintDialog::PrintToFile));
}

} // namespace
} // namespace brimvale::test
