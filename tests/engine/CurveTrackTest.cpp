// Tracks of the mode and average curves, the valley test and the pieces they join into.
#include <gtest/gtest.h>

#include <tuple>

#include "engine/CurveTrack.h"

namespace brimvale {
namespace {

using Pieces = std::vector<CurvePiece>;

const auto line = [](int c1, int j1, int c2, int j2) {
    return CurvePiece{CurvePiece::Shape::Line, {c1, j1}, {c2, j2}};
};
const auto point = [](int c, int j) { return CurvePiece{CurvePiece::Shape::Point, {c, j}, {c, j}}; };

TEST(CurveTrackTest, TheHighestMarkOfAColumnOrRowWins)
{
    // Grid column c and section row c hold the same cells. Marks follow the signed thresholds: 3 exactly
    // is a mode (class 3, probability 0, as older confidence matrices hold), a negative mode is an
    // average and no mode, a negative zero no average.
    ProbabilityGrid grid;
    SectionMatrix section(4);
    const std::tuple<int, int, double> cells[] = {{0, 10, 3.2},  {0, 50, 3.0},  {0, 60, 2.9999},
                                                  {0, 20, 3.5},  {1, 7, -1.2},  {1, 9, -0.001},
                                                  {1, 30, -3.4}, {2, 40, -0.0}, {3, 200, 3.0}};
    for (const auto& [c, j, value] : cells)
        grid(c, j) = section(1, j, c) = value;
    section(0, 150, 4) = 3.5; // layer 0 is not read
    const CurveTrack modes{50, NoMark, NoMark, 200, NoMark};
    const CurveTrack averages{NoMark, 30, NoMark, NoMark, NoMark};
    const CurveTrack gridModes = gridTrack(grid, CurveKind::Mode);
    const CurveTrack gridAverages = gridTrack(grid, CurveKind::Average);
    ASSERT_EQ(gridModes.size(), 201u);
    EXPECT_EQ(CurveTrack(gridModes.begin(), gridModes.begin() + 5), modes);
    EXPECT_EQ(CurveTrack(gridAverages.begin(), gridAverages.begin() + 5), averages);
    EXPECT_EQ(sectionTrack(section, CurveKind::Mode), modes);
    EXPECT_EQ(sectionTrack(section, CurveKind::Average), averages);
}

TEST(CurveTrackTest, ModesAreJoinedUnlessTheHigherColumnGoesDownBetweenThem)
{
    // A column whose magnitudes rise one step per position from 10 to 20.
    CellColumn rising{};
    for (int k = 10; k <= 20; ++k)
        rising[static_cast<std::size_t>(k)] = 1.0 + 0.01 * (k - 10);
    CellColumn dipped = rising;
    dipped[15] = 1.0;
    CellColumn signedRising = rising; // average marks and signs in between
    signedRising[12] = -signedRising[12];
    signedRising[17] = -signedRising[17];
    CellColumn plateau = rising;
    plateau[14] = plateau[13];
    const CellColumn flat{};

    using Column = const CellColumn&;
    const std::tuple<const char*, int, int, Column, Column, bool> cases[] = {
        {"same position", 40, 40, dipped, dipped, true},
        {"one step up, whatever lies between", 40, 41, flat, dipped, true},
        {"one step down", 41, 40, dipped, flat, true},
        {"rising through a monotonic later column", 10, 20, flat, rising, true},
        {"rising through a dip of the later column", 10, 20, flat, dipped, false},
        {"a plateau does not go down", 10, 20, flat, plateau, true},
        {"the sign of a cell does not count", 10, 20, flat, signedRising, true},
        {"rising: only the later column is examined", 10, 20, dipped, rising, true},
        {"falling through a monotonic earlier column", 20, 10, rising, flat, true},
        {"falling through a dip of the earlier column", 20, 10, dipped, flat, false},
        {"falling: only the earlier column is examined", 20, 10, rising, dipped, true},
        {"rising by two onto a lower cell", 13, 15, flat, dipped, false},
        {"rising by two above the dip", 15, 17, flat, dipped, true},
    };
    for (const auto& [name, a, b, earlier, later, joined] : cases)
        EXPECT_EQ(modesJoined(a, b, earlier, later), joined) << name;
}

TEST(CurveTrackTest, PiecesLeaveGapsAsSinglePoints)
{
    // Isolated marks at the start and the end; 2-3-4 joined.
    const CurveTrack track{5, NoMark, 7, 8, 8, NoMark, NoMark, 3};
    const auto noCells = [](int) { return CellColumn{}; };
    const Pieces expected{point(0, 5),      point(2, 7), line(2, 7, 3, 8),
                          line(3, 8, 4, 8), point(4, 8), point(7, 3)};
    EXPECT_EQ(curvePieces(track, CurveKind::Mode, noCells), expected);
    EXPECT_EQ(curvePieces(track, CurveKind::Average, noCells), expected);
}

TEST(CurveTrackTest, AValleyBreaksTheModeCurveButNotTheAverageCurve)
{
    ProbabilityGrid grid;
    grid(0, 10) = 3.3; // mode of column 0
    grid(1, 20) = 3.3; // mode of column 1, ten steps higher; column 1 dips on the way
    grid(1, 15) = 1.2;
    grid(1, 16) = 1.1;
    grid(1, 19) = 2.4;
    grid(0, 40) = -1.5; // averages ten steps apart
    grid(1, 30) = -1.5;
    EXPECT_EQ(gridCurve(grid, CurveKind::Mode), (Pieces{point(0, 10), point(1, 20), point(1, 20)}));
    EXPECT_EQ(gridCurve(grid, CurveKind::Average), (Pieces{line(0, 40, 1, 30), point(1, 30)}));
}

} // namespace
} // namespace brimvale
