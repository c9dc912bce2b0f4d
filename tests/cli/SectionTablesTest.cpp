// The summary and profile tables of a section, checked on small sections whose rows are known by hand.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/SectionProfiles.h"
#include "cli/SectionSummary.h"
#include "cli/SectionView.h"

namespace brimvale {
namespace {

// A section of four steps (five rows) on a value axis from -10 to 20, so column j is the value
// -10 + 0.15 j, and a vertical range from 0 to 400, so row r lies at depth 100 r.
SectionView smallView()
{
    SectionView view;
    view.section = SectionMatrix(4);
    view.topText = std::string("0");
    view.bottomText = std::string("400");
    view.leftCaption = std::string("-10");
    view.rightCaption = std::string("20");
    for (int j = 0; j <= 200; ++j)
        view.axisValues[j] = static_cast<float>(-10.0 + 0.15 * j);
    return view;
}

// Row 1: the first class from column 40 to 60, the second from 35 to 70, the mode at 50 and the
// average at 55 (negative), the input at column 45.
void fillRow(SectionView& view, int row)
{
    for (int j = 35; j <= 70; ++j)
        view.section(1, j, row) = 1.01;
    for (int j = 40; j <= 60; ++j)
        view.section(1, j, row) = 2.02;
    view.section(1, 50, row) = 3.04;
    view.section(1, 55, row) = -2.03;
    view.section(0, 45, row) = 1.0;
}

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

TEST(SectionSummaryTest, SeveralIntervalsOfARowAreJoined)
{
    // Class 1 and 2 from the left edge to column 10, a second class 2 run at 100 to 110 and class 1 from
    // 190 to the right edge.
    SectionView view = smallView();
    for (int j = 0; j <= 10; ++j)
        view.section(1, j, 2) = 2.5;
    for (int j = 100; j <= 110; ++j)
        view.section(1, j, 2) = 2.5;
    for (int j = 190; j <= 200; ++j)
        view.section(1, j, 2) = 1.5;
    const SummaryRow row = summariseSectionRow(view, 2);
    EXPECT_EQ(row.intervals1, "? - -8.5; 5 - 6.5");
    EXPECT_EQ(row.intervals2, "? - -8.5; 5 - 6.5; 18.5 - ?");
}

TEST(SectionSummaryTest, VerticalValuesFollowTheRangeBoxes)
{
    SectionView view = smallView();
    view.topText = std::string("2.5");
    view.bottomText = std::string("3 m");
    // 2.5 + 0.5 * 3 / 4 = 2.875, shown with two decimals, a half rounding up.
    EXPECT_EQ(summariseSectionRow(view, 3).verticalValue, "2.88");
    // A section of one row has only its top.
    view.section = SectionMatrix(0);
    EXPECT_EQ(summariseSectionRow(view, 0).verticalValue, "2.5");
}

TEST(SectionSummaryTest, TableHasAHeaderAndOneLinePerRow)
{
    SectionView view = smallView();
    fillRow(view, 1);
    const std::vector<std::string> read = linesOf(composeSectionSummary(view));
    // Row 1 as the section view prints it: the input at column 45 is -3.25, the mode at 50 is -2.5.
    ASSERT_EQ(read.size(), 6u);
    EXPECT_EQ(read[0],
              "\"Row\",\"Vertical value\",\"Input value\",\"C1 intervals\",\"C2 intervals\",\"Mode\","
              "\"Average\"\r");
    EXPECT_EQ(read[1], "0,0,,\"\",\"\",\"Out of range\",\"Out of range\"\r");
    EXPECT_EQ(read[2], "1,100,-3.25,\"-4 - -1\",\"-4.75 - 0.5\",-2.5,-1.75\r");
    EXPECT_EQ(read[5], "4,400,,\"\",\"\",\"Out of range\",\"Out of range\"\r");
}

struct SplitCase {
    float magnitude;
    const char* classCode;
    const char* probability;
};

TEST(SectionProfilesTest, MagnitudeSplitsIntoClassAndProbability)
{
    const SplitCase cases[] = {
        {2.0123f, "2", "0.0123"}, {3.5f, "3", "0.5"},       {0.25f, "0", "0.25"}, {1.0f, "1", "0"},
        {0.0f, "0", "0"},         {0.00005f, "0", "5E-05"}, {4.75f, "4", "0.75"}, {1.0e8f, "100000000", "0"},
    };
    for (const SplitCase& c : cases) {
        const CellParts parts = splitMagnitude(c.magnitude);
        EXPECT_EQ(parts.classCode, c.classCode) << c.magnitude;
        EXPECT_EQ(parts.probability, c.probability) << c.magnitude;
    }
}

TEST(SectionProfilesTest, OneLinePerRowAndStep)
{
    SectionView view = smallView();
    fillRow(view, 1);
    const std::vector<std::string> read = linesOf(composeSectionProfiles(view));
    ASSERT_EQ(read.size(), 1u + 5u * 201u);
    EXPECT_EQ(
        read[0],
        "\"Row\",\"Vertical value\",\"Climate value\",\"Probability\",\"Class\",\"Mode\",\"Average\"\r");
    const auto line = [&](int row, int j) { return read[1 + 201 * row + j]; };
    EXPECT_EQ(line(0, 0), "0,0,-10,0,0,0,0\r");
    EXPECT_EQ(line(1, 35), "1,100,-4.75,0.01,1,0,0\r");
    EXPECT_EQ(line(1, 50), "1,100,-2.5,0.04,3,1,0\r");
    EXPECT_EQ(line(1, 55), "1,100,-1.75,0.03,2,0,1\r");
    EXPECT_EQ(line(4, 200), "4,400,20,0,0,0,0\r");
}

} // namespace
} // namespace brimvale
