// The summary of a section row: intervals per confidence class, marks, input column and texts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/RowSummary.h"
#include "support/Tolerance.h"

namespace brimvale {
namespace {

constexpr int Row = 1;

struct CellRun {
    int first;
    int last;
    double value;
};

// A section of three rows whose middle row holds the runs in layer 1; the other rows are full of marks
// that must not leak into the summary.
SectionMatrix sectionWith(const std::vector<CellRun>& runs)
{
    SectionMatrix section(2);
    for (int j = 0; j <= 200; ++j) {
        section(1, j, 0) = -3.5;
        section(1, j, 2) = -3.5;
    }
    for (const CellRun& run : runs)
        for (int j = run.first; j <= run.last; ++j)
            section(1, j, Row) = run.value;
    return section;
}

// Intervals of one class, and whether the first reaches column 0 and the last column 200.
struct Expected {
    std::vector<RowInterval> intervals;
    bool openLeft = false;
    bool openRight = false;
};

TEST(RowSummaryTest, IntervalsOfBothClasses)
{
    struct Case {
        const char* name;
        std::vector<CellRun> runs;
        Expected class0;
        Expected class1;
    };
    const Case cases[] = {
        {"empty row", {}, {}, {}},
        {"nested interior runs", {{40, 70, 1.02}, {50, 60, 2.01}}, {{{50, 60}}}, {{{40, 70}}}},
        {"cut by the left edge", {{0, 10, 1.5}}, {}, {{{0, 10}}, true}},
        {"cut by the right edge",
         {{190, 200, 2.5}},
         {{{190, 200}}, false, true},
         {{{190, 200}}, false, true}},
        {"the whole row", {{0, 200, 1.5}}, {}, {{{0, 200}}, true, true}},
        {"one cell at the left edge", {{0, 0, 2.0}}, {{{0, 0}}, true}, {{{0, 0}}, true}},
        {"magnitudes count, not signs", {{30, 32, -2.3}}, {{{30, 32}}}, {{{30, 32}}}},
        {"compared as 32-bit floats", {{5, 6, 1.99999999999}}, {{{5, 6}}}, {{{5, 6}}}},
        {"just below a threshold", {{5, 6, 0.9999}}, {}, {}},
        {"two first-class runs in one second-class run",
         {{10, 30, 1.1}, {10, 20, 2.1}, {25, 30, 2.1}},
         {{{10, 20}, {25, 30}}},
         {{{10, 30}}}},
    };
    for (const Case& c : cases) {
        const RowSummary summary = summariseRow(sectionWith(c.runs), Row);
        for (int k = 0; k < 2; ++k) {
            const Expected& expected = k == 0 ? c.class0 : c.class1;
            EXPECT_EQ(summary.classes[k].intervals, expected.intervals) << c.name << " class " << k;
            EXPECT_EQ(summary.classes[k].openLeft, expected.openLeft) << c.name << " class " << k;
            EXPECT_EQ(summary.classes[k].openRight, expected.openRight) << c.name << " class " << k;
        }
    }
}

TEST(RowSummaryTest, ANoisyRowIsSummarisedWhole)
{
    std::vector<CellRun> runs;
    std::vector<RowInterval> expected;
    for (int k = 0; k < 30; ++k) {
        runs.push_back({3 * k + 1, 3 * k + 1, 1.4});
        runs.push_back({3 * k + 2, 3 * k + 2, 2.4});
        expected.push_back({3 * k + 1, 3 * k + 2});
    }
    const RowSummary summary = summariseRow(sectionWith(runs), Row);
    EXPECT_EQ(summary.classes[1].intervals, expected);
    ASSERT_EQ(summary.classes[0].intervals.size(), 30u);
    EXPECT_EQ(summary.classes[0].intervals.back(), (RowInterval{89, 89}));
    const RowSummaryText text = summaryText(summary, 0.0, 200.0, {}, {}, AxisValues{});
    ASSERT_EQ(text.intervalLines[1].size(), 30u);
    EXPECT_EQ(text.intervalLines[1][29], "88 - 89");
}

TEST(RowSummaryTest, MarksAndInputColumnOfTheRowOnly)
{
    SectionMatrix section = sectionWith({{40, 40, 3.2}, {45, 45, -3.1}, {100, 100, -0.2}, {120, 120, 2.99}});
    section(0, 30, Row) = 1.0;
    section(0, 77, Row) = 1.0;
    section(0, 90, Row) = 0.999;
    section(0, 150, 0) = 1.0;
    const RowSummary summary = summariseRow(section, Row);
    EXPECT_EQ(summary.modeMarks, (std::vector<int>{40, 45})); // by magnitude: an average can be a mode
    EXPECT_EQ(summary.modeColumn, 45);
    EXPECT_EQ(summary.averageMarks, (std::vector<int>{45, 100}));
    EXPECT_EQ(summary.averageColumn, 100);
    EXPECT_EQ(summary.inputColumn, 77);
    EXPECT_EQ(summary.inputColumnCount, 2);

    const RowSummary empty = summariseRow(SectionMatrix(2), Row);
    EXPECT_EQ(empty.modeColumn, 0);
    EXPECT_EQ(empty.averageColumn, 0);
    EXPECT_FALSE(empty.inputColumn.has_value());

    // A section of one row, as a result file may hold.
    SectionMatrix oneRow(0);
    oneRow(1, 200, 0) = 3.5;
    oneRow(0, 200, 0) = 1.0;
    const RowSummary single = summariseRow(oneRow, 0);
    EXPECT_EQ(single.modeColumn, 200);
    EXPECT_EQ(single.inputColumn, 200);
    EXPECT_TRUE(single.classes[0].openRight);
}

TEST(RowSummaryTest, ProbabilityIsTheMagnitudeLessItsClassCode)
{
    const SectionMatrix section =
        sectionWith({{0, 0, 0.04}, {1, 1, 1.04}, {2, 2, 2.5}, {3, 3, 3.25}, {4, 4, -3.25}, {5, 5, 4.5}});
    const auto p = rowProbabilities(section, Row);
    const double expected[] = {0.04, 0.04, 0.5, 0.25, 0.25, 1.5};
    for (std::size_t j = 0; j < std::size(expected); ++j)
        EXPECT_TRUE(test::nearlyEqual(p[j], expected[j], 1e-5)) << "column " << j << ": " << p[j];
    EXPECT_EQ(p[6], 0.0f);
}

TEST(RowSummaryTest, TextsShowOpenEndsAndOutOfRange)
{
    // Axis -10 to 30: one column is 0.2.
    SectionMatrix section = sectionWith({{0, 5, 1.5}, {50, 60, 1.5}, {190, 200, 2.5}, {0, 0, 3.5}});
    section(0, 77, Row) = 1.0;
    AxisValues axis{};
    axis[77] = 12.5f;
    const RowSummaryText text =
        summaryText(summariseRow(section, Row), -10.0, 30.0, NumberOrText::fromNumber(95),
                    NumberOrText::fromText("68.3"), axis);
    // The mode cell in column 0 is a first-class interval of its own, open to the left.
    EXPECT_EQ(text.intervalLines[0], (std::vector<std::string>{"? - -10", "28 - ?"}));
    EXPECT_EQ(text.intervalLines[1], (std::vector<std::string>{"? - -9", "0 - 2", "28 - ?"}));
    EXPECT_EQ(text.mode, "Out of range");    // the mode lies in column 0
    EXPECT_EQ(text.average, "Out of range"); // there is no average
    EXPECT_EQ(text.inputValue, "12.5");
    EXPECT_EQ(text.coefficient1, "C = 95%");
    EXPECT_EQ(text.coefficient2, "C = 68.3%");

    const RowSummaryText none = summaryText(summariseRow(SectionMatrix(2), Row), 0.0, 1.0, {}, {}, axis);
    EXPECT_FALSE(none.inputValue.has_value());
    EXPECT_EQ(none.coefficient1, "C = %");
}

TEST(RowSummaryTest, ModeAndAverageValuesUseTheLastMarks)
{
    const SectionMatrix section = sectionWith({{1, 1, 3.1}, {123, 123, 3.4}, {7, 7, -0.1}, {150, 150, -1.2}});
    const RowSummaryText text = summaryText(summariseRow(section, Row), -10.0, 30.0, {}, {}, AxisValues{});
    EXPECT_EQ(text.mode, "14.6");  // -10 + 123 * 0.2
    EXPECT_EQ(text.average, "20"); // -10 + 150 * 0.2
    const RowSummaryText first =
        summaryText(summariseRow(sectionWith({{1, 1, 3.1}}), Row), -10.0, 30.0, {}, {}, AxisValues{});
    EXPECT_EQ(first.mode, "-9.8");
}

} // namespace
} // namespace brimvale
