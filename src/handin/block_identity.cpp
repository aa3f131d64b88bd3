// Which block of the built-in assignment a record's block line is, by exact comparison.
#include <array>
#include <vector>

#include "handin/handin_file.h"
#include "format/builtin_assignment.h"
#include "format/markers.h"

namespace stepwise::handin {

namespace {

constexpr int instructionsIndex = 2;
constexpr int acknowledgementIndex = 4;
const Text endBlock = u"end program";

// The question number in a question marker: the number spelled by characters 3 to 5.
int markedQuestionNumber(TextView block) {
    int number = 0;
    for (char16_t c : block.substr(2, 3)) {
        if (c < u'0' || c > u'9') break;
        number = number * 10 + (c - u'0');
    }
    return number;
}

// Every non-empty line of the built-in assignment after its header, with what it is.
struct KnownBlock {
    const Text* line;
    BlockId id;
};

std::vector<KnownBlock> knownBlocks() {
    const std::vector<Text>& script = builtinAssignment();
    std::vector<KnownBlock> blocks;
    std::optional<int> question;
    for (std::size_t i = 1; i < script.size(); ++i) {
        const Text& line = script[i];
        const int index = static_cast<int>(i) + 1;  // element 0 is script line 1
        if (line.empty()) continue;
        BlockId id{index, question, BlockKind::workedAnswer};
        if (TextView(line).starts_with(questionMarker)) {
            question = markedQuestionNumber(line);
            id = {index, question, index == instructionsIndex ? BlockKind::instructions : BlockKind::question};
        } else if (index == acknowledgementIndex) {
            id.kind = BlockKind::acknowledgement;
        } else if (line == endBlock) {
            id = {index, std::nullopt, BlockKind::end};
        }
        blocks.push_back({&line, id});
    }
    return blocks;
}

}  // namespace

std::string_view blockKindName(BlockKind kind) {
    switch (kind) {
        case BlockKind::instructions: return "instructions";
        case BlockKind::acknowledgement: return "acknowledgement";
        case BlockKind::question: return "question";
        case BlockKind::workedAnswer: return "worked answer";
        case BlockKind::end: return "end";
        case BlockKind::unknown: break;
    }
    return "unknown";
}

BlockId identifyBlock(TextView blockLine) {
    static const std::vector<KnownBlock> blocks = knownBlocks();
    for (const KnownBlock& block : blocks)
        if (*block.line == blockLine) return block.id;
    return {};
}

}  // namespace stepwise::handin
