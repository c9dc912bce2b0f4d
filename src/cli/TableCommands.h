// brimvale-batch summary and profiles: a result file read back as "Import Brimvale file" reads it,
// written out as a table.
#pragma once

#include <ostream>

#include "cli/BatchArguments.h"
#include "cli/ExitCodes.h"

namespace brimvale {

// The row summary of every section row, to the --out file or to output.
ExitCode runSummary(const TableOptions& options, std::ostream& output, std::ostream& errors);

// Every row's distribution in long form, to the --out file or to output.
ExitCode runProfiles(const TableOptions& options, std::ostream& output, std::ostream& errors);

} // namespace brimvale
