#include "review/marks_report.h"

#include "format/html_escape.h"
#include "review/calibration_chart.h"
#include "review/students_csv.h"

namespace stepwise::review {

namespace {

// The row's question of the built-in assignment, the overview's columns.
std::optional<int> builtinQuestion(const MarksRow& row) {
    const std::optional<int> question = row.questionNumber();
    if (!question || *question > 12 || row.assignment != builtinAssignmentName()) return std::nullopt;
    return question;
}

}  // namespace

StudentMarks studentMarks(const std::vector<MarksRow>& rows) {
    StudentMarks marks;
    for (const MarksRow& row : rows) {
        if (!row.questionNumber() || !row.counts()) continue;
        const Mark mark = row.markValue();
        marks.questionMarks[{row.assignment, *row.questionNumber()}] = {mark, row.state == RowState::changedSinceMarked};
        CbmFigures& figures = marks.assignmentFigures[row.assignment];
        if (mark != Mark::unmarked) figures.add(row.confidence, mark == Mark::right);
        if (const std::optional<int> question = builtinQuestion(row)) {
            marks.marks[*question - 1] = mark;
            marks.answeredAgain[*question - 1] = row.state == RowState::changedSinceMarked;
        }
        if (mark != Mark::unmarked) marks.figures.add(row.confidence, mark == Mark::right);
    }
    return marks;
}

void MarksReport::addStudent(const std::string& name, const std::vector<MarksRow>& rows,
                             const RecordMarks& byRecord) {
    StudentMarks marks = studentMarks(rows);
    for (const auto& [record, cell] : byRecord)
        if (const Mark mark = parseMark(cell).value_or(Mark::unmarked); mark != Mark::unmarked)
            marks.byRecord[record] = mark;
    classFigures_.add(marks.figures);
    for (const MarksRow& row : rows) {
        const bool confidentError =
            row.counts() && row.markValue() == Mark::wrong && confidenceLevel(row.confidence) == 3;
        if (!confidentError || !row.questionNumber()) continue;
        if (const std::optional<int> question = builtinQuestion(row))
            confidentErrors_[*question - 1].push_back({name, row.response});
        else
            otherConfidentErrors_[{row.assignment, *row.questionNumber()}].push_back({name, row.response});
    }
    students_[name] = std::move(marks);
}

const StudentMarks* MarksReport::student(const std::string& name) const {
    const auto found = students_.find(name);
    return found == students_.end() ? nullptr : &found->second;
}

std::string htmlMarkSign(Mark mark, const std::string& note) {
    switch (mark) {
    case Mark::right:
        return "<span class=\"mark mark-right\" role=\"img\" title=\"marked right" + note +
               "\" aria-label=\"marked right" + note + "\">&#10003;</span>";
    case Mark::wrong:
        return "<span class=\"mark mark-wrong\" role=\"img\" title=\"marked wrong" + note +
               "\" aria-label=\"marked wrong" + note + "\">&#10007;</span>";
    default: return {};
    }
}

std::string htmlCellMark(const StudentMarks* marks, int question) {
    if (!marks) return {};
    const bool again = marks->answeredAgain.at(question - 1);
    return htmlMarkSign(marks->marks.at(question - 1), again ? " (for an earlier answer)" : "");
}

std::string htmlCellMark(const StudentMarks* marks, const std::string& assignment, int question) {
    if (!marks) return {};
    const auto found = marks->questionMarks.find({assignment, question});
    if (found == marks->questionMarks.end()) return {};
    return htmlMarkSign(found->second.first, found->second.second ? " (for an earlier answer)" : "");
}

std::string htmlAnswerMark(Mark mark) {
    switch (mark) {
    case Mark::right: return "<span class=\"answer-mark\">" + htmlMarkSign(mark) + " right</span>";
    case Mark::wrong: return "<span class=\"answer-mark\">" + htmlMarkSign(mark) + " wrong</span>";
    default: return "<span class=\"answer-mark unmarked\">not marked yet</span>";
    }
}

std::string marksTotalsText(const CbmFigures& figures) {
    if (figures.marked == 0) return "nothing marked";
    return std::to_string(figures.right) + " of " + std::to_string(figures.marked) + " right (" +
           percentText(*figures.accuracy()) + "), CBM " + twoDecimals(figures.cbmAverage());
}

std::string htmlStudentMarks(const std::string& name, const StudentMarks& marks) {
    std::string html = "<div class=\"student-marks\"><p>Marks: " + marksTotalsText(marks.figures) + ".</p>";
    if (marks.figures.marked > 0) html += calibrationChartSvg(marks.figures, name, Speaker::named(name));
    if (calibrationCanBeJudged(marks.figures))
        html += "<p class=\"calibration-summary\">" + escapeHtml(calibrationSummary(marks.figures, Speaker::named(name))) +
                "</p>";
    return html + "</div>";
}

std::string htmlClassMarks(const MarksReport& report) {
    const CbmFigures& figures = report.classFigures();
    std::string html = "<section id=\"marks\"><h2>Marks and confidence</h2><p>The class: " +
                       marksTotalsText(figures) + ".</p>";
    html += calibrationChartSvg(figures, "The class", Speaker::named("the class"));
    if (calibrationCanBeJudged(figures))
        html += "<p class=\"calibration-summary\">" +
                escapeHtml(calibrationSummary(figures, Speaker::named("the class"))) + "</p>";
    html += "<h3>Confident errors</h3><p>Answers marked wrong at confidence 3: the misconceptions worth a word in "
            "class.</p>";
    bool any = false;
    for (int question = 1; question <= 12; ++question) {
        const std::vector<ConfidentError>& errors = report.confidentErrors(question);
        if (errors.empty()) continue;
        any = true;
        html += "<h4>Question " + std::to_string(question) + "</h4><ul class=\"confident-errors\" data-question=\"" +
                std::to_string(question) + "\">";
        for (const ConfidentError& error : errors)
            html += "<li><span class=\"student\">" + escapeHtml(error.student) + "</span>: <span class=\"response\">" +
                    escapeHtml(error.response) + "</span></li>";
        html += "</ul>";
    }
    for (const auto& [question, errors] : report.otherConfidentErrors()) {
        any = true;
        html += "<h4>" + escapeHtml(question.first) + ", question " + std::to_string(question.second) +
                "</h4><ul class=\"confident-errors\" data-question=\"" + std::to_string(question.second) + "\">";
        for (const ConfidentError& error : errors)
            html += "<li><span class=\"student\">" + escapeHtml(error.student) + "</span>: <span class=\"response\">" +
                    escapeHtml(error.response) + "</span></li>";
        html += "</ul>";
    }
    if (!any) html += "<p>None.</p>";
    if (!report.notices.empty()) {
        html += "<h3>In the marks file</h3><ul class=\"marks-notices\">";
        for (const MarksNotice& notice : report.notices) html += "<li>" + escapeHtml(notice.message) + "</li>";
        html += "</ul>";
    }
    return html + "</section>\n";
}

}  // namespace stepwise::review
