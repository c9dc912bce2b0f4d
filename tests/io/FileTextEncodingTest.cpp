// The encoding rule for texts from files: UTF-8 when the bytes are valid UTF-8, Latin-1 otherwise.
#include <gtest/gtest.h>

#include <string>

#include "io/FileTextEncoding.h"

using namespace brimvale;

TEST(FileTextEncodingTest, DecidesValidityAndText)
{
    struct Case {
        const char* name;
        std::string bytes;
        bool valid;
        std::string text; // UTF-8
    };
    const Case cases[] = {
        {"empty", "", true, ""},
        {"ASCII", "Depth (cm)", true, "Depth (cm)"},
        {"two bytes", "T (\xC2\xB0)", true, "T (\xC2\xB0)"},
        {"four bytes", "\xF0\x9F\x8C\xB2", true, "\xF0\x9F\x8C\xB2"},
        {"largest code point", "\xF4\x8F\xBF\xBF", true, "\xF4\x8F\xBF\xBF"},
        {"non-character is text", "\xEF\xBF\xBE", true, "\xEF\xBF\xBE"},
        // A mark that opens the text is dropped; one further in is kept.
        {"leading mark", "\xEF\xBB\xBFTop", true, "Top"},
        {"inner mark", "a\xEF\xBB\xBF", true, "a\xEF\xBB\xBF"},
        // Anything invalid makes the whole text Latin-1: each high byte becomes two UTF-8 bytes.
        {"Latin-1 degree", "T (\xB0)", false, "T (\xC2\xB0)"},
        {"Latin-1 keeps the mark", "\xEF\xBB\xBF\xFF", false, "\xC3\xAF\xC2\xBB\xC2\xBF\xC3\xBF"},
        {"lone continuation", "\x80", false, "\xC2\x80"},
        {"overlong two bytes", "\xC0\x80", false, "\xC3\x80\xC2\x80"},
        {"overlong three bytes", "\xE0\x80\xAF", false, "\xC3\xA0\xC2\x80\xC2\xAF"},
        {"surrogate", "\xED\xA0\x80", false, "\xC3\xAD\xC2\xA0\xC2\x80"},
        {"above the largest", "\xF4\x90\x80\x80", false, "\xC3\xB4\xC2\x90\xC2\x80\xC2\x80"},
        {"cut short", "ab\xE2\x82", false, "ab\xC3\xA2\xC2\x82"},
        {"broken continuation", "\xC3(", false, "\xC3\x83("},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isValidUtf8(c.bytes), c.valid) << c.name;
        EXPECT_EQ(utf8FromFileBytes(c.bytes), c.text) << c.name;
    }
}
