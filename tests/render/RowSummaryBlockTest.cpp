// The text block of the section view: line positions, the cut of a long block, printing.
#include <gtest/gtest.h>

#include <string>

#include "render/RowSummaryBlock.h"
#include "render/SurfaceProbe.h"
#include "support/Tolerance.h"

namespace brimvale {
namespace {

constexpr double L = 1000.0;
constexpr double T = 2000.0;

RowSummaryText sampleText(int class0Lines, int class1Lines, bool withInput = true)
{
    RowSummaryText text;
    if (withInput)
        text.inputValue = "12.5";
    text.coefficient1 = "C = 95%";
    text.coefficient2 = "C = 68%";
    const auto numbered = [](char letter, int k) { return std::string(1, letter).append(std::to_string(k)); };
    for (int k = 0; k < class0Lines; ++k)
        text.intervalLines[0].push_back(numbered('a', k));
    for (int k = 0; k < class1Lines; ++k)
        text.intervalLines[1].push_back(numbered('b', k));
    text.mode = "14.6";
    text.average = "Out of range";
    return text;
}

void expectLines(const std::vector<SummaryLine>& actual, const std::vector<SummaryLine>& expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t k = 0; k < expected.size(); ++k) {
        EXPECT_EQ(actual[k].text, expected[k].text) << "line " << k;
        EXPECT_EQ(actual[k].x, expected[k].x) << expected[k].text;
        EXPECT_TRUE(test::nearlyEqual(actual[k].y, expected[k].y, 1e-12))
            << expected[k].text << ": " << actual[k].y;
        EXPECT_EQ(actual[k].bold, expected[k].bold) << expected[k].text;
    }
}

TEST(RowSummaryBlockTest, LinesFollowTheTableOfTheBlock)
{
    // Headings at L + 120, values at L + 180; the interval lines begin at T + 1140, one per 240 twips,
    // and the lines after them move down with the numbers of intervals n(0) = 1 and n(1) = 2.
    const std::vector<SummaryLine> expected{
        {"Input value", 1120, 2120, true},
        {"12.5", 1120, 2360, false},
        {"Calibrated value", 1120, 2660, true},
        {"C = 95%", 1120, 2900, false},
        {"a0", 1180, 3140, false},
        {"C = 68%", 1120, 3140 + 240 * 1.3, false},
        {"b0", 1180, 3140 + 240 * 2.3, false},
        {"b1", 1180, 3140 + 240 * 3.3, false},
        {"Mode", 1120, 3140 + 240 * 4.6, false},
        {"14.6", 1180, 3140 + 240 * 5.6, false},
        {"Average", 1120, 3140 + 240 * 6.9, false},
        {"Out of range", 1180, 3140 + 240 * 7.9, false},
    };
    expectLines(rowSummaryBlock(sampleText(1, 2), L, T, 5000), expected);
}

TEST(RowSummaryBlockTest, WithoutAnInputColumnOnlyItsValueLineIsLeftOut)
{
    const std::vector<SummaryLine> lines = rowSummaryBlock(sampleText(0, 0, false), L, T, 5000);
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0].text, "Input value");
    EXPECT_EQ(lines[1].text, "Calibrated value");
    EXPECT_DOUBLE_EQ(lines[3].y, T + 1140 + 240 * 0.3); // "C = 68%"
}

TEST(RowSummaryBlockTest, ABlockTooLongForTheRectangleEndsWithDots)
{
    // The last line fits when its foot is within T + 3000: that holds for lines up to T + 2760, so of
    // the 30 second-class lines at T + 1452 + 240 k the first six fit, and the sixth gives way to "...".
    const std::vector<SummaryLine> lines = rowSummaryBlock(sampleText(0, 30), L, T, 3000);
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[4].text, "C = 68%");
    EXPECT_EQ(lines[9].text, "b4");
    EXPECT_EQ(lines.back().text, "...");
    EXPECT_EQ(lines.back().x, L + 180);
    EXPECT_DOUBLE_EQ(lines.back().y, T + 1452 + 240 * 5);
    EXPECT_FALSE(lines.back().bold);
    for (const SummaryLine& line : lines)
        EXPECT_LE(line.y + 240, T + 3000) << line.text;

    // Just tall enough for the whole block: no dots.
    const double whole = 1140 + 240 * (30 + 4.9) + 240;
    EXPECT_EQ(rowSummaryBlock(sampleText(0, 30), L, T, whole).back().text, "Out of range");
    const std::vector<SummaryLine> cut = rowSummaryBlock(sampleText(0, 30), L, T, whole - 1);
    EXPECT_EQ(cut.back().text, "...");
    EXPECT_EQ(cut[cut.size() - 2].text, "14.6");

    EXPECT_TRUE(rowSummaryBlock(sampleText(0, 30), L, T, 100).empty());
}

TEST(RowSummaryBlockTest, PrintingPutsEachLineAtItsPlaceAndEraseFillsTheRectangle)
{
    DrawingSurface window = test::whiteSurface(300, 300); // 4500 twips a side
    const std::vector<SummaryLine> lines{{"Mode", 150, 150, true}, {"14.6", 150, 3000, false}};
    printRowSummaryBlock(lines, window);
    const auto inkInRows = [&](int top, int bottom) {
        return test::inkedPixels(window.image(), QRect(0, top, 300, bottom - top));
    };
    EXPECT_GT(inkInRows(10, 30), 0);   // the first line starts at pixel 10
    EXPECT_EQ(inkInRows(30, 200), 0);  // nothing between the two lines
    EXPECT_GT(inkInRows(200, 220), 0); // the second at pixel 200
    EXPECT_EQ(inkInRows(0, 10), 0);
    EXPECT_FALSE(window.fontBold());

    eraseRowSummaryBlock(window, QRectF(0, 0, 4500, 4500), test::White);
    EXPECT_EQ(test::inkedPixels(window.image()), 0);
}

} // namespace
} // namespace brimvale
