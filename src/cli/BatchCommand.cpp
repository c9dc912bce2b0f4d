// Runs the command a parsed command line names.
#include "cli/BatchCommand.h"

#include "cli/BatchReport.h"
#include "cli/ReconstructCommand.h"
#include "cli/RenderCommand.h"
#include "cli/TableCommands.h"
#include "io/FileTextEncoding.h"

namespace brimvale {

ExitCode runBatchCommand(const BatchArguments& arguments, std::ostream& output, std::ostream& errors)
{
    using Command = BatchArguments::Command;
    switch (arguments.command) {
    case Command::Help:
        output << batchUsage();
        return ExitCode::Success;
    case Command::Version:
        output << batchVersion();
        return ExitCode::Success;
    case Command::Reconstruct:
        return runReconstruct(arguments.reconstruct, errors);
    case Command::Summary:
        return runSummary(arguments.table, output, errors);
    case Command::Profiles:
        return runProfiles(arguments.table, output, errors);
    case Command::Render:
        return runRender(arguments.render, errors);
    }
    return ExitCode::Usage;
}

ExitCode reportUsageError(const std::string& error, std::ostream& errors)
{
    errors << BatchReport::ProgramName << ": " << printableText(error) << '\n' << batchUsage();
    return ExitCode::Usage;
}

} // namespace brimvale
