#pragma once
#include "format/text.h"

namespace stepwise {

// Every "{}" becomes CR LF, scanning from the left; pairs never overlap.
Text expandBreaks(const Text& text);

// A number as decimal text without blanks: 12 gives "12", -1 gives "-1", 0.5 gives ".5".
Text numberText(double number);

}  // namespace stepwise
