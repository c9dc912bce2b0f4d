// The mode and average curves as data: the marked position of every column or row, and how they join.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "model/ProbabilityGrid.h"
#include "model/SectionMatrix.h"

namespace brimvale {

enum class CurveKind {
    Mode,    // a cell of 3.0 or more marks the mode of its column or row
    Average, // a negative cell marks the average
};

// Entry of a track: the marked position j (0 to 200) of each column of the probability grid or each
// row of the section, or NoMark.
using CurveTrack = std::vector<std::int16_t>;
inline constexpr std::int16_t NoMark = -9999;

// The 201 cells of one column of the grid, or of one row of layer 1 of the section, by position j.
using CellColumn = std::array<double, ProbabilityGrid::Steps>;

// One drawn piece of a curve: a line between the marks of two neighbouring columns, or a single point.
struct CurvePiece {
    enum class Shape { Line, Point };
    struct Mark {
        int column = 0;   // i of the grid, or row h of the section
        int position = 0; // the marked j
        bool operator==(const Mark&) const = default;
    };

    Shape shape = Shape::Point;
    Mark from;
    Mark to; // equal to from for a point

    bool operator==(const CurvePiece&) const = default;
};

// Whether the cell carries the mark of the kind (signed value: 3.0 or more, resp. below 0).
bool carriesMark(double cell, CurveKind kind);

// The grid column i, resp. the row h of layer 1 of the section, as cells by position.
CellColumn gridColumn(const ProbabilityGrid& grid, int i);
CellColumn sectionRow(const SectionMatrix& section, int h);

// The track of the grid's 201 columns; when a column has several marked cells the highest j wins.
CurveTrack gridTrack(const ProbabilityGrid& grid, CurveKind kind);
// The track of the section's rows 0 to verticalSteps(); the highest marked j of a row wins.
CurveTrack sectionTrack(const SectionMatrix& section, CurveKind kind);

// The valley test: whether the mode a of the earlier column and the mode b of the later one are joined
// by a line. A move of at most one step always is; a larger one only when the magnitudes of the column
// with the higher mode never go down between the two positions.
bool modesJoined(int a, int b, const CellColumn& earlier, const CellColumn& later);

// The pieces of the curve through the track, neighbour by neighbour in order: a line for two present
// neighbours (for the mode only when modesJoined, else a point at each), a point for a mark whose
// neighbour has none, and a point for the one mark of a one-entry track. cells(c) gives column c.
template <typename CellsOf>
std::vector<CurvePiece> curvePieces(const CurveTrack& track, CurveKind kind, CellsOf cells);

// The pieces of the grid's curve, resp. the section's.
std::vector<CurvePiece> gridCurve(const ProbabilityGrid& grid, CurveKind kind);
std::vector<CurvePiece> sectionCurve(const SectionMatrix& section, CurveKind kind);

template <typename CellsOf>
std::vector<CurvePiece> curvePieces(const CurveTrack& track, CurveKind kind, CellsOf cells)
{
    using Mark = CurvePiece::Mark;
    const auto point = [](int column, int position) {
        return CurvePiece{CurvePiece::Shape::Point, Mark{column, position}, Mark{column, position}};
    };
    std::vector<CurvePiece> pieces;
    // A track of one row has no neighbours to join; its mark would otherwise never be shown.
    if (track.size() == 1 && track[0] != NoMark) {
        pieces.push_back(point(0, track[0]));
        return pieces;
    }
    for (std::size_t c = 0; c + 1 < track.size(); ++c) {
        const int column = static_cast<int>(c);
        const int a = track[c];
        const int b = track[c + 1];
        if (a != NoMark && b != NoMark) {
            if (kind == CurveKind::Average || modesJoined(a, b, cells(column), cells(column + 1))) {
                pieces.push_back({CurvePiece::Shape::Line, Mark{column, a}, Mark{column + 1, b}});
            } else {
                pieces.push_back(point(column, a));
                pieces.push_back(point(column + 1, b));
            }
        } else if (a != NoMark) {
            pieces.push_back(point(column, a));
        } else if (b != NoMark) {
            pieces.push_back(point(column + 1, b));
        }
    }
    return pieces;
}

} // namespace brimvale
