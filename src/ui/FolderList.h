// The folder list of the file browser: the open folder's ancestors and its subfolders, as a tree.
#pragma once

#include <QListWidget>

namespace brimvale {

// The list shows every folder from the drive's root down to the open folder, each indented one
// step further, then the open folder's subfolders; a double click or Enter opens the folder under
// the cursor. pathChanged is the browser's Change event: raised whenever the open folder changes.
class FolderList : public QListWidget {
    Q_OBJECT
public:
    // The item data role holding each listed folder's full path.
    static constexpr int PathRole = Qt::UserRole;

    explicit FolderList(QWidget* parent = nullptr);

    // The open folder, absolute, in the platform's form; empty before a folder was opened.
    QString path() const;
    // Opens the folder and raises pathChanged when it differs from the open one, listing it now or, while
    // the list is hidden, when it is shown; raises FileError (and keeps the open folder) when the path is
    // not a readable folder.
    void setPath(const QString& path);
    // Lists the open folder again.
    void refresh();

signals:
    void pathChanged();

protected:
    // A list whose folder was opened while it was hidden is filled now.
    void showEvent(QShowEvent* event) override;

private:
    void fill();
    void open(QListWidgetItem* item);

    QString m_path;        // Qt's form, cleaned
    bool m_filled = false; // the items show the open folder
};

} // namespace brimvale
