#include "support/ScriptedDialogBackend.h"

#include <QPrinter>

namespace brimvale::test {

std::optional<QString> ScriptedDialogBackend::chooseFile(const FileRequest& request)
{
    m_fileRequests.push_back(request);
    if (m_fileAnswers.empty())
        return std::nullopt;
    const FileAnswer answer = m_fileAnswers.front();
    m_fileAnswers.pop_front();
    if (answer.cancelled)
        return std::nullopt;
    return answer.path;
}

std::optional<DialogBackend::PrinterChoice>
ScriptedDialogBackend::choosePrinter(QPrinter& printer, const PrinterRequest& request)
{
    m_printerRequests.push_back(request);
    if (m_printerAnswers.empty())
        return std::nullopt;
    std::optional<PrinterChoice> answer = m_printerAnswers.front();
    m_printerAnswers.pop_front();
    // The real dialog leaves its choice in the printer.
    if (answer) {
        printer.setCopyCount(answer->copies);
        printer.setPageOrientation(answer->orientation);
    }
    return answer;
}

} // namespace brimvale::test
