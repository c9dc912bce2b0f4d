#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "io/DataFileReader.h"
#include "support/FailureKind.h"
#include "support/ScratchFolder.h"

using namespace brimvale;
using Kind = RuntimeFailure::Kind;
using test::failureKind;

namespace {

// n records (k, k + 0.5) after a header.
std::string recordsFile(int n)
{
    std::string contents = "Depth,Value\r\n";
    for (int k = 0; k < n; ++k)
        contents += std::to_string(k) + "," + std::to_string(k) + ".5\r\n";
    return contents;
}

} // namespace

TEST(DataFileReaderTest, RoundsTheRangesOutward)
{
    struct Case {
        const char* name;
        std::string contents;
        float verticalMin, verticalMax, horizontalMin, horizontalMax;
    };
    const Case cases[] = {
        // Vertical: RoundDownNice(0, 100) = 0 and RoundUpNice(100) = 150 (a multiple moves up a step).
        // Horizontal: RoundUpNice(20 + 1) = 25; r = 15, RoundDownNice(8.5, 26.5) = 5.
        {"vertical 0 to 100, horizontal 10 to 20", "D,V\r\n0,10\r\n50,20\r\n100,15\r\n", 0, 150, 5, 25},
        // Vertical with step 50 from the bottom 350: Int(-12 / 50) * 50 = -50; 350 moves up to 400.
        // Horizontal: RoundUpNice(110) = 150; r = 150, RoundDownNice(-15, 165) = -50.
        {"vertical -12 to 350, horizontal 0 to 100", "D,V\r\n-12,0\r\n350,100\r\n", -50, 400, -50, 150},
        // One record: RoundUpNice(7) = 10; r = 3, RoundDownNice(6.7, 10.3) = 5; 5 moves up to 10.
        {"a single record", "D,V\r\n5,7\r\n", 5, 10, 5, 10},
        // The extremes keep their start values of +-999999. Horizontal: RoundUpNice(-1199998.8) with
        // step 500000 is Fix(-2.4) * 500000; r = -1999999, RoundDownNice(1199998.9, -1199999.9) =
        // 2 * 500000. Vertical: step 50000 from |999999|: Int(19.99998) and Fix(-19.99998) steps.
        {"header only", "Depth,Value\r\n", 950000, -950000, 1000000, -1000000},
        // No vertical value is below 999999 and no horizontal value above -999999, so those extremes
        // stay. Vertical: step 500000 from 3000000: 999999 goes down to 500000, 3000000 up to 3500000.
        // Horizontal: RoundUpNice(-799998.9) = -15 * 50000; r = 2250000, RoundDownNice(-3225000,
        // -525000) = -65 * 50000.
        {"values beyond 999999", "D,V\r\n2000000,-3000000\r\n3000000,-2000000\r\n", 500000, 3500000, -3250000,
         -750000},
    };
    for (const auto& c : cases) {
        const DataFile file = DataFileReader::readContents(c.contents);
        EXPECT_EQ(file.verticalMin, c.verticalMin) << c.name;
        EXPECT_EQ(file.verticalMax, c.verticalMax) << c.name;
        EXPECT_EQ(file.horizontalMin, c.horizontalMin) << c.name;
        EXPECT_EQ(file.horizontalMax, c.horizontalMax) << c.name;
    }
}

TEST(DataFileReaderTest, ReadsRecordsInFileOrderFromTheLeadingNumbers)
{
    struct Case {
        const char* name;
        std::string records; // after the header line
        std::vector<float> y, x;
    };
    const Case cases[] = {
        {"file order", "30,1.5\r\n10,-2\r\n20,0.25\r\n", {30, 10, 20}, {1.5f, -2, 0.25f}},
        {"leading numbers",
         "12abc,3e2\r\nabc, 12.5 \r\n\"7 m\",-4.5E1x\r\n,\r\n.5,+2.\r\n",
         {12, 0, 7, 0, 0.5f},
         {300, 12.5f, -45, 0, 2}},
        // The third field of the first record's line becomes the vertical value of the second record.
        {"pairs regardless of lines", "1,2,3\r\n4\r\n5,6\r\n", {1, 3, 5}, {2, 4, 6}},
        {"header only", "", {}, {}},
    };
    for (const auto& c : cases) {
        const DataFile file = DataFileReader::readContents("\"Depth, cm\",Temperature\r\n" + c.records);
        EXPECT_EQ(file.verticalTitle, "Depth, cm") << c.name;
        EXPECT_EQ(file.horizontalTitle, "Temperature") << c.name;
        EXPECT_EQ(file.y, c.y) << c.name;
        EXPECT_EQ(file.x, c.x) << c.name;
        EXPECT_EQ(file.lastIndex, static_cast<float>(c.y.size()) - 1) << c.name;
    }
}

