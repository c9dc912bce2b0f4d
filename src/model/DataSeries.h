// The imported fossil record with its display ranges and its smoothed copy.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/RuntimeFailure.h"

namespace brimvale {

struct DataSeries {
    static constexpr int Capacity = 10001;

    std::vector<float> x = std::vector<float>(Capacity, 0.0f);  // horizontal value of each record
    std::vector<float> y = std::vector<float>(Capacity, 0.0f);  // vertical value (depth or age)
    float lastIndex = 0.0f;                                     // index of the last record, as a whole number
    float verticalMin = 0.0f;                                   // top of the vertical axis
    float verticalMax = 0.0f;                                   // bottom of the vertical axis
    float horizontalMin = 0.0f;                                 // left end of the horizontal axis
    float horizontalMax = 0.0f;                                 // right end of the horizontal axis
    std::vector<float> sx = std::vector<float>(Capacity, 0.0f); // smoothed horizontal values
    std::vector<float> sy = std::vector<float>(Capacity, 0.0f); // smoothed vertical values

    // Returns normally only for an index inside the fixed arrays (0 to Capacity - 1); raises
    // SubscriptOutOfRange otherwise.
    static void checkIndex(std::int64_t k)
    {
        if (k < 0 || k >= Capacity)
            raiseFailure(RuntimeFailure::Kind::SubscriptOutOfRange,
                         "Subscript out of range: record " + std::to_string(k));
    }
};

} // namespace brimvale
