#include "lesson/script_commands.h"
#include "format/routine_line.h"
#include "lesson/program_end.h"

namespace stepwise {

// The routines a script can name. "exitprog" and every name not known end the program; the
// graph routines do nothing.
void runRoutine(const Text& routine) {
    const Text name = lowerCase(routine);
    if (name == exitRoutine || !isKnownRoutine(name)) endProgram();
}

}  // namespace stepwise
