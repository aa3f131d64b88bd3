#include "app/main_form.h"
#include "lesson/builtin_assignment.h"

namespace stepwise {

// Fills the script table with the built-in assignment from index 1 on; index 0 stays empty.
void MainForm::loadScript() {
    for (const Text& line : builtinAssignment()) {
        state_.lineIndex = state_.lineIndex + 1;
        state_.scriptLines.at(state_.lineIndex) = line;
    }
    state_.lineIndex = 0;
}

}  // namespace stepwise
