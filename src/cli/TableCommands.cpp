// brimvale-batch summary and profiles: a result file read back as "Import Brimvale file" reads it,
// written out as a table.
#include "cli/TableCommands.h"

#include <functional>

#include "cli/BatchReport.h"
#include "cli/SectionProfiles.h"
#include "cli/SectionSummary.h"
#include "cli/SectionView.h"

namespace brimvale {

namespace {

ExitCode writeTable(const TableOptions& options, std::ostream& output, std::ostream& errors,
                    const std::function<std::string(const SectionView&)>& compose)
{
    BatchReport report(errors);
    SectionView view;
    try {
        view = SectionView::fromResultFile(options.result);
    } catch (const RuntimeFailure& failure) {
        report.fail(options.result, readProblem(options.result, failure));
        return ExitCode::Failure;
    }
    if (!report.write(options.out, compose(view), output))
        return ExitCode::Failure;
    return ExitCode::Success;
}

} // namespace

ExitCode runSummary(const TableOptions& options, std::ostream& output, std::ostream& errors)
{
    return writeTable(options, output, errors, composeSectionSummary);
}

ExitCode runProfiles(const TableOptions& options, std::ostream& output, std::ostream& errors)
{
    return writeTable(options, output, errors, composeSectionProfiles);
}

} // namespace brimvale
