#pragma once
// The report files, written through the run's output set (system/output_set.h): nothing reaches
// its place before every output of the run is written. The HTML report lists the students'
// sections after the class overview, which is known only once every student is read: the sections
// go to a scratch file beside the report as each student is read, and are copied into the report
// at the end.
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

#include "review/class_review.h"
#include "review/csv_report.h"
#include "review/marks_report.h"
#include "system/output_set.h"

namespace stepwise::review {

// An output that cannot be written; the message names the file and the system's reason.
class OutputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One output of the run: its temporary file, made when it is opened. Throws OutputError.
class ReportOutput {
public:
    ReportOutput(OutputSet& set, const std::filesystem::path& path);
    void write(std::string_view bytes);
    void close();
    std::size_t index() const { return index_; }

protected:
    OutputSet& set_;
    std::size_t index_;
};

class CsvReportFile {
public:
    CsvReportFile(OutputSet& set, const std::filesystem::path& path);
    void addStudent(const Student& student, const RecordMarks& marks = {});
    void finish() { file_.close(); }

private:
    ReportOutput file_;
    std::string rows_;  // a student's rows, made here: the room of the longest is kept
};

class HtmlReportFile {
public:
    HtmlReportFile(OutputSet& set, const std::filesystem::path& path);
    void addStudent(const Student& student, const StudentSummary& summary, const StudentMarks* marks = nullptr);
    void finish(const ClassReview& review, const MarksReport* marks = nullptr);

private:
    OutputSet& set_;
    ReportOutput report_;
    std::size_t students_;  // the scratch file of student sections
    std::string section_;   // a student's section, made here: the room of the longest is kept
};

// Throws OutputError for the failure, if any.
void check(const Status& status);

}  // namespace stepwise::review
