// Platform services made of test doubles, for constructing windows under test.
#pragma once

#include "support/RecordingClipboardService.h"
#include "support/RecordingFailureLog.h"
#include "support/RecordingMessageService.h"
#include "support/RecordingMousePointer.h"
#include "support/ScriptedDialogBackend.h"
#include "ui/CommonDialog.h"
#include "ui/PlatformServices.h"

namespace brimvale::test {

// The dialog is the real CommonDialog over a scripted backend, so its remembered properties
// behave as in the program.
struct TestPlatformServices {
    ScriptedDialogBackend dialogBackend;
    CommonDialog dialog{dialogBackend};
    RecordingMessageService messages;
    RecordingClipboardService clipboard;
    RecordingMousePointer pointer;
    RecordingFailureLog failures;

    TestPlatformServices() = default;
    TestPlatformServices(const TestPlatformServices&) = delete;
    TestPlatformServices& operator=(const TestPlatformServices&) = delete;

    PlatformServices services() { return PlatformServices{dialog, messages, clipboard, pointer, failures}; }
};

} // namespace brimvale::test