TEST(DataFileReaderTest, AcceptsAtMost10001Records)
{
    const DataFile full = DataFileReader::readContents(recordsFile(10001));
    ASSERT_EQ(full.y.size(), 10001u);
    EXPECT_EQ(full.lastIndex, 10000.0f);
    EXPECT_EQ(full.y.back(), 10000.0f);
    EXPECT_EQ(full.x.back(), 10000.5f);

    EXPECT_EQ(failureKind([] { DataFileReader::readContents(recordsFile(10002)); }),
              Kind::SubscriptOutOfRange);
    // The surplus pair is read before it is counted, so a file ending inside it fails as a short read.
    EXPECT_EQ(failureKind([] { DataFileReader::readContents(recordsFile(10001) + "7"); }), Kind::ReadPastEnd);
}

TEST(DataFileReaderTest, FailsOnShortFilesAndValuesBeyondASingle)
{
    const std::pair<const char*, Kind> cases[] = {
        {"", Kind::ReadPastEnd},
        {"Depth\r\n", Kind::ReadPastEnd},
        {"D,V\r\n1,2,3\r\n", Kind::ReadPastEnd},
        {"D,V\r\n1e39,1\r\n", Kind::Overflow},
        {"D,V\r\n1,-1e400\r\n", Kind::Overflow},
        // Both values fit, but the right end plus a tenth of the width does not.
        {"D,V\r\n1,3e38\r\n2,-3e38\r\n", Kind::Overflow},
    };
    for (const auto& [contents, kind] : cases)
        EXPECT_EQ(failureKind([&] { DataFileReader::readContents(contents); }), kind) << contents;
}

TEST(DataFileReaderTest, ReadsAFileAndAppliesItKeepingEntriesPastTheLastRecord)
{
    const test::ScratchFolder folder;
    const auto path = folder.file("record.csv");
    std::ofstream(path, std::ios::binary) << "Age,Pollen\r\n0,10\r\n100,20\r\n";
    const DataFile file = DataFileReader::readFile(path);
    EXPECT_EQ(file.verticalTitle, "Age");
    EXPECT_EQ(file.y, (std::vector<float>{0, 100}));
    EXPECT_EQ(failureKind([&] { DataFileReader::readFile(folder.file("missing.csv")); }), Kind::FileError);

    DataSeries series;
    std::fill(series.x.begin(), series.x.end(), -7.0f);
    std::fill(series.y.begin(), series.y.end(), -8.0f);
    file.applyTo(series);
    EXPECT_EQ(series.y[1], 100.0f);
    EXPECT_EQ(series.x[1], 20.0f);
    EXPECT_EQ(series.y[2], -8.0f);
    EXPECT_EQ(series.x[2], -7.0f);
    EXPECT_EQ(series.lastIndex, 1.0f);
    EXPECT_EQ(series.verticalMax, 150.0f);
    EXPECT_EQ(series.horizontalMin, 5.0f);
}

TEST(RoundNiceTest, RoundUpTakesTheNextStepAwayFromBelowAndTowardsZeroFromAbove)
{
    const std::pair<float, double> cases[] = {
        {0, 0},
        {100, 150},
        {95, 100},
        {-97, -95},
        {-95, -95},
        {0.5f, 5},
        {-0.5f, 0},
        {-1001, -1000},
        {-99999, -95000},
        // The step grows at each power of ten of |value|.
        {99.9f, 100},
        {999, 1000},
        {1000, 1500},
        {9999, 10000},
        {10000, 15000},
        {99999, 100000},
        {100000, 150000},
        {999999, 1000000},
        {1000000, 1500000},
        {9999999, 10000000},
        {10000000, 15000000},
        {1e9f, 1005000000},
    };
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(roundUpNice(value), expected) << value;
}

TEST(RoundNiceTest, RoundDownTakesTheStepOfTheScale)
{
    struct Case {
        float value;
        float scale;
        double expected;
    };
    const Case cases[] = {
        {0, 100, 0},
        {8.5f, 26.5f, 5},
        {-12, 350, -50},
        {100, 99, 100},
        {-1, 5, -5},
        {12, 1000, 0},
        {7, -2000, 0},
        {12345, 0, 12345},
        {1250, 1e7f, 0},
        {-1250, 1e7f, -5000000},
        {999999, 3000000, 500000},
        {123456, 123456, 100000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(roundDownNice(c.value, c.scale), c.expected) << c.value << " " << c.scale;
}
