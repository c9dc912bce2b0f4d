// Reads the probability matrix that the section view draws profiles from: an older-layout Corvane file.
#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "model/ProbabilityGrid.h"

namespace brimvale {

class CsvFieldReader;

// The profile matrix as the file holds it: unlike the calibration grid, not reversed within a row.
struct ProfileMatrix {
    static constexpr int Steps = ProbabilityGrid::Steps;

    // Head value 1: "Probability", "Confidence" or any other text.
    std::string kindText;
    // ProfileValues(r): the leading number of matrix row r.
    std::array<float, Steps> values{};
    // ProfileGrid, row-major: element (r, c) is the c-th cell of matrix row r.
    std::vector<float> grid = std::vector<float>(static_cast<std::size_t>(Steps) * Steps);

    float operator()(int r, int c) const { return grid[static_cast<std::size_t>(r) * Steps + c]; }
    float& operator()(int r, int c) { return grid[static_cast<std::size_t>(r) * Steps + c]; }
};

// Returns the profile matrix of an older-layout Corvane file, or raises RuntimeFailure (InvalidData for
// any other first field, the newer layout's included; TypeMismatch or Overflow for a number that does not
// convert to a Single; ReadPastEnd for a short file; FileError when it cannot be read), placed in the file
// as the calibration reader places its failures.
ProfileMatrix readProfileFile(const std::filesystem::path& path);

// As above, reading the fields from reader; fields after the last matrix row are left unread.
ProfileMatrix readProfileFile(CsvFieldReader& reader);

} // namespace brimvale
