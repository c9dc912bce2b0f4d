// A value that holds a number, a text or nothing yet.
#pragma once

#include <string>

namespace brimvale {

struct NumberOrText {
    enum class Kind { Empty, Number, Text };

    Kind kind = Kind::Empty;
    double number = 0.0;
    std::string text;

    static NumberOrText fromNumber(double value) { return {Kind::Number, value, {}}; }
    static NumberOrText fromText(std::string value) { return {Kind::Text, 0.0, std::move(value)}; }

    bool isEmpty() const { return kind == Kind::Empty; }
    bool isNumber() const { return kind == Kind::Number; }
    bool isText() const { return kind == Kind::Text; }

    bool operator==(const NumberOrText&) const = default;
};

} // namespace brimvale
