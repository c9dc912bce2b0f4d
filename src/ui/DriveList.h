// The drive list of the file browser: the mounted file systems, by the folder they are mounted on.
#pragma once

#include <QComboBox>
#include <QStringList>

namespace brimvale {

// A drive is the root folder of a mounted file system. The list raises driveChanged whenever the
// selected drive changes, by the user or by code, as the browser's Change event.
class DriveList : public QComboBox {
    Q_OBJECT
public:
    explicit DriveList(QWidget* parent = nullptr);

    // Returns the root folders of the mounted file systems, sorted, so the root of the whole tree
    // comes first; file systems mounted on a single file are left out.
    static QStringList mountedDrives();

    // Replaces the listed drives and selects the first, without a change event.
    void setDrives(const QStringList& roots);
    QStringList drives() const;

    // The root folder of the selected drive in the platform's form, empty when none is listed.
    QString drive() const;
    // Selects the drive that holds the path (the one with the longest matching root); raises
    // driveChanged when that is another drive than before.
    void setDrive(const QString& path);

signals:
    void driveChanged();

private:
    struct Drive {
        QString root;
        QString text; // the root in the platform's form, with the file system's name when it has one
    };
    static QList<Drive> describe(const QStringList& roots);
    void setItems(const QList<Drive>& drives);
};

} // namespace brimvale
