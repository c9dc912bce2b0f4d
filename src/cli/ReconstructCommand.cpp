// brimvale-batch reconstruct: one or more records against one matrix, each as a fresh window would do it.
#include "cli/ReconstructCommand.h"

#include <QString>

#include <map>
#include <system_error>

#include "cli/BatchReport.h"
#include "cli/HeadlessWindow.h"
#include "cli/SectionSummary.h"
#include "cli/SectionView.h"
#include "io/ResultFileWriter.h"
#include "ui/MainWindow.h"

namespace brimvale {

namespace {

constexpr const char* ResultSuffix = ".result.csv";
constexpr const char* SummarySuffix = ".summary.csv";

// Where one record's files go.
struct RecordTargets {
    std::filesystem::path result;
    std::optional<std::filesystem::path> summary;
    std::optional<std::filesystem::path> page;
};

std::string matrixProblem(const std::filesystem::path& file, const RuntimeFailure& failure)
{
    switch (failure.kind()) {
    case RuntimeFailure::Kind::FileError:
        return readProblem(file, failure);
    case RuntimeFailure::Kind::InvalidData:
        return placedMessage(failure);
    default:
        return "not a valid Corvane file: " + placedMessage(failure);
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
        return "not a valid data file: " + placedMessage(failure);
    }
}

// The message the window showed, with the failure behind it: "Please set valid range. (vertical 0 to 0,
// horizontal 10 to 20: Division by zero)".
std::string shownProblem(const StepProblem& problem)
{
    std::string line = problem.message.toStdString();
    if (problem.failure)
        line += " (" + problem.subject.toStdString() + ": " + problem.failure->what() + ")";
    return line;
}

class Reconstruction {
public:
    Reconstruction(const ReconstructOptions& options, BatchReport& report) : m_options(options), m_report(report)
    {
    }

    // False once the window has refused the matrix, which it would refuse for every record alike.
    bool matrixUsable() const { return m_matrixUsable; }

    void run(const std::filesystem::path& record, const RecordTargets& targets)
    {
        HeadlessWindow window;
        if (!prepare(window, record))
            return;
        if (const auto problem = window.saveMatrix(targets.result)) {
            if (problem->failure)
                m_report.fail(targets.result, writeProblem(targets.result, *problem->failure));
            else
                m_report.fail(targets.result, "cannot be written: " + problem->message.toStdString());
            return;
        }
        if (targets.summary)
            m_report.writeFile(*targets.summary,
                               composeSectionSummary(SectionView::fromWindow(window.window())));
        if (targets.page)
            printPage(window, *targets.page);
    }

private:
    // File > Print after the steps, with the title typed into the print options first when one is given.
    void printPage(HeadlessWindow& window, const std::filesystem::path& page)
    {
        if (m_options.title) {
            if (auto problem = window.typeTitle(QString::fromStdString(*m_options.title))) {
                m_report.fail(page, "--title " + *m_options.title + ": " + problem->message.toStdString());
                return;
            }
        }
        if (auto problem = window.print(page))
            m_report.fail(page, problem->failure ? writeProblem(page, *problem->failure)
                                                 : "cannot be written: " + problem->message.toStdString());
    }

    // The user's steps in a freshly started window up to "Calibrate"; false when one failed, which is
    // then reported.
    bool prepare(HeadlessWindow& window, const std::filesystem::path& record)
    {
        // A message the window shows concerns the record: its ranges are what the window could not use.
        const auto failed = [&](const StepProblem& problem, const std::string& otherwise) {
            m_report.fail(record, problem.message.isEmpty() ? otherwise : shownProblem(problem));
            return false;
        };
        const auto reason = [](const StepProblem& problem) {
            return problem.failure ? std::string(problem.failure->what()) : std::string("failed");
        };
        if (auto problem = window.setWidth(m_options.width))
            return failed(*problem, "--width " + std::to_string(m_options.width) + ": " + reason(*problem));
        if (auto problem = window.setHeight(m_options.height))
            return failed(*problem, "--height " + std::to_string(m_options.height) + ": " + reason(*problem));
        if (auto problem = window.importData(record))
            return failed(*problem, problem->failure ? dataProblem(record, *problem->failure)
                                                     : "not a valid data file");
        // The window takes a file of titles alone and draws nothing; calibrating would find no range.
        if (window.window().dataSeries.lastIndex < 0.0f)
            return failed({}, "not a valid data file: no records");
        if (auto problem = window.importMatrix(m_options.matrix)) {
            // The record was drawn before; a range the window cannot use now is the matrix's axis.
            if (!problem->message.isEmpty()) {
                m_report.fail(m_options.matrix, shownProblem(*problem));
                return false;
            }
            m_report.fail(m_options.matrix, problem->failure
                                                ? matrixProblem(m_options.matrix, *problem->failure)
                                                : "not a valid Corvane file");
            m_matrixUsable = false;
            return false;
        }
        if (auto problem = window.setSmoothing(m_options.smoothing))
            return failed(*problem, "smoothing over " + std::to_string(m_options.smoothing) +
                                        " records fails: " + reason(*problem));
        if (m_options.top) {
            if (auto problem = window.typeTop(QString::fromStdString(*m_options.top)))
                return failed(*problem, "--top " + *m_options.top + ": " + reason(*problem));
        }
        if (m_options.bottom) {
            if (auto problem = window.typeBottom(QString::fromStdString(*m_options.bottom)))
                return failed(*problem, "--bottom " + *m_options.bottom + ": " + reason(*problem));
        }
        if (auto problem = window.calibrate())
            return failed(*problem, "cannot be calibrated: " + reason(*problem));
        return true;
    }

    const ReconstructOptions& m_options;
    BatchReport& m_report;
    bool m_matrixUsable = true;
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
    claimed.emplace(fileIdentity(options.matrix), "the matrix " + options.matrix.string());
    for (const std::filesystem::path& record : options.data)
        claimed.emplace(fileIdentity(record), "the record " + record.string());
    const auto claim = [&](const std::filesystem::path& target, const std::filesystem::path& record) {
        const auto [entry, fresh] = claimed.emplace(fileIdentity(target), "the output of " + record.string());
        if (!fresh) {
            report.fail(record, "its output " + target.string() + " would replace " + entry->second);
            return false;
        }
        return true;
    };

    // The files of a run of several records are made durable together, with one sync at the end.
    std::optional<DeferredSaves> saves;
    if (options.outDirectory)
        saves.emplace();
    Reconstruction reconstruction(options, report);
    for (const std::filesystem::path& record : options.data) {
        if (!reconstruction.matrixUsable())
            break;
        RecordTargets targets;
        if (options.outDirectory) {
            targets.result = resultFileFor(*options.outDirectory, record);
            if (options.summaries)
                targets.summary = summaryFileFor(*options.outDirectory, record);
        } else {
            targets.result = *options.out;
            targets.summary = options.summary;
            targets.page = options.page;
        }
        if (!claim(targets.result, record) || (targets.summary && !claim(*targets.summary, record)) ||
            (targets.page && !claim(*targets.page, record)))
            continue;
        reconstruction.run(record, targets);
    }
    if (saves) {
        for (const DeferredSaves::Failure& failed : saves->commit())
            report.fail(failed.path, writeProblem(failed.path, failed.failure));
    }
    return report.failures() > 0 ? ExitCode::Failure : ExitCode::Success;
}

} // namespace brimvale
