#include "ui/CommonDialog.h"

#include <QRegularExpression>
#include <QStringList>

#include "model/RuntimeFailure.h"

namespace brimvale {

QString CommonDialog::qtNameFilter(const QString& filter)
{
    static const QRegularExpression parenthesised(QStringLiteral("\\([^)]*\\)"));
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    // A trailing description without its pattern is left out.
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        description.remove(parenthesised);
        description = description.trimmed();
        // The dialog separates patterns with semicolons, Qt with blanks.
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            if (!pattern.trimmed().isEmpty())
                patterns << pattern.trimmed();
        }
        const QString entry = QLatin1Char('(') + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
        entries << (description.isEmpty() ? entry : description + QLatin1Char(' ') + entry);
    }
    return entries.join(QStringLiteral(";;"));
}

void CommonDialog::cancelled() const
{
    if (m_cancelError)
        raiseFailure(RuntimeFailure::Kind::Cancelled, "Cancel was selected.");
}

void CommonDialog::showFile(DialogBackend::FileDialogKind kind)
{
    DialogBackend::FileRequest request;
    request.kind = kind;
    request.nameFilter = qtNameFilter(m_filter);
    request.initialPath = m_fileName;
    request.confirmOverwrite =
        kind == DialogBackend::FileDialogKind::Save && (m_flags & OverwritePrompt) != 0;
    const std::optional<QString> chosen = m_backend.chooseFile(request);
    if (!chosen) {
        cancelled();
        return;
    }
    m_fileName = *chosen;
}

void CommonDialog::showOpen()
{
    showFile(DialogBackend::FileDialogKind::Open);
}

void CommonDialog::showSave()
{
    showFile(DialogBackend::FileDialogKind::Save);
}

void CommonDialog::showPrinter(QPrinter& printer)
{
    DialogBackend::PrinterRequest request;
    request.copies = m_copies;
    request.orientation = m_orientation;
    request.selectionHidden = (m_flags & NoSelection) != 0;
    request.printToFileDisabled = (m_flags & (DisablePrintToFile | HidePrintToFile)) != 0;
    const std::optional<DialogBackend::PrinterChoice> choice = m_backend.choosePrinter(printer, request);
    if (!choice) {
        cancelled();
        return;
    }
    m_copies = choice->copies;
    m_orientation = choice->orientation;
}

} // namespace brimvale
