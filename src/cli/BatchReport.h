// Error lines and output files of brimvale-batch: one line per problem, naming the file and what was wrong.
#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "model/RuntimeFailure.h"

namespace brimvale {

class BatchReport {
public:
    static constexpr const char* ProgramName = "brimvale-batch";

    explicit BatchReport(std::ostream& errors) : m_errors(errors) {}

    // Writes "brimvale-batch: FILE: PROBLEM" and counts the failure. Bytes a terminal would act on or
    // could not show (control bytes, invalid UTF-8) are written as \xNN.
    void fail(const std::filesystem::path& file, const std::string& problem);

    // Writes "brimvale-batch: FILE: NOTICE" as fail does, without counting it as a failure.
    void notice(const std::filesystem::path& file, const std::string& text);

    int failures() const { return m_failures; }

    // Writes bytes to the file, replacing it only once they are all written; reports a file that
    // cannot be written and returns false.
    bool writeFile(const std::filesystem::path& file, std::string_view bytes);

    // Writes bytes to the file or, without one, to standardOutput; false after reporting a failure.
    bool write(const std::optional<std::filesystem::path>& file, std::string_view bytes,
               std::ostream& standardOutput);

private:
    void writeLine(const std::filesystem::path& file, const std::string& text);

    std::ostream& m_errors;
    int m_failures = 0;
};

// The absolute, normalised form under which two names of one file compare equal.
std::filesystem::path fileIdentity(const std::filesystem::path& path);

// Whether the two names are one file: the same identity, or, when both exist, the same file on disk
// (a link, say).
bool sameFile(const std::filesystem::path& first, const std::filesystem::path& second);

// What was wrong with a file that could not be written, after "cannot be written: ".
std::string writeProblem(const std::filesystem::path& file, const RuntimeFailure& failure);

// What was wrong with a file that a reader could not read: missing, a folder, unreadable, or the
// reader's own account of its contents.
std::string readProblem(const std::filesystem::path& file, const RuntimeFailure& failure);

} // namespace brimvale
