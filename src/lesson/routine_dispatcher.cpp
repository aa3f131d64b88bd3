#include "lesson/script_commands.h"
#include "lesson/program_end.h"

namespace stepwise {

// The routines a script can name. "exitprog" and every name not known here end the program.
void runRoutine(const Text& routine) {
    const Text name = lowerCase(routine);
    if (name == u"exitprog") endProgram();
    if (name == u"graph1" || name == u"graph2" || name == u"graph3") return;
    endProgram();
}

}  // namespace stepwise
