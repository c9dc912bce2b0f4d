// Composes Brimvale's result file from what the main window shows at save time, and saves it safely.
#include "io/ResultFileWriter.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <system_error>
#include <unordered_map>
#include <vector>

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
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
    // The longest text a Double can have, "-1.23456789012345E-305"; no entry is longer.
    static constexpr std::size_t LongestText = 23;

    std::string_view of(double value)
    {
        const Entry& entry = lookUp(value);
        return entry.length == 0 ? std::string_view(m_scratch) : std::string_view(entry.text, entry.length);
    }

    // Writes the value's text at out, which has room for LongestText bytes, and returns its end: the
    // entry is copied whole, as one fixed-size move. Nothing, and no end, for a longer text.
    char* write(char* out, double value)
    {
        const Entry& entry = lookUp(value);
        if (entry.length == 0)
            return nullptr;
        std::memcpy(out, entry.text, sizeof entry.text);
        return out + entry.length;
    }

private:
    static constexpr int tableBits = 12;
    struct Entry {
        std::uint64_t bits = 0;
        std::uint8_t length = 0; // 0 for an empty entry: no number has an empty text
        char text[LongestText];
    };

    // The entry holding the value's text; one of length 0 when the text is longer than an entry holds
    // (then in m_scratch; never so for a Double).
    const Entry& lookUp(double value)
    {
        const auto bits = std::bit_cast<std::uint64_t>(value);
        Entry& entry = m_entries[(bits * 0x9E3779B97F4A7C15u) >> (64 - tableBits)];
        if (entry.length == 0 || entry.bits != bits) {
            m_scratch.clear();
            appendFileTextDouble(m_scratch, value);
            if (m_scratch.size() > sizeof entry.text)
                return m_overlong;
            entry.bits = bits;
            entry.length = static_cast<std::uint8_t>(m_scratch.size());
            std::memcpy(entry.text, m_scratch.data(), m_scratch.size());
        }
        return entry;
    }

    Entry m_overlong{}; // length 0: the text is in m_scratch

    std::vector<Entry> m_entries = std::vector<Entry>(std::size_t{1} << tableBits);
    std::string m_scratch;
};

// With one mark a row, a section row is a copy of the matrix column the curve crosses there, so a section
// has few distinct rows: each is composed once, its cells joined with commas, and its text used again
// for every row with the same cells.
class RowTexts {
public:
    const std::string& of(const double* cells)
    {
        constexpr std::size_t rowBytes = ExportGrid::Columns * sizeof(double);
        std::uint64_t hash = 0xcbf29ce484222325u;
        for (int i = 0; i < ExportGrid::Columns; ++i)
            hash = (hash ^ std::bit_cast<std::uint64_t>(cells[i])) * 0x100000001b3u;
        const auto [first, last] = m_known.equal_range(hash);
        for (auto known = first; known != last; ++known) {
            if (std::memcmp(known->second.cells, cells, rowBytes) == 0)
                return known->second.text;
        }
        std::string text(ExportGrid::Columns * (CellTexts::LongestText + 1), '\0');
        char* out = text.data();
        for (int i = 0; i < ExportGrid::Columns && out; ++i) {
            if (i > 0)
                *out++ = ',';
            out = m_cellTexts.write(out, cells[i]);
        }
        if (out) {
            text.resize(static_cast<std::size_t>(out - text.data()));
        } else {
            text.clear();
            for (int i = 0; i < ExportGrid::Columns; ++i) {
                if (i > 0)
                    text += ',';
                text += m_cellTexts.of(cells[i]);
            }
        }
        return m_known.emplace(hash, Known{cells, std::move(text)})->second.text;
    }

private:
    struct Known {
        const double* cells; // the cells of a row of the grid being written, which outlives this
        std::string text;
    };

    CellTexts m_cellTexts;
    std::unordered_multimap<std::uint64_t, Known> m_known;
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
// new one, never an empty one; a deferred save syncs them later, before its rename.
bool flushAndClose(std::FILE* file, bool sync)
{
    bool written = std::fflush(file) == 0;
#ifdef BRIMVALE_HAVE_FSYNC
    written = written && (!sync || ::fsync(::fileno(file)) == 0);
#endif
    return std::fclose(file) == 0 && written;
}

DeferredSaves* deferredSaves = nullptr;

// Makes everything written to the file systems of the folders durable.
bool syncFolders(const std::vector<std::filesystem::path>& folders)
{
#ifdef BRIMVALE_HAVE_FSYNC
#ifdef __linux__
    bool synced = true;
    for (const std::filesystem::path& folder : folders) {
        const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
        synced = synced && descriptor >= 0 && ::syncfs(descriptor) == 0;
        if (descriptor >= 0)
            ::close(descriptor);
    }
    return synced;
#else
    (void)folders;
    ::sync();
    return true;
#endif
#else
    (void)folders;
    return true;
#endif
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
    const std::vector<double> zeroRow(ExportGrid::Columns, 0.0);
    RowTexts rowTexts;
    for (int j = 0; j <= steps; ++j) {
        writer.number(rowValues[j]);
        writer.bare(rowTexts.of(j < grid.rows() ? grid.row(j) : zeroRow.data()));
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
    const bool closed = flushAndClose(file, deferredSaves == nullptr);
    std::string reason;
    if (!written || !closed)
        reason = std::strerror(written ? errno : writeError);
    if (reason.empty() && keepPermissions) {
        fs::permissions(temporary, targetStatus.permissions(), error);
        if (error)
            reason = error.message();
    }
    if (reason.empty() && deferredSaves) {
        deferredSaves->m_pending.push_back({path, temporary, target});
        return;
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

DeferredSaves::DeferredSaves()
{
    if (deferredSaves)
        raiseFailure(RuntimeFailure::Kind::InvalidData, "Saves are deferred already");
    deferredSaves = this;
}

DeferredSaves::~DeferredSaves()
{
    std::error_code error;
    for (const Pending& pending : m_pending)
        std::filesystem::remove(pending.temporary, error);
    deferredSaves = nullptr;
}

std::vector<DeferredSaves::Failure> DeferredSaves::commit()
{
    namespace fs = std::filesystem;
    std::vector<fs::path> folders;
    for (const Pending& pending : m_pending) {
        const fs::path folder = pending.temporary.parent_path();
        if (std::find(folders.begin(), folders.end(), folder) == folders.end())
            folders.push_back(folder);
    }
    const bool synced = syncFolders(folders);
    std::vector<Failure> failures;
    for (const Pending& pending : m_pending) {
        std::error_code error;
        if (synced)
            fs::rename(pending.temporary, pending.target, error);
        if (!synced || error) {
            fs::remove(pending.temporary, error);
            const std::string reason = synced ? error.message() : "its file system could not be synced";
            failures.push_back({pending.path, RuntimeFailure(RuntimeFailure::Kind::FileError,
                                                             "Cannot save " + pending.path.string() + ": " +
                                                                 reason)});
        }
    }
    m_pending.clear();
    return failures;
}

} // namespace brimvale
