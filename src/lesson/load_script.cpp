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
