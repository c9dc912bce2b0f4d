// The main window run without a screen: the batch tool's steps are a user's actions on the real window.
#pragma once

#include <QImage>
#include <QString>

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "model/RuntimeFailure.h"
#include "ui/ClipboardService.h"
#include "ui/CommonDialog.h"
#include "ui/DialogBackend.h"
#include "ui/FailureLog.h"
#include "ui/MessageService.h"
#include "ui/MousePointer.h"

class QLineEdit;

namespace brimvale {

class MainWindow;

// The name the window's file dialog gives for a file: its absolute path, lexically normalised ("." and
// ".." resolved) without resolving symbolic links.
QString dialogFileName(const std::filesystem::path& file);

// What went wrong in one step: the message the window showed, if any, and the failure its failure path
// handled, if any (with what that failure concerned: a file, or a range the window could not use).
struct StepProblem {
    QString message;
    QString subject;
    std::optional<RuntimeFailure> failure;
};

// A freshly loaded main window (Form_Load has run) whose file dialogs answer with the paths the tool
// gives, whose message box keeps its messages, and that needs no display. Each step is what a user does
// with the mouse or the keyboard, so the window's own handlers run, nested as the window nests them.
// Needs a running QApplication (the batch tool starts one on the offscreen platform).
class HeadlessWindow {
public:
    HeadlessWindow();
    ~HeadlessWindow();
    HeadlessWindow(const HeadlessWindow&) = delete;
    HeadlessWindow& operator=(const HeadlessWindow&) = delete;

    // Each step returns nothing when it did what a user expects, else what went wrong.
    std::optional<StepProblem> setWidth(int percent);  // Slider1
    std::optional<StepProblem> setHeight(int percent); // Slider2
    // "Import data" with the file chosen in the dialog; a data curve must be drawn.
    std::optional<StepProblem> importData(const std::filesystem::path& file);
    // "Import Corvane file" with the file chosen in the dialog; the matrix must be drawn.
    std::optional<StepProblem> importMatrix(const std::filesystem::path& file);
    std::optional<StepProblem> setSmoothing(int level); // Slider3
    // A click into the range box, then the text typed over its contents: Text2 the top, Text1 the bottom.
    std::optional<StepProblem> typeTop(const QString& text);
    std::optional<StepProblem> typeBottom(const QString& text);
    // "Calibrate"; a section must be drawn.
    std::optional<StepProblem> calibrate();
    // File > "Save Matrix" with the file chosen in the dialog; a section must be there to save.
    std::optional<StepProblem> saveMatrix(const std::filesystem::path& file);
    // "Import Brimvale file" with the file chosen in the dialog; the section must be drawn.
    std::optional<StepProblem> importResult(const std::filesystem::path& file);
    // File > "Print Options", the title typed into its box, "OK".
    std::optional<StepProblem> typeTitle(const QString& title);
    // File > "Print" with the printer dialog answered by a PDF printer writing the file; the page must
    // be printed.
    std::optional<StepProblem> print(const std::filesystem::path& file);

    // The next file dialog answers with the file.
    void answer(const std::filesystem::path& file) { m_dialogs.answer(dialogFileName(file)); }
    // A click on the button, or a choice of the menu command, the window names so; it must be offered.
    std::optional<StepProblem> click(const QString& name);
    // A press of the right mouse button on the picture box the window names so.
    std::optional<StepProblem> rightClick(const QString& name);
    // The slider the window names so moved to the value.
    std::optional<StepProblem> slide(const QString& name, int value);

    const MainWindow& window() const { return *m_window; }
    // The window itself, for what no step of a user's reaches (a benchmark repeating one handler).
    MainWindow& window() { return *m_window; }
    // What the window passed over without a word, each with the file it concerns, in order.
    const std::vector<std::pair<QString, QString>>& notices() const { return m_failures.notices; }
    // The image last put on the clipboard; null when nothing was copied or the clipboard was cleared.
    const QImage& clipboardImage() const { return m_clipboard.image; }

private:
    // File dialogs answer with the queued path, the printer dialog with a PDF printer writing the
    // queued file; with none queued they are cancelled.
    class AnsweringDialogs : public DialogBackend {
    public:
        void answer(const QString& path) { m_answers.push_back(path); }
        void answerPrinter(const QString& pdfFile) { m_printerAnswers.push_back(pdfFile); }
        std::optional<QString> chooseFile(const FileRequest& request) override;
        std::optional<PrinterChoice> choosePrinter(QPrinter& printer, const PrinterRequest& request) override;

    private:
        std::deque<QString> m_answers;
        std::deque<QString> m_printerAnswers;
    };

    class KeptMessages : public MessageService {
    public:
        void show(const QString& text, const QString& title, Icon icon) override;
        std::vector<QString> texts;
    };

    class KeptFailures : public FailureLog {
    public:
        void handled(const QString& subject, const RuntimeFailure& failure) override;
        void noticed(const QString& subject, const QString& notice) override;
        std::vector<std::pair<QString, RuntimeFailure>> failures;
        std::vector<std::pair<QString, QString>> notices;
    };

    class KeptClipboard : public ClipboardService {
    public:
        void clear() override { image = QImage(); }
        void setImage(const QImage& copied) override { image = copied; }
        QImage image;
    };

    class UnseenPointer : public MousePointer {
    public:
        void set(Pointer pointer) override { m_current = pointer; }
        Pointer current() const override { return m_current; }

    private:
        Pointer m_current = Pointer::Default;
    };

    // Runs the user's action; the step went wrong when the window showed a message, or when succeeded
    // (given) says afterwards that the window does not show what the step is for.
    std::optional<StepProblem> step(const std::function<void()>& action,
                                    const std::function<bool()>& succeeded = {});
    std::optional<StepProblem> type(QLineEdit& box, const QString& text);

    AnsweringDialogs m_dialogs;
    CommonDialog m_dialog{m_dialogs};
    KeptMessages m_messages;
    KeptFailures m_failures;
    KeptClipboard m_clipboard;
    UnseenPointer m_pointer;
    std::unique_ptr<MainWindow> m_window;
};

} // namespace brimvale
