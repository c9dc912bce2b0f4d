// Composes Brimvale's result file from what the main window shows at save time, and saves it safely.
#include "io/ResultFileWriter.h"

#include <array>
#include <bit>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <system_error>
#include <vector>

#if defined(__unix__) || defined(__APPLE__)
#include <unistd.h>
#define BRIMVALE_HAVE_FSYNC 1
#endif

#include "io/CsvFieldWriter.h"
#include "model/Conversions.h"
#include "model/NumberText.h"
#include "model/NumericValue.h"
#include "model/RuntimeFailure.h"

namespace brimvale {

namespace {

constexpr int axisSteps = 200;
// The next double above 511: a ratio that should give a whole number of rows is never truncated to the
// one below.
constexpr double rowsPerSliderRatio = 511.00000000000006;
// No number of a data row takes more than 24 bytes with its comma; the head and axis row count as two rows.
constexpr std::size_t longestRowBytes = (ExportGrid::Columns + 1) * 24;
constexpr int temporaryNameAttempts = 100;

void writeLabelled(CsvFieldWriter& writer, std::string_view label, std::string_view value)
{
    writer.text(label);
    writer.text(value);
    writer.endLine();
}

// A section repeats the matrix column it crosses in row after row, so each cell value's text is kept in
// a table indexed by the value's bits and formatted once; the bytes are those of the direct form.
class CellTexts {
public:
    std::string_view of(double value)
    {
        const auto bits = std::bit_cast<std::uint64_t>(value);
        Entry& entry = m_entries[(bits * 0x9E3779B97F4A7C15u) >> (64 - tableBits)];
        if (entry.length == 0 || entry.bits != bits) {
            m_scratch.clear();
            appendFileTextDouble(m_scratch, value);
            if (m_scratch.size() > sizeof entry.text)
                return m_scratch;
            entry.bits = bits;
            entry.length = static_cast<std::uint8_t>(m_scratch.size());
            std::memcpy(entry.text, m_scratch.data(), m_scratch.size());
        }
        return {entry.text, entry.length};
    }

private:
    static constexpr int tableBits = 16;
    struct Entry {
        std::uint64_t bits = 0;
        std::uint8_t length = 0; // 0 for an empty entry: no number has an empty text
        char text[23];
    };

