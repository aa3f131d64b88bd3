#pragma once
// Routine lines: "`routine graph1" names a routine the program runs instead of showing the line.
#include "format/text.h"

namespace stepwise {

// A routine line starts with the routine marker in any letter case.
bool isRoutineLine(const Text& line);

// The routine a routine line names: character 10 on (the ninth, the separator after the keyword,
// is skipped whatever it is) without spaces and hyphens, lower-cased. A line of nine characters
// or fewer names the empty routine.
Text routineName(const Text& line);

// The text without its spaces and hyphens: "exit-prog" gives "exitprog".
Text remSpaces(const Text& text);

// The routines the program knows by name (lower-cased, as routineName gives them): the three
// graph routines, which do nothing, and "exitprog", which ends the program. Any other name ends
// the program as well.
bool isKnownRoutine(const Text& name);
inline constexpr char16_t exitRoutine[] = u"exitprog";

}  // namespace stepwise
