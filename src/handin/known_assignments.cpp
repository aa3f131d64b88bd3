#include "handin/known_assignments.h"

#include <algorithm>

#include "format/builtin_assignment.h"
#include "format/markers.h"
#include "format/routine_line.h"

namespace stepwise::handin {

namespace {

constexpr int instructionsIndex = 2;
constexpr int acknowledgementIndex = 4;
const Text endBlock = u"end program";
const Text builtinSetTitle = u"ovla set";

// The question number in a question marker: the number spelled by characters 3 to 5.
int markedQuestionNumber(TextView block) {
    int number = 0;
    for (char16_t c : block.substr(2, 3)) {
        if (c < u'0' || c > u'9') break;
        number = number * 10 + (c - u'0');
    }
    return number;
}

bool startsWith(TextView text, TextView prefix) { return text.substr(0, prefix.size()) == prefix; }

void addQuestion(std::vector<int>& questions, int number) {
    if (std::find(questions.begin(), questions.end(), number) == questions.end()) questions.push_back(number);
}

}  // namespace

BlockId KnownAssignment::identify(TextView blockLine, int after) const {
    const KnownBlock* first = nullptr;
    for (const KnownBlock& block : blocks) {
        if (!sameText(block.line, blockLine)) continue;
        if (block.id.scriptIndex > after) return block.id;
        if (!first) first = &block;
    }
    return first ? first->id : BlockId{};
}

KnownAssignment builtinKnownAssignment() {
    const std::vector<Text>& script = builtinAssignment();
    KnownAssignment known{script.front(), builtinSetTitle, "", true, {}, {}};
    std::optional<int> question;
    for (std::size_t i = 1; i < script.size(); ++i) {
        const Text& line = script[i];
        const int index = static_cast<int>(i) + 1;  // element 0 is script line 1
        if (line.empty()) continue;
        BlockId id{index, question, BlockKind::workedAnswer};
        if (startsWith(line, questionMarker)) {
            question = markedQuestionNumber(line);
            addQuestion(known.questions, *question);
            id = {index, question, index == instructionsIndex ? BlockKind::instructions : BlockKind::question};
        } else if (index == acknowledgementIndex) {
            id.kind = BlockKind::acknowledgement;
        } else if (line == endBlock) {
            id = {index, std::nullopt, BlockKind::end};
        }
        known.blocks.push_back({line, id});
    }
    return known;
}

KnownAssignment knownAssignmentOf(const Assignment& assignment, std::string file) {
    KnownAssignment known{assignment.headerLine, assignment.setTitle, std::move(file), false, {}, {}};
    std::optional<int> question;
    // The reader puts a lone answer marker before the block it marks: each block carries its own.
    for (std::size_t position = 0; position < assignment.blocks.size(); ++position) {
        Text line = assignment.blocks[position].text;
        const int index = scriptIndexOfBlock(position);
        BlockId id{index, question, BlockKind::plain};
        if (startsWith(line, questionMarker)) {
            question = markedQuestionNumber(line);
            addQuestion(known.questions, *question);
            id = {index, question, BlockKind::question};
        } else if (startsWith(line, answerMarker)) {
            line.erase(0, answerMarker.size());
            id.kind = BlockKind::workedAnswer;
        } else if (line == endBlock) {
            id = {index, std::nullopt, BlockKind::end};
        } else if (lowerCase(leftText(line, 2)) == questionMarker) {
            // A capital marker is not a question to the reader, yet it sets the question number.
            question = markedQuestionNumber(line);
            id.questionNumber = question;
        }
        known.blocks.push_back({std::move(line), id});
    }
    return known;
}

bool isBuiltinCopy(const Assignment& assignment) {
    const std::vector<Text>& script = builtinAssignment();
    if (assignment.headerLine != script.front() || assignment.setTitle != builtinSetTitle) return false;
    std::vector<const Text*> builtinLines;
    for (std::size_t i = 1; i < script.size(); ++i)
        if (!script[i].empty()) builtinLines.push_back(&script[i]);
    if (builtinLines.size() != assignment.blocks.size()) return false;
    for (std::size_t i = 0; i < builtinLines.size(); ++i)
        if (*builtinLines[i] != assignment.blocks[i].text) return false;
    return true;
}

KnownAssignments::KnownAssignments() { all_.push_back(std::make_shared<const KnownAssignment>(builtinKnownAssignment())); }

std::optional<std::string> KnownAssignments::add(const Assignment& assignment, const std::string& file) {
    if (isBuiltinCopy(assignment)) return std::nullopt;
    if (const KnownAssignment* twin = find(assignment.headerLine))
        return file + " and " + (twin->builtin ? std::string("the built-in assignment") : twin->file) +
               " have the same header line \"" + toUtf8(assignment.headerLine) +
               "\"; give only the version the class worked";
    all_.push_back(std::make_shared<const KnownAssignment>(knownAssignmentOf(assignment, file)));
    return std::nullopt;
}

const KnownAssignment* KnownAssignments::find(TextView headerLine) const {
    for (const auto& known : all_)
        if (known->headerLine == headerLine) return known.get();
    return nullptr;
}

const KnownAssignments& KnownAssignments::builtinOnly() {
    static const KnownAssignments builtin;
    return builtin;
}

}  // namespace stepwise::handin
