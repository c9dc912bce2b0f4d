// brimvale-batch: parses the command line and runs the command it names.
#include <QApplication>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/BatchArguments.h"
#include "cli/BatchCommand.h"

namespace {

// Qt's own notes (a runtime folder it had to choose, a font it substituted) are not the tool's errors:
// standard error carries one line per problem of the user's files. Real errors of Qt still appear.
void quietQtNotes(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtDebugMsg || type == QtInfoMsg || type == QtWarningMsg)
        return;
    std::cerr << qPrintable(qFormatLogMessage(type, context, message)) << std::endl;
}

} // namespace

int main(int argc, char* argv[])
{
    using namespace brimvale;
#if defined(__GLIBC__)
    // Every record allocates and frees a few megabytes (a grid, a section, the file's text). By default
    // glibc hands blocks that large back to the system at once, so each record faults its memory in
    // afresh; keeping them makes a batch of records several times faster.
    constexpr int KeptBytes = 256 * 1024 * 1024;
    mallopt(M_MMAP_THRESHOLD, KeptBytes);
    mallopt(M_TRIM_THRESHOLD, KeptBytes);
#endif
    const ParsedArguments parsed = parseBatchArguments(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.arguments)
        return exitStatus(reportUsageError(parsed.error, std::cerr));

    // The commands run the main window's own steps on a window that is never shown: Qt's offscreen
    // platform, whatever the environment asks for, so no display is needed.
    std::unique_ptr<QApplication> application;
    const BatchArguments::Command command = parsed.arguments->command;
    if (command != BatchArguments::Command::Help && command != BatchArguments::Command::Version) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(quietQtNotes);
        application = std::make_unique<QApplication>(argc, argv);
    }
    return exitStatus(runBatchCommand(*parsed.arguments, std::cout, std::cerr));
}
