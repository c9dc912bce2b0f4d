// The one run-time failure of the program, caught where a procedure installs its failure path.
#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace brimvale {

class RuntimeFailure : public std::runtime_error {
public:
    enum class Kind {
        DivisionByZero,      // a floating division by zero
        Overflow,            // a conversion overflow or a result that is not finite
        SubscriptOutOfRange, // an index beyond the bounds of an array
        ReadPastEnd,         // reading a field after the end of a file
        TypeMismatch,        // a field that is not a number where a number is required
        FileError,           // a file that cannot be opened, read or written
        Cancelled,           // a dialog the user cancelled
        InvalidData,         // contents a reader refuses (wrong first field, unknown kind)
    };

    RuntimeFailure(Kind kind, const std::string& message) : std::runtime_error(message), m_kind(kind) {}

    Kind kind() const { return m_kind; }

    // Where in its file the failure arose ("line 21, record 20"); empty when the reader did not say.
    const std::string& place() const { return m_place; }
    void setPlace(std::string place) { m_place = std::move(place); }

private:
    Kind m_kind;
    std::string m_place;
};

// The failure in one line: its place, when known, before its message.
inline std::string placedMessage(const RuntimeFailure& failure)
{
    return failure.place().empty() ? std::string(failure.what()) : failure.place() + ": " + failure.what();
}

// Raises the failure; every procedure with a failure path catches exactly this type.
[[noreturn]] inline void raiseFailure(RuntimeFailure::Kind kind, const std::string& message)
{
    throw RuntimeFailure(kind, message);
}

} // namespace brimvale
