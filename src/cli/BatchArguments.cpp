// The command line of brimvale-batch: its commands, their options, and the usage text.
#include "cli/BatchArguments.h"

#include <charconv>
#include <map>
#include <set>

namespace brimvale {

namespace {

#ifndef BRIMVALE_VERSION
#define BRIMVALE_VERSION "unknown"
#endif

using Command = BatchArguments::Command;

// Raised inside the parser only, and turned into ParsedArguments::error.
struct UsageError {
    std::string message;
};

// The options of one command as given: each name with its values in order.
class OptionList {
public:
    OptionList(const std::vector<std::string>& arguments, std::size_t first,
               const std::set<std::string>& valued, const std::set<std::string>& flags)
    {
        for (std::size_t k = first; k < arguments.size(); ++k) {
            const std::string& argument = arguments[k];
            if (argument.rfind("--", 0) != 0) {
                m_positionals.push_back(argument);
                continue;
            }
            const std::size_t equals = argument.find('=');
            const std::string name = argument.substr(0, equals);
            if (flags.count(name)) {
                if (equals != std::string::npos)
                    throw UsageError{name + " takes no value: " + argument};
                m_values[name].emplace_back();
            } else if (valued.count(name)) {
                if (equals != std::string::npos) {
                    m_values[name].push_back(argument.substr(equals + 1));
                } else {
                    if (k + 1 >= arguments.size())
                        throw UsageError{name + " needs a value"};
                    m_values[name].push_back(arguments[++k]);
                }
            } else {
                throw UsageError{"unknown option " + argument};
            }
        }
    }

    const std::vector<std::string>& positionals() const { return m_positionals; }
    bool has(const std::string& name) const { return m_values.count(name) != 0; }

    std::vector<std::string> all(const std::string& name) const
    {
        const auto found = m_values.find(name);
        return found == m_values.end() ? std::vector<std::string>{} : found->second;
    }

    std::optional<std::string> single(const std::string& name) const
    {
        const auto found = m_values.find(name);
        if (found == m_values.end())
            return std::nullopt;
        if (found->second.size() > 1)
            throw UsageError{name + " given more than once"};
        return found->second.front();
    }

    std::string required(const std::string& name) const
    {
        std::optional<std::string> value = single(name);
        if (!value)
            throw UsageError{name + " is required"};
        return *value;
    }

private:
    std::vector<std::string> m_positionals;
    std::map<std::string, std::vector<std::string>> m_values;
};

int wholeNumberIn(const std::string& name, const std::string& text, int lowest, int highest)
{
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || value < lowest || value > highest)
        throw UsageError{name + " must be a whole number from " + std::to_string(lowest) + " to " +
                         std::to_string(highest) + ": " + text};
    return value;
}

std::filesystem::path pathOf(const std::string& name, const std::string& text)
{
    if (text.empty())
        throw UsageError{name + " needs a file name"};
    return std::filesystem::path(text);
}

void noPositionals(const OptionList& options, const std::string& command)
{
    if (!options.positionals().empty())
        throw UsageError{"unexpected argument for " + command + ": " + options.positionals().front()};
}

ReconstructOptions parseReconstruct(const std::vector<std::string>& arguments)
{
    const OptionList options(arguments, 1,
                             {"--data", "--matrix", "--out", "--out-dir", "--summary", "--smoothing",
                              "--width", "--height", "--top", "--bottom", "--page", "--title"},
                             {"--summaries"});
    noPositionals(options, "reconstruct");
    ReconstructOptions reconstruct;
    for (const std::string& data : options.all("--data"))
        reconstruct.data.push_back(pathOf("--data", data));
    if (reconstruct.data.empty())
        throw UsageError{"--data is required"};
    reconstruct.matrix = pathOf("--matrix", options.required("--matrix"));

    if (const auto out = options.single("--out"))
        reconstruct.out = pathOf("--out", *out);
    if (const auto directory = options.single("--out-dir"))
        reconstruct.outDirectory = pathOf("--out-dir", *directory);
    if (reconstruct.out && reconstruct.outDirectory)
        throw UsageError{"give either --out or --out-dir, not both"};
    if (!reconstruct.out && !reconstruct.outDirectory)
        throw UsageError{"--out (one record) or --out-dir (several records) is required"};
    if (reconstruct.out && reconstruct.data.size() > 1)
        throw UsageError{"--out takes one record, but " + std::to_string(reconstruct.data.size()) +
                         " --data files were given; use --out-dir"};

    if (const auto summary = options.single("--summary")) {
        if (!reconstruct.out)
            throw UsageError{"--summary goes with --out; use --summaries with --out-dir"};
        reconstruct.summary = pathOf("--summary", *summary);
    }
    reconstruct.summaries = options.has("--summaries");
    if (reconstruct.summaries && !reconstruct.outDirectory)
        throw UsageError{"--summaries goes with --out-dir; use --summary FILE with --out"};

    if (const auto smoothing = options.single("--smoothing"))
        reconstruct.smoothing = wholeNumberIn("--smoothing", *smoothing, 1, 10);
    if (const auto width = options.single("--width"))
        reconstruct.width = wholeNumberIn("--width", *width, 0, 100);
    if (const auto height = options.single("--height"))
        reconstruct.height = wholeNumberIn("--height", *height, 0, 100);
    reconstruct.top = options.single("--top");
    reconstruct.bottom = options.single("--bottom");
    if (const auto page = options.single("--page")) {
        if (!reconstruct.out)
            throw UsageError{"--page goes with --out: it prints one record's page"};
        reconstruct.page = pathOf("--page", *page);
    }
    reconstruct.title = options.single("--title");
    if (reconstruct.title && !reconstruct.page)
        throw UsageError{"--title goes with --page"};
    return reconstruct;
}

TableOptions parseTable(const std::vector<std::string>& arguments)
{
    const OptionList options(arguments, 1, {"--out"}, {});
    if (options.positionals().size() != 1)
        throw UsageError{arguments[0] + " takes one result file, " +
                         (options.positionals().empty() ? std::string("none was given")
                                                        : "not " + options.positionals()[1])};
    TableOptions table;
    table.result = pathOf(arguments[0], options.positionals().front());
    if (const auto out = options.single("--out"))
        table.out = pathOf("--out", *out);
    return table;
}

RenderOptions parseRender(const std::vector<std::string>& arguments)
{
    const OptionList options(arguments, 1, {"--png", "--pdf", "--svg", "--view", "--width"}, {});
    if (options.positionals().size() != 1)
        throw UsageError{"render takes one result file, " + (options.positionals().empty()
                                                                 ? std::string("none was given")
                                                                 : "not " + options.positionals()[1])};
    RenderOptions render;
    render.result = pathOf("render", options.positionals().front());

    int outputs = 0;
    const std::pair<const char*, RenderOptions::Format> formats[] = {{"--png", RenderOptions::Format::Png},
                                                                     {"--pdf", RenderOptions::Format::Pdf},
                                                                     {"--svg", RenderOptions::Format::Svg}};
    for (const auto& [name, format] : formats) {
        if (const auto out = options.single(name)) {
            ++outputs;
            render.format = format;
            render.out = pathOf(name, *out);
        }
    }
    if (outputs != 1)
        throw UsageError{"render needs exactly one of --png, --pdf and --svg"};

    if (const auto view = options.single("--view")) {
        if (*view == "probability")
            render.view = RenderOptions::View::Probability;
        else if (*view == "confidence")
            render.view = RenderOptions::View::Confidence;
        else
            throw UsageError{"--view must be probability or confidence: " + *view};
    }
    if (const auto width = options.single("--width"))
        render.width =
            wholeNumberIn("--width", *width, RenderOptions::SmallestWidth, RenderOptions::LargestWidth);
    return render;
}

} // namespace

