// The summary and profile tables of a section, checked on a small section whose rows are known by hand.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/SectionProfiles.h"
#include "cli/SectionSummary.h"

namespace brimvale {
namespace {

// Five rows on a value axis from -10 to 20, column j at -10 + 0.15 j, and a vertical range from 0 to
// 400, row r at depth 100 r. Row 1: the first class from column 40 to 60, the second from 35 to 70, the
// mode at 50 (exactly 3, as older matrices of classes only have it), the average at 55 (negative), the
// input at column 45.
SectionView smallView()
{
    SectionView view;
    view.section = SectionMatrix(4);
    view.topText = "0";
    view.bottomText = "400";
    view.leftCaption = "-10";
    view.rightCaption = "20";
    for (int j = 0; j <= 200; ++j)
        view.axisValues[j] = static_cast<float>(-10.0 + 0.15 * j);
    for (int j = 35; j <= 70; ++j)
        view.section(1, j, 1) = j >= 40 && j <= 60 ? 2.02 : 1.01;
    view.section(1, 50, 1) = 3.0;
    view.section(1, 55, 1) = -2.03;
    view.section(0, 45, 1) = 1.0;
    return view;
}

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

TEST(SectionSummaryTest, OneLinePerRowAsTheSectionViewShowsIt)
{
    const std::vector<std::string> read = linesOf(composeSectionSummary(smallView()));
    ASSERT_EQ(read.size(), 6u);
    EXPECT_EQ(read[0],
              "\"Row\",\"Vertical value\",\"Input value\",\"C1 intervals\",\"C2 intervals\",\"Mode\","
              "\"Average\"\r");
    EXPECT_EQ(read[1], "0,0,,\"\",\"\",\"Out of range\",\"Out of range\"\r");
    // The input at column 45 is -3.25, the mode at 50 is -2.5.
    EXPECT_EQ(read[2], "1,100,-3.25,\"-4 - -1\",\"-4.75 - 0.5\",-2.5,-1.75\r");
    EXPECT_EQ(read[5], "4,400,,\"\",\"\",\"Out of range\",\"Out of range\"\r");

    // Several intervals of a row are joined, open ends shown as "?": class 1 and 2 from the left edge to
    // column 10, a second class 2 run at 100 to 110 and class 1 from 190 to the right edge.
    SectionView view = smallView();
    for (int j = 0; j <= 200; ++j)
        view.section(1, j, 2) = j <= 10 || (j >= 100 && j <= 110) ? 2.5 : j >= 190 ? 1.5 : 0.0;
    const SummaryRow row = summariseSectionRow(view, 2);
    EXPECT_EQ(row.intervals1, "? - -8.5; 5 - 6.5");
    EXPECT_EQ(row.intervals2, "? - -8.5; 5 - 6.5; 18.5 - ?");
    // 2.5 + 0.5 * 3 / 4 = 2.875, shown with two decimals, a half rounding up; one row has only its top.
    view.topText = "2.5";
    view.bottomText = "3 m";
    EXPECT_EQ(summariseSectionRow(view, 3).verticalValue, "2.88");
    view.section = SectionMatrix(0);
    EXPECT_EQ(summariseSectionRow(view, 0).verticalValue, "2.5");
}

TEST(SectionProfilesTest, OneLinePerRowAndStepWithTheCellsParts)
{
    const std::pair<float, std::pair<const char*, const char*>> splits[] = {
        {2.0123f, {"2", "0.0123"}},  {3.5f, {"3", "0.5"}}, {0.25f, {"0", "0.25"}},
        {1.0f, {"1", "0"}},          {0.0f, {"0", "0"}},   {0.00005f, {"0", "5E-05"}},
        {1.0e8f, {"100000000", "0"}}};
    for (const auto& [magnitude, parts] : splits) {
        const CellParts split = splitMagnitude(magnitude);
        EXPECT_EQ(std::tie(split.classCode, split.probability), std::tie(parts.first, parts.second))
            << magnitude;
    }
    const std::vector<std::string> read = linesOf(composeSectionProfiles(smallView()));
    ASSERT_EQ(read.size(), 1u + 5u * 201u);
    EXPECT_EQ(
        read[0],
        "\"Row\",\"Vertical value\",\"Climate value\",\"Probability\",\"Class\",\"Mode\",\"Average\"\r");
    const auto line = [&](int row, int j) { return read[1 + 201 * row + j]; };
    EXPECT_EQ(line(0, 0), "0,0,-10,0,0,0,0\r");
    EXPECT_EQ(line(1, 35), "1,100,-4.75,0.01,1,0,0\r");
    EXPECT_EQ(line(1, 50), "1,100,-2.5,0,3,1,0\r");
    EXPECT_EQ(line(1, 55), "1,100,-1.75,0.03,2,0,1\r");
    EXPECT_EQ(line(4, 200), "4,400,20,0,0,0,0\r");
}

} // namespace
} // namespace brimvale
