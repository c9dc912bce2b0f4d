// Reads a data file: the two variable titles, the records of the fossil record and rounded axis ranges.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "model/DataSeries.h"

namespace brimvale {

// What a data file holds once read, with the axis ranges already rounded outward to step values.
struct DataFile {
    std::string verticalTitle;   // field 1 of the header pair (depth or age)
    std::string horizontalTitle; // field 2 of the header pair (the measured value)
    std::vector<float> y;        // vertical value of each record, in file order
    std::vector<float> x;        // horizontal value of each record
    float lastIndex = -1.0f;     // number of records minus 1
    float verticalMin = 0.0f;
    float verticalMax = 0.0f;
    float horizontalMin = 0.0f;
    float horizontalMax = 0.0f;

    // Stores the records, lastIndex and the four ranges in series; entries past the last record keep
    // whatever they held, as the fixed arrays of the window do.
    void applyTo(DataSeries& series) const;
};

// The header pair is two text fields; every further pair is (vertical, horizontal), each the leading
// number of its field. Fields pair up in order whatever the lines, so a line of three fields shifts
// the pairing. At most DataSeries::Capacity records; one more raises SubscriptOutOfRange, a file that
// ends inside a pair ReadPastEnd, a value beyond the range of a 32-bit float Overflow. A failure while
// reading gets its place: "line 3, header" or "line 21, record 20" (records counted from 1).
class DataFileReader {
public:
    // Reads the file at path; raises FileError when it cannot be read.
    static DataFile readFile(const std::filesystem::path& path);

    // Reads a data file from its contents.
    static DataFile readContents(std::string contents);
};

// The next multiple of the step above value (a multiple moves up one step) for a positive value, the
// multiple next to value towards zero for a negative one, 0 for 0; the step comes from |value|.
double roundUpNice(float value);

// The largest multiple of the step not above value, 0 for 0; the step comes from |scale|.
double roundDownNice(float value, float scale);

} // namespace brimvale
