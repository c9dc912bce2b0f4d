// The encoding rule for texts from files: UTF-8 when the bytes are valid UTF-8, Latin-1 otherwise.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "io/FileTextEncoding.h"

namespace brimvale {
namespace {

TEST(FileTextEncodingTest, DecidesValidityAndText)
{
    // A mark that opens valid UTF-8 is dropped, one further in is kept; anything invalid makes the whole
    // text Latin-1, each high byte becoming two UTF-8 bytes.
    const std::tuple<std::string, bool, std::string> cases[] = {
        {"", true, ""},
        {"Depth (cm)", true, "Depth (cm)"},
        {"T (\xC2\xB0)", true, "T (\xC2\xB0)"},
        {"\xF0\x9F\x8C\xB2", true, "\xF0\x9F\x8C\xB2"},
        {"\xF4\x8F\xBF\xBF", true, "\xF4\x8F\xBF\xBF"}, // the largest code point
        {"\xEF\xBF\xBE", true, "\xEF\xBF\xBE"},         // a non-character is text
        {"\xEF\xBB\xBFTop", true, "Top"},
        {"a\xEF\xBB\xBF", true, "a\xEF\xBB\xBF"},
        {"T (\xB0)", false, "T (\xC2\xB0)"},
        {"\xEF\xBB\xBF\xFF", false, "\xC3\xAF\xC2\xBB\xC2\xBF\xC3\xBF"},
        {"\x80", false, "\xC2\x80"},                                     // a lone continuation
        {"\xC0\x80", false, "\xC3\x80\xC2\x80"},                         // overlong, two bytes
        {"\xE0\x80\xAF", false, "\xC3\xA0\xC2\x80\xC2\xAF"},             // overlong, three bytes
        {"\xED\xA0\x80", false, "\xC3\xAD\xC2\xA0\xC2\x80"},             // a surrogate
        {"\xF4\x90\x80\x80", false, "\xC3\xB4\xC2\x90\xC2\x80\xC2\x80"}, // above the largest
        {"ab\xE2\x82", false, "ab\xC3\xA2\xC2\x82"},                     // cut short
        {"\xC3(", false, "\xC3\x83("},                                   // a broken continuation
    };
    for (const auto& [bytes, valid, text] : cases) {
        EXPECT_EQ(isValidUtf8(bytes), valid) << bytes;
        EXPECT_EQ(utf8FromFileBytes(bytes), text) << bytes;
    }
}

} // namespace
} // namespace brimvale
