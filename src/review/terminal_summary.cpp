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

}  // namespace

std::string terminalSummary(const ClassSummary& summary) {
    const std::vector<std::string> headings = {"Student", "Answered", "Median confidence", "Minutes", "Notes", "Problems"};
    std::vector<std::vector<std::string>> rows;
    for (const StudentSummary& student : summary.students)
        rows.push_back({terminalText(reportUtf8(student.name)), std::to_string(student.answered()) + " of 12",
                        formatMedian(student.medianConfidence), formatMinutes(student.minutesOnTask()),
                        std::to_string(student.notes), std::to_string(student.problems)});
    std::vector<std::size_t> widths;
    for (const std::string& heading : headings) widths.push_back(displayWidth(heading));
    for (const auto& row : rows)
        for (std::size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], displayWidth(row[c]));

    auto line = [&](const std::vector<std::string>& cells) {
        std::string text = padRight(cells[0], widths[0]);
        for (std::size_t c = 1; c < cells.size(); ++c) text += "  " + padLeft(cells[c], widths[c]);
        while (!text.empty() && text.back() == ' ') text.pop_back();
        return text + "\n";
    };
    std::string out = line(headings);
    for (const auto& row : rows) out += line(row);
    out += std::to_string(summary.students.size()) + " students, " + std::to_string(summary.files) + " files\n";
    return out;
}

}  // namespace stepwise::review
