// The file browser's lists: drives, the folder tree and the matching files, with their events.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "support/FailureKind.h"
#include "ui/DriveList.h"
#include "ui/FileList.h"
#include "ui/FolderList.h"

namespace brimvale {
namespace {

void touch(const QString& path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
}

// Counts the emissions of a signal.
struct Counter {
    int count = 0;
    template <class Sender, class Signal> Counter(Sender* sender, Signal signal)
    {
        QObject::connect(sender, signal, [this] { ++count; });
    }
};

QStringList listed(const QListWidget& list)
{
    QStringList names;
    for (int i = 0; i < list.count(); ++i)
        names << list.item(i)->text();
    return names;
}

TEST(DriveListTest, ListsTheRootFirstAndPicksTheDriveHoldingAPath)
{
    const QStringList drives = DriveList::mountedDrives();
    ASSERT_FALSE(drives.isEmpty());
    EXPECT_EQ(drives.first(), QDir::rootPath());

    DriveList list;
    list.setDrives({QStringLiteral("/"), QStringLiteral("/data"), QStringLiteral("/data/archive")});
    Counter changes(&list, &DriveList::driveChanged);
    EXPECT_EQ(list.drive(), QStringLiteral("/"));
    list.setDrive(QStringLiteral("/data/archive/cores/a.csv"));
    EXPECT_EQ(list.drive(), QDir::toNativeSeparators(QStringLiteral("/data/archive")));
    // "/database" is not on the drive "/data".
    list.setDrive(QStringLiteral("/database/x"));
    EXPECT_EQ(list.drive(), QStringLiteral("/"));
    list.setDrive(QStringLiteral("/"));
    EXPECT_EQ(changes.count, 2);
    // Refilling the list raises no change.
    list.setDrives({QStringLiteral("/data")});
    EXPECT_EQ(changes.count, 2);
    EXPECT_EQ(list.drives(), QStringList{QStringLiteral("/data")});
}

TEST(FolderListTest, ShowsTheAncestorsThenTheSubfoldersAndOpensByActivation)
{
    QTemporaryDir root;
    QDir(root.path()).mkpath(QStringLiteral("site/b-cores"));
    QDir(root.path()).mkpath(QStringLiteral("site/A-maps"));
    const QString site = QDir(root.path()).absoluteFilePath(QStringLiteral("site"));

    FolderList list;
    Counter changes(&list, &FolderList::pathChanged);
    list.setPath(site);
    EXPECT_EQ(list.path(), QDir::toNativeSeparators(site));
    EXPECT_EQ(changes.count, 1);
    // The same folder again is no change.
    list.setPath(site + QStringLiteral("/"));
    EXPECT_EQ(changes.count, 1);

    const int depth = static_cast<int>(QDir(site).absolutePath().count(QLatin1Char('/')));
    ASSERT_EQ(list.count(), depth + 1 + 2);
    EXPECT_EQ(list.item(0)->data(FolderList::PathRole).toString(), QDir::rootPath());
    EXPECT_EQ(list.item(depth)->data(FolderList::PathRole).toString(), site);
    EXPECT_EQ(list.currentRow(), depth);
    // Subfolders sorted without regard to case, indented one step below the open folder.
    EXPECT_EQ(list.item(depth + 1)->text().trimmed(), QStringLiteral("A-maps"));
    EXPECT_EQ(list.item(depth + 2)->text().trimmed(), QStringLiteral("b-cores"));
    const auto indent = [&list](int row) {
        return list.item(row)->text().indexOf(QRegularExpression(QStringLiteral("\\S")));
    };
    EXPECT_GT(indent(depth + 1), indent(depth));
    EXPECT_GT(indent(depth), indent(depth - 1));

    emit list.itemActivated(list.item(depth + 2));
    EXPECT_EQ(list.path(), QDir::toNativeSeparators(site + QStringLiteral("/b-cores")));
    emit list.itemActivated(list.item(depth - 1));
    EXPECT_EQ(list.path(), QDir::toNativeSeparators(root.path()));
    EXPECT_EQ(changes.count, 3);
}

TEST(FolderListTest, RefusesWhatIsNotAReadableFolder)
{
    QTemporaryDir root;
    touch(root.filePath(QStringLiteral("plain.csv")));
    FolderList list;
    list.setPath(root.path());
    for (const QString& path :
         {root.filePath(QStringLiteral("missing")), root.filePath(QStringLiteral("plain.csv")), QString()})
        EXPECT_EQ(test::failureKind([&] { list.setPath(path); }), RuntimeFailure::Kind::FileError)
            << path.toStdString();
    EXPECT_EQ(list.path(), QDir::toNativeSeparators(root.path()));
}

TEST(FileListTest, ListsMatchingFilesWithoutRegardToCase)
{
    QTemporaryDir root;
    for (const char* name : {"b.csv", "A.CSV", "notes.txt", "c.Csv", "csv"})
        touch(root.filePath(QString::fromLatin1(name)));
    QDir(root.path()).mkpath(QStringLiteral("folder.csv"));

    FileList list;
    list.setPath(root.path());
    EXPECT_EQ(list.pattern(), QStringLiteral("*.csv"));
    EXPECT_EQ(listed(list),
              (QStringList{QStringLiteral("A.CSV"), QStringLiteral("b.csv"), QStringLiteral("c.Csv")}));
    EXPECT_TRUE(list.fileName().isEmpty());

    list.setPattern(QStringLiteral("*.txt;*.CSV"));
    EXPECT_EQ(listed(list).size(), 4);
    list.setPath(root.filePath(QStringLiteral("missing")));
    EXPECT_EQ(list.count(), 0);
}

TEST(FileListTest, EveryClickIsAnEventAndADoubleClickFollowsItsFirstClick)
{
    QTemporaryDir root;
    touch(root.filePath(QStringLiteral("a.csv")));
    touch(root.filePath(QStringLiteral("b.csv")));
    FileList list;
    list.resize(200, 100);
    list.setPath(root.path());
    Counter clicks(&list, &FileList::fileClicked);
    Counter doubleClicks(&list, &FileList::fileDoubleClicked);

    const QPoint onFirst = list.visualItemRect(list.item(0)).center();
    const auto mouse = [&list, onFirst](QEvent::Type type) {
        QMouseEvent event(type, onFirst, list.viewport()->mapToGlobal(onFirst), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(list.viewport(), &event);
    };
    mouse(QEvent::MouseButtonPress);
    mouse(QEvent::MouseButtonRelease);
    EXPECT_EQ(clicks.count, 1);
    EXPECT_EQ(list.fileName(), QStringLiteral("a.csv"));
    // A second click on the selected file is a click too.
    mouse(QEvent::MouseButtonPress);
    mouse(QEvent::MouseButtonRelease);
    EXPECT_EQ(clicks.count, 2);

    mouse(QEvent::MouseButtonPress);
    mouse(QEvent::MouseButtonRelease);
    mouse(QEvent::MouseButtonDblClick);
    mouse(QEvent::MouseButtonRelease);
    EXPECT_EQ(clicks.count, 3);
    EXPECT_EQ(doubleClicks.count, 1);

    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QCoreApplication::sendEvent(&list, &down);
    EXPECT_EQ(list.fileName(), QStringLiteral("b.csv"));
    EXPECT_EQ(clicks.count, 4);
}

} // namespace
} // namespace brimvale
