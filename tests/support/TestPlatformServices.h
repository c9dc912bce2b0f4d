// Platform services made of test doubles, for constructing windows under test.
#pragma once

#include <QString>

#include <deque>
#include <optional>
#include <utility>
#include <vector>

#include "ui/ClipboardService.h"
#include "ui/CommonDialog.h"
#include "ui/DialogBackend.h"
#include "ui/FailureLog.h"
#include "ui/MessageService.h"
#include "ui/MousePointer.h"
#include "ui/PlatformServices.h"

namespace brimvale::test {

// Records every file request and answers from a script. A file request with no answer queued, and every
// printer request, is cancelled, so that no test can block.
class ScriptedDialogBackend : public DialogBackend {
public:
    void queueFile(const QString& path) { m_fileAnswers.emplace_back(path); }
    void queueFileCancel() { m_fileAnswers.emplace_back(std::nullopt); }
    const std::vector<FileRequest>& fileRequests() const { return m_fileRequests; }

    std::optional<QString> chooseFile(const FileRequest& request) override;
    std::optional<PrinterChoice> choosePrinter(QPrinter&, const PrinterRequest&) override { return {}; }

private:
    std::deque<std::optional<QString>> m_fileAnswers;
    std::vector<FileRequest> m_fileRequests;
};

// Records every message instead of showing it.
class RecordingMessageService : public MessageService {
public:
    struct Message {
        QString text;
        QString title;
        Icon icon = Icon::None;
    };

    void show(const QString& text, const QString& title, Icon icon) override
    {
        m_messages.push_back(Message{text, title, icon});
    }
    const std::vector<Message>& messages() const { return m_messages; }

private:
    std::vector<Message> m_messages;
};

// Keeps the image it was given last; a null image when cleared.
struct RecordingClipboardService : ClipboardService {
    void clear() override
    {
        image = QImage();
        ++clears;
    }
    void setImage(const QImage& given) override { image = given; }
    QImage image;
    int clears = 0;
};

class RecordingMousePointer : public MousePointer {
public:
    void set(Pointer pointer) override { m_current = pointer; }
    Pointer current() const override { return m_current; }

private:
    Pointer m_current = Pointer::Default;
};

// Keeps every failure the window handled, to tell why a step failed.
struct RecordingFailureLog : FailureLog {
    void handled(const QString& subject, const RuntimeFailure& failure) override
    {
        entries.emplace_back(subject, failure);
    }
    std::vector<std::pair<QString, RuntimeFailure>> entries;
};

// The dialog is the real CommonDialog over a scripted backend, so its remembered properties behave as in
// the program.
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
