// Writes comma-separated fields: texts in double quotes, numbers bare, CR LF at the end of a line.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "model/NumberOrText.h"

namespace brimvale {

class CsvFieldWriter {
public:
    // Appends a text field between double quotes, copied unchanged (a quote inside is not escaped).
    void text(std::string_view value);
    // Appends a field exactly as given (a number already in its text form, or nothing for an empty field).
    void bare(std::string_view value);
    // Appends a 32-bit float in the result file's form.
    void number(float value);
    // Appends a 64-bit float in the result file's form.
    void number(double value);
    // Appends an integer as plain decimal digits.
    void integer(std::int32_t value);
    // Appends a number bare (as a 64-bit float), a text quoted, and nothing at all for an empty value.
    void value(const NumberOrText& value);
    // Ends the line with CR LF; the next field starts a new line.
    void endLine();

    // Makes room for bytes of contents in one go, sparing a long file repeated regrowth.
    void reserve(std::size_t bytes) { m_contents.reserve(bytes); }

    const std::string& contents() const { return m_contents; }
    std::string takeContents() { return std::move(m_contents); }

    // Writes the contents to path, replacing any file there; raises FileError when that fails.
    void saveTo(const std::filesystem::path& path) const;

private:
    void separate();

    std::string m_contents;
    bool m_lineStarted = false;
};

} // namespace brimvale