ParsedArguments parseBatchArguments(const std::vector<std::string>& arguments)
{
    ParsedArguments parsed;
    BatchArguments batch;
    // Asking for help or the version always works, whatever else the line holds.
    for (const std::string& argument : arguments) {
        if (argument == "--help" || argument == "-h") {
            batch.command = Command::Help;
            parsed.arguments = batch;
            return parsed;
        }
    }
    for (const std::string& argument : arguments) {
        if (argument == "--version") {
            batch.command = Command::Version;
            parsed.arguments = batch;
            return parsed;
        }
    }

    try {
        if (arguments.empty())
            throw UsageError{"no command given"};
        const std::string& command = arguments.front();
        if (command == "reconstruct") {
            batch.command = Command::Reconstruct;
            batch.reconstruct = parseReconstruct(arguments);
        } else if (command == "summary") {
            batch.command = Command::Summary;
            batch.table = parseTable(arguments);
        } else if (command == "profiles") {
            batch.command = Command::Profiles;
            batch.table = parseTable(arguments);
        } else if (command == "render") {
            batch.command = Command::Render;
            batch.render = parseRender(arguments);
        } else {
            throw UsageError{"unknown command " + command};
        }
    } catch (const UsageError& error) {
        parsed.error = error.message;
        return parsed;
    }
    parsed.arguments = batch;
    return parsed;
}

std::string batchUsage()
{
    return "Usage:\n"
           "  brimvale-batch reconstruct --data DATA.csv --matrix MATRIX.csv --out RESULT.csv\n"
           "                 [--summary SUMMARY.csv] [--smoothing N] [--width PCT] [--height PCT]\n"
           "                 [--top VALUE] [--bottom VALUE] [--page PAGE.pdf [--title TEXT]]\n"
           "  brimvale-batch reconstruct --data DATA.csv [--data DATA.csv ...] --matrix MATRIX.csv\n"
           "                 --out-dir DIR [--summaries] [options as above]\n"
           "  brimvale-batch summary RESULT.csv [--out SUMMARY.csv]\n"
           "  brimvale-batch profiles RESULT.csv [--out PROFILES.csv]\n"
           "  brimvale-batch render RESULT.csv (--png FILE | --pdf FILE | --svg FILE)\n"
           "                 [--view probability|confidence] [--width PX]\n"
           "  brimvale-batch --help | --version\n"
           "\n"
           "reconstruct  does what a user does in a freshly started Brimvale window: sets the figure\n"
           "             width (--width, 0 to 100, default 100) and height (--height, default 100),\n"
           "             imports the data file and the Corvane matrix, sets the smoothing level\n"
           "             (--smoothing, 1 to 10, default 1), types --top and --bottom into the range\n"
           "             boxes, calibrates and saves the section. With --out-dir each record's result\n"
           "             is DIR/<record name>.result.csv (and DIR/<record name>.summary.csv with\n"
           "             --summaries); --summary writes the section's row summary. --page then\n"
           "             prints the window's page (File > Print with the default print options and\n"
           "             --title as the page title) to a PDF file.\n"
           "summary      one line per section row: vertical value, input value, the intervals of both\n"
           "             confidence coefficients, mode and average, as the section view shows them.\n"
           "profiles     every row's distribution in long form: one line per row and climate step.\n"
           "render       the section figure with its mode and average curves as PNG, PDF or SVG,\n"
           "             --width pixels wide (default 800).\n"
           "\n"
           "Exit status: 0 on success, 1 when a file could not be read or written or a range was\n"
           "invalid, 2 for a wrong command line.\n";
}

std::string batchVersion()
{
    return std::string("brimvale-batch ") + BRIMVALE_VERSION + "\n";
}

} // namespace brimvale
