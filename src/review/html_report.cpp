#include "review/html_report.h"

#include <algorithm>
#include <map>
#include <set>

#include "format/builtin_assignment.h"
#include "format/html_escape.h"
#include "format/numbers.h"
#include "handin/known_assignments.h"
#include "review/calibration_chart.h"
#include "review/csv_report.h"
#include "review/handin_findings.h"
#include "review/report_text.h"
#include "review/students_csv.h"
#include "stepwise_version.h"
#include "system/bounded_memo.h"

namespace stepwise::review {

namespace {

constexpr const char* pageStyle = R"(
:root { font-family: system-ui, sans-serif; font-size: 14px; color: #111; }
body { margin: 1.5em; }
h1 { font-size: 1.6em; } h2 { font-size: 1.3em; margin-top: 2em; } h3 { font-size: 1.1em; }
table { border-collapse: collapse; }
th, td { border: 1px solid #bbb; padding: 0.2em 0.45em; vertical-align: top; }
th { background: #eee; }
td.num { text-align: right; }
td.q { text-align: center; min-width: 1.6em; }
td.none { background: #f4f4f4; color: #999; }
td.c0 { background: #f4a6a6; } td.c1 { background: #f8cf94; }
td.c2 { background: #cfe8a0; } td.c3 { background: #8fd08f; }
td.cx { background: #c9d7ef; }
.legend > span { display: inline-block; padding: 0 0.5em; margin-right: 0.3em; border: 1px solid #bbb; }
.legend .c0 { background: #f4a6a6; } .legend .c1 { background: #f8cf94; }
.legend .c2 { background: #cfe8a0; } .legend .c3 { background: #8fd08f; }
.legend .cx { background: #c9d7ef; } .legend .none { background: #f4f4f4; }
.typed { white-space: pre-wrap; overflow-wrap: anywhere; font-family: ui-monospace, monospace; }
.block { display: grid; grid-template-columns: minmax(12em, 2fr) 3fr; gap: 0.8em;
         border-top: 1px solid #ccc; padding: 0.5em 0; break-inside: avoid; }
.blocktext { color: #333; white-space: pre-wrap; overflow-wrap: anywhere; }
.record { margin-bottom: 0.6em; }
.record .meta { color: #555; font-size: 0.9em; }
.notes { background: #fffbe6; }
.answer-mark { display: inline-block; margin-top: 0.2em; font-weight: bold; }
.answer-mark.unmarked { font-weight: normal; color: #555; }
.mark-right { color: #1b5e20; } .mark-wrong { color: #b71c1c; }
.problems td { font-family: ui-monospace, monospace; }
svg text { font-size: 10px; font-family: sans-serif; }
@media print {
  :root { font-size: 9pt; }
  body { margin: 0; }
  a { color: inherit; text-decoration: none; }
  * { -webkit-print-color-adjust: exact; print-color-adjust: exact; }
  h1, h2, h3, h4 { break-after: avoid; }
  thead { display: table-header-group; }
  tr, .record, .block, figure, svg { break-inside: avoid; }
  table[id^="overview-table"] th, table[id^="overview-table"] td { padding: 0.05em 0.3em; }
  table[id^="overview-table"] a.feedback { display: none; }
  table[id^="overview-table"] th[scope="row"] { white-space: nowrap; }
  section.student { break-before: page; }
  #students > h2 + section.student { break-before: auto; }
  #students > h2 { break-before: page; }
}
)";

// The colour class of an overview cell.
std::string cellClass(const QuestionCell& cell) {
    if (!cell.answered) return "none";
    if (cell.rating) return "c" + std::to_string(*cell.rating);
    return "cx";
}

// What an answered cell shows: the rating, or the first characters of whatever was typed.
std::string cellText(const QuestionCell& cell) {
    if (!cell.answered) return "&#8211;";
    if (cell.rating) return std::to_string(*cell.rating);
    if (cell.confidence.empty()) return "&#9675;";
    return escapeHtml(reportUtf8(cell.confidence.substr(0, 4)));
}

std::string cellTitle(int question, const QuestionCell& cell) {
    std::string title = "Question " + std::to_string(question) + ": ";
    if (!cell.answered) return title + "not answered";
    title += "answered, confidence ";
    title += cell.confidence.empty() ? "not given" : "&#8220;" + escapeHtml(reportUtf8(cell.confidence)) + "&#8221;";
    return title;
}

}  // namespace

std::string htmlOverviewRow(const StudentSummary& student, const MarksReport* marks) {
    const std::string name = reportUtf8(student.name);
    const StudentMarks* studentMarks = marks ? marks->student(name) : nullptr;
    std::string row = "<tr class=\"student\"><th scope=\"row\"><a href=\"#" + student.anchor + "\">" +
                      escapeHtml(name) + "</a>";
    if (!student.feedbackLink.empty())
        row += " <a class=\"feedback\" href=\"" + escapeHtml(student.feedbackLink) + "\">feedback</a>";
    row += "</th>";
    for (int q = 0; q < questionCount; ++q) {
        const QuestionCell& cell = student.questions[q];
        row += "<td class=\"q " + cellClass(cell) + "\" title=\"" + cellTitle(q + 1, cell) + "\">" +
               cellText(cell) + htmlCellMark(studentMarks, q + 1) + "</td>";
    }
    row += "<td class=\"num\">" + std::to_string(student.answered()) + "</td>";
    row += "<td class=\"num\">" + formatMedian(student.medianConfidence) + "</td>";
    row += "<td class=\"num\">" + formatMinutes(student.minutesOnTask()) + "</td>";
    row += "<td class=\"num\">" + std::to_string(student.notes) + "</td>";
    row += "<td class=\"num\">" + std::to_string(student.problems) + "</td>";
    if (marks) {
        const CbmFigures figures = studentMarks ? studentMarks->figures : CbmFigures{};
        row += "<td class=\"num accuracy\">" + (figures.accuracy() ? percentText(*figures.accuracy()) : "-") + "</td>";
        row += "<td class=\"num cbm\">" + (figures.cbmAverage() ? twoDecimals(figures.cbmAverage()) : "-") + "</td>";
    }
    row += "</tr>\n";
    return row;
}

namespace {

std::string formatSeconds(const std::optional<double>& seconds) {
    return seconds ? fixedNumber(*seconds, 0) + " s" : "-";
}

// The block kinds' words for headings.
std::string blockHeading(const handin::BlockId& id) {
    const std::string number = id.questionNumber ? std::to_string(*id.questionNumber) : std::string("?");
    switch (id.kind) {
    case handin::BlockKind::instructions: return "Instructions (question " + number + ")";
    case handin::BlockKind::acknowledgement: return "Acknowledgement";
    case handin::BlockKind::question: return "Question " + number;
    case handin::BlockKind::workedAnswer: return "Worked answer to question " + number;
    case handin::BlockKind::end: return "End of the assignment";
    case handin::BlockKind::plain: return id.questionNumber ? "Question " + number + ", continued" : "Introduction";
    case handin::BlockKind::unknown: break;
    }
    return "Block not in the assignment";
}

// The block as the student saw it, without the question marker; a long block is cut after its
// first paragraph (the questions section shows each question whole).
Text shortBlock(TextView block) {
    if (block.size() > 6 && block.substr(0, 2) == u"`q" && block[5] == u'.') {
        block.remove_prefix(6);
        while (!block.empty() && block.front() == u' ') block.remove_prefix(1);
    }
    constexpr std::size_t longest = 400;
    // A paragraph's end is looked for no further than the cut it could come before.
    const std::size_t paragraph = block.substr(0, longest + 3).find(u"\r\n\r\n");
    const std::size_t cut = std::min(paragraph, longest);
    if (cut >= block.size()) return Text(block);
    return Text(block.substr(0, cut)) + u" \u2026";
}

// The mark shown beside a record: for a marked answer, or a last answer not marked yet; "" for
// the rest, and for every record without marks.
std::string markBeside(const StudentMarks* marks, const std::set<const handin::Record*>& lastAnswers,
                       const handin::Record& record) {
    if (!marks) return {};
    if (const auto marked = marks->byRecord.find(&record); marked != marks->byRecord.end())
        return htmlAnswerMark(marked->second);
    return lastAnswers.count(&record) ? htmlAnswerMark(Mark::unmarked) : std::string();
}

std::set<const handin::Record*> lastAnswerRecords(const Student& student) {
    std::set<const handin::Record*> records;
    for (const Answer& answer : lastAnswers(student)) records.insert(answer.record->record);
    return records;
}

// Appended piece by piece: a class has a hundred thousand records, and each joined string would
// be made and dropped again.
void appendRecordHtml(std::string& html, const ClassRecord& entry, const std::string& mark) {
    const handin::Record& record = *entry.record;
    const bool notes = record.kind == handin::RecordKind::notes;
    html += notes ? "<div class=\"record notes\"><div class=\"meta\">Notes, " : "<div class=\"record\"><div class=\"meta\">Response, ";
    appendEscapedHtml(html, reportUtf8(entry.sessionData->lessonDate));
    html += ' ';
    appendEscapedHtml(html, reportUtf8(record.time));
    if (entry.seconds) {
        html += ", ";
        html += std::to_string(*entry.seconds);
        html += " s";
    }
    if (record.confidence) {
        html += ", confidence <b>";
        appendEscapedHtml(html, reportUtf8(*record.confidence));
        html += "</b>";
    }
    if (record.selfCritique) {
        html += ", self-critique <b>";
        appendEscapedHtml(html, reportUtf8(*record.selfCritique));
        html += "</b>";
    }
    html += " <span class=\"file\">(";
    appendEscapedHtml(html, fileNamePart(entry.file->path));
    html += ", line ";
    html += std::to_string(record.line);
    html += ")</span></div><div class=\"typed\">";
    appendEscapedHtml(html, entry.text);
    html += "</div>";
    html += mark;
    html += "</div>";
}

// Groups a student's records by block: blocks of the assignment in script order, then blocks
// that match nothing in the order they first appear. With `only`, the records of that assignment
// alone (of sessions of no assignment given when it is empty).
std::vector<std::vector<const ClassRecord*>> recordsByBlock(const Student& student,
                                                            const std::optional<Text>& only = std::nullopt) {
    std::map<int, std::vector<const ClassRecord*>> known;
    std::vector<std::pair<Text, std::vector<const ClassRecord*>>> unknown;
    for (const ClassRecord& entry : student.records) {
        const handin::Record& record = *entry.record;
        if (only) {
            const handin::KnownAssignment* assignment = assignmentOf(entry);
            if ((assignment ? assignment->headerLine : Text()) != *only) continue;
        }
        if (record.blockId.scriptIndex >= 0) {
            known[record.blockId.scriptIndex].push_back(&entry);
            continue;
        }
        auto same = std::find_if(unknown.begin(), unknown.end(), [&](auto& b) { return b.first == record.block; });
        if (same == unknown.end()) unknown.push_back({record.block, {&entry}});
        else same->second.push_back(&entry);
    }
    std::vector<std::vector<const ClassRecord*>> blocks;
    for (auto& [index, records] : known) blocks.push_back(std::move(records));
    for (auto& [block, records] : unknown) blocks.push_back(std::move(records));
    return blocks;
}

// The script line of question n (1-12) in the built-in assignment, "" when there is none.
Text questionBlock(int question) {
    const Text prefix = fromUtf8("`q" + zeroPadded(question, 3) + ".");
    for (const Text& line : builtinAssignment())
        if (line.compare(0, prefix.size(), prefix) == 0) return line;
    return Text();
}

// The block of an assignment's question n, "" when there is none.
Text questionBlock(const handin::KnownAssignment* assignment, int question) {
    if (!assignment) return Text();
    for (const handin::KnownBlock& block : assignment->blocks)
        if (block.id.kind == handin::BlockKind::question && block.id.questionNumber == question) return block.line;
    return Text();
}

// The ids of the report's pieces for the assignment at `index`: the first keeps the names a
// report of the built-in assignment alone has.
std::string pieceId(const std::string& name, std::size_t index) {
    return index == 0 ? name : name + "-" + std::to_string(index + 1);
}
std::string questionId(std::size_t index, int question) {
    return (index == 0 ? std::string() : "a" + std::to_string(index + 1) + "-") + "question-" + std::to_string(question);
}

// The student's work on an assignment; nothing when they have none.
const AssignmentWork* workOn(const StudentSummary& student, const Text& assignment) {
    for (const AssignmentWork& work : student.work)
        if (work.assignment == assignment) return &work;
    return nullptr;
}

std::string legend(const MarksReport* marks) {
    return "<p class=\"legend\"><span class=\"c3\">3 certain</span>"
           "<span class=\"c2\">2 pretty confident</span><span class=\"c1\">1 some confidence</span>"
           "<span class=\"c0\">0 no confidence</span><span class=\"cx\">&#9675; answered, no rating</span>"
           "<span class=\"none\">&#8211; not answered</span>" +
           std::string(marks ? "<span>" + htmlMarkSign(Mark::right) + " marked right</span><span>" +
                                   htmlMarkSign(Mark::wrong) + " marked wrong</span>"
                             : "") +
           "</p>\n";
}

std::string assignmentOverviewRow(const StudentSummary& student, const ClassSummary::Assignment& assignment,
                                  const MarksReport* marks) {
    const std::string name = reportUtf8(student.name);
    const std::string header = reportUtf8(assignment.header);
    const StudentMarks* studentMarks = marks ? marks->student(name) : nullptr;
    const AssignmentWork* work = workOn(student, assignment.header);
    std::string row = "<tr class=\"student\"><th scope=\"row\"><a href=\"#" + student.anchor + "\">" +
                      escapeHtml(name) + "</a>";
    if (!student.feedbackLink.empty())
        row += " <a class=\"feedback\" href=\"" + escapeHtml(student.feedbackLink) + "\">feedback</a>";
    row += "</th>";
    for (std::size_t q = 0; q < assignment.questionNumbers.size(); ++q) {
        const QuestionCell cell = work && q < work->questions.size() ? work->questions[q] : QuestionCell{};
        const int number = assignment.questionNumbers[q];
        row += "<td class=\"q " + cellClass(cell) + "\" title=\"" + cellTitle(number, cell) + "\">" + cellText(cell) +
               htmlCellMark(studentMarks, header, number) + "</td>";
    }
    row += "<td class=\"num\">" + std::to_string(work ? work->answered() : 0) + "</td>";
    row += "<td class=\"num\">" + formatMedian(work ? work->medianConfidence : std::nullopt) + "</td>";
    row += "<td class=\"num\">" + formatMinutes(work ? work->minutesOnTask() : 0.0) + "</td>";
    row += "<td class=\"num\">" + std::to_string(work ? work->notes : 0) + "</td>";
    row += "<td class=\"num\">" + std::to_string(student.problems) + "</td>";
    if (marks) {
        CbmFigures figures;
        if (studentMarks)
            if (const auto found = studentMarks->assignmentFigures.find(header); found != studentMarks->assignmentFigures.end())
                figures = found->second;
        row += "<td class=\"num accuracy\">" + (figures.accuracy() ? percentText(*figures.accuracy()) : "-") + "</td>";
        row += "<td class=\"num cbm\">" + (figures.cbmAverage() ? twoDecimals(figures.cbmAverage()) : "-") + "</td>";
    }
    return row + "</tr>\n";
}

}  // namespace

std::string htmlPageStart(const std::string& title) {
    std::string html =
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; style-src 'unsafe-inline'; "
        "img-src data:; base-uri 'none'; form-action 'none'\">\n"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
        "<meta name=\"generator\" content=\"stepwise-review ";
    html += stepwiseVersion;
    html += "\">\n<title>" + escapeHtml(title) + "</title>\n<style>" + pageStyle + "</style>\n</head>\n<body>\n";
    html += "<h1>" + escapeHtml(title) + "</h1>\n";
    return html;
}

std::string htmlOverviewStart(const ClassSummary& summary, const MarksReport* marks) {
    std::string html = "<section id=\"overview\"><h2>Class overview</h2>\n<p>" +
                       countOf(static_cast<long long>(summary.students.size()), "student", "students") + ", " +
                       countOf(static_cast<long long>(summary.files), "hand-in file", "hand-in files") +
                       ". A cell shows the confidence (0-3) of the student's last answer to the question.</p>\n" +
                       legend(marks) + "<table id=\"overview-table\">\n<thead><tr><th scope=\"col\">Student</th>";
    for (int q = 1; q <= questionCount; ++q)
        html += "<th scope=\"col\"><a href=\"#question-" + std::to_string(q) + "\">" + std::to_string(q) + "</a></th>";
    html += "<th scope=\"col\">Answered of 12</th><th scope=\"col\">Median confidence</th>"
            "<th scope=\"col\">Minutes on task</th><th scope=\"col\">Notes</th><th scope=\"col\">Problems</th>";
    if (marks) html += "<th scope=\"col\">Accuracy</th><th scope=\"col\">Average CBM</th>";
    return html + "</tr></thead>\n<tbody>\n";
}

std::string htmlOverviewEnd() { return "</tbody>\n</table></section>\n"; }

std::string htmlOverview(const ClassSummary& summary, const MarksReport* marks) {
    std::string html = htmlOverviewStart(summary, marks);
    for (const StudentSummary& student : summary.students) html += htmlOverviewRow(student, marks);
    return html + htmlOverviewEnd();
}

std::string confidenceChart(const QuestionSummary& question) {
    const int counts[5] = {question.ratings[0], question.ratings[1], question.ratings[2], question.ratings[3],
                           question.unrated};
    const char* labels[5] = {"0", "1", "2", "3", "&#8211;"};
    const char* colours[5] = {"#e06666", "#f0a040", "#a8d060", "#4caf50", "#8fa8d8"};
    const int highest = std::max(1, *std::max_element(counts, counts + 5));
    constexpr int barWidth = 24, gap = 6, chartHeight = 50, top = 12, bottom = 14;
    std::string svg = "<svg class=\"chart\" xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
                      std::to_string(5 * (barWidth + gap)) + "\" height=\"" +
                      std::to_string(top + chartHeight + bottom) + "\" role=\"img\" aria-label=\"Confidence: ";
    for (int i = 0; i < 5; ++i) svg += std::string(i ? ", " : "") + labels[i] + ": " + std::to_string(counts[i]);
    svg += "\">";
    for (int i = 0; i < 5; ++i) {
        const int height = counts[i] * chartHeight / highest;
        const int x = i * (barWidth + gap);
        const int y = top + chartHeight - height;
        svg += "<rect x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) + "\" width=\"" +
               std::to_string(barWidth) + "\" height=\"" + std::to_string(height) + "\" fill=\"" + colours[i] + "\"/>";
        svg += "<text x=\"" + std::to_string(x + barWidth / 2) + "\" y=\"" + std::to_string(y - 2) +
               "\" text-anchor=\"middle\">" + std::to_string(counts[i]) + "</text>";
        svg += "<text x=\"" + std::to_string(x + barWidth / 2) + "\" y=\"" +
               std::to_string(top + chartHeight + bottom - 2) + "\" text-anchor=\"middle\">" + labels[i] + "</text>";
    }
    svg += "</svg>";
    return svg;
}

std::string htmlQuestions(const ClassSummary& summary) {
    std::string html = "<section id=\"questions\"><h2>Questions</h2>\n<table>\n<thead><tr><th scope=\"col\">"
                       "Question</th><th scope=\"col\">Answered</th><th scope=\"col\">Confidence (0, 1, 2, 3, "
                       "no rating)</th><th scope=\"col\">Median time</th></tr></thead>\n<tbody>\n";
    for (int q = 0; q < questionCount; ++q) {
        const QuestionSummary& question = summary.questions[q];
        const Text block = questionBlock(q + 1);
        html += "<tr id=\"question-" + std::to_string(q + 1) + "\"><th scope=\"row\">" + std::to_string(q + 1) +
                "</th><td><div>" + std::to_string(question.answered) + " of " +
                std::to_string(summary.students.size()) + "</div><details><summary>" +
                escapeHtml(reportUtf8(shortBlock(block))) + "</summary><div class=\"blocktext\">" +
                escapeHtml(reportUtf8(block)) + "</div></details></td><td>" + confidenceChart(question) +
                "</td><td class=\"num\">" + formatSeconds(question.medianSeconds()) + "</td></tr>\n";
    }
    html += "</tbody>\n</table></section>\n";
    return html;
}

bool builtinAlone(const ClassSummary& summary) {
    return summary.assignments.empty() ||
           (summary.assignments.size() == 1 && summary.assignments.front().known &&
            summary.assignments.front().known->builtin);
}

std::string htmlAssignmentOverview(const ClassSummary& summary, std::size_t index, const MarksReport* marks) {
    const ClassSummary::Assignment& assignment = summary.assignments.at(index);
    const std::string header = escapeHtml(reportUtf8(assignment.header));
    std::string html = "<section id=\"" + pieceId("overview", index) + "\"><h2>Class overview: " + header +
                       "</h2>\n<p>" + countOf(static_cast<long long>(summary.students.size()), "student", "students") +
                       ", " + countOf(static_cast<long long>(summary.files), "hand-in file", "hand-in files") +
                       ". A cell shows the confidence (0-3) of the student's last answer to the question.</p>\n" +
                       legend(marks) + "<table id=\"" + pieceId("overview-table", index) +
                       "\">\n<thead><tr><th scope=\"col\">Student</th>";
    for (int q : assignment.questionNumbers)
        html += "<th scope=\"col\"><a href=\"#" + questionId(index, q) + "\">" + std::to_string(q) + "</a></th>";
    html += "<th scope=\"col\">Answered of " + std::to_string(assignment.questions) +
            "</th><th scope=\"col\">Median confidence</th>"
            "<th scope=\"col\">Minutes on task</th><th scope=\"col\">Notes</th><th scope=\"col\">Problems</th>";
    if (marks) html += "<th scope=\"col\">Accuracy</th><th scope=\"col\">Average CBM</th>";
    html += "</tr></thead>\n<tbody>\n";
    for (const StudentSummary& student : summary.students) html += assignmentOverviewRow(student, assignment, marks);
    return html + htmlOverviewEnd();
}

std::string htmlAssignmentQuestions(const ClassSummary& summary, std::size_t index) {
    const ClassSummary::Assignment& assignment = summary.assignments.at(index);
    std::string html = "<section id=\"" + pieceId("questions", index) + "\"><h2>Questions: " +
                       escapeHtml(reportUtf8(assignment.header)) +
                       "</h2>\n<table>\n<thead><tr><th scope=\"col\">Question</th><th scope=\"col\">Answered</th>"
                       "<th scope=\"col\">Confidence (0, 1, 2, 3, no rating)</th><th scope=\"col\">Median time</th>"
                       "</tr></thead>\n<tbody>\n";
    for (std::size_t q = 0; q < assignment.questionNumbers.size(); ++q) {
        const int number = assignment.questionNumbers[q];
        const QuestionSummary& question = assignment.figures[q];
        const Text block = assignment.known && assignment.known->builtin ? questionBlock(number)
                                                                         : questionBlock(assignment.known, number);
        html += "<tr id=\"" + questionId(index, number) + "\"><th scope=\"row\">" + std::to_string(number) +
                "</th><td><div>" + std::to_string(question.answered) + " of " +
                std::to_string(summary.students.size()) + "</div><details><summary>" +
                escapeHtml(reportUtf8(shortBlock(block))) + "</summary><div class=\"blocktext\">" +
                escapeHtml(reportUtf8(block)) + "</div></details></td><td>" + confidenceChart(question) +
                "</td><td class=\"num\">" + formatSeconds(question.medianSeconds()) + "</td></tr>\n";
    }
    return html + "</tbody>\n</table></section>\n";
}

namespace {

// Block texts as keys: told apart by their length and their first and last few characters, and
// compared as bytes (the standard hash and comparison of UTF-16 text go a unit at a time).
struct BlockKeyHash {
    std::size_t operator()(const Text& block) const {
        std::size_t hash = block.size();
        const std::size_t ends = std::min<std::size_t>(block.size(), 16);
        for (std::size_t i = 0; i < ends; ++i) hash = hash * 31 + block[i] + (block[block.size() - 1 - i] << 16);
        return hash;
    }
};
struct BlockKeyEqual {
    bool operator()(const Text& a, const Text& b) const { return sameText(a, b); }
};

// A block's short text as a student's section shows it: each of the class's few blocks once, a
// few megabytes kept.
std::string shownBlock(const Text& block) {
    static BoundedMemo<Text, std::string, BlockKeyHash, BlockKeyEqual> made(1024, 2 << 20);
    return made.get(block, block.size(), [&block] { return escapeHtml(reportUtf8(shortBlock(block))); });
}

// The records are appended where they go, not gathered in strings of their own first: a class's
// answers are copied once.
void appendBlocksHtml(std::string& html, const std::vector<std::vector<const ClassRecord*>>& blocks,
                      const StudentMarks* marks, const std::set<const handin::Record*>& answers) {
    for (const auto& records : blocks) {
        const handin::Record& first = *records.front()->record;
        html += "<div class=\"block\"><div><b>" + blockHeading(first.blockId) + "</b><div class=\"blocktext\">";
        html += shownBlock(first.block);
        html += "</div></div><div>";
        for (const ClassRecord* entry : records) appendRecordHtml(html, *entry, markBeside(marks, answers, *entry->record));
        html += "</div></div>\n";
    }
}

// A student who worked an assignment file has their section grouped by assignment; one who
// worked the built-in assignment alone, as ever.
bool byAssignment(const StudentSummary& summary) {
    return std::any_of(summary.work.begin(), summary.work.end(),
                       [](const AssignmentWork& work) { return !work.known || !work.known->builtin; });
}

}  // namespace

std::string htmlStudentsStart() { return "<section id=\"students\"><h2>Students</h2>\n"; }

void appendHtmlStudent(std::string& html, const Student& student, const StudentSummary& summary,
                       const StudentMarks* marks) {
    const std::string answered = byAssignment(summary) ? std::to_string(summary.answeredInAll()) + " questions"
                                                       : std::to_string(summary.answered()) + " of 12";
    html += "<section class=\"student\" id=\"" + summary.anchor + "\"><h3>" +
                       escapeHtml(reportUtf8(student.name)) + "</h3>\n<p>" + answered +
                       " answered, median confidence " + formatMedian(summary.medianConfidence) + ", " +
                       formatMinutes(summary.minutesOnTask()) + " minutes on task, " +
                       countOf(summary.notes, "note", "notes") + "; files:";
    for (const handin::HandinFile* file : student.files) html += " " + escapeHtml(fileNameOf(file->path));
    html += "</p>\n";
    for (const std::string& identical : summary.identical) html += "<p class=\"identical\">" + escapeHtml(identical) + "</p>\n";
    const std::vector<std::string> findings = emptyHandinFindings(student);
    for (const std::string& finding : findings) html += "<p class=\"nothing-found\">" + escapeHtml(finding) + ".</p>\n";
    if (marks && findings.empty()) html += htmlStudentMarks(reportUtf8(student.name), *marks) + "\n";
    const std::set<const handin::Record*> answers = lastAnswerRecords(student);
    if (!byAssignment(summary)) {
        appendBlocksHtml(html, recordsByBlock(student), marks, answers);
        html += "</section>\n";
        return;
    }
    for (const AssignmentWork& work : summary.work) {
        html += "<h4>" + escapeHtml(reportUtf8(work.assignment)) + "</h4>\n<p>" + std::to_string(work.answered()) +
                " of " + std::to_string(work.questionNumbers.size()) + " answered, median confidence " +
                formatMedian(work.medianConfidence) + ", " + formatMinutes(work.minutesOnTask()) +
                " minutes on task, " + countOf(work.notes, "note", "notes") + "</p>\n";
        appendBlocksHtml(html, recordsByBlock(student, work.assignment), marks, answers);
    }
    const auto others = recordsByBlock(student, Text());
    if (!others.empty()) {
        html += "<h4>Sessions of assignments not given</h4>\n";
        appendBlocksHtml(html, others, marks, answers);
    }
    html += "</section>\n";
}

std::string htmlStudent(const Student& student, const StudentSummary& summary, const StudentMarks* marks) {
    std::string html;
    appendHtmlStudent(html, student, summary, marks);
    return html;
}

std::string htmlStudentsEnd() { return "</section>\n"; }

std::string htmlProblems(const std::vector<handin::Problem>& problems, long long omitted) {
    std::string html = "<section id=\"problems\"><h2>Problems</h2>\n";
    if (problems.empty()) return html + "<p>Every file was read cleanly.</p></section>\n";
    html += "<table class=\"problems\">\n<thead><tr><th scope=\"col\">File</th><th scope=\"col\">Line</th>"
            "<th scope=\"col\">Problem</th></tr></thead>\n<tbody>\n";
    for (const handin::Problem& problem : problems)
        html += "<tr><td>" + escapeHtml(problem.file) + "</td><td class=\"num\">" +
                (problem.line > 0 ? std::to_string(problem.line) : std::string()) + "</td><td>" +
                escapeHtml(problem.message) + "</td></tr>\n";
    html += "</tbody>\n</table>\n";
    if (omitted > 0) html += "<p>" + countOf(omitted, "further problem is", "further problems are") + " not listed.</p>\n";
    return html + "</section>\n";
}

std::string htmlPageEnd() { return "</body>\n</html>\n"; }

}  // namespace stepwise::review
