// Comma-separated fields: reading (separators, quotes, typed reads and their failures) and writing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <variant>
#include <vector>

#include "io/CsvFieldReader.h"
#include "io/CsvFieldWriter.h"
#include "support/FailureKind.h"
#include "support/ScratchFolder.h"

namespace brimvale {
namespace {

using namespace std::string_literals;
using Kind = RuntimeFailure::Kind;
using test::Failure;

// Every field of the contents as text, with a leading '"' marking a quoted one; then a read past the end.
std::vector<std::string> allFields(std::string contents)
{
    CsvFieldReader reader(std::move(contents));
    std::vector<std::string> fields;
    while (!reader.atEnd()) {
        const auto field = reader.nextField();
        fields.push_back(field.quoted ? '"' + field.text : field.text);
    }
    EXPECT_EQ(test::failureOf([&] { reader.nextField(); }),
              (Failure{Kind::ReadPastEnd, "Input past end of file"}));
    return fields;
}

// Fields are taken in order whatever the lines, and their bytes are kept unchanged.
TEST(CsvFieldReaderTest, SplitsFields)
{
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"", {}},
        {" \t\r\n\r\n", {}},
        {"a,b\r\nc,d\r\n", {"a", "b", "c", "d"}},
        {"a\r\nb\nc\rd\n\re", {"a", "b", "c", "d", "e"}},       // every line end, and LF CR as one
        {"\r\n \r\na\r\n\r\n  \t \r\n\nb\r\n\r\n", {"a", "b"}}, // blank lines anywhere
        {"  a b  ,\tc\t,d ", {"a b", "c", "d"}},                // blanks around unquoted fields
        {",a,,b, ,\r\nc,", {"", "a", "", "b", "", "", "c"}},    // empty fields; a comma before the end
        {"\"a,b\",\"x\r\ny\",\" a \", \"b\" ", {"\"a,b", "\"x\r\ny", "\" a ", "\"b"}},
        {"\"\",\"ab\"cd,\"\"\"\",e", {"\"", "\"ab", "\"", "e"}}, // no escape; after the quote dropped
        {"ab\"c,d", {"ab\"c", "d"}},                             // a quote inside an unquoted field
        {"a\0b,\0,\"\0\",1;2,\xE9t\xE9"s, {"a\0b"s, "\0"s, "\"\0"s, "1;2", "\xE9t\xE9"}},
        {std::string(10'000'000, '7') + "\r\n1", {std::string(10'000'000, '7'), "1"}},
    };
    for (const auto& [contents, expected] : cases)
        EXPECT_EQ(allFields(contents), expected) << contents.substr(0, 40);
}

enum class Read { Integer, Long, Single, Double, NumberOrText, NumericValue };
using Outcome = std::variant<double, NumberOrText, Failure>;

// The first field of contents read the given way, or the failure.
Outcome readFirst(Read read, const std::string& contents)
{
    CsvFieldReader reader(contents);
    try {
        // clang-format off
        switch (read) {
        case Read::Integer: return static_cast<double>(reader.readInteger());
        case Read::Long: return static_cast<double>(reader.readLong());
        case Read::Single: return reader.readSingle();
        case Read::Double: return reader.readDouble();
        case Read::NumberOrText: return reader.readNumberOrText();
        case Read::NumericValue: return reader.readNumericValue();
        }
        // clang-format on
    } catch (const RuntimeFailure& failure) {
        return Failure{failure.kind(), failure.what()};
    }
    return {};
}

// Strict reads take the whole field as a number (which texts are numbers is model/NumericValueTest's),
// round integers half to even and fail beyond the target's range.
TEST(CsvFieldReaderTest, TypedReads)
{
    const auto mismatch = [](const std::string& field) {
        return Failure{Kind::TypeMismatch, "Type mismatch in field \"" + field + "\""};
    };
    const Failure pastEnd{Kind::ReadPastEnd, "Input past end of file"};
    const auto overflow = [](const std::string& target) {
        return Failure{Kind::Overflow, "Overflow " + target};
    };
    // clang-format off
    const std::tuple<Read, std::string, Outcome> cases[] = {
        {Read::Integer, "3.5,1", 4.0}, {Read::Integer, "\" 12 \"", 12.0}, {Read::Integer, " 7 \r\n", 7.0},
        {Read::Integer, "32767.5", overflow("converting to Integer")},
        {Read::Integer, "abc", mismatch("abc")}, {Read::Integer, "\"12 kg\"", mismatch("12 kg")},
        {Read::Integer, ",1", mismatch("")}, {Read::Integer, "\r\n", pastEnd},
        {Read::Long, "-2147483648.5", -2147483648.0},
        {Read::Long, "2147483647.5", overflow("converting to Long")}, {Read::Long, "", pastEnd},
        {Read::Single, "0.1", 0.1f}, {Read::Single, "3.5E38", overflow("converting to Single")},
        {Read::Single, "1e400", overflow("in field \"1e400\"")}, {Read::Double, "\"2.25\"", 2.25},
        {Read::Double, "-1e-400", 0.0}, {Read::Double, "\"\"", mismatch("")},
        {Read::Double, std::string(10'000'000, '7'),
         overflow("in field \"" + std::string(40, '7') + "...\"")},
        {Read::NumberOrText, " -2.5E1 ", NumberOrText::fromNumber(-25)},
        {Read::NumberOrText, "\"95\"", NumberOrText::fromText("95")},
        {Read::NumberOrText, "1e", NumberOrText::fromText("1e")},
        {Read::NumberOrText, ",", NumberOrText::fromText("")},
        {Read::NumberOrText, "1e400", overflow("in field \"1e400\"")}, {Read::NumberOrText, " ", pastEnd},
        {Read::NumericValue, "\" -4e2x\"", -400.0}, {Read::NumericValue, "abc", 0.0},
        {Read::NumericValue, "1e400", std::numeric_limits<double>::infinity()},
        {Read::NumericValue, "", pastEnd},
    };
    // clang-format on
    for (const auto& [read, contents, expected] : cases)
        EXPECT_EQ(readFirst(read, contents), expected)
            << static_cast<int>(read) << " " << contents.substr(0, 40);
}

TEST(CsvFieldReaderTest, ReadsFiles)
{
    const test::ScratchFolder folder;
    const auto path = folder.file("fields.csv");
    std::ofstream(path, std::ios::binary) << "\"Version: \",\"2.5.0\"\r\n,0.5\r\n";
    EXPECT_EQ(CsvFieldReader::fromFile(path).readText(), "Version: ");
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

TEST(CsvFieldWriterTest, QuotesTextsWritesNumbersBareAndEndsLinesWithCrLf)
{
    CsvFieldWriter writer;
    writer.text("Confidence coefficient1 (%):");
    writer.value(NumberOrText::fromNumber(95));
    writer.value(NumberOrText::fromText("95"));
    writer.value(NumberOrText{});
    writer.endLine();
    writer.text("a \"b\", c"); // copied as it is, the quote inside not escaped
    writer.integer(-200);
    writer.endLine();
    // A Single takes seven digits, a Double fifteen.
    writer.bare("");
    writer.number(1.0f / 3.0f);
    writer.number(1.0 / 3.0);
    writer.endLine();
    EXPECT_EQ(writer.contents(), "\"Confidence coefficient1 (%):\",95,\"95\",\r\n"
                                 "\"a \"b\", c\",-200\r\n"
                                 ",0.3333333,0.333333333333333\r\n");
}

} // namespace
} // namespace brimvale
