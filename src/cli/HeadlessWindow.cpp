// The main window run without a screen: the batch tool's steps are a user's actions on the real window.
#include "cli/HeadlessWindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPrinter>
#include <QPushButton>
#include <QSlider>

#include "ui/MainWindow.h"
#include "ui/PrintSetupDialog.h"

namespace brimvale {

QString dialogFileName(const std::filesystem::path& file)
{
    const std::filesystem::path name = std::filesystem::absolute(file).lexically_normal();
    return QFile::decodeName(QByteArray::fromStdString(name.string()));
}

std::optional<QString> HeadlessWindow::AnsweringDialogs::chooseFile(const FileRequest&)
{
    if (m_answers.empty())
        return std::nullopt;
    QString path = m_answers.front();
    m_answers.pop_front();
    return path;
}

std::optional<DialogBackend::PrinterChoice>
HeadlessWindow::AnsweringDialogs::choosePrinter(QPrinter& printer, const PrinterRequest& request)
{
    if (m_printerAnswers.empty())
        return std::nullopt;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(m_printerAnswers.front());
    m_printerAnswers.pop_front();
    printer.setCopyCount(request.copies);
    printer.setPageOrientation(request.orientation);
    return PrinterChoice{request.copies, request.orientation};
}

void HeadlessWindow::KeptMessages::show(const QString& text, const QString&, Icon)
{
    texts.push_back(text);
}

void HeadlessWindow::KeptFailures::handled(const QString& subject, const RuntimeFailure& failure)
{
    failures.emplace_back(subject, failure);
}

void HeadlessWindow::KeptFailures::noticed(const QString& subject, const QString& notice)
{
    notices.emplace_back(subject, notice);
}

HeadlessWindow::HeadlessWindow()
    : m_window(std::make_unique<MainWindow>(
          PlatformServices{m_dialog, m_messages, m_clipboard, m_pointer, m_failures}))
{
}

HeadlessWindow::~HeadlessWindow() = default;

std::optional<StepProblem> HeadlessWindow::step(const std::function<void()>& action,
                                                const std::function<bool()>& succeeded)
{
    const std::size_t messagesBefore = m_messages.texts.size();
    const std::size_t failuresBefore = m_failures.failures.size();
    action();
    const bool message = m_messages.texts.size() > messagesBefore;
    if (!message && (!succeeded || succeeded()))
        return std::nullopt;
    StepProblem problem;
    if (message)
        problem.message = m_messages.texts[messagesBefore];
    // The first failure handled is the cause; the handlers that a failure path raises may add more.
    if (m_failures.failures.size() > failuresBefore) {
        problem.subject = m_failures.failures[failuresBefore].first;
        problem.failure = m_failures.failures[failuresBefore].second;
    }
    return problem;
}

std::optional<StepProblem> HeadlessWindow::setWidth(int percent)
{
    return step([&] { m_window->Slider1->setValue(percent); });
}

std::optional<StepProblem> HeadlessWindow::setHeight(int percent)
{
    return step([&] { m_window->Slider2->setValue(percent); });
}

std::optional<StepProblem> HeadlessWindow::importData(const std::filesystem::path& file)
{
    m_dialogs.answer(dialogFileName(file));
    return step([&] { m_window->Command1[0]->click(); }, [&] { return m_window->Drawn[0]; });
}

std::optional<StepProblem> HeadlessWindow::importMatrix(const std::filesystem::path& file)
{
    m_dialogs.answer(dialogFileName(file));
    return step([&] { m_window->Command1[1]->click(); }, [&] { return m_window->Drawn[1]; });
}

std::optional<StepProblem> HeadlessWindow::setSmoothing(int level)
{
    return step([&] { m_window->Slider3->setValue(level); });
}

std::optional<StepProblem> HeadlessWindow::type(QLineEdit& box, const QString& text)
{
    return step([&] {
        const QPointF inside(2.0, 2.0);
        QMouseEvent press(QEvent::MouseButtonPress, inside, box.mapToGlobal(inside), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&box, &press);
        box.setText(text);
    });
}

std::optional<StepProblem> HeadlessWindow::typeTop(const QString& text)
{
    return type(*m_window->Text2, text);
}

std::optional<StepProblem> HeadlessWindow::typeBottom(const QString& text)
{
    return type(*m_window->Text1, text);
}

std::optional<StepProblem> HeadlessWindow::calibrate()
{
    return step([&] { m_window->Command2->click(); }, [&] { return m_window->Drawn[2]; });
}

std::optional<StepProblem> HeadlessWindow::saveMatrix(const std::filesystem::path& file)
{
    // The command is there to be chosen only while a section is drawn.
    if (!m_window->SaveMatrix->isEnabled())
        return StepProblem{QStringLiteral("there is no section to save"), {}, {}};
    m_dialogs.answer(dialogFileName(file));
    return step([&] { m_window->SaveMatrix->trigger(); });
}

std::optional<StepProblem> HeadlessWindow::click(const QString& name)
{
    if (auto* button = m_window->findChild<QAbstractButton*>(name); button && button->isEnabled())
        return step([button] { button->click(); });
    if (auto* command = m_window->findChild<QAction*>(name); command && command->isEnabled())
        return step([command] { command->trigger(); });
    return StepProblem{name + QStringLiteral(" is not offered"), {}, {}};
}

std::optional<StepProblem> HeadlessWindow::slide(const QString& name, int value)
{
    auto* slider = m_window->findChild<QSlider*>(name);
    if (!slider || !slider->isEnabled())
        return StepProblem{name + QStringLiteral(" is not offered"), {}, {}};
    return step([slider, value] { slider->setValue(value); });
}

std::optional<StepProblem> HeadlessWindow::rightClick(const QString& name)
{
    auto* box = m_window->findChild<QWidget*>(name);
    if (!box)
        return StepProblem{QStringLiteral("there is no ") + name, {}, {}};
    return step([box] {
        const QPointF inside(2.0, 2.0);
        QMouseEvent press(QEvent::MouseButtonPress, inside, box->mapToGlobal(inside), Qt::RightButton,
                          Qt::RightButton, Qt::NoModifier);
        QApplication::sendEvent(box, &press);
    });
}

std::optional<StepProblem> HeadlessWindow::importResult(const std::filesystem::path& file)
{
    m_dialogs.answer(dialogFileName(file));
    return step([&] { m_window->Command1[2]->click(); }, [&] { return m_window->Drawn[2]; });
}

std::optional<StepProblem> HeadlessWindow::typeTitle(const QString& title)
{
    return step([&] {
        m_window->PrintOptions->trigger();
        PrintSetupDialog* dialog = m_window->findChild<PrintSetupDialog*>();
        dialog->Text5->setText(title);
        dialog->Command1->click();
    });
}

std::optional<StepProblem> HeadlessWindow::print(const std::filesystem::path& file)
{
    m_dialogs.answerPrinter(dialogFileName(file));
    const std::size_t failuresBefore = m_failures.failures.size();
    return step([&] { m_window->Print->trigger(); },
                [&] { return m_failures.failures.size() == failuresBefore; });
}

} // namespace brimvale
