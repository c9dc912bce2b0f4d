// Splitting the text of a written file into its lines or a line into its fields.
#pragma once

#include <string>
#include <vector>

namespace brimvale::test {

// The parts of text between separators; n separators give n + 1 parts.
inline std::vector<std::string> split(const std::string& text, const std::string& separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(separator, start)) != std::string::npos;
         start = end + separator.size())
        parts.push_back(text.substr(start, end - start));
    parts.push_back(text.substr(start));
    return parts;
}

} // namespace brimvale::test
