#include "review/terminal_summary.h"

#include <algorithm>
#include <vector>

#include "format/utf8.h"
#include "review/report_text.h"

namespace stepwise::review {

namespace {

// Characters shown, counting each UTF-8 sequence once.
std::size_t displayWidth(const std::string& utf8) {
    return static_cast<std::size_t>(
        std::count_if(utf8.begin(), utf8.end(), [](char c) { return !isUtf8Continuation(static_cast<unsigned char>(c)); }));
}

std::string padRight(const std::string& text, std::size_t width) {
    return text + std::string(width - std::min(width, displayWidth(text)), ' ');
}

std::string padLeft(const std::string& text, std::size_t width) {
    return std::string(width - std::min(width, displayWidth(text)), ' ') + text;
}

std::vector<std::string> workRow(const StudentSummary& student, const AssignmentWork& work, bool named) {
    std::vector<std::string> row = {terminalText(reportUtf8(student.name))};
    if (named) row.push_back(terminalText(reportUtf8(work.assignment)));
    const std::vector<std::string> figures = {
        std::to_string(work.answered()) + " of " + std::to_string(work.questionNumbers.size()),
        formatMedian(work.medianConfidence), formatMinutes(work.minutesOnTask()), std::to_string(work.notes),
        std::to_string(student.problems)};
    row.insert(row.end(), figures.begin(), figures.end());
    return row;
}

// A student's totals, in a class that worked one assignment (`questions` of them) or none.
std::vector<std::string> totalsRow(const StudentSummary& student, int questions, bool named) {
    std::vector<std::string> row = {terminalText(reportUtf8(student.name))};
    if (named) row.push_back("");
    const std::vector<std::string> figures = {
        std::to_string(student.answeredInAll()) + " of " + std::to_string(questions),
        formatMedian(student.medianConfidence), formatMinutes(student.minutesOnTask()),
        std::to_string(student.notes), std::to_string(student.problems)};
    row.insert(row.end(), figures.begin(), figures.end());
    return row;
}

}  // namespace

std::string terminalSummary(const ClassSummary& summary) {
    // The assignment is named where the class worked more than one.
    const bool named = summary.assignments.size() > 1;
    std::vector<std::string> headings = {"Student", "Answered", "Median confidence", "Minutes", "Notes", "Problems"};
    if (named) headings.insert(headings.begin() + 1, "Assignment");
    std::vector<std::vector<std::string>> rows;
    const int questions = summary.assignments.empty() ? questionCount : summary.assignments.front().questions;
    for (const StudentSummary& student : summary.students) {
        if (named)
            for (const AssignmentWork& work : student.work) rows.push_back(workRow(student, work, named));
        if (!named || student.work.empty()) rows.push_back(totalsRow(student, questions, named));
    }
    std::vector<std::size_t> widths;
    for (const std::string& heading : headings) widths.push_back(displayWidth(heading));
    for (const auto& row : rows)
        for (std::size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], displayWidth(row[c]));

    auto line = [&](const std::vector<std::string>& cells) {
        std::string text = padRight(cells[0], widths[0]);
        for (std::size_t c = 1; c < cells.size(); ++c)
            text += "  " + (named && c == 1 ? padRight(cells[c], widths[c]) : padLeft(cells[c], widths[c]));
        while (!text.empty() && text.back() == ' ') text.pop_back();
        return text + "\n";
    };
    std::string out = line(headings);
    for (const auto& row : rows) out += line(row);
    out += std::to_string(summary.students.size()) + " students, " + std::to_string(summary.files) + " files\n";
    return out;
}

}  // namespace stepwise::review
