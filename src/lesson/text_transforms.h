#pragma once
#include "format/in_line_breaks.h"  // expandBreaks, which the author's preview shares
#include "format/text.h"

namespace stepwise {

// A number as decimal text without blanks: 12 gives "12", -1 gives "-1", 0.5 gives ".5".
Text numberText(double number);

}  // namespace stepwise
