#include "ui/DriveList.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalBlocker>
#include <QStorageInfo>

#include <algorithm>

namespace brimvale {

namespace {

constexpr int RootRole = Qt::UserRole;

// A root in Qt's form, ending in a separator, so a prefix test cannot match "/data" in "/database".
QString rootWithSeparator(const QString& root)
{
    QString clean = QDir::cleanPath(QDir::fromNativeSeparators(root));
    if (!clean.endsWith(QLatin1Char('/')))
        clean += QLatin1Char('/');
    return clean;
}

} // namespace

DriveList::DriveList(QWidget* parent) : QComboBox(parent)
{
    // The mounted file systems and their names are looked up once for the program: the batch tool opens a
    // window for every record, and each lookup reads the system's whole list of mounts.
    static const QList<Drive> mounted = describe(mountedDrives());
    setItems(mounted);
    connect(this, &QComboBox::currentIndexChanged, this, [this] { emit driveChanged(); });
}

QStringList DriveList::mountedDrives()
{
    QStringList roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady())
            continue;
        const QString root = volume.rootPath();
        if (QFileInfo(root).isDir() && !roots.contains(root))
            roots << root;
    }
    std::sort(roots.begin(), roots.end());
    return roots;
}

QList<DriveList::Drive> DriveList::describe(const QStringList& roots)
{
    QList<Drive> drives;
    for (const QString& root : roots) {
        const QStorageInfo volume(root);
        QString text = QDir::toNativeSeparators(root);
        if (volume.isValid() && volume.rootPath() == root && !volume.name().isEmpty())
            text += QStringLiteral(" [") + volume.name() + QLatin1Char(']');
        drives.append({root, text});
    }
    return drives;
}

void DriveList::setDrives(const QStringList& roots)
{
    setItems(describe(roots));
}

void DriveList::setItems(const QList<Drive>& drives)
{
    const QSignalBlocker blocker(this);
    clear();
    for (const Drive& drive : drives)
        addItem(drive.text, drive.root);
    setCurrentIndex(drives.isEmpty() ? -1 : 0);
}

QStringList DriveList::drives() const
{
    QStringList roots;
    for (int i = 0; i < count(); ++i)
        roots << itemData(i, RootRole).toString();
    return roots;
}

QString DriveList::drive() const
{
    if (currentIndex() < 0)
        return QString();
    return QDir::toNativeSeparators(currentData(RootRole).toString());
}

void DriveList::setDrive(const QString& path)
{
    const QString wanted = rootWithSeparator(QFileInfo(path).absoluteFilePath());
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < count(); ++i) {
        const QString root = rootWithSeparator(itemData(i, RootRole).toString());
        if (wanted.startsWith(root) && root.size() > bestLength) {
            best = i;
            bestLength = root.size();
        }
    }
    if (best >= 0)
        setCurrentIndex(best);
}

} // namespace brimvale
