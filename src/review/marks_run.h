#pragma once
// The marks side of one stepwise-review run: the marks file is read before the class, each
// student's last answers are merged into it as the student is read (their feedback page and
// totals with them), and at the end the marks file and the students spreadsheet are written.
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "review/class_summary.h"
#include "review/csv_report.h"
#include "review/feedback_page.h"
#include "review/marks_file.h"
#include "review/marks_report.h"
#include "review/report_files.h"
#include "review/students_csv.h"

namespace stepwise::review {

struct MarksOptions {
    std::optional<std::filesystem::path> marks;         // --marks FILE
    std::optional<std::filesystem::path> studentsCsv;   // --students-csv FILE
    std::optional<std::filesystem::path> assignmentsCsv;   // --assignments-csv FILE
    std::optional<std::filesystem::path> feedback;      // --feedback FOLDER
    std::vector<std::filesystem::path> otherOutputs;    // the run's reports, whose names no page takes
    const handin::KnownAssignments* known = &handin::KnownAssignments::builtinOnly();  // the run's assignments
};

// A student's last answers as the marks file holds them (UTF-8, CR LF line breaks).
std::vector<CurrentAnswer> currentAnswers(const Student& student);

// The question as the student saw it: the block without its "`qNNN." marker.
std::string questionText(TextView block);

class MarksRun {
public:
    // Reads the marks file when there is one and opens the marks file's and the students
    // spreadsheet's outputs in `outputs`; throws MarksFileError when the marks file cannot be read,
    // OutputError when an output cannot be written, before anything is written. The feedback
    // folder must exist.
    MarksRun(MarksOptions options, OutputSet& outputs);
    MarksRun(const MarksRun&) = delete;
    MarksRun& operator=(const MarksRun&) = delete;

    // One student, fully read. Their feedback page is written at once to its temporary file;
    // throws OutputError when it cannot be.
    void addStudent(const Student& student, const StudentSummary& summary);

    // The marks the marks file gives the answers of the student added last, by the record each
    // marks row is for (the --csv report's `mark` column); nothing without a marks file.
    const RecordMarks& recordMarks() const { return recordMarks_; }

    // The file name of the feedback page of a student already added; "" without --feedback.
    std::string pageOf(const Student& student) const;

    // The marks of a student already added; nothing without a marks file.
    const StudentMarks* marksOf(const Student& student) const;
    // The report's figures; nothing without a marks file.
    const MarksReport* report() const { return table_ ? &report_ : nullptr; }

    // Writes the marks file and the students' spreadsheets to their temporary files; throws
    // OutputError when they cannot be.
    void finish();

    // What the instructor should look at in the marks file, with row numbers.
    const std::vector<MarksNotice>& notices() const;

private:
    MarksOptions options_;
    OutputSet& outputs_;
    std::optional<ReportOutput> marksOutput_;
    std::optional<ReportOutput> studentsOutput_;
    std::optional<ReportOutput> assignmentsOutput_;
    std::optional<MarksTable> table_;
    std::optional<MarksMerge> merge_;
    MarksReport report_;
    std::vector<StudentTotals> totals_;
    std::vector<StudentTotals> assignmentTotals_;
    std::optional<FeedbackPageNames> pages_;
    RecordMarks recordMarks_;
    std::map<Text, std::string> pageOf_;   // by student name
};

}  // namespace stepwise::review
