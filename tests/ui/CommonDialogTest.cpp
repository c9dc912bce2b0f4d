// The file and printer dialog: remembered properties, filter, flags and cancel, over a scripted backend.
#include <gtest/gtest.h>

#include <QPrinter>

#include "support/FailureKind.h"
#include "support/TestPlatformServices.h"
#include "ui/CommonDialog.h"

namespace brimvale {
namespace {

using test::TestPlatformServices;

constexpr const char* DataFilter = "DataFile(*.csv)|*.csv";

TEST(CommonDialogTest, ConvertsTheFilterToQtsForm)
{
    const struct {
        const char* filter;
        const char* expected;
    } cases[] = {
        {"DataFile(*.csv)|*.csv", "DataFile (*.csv)"},
        {"DataFile (*.csv)|*.csv", "DataFile (*.csv)"},
        {"Text files|*.txt;*.csv", "Text files (*.txt *.csv)"},
        {"Data(*.csv)|*.csv|All files (*.*)|*.*", "Data (*.csv);;All files (*.*)"},
        {"(*.csv)|*.csv", "(*.csv)"},
        {"Data|*.csv|Incomplete", "Data (*.csv)"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CommonDialog::qtNameFilter(QString::fromLatin1(c.filter)), QString::fromLatin1(c.expected))
            << c.filter;
}

TEST(CommonDialogTest, RemembersTheFileNameAndOffersItNextTime)
{
    TestPlatformServices platform;
    CommonDialog& dialog = platform.services().dialog;
    dialog.setCancelError(true);
    dialog.setFilter(QString::fromLatin1(DataFilter));
    platform.dialogBackend.queueFile(QStringLiteral("/data/core/pollen.csv"));
    platform.dialogBackend.queueFile(QStringLiteral("/data/out/section.csv"));
    platform.dialogBackend.queueFile(QStringLiteral("/data/out/section.csv"));

    dialog.showOpen();
    EXPECT_EQ(dialog.fileName(), QStringLiteral("/data/core/pollen.csv"));
    dialog.showSave();
    EXPECT_EQ(dialog.fileName(), QStringLiteral("/data/out/section.csv"));
    dialog.showOpen();

    const auto& requests = platform.dialogBackend.fileRequests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].kind, DialogBackend::FileDialogKind::Open);
    EXPECT_TRUE(requests[0].initialPath.isEmpty());
    EXPECT_EQ(requests[0].nameFilter, QStringLiteral("DataFile (*.csv)"));
    EXPECT_EQ(requests[1].kind, DialogBackend::FileDialogKind::Save);
    EXPECT_EQ(requests[1].initialPath, QStringLiteral("/data/core/pollen.csv"));
    EXPECT_EQ(requests[2].initialPath, QStringLiteral("/data/out/section.csv"));
}

TEST(CommonDialogTest, CancelRaisesCancelledOnlyWithCancelError)
{
    TestPlatformServices platform;
    CommonDialog& dialog = platform.dialog;
    dialog.setFileName(QStringLiteral("/data/kept.csv"));
    dialog.setCancelError(true);
    platform.dialogBackend.queueFileCancel();
    EXPECT_EQ(test::failureKind([&] { dialog.showOpen(); }), RuntimeFailure::Kind::Cancelled);
    EXPECT_EQ(dialog.fileName(), QStringLiteral("/data/kept.csv"));

    dialog.setCancelError(false);
    platform.dialogBackend.queueFileCancel();
    EXPECT_NO_THROW(dialog.showSave());
    EXPECT_EQ(dialog.fileName(), QStringLiteral("/data/kept.csv"));

    // With nothing scripted the dialog counts as cancelled rather than waiting for a user.
    dialog.setCancelError(true);
    EXPECT_THROW(dialog.showOpen(), RuntimeFailure);
    EXPECT_EQ(platform.dialogBackend.fileRequests().size(), 3u);
}

TEST(CommonDialogTest, OnlyFlagTwoOnSavingAsksBeforeOverwriting)
{
    const struct {
        std::int32_t flags;
        bool save;
        bool confirm;
    } cases[] = {
        {2, true, true}, {0, true, false}, {524292, true, false}, {2 | 0x4, true, true}, {2, false, false},
    };
    for (const auto& c : cases) {
        TestPlatformServices platform;
        platform.dialog.setFlags(c.flags);
        platform.dialogBackend.queueFile(QStringLiteral("/tmp/x.csv"));
        c.save ? platform.dialog.showSave() : platform.dialog.showOpen();
        ASSERT_EQ(platform.dialogBackend.fileRequests().size(), 1u);
        EXPECT_EQ(platform.dialogBackend.fileRequests()[0].confirmOverwrite, c.confirm)
            << "flags " << c.flags << (c.save ? " save" : " open");
    }
}

TEST(CommonDialogTest, PrinterDialogHandsOutCopiesAndOrientation)
{
    TestPlatformServices platform;
    CommonDialog& dialog = platform.dialog;
    dialog.setFlags(524292);
    dialog.setCancelError(true);
    platform.dialogBackend.queuePrinter(3, QPageLayout::Landscape);
    QPrinter printer;
    dialog.showPrinter(printer);
    EXPECT_EQ(dialog.copies(), 3);
    EXPECT_EQ(dialog.orientation(), QPageLayout::Landscape);
    EXPECT_EQ(printer.copyCount(), 3);

    ASSERT_EQ(platform.dialogBackend.printerRequests().size(), 1u);
    const DialogBackend::PrinterRequest& request = platform.dialogBackend.printerRequests()[0];
    EXPECT_TRUE(request.selectionHidden);
    EXPECT_TRUE(request.printToFileDisabled);
    EXPECT_EQ(request.copies, 1);

    // The next use starts from the last choice; without the flags nothing is hidden.
    dialog.setFlags(0);
    platform.dialogBackend.queuePrinterCancel();
    EXPECT_THROW(dialog.showPrinter(printer), RuntimeFailure);
    const DialogBackend::PrinterRequest& second = platform.dialogBackend.printerRequests()[1];
    EXPECT_EQ(second.copies, 3);
    EXPECT_EQ(second.orientation, QPageLayout::Landscape);
    EXPECT_FALSE(second.selectionHidden);
    EXPECT_FALSE(second.printToFileDisabled);
    EXPECT_EQ(dialog.copies(), 3);
}

} // namespace
} // namespace brimvale
