#include "review/review_run.h"

#include <cerrno>
#include <chrono>
#include <optional>

#include "review/assignment_files.h"
#include "review/class_review.h"
#include "review/marks_run.h"
#include "review/output_checks.h"
#include "review/report_files.h"
#include "review/report_text.h"
#include "review/terminal_summary.h"
#include "system/file_lock.h"
#include "system/output_set.h"
#include "system/path_text.h"
#include "system/side_thread.h"

namespace stepwise::review {

namespace {

// Folders with fewer files than this are read too quickly to need a progress line.
constexpr std::size_t progressFromFiles = 100;
// Problems listed on standard error; the rest are only counted there (the reports list them all).
constexpr std::size_t problemsPrinted = 20;
// How long a run waits for another that holds the marks file.
constexpr std::chrono::seconds marksLockPatience(10);

class ProgressLine {
public:
    explicit ProgressLine(Console& console) : console_(console) {}
    ~ProgressLine() {
        if (shown_) console_.err << "\r" << std::string(width_, ' ') << "\r" << std::flush;
    }
    void update(std::size_t done, std::size_t total) {
        if (!console_.errIsTerminal || total < progressFromFiles) return;
        const std::size_t percent = done * 100 / total;
        if (shown_ && percent == percent_ && done != total) return;
        percent_ = percent;
        shown_ = true;
        const std::string line = "Reading hand-in files: " + std::to_string(done) + " of " + std::to_string(total);
        width_ = std::max(width_, line.size());
        console_.err << "\r" << line << std::flush;
    }

private:
    Console& console_;
    bool shown_ = false;
    std::size_t percent_ = 0;
    std::size_t width_ = 0;
};

void printProblems(const ClassReview& review, std::ostream& err) {
    std::size_t printed = 0;
    for (const handin::Problem& problem : review.problems) {
        if (printed++ == problemsPrinted) break;
        std::string where = terminalText(problem.file);
        if (problem.line > 0) where += ":" + std::to_string(problem.line);
        err << "stepwise-review: " << (where.empty() ? "" : where + ": ") << terminalText(problem.message) << "\n";
    }
    const long long total = static_cast<long long>(review.problems.size()) + review.problemsOmitted;
    if (total > static_cast<long long>(problemsPrinted))
        err << "stepwise-review: " << total << " problems in all\n";
}

// The marks file's notices; true when any is a problem.
bool printMarksProblems(const MarksRun& marks, const ReviewOptions& options, std::ostream& err) {
    bool problems = false;
    std::size_t printed = 0;
    for (const MarksNotice& notice : marks.notices()) {
        problems = problems || notice.problem;
        if (printed++ < problemsPrinted)
            err << "stepwise-review: " << terminalText(utf8Path(*options.marks)) << ": " << terminalText(notice.message)
                << "\n";
    }
    if (printed > problemsPrinted) err << "stepwise-review: " << printed << " notes on the marks file in all\n";
    return problems;
}

std::vector<std::filesystem::path> reportPaths(const ReviewOptions& options) {
    std::vector<std::filesystem::path> paths;
    if (options.csv) paths.push_back(*options.csv);
    if (options.html) paths.push_back(*options.html);
    return paths;
}

std::string typedMarksMessage(const std::filesystem::path& csv, std::size_t typed) {
    return "stepwise-review: --csv " + terminalText(utf8Path(csv)) + " holds " + std::to_string(typed) +
           (typed == 1 ? " mark" : " marks") +
           " in its mark column, which writing it again would wipe; keep marks in a marks file (--marks FILE) and "
           "run again\n";
}

int usageError(const std::string& message, std::ostream& err) {
    err << "stepwise-review: " << terminalText(message) << "\n"
        << reviewUsage().substr(0, reviewUsage().find("PATH...\n") + 8)
        << "Try 'stepwise-review --help' for more information.\n";
    return exitUsage;
}

}  // namespace

int runReview(const std::vector<std::string>& arguments, Console console) {
    const ParsedOptions parsed = parseReviewOptions(arguments);
    const ReviewOptions& options = parsed.options;
    if (options.help) {
        console.out << reviewUsage();
        return exitClean;
    }
    if (options.version) {
        console.out << reviewVersion();
        return exitClean;
    }
    if (!parsed.error.empty()) return usageError(parsed.error, console.err);
    // The PATHs are searched once: for the checks, then for the review.
    std::vector<handin::Problem> foundProblems;
    std::vector<handin::HandinSource> found = handin::findHandinFiles(options.paths, foundProblems);
    if (std::string problem = checkOutputs(options, found); !problem.empty()) return usageError(problem, console.err);
    if (options.marks) try {
            checkMarksFileName(*options.marks);
        } catch (const MarksFileError& unusable) {
            console.err << "stepwise-review: " << terminalText(unusable.what()) << "\n";
            return exitUsage;
        }
    handin::KnownAssignments assignments;
    if (const std::vector<std::string> problems = addAssignmentFiles(options.assignments, assignments); !problems.empty()) {
        for (std::size_t i = 0; i + 1 < problems.size(); ++i)
            console.err << "stepwise-review: " << terminalText(problems[i]) << "\n";
        return usageError(problems.back(), console.err);
    }
    // Held until the marks file's replacement is in place, so that no other review reads it
    // before then.
    FileLock marksLock;
    if (options.marks) {
        if (const Status held = marksLock.acquire(marksLockPath(*options.marks), marksLockPatience)) {
            const std::string marks = utf8Path(*options.marks);
            console.err << "stepwise-review: --marks: "
                        << terminalText(held->code == EWOULDBLOCK
                                            ? "another review holds the marks file " + marks +
                                                  "; run again when it has finished"
                                            : "cannot lock the marks file " + marks + ": " + held->reason)
                        << "\n";
            return exitUsage;
        }
    }
    for (const std::optional<std::filesystem::path>* output :
         {&options.html, &options.csv, &options.marks, &options.studentsCsv, &options.assignmentsCsv})
        if (*output) removeStaleTemporaries(outputFolder(**output));
    bool feedbackMade = false;
    if (options.feedback) {
        const Result<bool> made = makeFolder(*options.feedback);
        if (made.failure) {
            console.err << "stepwise-review: --feedback: " << terminalText(cannotWrite(*made.failure)) << "\n";
            return exitUsage;
        }
        feedbackMade = made.value;
        removeStaleTemporaries(*options.feedback);
    }

    OutputSet outputs;
    std::optional<MarksRun> marks;
    ClassReview review;
    try {
        marks.emplace(MarksOptions{options.marks, options.studentsCsv, options.assignmentsCsv, options.feedback,
                                   reportPaths(options), &assignments},
                      outputs);
        std::optional<CsvReportFile> csv;
        std::optional<HtmlReportFile> html;
        if (options.csv) csv.emplace(outputs, *options.csv);
        if (options.html) html.emplace(outputs, *options.html);
        {
            ProgressLine progress(console);
            ReviewCallbacks callbacks;
            callbacks.student = [&](const Student& student, StudentSummary& summary) {
                marks->addStudent(student, summary);
                if (csv) csv->addStudent(student, marks->recordMarks());
                if (options.html && options.feedback)
                    summary.feedbackLink = feedbackLink(*options.html, *options.feedback, marks->pageOf(student));
                if (html) html->addStudent(student, summary, marks->marksOf(student));
            };
            callbacks.progress = [&](std::size_t done, std::size_t total) { progress.update(done, total); };
            review = reviewClass(std::move(found), std::move(foundProblems), callbacks, assignments);
        }
        // Marks typed into the report itself would be wiped by writing it again. The report is
        // read for them while the reports are finished (the HTML's students copied in after its
        // overview, which leaves the other processor free); nothing is put in place before the
        // answer.
        std::optional<WorkAside<std::size_t>> typedMarks;
        if (options.csv && !options.marks) typedMarks.emplace([&options] { return marksTypedInCsvReport(*options.csv); });
        marks->finish();
        if (csv) csv->finish();
        if (html) html->finish(review, marks->report());
        if (typedMarks)
            if (const std::size_t typed = typedMarks->get(); typed > 0) {
                outputs.discard();
                if (feedbackMade) removeEmptyFolder(*options.feedback);
                console.err << typedMarksMessage(*options.csv, typed);
                return exitUsage;
            }
        check(outputs.commit());
    } catch (const std::runtime_error& failure) {  // an input or output the run cannot use
        outputs.discard();
        if (feedbackMade) removeEmptyFolder(*options.feedback);
        console.err << "stepwise-review: " << terminalText(failure.what()) << "\n";
        return exitUsage;
    }
    marksLock.release();
    if (options.terminalSummary()) console.out << terminalSummary(review.summary);
    printProblems(review, console.err);
    const bool marksProblems = printMarksProblems(*marks, options, console.err);
    console.out.flush();
    return review.clean() && !marksProblems ? exitClean : exitProblems;
}

}  // namespace stepwise::review
