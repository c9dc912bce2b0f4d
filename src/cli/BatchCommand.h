// Runs the command a parsed command line names.
#pragma once

#include <ostream>

#include "cli/BatchArguments.h"
#include "cli/ExitCodes.h"

namespace brimvale {

// Runs the command: help and version go to output, every failure is a line on errors. Every other
// command runs the main window's steps and needs a running QApplication.
ExitCode runBatchCommand(const BatchArguments& arguments, std::ostream& output, std::ostream& errors);

// Reports a usage error: the error line, then the usage text, on errors.
ExitCode reportUsageError(const std::string& error, std::ostream& errors);

} // namespace brimvale
