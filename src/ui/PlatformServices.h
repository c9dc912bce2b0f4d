// The platform services the main window uses, real ones or test doubles.
#pragma once

#include "ui/ClipboardService.h"
#include "ui/CommonDialog.h"
#include "ui/FailureLog.h"
#include "ui/MessageService.h"
#include "ui/MousePointer.h"

namespace brimvale {

struct PlatformServices {
    CommonDialog& dialog;        // the file and printer dialog
    MessageService& messages;    // message boxes
    ClipboardService& clipboard; // copying figures
    MousePointer& pointer;       // the screen mouse pointer
    FailureLog& failures;        // the failures the window handled
};

} // namespace brimvale
