// Files that are not what they should be: read a chunk at a time as from memory, with no more held than
// a field, a byte-order mark passed over and a quote that never closes refused with its line.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <variant>

#include "io/CorvaneMatrixReader.h"
#include "io/CsvFieldReader.h"
#include "io/ProfileFileReader.h"
#include "io/ResultFileReader.h"
#include "support/FailureKind.h"
#include "support/ScratchFolder.h"

namespace brimvale {
namespace {

using namespace std::string_literals;
using Fields = std::vector<std::string>; // a leading '"' marks a quoted field
using Outcome = std::variant<Fields, test::Failure>;

Outcome fieldsOf(CsvFieldReader reader)
{
    Fields fields;
    try {
        while (!reader.atEnd()) {
            const CsvFieldReader::Field field = reader.nextField();
            fields.push_back(field.quoted ? '"' + field.text : field.text);
        }
    } catch (const RuntimeFailure& failure) {
        return test::Failure{failure.kind(), placedMessage(failure)};
    }
    return fields;
}

// From memory, and from a stream one byte at a time, so that every field and separator spans chunks.
TEST(HostileFilesTest, FieldsReadAlikeFromMemoryAndAChunkAtATime)
{
    const std::pair<std::string, Outcome> cases[] = {
        {"a, b ,\"c,\r\nd\"x ,\r\n\r\n e\r\n", Fields{"a", "b", "\"c,\r\nd", "", "e"}},
        {"\xEF\xBB\xBF\"Corvane output file\",1", Fields{"\"Corvane output file", "1"}},
        {"\r\n\xEF\xBB\xBFx,\xEF\xBB\xBF", Fields{"\xEF\xBB\xBFx", "\xEF\xBB\xBF"}}, // only at the very start
        {"a\r\n\"b\",\r\n\n\"c,d",
         test::Failure{RuntimeFailure::Kind::ReadPastEnd, "line 4: Unmatched double quote"}},
    };
    for (const auto& [contents, expected] : cases) {
        EXPECT_EQ(fieldsOf(CsvFieldReader(contents)), expected) << contents;
        EXPECT_EQ(fieldsOf(CsvFieldReader(std::make_unique<std::istringstream>(contents), "s", {}, 1)),
                  expected)
            << contents;
    }
}

// The peak resident memory of the process after action, less the memory resident before it.
long peakGrowthKiB(const std::function<void()>& action)
{
    const auto resident = [](const char* key) {
        std::ifstream status("/proc/self/status");
        for (std::string line; std::getline(status, line);)
            if (line.starts_with(key))
                return std::stol(line.substr(std::string(key).size()));
        ADD_FAILURE() << "no " << key << " in /proc/self/status";
        return -1L;
    };
    std::ofstream("/proc/self/clear_refs") << "5"; // the peak starts again from what is resident now
    const long before = resident("VmRSS:");
    action();
    return resident("VmHWM:") - before;
}

// A 64 MiB file of NUL bytes, all one field: no reader holds the file, and one that only compares its
// first field keeps no more of it than it compares.
TEST(HostileFilesTest, AHugeFirstFieldIsPassedOverWithoutBeingKept)
{
    const test::ScratchFolder folder;
    const auto path = folder.file("nul.csv");
    std::ofstream(path, std::ios::binary).put('\0');
    std::filesystem::resize_file(path, std::uintmax_t{64} << 20);
    const std::function<void()> readers[] = {
        [&] { EXPECT_THROW(readCorvaneMatrix(path), RuntimeFailure); },
        [&] { EXPECT_THROW(readProfileFile(path), RuntimeFailure); },
        [&] { EXPECT_EQ(readResultFile(path).failure->kind(), RuntimeFailure::Kind::InvalidData); },
    };
    for (const auto& read : readers)
        EXPECT_LT(peakGrowthKiB(read), 16 * 1024);
}

} // namespace
} // namespace brimvale
