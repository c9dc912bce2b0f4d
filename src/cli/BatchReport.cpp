// Error lines and output files of brimvale-batch: one line per problem, naming the file and what was wrong.
#include "cli/BatchReport.h"

#include <system_error>

#include "io/FileTextEncoding.h"
#include "io/ResultFileWriter.h"

namespace brimvale {

// The writer's message names the file itself; the line names it once, in front.
std::string writeProblem(const std::filesystem::path& file, const RuntimeFailure& failure)
{
    const std::string message = failure.what();
    const std::string prefix = "Cannot save " + file.string() + ": ";
    if (message.rfind(prefix, 0) == 0)
        return "cannot be written: " + message.substr(prefix.size());
    return "cannot be written: " + message;
}

void BatchReport::writeLine(const std::filesystem::path& file, const std::string& text)
{
    // File names and the fields quoted in messages come from files: a terminal must not act on them.
    m_errors << ProgramName << ": " << printableText(file.string()) << ": " << printableText(text) << '\n';
    m_errors.flush();
}

void BatchReport::fail(const std::filesystem::path& file, const std::string& problem)
{
    writeLine(file, problem);
    ++m_failures;
}

void BatchReport::notice(const std::filesystem::path& file, const std::string& text)
{
    writeLine(file, text);
}

std::filesystem::path fileIdentity(const std::filesystem::path& path)
{
    return std::filesystem::absolute(path).lexically_normal();
}

bool sameFile(const std::filesystem::path& first, const std::filesystem::path& second)
{
    std::error_code error;
    return fileIdentity(first) == fileIdentity(second) || std::filesystem::equivalent(first, second, error);
}

bool BatchReport::writeFile(const std::filesystem::path& file, std::string_view bytes)
{
    try {
        writeResultFile(file, bytes);
    } catch (const RuntimeFailure& failure) {
        fail(file, writeProblem(file, failure));
        return false;
    }
    return true;
}

bool BatchReport::write(const std::optional<std::filesystem::path>& file, std::string_view bytes,
                        std::ostream& standardOutput)
{
    if (file)
        return writeFile(*file, bytes);
    standardOutput.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    standardOutput.flush();
    if (!standardOutput) {
        fail("standard output", "cannot be written");
        return false;
    }
    return true;
}

std::string readProblem(const std::filesystem::path& file, const RuntimeFailure& failure)
{
    if (failure.kind() == RuntimeFailure::Kind::FileError) {
        std::error_code error;
        if (!std::filesystem::exists(file, error))
            return "no such file";
        if (std::filesystem::is_directory(file, error))
            return "is a folder, not a file";
        return "cannot be read";
    }
    return placedMessage(failure);
}

} // namespace brimvale
