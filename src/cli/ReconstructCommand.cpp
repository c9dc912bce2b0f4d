// brimvale-batch reconstruct: one or more records against one matrix, each as a fresh window would do it.
#include "cli/ReconstructCommand.h"

#include <map>
#include <memory>
#include <system_error>

#include "cli/BatchReport.h"
#include "cli/SectionSummary.h"
#include "cli/SectionView.h"
#include "cli/WindowReplay.h"
#include "io/CorvaneMatrixReader.h"
#include "io/ResultFileWriter.h"

namespace brimvale {

namespace {

constexpr const char* ResultSuffix = ".result.csv";
constexpr const char* SummarySuffix = ".summary.csv";

// Where one record's files go.
struct RecordTargets {
    std::filesystem::path result;
    std::optional<std::filesystem::path> summary;
};

std::string matrixProblem(const std::filesystem::path& file, const RuntimeFailure& failure)
{
    switch (failure.kind()) {
    case RuntimeFailure::Kind::FileError:
        return readProblem(file, failure);
    case RuntimeFailure::Kind::InvalidData:
        return failure.what();
    default:
        return std::string("not a valid Corvane file: ") + failure.what();
    }
}

std::string dataProblem(const std::filesystem::path& file, const RuntimeFailure& failure)
{
    switch (failure.kind()) {
    case RuntimeFailure::Kind::FileError:
        return readProblem(file, failure);
    case RuntimeFailure::Kind::SubscriptOutOfRange:
        return "has more than 10001 records, the most a data file may hold";
    default:
        return std::string("not a valid data file: ") + failure.what();
    }
}

// The absolute, normalised form under which two names of one file compare equal.
std::filesystem::path identityOf(const std::filesystem::path& path)
{
    return std::filesystem::absolute(path).lexically_normal();
}

class Reconstruction {
public:
    Reconstruction(const ReconstructOptions& options, const CorvaneMatrix& matrix, BatchReport& report)
        : m_options(options), m_matrix(matrix), m_matrixName(dialogFileName(options.matrix)), m_report(report)
    {
    }

    void run(const std::filesystem::path& record, const RecordTargets& targets)
    {
        // A window holds a whole grid and record: too large for the stack.
        const auto window = std::make_unique<WindowReplay>();
        if (!replay(*window, record))
            return;

        std::string bytes;
        try {
            bytes = composeResultFile(window->saveInput());
        } catch (const RuntimeFailure& failure) {
            m_report.fail(targets.result, std::string("cannot be composed: ") + failure.what());
            return;
        }
        if (!m_report.writeFile(targets.result, bytes))
            return;
        if (targets.summary)
            m_report.writeFile(*targets.summary, composeSectionSummary(SectionView::fromReplay(*window)));
    }

private:
    // The user's steps in a freshly started window; false when one failed, which is then reported.
    bool replay(WindowReplay& window, const std::filesystem::path& record)
    {
        const auto failed = [&](const std::filesystem::path& file, const std::string& problem) {
            m_report.fail(file, problem);
            return false;
        };
        try {
            window.setWidth(m_options.width);
            window.setHeight(m_options.height);
            window.importData(record, dialogFileName(record));
        } catch (const RuntimeFailure& failure) {
            return failed(record, isRangeFailure(failure) ? failure.what() : dataProblem(record, failure));
        }
        try {
            window.importMatrix(m_matrix, m_matrixName);
        } catch (const RuntimeFailure& failure) {
            if (isRangeFailure(failure))
                return failed(record, failure.what());
            return failed(m_options.matrix, matrixProblem(m_options.matrix, failure));
        }
        try {
            window.setSmoothing(m_options.smoothing);
        } catch (const RuntimeFailure& failure) {
            return failed(record, isRangeFailure(failure)
                                      ? std::string(failure.what())
                                      : "smoothing over " + std::to_string(m_options.smoothing) +
                                            " records fails: " + failure.what());
        }
        const auto type = [&](const std::optional<std::string>& text, const char* option, auto step) {
            if (!text)
                return true;
            try {
                (window.*step)(*text);
            } catch (const RuntimeFailure& failure) {
                return failed(record, isRangeFailure(failure) ? std::string(failure.what())
                                                              : std::string(option) + " " + *text +
                                                                    " is out of range: " + failure.what());
            }
            return true;
        };
        if (!type(m_options.top, "--top", &WindowReplay::typeTop) ||
            !type(m_options.bottom, "--bottom", &WindowReplay::typeBottom))
            return false;
        try {
            window.calibrate();
        } catch (const RuntimeFailure& failure) {
            return failed(record, failure.what());
        }
        return true;
    }

    const ReconstructOptions& m_options;
    const CorvaneMatrix& m_matrix;
    std::string m_matrixName;
    BatchReport& m_report;
};

} // namespace

std::filesystem::path resultFileFor(const std::filesystem::path& folder, const std::filesystem::path& record)
{
    return folder / (record.stem().string() + ResultSuffix);
}

std::filesystem::path summaryFileFor(const std::filesystem::path& folder, const std::filesystem::path& record)
{
    return folder / (record.stem().string() + SummarySuffix);
}

ExitCode runReconstruct(const ReconstructOptions& options, std::ostream& errors)
{
    BatchReport report(errors);
    std::unique_ptr<CorvaneMatrix> matrix;
    try {
        matrix = readCorvaneMatrix(options.matrix);
    } catch (const RuntimeFailure& failure) {
        report.fail(options.matrix, matrixProblem(options.matrix, failure));
        return ExitCode::Failure;
    }

    if (options.outDirectory) {
        std::error_code error;
        std::filesystem::create_directories(*options.outDirectory, error);
        if (error) {
            report.fail(*options.outDirectory, "cannot be created: " + error.message());
            return ExitCode::Failure;
        }
    }

    // No output may replace an input or another record's output; each entry says whose the file is.
    std::map<std::filesystem::path, std::string> claimed;
    claimed.emplace(identityOf(options.matrix), "the matrix " + options.matrix.string());
    for (const std::filesystem::path& record : options.data)
        claimed.emplace(identityOf(record), "the record " + record.string());
    const auto claim = [&](const std::filesystem::path& target, const std::filesystem::path& record) {
        const auto [entry, fresh] = claimed.emplace(identityOf(target), "the output of " + record.string());
        if (!fresh) {
            report.fail(record, "its output " + target.string() + " would replace " + entry->second);
            return false;
        }
        return true;
    };

    Reconstruction reconstruction(options, *matrix, report);
    for (const std::filesystem::path& record : options.data) {
        RecordTargets targets;
        if (options.outDirectory) {
            targets.result = resultFileFor(*options.outDirectory, record);
            if (options.summaries)
                targets.summary = summaryFileFor(*options.outDirectory, record);
        } else {
            targets.result = *options.out;
            targets.summary = options.summary;
        }
        if (!claim(targets.result, record) || (targets.summary && !claim(*targets.summary, record)))
            continue;
        reconstruction.run(record, targets);
    }
    return report.failures() > 0 ? ExitCode::Failure : ExitCode::Success;
}

} // namespace brimvale
