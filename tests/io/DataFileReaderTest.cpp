// Reading a data file: the titles, the records in file order and the axis ranges rounded outward.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "io/DataFileReader.h"
#include "support/FailureKind.h"

namespace brimvale {
namespace {

using Kind = RuntimeFailure::Kind;
using Values = std::vector<float>;
constexpr float u = -777.0f; // an entry the records must leave untouched

// A header, then n records (k, k + 0.5).
std::string recordsFile(int n)
{
    std::string contents = "Depth,Value\r\n";
    for (int k = 0; k < n; ++k)
        contents += std::to_string(k) + "," + std::to_string(k) + ".5\r\n";
    return contents;
}

// The ranges round outward by a step of 5 below 100, 50 below 1000, and so on by powers of ten: the
// vertical range from its extremes (a multiple moves up a step at the bottom), the horizontal one after
// a tenth of its width is added at the right end and a tenth of the widened width at the left end.
// Applied to a series, the records fill its first entries and the entries after them keep what they held.
TEST(DataFileReaderTest, ReadsRecordsInFileOrderAndRoundsTheRanges)
{
    struct Case {
        const char* name;
        std::string records; // after the header line
        Values y, x;         // up to the first entry after the records
        float verticalMin, verticalMax, horizontalMin, horizontalMax;
    };
    // clang-format off
    const Case cases[] = {
        // Right: 1.5 + 0.35 goes up to 5; left: -2 - 0.7 goes down to -5.
        {"order", "30,1.5\r\n10,-2\r\n20,0.25\r\n", {30, 10, 20, u}, {1.5f, -2, 0.25f, u}, 10, 35, -5, 5},
        // Right: 300 + 34.5 goes up to 350; left: -45 - 39.5 goes down to -100 by steps of 50.
        {"leading numbers", "12abc,3e2\r\nabc, 12.5 \r\n\"7 m\",-4.5E1x\r\n,\r\n.5,+2.\r\n",
         {12, 0, 7, 0, 0.5f, u}, {300, 12.5f, -45, 0, 2, u}, 0, 15, -100, 350},
        // The third field of the first line is the vertical value of the second record.
        {"pairs regardless of lines", "1,2,3\r\n4\r\n5,6\r\n", {1, 3, 5, u}, {2, 4, 6, u}, 0, 10, 0, 10},
        {"a single record", "5,7\r\n", {5, u}, {7, u}, 5, 10, 5, 10},
        // The extremes keep their start values of +-999999 and round with steps of 50000 and 500000.
        {"header only", "", {u}, {u}, 950000, -950000, 1000000, -1000000},
    };
    // clang-format on
    for (const auto& c : cases) {
        const DataFile file = DataFileReader::readContents("\"Depth, cm\",Temperature\r\n" + c.records);
        EXPECT_EQ(file.verticalTitle + "|" + file.horizontalTitle, "Depth, cm|Temperature") << c.name;
        DataSeries series;
        series.x.assign(DataSeries::Capacity, u);
        series.y.assign(DataSeries::Capacity, u);
        file.applyTo(series);
        const auto end = static_cast<std::ptrdiff_t>(c.y.size());
        EXPECT_EQ(Values(series.y.begin(), series.y.begin() + end), c.y) << c.name;
        EXPECT_EQ(Values(series.x.begin(), series.x.begin() + end), c.x) << c.name;
        EXPECT_EQ((Values{series.lastIndex, series.verticalMin, series.verticalMax, series.horizontalMin,
                          series.horizontalMax}),
                  (Values{static_cast<float>(end) - 2, c.verticalMin, c.verticalMax, c.horizontalMin,
                          c.horizontalMax}))
            << c.name;
    }
    const DataFile full = DataFileReader::readContents(recordsFile(10001));
    EXPECT_EQ(full.lastIndex, 10000.0f);
    EXPECT_EQ(full.x.back(), 10000.5f);
}

TEST(DataFileReaderTest, FailsOnShortFilesTooManyRecordsAndValuesBeyondASingle)
{
    const test::Failure overflow{Kind::Overflow, "Overflow converting to Single"};
    const std::pair<std::string, test::Failure> cases[] = {
        {"Depth\r\n", test::pastEnd},
        {"D,V\r\n1,2,3\r\n", test::pastEnd},
        {"D,V\r\n1e39,1\r\n", overflow},
        // Both values fit, but the right end plus a tenth of the width does not.
        {"D,V\r\n1,3e38\r\n2,-3e38\r\n", overflow},
        {recordsFile(10002), {Kind::SubscriptOutOfRange, "Subscript out of range: more than 10001 records"}},
        // The surplus pair is read before it is counted, so a file ending inside it fails as a short read.
        {recordsFile(10001) + "7", test::pastEnd},
    };
    for (const auto& [contents, failure] : cases)
        EXPECT_EQ(test::failureOf([&c = contents] { DataFileReader::readContents(c); }), failure)
            << contents.size();
}

// Up: the next step above for a positive value, the step towards zero for a negative one; down: the
// largest step not above, the step taken from the scale. The step grows at each power of ten.
TEST(DataFileReaderTest, RoundsUpAndDownByTheStepOfTheMagnitude)
{
    // clang-format off
    const std::tuple<float, double> up[] = {
        {0, 0}, {100, 150}, {95, 100}, {-97, -95}, {-95, -95}, {0.5f, 5}, {-0.5f, 0}, {-1001, -1000},
        {-99999, -95000}, {99.9f, 100}, {999, 1000}, {1000, 1500}, {999999, 1000000}, {1000000, 1500000},
        {9999999, 10000000}, {10000000, 15000000}, {1e9f, 1005000000},
    };
    const std::tuple<float, float, double> down[] = {
        {0, 100, 0}, {8.5f, 26.5f, 5}, {-12, 350, -50}, {100, 99, 100}, {-1, 5, -5}, {12, 1000, 0},
        {7, -2000, 0}, {12345, 0, 12345}, {1250, 1e7f, 0}, {-1250, 1e7f, -5000000}, {999999, 3000000, 500000},
        {123456, 123456, 100000},
    };
    // clang-format on
    for (const auto& [value, expected] : up)
        EXPECT_EQ(roundUpNice(value), expected) << value;
    for (const auto& [value, scale, expected] : down)
        EXPECT_EQ(roundDownNice(value, scale), expected) << value << " " << scale;
}

} // namespace
} // namespace brimvale
