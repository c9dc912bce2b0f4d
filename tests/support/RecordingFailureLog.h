// A failure log that keeps every failure the window handled, to tell why a step failed.
#pragma once

#include <utility>
#include <vector>

#include "ui/FailureLog.h"

namespace brimvale::test {

class RecordingFailureLog : public FailureLog {
public:
    void handled(const QString& subject, const RuntimeFailure& failure) override
    {
        entries.emplace_back(subject, failure);
    }

    std::vector<std::pair<QString, RuntimeFailure>> entries;
};

} // namespace brimvale::test
