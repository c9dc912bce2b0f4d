// Reads a calibration matrix written by Corvane, in either of its two layouts, without touching any window.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "model/NumberOrText.h"
#include "model/ProbabilityGrid.h"

namespace brimvale {

class CsvFieldReader;

// The first field of each layout; the newer one also serves as the matrix kind text.
inline constexpr std::string_view CorvaneOlderFirstField = "Corvane output file";
inline constexpr std::string_view CorvaneNewerFirstField = "Corvane common output format";

// Everything a Corvane file gives the main window. Holds the whole grid, so it lives on the heap.
struct CorvaneMatrix {
    enum class Layout { Older, Newer };

    Layout layout = Layout::Older;
    // Head value 1 in the older layout, the first field itself in the newer one.
    std::string kindText;
    // Caption of Label14(1), under the probability figure: older value 3, newer value 4.
    std::string horizontalTitle;
    // Caption of Label15(1), beside the probability figure: older value 7, newer value 8.
    std::string verticalTitle;
    // ConfidenceCoefficient1 and 2: numbers (older values 10, 11, read leniently) or texts (newer
    // values 13, 14, empty when the head note stops before them).
    NumberOrText coefficient1;
    NumberOrText coefficient2;
    // AxisValues(r): the leading number of matrix row r.
    AxisValues axisValues{};
    // ProbabilityGrid(200 - k, r): the k-th cell of matrix row r.
    ProbabilityGrid grid;
};

// Told the layout as soon as the first field is recognised, before the rest is read: the window
// enables its view buttons for a newer-layout file even when the file then turns out to be faulty.
using CorvaneLayoutObserver = std::function<void(CorvaneMatrix::Layout)>;

// Returns the whole matrix of the file, or raises RuntimeFailure (InvalidData for a wrong first field,
// TypeMismatch or Overflow for a number that does not convert, SubscriptOutOfRange for a newer head note
// of more than 20 pairs, ReadPastEnd for a short file, FileError when it cannot be read); a failed read
// returns nothing. A failure after the first field gets its place: "line 5, head note", "line 16,
// heading row" or "line 20, matrix row 4 of 201".
std::unique_ptr<CorvaneMatrix> readCorvaneMatrix(const std::filesystem::path& path,
                                                 const CorvaneLayoutObserver& observer = {});

// As above, reading the fields from reader; fields after the last matrix row are left unread.
std::unique_ptr<CorvaneMatrix> readCorvaneMatrix(CsvFieldReader& reader,
                                                 const CorvaneLayoutObserver& observer = {});

// The place of matrix row r (from 0) in failure messages, counted from 1 as a reader of the file counts.
std::string matrixRowPart(int r);

} // namespace brimvale
