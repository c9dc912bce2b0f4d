// brimvale-batch summary and profiles: a result file read back as "Import Brimvale file" reads it,
// written out as a table.
#pragma once

#include <filesystem>
#include <optional>
#include <ostream>

#include "cli/BatchArguments.h"
#include "cli/BatchReport.h"
#include "cli/ExitCodes.h"
#include "cli/SectionView.h"

namespace brimvale {

// The section of a result file as "Import Brimvale file" leaves a fresh window; nothing, after reporting
// why, when the window abandons the file. What the window passed over is reported as a notice.
std::optional<SectionView> readSection(const std::filesystem::path& result, BatchReport& report);

// False, after reporting it, when output names the result file itself, which writing would destroy.
bool outputSparesInput(const std::filesystem::path& result, const std::filesystem::path& output,
                       BatchReport& report);

// The row summary of every section row, to the --out file or to output.
ExitCode runSummary(const TableOptions& options, std::ostream& output, std::ostream& errors);

// Every row's distribution in long form, to the --out file or to output.
ExitCode runProfiles(const TableOptions& options, std::ostream& output, std::ostream& errors);

} // namespace brimvale
