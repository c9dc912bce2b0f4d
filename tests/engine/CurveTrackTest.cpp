// Tracks of the mode and average curves, the valley test and the pieces they join into.
#include <gtest/gtest.h>

#include "engine/CurveTrack.h"

namespace brimvale {
namespace {

using Shape = CurvePiece::Shape;

CurvePiece line(int c1, int j1, int c2, int j2)
{
    return {Shape::Line, {c1, j1}, {c2, j2}};
}

CurvePiece point(int c, int j)
{
    return {Shape::Point, {c, j}, {c, j}};
}

TEST(CurveTrackTest, MarksFollowTheSignedThresholds)
{
    EXPECT_TRUE(carriesMark(3.0, CurveKind::Mode));
    EXPECT_TRUE(carriesMark(3.4, CurveKind::Mode));
    EXPECT_FALSE(carriesMark(2.9999, CurveKind::Mode));
    // A mode that is also the average is negative and so no mode mark of the curve.
    EXPECT_FALSE(carriesMark(-3.4, CurveKind::Mode));
    EXPECT_TRUE(carriesMark(-3.4, CurveKind::Average));
    EXPECT_TRUE(carriesMark(-0.001, CurveKind::Average));
    EXPECT_FALSE(carriesMark(0.0, CurveKind::Average));
    EXPECT_FALSE(carriesMark(-0.0, CurveKind::Average));
}

TEST(CurveTrackTest, TheHighestMarkOfAColumnWinsAndUnmarkedColumnsHaveNone)
{
    ProbabilityGrid grid;
    grid(0, 10) = 3.2;
    grid(0, 50) = 3.1;
    grid(0, 20) = 3.5;
    grid(1, 7) = -1.2;
    grid(1, 9) = -2.2;
    grid(1, 8) = 3.0;
    const CurveTrack modes = gridTrack(grid, CurveKind::Mode);
    const CurveTrack averages = gridTrack(grid, CurveKind::Average);
    ASSERT_EQ(modes.size(), 201u);
    EXPECT_EQ(modes[0], 50);
    EXPECT_EQ(modes[1], 8);
    EXPECT_EQ(modes[2], NoMark);
    EXPECT_EQ(averages[0], NoMark);
    EXPECT_EQ(averages[1], 9);

    SectionMatrix section(3);
    section(1, 5, 0) = 3.1;
    section(1, 200, 0) = 3.9;
    section(1, 0, 2) = -0.5;
    section(1, 4, 2) = -0.5;
    section(0, 150, 1) = 3.5; // layer 0 is not read
    const CurveTrack sectionModes = sectionTrack(section, CurveKind::Mode);
    ASSERT_EQ(sectionModes.size(), 4u);
    EXPECT_EQ(sectionModes, (CurveTrack{200, NoMark, NoMark, NoMark}));
    EXPECT_EQ(sectionTrack(section, CurveKind::Average), (CurveTrack{NoMark, NoMark, 4, NoMark}));
}

struct ValleyCase {
    const char* name;
    int a;
    int b;
    CellColumn earlier;
    CellColumn later;
    bool joined;
};

TEST(CurveTrackTest, ValleyTest)
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
    CellColumn dipBelowLowerMode = dipped;
    const CellColumn flat{};

