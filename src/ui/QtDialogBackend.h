// The file and printer dialogs of Qt behind the dialog backend.
#pragma once

#include "ui/DialogBackend.h"

class QFileDialog;
class QPrintDialog;
class QWidget;

namespace brimvale {

class QtDialogBackend : public DialogBackend {
public:
    explicit QtDialogBackend(QWidget* parent = nullptr) : m_parent(parent) {}

    // The window the dialogs are centred on and modal to.
    void setParentWidget(QWidget* parent) { m_parent = parent; }

    std::optional<QString> chooseFile(const FileRequest& request) override;
    std::optional<PrinterChoice> choosePrinter(QPrinter& printer, const PrinterRequest& request) override;

    // Sets up a file dialog for the request without showing it.
    static void configureFileDialog(QFileDialog& dialog, const FileRequest& request);
    // Sets up a printer dialog for the request without showing it; its PDF output is always offered.
    static void configurePrintDialog(QPrintDialog& dialog, const PrinterRequest& request);

private:
    QWidget* m_parent;
};

} // namespace brimvale
