// The summary of a section row: intervals per confidence class, marks, input column and texts.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "engine/RowSummary.h"
#include "support/Tolerance.h"

namespace brimvale {
namespace {

constexpr int Row = 1;

using CellRun = std::tuple<int, int, double>; // first and last column, value

// A section of three rows whose middle row holds the runs in layer 1; the other rows are full of marks
// that must not leak into the summary.
SectionMatrix sectionWith(const std::vector<CellRun>& runs)
{
    SectionMatrix section(2);
    for (int j = 0; j <= 200; ++j)
        section(1, j, 0) = section(1, j, 2) = -3.5;
    for (const auto& [first, last, value] : runs)
        for (int j = first; j <= last; ++j)
            section(1, j, Row) = value;
    return section;
}

// Over an axis from 100 to 300, the value of column j is 100 + j.
TEST(RowSummaryTest, IntervalsModeAndAverageAsShown)
{
    using Texts = std::vector<std::string>;
    struct Case {
        const char* name;
        std::vector<CellRun> runs;
        Texts class0, class1; // magnitudes of 2 and more, of 1 and more
        std::string mode = "Out of range", average = "Out of range";
    };
    // clang-format off
    const Case cases[] = {
        {"empty row", {}, {}, {}},
        {"nested runs", {{40, 70, 1.02}, {50, 60, 2.01}}, {"150 - 160"}, {"140 - 170"}},
        {"open ends", {{0, 10, 1.5}, {190, 200, 2.5}}, {"290 - ?"}, {"? - 110", "290 - ?"}},
        {"the whole row", {{0, 200, 1.5}}, {}, {"? - ?"}},
        {"one cell at each edge", {{0, 0, 2.0}, {200, 200, 2.0}}, {"? - 100", "300 - ?"},
         {"? - 100", "300 - ?"}},
        {"magnitudes count, not signs", {{30, 32, -2.3}}, {"130 - 132"}, {"130 - 132"}, "Out of range",
         "132"},
        {"compared as 32-bit floats", {{5, 6, 1.99999999999}, {9, 9, 0.9999}}, {"105 - 106"}, {"105 - 106"}},
        {"two first-class runs in one second-class run", {{10, 30, 1.1}, {10, 20, 2.1}, {25, 30, 2.1}},
         {"110 - 120", "125 - 130"}, {"110 - 130"}},
        // The last marks count; a mode is marked by its magnitude, an average by its sign.
        {"the last marks", {{1, 1, 3.1}, {123, 123, 3.4}, {7, 7, -0.1}, {150, 150, -1.2}},
         {"101 - 101", "223 - 223"}, {"101 - 101", "223 - 223", "250 - 250"}, "223", "250"},
        // 3 exactly is a mode: class 3 with probability 0, as older confidence matrices hold.
        {"a mode of 3 exactly", {{100, 100, 3.0}}, {"200 - 200"}, {"200 - 200"}, "200"},
        // Column 0 stands for no mark: a mark there shows as out of range, one in column 1 does not.
        {"marks in column 0", {{0, 0, -3.5}}, {"? - 100"}, {"? - 100"}},
        {"marks in column 1", {{1, 1, -3.5}}, {"101 - 101"}, {"101 - 101"}, "101", "101"},
    };
    // clang-format on
    for (const Case& c : cases) {
        const RowSummary summary = summariseRow(sectionWith(c.runs), Row);
        const RowSummaryText text = summaryText(summary, 100.0, 300.0, {}, {}, {});
        EXPECT_EQ(text.intervalLines[0], c.class0) << c.name;
        EXPECT_EQ(text.intervalLines[1], c.class1) << c.name;
        EXPECT_EQ(text.mode, c.mode) << c.name;
        EXPECT_EQ(text.average, c.average) << c.name;
    }
}

// The input value is the axis value of the row's last input column; coefficients are shown as held.
TEST(RowSummaryTest, MarksInputColumnAndCoefficientsOfTheRowOnly)
{
    SectionMatrix section = sectionWith({{40, 40, 3.2}, {45, 45, -3.1}, {60, 60, 3.0}, {100, 100, -0.2}});
    section(0, 30, Row) = 1.0;
    section(0, 77, Row) = 1.0;
    section(0, 90, Row) = 0.999;
    section(0, 150, 0) = 1.0;
    const RowSummary summary = summariseRow(section, Row);
    EXPECT_EQ(summary.modeMarks, (std::vector<int>{40, 45, 60}));
    EXPECT_EQ(summary.averageMarks, (std::vector<int>{45, 100}));
    EXPECT_EQ(summary.inputColumn, 77);
    EXPECT_EQ(summary.inputColumnCount, 2);
    AxisValues axis{};
    axis[77] = 12.5f;
    const auto c1 = NumberOrText::fromNumber(95), c2 = NumberOrText::fromText("68.3");
    const RowSummaryText text = summaryText(summary, 0.0, 1.0, c1, c2, axis);
    EXPECT_EQ((std::vector{text.inputValue.value_or("none"), text.coefficient1, text.coefficient2}),
              (std::vector<std::string>{"12.5", "C = 95%", "C = 68.3%"}));
    const RowSummaryText none = summaryText(summariseRow(SectionMatrix(2), Row), 0.0, 1.0, {}, {}, axis);
    EXPECT_FALSE(none.inputValue.has_value());
    EXPECT_EQ(none.coefficient1, "C = %");
}

TEST(RowSummaryTest, ProbabilityIsTheMagnitudeLessItsClassCode)
{
    const SectionMatrix section =
        sectionWith({{0, 0, 0.04}, {1, 1, 1.04}, {2, 2, 2.5}, {3, 3, 3.25}, {4, 4, -3.25}, {5, 5, 4.5}});
    const auto p = rowProbabilities(section, Row);
    const double expected[] = {0.04, 0.04, 0.5, 0.25, 0.25, 1.5, 0.0};
    for (std::size_t j = 0; j < std::size(expected); ++j)
        EXPECT_TRUE(test::nearlyEqual(p[j], expected[j], 1e-5)) << "column " << j << ": " << p[j];
}

} // namespace
} // namespace brimvale
