// Reads Brimvale's result file back into a section, keeping what was read when the file fails part way.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "model/NumberOrText.h"
#include "model/ProbabilityGrid.h"
#include "model/RuntimeFailure.h"
#include "model/SectionMatrix.h"

namespace brimvale {

class CsvFieldReader;

// What a result file holds that the main window takes over.
struct ResultFileData {
    std::string sectionVerticalTitle;    // for Label15(2): the data file's Y title (line 6)
    std::string sectionHorizontalTitle;  // for Label14(2): the matrix's Y title (line 9)
    std::int16_t verticalSteps = 0;      // VerticalSteps: index of the last data row (line 11)
    float smoothingLevel = 0.0f;         // averaged horizons (line 12)
    NumberOrText confidenceCoefficient1; // for Label6(0) (line 13); an empty field reads as the empty text
    NumberOrText confidenceCoefficient2; // for Label6(1) (line 14)
    AxisValues axisValues{};             // line 15 after its corner field
    std::vector<float> verticalValues;   // VerticalValues: the first field of each data row
    SectionMatrix section;               // layer 1 from the data rows, layer 0 all zeros
};

// How far reading got. Everything read before a failure stays in data, so the window can apply exactly
// that: verticalSteps from VerticalStepsRead on (it may be negative until SectionAllocated), the titles,
// smoothing level and section from SectionAllocated on, the first axisValuesRead axis values, and the
// vertical values and cells read so far (a partly read row included; cells not reached are zero).
struct ResultFileOutcome {
    enum class Stage {
        Nothing, // nothing to apply: the file is unreadable or not a result file, or the head broke early
        VerticalStepsRead, // line 11 read; a later head field failed
        HeadRead,          // the whole head read; its row count was refused
        SectionAllocated,  // section and verticalValues hold verticalSteps + 1 rows; a row field failed
        Complete,          // every field read
    };

    ResultFileData data;
    Stage stage = Stage::Nothing;
    int axisValuesRead = 0;                // 0 to 201
    int rowsRead = 0;                      // complete data rows
    std::optional<RuntimeFailure> failure; // why reading stopped, unless complete
    bool holdsMore = false; // complete, and more follows the last data row that the head announces

    bool complete() const { return stage == Stage::Complete; }
};

// Reads the file at path a part at a time; never raises. Besides the failures of readResultContents, a
// file that cannot be opened fails with FileError and one larger than 1 GiB with InvalidData, both at
// Nothing, and one that cannot be read to its end with FileError where reading stopped.
ResultFileOutcome readResultFile(const std::filesystem::path& path);

// Reads a result file's contents field by field; never raises. The first field must be "Brimvale common
// output format" or "Brimvale output file" (InvalidData otherwise); numeric fields convert strictly
// (TypeMismatch, Overflow) and the end of the contents is ReadPastEnd. A negative row count fails with
// SubscriptOutOfRange, and one beyond the largest section the figure sliders can make (5111 rows) with
// InvalidData, before any row is allocated. Failure messages say where in the file reading stopped. Fields
// after the last data row are left unread; holdsMore tells of them.
ResultFileOutcome readResultContents(std::string contents);

// As readResultContents, reading the fields from reader.
ResultFileOutcome readResult(CsvFieldReader& reader);

// The figure sliders that fit a loaded section of verticalSteps + 1 rows.
struct ViewSliders {
    std::int32_t slider1 = 100; // width, percent
    std::int32_t slider2 = 100; // height, percent
};

// Both 100 for 500 steps; below, slider1 100 and slider2 the steps as a share of 500 (rounded, halves
// to even); above, slider1 the whole part of 500 / steps * 100 and slider2 100.
ViewSliders viewSlidersForSteps(std::int16_t verticalSteps);

// The largest calibrated cell of the section as a Single, 0 when none is positive; raises Overflow when
// a positive cell does not fit a Single.
float largestSectionValue(const SectionMatrix& section);

} // namespace brimvale
