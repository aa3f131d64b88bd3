#pragma once
// In-line breaks: a script line may hold "{}", which stays in the line (and in the records) and
// becomes a line break only where the block is shown.
#include "format/text.h"

namespace stepwise {

// Every "{}" becomes CR LF, scanning from the left; pairs never overlap.
Text expandBreaks(const Text& text);

}  // namespace stepwise
