// Texts from files: comma-separated fields read and written, and the encoding rule for a file's texts.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <tuple>
#include <variant>
#include <vector>

#include "io/CsvFieldReader.h"
#include "io/CsvFieldWriter.h"
#include "io/FileTextEncoding.h"
#include "support/FailureKind.h"
#include "support/ScratchFolder.h"

namespace brimvale {
namespace {

using namespace std::string_literals;
using Kind = RuntimeFailure::Kind;
using test::Failure;
using test::mismatch;
using test::pastEnd;
using T = NumberOrText;

// Every field of the contents as text, with a leading '"' marking a quoted one; then a read past the end.
std::vector<std::string> allFields(std::string contents)
{
    CsvFieldReader reader(std::move(contents));
    std::vector<std::string> fields;
    while (!reader.atEnd()) {
        const auto field = reader.nextField();
        fields.push_back(field.quoted ? '"' + field.text : field.text);
    }
    EXPECT_EQ(test::failureOf([&] { reader.nextField(); }), pastEnd);
    return fields;
}

// Fields are taken in order whatever the lines, and their bytes are kept unchanged.
TEST(CsvFieldReaderTest, SplitsFields)
{
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"a\r\nb\nc\rd\n\re", {"a", "b", "c", "d", "e"}},       // every line end, and LF CR as one
        {"\r\n \r\na\r\n\r\n  \t \r\n\nb\r\n\r\n", {"a", "b"}}, // blank lines anywhere
        {"  a b  ,\tc\t,d ", {"a b", "c", "d"}},                // blanks around unquoted fields
        {",a,,b, ,\r\nc,", {"", "a", "", "b", "", "", "c"}},    // empty fields; a comma before the end
        {"\"a,b\",\"x\r\ny\",\" a \", \"b\" ", {"\"a,b", "\"x\r\ny", "\" a ", "\"b"}},
        {"\"\",\"ab\"cd,\"\"\"\",e", {"\"", "\"ab", "\"", "e"}}, // no escape; after the quote dropped
        {"ab\"c,d", {"ab\"c", "d"}},                             // a quote inside an unquoted field
        {"a\0b,\0,\"\0\",1;2,\xE9t\xE9"s, {"a\0b"s, "\0"s, "\"\0"s, "1;2", "\xE9t\xE9"}},
    };
    for (const auto& [contents, expected] : cases)
        EXPECT_EQ(allFields(contents), expected) << contents.substr(0, 40);
}

using Outcome = std::variant<double, NumberOrText, Failure>;
using Read = Outcome (*)(CsvFieldReader&);
const Read integer = [](CsvFieldReader& r) -> Outcome { return static_cast<double>(r.readInteger()); };
const Read single = [](CsvFieldReader& r) -> Outcome { return r.readSingle(); };
const Read doubleValue = [](CsvFieldReader& r) -> Outcome { return r.readDouble(); };
const Read numberOrText = [](CsvFieldReader& r) -> Outcome { return r.readNumberOrText(); };
const Read numericValue = [](CsvFieldReader& r) -> Outcome { return r.readNumericValue(); };

// Strict reads take the whole field as a number (which texts are numbers is model/NumericValueTest's),
// round integers half to even and fail beyond the target's range.
TEST(CsvFieldReaderTest, TypedReads)
{
    const auto overflow = [](const std::string& what) { return Failure{Kind::Overflow, "Overflow " + what}; };
    // clang-format off
    const std::tuple<Read, std::string, Outcome> cases[] = {
        {integer, "3.5,1", 4.0}, {integer, "\" 12 \"", 12.0}, {integer, "abc", mismatch("abc")},
        {integer, "32767.5", overflow("converting to Integer")}, {integer, "\"12 kg\"", mismatch("12 kg")},
        {integer, ",1", mismatch("")}, {integer, "\r\n", pastEnd}, {single, "0.1", 0.1f},
        {single, "3.5E38", overflow("converting to Single")}, {doubleValue, "\"2.25\"", 2.25},
        {single, "1e400", overflow("in field \"1e400\"")}, {doubleValue, "\"\"", mismatch("")},
        {doubleValue, std::string(10'000'000, '7'), overflow("in field \"" + std::string(40, '7') + "...\"")},
        {numberOrText, " -2.5E1 ", T::fromNumber(-25)}, {numberOrText, "\"95\"", T::fromText("95")},
        {numberOrText, ",", T::fromText("")}, {numberOrText, "1e400", overflow("in field \"1e400\"")},
        {numberOrText, " ", pastEnd}, {numericValue, "\" -4e2x\"", -400.0}, {numericValue, "abc", 0.0},
        {numericValue, "", pastEnd},
    };
    // clang-format on
    for (const auto& [read, contents, expected] : cases) {
        CsvFieldReader reader(contents);
        std::optional<Outcome> outcome;
        const std::optional<Failure> failure = test::failureOf([&, &r = read] { outcome = r(reader); });
        EXPECT_EQ(failure ? Outcome(*failure) : *outcome, expected) << contents.substr(0, 40);
    }
}

TEST(CsvFieldReaderTest, ReadsFiles)
{
    const test::ScratchFolder folder;
    const auto missing = folder.file("missing.csv");
    EXPECT_EQ(test::failureOf([&] { CsvFieldReader::fromFile(missing); }),
              (Failure{Kind::FileError, "Cannot open " + missing.string()}));
    EXPECT_EQ(test::failureOf([&] { CsvFieldReader::fromFile(folder.path()); }),
              (Failure{Kind::FileError, "Cannot read the folder " + folder.path().string()}));
    // A sparse file just over 1 GiB costs no disk space and is refused before any of it is read.
    const auto large = folder.file("large.csv");
    std::ofstream(large, std::ios::binary) << "1,2";
    std::filesystem::resize_file(large, (std::uintmax_t{1} << 30) + 1);
    EXPECT_EQ(test::failureOf([&] { CsvFieldReader::fromFile(large); }),
              (Failure{Kind::InvalidData, large.string() + " is larger than 1 GiB, too large to read"}));
}

// Texts are quoted and copied as they are (a quote inside is not escaped); a Single takes seven digits,
// a Double fifteen.
TEST(CsvFieldWriterTest, QuotesTextsWritesNumbersBareAndEndsLinesWithCrLf)
{
    CsvFieldWriter writer;
    writer.text("a \"b\", c");
    for (const T& value : {T::fromNumber(95), T::fromText("95"), T{}})
        writer.value(value);
    writer.endLine();
    writer.bare("");
    writer.integer(-200);
    writer.number(1.0f / 3.0f);
    writer.number(1.0 / 3.0);
    writer.endLine();
    EXPECT_EQ(writer.contents(), "\"a \"b\", c\",95,\"95\",\r\n,-200,0.3333333,0.333333333333333\r\n");
}

// UTF-8 when the bytes are valid UTF-8, Latin-1 otherwise: a mark that opens valid UTF-8 is dropped, one
// further in is kept; anything invalid makes the whole text Latin-1, each high byte two UTF-8 bytes.
TEST(FileTextEncodingTest, DecidesValidityAndText)
{
    const std::tuple<std::string, bool, std::string> cases[] = {
        {"T (\xC2\xB0)", true, "T (\xC2\xB0)"},
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
