// Where the window's failure paths leave the failure they handled, most of them without a message.
#pragma once

#include <QString>

#include "model/RuntimeFailure.h"

namespace brimvale {

// The program itself keeps nothing (its failure paths report to the user only what they show); the
// batch tool names each failure on standard error, and tests read why a step failed.
class FailureLog {
public:
    virtual ~FailureLog() = default;

    // A failure path ran for failure; subject is the file it concerns, or what the window could not use.
    virtual void handled(const QString& subject, const RuntimeFailure& failure) = 0;

    // The window went on past something in the file subject that it leaves unused, as the program
    // does, without a word to the user; nothing is kept by default.
    virtual void noticed(const QString& /*subject*/, const QString& /*notice*/) {}
};

// The log of the running program: nothing is kept.
class DiscardedFailures : public FailureLog {
public:
    void handled(const QString&, const RuntimeFailure&) override {}
};

} // namespace brimvale
