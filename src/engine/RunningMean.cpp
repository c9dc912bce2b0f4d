// The running mean of the data record: the smoothed curve drawn over the data figure.
#include "engine/RunningMean.h"

#include <string>

#include "model/Conversions.h"
#include "model/RuntimeFailure.h"

namespace brimvale {

void computeRunningMean(DataSeries& series, int window)
{
    if (window < 1)
        raiseFailure(RuntimeFailure::Kind::SubscriptOutOfRange,
                     "Subscript out of range: smoothing window " + std::to_string(window));
    const std::int32_t lastMean = toLong(static_cast<double>(series.lastIndex) - window + 1.0);
    if (lastMean < 0)
        return;
    // The last mean reads up to the last record; checking it first leaves the series untouched on failure.
    DataSeries::checkIndex(static_cast<std::int64_t>(lastMean) + window - 1);

    for (std::int32_t m = 0; m <= lastMean; ++m) {
        // The sums are 32-bit floats like the values themselves: a large value swallows small ones after it.
        float sumX = 0.0f;
        float sumY = 0.0f;
        for (int k = m; k < m + window; ++k) {
            sumY = toSingle(static_cast<double>(sumY) + series.y[k]);
            sumX = toSingle(static_cast<double>(sumX) + series.x[k]);
        }
        series.sy[m] = toSingle(static_cast<double>(sumY) / window);
        series.sx[m] = toSingle(static_cast<double>(sumX) / window);
    }
}

} // namespace brimvale
