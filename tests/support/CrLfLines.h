// Splitting texts into fields and into the CR LF lines of a written file, for tests of written files.
#pragma once

#include <gtest/gtest.h>

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

// The lines of contents that must end every line with CR LF; a bare CR or LF fails the test.
inline std::vector<std::string> crLfLines(const std::string& contents)
{
    EXPECT_TRUE(contents.ends_with("\r\n")) << "the last line ends with CR LF";
    std::vector<std::string> lines = split(contents, "\r\n");
    lines.pop_back();
    for (const std::string& line : lines)
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line.substr(0, 60);
    return lines;
}

} // namespace brimvale::test
