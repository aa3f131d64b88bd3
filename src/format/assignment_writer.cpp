#include "format/assignment_writer.h"

#include "format/builtin_assignment.h"
#include "format/lesson_header.h"

namespace stepwise {

namespace {

constexpr std::u16string_view paragraphBreak = u"\r\n\r\n";

// A block's paragraphs, one to a line, with an empty line between them.
std::string blockLines(TextView block) {
    std::string out;
    for (std::size_t start = 0;;) {
        const std::size_t end = block.find(paragraphBreak, start);
        out += toUtf8(block.substr(start, end - start)) + "\n";
        if (end == TextView::npos) return out;
        out += "\n";
        start = end + paragraphBreak.size();
    }
}

}  // namespace

std::string writeAssignmentFile(const AssignmentSource& source) {
    std::string out = toUtf8(source.headerLine) + "\n";
    if (!source.setTitle.empty()) out += "set: " + toUtf8(source.setTitle) + "\n";
    for (const Text& block : source.blocks) out += "---\n" + blockLines(block);
    return out;
}

AssignmentSource builtinAssignmentSource() {
    const std::vector<Text>& lines = builtinAssignment();
    AssignmentSource source{lines.front(), assignmentTitleLine, {}};
    for (std::size_t i = 1; i < lines.size(); ++i)
        if (!lines[i].empty()) source.blocks.push_back(lines[i]);
    return source;
}

}  // namespace stepwise
