#include "review/report_files.h"

#include <cerrno>
#include <cstring>
#include <system_error>

#include "review/csv_report.h"
#include "review/html_report.h"
#include "system/path_text.h"

namespace stepwise::review {

namespace {

std::string failure(const char* what, const std::filesystem::path& path) {
    const int code = errno;
    std::string message = std::string(what) + " " + utf8Path(path);
    if (code) message += ": " + std::generic_category().message(code);
    return message;
}

}  // namespace

bool OutputFile::open(const std::filesystem::path& path, std::string& error) {
    path_ = path;
    errno = 0;
    stream_.open(path, std::ios::binary | std::ios::trunc);
    if (stream_) return true;
    error = failure("cannot write", path);
    return false;
}

bool OutputFile::close(std::string& error) {
    errno = 0;
    stream_.flush();
    const bool written = static_cast<bool>(stream_);
    stream_.close();
    if (written && stream_) return true;
    error = failure("could not write all of", path_);
    return false;
}

void OutputFile::discard() {
    if (path_.empty()) return;
    stream_.close();
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
}

bool CsvReportFile::open(const std::filesystem::path& path, std::string& error) {
    if (!file_.open(path, error)) return false;
    file_.write(csvHeader());
    return true;
}

void CsvReportFile::addStudent(const Student& student, const RecordMarks& marks) {
    file_.write(csvRows(student, marks));
}

bool HtmlReportFile::open(const std::filesystem::path& path, std::string& error) {
    if (!report_.open(path, error)) return false;
    std::filesystem::path scratch = path;
    scratch += ".students.part";
    if (students_.open(scratch, error)) return true;
    report_.discard();
    return false;
}

void HtmlReportFile::addStudent(const Student& student, const StudentSummary& summary, const StudentMarks* marks) {
    students_.write(htmlStudent(student, summary, marks));
}

bool HtmlReportFile::finish(const ClassReview& review, std::string& error, const MarksReport* marks) {
    if (!students_.close(error)) return false;
    report_.write(htmlPageStart("Class review"));
    report_.write(htmlOverviewStart(review.summary, marks));
    for (const StudentSummary& student : review.summary.students) report_.write(htmlOverviewRow(student, marks));
    report_.write(htmlOverviewEnd());
    report_.write(htmlQuestions(review.summary));
    if (marks) report_.write(htmlClassMarks(*marks));
    report_.write(htmlStudentsStart());
    {
        std::ifstream sections(students_.path(), std::ios::binary);
        if (!sections) {
            error = failure("cannot read back", students_.path());
            return false;
        }
        if (sections.peek() != std::ifstream::traits_type::eof()) report_.stream() << sections.rdbuf();
    }
    students_.discard();
    report_.write(htmlStudentsEnd());
    report_.write(htmlProblems(review.problems, review.problemsOmitted));
    report_.write(htmlPageEnd());
    return report_.close(error);
}

void HtmlReportFile::discard() {
    students_.discard();
    report_.discard();
}

}  // namespace stepwise::review
