// brimvale-batch reconstruct: one or more records against one matrix, each as a fresh window would do it.
#pragma once

#include <ostream>

#include "cli/BatchArguments.h"
#include "cli/ExitCodes.h"

namespace brimvale {

// Reads the matrix once, then reconstructs every record in turn into its files, going on past a failing
// one; each failure is one line on errors. Returns Failure when the matrix or any record failed.
ExitCode runReconstruct(const ReconstructOptions& options, std::ostream& errors);

// The result file written for a record in an output folder, named after the record.
std::filesystem::path resultFileFor(const std::filesystem::path& folder, const std::filesystem::path& record);
// Its summary, written with --summaries.
std::filesystem::path summaryFileFor(const std::filesystem::path& folder,
                                     const std::filesystem::path& record);

} // namespace brimvale
