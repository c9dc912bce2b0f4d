// Reading a data file: the titles, the records in file order and the axis ranges rounded outward.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "io/DataFileReader.h"
#include "support/FailureKind.h"
#include "support/ScratchFolder.h"

namespace brimvale {
namespace {

using Kind = RuntimeFailure::Kind;

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
TEST(DataFileReaderTest, ReadsRecordsInFileOrderAndRoundsTheRanges)
{
    struct Case {
        const char* name;
        std::string records; // after the header line
        std::vector<float> y, x;
        float verticalMin, verticalMax, horizontalMin, horizontalMax;
    };
    // clang-format off
    const Case cases[] = {
        // Right: 1.5 + 0.35 goes up to 5; left: -2 - 0.7 goes down to -5.
        {"file order", "30,1.5\r\n10,-2\r\n20,0.25\r\n", {30, 10, 20}, {1.5f, -2, 0.25f}, 10, 35, -5, 5},
        // Right: 300 + 34.5 goes up to 350; left: -45 - 39.5 goes down to -100 by steps of 50.
        {"leading numbers", "12abc,3e2\r\nabc, 12.5 \r\n\"7 m\",-4.5E1x\r\n,\r\n.5,+2.\r\n",
         {12, 0, 7, 0, 0.5f}, {300, 12.5f, -45, 0, 2}, 0, 15, -100, 350},
        // The third field of the first line is the vertical value of the second record.
        {"pairs regardless of lines", "1,2,3\r\n4\r\n5,6\r\n", {1, 3, 5}, {2, 4, 6}, 0, 10, 0, 10},
        {"a single record", "5,7\r\n", {5}, {7}, 5, 10, 5, 10},
        {"a bottom of 100 moves up", "0,10\r\n50,20\r\n100,15\r\n", {0, 50, 100}, {10, 20, 15}, 0, 150, 5,
         25},
        {"steps of 50 from the bottom 350", "-12,0\r\n350,100\r\n", {-12, 350}, {0, 100}, -50, 400, -50, 150},
        // The extremes keep their start values of +-999999 and round with steps of 50000 and 500000.
        {"header only", "", {}, {}, 950000, -950000, 1000000, -1000000},
        {"values beyond 999999", "2000000,-3000000\r\n3000000,-2000000\r\n", {2000000, 3000000},
         {-3000000, -2000000}, 500000, 3500000, -3250000, -750000},
    };
    // clang-format on
    for (const auto& c : cases) {
        const DataFile file = DataFileReader::readContents("\"Depth, cm\",Temperature\r\n" + c.records);
        EXPECT_EQ(file.verticalTitle, "Depth, cm") << c.name;
        EXPECT_EQ(file.horizontalTitle, "Temperature") << c.name;
        EXPECT_EQ(file.y, c.y) << c.name;
        EXPECT_EQ(file.x, c.x) << c.name;
        EXPECT_EQ(file.lastIndex, static_cast<float>(c.y.size()) - 1) << c.name;
        EXPECT_EQ((std::vector{file.verticalMin, file.verticalMax, file.horizontalMin, file.horizontalMax}),
                  (std::vector{c.verticalMin, c.verticalMax, c.horizontalMin, c.horizontalMax}))
            << c.name;
    }
    const DataFile full = DataFileReader::readContents(recordsFile(10001));
    EXPECT_EQ(full.lastIndex, 10000.0f);
    EXPECT_EQ(full.x.back(), 10000.5f);
}

TEST(DataFileReaderTest, FailsOnShortFilesTooManyRecordsAndValuesBeyondASingle)
{
    const test::Failure pastEnd{Kind::ReadPastEnd, "Input past end of file"};
    const test::Failure overflow{Kind::Overflow, "Overflow converting to Single"};
    const std::pair<std::string, test::Failure> cases[] = {
        {"", pastEnd},
        {"Depth\r\n", pastEnd},
        {"D,V\r\n1,2,3\r\n", pastEnd},
        {"D,V\r\n1e39,1\r\n", overflow},
        {"D,V\r\n1,-1e400\r\n", overflow},
        // Both values fit, but the right end plus a tenth of the width does not.
        {"D,V\r\n1,3e38\r\n2,-3e38\r\n", overflow},
        {recordsFile(10002), {Kind::SubscriptOutOfRange, "Subscript out of range: more than 10001 records"}},
        // The surplus pair is read before it is counted, so a file ending inside it fails as a short read.
        {recordsFile(10001) + "7", pastEnd},
    };
    for (const auto& [contents, failure] : cases)
        EXPECT_EQ(test::failureOf([&c = contents] { DataFileReader::readContents(c); }), failure)
            << contents.size();
}

TEST(DataFileReaderTest, ReadsAFileAndAppliesItKeepingEntriesPastTheLastRecord)
{
    const test::ScratchFolder folder;
    const auto path = folder.file("record.csv");
    std::ofstream(path, std::ios::binary) << "Age,Pollen\r\n0,10\r\n100,20\r\n";
    const DataFile file = DataFileReader::readFile(path);
    EXPECT_EQ(file.y, (std::vector<float>{0, 100}));
    EXPECT_EQ(test::failureKind([&] { DataFileReader::readFile(folder.file("missing.csv")); }),
              Kind::FileError);

    DataSeries series;
    std::fill(series.x.begin(), series.x.end(), -7.0f);
    std::fill(series.y.begin(), series.y.end(), -8.0f);
    file.applyTo(series);
    EXPECT_EQ((std::vector{series.y[1], series.x[1], series.y[2], series.x[2]}),
              (std::vector{100.0f, 20.0f, -8.0f, -7.0f}));
    EXPECT_EQ((std::vector{series.lastIndex, series.verticalMin, series.verticalMax, series.horizontalMin,
                           series.horizontalMax}),
              (std::vector{1.0f, 0.0f, 150.0f, 5.0f, 25.0f}));
}

// Up: the next step above for a positive value, the step towards zero for a negative one; down: the
// largest step not above, the step taken from the scale. The step grows at each power of ten.
TEST(DataFileReaderTest, RoundsUpAndDownByTheStepOfTheMagnitude)
{
    // clang-format off
    const std::tuple<float, double> up[] = {
        {0, 0}, {100, 150}, {95, 100}, {-97, -95}, {-95, -95}, {0.5f, 5}, {-0.5f, 0}, {-1001, -1000},
        {-99999, -95000}, {99.9f, 100}, {999, 1000}, {1000, 1500}, {9999, 10000}, {10000, 15000},
        {99999, 100000}, {100000, 150000}, {999999, 1000000}, {1000000, 1500000}, {9999999, 10000000},
        {10000000, 15000000}, {1e9f, 1005000000},
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
