// "next picture": runs the routine lines among the two script lines after the cursor and takes
// them as read, so that the reader continues after them.
#include "pictures/picture_commands.h"
#include "format/routine_line.h"
#include "lesson/script_commands.h"

namespace stepwise {

// Each probe is relative to the cursor as it stands then: with L the cursor at the click, a
// routine line at L+1 moves it to L+1 and the second probe looks at L+3; otherwise the second
// probe looks at L+2. A probe outside the script table ends the probing: there is nothing
// beyond the table to run.
void cmd_next_picture_Click(LessonState& state) {
    for (int step = 1; step <= 2; ++step) {
        const long long probe = static_cast<long long>(state.lineIndex) + step;
        if (probe < ScriptTable::firstIndex || probe > ScriptTable::lastIndex) return;
        const Text& line = state.scriptLines.at(static_cast<int>(probe));
        if (!isRoutineLine(line)) continue;
        runRoutine(routineName(line));
        state.lineIndex = state.lineIndex + step;
    }
}

}  // namespace stepwise
