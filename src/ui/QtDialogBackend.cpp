#include "ui/QtDialogBackend.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>

namespace brimvale {

void QtDialogBackend::configureFileDialog(QFileDialog& dialog, const FileRequest& request)
{
    if (request.kind == FileDialogKind::Open) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
    }
    // A name typed without an extension is used as typed.
    dialog.setDefaultSuffix(QString());
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    if (!request.nameFilter.isEmpty())
        dialog.setNameFilter(request.nameFilter);
    if (!request.initialPath.isEmpty()) {
        const QFileInfo offered(request.initialPath);
        dialog.setDirectory(offered.absolutePath());
        dialog.selectFile(offered.fileName());
    }
}

void QtDialogBackend::configurePrintDialog(QPrintDialog& dialog, const PrinterRequest& request)
{
    dialog.setOption(QAbstractPrintDialog::PrintSelection, !request.selectionHidden);
    // What the program disables is the raw printer output to a file, which this platform's dialog does
    // not offer. Qt's printing to a file is its PDF output, the way to print without a printer here (as
    // a PDF printer is elsewhere), so it stays offered, also when no printer is installed.
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
}

std::optional<QString> QtDialogBackend::chooseFile(const FileRequest& request)
{
    QFileDialog dialog(m_parent);
    configureFileDialog(dialog, request);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen.first();
}

std::optional<DialogBackend::PrinterChoice> QtDialogBackend::choosePrinter(QPrinter& printer,
                                                                           const PrinterRequest& request)
{
    printer.setCopyCount(request.copies);
    printer.setPageOrientation(request.orientation);
    QPrintDialog dialog(&printer, m_parent);
    configurePrintDialog(dialog, request);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return PrinterChoice{printer.copyCount(), printer.pageLayout().orientation()};
}

} // namespace brimvale
