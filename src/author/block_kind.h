#pragma once
// What the student program makes of a block, in words for the author.
#include <string>

#include "format/text.h"

namespace stepwise::author {

enum class BlockKind { question, answer, routine, plain };

struct BlockMeaning {
    BlockKind kind = BlockKind::plain;
    std::string label;  // "question 3", "worked answer", "routine graph1", "plain"
    Text shown;         // the block as the display box shows it: answer marker gone, {} broken
};

// Classified as the lesson reader does: the question marker in exact case (the number from the
// three characters after it, 0 when they spell none), the answer marker in exact case, the
// routine marker in any case.
BlockMeaning blockMeaning(const Text& block);

}  // namespace stepwise::author
