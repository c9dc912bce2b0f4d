// Writes comma-separated fields: texts in double quotes, numbers bare, CR LF at the end of a line.
#pragma once

#include <string>
#include <string_view>

namespace brimvale {

class CsvFieldWriter {
public:
    // Appends a text field between double quotes, copied unchanged.
    void text(std::string_view value);
    // Appends a field exactly as given (a number already in its text form, or nothing for an empty field).
    void bare(std::string_view value);
    // Ends the line with CR LF; the next field starts a new line.
    void endLine();

    const std::string& contents() const { return m_contents; }
    std::string takeContents() { return std::move(m_contents); }

private:
    void separate();

    std::string m_contents;
    bool m_lineStarted = false;
};

} // namespace brimvale
