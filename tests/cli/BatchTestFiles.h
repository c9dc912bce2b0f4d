// Records and matrices written into a scratch folder for the tests of brimvale-batch.
#pragma once

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "support/CorvaneFileBuilder.h"
#include "support/ScratchFolder.h"

namespace brimvale::test {

using Record = std::vector<std::pair<double, double>>; // (depth, value) per horizon

// The bytes of a data file: the two titles, then one line per horizon.
inline std::string dataFileText(const Record& record, const std::string& verticalTitle = "Depth (cm)",
                                const std::string& horizontalTitle = "Quercus (%)")
{
    std::string text = '"' + verticalTitle + "\",\"" + horizontalTitle + "\"\r\n";
    for (const auto& [depth, value] : record) {
        std::ostringstream line;
        line.precision(17);
        line << depth << ',' << value << "\r\n";
        text += line.str();
    }
    return text;
}

inline std::filesystem::path writeBytes(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

inline std::string readBytes(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// A record that goes down the whole section within the default matrix's value axis (-10 to 20).
inline Record wavyRecord(int points, double bottom = 300.0)
{
    Record record;
    for (int k = 0; k < points; ++k) {
        const double depth = bottom * k / (points - 1);
        record.emplace_back(depth, 5.0 + 8.0 * std::sin(k * 0.37) + 0.25 * (k % 5));
    }
    return record;
}

} // namespace brimvale::test
