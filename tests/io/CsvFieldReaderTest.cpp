#include <gtest/gtest.h>

#include <fstream>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "io/CsvFieldReader.h"
#include "support/FailureKind.h"
#include "support/ScratchFolder.h"

using namespace brimvale;
using namespace std::string_literals;
using Kind = RuntimeFailure::Kind;

namespace {

const auto failureOf = [](auto&& action) { return test::failureKind(action); };

// Every field of the contents as text, with a leading '"' marking a quoted one.
std::vector<std::string> allFields(std::string contents)
{
    CsvFieldReader reader(std::move(contents));
    std::vector<std::string> fields;
    while (!reader.atEnd()) {
        const auto field = reader.nextField();
        fields.push_back(field.quoted ? '"' + field.text : field.text);
    }
    EXPECT_EQ(failureOf([&] { reader.nextField(); }), Kind::ReadPastEnd);
    return fields;
}

} // namespace

// Fields are taken in order whatever the lines, and their bytes are kept unchanged.
TEST(CsvFieldReaderTest, SplitsFields)
{
    struct Case {
        const char* name;
        std::string contents;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"commas", "a,b,c", {"a", "b", "c"}},
        {"CR LF lines", "a,b\r\nc,d\r\n", {"a", "b", "c", "d"}},
        {"LF lines", "a,b\nc,d\n", {"a", "b", "c", "d"}},
        {"CR lines", "a,b\rc,d\r", {"a", "b", "c", "d"}},
        {"mixed line ends", "a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        {"LF CR is one separator", "a\n\rb", {"a", "b"}},
        {"blank lines", "a\r\n\r\n\r\nb", {"a", "b"}},
        {"lines of blanks", "a\r\n  \t \r\n\nb", {"a", "b"}},
        {"trailing blank lines", "a,b\r\n\r\n  \r\n", {"a", "b"}},
        {"leading blank lines", "\r\n \r\na", {"a"}},
        {"blanks around unquoted fields", "  a b  ,\tc\t,d ", {"a b", "c", "d"}},
        {"empty fields", "a,,b", {"a", "", "b"}},
        {"leading empty field", ",a", {"", "a"}},
        {"blank field", "a, ,b", {"a", "", "b"}},
        {"comma before a line end", "a,\r\nb", {"a", "", "b"}},
        {"comma before the end", "a,b,", {"a", "b"}},
        {"quoted comma", "\"a,b\",c", {"\"a,b", "c"}},
        {"quoted line ends", "\"x\r\ny\nz\",w", {"\"x\r\ny\nz", "w"}},
        {"quoted blanks kept", "\" a \", \"b\" ", {"\" a ", "\"b"}},
        {"quoted empty", "\"\",x", {"\"", "x"}},
        {"after the closing quote dropped", "\"ab\"cd,e", {"\"ab", "e"}},
        {"doubled quotes are not an escape", "\"\"\"\",x", {"\"", "x"}},
        {"quote inside unquoted field", "ab\"c,d", {"ab\"c", "d"}},
        {"missing closing quote", "a,\"bc,d\r\ne", {"a", "\"bc,d\r\ne"}},
        {"quote as last byte", "a,\"", {"a", "\""}},
        {"NUL bytes", "a\0b,\0,\"\0\""s, {"a\0b"s, "\0"s, "\"\0"s}},
        {"semicolons are text", "1;2,3", {"1;2", "3"}},
        {"high bytes kept", "\xE9t\xE9,\"X: \"", {"\xE9t\xE9", "\"X: "}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(allFields(c.contents), c.expected) << c.name;
}

TEST(CsvFieldReaderTest, FailsReadingPastTheEnd)
{
    for (const std::string contents : {"", " ", "\r\n\r\n", " \t\n"}) {
        CsvFieldReader reader(contents);
        EXPECT_TRUE(reader.atEnd());
        EXPECT_EQ(failureOf([&] { reader.readText(); }), Kind::ReadPastEnd);
        EXPECT_EQ(failureOf([&] { reader.readDouble(); }), Kind::ReadPastEnd);
        EXPECT_EQ(failureOf([&] { reader.readNumericValue(); }), Kind::ReadPastEnd);
    }
    // The file ends inside a record of four.
    CsvFieldReader reader("1,2,3\r\n");
    EXPECT_EQ(reader.readInteger(), 1);
    EXPECT_EQ(reader.readInteger(), 2);
    EXPECT_EQ(reader.readInteger(), 3);
    EXPECT_EQ(failureOf([&] { reader.readInteger(); }), Kind::ReadPastEnd);
    EXPECT_EQ(failureOf([&] { reader.readNumberOrText(); }), Kind::ReadPastEnd);
}

TEST(CsvFieldReaderTest, StrictReadsRoundAndCheckTheTarget)
{
    CsvFieldReader reader("2.5,3.5,-2.5,\" 12 \", 7 ,-32768.5,1E3,2147483647.4,-2147483648.5,1e9\r\n"
                          "0.1,-2.0473,3.4E38,1e-50,1.5E+20,-1e-400,\"2.25\"");
    EXPECT_EQ(reader.readInteger(), 2);
    EXPECT_EQ(reader.readInteger(), 4);
    EXPECT_EQ(reader.readInteger(), -2);
    EXPECT_EQ(reader.readInteger(), 12);
    EXPECT_EQ(reader.readInteger(), 7);
    EXPECT_EQ(reader.readInteger(), -32768);
    EXPECT_EQ(reader.readInteger(), 1000);
    EXPECT_EQ(reader.readLong(), 2147483647);
    EXPECT_EQ(reader.readLong(), -2147483647 - 1);
    EXPECT_EQ(reader.readLong(), 1000000000);
    EXPECT_EQ(reader.readSingle(), 0.1f);
    EXPECT_EQ(reader.readSingle(), -2.0473f);
    EXPECT_EQ(reader.readSingle(), 3.4e38f);
    EXPECT_EQ(reader.readSingle(), 0.0f);
    EXPECT_EQ(reader.readDouble(), 1.5e20);
    EXPECT_EQ(reader.readDouble(), 0.0);
    EXPECT_EQ(reader.readDouble(), 2.25);
    EXPECT_TRUE(reader.atEnd());
}

// Which texts are whole numbers is model/NumericValueTest's; here the kinds each target raises.
TEST(CsvFieldReaderTest, StrictReadsRefuseWhatIsNotANumber)
{
    struct Case {
        std::string field;
        std::optional<Kind> integerFailure;
        std::optional<Kind> singleFailure;
    };
    const Case cases[] = {
        {"abc", Kind::TypeMismatch, Kind::TypeMismatch},
        {"\"\"", Kind::TypeMismatch, Kind::TypeMismatch},
        {"\"12 kg\"", Kind::TypeMismatch, Kind::TypeMismatch},
        {"32767.5", Kind::Overflow, std::nullopt},
        {"-32768.6", Kind::Overflow, std::nullopt},
        {"3.5E38", Kind::Overflow, Kind::Overflow},
        {"1e400", Kind::Overflow, Kind::Overflow},
        {"-1e400", Kind::Overflow, Kind::Overflow},
    };
    for (const auto& c : cases) {
        // The field is the second of its file, so that an empty first field comes before it.
        const std::string contents = "," + c.field;
        CsvFieldReader integerReader(contents);
        integerReader.readText();
        EXPECT_EQ(failureOf([&] { integerReader.readInteger(); }), c.integerFailure) << c.field;
        CsvFieldReader singleReader(contents);
        singleReader.readText();
        EXPECT_EQ(failureOf([&] { singleReader.readSingle(); }), c.singleFailure) << c.field;
    }
    CsvFieldReader reader("2147483647.5,-2147483648.6,,1e400");
    EXPECT_EQ(failureOf([&] { reader.readLong(); }), Kind::Overflow);
    EXPECT_EQ(failureOf([&] { reader.readLong(); }), Kind::Overflow);
    EXPECT_EQ(failureOf([&] { reader.readDouble(); }), Kind::TypeMismatch);
    EXPECT_EQ(failureOf([&] { reader.readDouble(); }), Kind::Overflow);
}

TEST(CsvFieldReaderTest, NumberOrTextIsANumberOnlyWhenUnquotedAndNumeric)
{
    CsvFieldReader reader("95,\"95\",abc, -2.5E1 ,,1e,\"\",12 kg");
    EXPECT_EQ(reader.readNumberOrText(), NumberOrText::fromNumber(95));
    EXPECT_EQ(reader.readNumberOrText(), NumberOrText::fromText("95"));
    EXPECT_EQ(reader.readNumberOrText(), NumberOrText::fromText("abc"));
    EXPECT_EQ(reader.readNumberOrText(), NumberOrText::fromNumber(-25));
    EXPECT_EQ(reader.readNumberOrText(), NumberOrText::fromText(""));
    EXPECT_EQ(reader.readNumberOrText(), NumberOrText::fromText("1e"));
    EXPECT_EQ(reader.readNumberOrText(), NumberOrText::fromText(""));
    EXPECT_EQ(reader.readNumberOrText(), NumberOrText::fromText("12 kg"));
    EXPECT_TRUE(reader.atEnd());

    CsvFieldReader overflowing("1e400");
    EXPECT_EQ(failureOf([&] { overflowing.readNumberOrText(); }), Kind::Overflow);
}

TEST(CsvFieldReaderTest, NumericValueIsLenient)
{
    CsvFieldReader reader("12abc,\"3.5 kg\",abc,,\" -4e2x\",1e400");
    EXPECT_EQ(reader.readNumericValue(), 12.0);
    EXPECT_EQ(reader.readNumericValue(), 3.5);
    EXPECT_EQ(reader.readNumericValue(), 0.0);
    EXPECT_EQ(reader.readNumericValue(), 0.0);
    EXPECT_EQ(reader.readNumericValue(), -400.0);
    EXPECT_EQ(reader.readNumericValue(), std::numeric_limits<double>::infinity());
}

TEST(CsvFieldReaderTest, CopesWithHugeAndMalformedInput)
{
    const std::string longLine(10'000'000, '7');
    CsvFieldReader longField(longLine + "\r\n1");
    EXPECT_EQ(longField.readText().size(), longLine.size());
    EXPECT_EQ(longField.readDouble(), 1.0);

    CsvFieldReader longNumber(longLine);
    EXPECT_EQ(failureOf([&] { longNumber.readDouble(); }), Kind::Overflow);

    CsvFieldReader unclosed("\"" + std::string(10'000'000, ','));
    EXPECT_EQ(unclosed.readText().size(), 10'000'000u);
    EXPECT_TRUE(unclosed.atEnd());

    // Random bytes drawn mostly from the characters that matter to the reader.
    std::mt19937 random(7);
    const std::string alphabet = "\",\r\n \t0123456789.eE+-x\0"s;
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() + 40);
    for (int round = 0; round < 300; ++round) {
        std::string contents;
        for (int i = 0; i < 200; ++i) {
            const std::size_t k = pick(random);
            contents += k < alphabet.size() ? alphabet[k] : static_cast<char>(k * 37 % 256);
        }
        CsvFieldReader reader(contents);
        std::size_t count = 0;
        while (!reader.atEnd()) {
            const auto field = reader.nextField();
            EXPECT_LE(field.text.size(), contents.size());
            ++count;
            ASSERT_LE(count, contents.size() + 1);
        }
    }
}

TEST(CsvFieldReaderTest, ReadsFiles)
{
    const test::ScratchFolder folder;
    const auto path = folder.file("fields.csv");
    std::ofstream(path, std::ios::binary) << "\"Version: \",\"2.5.0\"\r\n,0.5\r\n";
    auto reader = CsvFieldReader::fromFile(path);
    EXPECT_EQ(reader.readText(), "Version: ");
    EXPECT_EQ(reader.readText(), "2.5.0");
    EXPECT_EQ(reader.readText(), "");
    EXPECT_EQ(reader.readSingle(), 0.5f);
    EXPECT_TRUE(reader.atEnd());

    EXPECT_EQ(failureOf([&] { CsvFieldReader::fromFile(folder.file("missing.csv")); }), Kind::FileError);
    EXPECT_EQ(failureOf([&] { CsvFieldReader::fromFile(folder.path()); }), Kind::FileError);
}
