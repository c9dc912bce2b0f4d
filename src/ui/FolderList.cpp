#include "ui/FolderList.h"

#include <QDir>
#include <QFileInfo>
#include <QStyle>

#include "model/RuntimeFailure.h"

namespace brimvale {

namespace {

// Blanks before a folder's name per level of depth.
constexpr int IndentPerLevel = 2;

QString indented(const QString& name, int depth)
{
    return QString(depth * IndentPerLevel, QLatin1Char(' ')) + name;
}

} // namespace

FolderList::FolderList(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemActivated, this, &FolderList::open);
}

QString FolderList::path() const
{
    return QDir::toNativeSeparators(m_path);
}

void FolderList::setPath(const QString& path)
{
    const QFileInfo info(QDir::fromNativeSeparators(path));
    if (path.isEmpty() || !info.exists() || !info.isDir() || !info.isReadable())
        raiseFailure(RuntimeFailure::Kind::FileError, "Path not found: " + path.toStdString());
    const QString clean = QDir::cleanPath(info.absoluteFilePath());
    if (clean == m_path)
        return;
    m_path = clean;
    // A hidden list is filled when it is shown (a window run without a screen never lists the folders).
    m_filled = false;
    if (isVisible())
        fill();
    emit pathChanged();
}

void FolderList::showEvent(QShowEvent* event)
{
    QListWidget::showEvent(event);
    if (!m_filled)
        fill();
}

void FolderList::refresh()
{
    fill();
}

void FolderList::fill()
{
    m_filled = true;
    clear();
    QStringList chain;
    for (QDir folder(m_path);;) {
        chain.prepend(folder.absolutePath());
        if (folder.isRoot() || !folder.cdUp())
            break;
    }
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
    int depth = 0;
    for (const QString& folder : chain) {
        const QString name =
            QDir(folder).isRoot() ? QDir::toNativeSeparators(folder) : QFileInfo(folder).fileName();
        auto* item = new QListWidgetItem(openIcon, indented(name, depth), this);
        item->setData(PathRole, folder);
        ++depth;
    }
    QListWidgetItem* current = count() > 0 ? item(count() - 1) : nullptr;
    const QFileInfoList subfolders =
        QDir(m_path).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& subfolder : subfolders) {
        auto* item = new QListWidgetItem(closedIcon, indented(subfolder.fileName(), depth), this);
        item->setData(PathRole, QDir::cleanPath(subfolder.absoluteFilePath()));
    }
    setCurrentItem(current);
}

void FolderList::open(QListWidgetItem* item)
{
    if (item == nullptr)
        return;
    try {
        setPath(item->data(PathRole).toString());
    } catch (const RuntimeFailure&) {
        // A folder that vanished or cannot be read stays closed; the list shows it as it was.
    }
}

} // namespace brimvale
