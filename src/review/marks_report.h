#pragma once
// What the marks add to the HTML report: the mark of each answer in the overview, each student's
// accuracy, average CBM points and calibration chart, the class's calibration chart, and the
// confident errors (marked wrong at confidence 3) of each question.
#include <array>
#include <map>
#include <string>
#include <vector>

#include "review/cbm.h"
#include "review/csv_report.h"
#include "review/marks_file.h"

namespace stepwise::review {

struct StudentMarks {
    CbmFigures figures;                     // every assignment's marked answers
    std::array<Mark, 12> marks{};           // the built-in assignment's questions 1-12
    std::array<bool, 12> answeredAgain{};   // the mark is for an earlier answer
    std::map<const handin::Record*, Mark> byRecord;   // the answers marked, by their records
    // Every assignment's: the mark of each question, and whether it is for an earlier answer, by
    // (assignment header line, question); the figures of each assignment.
    std::map<std::pair<std::string, int>, std::pair<Mark, bool>> questionMarks;
    std::map<std::string, CbmFigures> assignmentFigures;
};

struct ConfidentError {
    std::string student;
    std::string response;
};

class MarksReport {
public:
    // A student's rows as the merge returned them, and their marks by the records they are for.
    void addStudent(const std::string& name, const std::vector<MarksRow>& rows, const RecordMarks& byRecord = {});

    // Nothing for a student who has no answer.
    const StudentMarks* student(const std::string& name) const;
    const CbmFigures& classFigures() const { return classFigures_; }
    const std::vector<ConfidentError>& confidentErrors(int question) const { return confidentErrors_.at(question - 1); }
    // The confident errors of the other assignments, by (header line, question).
    const std::map<std::pair<std::string, int>, std::vector<ConfidentError>>& otherConfidentErrors() const {
        return otherConfidentErrors_;
    }

    // What the marks file showed the instructor should look at, kept for the report.
    std::vector<MarksNotice> notices;

private:
    std::map<std::string, StudentMarks> students_;
    CbmFigures classFigures_;
    std::array<std::vector<ConfidentError>, 12> confidentErrors_;
    std::map<std::pair<std::string, int>, std::vector<ConfidentError>> otherConfidentErrors_;
};

// The figures of a student's rows that count.
StudentMarks studentMarks(const std::vector<MarksRow>& rows);

// The signs of the report, each with its words for a title and for screen readers: a tick for
// marked right, a cross for marked wrong; "" when unmarked.
std::string htmlMarkSign(Mark mark, const std::string& note = "");

// A mark for an overview cell: of the built-in assignment's question, or of the assignment's.
std::string htmlCellMark(const StudentMarks* marks, int question);
std::string htmlCellMark(const StudentMarks* marks, const std::string& assignment, int question);

// The mark beside an answer in a student's section: the sign and its word, or "not marked yet".
std::string htmlAnswerMark(Mark mark);

// Accuracy and average CBM points for a student's totals: "2 of 5 right (40 %), CBM -0.60".
std::string marksTotalsText(const CbmFigures& figures);

// A student's marks in their section of the report: totals, calibration chart and sentence.
std::string htmlStudentMarks(const std::string& name, const StudentMarks& marks);

// The class's calibration chart, the confident errors of each question and the notices about the
// marks file.
std::string htmlClassMarks(const MarksReport& report);

}  // namespace stepwise::review
