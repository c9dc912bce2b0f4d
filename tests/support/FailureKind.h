// The kind of the run-time failure an action raises, for tests of failure paths.
#pragma once

#include <optional>

#include "model/RuntimeFailure.h"

namespace brimvale::test {

// The kind of the RuntimeFailure that action raises, or nothing when it completes.
template <typename Action> std::optional<RuntimeFailure::Kind> failureKind(Action&& action)
{
    try {
        action();
    } catch (const RuntimeFailure& failure) {
        return failure.kind();
    }
    return std::nullopt;
}

} // namespace brimvale::test
