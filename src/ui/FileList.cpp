#include "ui/FileList.h"

#include <QDir>
#include <QKeyEvent>
#include <QMouseEvent>

namespace brimvale {

FileList::FileList(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemClicked, this, [this] {
        if (!m_afterDoubleClick)
            emit fileClicked();
    });
    connect(this, &QListWidget::itemDoubleClicked, this, [this] { emit fileDoubleClicked(); });
}

QString FileList::path() const
{
    return QDir::toNativeSeparators(m_path);
}

void FileList::setPath(const QString& path)
{
    m_path = QDir::cleanPath(QDir::fromNativeSeparators(path));
    // A hidden list is filled when it is shown (a window run without a screen never lists the folder).
    if (isVisible())
        fill();
}

void FileList::setPattern(const QString& pattern)
{
    m_pattern = pattern;
    if (isVisible())
        fill();
}

void FileList::refresh()
{
    fill();
}

QString FileList::fileName() const
{
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

void FileList::fill()
{
    clear();
    if (m_path.isEmpty())
        return;
    QDir folder(m_path);
    // Without QDir::CaseSensitive the name filters ignore case.
    folder.setNameFilters(m_pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts));
    folder.setFilter(QDir::Files);
    folder.setSorting(QDir::Name | QDir::IgnoreCase);
    addItems(folder.entryList());
}

void FileList::mousePressEvent(QMouseEvent* event)
{
    m_afterDoubleClick = false;
    QListWidget::mousePressEvent(event);
}

void FileList::mouseDoubleClickEvent(QMouseEvent* event)
{
    m_afterDoubleClick = true;
    QListWidget::mouseDoubleClickEvent(event);
}

void FileList::showEvent(QShowEvent* event)
{
    QListWidget::showEvent(event);
    fill();
}

void FileList::keyPressEvent(QKeyEvent* event)
{
    const QString before = fileName();
    const int rowBefore = currentRow();
    QListWidget::keyPressEvent(event);
    // Moving with the keys selects as it goes, and each move is a click of the browser.
    if (currentRow() != rowBefore && currentItem() != nullptr) {
        currentItem()->setSelected(true);
        emit fileClicked();
    } else if (fileName() != before) {
        emit fileClicked();
    }
}

} // namespace brimvale