    const ValleyCase cases[] = {
        {"same position", 40, 40, dipped, dipped, true},
        {"one step up, whatever lies between", 40, 41, flat, dipped, true},
        {"one step down", 41, 40, dipped, flat, true},
        {"rising by ten through a monotonic later column", 10, 20, flat, rising, true},
        {"rising through a dip of the later column", 10, 20, flat, dipped, false},
        {"a plateau does not go down", 10, 20, flat, plateau, true},
        {"the sign of a cell does not count", 10, 20, flat, signedRising, true},
        {"rising: only the later column is examined", 10, 20, dipped, rising, true},
        {"falling by ten through a monotonic earlier column", 20, 10, rising, flat, true},
        {"falling through a dip of the earlier column", 20, 10, dipped, flat, false},
        {"falling: only the earlier column is examined", 20, 10, rising, dipped, true},
        {"rising by two onto a lower cell", 13, 15, flat, dipBelowLowerMode, false},
        {"rising by two above the dip", 15, 17, flat, dipBelowLowerMode, true},
    };
    for (const ValleyCase& c : cases)
        EXPECT_EQ(modesJoined(c.a, c.b, c.earlier, c.later), c.joined) << c.name;
}

TEST(CurveTrackTest, ValleyTestSeesADipFarBelowSinglePrecision)
{
    // The cells and both sums are doubles: a dip of 1E-9 on values near 4 still breaks the line.
    CellColumn later{};
    for (int k = 0; k <= 30; ++k)
        later[static_cast<std::size_t>(k)] = 1.0 + 0.1 * k + 1e-12 * (k % 3);
    EXPECT_TRUE(modesJoined(0, 30, CellColumn{}, later));
    later[29] = later[28] - 1e-9; // the smallest dip still counts
    EXPECT_FALSE(modesJoined(0, 30, CellColumn{}, later));
}

TEST(CurveTrackTest, PiecesLeaveGapsAsSinglePoints)
{
    CurveTrack track(8, NoMark);
    track[0] = 5; // isolated at the start
    track[2] = 7; // 2-3-4 joined
    track[3] = 8;
    track[4] = 8;
    track[7] = 3; // isolated at the end
    const auto noCells = [](int) { return CellColumn{}; };
    const std::vector<CurvePiece> expected{
        point(0, 5),                                     // pair 0-1
        point(2, 7),                                     // pair 1-2
        line(2, 7, 3, 8), line(3, 8, 4, 8), point(4, 8), // pairs 2-3, 3-4, 4-5
        point(7, 3),                                     // pair 6-7
    };
    EXPECT_EQ(curvePieces(track, CurveKind::Mode, noCells), expected);
    EXPECT_EQ(curvePieces(track, CurveKind::Average, noCells), expected);
}

TEST(CurveTrackTest, AValleyGivesTwoPointsForTheModeButALineForTheAverage)
{
    ProbabilityGrid grid;
    grid(0, 10) = 3.3; // mode of column 0
    grid(1, 20) = 3.3; // mode of column 1, ten steps higher; column 1 dips on the way
    grid(1, 15) = 1.2;
    grid(1, 16) = 1.1;
    grid(1, 19) = 2.4;
    grid(0, 40) = -1.5; // averages ten steps apart
    grid(1, 30) = -1.5;
    const std::vector<CurvePiece> modes = gridCurve(grid, CurveKind::Mode);
    EXPECT_EQ(modes, (std::vector<CurvePiece>{point(0, 10), point(1, 20), point(1, 20)}));
    const std::vector<CurvePiece> averages = gridCurve(grid, CurveKind::Average);
    EXPECT_EQ(averages, (std::vector<CurvePiece>{line(0, 40, 1, 30), point(1, 30)}));

    grid(1, 16) = 1.3; // now the magnitudes never go down from 10 up to 20 in column 1
    grid(1, 17) = 1.4;
    grid(1, 18) = 2.1;
    EXPECT_EQ(gridCurve(grid, CurveKind::Mode), (std::vector<CurvePiece>{line(0, 10, 1, 20), point(1, 20)}));
}

TEST(CurveTrackTest, SectionCurveUsesLayerOneRowByRow)
{
    SectionMatrix section(2);
    section(1, 100, 0) = 3.5;
    section(1, 101, 1) = 3.5;
    section(1, 120, 2) = 3.5; // row 2 rises by 19 through zeros: rising by zero steps is no dip
    EXPECT_EQ(sectionCurve(section, CurveKind::Mode),
              (std::vector<CurvePiece>{line(0, 100, 1, 101), line(1, 101, 2, 120)}));
    section(1, 110, 2) = 0.5; // a bump then a drop back to zero on the way up
    EXPECT_EQ(sectionCurve(section, CurveKind::Mode),
              (std::vector<CurvePiece>{line(0, 100, 1, 101), point(1, 101), point(2, 120)}));
}

TEST(CurveTrackTest, ASectionOfOneRowShowsItsMarkAsAPoint)
{
    SectionMatrix section(0);
    EXPECT_TRUE(sectionCurve(section, CurveKind::Mode).empty());
    section(1, 60, 0) = 3.2;
    section(1, 70, 0) = -0.2;
    EXPECT_EQ(sectionCurve(section, CurveKind::Mode), (std::vector<CurvePiece>{point(0, 60)}));
    EXPECT_EQ(sectionCurve(section, CurveKind::Average), (std::vector<CurvePiece>{point(0, 70)}));
}

} // namespace
} // namespace brimvale
