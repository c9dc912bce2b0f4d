// Records and files written into a scratch folder for the tests of brimvale-batch.
#pragma once

#include <cmath>
#include <fstream>
#include <sstream>
#include <utility>
#include <vector>

#include "support/CorvaneFileBuilder.h"
#include "support/ScratchFolder.h"

namespace brimvale::test {

using Record = std::vector<std::pair<double, double>>; // (depth, value) per horizon

// The bytes of a data file: the two titles, then one line per horizon.
inline std::string dataFileText(const Record& record)
{
    std::ostringstream text;
    text.precision(17);
    text << "\"Depth (cm)\",\"Quercus (%)\"\r\n";
    for (const auto& [depth, value] : record)
        text << depth << ',' << value << "\r\n";
    return text.str();
}

// A record that goes down the whole section within the default matrix's value axis (-10 to 20).
inline Record wavyRecord(int points, double bottom = 300.0)
{
    Record record;
    for (int k = 0; k < points; ++k)
        record.emplace_back(bottom * k / (points - 1), 5.0 + 8.0 * std::sin(k * 0.37) + 0.25 * (k % 5));
    return record;
}

} // namespace brimvale::test
