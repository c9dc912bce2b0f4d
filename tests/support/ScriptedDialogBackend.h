// A dialog backend that records every request and answers from a script instead of showing a dialog.
#pragma once

#include <QString>

#include <deque>
#include <optional>
#include <vector>

#include "ui/DialogBackend.h"

namespace brimvale::test {

// File and printer answers are queued separately; a request with no answer queued is cancelled,
// so no test can block.
class ScriptedDialogBackend : public DialogBackend {
public:
    // The next file dialog returns this path.
    void queueFile(const QString& path) { m_fileAnswers.push_back(FileAnswer{false, path}); }
    // The next file dialog is cancelled.
    void queueFileCancel() { m_fileAnswers.push_back(FileAnswer{true, QString()}); }
    // The next printer dialog returns these settings.
    void queuePrinter(int copies, QPageLayout::Orientation orientation)
    {
        m_printerAnswers.emplace_back(PrinterChoice{copies, orientation});
    }
    // The next printer dialog is cancelled.
    void queuePrinterCancel() { m_printerAnswers.emplace_back(std::nullopt); }

    const std::vector<FileRequest>& fileRequests() const { return m_fileRequests; }
    const std::vector<PrinterRequest>& printerRequests() const { return m_printerRequests; }

    std::optional<QString> chooseFile(const FileRequest& request) override;
    std::optional<PrinterChoice> choosePrinter(QPrinter& printer, const PrinterRequest& request) override;

private:
    struct FileAnswer {
        bool cancelled;
        QString path;
    };

    std::deque<FileAnswer> m_fileAnswers;
    std::deque<std::optional<PrinterChoice>> m_printerAnswers;
    std::vector<FileRequest> m_fileRequests;
    std::vector<PrinterRequest> m_printerRequests;
};

} // namespace brimvale::test
