// The colour dialog, the file and printer dialog, the file browser's lists and the screen mouse pointer.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QSlider>
#include <QTemporaryDir>

#include "support/FailureKind.h"
#include "support/TestPlatformServices.h"
#include "ui/ColourDialog.h"
#include "ui/CommonDialog.h"
#include "ui/DialogPlacement.h"
#include "ui/DriveList.h"
#include "ui/FileList.h"
#include "ui/FileText.h"
#include "ui/FolderList.h"
#include "ui/PictureBox.h"
#include "ui/QtMousePointer.h"

namespace brimvale {
namespace {

using Pointer = MousePointer::Pointer;

class ColourDialogTest : public ::testing::Test {
protected:
    ProgramSettings settings;
    test::RecordingMousePointer pointer;
    ColourDialog dialog{settings, pointer};

    // A mouse event on editor k at a point given as fractions of its width and height.
    void mouse(int k, QEvent::Type type, double fx, double fy)
    {
        PictureBox& editor = dialog.picture2(k);
        const QPointF at(editor.frameWidth() + fx * editor.surface().size().width(),
                         editor.frameWidth() + fy * editor.surface().size().height());
        const bool move = type == QEvent::MouseMove;
        QMouseEvent event(type, at, editor.mapToGlobal(at), move ? Qt::NoButton : Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&editor, &event);
    }
};

TEST_F(ColourDialogTest, ADraggedBreakPointShowsItsPlaceInWholePercent)
{
    dialog.show();
    // Green's second point stands at 30 % on the plateau, a fifth of the way down the editor.
    mouse(1, QEvent::MouseMove, 0.3, 0.2);
    EXPECT_EQ(pointer.current(), Pointer::LeftRightSizing);
    mouse(1, QEvent::MouseButtonPress, 0.3, 0.2);
    mouse(1, QEvent::MouseMove, 0.376, 0.2);
    EXPECT_EQ(dialog.label1(1).text(), QStringLiteral("38")) << "37.6 % shows as 38";
    EXPECT_FALSE(settings.colourSettingsChanged) << "only the release ends the edit";
    mouse(1, QEvent::MouseButtonRelease, 0.376, 0.2);
    EXPECT_NEAR(settings.colourRamp[4], 0.376, 1e-3);
    EXPECT_TRUE(settings.colourSettingsChanged);
    EXPECT_EQ(pointer.current(), Pointer::Default);

    // A click on the threshold slider's track ends an edit as well as a drag of its handle.
    settings.colourSettingsChanged = false;
    auto* threshold = dialog.findChild<QSlider*>(QStringLiteral("Slider1"));
    const QPointF track(threshold->width() - 4.0, threshold->height() / 2.0);
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, track, threshold->mapToGlobal(track), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(threshold, &event);
    }
    EXPECT_TRUE(settings.colourSettingsChanged);
}

TEST(DialogPlacementTest, ADialogOpensBesideTheWindowWhereTheScreenHasRoom)
{
    const QRect screen(0, 0, 1600, 900);
    const QSize dialog(300, 400);
    EXPECT_EQ(besideFrame(screen, QRect(100, 50, 860, 600), dialog), QPoint(960, 50));
    EXPECT_EQ(besideFrame(screen, QRect(700, 50, 860, 600), dialog), QPoint(400, 50));
    EXPECT_EQ(besideFrame(screen, QRect(600, 700, 900, 150), dialog), QPoint(300, 500)) << "kept on screen";
    EXPECT_EQ(besideFrame(screen, QRect(200, 50, 1300, 600), dialog), std::nullopt);
}

TEST(FileTextTest, ACaptionGoesIntoAFileAsSingleBytesWhenItCan)
{
    EXPECT_EQ(textToFile(QStringLiteral("Temp\u00e9rature (\u00b0C)")), "Temp\xe9rature (\xb0" "C)");
    EXPECT_EQ(textToFile(QStringLiteral("\u20ac / \u00e9")), "\xe2\x82\xac / \xc3\xa9");
    EXPECT_EQ(textFromFile("Temp\xe9rature"), QStringLiteral("Temp\u00e9rature"));
}

TEST(CommonDialogTest, FiltersTakeQtsFormWithEveryPattern)
{
    const std::pair<const char*, const char*> cases[] = {
        {"DataFile(*.csv)|*.csv", "DataFile (*.csv)"},
        {"Text files|*.txt;*.csv", "Text files (*.txt *.csv)"},
        {"Data(*.csv)|*.csv|All files (*.*)|*.*", "Data (*.csv);;All files (*.*)"},
    };
    for (const auto& [filter, expected] : cases)
        EXPECT_EQ(CommonDialog::qtNameFilter(QString::fromLatin1(filter)), QString::fromLatin1(expected))
            << filter;
}

TEST(CommonDialogTest, ACancelRaisesOnlyWithCancelErrorAndTheLastNameIsOfferedNextTime)
{
    test::TestPlatformServices platform;
    CommonDialog& dialog = platform.dialog;
    platform.dialogBackend.queueFile(QStringLiteral("/data/core.csv"));
    dialog.showOpen();
    EXPECT_EQ(dialog.fileName(), QStringLiteral("/data/core.csv"));

    // Unanswered requests are cancelled.
    EXPECT_EQ(test::failureKind([&] { dialog.showSave(); }), std::nullopt);
    dialog.setCancelError(true);
    EXPECT_EQ(test::failureKind([&] { dialog.showOpen(); }), RuntimeFailure::Kind::Cancelled);
    EXPECT_EQ(dialog.fileName(), QStringLiteral("/data/core.csv"));
    ASSERT_EQ(platform.dialogBackend.fileRequests().size(), 3u);
    EXPECT_EQ(platform.dialogBackend.fileRequests()[2].initialPath, QStringLiteral("/data/core.csv"));
}

QStringList listed(const QListWidget& list)
{
    QStringList names;
    for (int i = 0; i < list.count(); ++i)
        names << list.item(i)->text();
    return names;
}

TEST(FileBrowserTest, TheListsShowTheFolderGivenAndRefuseWhatIsNoFolder)
{
    QTemporaryDir first;
    QTemporaryDir second;
    for (const QString& name : {first.filePath("b.csv"), first.filePath("A.CSV"), first.filePath("notes.txt"),
                                second.filePath("c.csv")}) {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QDir(first.path()).mkdir(QStringLiteral("folder.csv"));

    FileList files;
    files.show();
    files.setPath(first.path());
    EXPECT_EQ(listed(files), (QStringList{QStringLiteral("A.CSV"), QStringLiteral("b.csv")}));
    files.setPath(second.path());
    EXPECT_EQ(listed(files), QStringList{QStringLiteral("c.csv")});
    // A file that came while the list was hidden is there when it is shown.
    files.hide();
    QFile(second.filePath("d.csv")).open(QIODevice::WriteOnly);
    files.show();
    EXPECT_EQ(listed(files), (QStringList{QStringLiteral("c.csv"), QStringLiteral("d.csv")}));

    // The folder list: the root down to the open folder, then its subfolders, two blanks a level deeper.
    QDir(first.path()).mkdir(QStringLiteral("sub"));
    FolderList folders;
    folders.setPath(first.path());
    EXPECT_EQ(folders.count(), 0) << "listed when shown";
    folders.show();
    const int depth = static_cast<int>(QDir(first.path()).absolutePath().count(QLatin1Char('/')));
    ASSERT_EQ(folders.count(), depth + 1 + 2);
    const QString indent(2 * (depth + 1), QLatin1Char(' '));
    EXPECT_EQ(folders.item(depth + 1)->text(), indent + QStringLiteral("folder.csv"));
    EXPECT_EQ(folders.item(depth + 2)->text(), indent + QStringLiteral("sub"));
    for (const QString& path : {first.filePath("b.csv"), first.filePath("missing"), QString()})
        EXPECT_EQ(test::failureKind([&] { folders.setPath(path); }), RuntimeFailure::Kind::FileError)
            << path.toStdString();
    EXPECT_EQ(folders.path(), QDir::toNativeSeparators(first.path()));

    // A path lies on the drive with the longest root it begins with, folder by folder.
    DriveList drives;
    drives.setDrives({QStringLiteral("/"), QStringLiteral("/data")});
    drives.setDrive(QStringLiteral("/data/cores/a.csv"));
    EXPECT_EQ(drives.drive(), QDir::toNativeSeparators(QStringLiteral("/data")));
    drives.setDrive(QStringLiteral("/database/a.csv"));
    EXPECT_EQ(drives.drive(), QDir::toNativeSeparators(QStringLiteral("/")));
}

TEST(QtMousePointerTest, EveryHourglassShowsTheBusyCursorAndDefaultTakesItAway)
{
    QtMousePointer pointer;
    for (int round = 0; round < 2; ++round) {
        pointer.set(Pointer::Hourglass);
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr) << round;
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor) << round;
        pointer.set(Pointer::Default);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << round;
    }
}

} // namespace
} // namespace brimvale
