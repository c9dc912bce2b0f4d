// The exit statuses of brimvale-batch, in one place.
#pragma once

namespace brimvale {

enum class ExitCode : int {
    Success = 0, // everything asked for was written
    Failure = 1, // a file could not be read or written, or a range was invalid
    Usage = 2,   // the command line itself was wrong
};

constexpr int exitStatus(ExitCode code)
{
    return static_cast<int>(code);
}

} // namespace brimvale
