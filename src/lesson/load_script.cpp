#include "lesson/script_commands.h"
#include "format/builtin_assignment.h"

namespace stepwise {

// Fills the script table with the built-in assignment from index 1 on; index 0 stays empty.
void loadScript(LessonState& state) {
    for (const Text& line : builtinAssignment()) {
        state.lineIndex = state.lineIndex + 1;
        state.scriptLines.at(state.lineIndex) = line;
    }
    state.lineIndex = 0;
}

}  // namespace stepwise

namespace stepwise {

void loadAssignment(LessonState& state, const Assignment& assignment) {
    state.scriptLines.at(1) = assignment.headerLine;
    for (std::size_t i = 0; i < assignment.blocks.size(); ++i)
        state.scriptLines.at(scriptIndexOfBlock(i)) = assignment.blocks[i].text;
    state.lineIndex = 0;
}

}  // namespace stepwise
