// The Qt platform services that can run headless, and the pointer guard.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>

#include "model/RuntimeFailure.h"
#include "support/TestPlatformServices.h"
#include "ui/PointerReset.h"
#include "ui/QtClipboardService.h"
#include "ui/QtDialogBackend.h"
#include "ui/QtMousePointer.h"
#include "ui/QtPlatformServices.h"

namespace brimvale {
namespace {

using Pointer = MousePointer::Pointer;

TEST(QtMousePointerTest, ShowsOneOverrideCursorAtMost)
{
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    {
        QtMousePointer pointer;
        pointer.set(Pointer::Hourglass);
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        pointer.set(Pointer::LeftRightSizing);
        pointer.set(Pointer::Hourglass);
        pointer.set(Pointer::LeftRightSizing);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::SizeHorCursor);
        EXPECT_EQ(pointer.current(), Pointer::LeftRightSizing);
        // One Default removes it, however often it was changed.
        pointer.set(Pointer::Default);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        pointer.set(Pointer::Default);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        pointer.set(Pointer::Hourglass);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(PointerResetTest, RestoresTheDefaultWhenAFailureUnwinds)
{
    test::RecordingMousePointer recorded;
    QtMousePointer real;
    try {
        PointerReset busy(recorded, Pointer::Hourglass);
        PointerReset alsoBusy(real, Pointer::Hourglass);
        raiseFailure(RuntimeFailure::Kind::FileError, "disk gone");
    } catch (const RuntimeFailure&) {
    }
    EXPECT_EQ(recorded.history(), (std::vector<Pointer>{Pointer::Hourglass, Pointer::Default}));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    {
        PointerReset guard(recorded);
        recorded.set(Pointer::LeftRightSizing);
    }
    EXPECT_EQ(recorded.current(), Pointer::Default);
}

TEST(QtClipboardServiceTest, PutsTheImageOnTheClipboardAndClearsIt)
{
    QImage image(7, 5, QImage::Format_RGB32);
    image.fill(qRgb(10, 200, 30));
    QtClipboardService clipboard;
    clipboard.setImage(image);
    const QImage held = QGuiApplication::clipboard()->image();
    ASSERT_EQ(held.size(), QSize(7, 5));
    EXPECT_EQ(held.pixel(3, 2), qRgb(10, 200, 30));
    clipboard.clear();
    EXPECT_TRUE(QGuiApplication::clipboard()->image().isNull());
}

TEST(QtDialogBackendTest, SetsUpTheFileDialogFromTheRequest)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    DialogBackend::FileRequest request;
    request.kind = DialogBackend::FileDialogKind::Save;
    request.nameFilter = CommonDialog::qtNameFilter(QStringLiteral("DataFile(*.csv)|*.csv"));
    request.initialPath = folder.filePath(QStringLiteral("section.csv"));
    request.confirmOverwrite = true;

    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    QtDialogBackend::configureFileDialog(dialog, request);
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(dialog.nameFilters(), QStringList{QStringLiteral("DataFile (*.csv)")});
    EXPECT_FALSE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_TRUE(dialog.defaultSuffix().isEmpty());
    EXPECT_EQ(QDir(dialog.directory()).canonicalPath(), QDir(folder.path()).canonicalPath());
    ASSERT_EQ(dialog.selectedFiles().size(), 1);
    EXPECT_TRUE(dialog.selectedFiles().first().endsWith(QStringLiteral("section.csv")));

    request.confirmOverwrite = false;
    request.kind = DialogBackend::FileDialogKind::Open;
    QtDialogBackend::configureFileDialog(dialog, request);
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
}

TEST(QtDialogBackendTest, SetsUpThePrintDialogFromTheRequest)
{
    QPrinter printer;
    QPrintDialog dialog(&printer);
    DialogBackend::PrinterRequest request;
    request.selectionHidden = true;
    request.printToFileDisabled = true;
    QtDialogBackend::configurePrintDialog(dialog, request);
    EXPECT_FALSE(dialog.testOption(QAbstractPrintDialog::PrintSelection));
    // The PDF output stays: without a printer it is the only way to print.
    EXPECT_TRUE(dialog.testOption(QAbstractPrintDialog::PrintToFile));
    request.selectionHidden = false;
    request.printToFileDisabled = false;
    QtDialogBackend::configurePrintDialog(dialog, request);
    EXPECT_TRUE(dialog.testOption(QAbstractPrintDialog::PrintSelection));
    EXPECT_TRUE(dialog.testOption(QAbstractPrintDialog::PrintToFile));
}

TEST(PlatformServicesTest, DoublesRecordWhatTheProgramAsked)
{
    test::TestPlatformServices platform;
    const PlatformServices services = platform.services();
    services.messages.show(QStringLiteral("Please set valid range."), QStringLiteral("Error"),
                           MessageService::Icon::Exclamation);
    QImage figure(3, 3, QImage::Format_RGB32);
    figure.fill(Qt::red);
    services.clipboard.clear();
    services.clipboard.setImage(figure);
    services.pointer.set(Pointer::Hourglass);

    ASSERT_EQ(platform.messages.messages().size(), 1u);
    EXPECT_EQ(platform.messages.messages()[0].text, QStringLiteral("Please set valid range."));
    EXPECT_EQ(platform.messages.messages()[0].title, QStringLiteral("Error"));
    EXPECT_EQ(platform.messages.messages()[0].icon, MessageService::Icon::Exclamation);
    ASSERT_EQ(platform.clipboard.calls().size(), 2u);
    EXPECT_EQ(platform.clipboard.calls()[0].action, test::RecordingClipboardService::Action::Clear);
    EXPECT_EQ(platform.clipboard.image(), figure);
    EXPECT_EQ(platform.pointer.current(), Pointer::Hourglass);
}

TEST(PlatformServicesTest, RealServicesShareOneDialogThatKeepsItsProperties)
{
    QtPlatformServices real;
    real.services().dialog.setFileName(QStringLiteral("/data/a.csv"));
    EXPECT_EQ(real.services().dialog.fileName(), QStringLiteral("/data/a.csv"));
}

} // namespace
} // namespace brimvale
