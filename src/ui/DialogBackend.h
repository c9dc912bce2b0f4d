// What the file and printer dialog needs from the platform: one request, one answer or a cancel.
#pragma once

#include <QPageLayout>
#include <QString>

#include <optional>

class QPrinter;

namespace brimvale {

class DialogBackend {
public:
    enum class FileDialogKind { Open, Save };

    struct FileRequest {
        FileDialogKind kind = FileDialogKind::Open;
        QString nameFilter;  // in Qt's form, "DataFile (*.csv)"; empty for all files
        QString initialPath; // the name offered: its folder is opened and its name preselected
        bool confirmOverwrite = false;
    };

    struct PrinterRequest {
        int copies = 1;
        QPageLayout::Orientation orientation = QPageLayout::Portrait;
        bool selectionHidden = false;
        bool printToFileDisabled = false; // the raw printer output to a file; PDF output is not meant
    };

    struct PrinterChoice {
        int copies = 1;
        QPageLayout::Orientation orientation = QPageLayout::Portrait;
    };

    virtual ~DialogBackend() = default;

    // The path the user chose, or nothing when the dialog was cancelled.
    virtual std::optional<QString> chooseFile(const FileRequest& request) = 0;
    // The settings the user chose, already applied to the printer, or nothing when cancelled.
    virtual std::optional<PrinterChoice> choosePrinter(QPrinter& printer, const PrinterRequest& request) = 0;
};

} // namespace brimvale
