// Reading the profile matrix of the section view from an older-layout Corvane file.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "io/CsvFieldReader.h"
#include "io/ProfileFileReader.h"
#include "support/CorvaneFileBuilder.h"
#include "support/FailureKind.h"
#include "support/ScratchFolder.h"

using namespace brimvale;
using brimvale::test::CorvaneFileBuilder;
using Kind = RuntimeFailure::Kind;

namespace {

constexpr int steps = ProfileMatrix::Steps;

ProfileMatrix readContents(std::string contents)
{
    CsvFieldReader reader(std::move(contents));
    return readProfileFile(reader);
}

std::optional<Kind> failureReading(std::string contents)
{
    return test::failureKind([&] { readContents(std::move(contents)); });
}

// Cell (i, j) of the builder's grid carries both indices, so any misplacement shows.
double encoded(int i, int j)
{
    return i + j / 1000.0;
}

} // namespace

TEST(ProfileFileReaderTest, KeepsTheFileOrderOfEachRow)
{
    test::ScratchFolder folder;
    const auto path = folder.file("profile.csv");
    CorvaneFileBuilder::probabilityMatrix()
        .kindText("Probability")
        .axisValues([](int r) { return 0.5f * r - 20.0f; })
        .cells(encoded)
        .writeTo(path);
    const ProfileMatrix profile = readProfileFile(path);

    EXPECT_EQ(profile.kindText, "Probability");
    // The first cell of file row r is element (r, 0); in the builder's grid it is column 200.
    for (int r = 0; r < steps; ++r) {
        ASSERT_EQ(profile.values[r], 0.5f * r - 20.0f) << "row " << r;
        for (int c = 0; c < steps; ++c)
            ASSERT_EQ(profile(r, c), static_cast<float>(encoded(200 - c, r))) << "element " << r << ", " << c;
    }
}

TEST(ProfileFileReaderTest, ReadsOrRefusesHeadValuesAndFiles)
{
    struct Case {
        const char* name;
        std::string contents;
        std::optional<Kind> failure;
    };
    const std::string valid = CorvaneFileBuilder::probabilityMatrix().contents();
    const auto head = [](int position, NumberOrText value) {
        return CorvaneFileBuilder::confidenceMatrix().headValue(position, value).contents();
    };
    // Values 8 and 9 are strict Singles here, where the calibration reader takes them leniently;
    // values 10 and 11 may be numbers or texts.
    const Case cases[] = {
        {"value 8 quoted number", head(8, NumberOrText::fromText("0.5")), std::nullopt},
        {"value 8 not a number", head(8, NumberOrText::fromText("n/a")), Kind::TypeMismatch},
        {"value 9 empty", head(9, NumberOrText{}), Kind::TypeMismatch},
        {"value 9 beyond a Single", head(9, NumberOrText::fromNumber(1e39)), Kind::Overflow},
        {"value 10 text", head(10, NumberOrText::fromText("95%")), std::nullopt},
        {"value 11 empty", head(11, NumberOrText{}), std::nullopt},
        {"value 3 a number", head(3, NumberOrText::fromNumber(7)), std::nullopt},
        {"newer layout", CorvaneFileBuilder().contents(), Kind::InvalidData},
        {"other first field", CorvaneFileBuilder().firstField("Brimvale output file").contents(),
         Kind::InvalidData},
        {"empty file", "", Kind::ReadPastEnd},
        {"non-numeric cell", CorvaneFileBuilder::probabilityMatrix().cellField(3, 4, "x").contents(),
         Kind::TypeMismatch},
        {"cell beyond a Single", CorvaneFileBuilder::probabilityMatrix().cellField(3, 4, "4e38").contents(),
         Kind::Overflow},
        {"last cell missing", valid.substr(0, valid.rfind(',')), Kind::ReadPastEnd},
        {"cut in the head note", valid.substr(0, 150), Kind::ReadPastEnd},
    };
    for (const Case& c : cases)
        EXPECT_EQ(failureReading(c.contents), c.failure) << c.name;
}
