// The encoding rule for texts from files: UTF-8 when the bytes are valid UTF-8, Latin-1 otherwise.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "io/FileTextEncoding.h"

namespace brimvale {
namespace {

struct EncodingCase {
    const char* name;
    std::string bytes;
    bool valid;
    std::string text; // UTF-8
};

// Test names carry the case's name instead of its bytes.
void PrintTo(const EncodingCase& c, std::ostream* out)
{
    *out << c.name;
}

class FileTextEncodingTest : public ::testing::TestWithParam<EncodingCase> {};

TEST_P(FileTextEncodingTest, DecidesValidityAndText)
{
    const EncodingCase& c = GetParam();
    EXPECT_EQ(isValidUtf8(c.bytes), c.valid);
    EXPECT_EQ(utf8FromFileBytes(c.bytes), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FileTextEncodingTest,
    ::testing::Values(
        EncodingCase{"Empty", "", true, ""}, EncodingCase{"Ascii", "Depth (cm)", true, "Depth (cm)"},
        EncodingCase{"TwoByte",
                     "T (\xC2\xB0"
                     "C)",
                     true,
                     "T (\xC2\xB0"
                     "C)"},
        EncodingCase{"FourByte", "\xF0\x9F\x8C\xB2", true, "\xF0\x9F\x8C\xB2"},
        EncodingCase{"LargestCodePoint", "\xF4\x8F\xBF\xBF", true, "\xF4\x8F\xBF\xBF"},
        EncodingCase{"NonCharacterIsText", "\xEF\xBF\xBE", true, "\xEF\xBF\xBE"},
        // A mark that opens the text is dropped; one further in is kept.
        EncodingCase{"LeadingMark",
                     "\xEF\xBB\xBF"
                     "Depth",
                     true, "Depth"},
        EncodingCase{"InnerMark", "a\xEF\xBB\xBF", true, "a\xEF\xBB\xBF"},
        // Anything invalid makes the whole text Latin-1: each high byte becomes two UTF-8 bytes.
        EncodingCase{"Latin1Degree",
                     "T (\xB0"
                     "C)",
                     false,
                     "T (\xC2\xB0"
                     "C)"},
        EncodingCase{"Latin1KeepsMark", "\xEF\xBB\xBF\xFF", false, "\xC3\xAF\xC2\xBB\xC2\xBF\xC3\xBF"},
        EncodingCase{"LoneContinuation", "\x80", false, "\xC2\x80"},
        EncodingCase{"OverlongTwoByte", "\xC0\x80", false, "\xC3\x80\xC2\x80"},
        EncodingCase{"OverlongThreeByte", "\xE0\x80\xAF", false, "\xC3\xA0\xC2\x80\xC2\xAF"},
        EncodingCase{"Surrogate", "\xED\xA0\x80", false, "\xC3\xAD\xC2\xA0\xC2\x80"},
        EncodingCase{"AboveLargest", "\xF4\x90\x80\x80", false, "\xC3\xB4\xC2\x90\xC2\x80\xC2\x80"},
        EncodingCase{"CutShort", "ab\xE2\x82", false, "ab\xC3\xA2\xC2\x82"},
        EncodingCase{"BrokenContinuation", "\xC3(", false, "\xC3\x83("}),
    [](const ::testing::TestParamInfo<EncodingCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace brimvale
