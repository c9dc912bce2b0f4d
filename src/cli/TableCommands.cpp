// brimvale-batch summary and profiles: a result file read back as "Import Brimvale file" reads it,
// written out as a table.
#include "cli/TableCommands.h"

#include <functional>

#include "cli/BatchReport.h"
#include "cli/HeadlessWindow.h"
#include "cli/SectionProfiles.h"
#include "cli/SectionSummary.h"
#include "cli/SectionView.h"

namespace brimvale {

namespace {

ExitCode writeTable(const TableOptions& options, std::ostream& output, std::ostream& errors,
                    const std::function<std::string(const SectionView&)>& compose)
{
    BatchReport report(errors);
    if (options.out && !outputSparesInput(options.result, *options.out, report))
        return ExitCode::Failure;
    const std::optional<SectionView> view = readSection(options.result, report);
    if (!view)
        return ExitCode::Failure;
    std::string table;
    try {
        table = compose(*view);
    } catch (const RuntimeFailure& failure) {
        report.fail(options.result, "cannot be listed: " + placedMessage(failure));
        return ExitCode::Failure;
    }
    if (!report.write(options.out, table, output))
        return ExitCode::Failure;
    return ExitCode::Success;
}

} // namespace

std::optional<SectionView> readSection(const std::filesystem::path& result, BatchReport& report)
{
    HeadlessWindow window;
    if (const auto problem = window.importResult(result)) {
        report.fail(result, problem->failure ? readProblem(result, *problem->failure)
                                             : "is not a complete result file");
        return std::nullopt;
    }
    for (const auto& [subject, notice] : window.notices())
        report.notice(result, notice.toStdString());
    return SectionView::fromWindow(window.window());
}

bool outputSparesInput(const std::filesystem::path& result, const std::filesystem::path& output,
                       BatchReport& report)
{
    if (!sameFile(result, output))
        return true;
    report.fail(result, "its output " + output.string() + " would replace the result file itself");
    return false;
}

ExitCode runSummary(const TableOptions& options, std::ostream& output, std::ostream& errors)
{
    return writeTable(options, output, errors, composeSectionSummary);
}

ExitCode runProfiles(const TableOptions& options, std::ostream& output, std::ostream& errors)
{
    return writeTable(options, output, errors, composeSectionProfiles);
}

} // namespace brimvale
