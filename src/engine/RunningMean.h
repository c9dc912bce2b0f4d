// The running mean of the data record: the smoothed curve drawn over the data figure.
#pragma once

#include "model/DataSeries.h"

namespace brimvale {

// Fills sx(m) and sy(m), m = 0 to lastIndex - window + 1, with the means of window consecutive x and y
// values, so the smoothed curve has lastIndex - window + 2 points; a window larger than the record
// computes nothing, and entries past the smoothed curve keep what they held. Raises
// SubscriptOutOfRange for a window below 1 and Overflow when a sum leaves the 32-bit float range.
void computeRunningMean(DataSeries& series, int window);

} // namespace brimvale
