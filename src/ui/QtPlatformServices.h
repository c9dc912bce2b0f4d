// The real platform services of a running program, owned in one place.
#pragma once

#include "ui/CommonDialog.h"
#include "ui/PlatformServices.h"
#include "ui/QtClipboardService.h"
#include "ui/QtDialogBackend.h"
#include "ui/QtMessageService.h"
#include "ui/QtMousePointer.h"

class QWidget;

namespace brimvale {

class QtPlatformServices {
public:
    QtPlatformServices() = default;
    QtPlatformServices(const QtPlatformServices&) = delete;
    QtPlatformServices& operator=(const QtPlatformServices&) = delete;

    // The window that dialogs and message boxes belong to.
    void setParentWidget(QWidget* parent)
    {
        m_dialogBackend.setParentWidget(parent);
        m_messages.setParentWidget(parent);
    }

    // References to the services, valid while this object lives.
    PlatformServices services() { return PlatformServices{m_dialog, m_messages, m_clipboard, m_pointer, m_failures}; }

private:
    QtDialogBackend m_dialogBackend;
    CommonDialog m_dialog{m_dialogBackend};
    QtMessageService m_messages;
    QtClipboardService m_clipboard;
    QtMousePointer m_pointer;
    DiscardedFailures m_failures;
};

} // namespace brimvale
