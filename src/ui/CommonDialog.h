// The one file and printer dialog of the main window, keeping its settings between uses.
#pragma once

#include <QPageLayout>
#include <QString>

#include <cstdint>

#include "ui/DialogBackend.h"

class QPrinter;

namespace brimvale {

// CancelError, Filter, Flags, FileName, Copies and Orientation keep their values between uses;
// FileName is offered the next time any file dialog opens. The dialogs themselves come from the
// backend, so tests script the answers.
class CommonDialog {
public:
    // Flag bits of the dialog that this program uses.
    static constexpr std::int32_t OverwritePrompt = 0x2;        // ShowSave: ask before overwriting
    static constexpr std::int32_t NoSelection = 0x4;            // ShowPrinter: hide the selection choice
    static constexpr std::int32_t DisablePrintToFile = 0x80000; // ShowPrinter: no printing to a file
    static constexpr std::int32_t HidePrintToFile = 0x100000;   // ShowPrinter: no printing to a file

    explicit CommonDialog(DialogBackend& backend) : m_backend(backend) {}

    bool cancelError() const { return m_cancelError; }
    void setCancelError(bool raise) { m_cancelError = raise; }
    // The filter as the program writes it: description|pattern pairs, "DataFile(*.csv)|*.csv".
    QString filter() const { return m_filter; }
    void setFilter(const QString& filter) { m_filter = filter; }
    std::int32_t flags() const { return m_flags; }
    void setFlags(std::int32_t flags) { m_flags = flags; }
    QString fileName() const { return m_fileName; }
    void setFileName(const QString& fileName) { m_fileName = fileName; }
    int copies() const { return m_copies; }
    void setCopies(int copies) { m_copies = copies; }
    QPageLayout::Orientation orientation() const { return m_orientation; }
    void setOrientation(QPageLayout::Orientation orientation) { m_orientation = orientation; }

    // Returns with FileName set to the chosen path; on cancel raises Cancelled when CancelError is
    // set, otherwise returns with every property unchanged.
    void showOpen();
    // As showOpen, for saving; Flags with OverwritePrompt asks before an existing file is replaced.
    void showSave();
    // Returns with Copies and Orientation set to the choice (also applied to the printer); on
    // cancel as showOpen.
    void showPrinter(QPrinter& printer);

    // The filter in Qt's form: each description without its parenthesised pattern, followed by
    // the pattern in parentheses; "DataFile(*.csv)|*.csv" gives "DataFile (*.csv)".
    static QString qtNameFilter(const QString& filter);

private:
    void showFile(DialogBackend::FileDialogKind kind);
    void cancelled() const;

    DialogBackend& m_backend;
    bool m_cancelError = false;
    QString m_filter;
    std::int32_t m_flags = 0;
    QString m_fileName;
    int m_copies = 1;
    QPageLayout::Orientation m_orientation = QPageLayout::Portrait;
};

} // namespace brimvale