    std::vector<Entry> m_entries = std::vector<Entry>(std::size_t{1} << tableBits);
    std::string m_scratch;
};

[[noreturn]] void failSaving(const std::filesystem::path& path, const std::string& reason)
{
    raiseFailure(RuntimeFailure::Kind::FileError, "Cannot save " + path.string() + ": " + reason);
}

// Created exclusively, so that a file of the same name is never taken over; the mode is that of any new
// file, which an existing target's permissions then replace.
std::FILE* createTemporaryFile(const std::filesystem::path& folder, std::filesystem::path& name,
                               const std::filesystem::path& target)
{
    std::random_device seed;
    std::mt19937_64 generator(seed());
    for (int attempt = 0; attempt < temporaryNameAttempts; ++attempt) {
        char suffix[17];
        std::snprintf(suffix, sizeof suffix, "%016llx", static_cast<unsigned long long>(generator()));
        name = folder / (std::string(".brimvale-") + suffix + ".tmp");
        if (std::FILE* file = std::fopen(name.string().c_str(), "wbx"))
            return file;
        if (errno != EEXIST)
            failSaving(target, std::strerror(errno));
    }
    failSaving(target, "no free temporary file name in " + folder.string());
}

// The bytes reach the disk before the rename makes them the file, so a crash leaves the old file or the
// new one, never an empty one.
bool flushAndClose(std::FILE* file)
{
    bool written = std::fflush(file) == 0;
#ifdef BRIMVALE_HAVE_FSYNC
    written = written && ::fsync(::fileno(file)) == 0;
#endif
    return std::fclose(file) == 0 && written;
}

// A device or a pipe has no file to replace: the bytes go straight to it.
void writeThrough(const std::filesystem::path& path, std::string_view bytes)
{
    std::FILE* file = std::fopen(path.string().c_str(), "wb");
    if (!file)
        failSaving(path, std::strerror(errno));
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const int writeError = errno;
    const bool flushed = std::fflush(file) == 0;
    const int flushError = errno;
    if (std::fclose(file) != 0 || !written || !flushed)
        failSaving(path, std::strerror(!written ? writeError : !flushed ? flushError : errno));
}

} // namespace

std::int16_t resultVerticalSteps(std::int32_t slider1, std::int32_t slider2)
{
    return toInteger(intOf(checkedDivide(slider2 * rowsPerSliderRatio, slider1)));
}

std::string composeResultFile(const ResultFileInput& input)
{
    const float smoothing = toSingle(numericValue(input.smoothingCaption));
    const std::int16_t steps = resultVerticalSteps(input.slider1, input.slider2);
    if (steps < 0)
        raiseFailure(RuntimeFailure::Kind::SubscriptOutOfRange,
                     "Subscript out of range: " + std::to_string(steps) + " vertical steps");

    // The axis is recomputed from the end captions rather than copied from the matrix's axis values.
    const double left = numericValue(input.axisLeftCaption);
    const double right = numericValue(input.axisRightCaption);
    const double axisStep = checkedDivide(right - left, axisSteps);
    std::array<float, axisSteps + 1> axis;
    for (int i = 0; i <= axisSteps; ++i)
        axis[i] = toSingle(left + axisStep * i);

    // Row 0 is the top of the section; a section of one row divides by zero, as it always has.
    const double top = numericValue(input.sectionTopCaption);
    const double bottom = numericValue(input.sectionBottomCaption);
    const double rowStep = checkedDivide(bottom - top, steps);
    std::vector<float> rowValues(static_cast<std::size_t>(steps) + 1);
    for (int j = 0; j <= steps; ++j)
        rowValues[j] = toSingle(top + rowStep * j);

    CsvFieldWriter writer;
    writer.reserve((static_cast<std::size_t>(steps) + 3) * longestRowBytes);
    writer.text("Brimvale common output format");
    writer.endLine();
    writeLabelled(writer, "Head note length (lines): ", "14");
    writeLabelled(writer, "Version: ", "2.5.0");
    writeLabelled(writer, "Original curve: ", input.dataFileName);
    writeLabelled(writer, "X: ", input.dataXTitle);
    writeLabelled(writer, "Y: ", input.dataYTitle);
    writeLabelled(writer, "Calibration matrix (Corvane file): ", input.matrixFileName);
    writeLabelled(writer, "X: ", input.matrixXTitle);
    writeLabelled(writer, "Y: ", input.matrixYTitle);
    writer.text("Horizontal resolution (steps): ");
    writer.integer(axisSteps);
    writer.endLine();
    writer.text("Vertical resolution (steps): ");
    writer.integer(steps);
    writer.endLine();
    writer.text("Smoothing level (No. of averaged horizons): ");
    writer.number(smoothing);
    writer.endLine();
    writer.text("Confidence coefficient1 (%):");
    writer.value(input.confidenceCoefficient1);
    writer.endLine();
    writer.text("Confidence coefficient2 (%):");
    writer.value(input.confidenceCoefficient2);
    writer.endLine();

    writer.bare({});
    for (const float x : axis)
        writer.number(x);
    writer.endLine();

    const ExportGrid& grid = input.exportGrid;
    CellTexts cellTexts;
    for (int j = 0; j <= steps; ++j) {
        writer.number(rowValues[j]);
        for (int i = 0; i < ExportGrid::Columns; ++i)
            writer.bare(cellTexts.of(j < grid.rows() ? grid(i, j) : 0.0));
        writer.endLine();
    }
    return writer.takeContents();
}

void writeResultFile(const std::filesystem::path& path, std::string_view bytes)
{
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status given = fs::status(path, error);
    if (!error && fs::exists(given) && !fs::is_regular_file(given) && !fs::is_directory(given)) {
        writeThrough(path, bytes);
        return;
    }
    fs::path target = path;
    if (fs::is_symlink(fs::symlink_status(path, error))) {
        target = fs::weakly_canonical(path, error);
        if (error)
            failSaving(path, error.message());
    }
    const fs::file_status targetStatus = fs::status(target, error);
    const bool keepPermissions = !error && fs::is_regular_file(targetStatus);
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");

    fs::path temporary;
    std::FILE* file = createTemporaryFile(folder, temporary, path);
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const int writeError = errno;
    const bool closed = flushAndClose(file);
    std::string reason;
    if (!written || !closed)
        reason = std::strerror(written ? errno : writeError);
    if (reason.empty() && keepPermissions) {
        fs::permissions(temporary, targetStatus.permissions(), error);
        if (error)
            reason = error.message();
    }
    if (reason.empty()) {
        fs::rename(temporary, target, error);
        if (error)
            reason = error.message();
    }
    if (!reason.empty()) {
        fs::remove(temporary, error);
        failSaving(path, reason);
    }
}

} // namespace brimvale
