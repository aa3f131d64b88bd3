#pragma once
// The pieces of the HTML report (--html), one self-contained page: the class overview, the
// questions, one section per student and the problems found. Everything a student typed is
// escaped, the page loads nothing and runs no script (its Content-Security-Policy forbids any),
// and it prints cleanly.
#include <string>
#include <vector>

#include "review/class_summary.h"
#include "review/marks_report.h"

namespace stepwise::review {

// Everything up to the report's first section.
std::string htmlPageStart(const std::string& title);

// The overview table: a row per student, a cell per question 1-12 with answered or not and the
// confidence, and the student's totals. With marks, each cell shows its mark too, and the totals
// the student's accuracy and average CBM points.
// Written in three parts, so that a large class's rows go out one at a time.
std::string htmlOverview(const ClassSummary& summary, const MarksReport* marks = nullptr);
std::string htmlOverviewStart(const ClassSummary& summary, const MarksReport* marks = nullptr);
std::string htmlOverviewRow(const StudentSummary& student, const MarksReport* marks = nullptr);
std::string htmlOverviewEnd();

// Per question: how many answered, the confidence distribution as a bar chart, the median time.
std::string htmlQuestions(const ClassSummary& summary);

// True when the class worked the built-in assignment alone (or nothing): the report then has the
// one overview and questions section above. Else each assignment the class worked has its own,
// by its index in summary.assignments, with a column per question of that assignment.
bool builtinAlone(const ClassSummary& summary);
std::string htmlAssignmentOverview(const ClassSummary& summary, std::size_t index, const MarksReport* marks = nullptr);
std::string htmlAssignmentQuestions(const ClassSummary& summary, std::size_t index);

// One student's work, block by block: the block beside each response or notes record with its
// rating, time stamp and seconds; with marks, the student's figures and calibration chart first.
// Opens and closes the section that holds all students.
std::string htmlStudentsStart();
std::string htmlStudent(const Student& student, const StudentSummary& summary, const StudentMarks* marks = nullptr);
// The same, appended to `html`.
void appendHtmlStudent(std::string& html, const Student& student, const StudentSummary& summary,
                       const StudentMarks* marks = nullptr);
std::string htmlStudentsEnd();

// The problems found, with file and line; `omitted` problems were counted but not kept.
std::string htmlProblems(const std::vector<handin::Problem>& problems, long long omitted);

std::string htmlPageEnd();

// The confidence distribution as a small inline SVG bar chart: bars for 0, 1, 2, 3 and no rating.
std::string confidenceChart(const QuestionSummary& question);

}  // namespace stepwise::review
