#include "review/review_run.h"

#include <optional>

#include "review/class_review.h"
#include "review/marks_run.h"
#include "review/report_files.h"
#include "review/report_text.h"
#include "review/terminal_summary.h"
#include "system/path_text.h"

namespace stepwise::review {

namespace {

// Folders with fewer files than this are read too quickly to need a progress line.
constexpr std::size_t progressFromFiles = 100;
// Problems listed on standard error; the rest are only counted there (the reports list them all).
constexpr std::size_t problemsPrinted = 20;

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

struct Reports {
    std::optional<CsvReportFile> csv;
    std::optional<HtmlReportFile> html;

    void discard() {
        if (csv) csv->discard();
        if (html) html->discard();
    }
};

// Opens the report files asked for; on failure none of them is left behind.
bool openReports(const ReviewOptions& options, Reports& reports, std::string& error) {
    if (options.csv && !reports.csv.emplace().open(*options.csv, error)) {
        reports.csv.reset();
        return false;
    }
    if (options.html && !reports.html.emplace().open(*options.html, error)) {
        reports.html.reset();
        reports.discard();
        return false;
    }
    return true;
}

bool finishReports(Reports& reports, const ClassReview& review, std::string& error, const MarksReport* marks) {
    if (reports.csv && !reports.csv->finish(error)) return false;
    if (reports.html && !reports.html->finish(review, error, marks)) return false;
    return true;
}

// Adds a student to the marks; a feedback page that cannot be written is noted and the run goes on.
void addMarks(MarksRun& marks, const Student& student, const StudentSummary& summary,
              std::vector<std::string>& failures) {
    if (std::string failure = marks.addStudent(student, summary); !failure.empty()) failures.push_back(std::move(failure));
}

// The marks file's notices and what could not be written; true when any is a problem.
bool printMarksProblems(const MarksRun& marks, const ReviewOptions& options, const std::vector<std::string>& failures,
                        std::ostream& err) {
    bool problems = !failures.empty();
    std::size_t printed = 0;
    for (const MarksNotice& notice : marks.notices()) {
        problems = problems || notice.problem;
        if (printed++ < problemsPrinted)
            err << "stepwise-review: " << terminalText(utf8Path(*options.marks)) << ": " << terminalText(notice.message)
                << "\n";
    }
    if (printed > problemsPrinted) err << "stepwise-review: " << printed << " notes on the marks file in all\n";
    for (const std::string& failure : failures) err << "stepwise-review: " << terminalText(failure) << "\n";
    return problems;
}

std::vector<std::filesystem::path> reportPaths(const ReviewOptions& options) {
    std::vector<std::filesystem::path> paths;
    if (options.csv) paths.push_back(*options.csv);
    if (options.html) paths.push_back(*options.html);
    return paths;
}

}  // namespace

int runReview(const std::vector<std::string>& arguments, Console console) {
    const ParsedOptions parsed = parseReviewOptions(arguments);
    if (!parsed.error.empty()) {
        console.err << "stepwise-review: " << terminalText(parsed.error) << "\n"
                    << "Try 'stepwise-review --help' for more information.\n";
        return exitUsage;
    }
    const ReviewOptions& options = parsed.options;
    if (options.help) {
        console.out << reviewUsage();
        return exitClean;
    }
    if (options.version) {
        console.out << reviewVersion();
        return exitClean;
    }

    // Marks typed into the report itself would be wiped by writing it again.
    if (options.csv && !options.marks)
        if (const std::size_t typed = marksTypedInCsvReport(*options.csv); typed > 0) {
            console.err << "stepwise-review: --csv " << terminalText(utf8Path(*options.csv)) << " holds " << typed
                        << (typed == 1 ? " mark" : " marks")
                        << " in its mark column, which writing it again would wipe; keep marks in a marks file "
                           "(--marks FILE) and run again\n";
            return exitUsage;
        }
    std::optional<MarksRun> marks;
    try {
        marks.emplace(MarksOptions{options.marks, options.studentsCsv, options.feedback, reportPaths(options)});
    } catch (const std::runtime_error& failure) {  // the marks file unreadable, the feedback folder not made
        console.err << "stepwise-review: " << terminalText(failure.what()) << "\n";
        return exitUsage;
    }
    std::vector<std::string> marksFailures;
    Reports reports;
    std::string error;
    if (!openReports(options, reports, error)) {
        console.err << "stepwise-review: " << terminalText(error) << "\n";
        return exitUsage;
    }
    ClassReview review;
    {
        ProgressLine progress(console);
        ReviewCallbacks callbacks;
        callbacks.student = [&](const Student& student, StudentSummary& summary) {
            addMarks(*marks, student, summary, marksFailures);
            if (reports.csv) reports.csv->addStudent(student, marks->recordMarks());
            if (options.html && options.feedback)
                summary.feedbackLink = feedbackLink(*options.html, *options.feedback, marks->pageOf(student));
            if (reports.html) reports.html->addStudent(student, summary, marks->marksOf(student));
        };
        callbacks.progress = [&](std::size_t done, std::size_t total) { progress.update(done, total); };
        review = reviewClass(options.paths, callbacks);
    }
    if (std::string failure = marks->finish(); !failure.empty()) marksFailures.push_back(std::move(failure));
    if (!finishReports(reports, review, error, marks->report())) {
        reports.discard();
        console.err << "stepwise-review: " << terminalText(error) << "\n";
        return exitUsage;
    }
    if (options.terminalSummary()) console.out << terminalSummary(review.summary);
    printProblems(review, console.err);
    const bool marksProblems = printMarksProblems(*marks, options, marksFailures, console.err);
    console.out.flush();
    return review.clean() && !marksProblems ? exitClean : exitProblems;
}

}  // namespace stepwise::review
