// "next picture": runs the routine lines among the two script lines after the cursor and takes
// them as read, so that the reader continues after them.
#include <optional>

#include "app/main_form.h"
#include "lesson/markers.h"
#include "lesson/text_transforms.h"

namespace stepwise {

namespace {

// The routine name starts after the keyword and the one separator character that follows it.
constexpr std::size_t routineNamePosition = routineMarker.size() + 2;

// The routine name a script line asks for, or nothing when the line is no routine line. The
// ninth character, the separator after the keyword, is skipped whatever it is; a line of nine
// characters or fewer names the empty routine, which the dispatcher answers by ending.
std::optional<Text> routineNameOf(const Text& line) {
    if (lowerCase(leftText(line, routineMarker.size())) != routineMarker) return std::nullopt;
    return lowerCase(remSpaces(midText(line, routineNamePosition)));
}

}  // namespace

// Each probe is relative to the cursor as it stands then: with L the cursor at the click, a
// routine line at L+1 moves it to L+1 and the second probe looks at L+3; otherwise the second
// probe looks at L+2. A probe outside the script table ends the probing: there is nothing
// beyond the table to run.
void MainForm::cmd_next_picture_Click() {
    for (int step = 1; step <= 2; ++step) {
        const long long probe = static_cast<long long>(state_.lineIndex) + step;
        if (probe < ScriptTable::firstIndex || probe > ScriptTable::lastIndex) return;
        const std::optional<Text> routine = routineNameOf(state_.scriptLines.at(static_cast<int>(probe)));
        if (!routine) continue;
        runRoutine(*routine);
        state_.lineIndex = state_.lineIndex + step;
    }
}

}  // namespace stepwise
