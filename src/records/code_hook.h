#pragma once
#include "format/text.h"

namespace stepwise {

// The line-coding hook every recorded line of the block or of the student's text passes through
// just before it is written. It returns the line unchanged; the code number is for a later coding.
Text code(const Text& aLine, const int& codeNbr);

}  // namespace stepwise
