#include "review/feedback_page.h"

#include <algorithm>

#include "format/html_escape.h"
#include "format/unicode_normal.h"
#include "review/calibration_chart.h"
#include "review/report_text.h"
#include "review/students_csv.h"
#include "system/atomic_file_replace.h"
#include "system/path_text.h"

namespace stepwise::review {

namespace {

constexpr std::string_view pageStyle =
    "body{font-family:sans-serif;max-width:46em;margin:1em auto;padding:0 1em;color:#111;line-height:1.4}"
    "h1{font-size:1.5em}h2{font-size:1.15em;margin:1.4em 0 .4em}"
    ".question-text,.answer{white-space:pre-wrap;border-left:3px solid #bbb;padding:.3em .8em;margin:.3em 0}"
    ".answer{border-color:#333;background:#f6f6f6}"
    ".mark-right{color:#1b5e20}.mark-wrong{color:#b71c1c}.mark-unmarked{color:#555}"
    ".note{font-style:italic;color:#555}"
    "section.question{break-inside:avoid}"
    "@media print{body{max-width:none}}";

std::string markWord(Mark mark) {
    switch (mark) {
    case Mark::right: return "right";
    case Mark::wrong: return "wrong";
    default: return "not marked yet";
    }
}

std::string markClass(Mark mark) {
    switch (mark) {
    case Mark::right: return "mark-right";
    case Mark::wrong: return "mark-wrong";
    default: return "mark-unmarked";
    }
}

std::string pointsText(const FeedbackItem& item) {
    if (item.mark == Mark::unmarked) return "-";
    const int points = cbmPoints(confidenceLevel(item.confidence), item.mark == Mark::right);
    return points > 0 ? "+" + std::to_string(points) : std::to_string(points);
}

std::string confidenceText(const FeedbackItem& item) {
    const std::optional<int> level = confidenceLevel(item.confidence);
    if (level) return std::to_string(*level);
    if (item.confidence.empty()) return "none given";
    return "\"" + escapeHtml(item.confidence) + "\" (not 0-3, counts as none)";
}

std::string totalsParagraph(const CbmFigures& figures, std::size_t answered) {
    const std::string questions = countOf(static_cast<long long>(answered), "question", "questions");
    if (figures.marked == 0)
        return "<p class=\"totals\">You answered " + questions + "; none of your answers has been marked yet.</p>";
    return "<p class=\"totals\">You answered " + questions + "; " + std::to_string(figures.marked) +
           (figures.marked == 1 ? " of your answers is marked, " : " of your answers are marked, ") +
           std::to_string(figures.right) + " of them right (" + percentText(*figures.accuracy()) +
           "). Your points average " + twoDecimals(figures.cbmAverage()) + " per marked answer.</p>";
}

// In place of a score, for hand-ins that hold no answer.
std::string nothingFoundParagraph(const std::vector<std::string>& findings) {
    std::string html = "<p class=\"nothing-found\">No answer was found in your hand-in";
    html += findings.size() == 1 ? ": " : "s: ";
    for (std::size_t i = 0; i < findings.size(); ++i) html += (i ? "; " : "") + escapeHtml(findings[i]);
    return html + ". Please check that you sent the file the program wrote, and send it again.</p>";
}

constexpr std::string_view pointsExplanation =
    "<p class=\"how-points-work\">Points depend on your confidence: at confidence 1 a right answer earns 1 and a "
    "wrong one 0; at 2, right 2 and wrong -2; at 3, right 3 and wrong -6; at 0 or without a rating, 0 either way. "
    "Confidence 1 pays best when you are right less than 67 % of the time, 2 between 67 % and 80 %, 3 above "
    "80 %.</p>";

// A question's section; within an assignment's section its id takes the assignment's as a prefix
// and its heading is one level down.
std::string questionSection(const FeedbackItem& item, const std::string& idPrefix = "", const std::string& heading = "h2") {
    const std::string number = std::to_string(item.question);
    std::string html = "<section class=\"question\" id=\"" + idPrefix + "question-" + number + "\"><" + heading +
                       ">Question " + number + "</" + heading + ">";
    html += "<div class=\"question-text\">" + escapeHtml(item.questionText) + "</div>";
    html += "<p>Your answer:</p><div class=\"answer\">" + escapeHtml(item.answer) + "</div>";
    html += "<p class=\"result\">Mark: <strong class=\"" + markClass(item.mark) + "\">" + markWord(item.mark) +
            "</strong> &middot; confidence: " + confidenceText(item) + " &middot; points: <span class=\"points\">" +
            pointsText(item) + "</span></p>";
    if (item.answeredAgain)
        html += "<p class=\"note\">You answered this question again after it was marked; the mark is for the "
                "answer shown here.</p>";
    return html + "</section>";
}

// The items of each assignment, in the order the first of each comes.
std::vector<std::vector<const FeedbackItem*>> itemsByAssignment(const std::vector<FeedbackItem>& items) {
    std::vector<std::vector<const FeedbackItem*>> groups;
    for (const FeedbackItem& item : items) {
        auto group = std::find_if(groups.begin(), groups.end(), [&](auto& g) { return g.front()->assignment == item.assignment; });
        if (group == groups.end()) groups.push_back({&item});
        else group->push_back(&item);
    }
    return groups;
}

// Where a student worked more than one assignment: each with its heading, its figures and its
// questions.
std::string assignmentSection(const std::vector<const FeedbackItem*>& items, std::size_t number) {
    CbmFigures figures;
    for (const FeedbackItem* item : items)
        if (item->mark != Mark::unmarked) figures.add(item->confidence, item->mark == Mark::right);
    const std::string id = "assignment-" + std::to_string(number);
    std::string html = "<section class=\"assignment\" id=\"" + id + "\"><h2>" + escapeHtml(items.front()->assignment) +
                       "</h2>" + totalsParagraph(figures, items.size());
    for (const FeedbackItem* item : items) html += questionSection(*item, id + "-", "h3");
    return html + "</section>";
}

constexpr std::string_view htmlSuffix = ".html";

// Letters and digits of every script, - and _. Without the tables of letter categories, a
// character past Latin-1's signs is taken for a letter unless it lies in a block of punctuation,
// spaces, format characters or symbols.
bool keptInFileName(char16_t c) {
    if (c < 0x80) return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
                         c == u'-' || c == u'_';
    if (c < 0xC0) return c == 0xAA || c == 0xB5 || c == 0xBA;
    if (c == 0xD7 || c == 0xF7) return false;
    if (c >= 0x2000 && c <= 0x2BFF) return false;   // punctuation, signs, arrows, symbols
    if (c >= 0x3000 && c <= 0x303F) return false;   // CJK punctuation
    if (c >= 0xE000 && c <= 0xF8FF) return false;   // private use
    if (c >= 0xFE00 && c <= 0xFE0F) return false;   // variation selectors
    if (c >= 0xFE10 && c <= 0xFE6F) return false;   // vertical and small forms of punctuation
    if (c >= 0xFF00 && c <= 0xFF0F) return false;   // fullwidth punctuation
    if (c >= 0xFFF0) return false;                  // specials
    return true;
}

bool isDeviceName(const Text& name) {
    Text upper;
    for (char16_t c : name) upper += c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
    if (upper == u"CON" || upper == u"PRN" || upper == u"AUX" || upper == u"NUL") return true;
    return upper.size() == 4 && (upper.starts_with(u"COM") || upper.starts_with(u"LPT")) && upper[3] >= u'1' &&
           upper[3] <= u'9';
}

}  // namespace

CbmFigures feedbackFigures(const FeedbackStudent& student) {
    CbmFigures figures;
    for (const FeedbackItem& item : student.items)
        if (item.mark != Mark::unmarked) figures.add(item.confidence, item.mark == Mark::right);
    return figures;
}

std::string feedbackPageHtml(const FeedbackStudent& student) {
    const CbmFigures figures = feedbackFigures(student);
    const std::string name = escapeHtml(student.name);
    std::string html = "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
                       "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
                       "<title>Feedback for " + name + "</title><style>" + std::string(pageStyle) +
                       "</style></head><body>";
    html += "<h1>Feedback for " + name + "</h1>";
    if (student.items.empty() && !student.emptyHandins.empty())
        return html + nothingFoundParagraph(student.emptyHandins) + "</body></html>\n";
    html += totalsParagraph(figures, student.items.size());
    html += "<section class=\"calibration\"><h2>How well your confidence matched your results</h2>";
    html += calibrationChartSvg(figures, "Share right at each confidence level", Speaker::you());
    if (calibrationCanBeJudged(figures))
        html += "<p class=\"calibration-summary\">" + escapeHtml(calibrationSummary(figures, Speaker::you())) + "</p>";
    html += std::string(pointsExplanation) + "</section>";
    const std::vector<std::vector<const FeedbackItem*>> groups = itemsByAssignment(student.items);
    if (groups.size() == 1)
        for (const FeedbackItem* item : groups.front()) html += questionSection(*item);
    for (std::size_t g = 0; groups.size() > 1 && g < groups.size(); ++g) html += assignmentSection(groups[g], g + 1);
    html += "</body></html>\n";
    return html;
}

std::string feedbackFileName(std::string_view student) {
    Text name;
    for (char16_t c : fromUtf8(student)) name += keptInFileName(c) ? c : u'_';
    if (name.empty() || isDeviceName(name)) name.insert(name.begin(), u'_');
    return toUtf8(name) + ".html";
}

FeedbackPageNames::FeedbackPageNames(const std::vector<std::string>& keptOut) {
    for (const std::string& name : keptOut) taken_.insert(identityKey(fromUtf8(name)));
}

std::string FeedbackPageNames::next(std::string_view student) {
    const std::string page = feedbackFileName(student);
    const std::string stem = page.substr(0, page.size() - htmlSuffix.size());
    std::string candidate = page;
    for (int n = 2; !taken_.insert(identityKey(fromUtf8(candidate))).second; ++n)
        candidate = stem + "-" + std::to_string(n) + std::string(htmlSuffix);
    return candidate;
}

std::string feedbackLink(const std::filesystem::path& report, const std::filesystem::path& folder,
                         std::string_view page) {
    if (page.empty()) return {};
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path from = fs::weakly_canonical(fs::absolute(report, error).parent_path(), error);
    const fs::path to = fs::weakly_canonical(fs::absolute(folder, error), error);
    fs::path relative = to.lexically_relative(from);
    if (relative.empty()) relative = to;
    const std::string path = utf8Path((relative / pathFromUtf8(page)).lexically_normal());
    std::string url;
    constexpr char hex[] = "0123456789ABCDEF";
    for (char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
                           (byte >= '0' && byte <= '9') || c == '-' || c == '_' || c == '.' || c == '/';
        if (c == '\\') {
            url += '/';
        } else if (plain) {
            url += c;
        } else {
            url += '%';
            url += hex[byte >> 4];
            url += hex[byte & 0xF];
        }
    }
    return url;
}

std::string writeFeedbackPages(const std::filesystem::path& folder, const std::vector<FeedbackStudent>& students) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) return "cannot create the folder " + utf8Path(folder) + ": " + error.message();
    for (const FeedbackStudent& student : students)
        if (const Status failure = replaceFileAtomically(
                folder / pathFromUtf8(student.page.empty() ? feedbackFileName(student.name) : student.page),
                                                         feedbackPageHtml(student)))
            return cannotWrite(*failure);
    return {};
}

}  // namespace stepwise::review
