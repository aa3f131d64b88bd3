#include "review/report_files.h"

#include "review/csv_report.h"
#include "review/html_report.h"
#include "review/report_text.h"

namespace stepwise::review {

void check(const Status& status) {
    if (status) throw OutputError(cannotWrite(*status));
}

namespace {

std::size_t added(const Result<std::size_t>& result) {
    check(result.failure);
    return result.value;
}

}  // namespace

ReportOutput::ReportOutput(OutputSet& set, const std::filesystem::path& path) : set_(set), index_(added(set.add(path))) {}

void ReportOutput::write(std::string_view bytes) { check(set_.write(index_, bytes)); }

void ReportOutput::close() { check(set_.close(index_)); }

CsvReportFile::CsvReportFile(OutputSet& set, const std::filesystem::path& path) : file_(set, path) {
    file_.write(csvHeader());
}

void CsvReportFile::addStudent(const Student& student, const RecordMarks& marks) {
    rows_.clear();  // its room is kept for the next student
    appendCsvRows(rows_, student, marks);
    file_.write(rows_);
}

HtmlReportFile::HtmlReportFile(OutputSet& set, const std::filesystem::path& path)
    : set_(set), report_(set, path), students_(added(set.addScratch(path))) {}

void HtmlReportFile::addStudent(const Student& student, const StudentSummary& summary, const StudentMarks* marks) {
    section_.clear();  // its room is kept for the next student
    appendHtmlStudent(section_, student, summary, marks);
    check(set_.write(students_, section_));
}

void HtmlReportFile::finish(const ClassReview& review, const MarksReport* marks) {
    report_.write(htmlPageStart("Class review"));
    if (builtinAlone(review.summary)) {
        report_.write(htmlOverviewStart(review.summary, marks));
        for (const StudentSummary& student : review.summary.students) report_.write(htmlOverviewRow(student, marks));
        report_.write(htmlOverviewEnd());
        report_.write(htmlQuestions(review.summary));
    } else {
        for (std::size_t i = 0; i < review.summary.assignments.size(); ++i) {
            report_.write(htmlAssignmentOverview(review.summary, i, marks));
            report_.write(htmlAssignmentQuestions(review.summary, i));
        }
    }
    if (marks) report_.write(htmlClassMarks(*marks));
    report_.write(htmlStudentsStart());
    check(set_.copy(students_, report_.index()));
    report_.write(htmlStudentsEnd());
    report_.write(htmlProblems(review.problems, review.problemsOmitted));
    report_.write(htmlPageEnd());
    report_.close();
}

}  // namespace stepwise::review
