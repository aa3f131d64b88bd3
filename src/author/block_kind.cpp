#include "author/block_kind.h"

#include "format/in_line_breaks.h"
#include "format/markers.h"
#include "format/routine_line.h"

namespace stepwise::author {

namespace {

bool startsWith(const Text& text, std::u16string_view prefix) { return TextView(text).substr(0, prefix.size()) == prefix; }

}  // namespace

BlockMeaning blockMeaning(const Text& block) {
    if (startsWith(block, answerMarker))
        return {BlockKind::answer, "worked answer", expandBreaks(block.substr(answerMarker.size()))};
    if (startsWith(block, questionMarker)) {
        const long long number = static_cast<long long>(numericValue(TextView(block).substr(2, 3)));
        return {BlockKind::question, "question " + std::to_string(number), expandBreaks(block)};
    }
    if (isRoutineLine(block) && block.size() > routineMarker.size())
        return {BlockKind::routine, "routine " + toUtf8(routineName(block)), block};
    return {BlockKind::plain, "plain", expandBreaks(block)};
}

}  // namespace stepwise::author
