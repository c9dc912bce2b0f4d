// The command line of brimvale-batch: its commands, their options, and the usage text.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace brimvale {

// What a user does in a freshly started window, given on the command line.
struct ReconstructOptions {
    std::vector<std::filesystem::path> data; // one or more records
    std::filesystem::path matrix;
    std::optional<std::filesystem::path> out;          // the result of a single record
    std::optional<std::filesystem::path> outDirectory; // one result per record
    std::optional<std::filesystem::path> summary;      // summary of a single record's section
    bool summaries = false;                            // with outDirectory: a summary per record
    int smoothing = 1;                                 // Slider3, 1 to 10
    int width = 100;                                   // Slider1, percent
    int height = 100;                                  // Slider2, percent
    std::optional<std::string> top;                    // typed into Text2
    std::optional<std::string> bottom;                 // typed into Text1
    std::optional<std::filesystem::path> page;         // File > Print to this PDF file
    std::optional<std::string> title;                  // typed into the print options' Title
};

// A result file read back, written out as a table; standard output when out is empty.
struct TableOptions {
    std::filesystem::path result;
    std::optional<std::filesystem::path> out;
};

struct RenderOptions {
    enum class Format { Png, Pdf, Svg };
    enum class View { Probability, Confidence };

    static constexpr int DefaultWidth = 800;
    static constexpr int SmallestWidth = 100;
    static constexpr int LargestWidth = 20000;
    // Four bytes each: an image of 256 MB at most, about 5200 pixels wide.
    static constexpr std::int64_t LargestPngPixels = 64'000'000;

    std::filesystem::path result;
    Format format = Format::Png;
    std::filesystem::path out;
    View view = View::Probability;
    int width = DefaultWidth; // of the whole figure, in pixels (points for PDF)
};

struct BatchArguments {
    enum class Command { Help, Version, Reconstruct, Summary, Profiles, Render };

    Command command = Command::Help;
    ReconstructOptions reconstruct;
    TableOptions table; // summary and profiles
    RenderOptions render;
};

// The arguments, or the one line that says what is wrong with them.
struct ParsedArguments {
    std::optional<BatchArguments> arguments;
    std::string error;
};

// Parses the arguments after the program name. Options take their value as the next argument or after
// "="; every error names the offending argument or value.
ParsedArguments parseBatchArguments(const std::vector<std::string>& arguments);

// The usage text printed by --help and after a usage error, ending in a line end.
std::string batchUsage();

// "brimvale-batch" and the version, ending in a line end.
std::string batchVersion();

} // namespace brimvale
