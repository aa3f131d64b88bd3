#include "lesson/routine_line.h"

#include "format/markers.h"
#include "lesson/text_transforms.h"

namespace stepwise {

bool isRoutineLine(const Text& line) { return lowerCase(leftText(line, routineMarker.size())) == routineMarker; }

Text routineName(const Text& line) { return lowerCase(remSpaces(midText(line, routineMarker.size() + 2))); }

}  // namespace stepwise
