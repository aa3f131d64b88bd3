#pragma once
#include "format/text.h"

namespace stepwise {

// A routine line starts with the routine marker in any letter case.
bool isRoutineLine(const Text& line);

// The routine a routine line names: character 10 on (the ninth, the separator after the keyword,
// is skipped whatever it is) without spaces and hyphens, lower-cased. A line of nine characters
// or fewer names the empty routine.
Text routineName(const Text& line);

}  // namespace stepwise
