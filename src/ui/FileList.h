// The file list of the file browser: the files of one folder that match a pattern.
#pragma once

#include <QListWidget>

namespace brimvale {

// Names match the pattern without regard to case ("*.csv" lists "a.CSV" too). fileClicked is the
// browser's Click event, raised for every mouse click on a file (also on the selected one) and for
// every change of the selection from the keyboard; a double click raises fileClicked for its first
// click and then fileDoubleClicked.
class FileList : public QListWidget {
    Q_OBJECT
public:
    explicit FileList(QWidget* parent = nullptr);

    // The listed folder in the platform's form.
    QString path() const;
    // Lists the folder's matching files, none selected, now or, while the list is hidden, when it is
    // shown; a folder that cannot be read lists nothing.
    void setPath(const QString& path);
    // One or more patterns separated by semicolons, "*.csv" by default.
    QString pattern() const { return m_pattern; }
    void setPattern(const QString& pattern);
    // Lists the folder again.
    void refresh();

    // The selected file's name without its folder, empty when no file is selected.
    QString fileName() const;

signals:
    void fileClicked();
    void fileDoubleClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // The folder is listed again whenever the list is shown: files come and go while it is hidden.
    void showEvent(QShowEvent* event) override;

private:
    void fill();

    QString m_path; // Qt's form
    QString m_pattern = QStringLiteral("*.csv");
    bool m_afterDoubleClick = false; // the release that ends a double click is no further click
};

} // namespace brimvale
