#include "format/routine_line.h"

#include "format/markers.h"

namespace stepwise {

bool isRoutineLine(const Text& line) { return lowerCase(leftText(line, routineMarker.size())) == routineMarker; }

Text routineName(const Text& line) { return lowerCase(remSpaces(midText(line, routineMarker.size() + 2))); }

Text remSpaces(const Text& text) {
    Text out;
    out.reserve(text.size());
    for (char16_t c : text)
        if (c != u' ' && c != u'-') out += c;
    return out;
}

bool isKnownRoutine(const Text& name) {
    return name == exitRoutine || name == u"graph1" || name == u"graph2" || name == u"graph3";
}

}  // namespace stepwise
