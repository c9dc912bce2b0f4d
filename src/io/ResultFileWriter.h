// Composes Brimvale's result file from what the main window shows at save time, and saves it safely.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "io/ExportGrid.h"
#include "model/NumberOrText.h"
#include "model/RuntimeFailure.h"

namespace brimvale {

// What the main window reads when the section is saved; captions are the bytes the labels show.
struct ResultFileInput {
    std::string dataFileName;         // Label10(0): name of the imported data file
    std::string dataXTitle;           // Label14(0): X title of the data file
    std::string dataYTitle;           // Label15(0): Y title of the data file
    std::string matrixFileName;       // Label10(1): name of the imported Corvane file
    std::string matrixXTitle;         // Label14(1): X title of the matrix
    std::string matrixYTitle;         // Label15(1): Y title of the matrix
    std::string smoothingCaption;     // Label4: smoothing level
    std::string axisLeftCaption;      // Label1(1): left end of the probability figure's horizontal axis
    std::string axisRightCaption;     // Label2(1): right end of that axis
    std::string sectionTopCaption;    // Label2(4): top end of the section figure's vertical axis
    std::string sectionBottomCaption; // Label1(4): bottom end of that axis
    NumberOrText confidenceCoefficient1;
    NumberOrText confidenceCoefficient2;
    std::int32_t slider1 = 100; // figure width, percent
    std::int32_t slider2 = 100; // figure height, percent
    ExportGrid exportGrid;      // layer 1 of the section, ExportGrid::fromSection
};

// The file's last row index from the figure sliders, Int(slider2 * 511.00000000000006 / slider1) as a
// 16-bit integer; raises DivisionByZero for slider1 0 and Overflow beyond the 16-bit range.
std::int16_t resultVerticalSteps(std::int32_t slider1, std::int32_t slider2);

// The complete bytes of the result file: 14 head lines, the axis row and N + 1 data rows, CR LF line
// ends. N comes from the sliders; the grid counts as resized to N + 1 rows keeping its contents, so
// rows it lacks are written as zeros and rows past N are left out. Raises, and composes nothing, when
// N cannot be computed, is negative (SubscriptOutOfRange) or is 0 (DivisionByZero of the row step), or
// when an axis or row value does not fit a Single (Overflow).
std::string composeResultFile(const ResultFileInput& input);

// Replaces the file at path with bytes, or leaves whatever was there untouched: the bytes go to a
// temporary file in the same folder that is renamed over the target once complete, and an existing
// target's permissions are kept (a link is followed to the file it names). A target that exists and is
// neither a file nor a folder (a device, a pipe such as standard output) is written straight through.
// Raises FileError naming the file when anything fails, after removing the temporary file.
void writeResultFile(const std::filesystem::path& path, std::string_view bytes);

// While one lives, writeResultFile leaves each file complete under its temporary name without syncing
// it; commit() makes them all durable with one sync of their file systems and then renames each into
// place. A run of many saves so pays for one sync instead of one a file, and a save still never
// replaces a file with one that is not on disk. One at a time; what is not committed is removed.
class DeferredSaves {
public:
    struct Failure {
        std::filesystem::path path; // as given to writeResultFile
        RuntimeFailure failure;     // FileError naming the file, as writeResultFile raises it
    };

    DeferredSaves();
    ~DeferredSaves();
    DeferredSaves(const DeferredSaves&) = delete;
    DeferredSaves& operator=(const DeferredSaves&) = delete;

    // Syncs and renames every file saved since; returns the saves that failed, the others are in place.
    std::vector<Failure> commit();

private:
    friend void writeResultFile(const std::filesystem::path& path, std::string_view bytes);
    struct Pending {
        std::filesystem::path path;
        std::filesystem::path temporary;
        std::filesystem::path target;
    };
    std::vector<Pending> m_pending;
};

} // namespace brimvale
