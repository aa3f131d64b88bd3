#include "author/preview_page.h"

#include <vector>

#include "author/block_kind.h"
#include "format/html_escape.h"
#include "format/utf8.h"

namespace stepwise::author {

namespace {

constexpr std::string_view pageStyle =
    "body{font-family:sans-serif;margin:1.5em auto;max-width:50em;padding:0 1em;color:#222}"
    "h1{font-size:1.4em}.file,.set{color:#555;margin:.2em 0}"
    ".block{border:1px solid #bbb;border-radius:4px;margin:1em 0;padding:.5em .8em}"
    ".block.question{border-left:6px solid #2a6fdb}.block.answer{border-left:6px solid #2a9d4b}"
    ".block.routine{border-left:6px solid #999;color:#666}"
    ".kind{font-size:.85em;color:#555;margin-bottom:.4em}"
    ".shown{white-space:pre-wrap;font-family:serif;font-size:1.05em}"
    ".problems{margin:.6em 0 0;padding-left:1.2em}.error{color:#b00020}.warning{color:#8a5a00}";

std::string html(TextView text) { return escapeHtml(encodeUtf8(text, LoneSurrogates::replaced)); }

// The block that holds a problem's line: the last one beginning at or before it; none when the
// line comes before the first block (the header and its options).
std::ptrdiff_t blockOfLine(const std::vector<AssignmentBlock>& blocks, int line) {
    std::ptrdiff_t found = -1;
    for (std::size_t i = 0; i < blocks.size() && blocks[i].line <= line; ++i) found = static_cast<std::ptrdiff_t>(i);
    return found;
}

std::string problemList(const std::vector<const AssignmentProblem*>& problems) {
    if (problems.empty()) return "";
    std::string out = "<ul class=\"problems\">";
    for (const AssignmentProblem* problem : problems) {
        const bool error = problem->severity == AssignmentProblem::Severity::error;
        out += std::string("<li class=\"") + (error ? "error" : "warning") + "\">line " + std::to_string(problem->line) +
               (error ? ": error: " : ": warning: ") + escapeHtml(problem->message) + "</li>";
    }
    return out + "</ul>";
}

const char* kindClass(BlockKind kind) {
    switch (kind) {
    case BlockKind::question: return "question";
    case BlockKind::answer: return "answer";
    case BlockKind::routine: return "routine";
    case BlockKind::plain: break;
    }
    return "plain";
}

std::string blockSection(std::size_t position, const AssignmentBlock& block,
                         const std::vector<const AssignmentProblem*>& problems) {
    const BlockMeaning meaning = blockMeaning(block.text);
    const std::string where = "line " + std::to_string(block.line) + ", script line " +
                              std::to_string(scriptIndexOfBlock(position));
    const std::string note = meaning.kind == BlockKind::routine ? " (runs; the student does not see it)" : "";
    return std::string("<section class=\"block ") + kindClass(meaning.kind) + "\" id=\"block-" +
           std::to_string(position + 1) + "\">\n<div class=\"kind\">" + escapeHtml(meaning.label) + note + " &middot; " +
           where + "</div>\n<div class=\"shown\">" + html(meaning.shown) + "</div>" + problemList(problems) +
           "\n</section>\n";
}

}  // namespace

std::string previewPage(std::string_view fileName, const Assignment& assignment) {
    std::vector<std::vector<const AssignmentProblem*>> byBlock(assignment.blocks.size());
    std::vector<const AssignmentProblem*> beforeBlocks;
    for (const AssignmentProblem& problem : assignment.problems) {
        const std::ptrdiff_t block = blockOfLine(assignment.blocks, problem.line);
        (block < 0 ? beforeBlocks : byBlock[static_cast<std::size_t>(block)]).push_back(&problem);
    }
    const std::string title = assignment.headerLine.empty() ? "(no assignment header)" : html(assignment.headerLine);
    std::string page = "<!DOCTYPE html>\n" + std::string(previewMark) +
                       "\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                       "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
                       "style-src 'unsafe-inline'\">\n"
                       "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>Preview: " +
                       title + "</title>\n<style>" + std::string(pageStyle) + "</style>\n</head>\n<body>\n<h1>" +
                       title + "</h1>\n<p class=\"set\">Set: " + html(assignment.setTitle) +
                       "</p>\n<p class=\"file\">File: " + escapeHtml(fileName) + "</p>\n" +
                       problemList(beforeBlocks) + "\n";
    for (std::size_t i = 0; i < assignment.blocks.size(); ++i)
        page += blockSection(i, assignment.blocks[i], byBlock[i]);
    return page + "</body>\n</html>\n";
}

}  // namespace stepwise::author
