// The run-time failure an action raises, for tests of failure paths.
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "model/RuntimeFailure.h"

namespace brimvale::test {

// A failure as a table row states it: its kind and its whole message.
struct Failure {
    RuntimeFailure::Kind kind;
    std::string message;

    bool operator==(const Failure&) const = default;
    friend std::ostream& operator<<(std::ostream& out, const Failure& failure)
    {
        return out << "kind " << static_cast<int>(failure.kind) << " \"" << failure.message << '"';
    }
};

// The failures of a field read: a field that is not a number, and a read past the end of the contents.
inline Failure mismatch(const std::string& field)
{
    return {RuntimeFailure::Kind::TypeMismatch, "Type mismatch in field \"" + field + "\""};
}
inline const Failure pastEnd{RuntimeFailure::Kind::ReadPastEnd, "Input past end of file"};

// The kind and message of the RuntimeFailure that action raises, or nothing when it completes.
template <typename Action> std::optional<Failure> failureOf(Action&& action)
{
    try {
        action();
    } catch (const RuntimeFailure& failure) {
        return Failure{failure.kind(), failure.what()};
    }
    return std::nullopt;
}

// The kind of the RuntimeFailure that action raises, or nothing when it completes.
template <typename Action> std::optional<RuntimeFailure::Kind> failureKind(Action&& action)
{
    const std::optional<Failure> failure = failureOf(std::forward<Action>(action));
    return failure ? std::optional(failure->kind) : std::nullopt;
}

} // namespace brimvale::test
